// The packet operations: builder, exchange and parser of each request.
#include "qdxa/qdxa_operations.h"

#include "qdxa/qdxa_builders.h"
#include "qdxa/qdxa_error.h"
#include "qdxa/qdxa_exchange.h"
#include "qdxa/qdxa_parsers.h"

namespace {

template <typename Request, typename Reply>
std::int32_t runOperation(PacketSession* session, const QDXAIdentifiers* ids,
                          const Request* request, Reply* reply,
                          std::uint32_t (*make)(PacketSession*, const QDXAIdentifiers*,
                                                const Request*),
                          std::int32_t (*parse)(PacketSession*, Reply*)) {
    if (session == nullptr || reply == nullptr) {
        return kQDXAMissingArgument;
    }
    *reply = {};
    const std::uint32_t requestLength = make(session, ids, request);
    if (requestLength == 0) {
        return kQDXAExchangeFailure;
    }
    std::uint32_t received = 0;
    const std::int32_t status = z_PAPStatus(session, requestLength, &received);
    if (status != kQDXANoErr) {
        return status;
    }
    return parse(session, reply);
}

}  // namespace

std::int32_t QDXA_Echo(PacketSession* session, const QDXAIdentifiers* ids,
                       const QDXAEchoRequest* request, QDXAEchoReply* reply) {
    return runOperation(session, ids, request, reply, make_echo, get_echo);
}

std::int32_t QDXA_Reserve(PacketSession* session, const QDXAIdentifiers* ids,
                          const QDXAReserveRequest* request, QDXAReserveReply* reply) {
    return runOperation(session, ids, request, reply, make_reserve, get_reserve);
}

std::int32_t QDXA_Unreserve(PacketSession* session, const QDXAIdentifiers* ids,
                            const QDXAUnreserveRequest* request, QDXAUnreserveReply* reply) {
    return runOperation(session, ids, request, reply, make_unreserve, get_unreserve);
}

std::int32_t QDXA_Delete(PacketSession* session, const QDXAIdentifiers* ids,
                         const QDXAObjectRequest* request, QDXAObjectReply* reply) {
    return runOperation(session, ids, request, reply, make_Delete, get_Delete);
}

std::int32_t QDXA_CancelJob(PacketSession* session, const QDXAIdentifiers* ids,
                            const QDXAObjectRequest* request, QDXAObjectReply* reply) {
    return runOperation(session, ids, request, reply, make_CancelJob, get_CancelJob);
}

std::int32_t QDXA_PauseJob(PacketSession* session, const QDXAIdentifiers* ids,
                           const QDXAObjectRequest* request, QDXAObjectReply* reply) {
    return runOperation(session, ids, request, reply, make_PauseJob, get_PauseJob);
}

std::int32_t QDXA_ResumeJob(PacketSession* session, const QDXAIdentifiers* ids,
                            const QDXAObjectRequest* request, QDXAObjectReply* reply) {
    return runOperation(session, ids, request, reply, make_ResumeJob, get_ResumeJob);
}

std::int32_t QDXA_PromoteJob(PacketSession* session, const QDXAIdentifiers* ids,
                             const QDXAPromoteJobRequest* request, QDXAPromoteJobReply* reply) {
    return runOperation(session, ids, request, reply, make_PromoteJob, get_PromoteJob);
}

std::int32_t QDXA_ExecuteMethod(PacketSession* session, const QDXAIdentifiers* ids,
                                const QDXAExecuteMethodRequest* request,
                                QDXAExecuteMethodReply* reply) {
    return runOperation(session, ids, request, reply, make_ExecuteMethod, get_ExecuteMethod);
}

std::int32_t QDXA_ListEx(PacketSession* session, const QDXAIdentifiers* ids,
                         const QDXAListExRequest* request, QDXAListExReply* reply) {
    return runOperation(session, ids, request, reply, make_listex, get_listex);
}

std::int32_t QDXA_ChangeFileBoxPassword(PacketSession* session, const QDXAIdentifiers* ids,
                                        const QDXAChangeFileBoxPasswordRequest* request,
                                        QDXAChangeFileBoxPasswordReply* reply) {
    return runOperation(session, ids, request, reply, make_ChangeFileBoxPassword,
                        get_ChangeFileBoxPassword);
}

std::int32_t QDXA_DeleteFiles(PacketSession* session, const QDXAIdentifiers* ids,
                              const QDXADeleteFilesRequest* request, QDXAFileListReply* reply) {
    return runOperation(session, ids, request, reply, make_DeleteFiles, get_DeleteFiles);
}

std::int32_t QDXA_ReplaceFiles(PacketSession* session, const QDXAIdentifiers* ids,
                               const QDXAReplaceFilesRequest* request, QDXAFileListReply* reply) {
    return runOperation(session, ids, request, reply, make_ReplaceFiles, get_ReplaceFiles);
}

std::int32_t QDXA_Get2(PacketSession* session, const QDXAIdentifiers* ids,
                       const QDXAGet2Request* request, QDXAGet2Reply* reply) {
    return runOperation(session, ids, request, reply, make_get2, get_get2);
}

std::int32_t QDXA_GetListElement(PacketSession* session, const QDXAIdentifiers* ids,
                                 const QDXAGetListElementRequest* request,
                                 QDXAGetListElementReply* reply) {
    return runOperation(session, ids, request, reply, make_getListElement, get_getListElement);
}

std::int32_t QDXA_Set2(PacketSession* session, const QDXAIdentifiers* ids,
                       const QDXASet2Request* request, QDXASet2Reply* reply) {
    return runOperation(session, ids, request, reply, make_set2, get_set2);
}

std::int32_t QDXA_ExecuteFile2(PacketSession* session, const QDXAIdentifiers* ids,
                               const QDXAExecuteFile2Request* request,
                               QDXAExecuteFile2Reply* reply) {
    return runOperation(session, ids, request, reply, make_ExecuteFile2, get_ExecuteFile2);
}

std::int32_t QDXA_ListObjects2(PacketSession* session, const QDXAIdentifiers* ids,
                               const QDXAListObjects2Request* request,
                               QDXAListObjects2Reply* reply) {
    return runOperation(session, ids, request, reply, make_listObject2, get_listObject2);
}

std::int32_t QDXA_AcquireResource(PacketSession* session, const QDXAIdentifiers* ids,
                                  std::uint32_t resourceId, QDXAAcquireResourceReply* reply,
                                  std::uint16_t* sequence) {
    if (sequence == nullptr) {
        return kQDXAExchangeFailure;
    }
    if (session == nullptr || reply == nullptr) {
        return kQDXAMissingArgument;
    }
    *reply = {};
    std::uint32_t capacity = session->receiveHandle->size;
    std::uint16_t received = 0;
    session->receivedLength = 0;
    std::int32_t status = kQDXANoErr;
    if (resourceId != 0) {
        const std::uint32_t requestLength = make_AcquireResource(session, ids, resourceId);
        *sequence = session->lastSequence;
        status =
            z_GetStatus(session->transport, kQDXABinaryChannel, session->sendHandle, requestLength,
                        session->receiveHandle, &session->receivedLength, &capacity, &received);
    } else {
        // A continuation collects the next packet of the acquisition already under way.
        session->lastSequence = *sequence;
        status =
            z_ReceiveStatus(session->transport, kQDXABinaryChannel, *sequence,
                            session->receiveHandle, &session->receivedLength, &capacity, &received);
    }
    if (status != kQDXANoErr) {
        return status;
    }
    return get_AcquireResource(session, reply);
}
