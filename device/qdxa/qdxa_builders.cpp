// Request builders of the packet operations.
#include "qdxa/qdxa_builders.h"

#include <cstring>
#include <span>
#include <vector>

#include "bytes/byte_order.h"
#include "qdxa/qdxa_header.h"

namespace {

using Parameter = std::vector<std::uint8_t>;

// A ListEx request parameter always has this size; the typed value starts at byte 11.
constexpr std::size_t kListExParameterSize = 15;

template <typename T>
std::span<const T> run(const T* data, std::size_t count) {
    return data != nullptr ? std::span<const T>(data, count) : std::span<const T>();
}

/// Writes header and parameter into the send handle with the next sequence number.
std::uint32_t finishRequest(PacketSession* session, std::uint16_t operation,
                            const QDXAIdentifiers* ids, const Parameter& parameter) {
    const std::size_t length = kQDXAHeaderSize + parameter.size();
    if (session == nullptr || session->sendHandle == nullptr || length > session->sendHandle->size) {
        return 0;
    }
    // The counter wraps through 0, which goes out as 1.
    const std::uint16_t counter = session->sequence;
    const std::uint16_t sequence = counter == 0 ? 1 : counter;
    QDXAHeaderFields fields;
    fields.flags = kQDXARequestFlags;
    fields.operation = operation;
    fields.sequence = sequence;
    fields.parameterLength = static_cast<std::uint16_t>(parameter.size());
    if (ids != nullptr) {
        fields.firstIdentifier = ids->first;
        fields.secondIdentifier = ids->second;
    }
    writeQDXAHeader(session->sendHandle->data, fields);
    if (!parameter.empty()) {
        std::memcpy(session->sendHandle->data + kQDXAHeaderSize, parameter.data(), parameter.size());
    }
    session->lastSequence = sequence;
    session->sequence = static_cast<std::uint16_t>(counter + 1);
    return static_cast<std::uint32_t>(length);
}

void writeAccess(bytes::ByteWriter& writer, const QDXAAccessBlock& access) {
    writer.u8(access.kind);
    writer.u8(access.length);
    writer.bytes(run(access.bytes, access.length));
}

void writeIds32(bytes::ByteWriter& writer, const std::uint32_t* ids, std::uint16_t count) {
    writer.u16be(count);
    for (std::uint32_t id : run(ids, count)) {
        writer.u32be(id);
    }
}

std::uint32_t makeObjectRequest(PacketSession* session, std::uint16_t operation,
                                const QDXAIdentifiers* ids, const QDXAObjectRequest* request) {
    if (request == nullptr) return 0;
    Parameter parameter;
    bytes::ByteWriter(parameter).u32be(request->objectId);
    return finishRequest(session, operation, ids, parameter);
}

/// The typed value of a ListEx request and its closing field, in the type's width.
void writeListExValue(bytes::ByteWriter& writer, const QDXAListExRequest& request) {
    switch (request.valueType) {
        case kQDXAValueType8:
            writer.u8(static_cast<std::uint8_t>(request.value));
            writer.u16be(request.closing);
            break;
        case kQDXAValueType16:
        case kQDXAValueType16b:
            writer.u16be(static_cast<std::uint16_t>(request.value));
            writer.u16be(request.closing);
            break;
        case kQDXAValueType32:
        case kQDXAValueType32b:
            // The value reaches the end of the parameter: no closing field.
            writer.u32be(request.value);
            break;
        default:
            writer.u16be(request.closing);
            break;
    }
}

}  // namespace

std::uint32_t make_echo(PacketSession* session, const QDXAIdentifiers* ids,
                        const QDXAEchoRequest* request) {
    Parameter parameter;
    if (request != nullptr) {
        bytes::ByteWriter(parameter).bytes(run(request->data, request->length));
    }
    return finishRequest(session, kQDXAOpEcho, ids, parameter);
}

std::uint32_t make_reserve(PacketSession* session, const QDXAIdentifiers* ids,
                           const QDXAReserveRequest* request) {
    if (request == nullptr) return 0;
    Parameter parameter;
    bytes::ByteWriter writer(parameter);
    writer.u16be(request->requestValue);
    writer.u32be(request->objectId);
    writer.u16be(request->addressKind);
    return finishRequest(session, kQDXAOpReserve, ids, parameter);
}

std::uint32_t make_unreserve(PacketSession* session, const QDXAIdentifiers* ids,
                             const QDXAUnreserveRequest* request) {
    if (request == nullptr || request->address == nullptr) return 0;
    Parameter parameter;
    writeEndpointAddress(parameter, *request->address);
    return finishRequest(session, kQDXAOpUnreserve, ids, parameter);
}

std::uint32_t make_Delete(PacketSession* session, const QDXAIdentifiers* ids,
                          const QDXAObjectRequest* request) {
    return makeObjectRequest(session, kQDXAOpDelete, ids, request);
}

std::uint32_t make_CancelJob(PacketSession* session, const QDXAIdentifiers* ids,
                             const QDXAObjectRequest* request) {
    return makeObjectRequest(session, kQDXAOpCancelJob, ids, request);
}

std::uint32_t make_PauseJob(PacketSession* session, const QDXAIdentifiers* ids,
                            const QDXAObjectRequest* request) {
    return makeObjectRequest(session, kQDXAOpPauseJob, ids, request);
}

std::uint32_t make_ResumeJob(PacketSession* session, const QDXAIdentifiers* ids,
                             const QDXAObjectRequest* request) {
    return makeObjectRequest(session, kQDXAOpResumeJob, ids, request);
}

std::uint32_t make_PromoteJob(PacketSession* session, const QDXAIdentifiers* ids,
                              const QDXAPromoteJobRequest* request) {
    if (request == nullptr) return 0;
    Parameter parameter;
    bytes::ByteWriter writer(parameter);
    writer.u32be(request->jobId);
    writer.u32be(request->value);
    return finishRequest(session, kQDXAOpPromoteJob, ids, parameter);
}

std::uint32_t make_ExecuteMethod(PacketSession* session, const QDXAIdentifiers* ids,
                                 const QDXAExecuteMethodRequest* request) {
    if (request == nullptr) return 0;
    Parameter parameter;
    bytes::ByteWriter writer(parameter);
    writer.u32be(request->objectId);
    writer.u16be(request->methodId);
    writer.bytes(run(request->input, request->inputLength));
    return finishRequest(session, kQDXAOpExecuteMethod, ids, parameter);
}

std::uint32_t make_get2(PacketSession* session, const QDXAIdentifiers* ids,
                        const QDXAGet2Request* request) {
    if (request == nullptr) return 0;
    Parameter parameter;
    bytes::ByteWriter writer(parameter);
    writer.u16be(request->replyRoom);
    writeAccess(writer, request->access);
    writeIds32(writer, request->objectIds, request->objectCount);
    writer.u16be(request->attributeCount);
    for (std::uint16_t id : run(request->attributeIds, request->attributeCount)) {
        writer.u16be(id);
    }
    return finishRequest(session, kQDXAOpGet2, ids, parameter);
}

std::uint32_t make_set2(PacketSession* session, const QDXAIdentifiers* ids,
                        const QDXASet2Request* request) {
    if (request == nullptr) return 0;
    Parameter parameter;
    bytes::ByteWriter writer(parameter);
    writeAccess(writer, request->access);
    writer.u32be(request->objectId);
    writer.u16be(request->attributeId);
    writer.bytes(run(request->value, request->valueLength));
    return finishRequest(session, kQDXAOpSet2, ids, parameter);
}

std::uint32_t make_getListElement(PacketSession* session, const QDXAIdentifiers* ids,
                                  const QDXAGetListElementRequest* request) {
    if (request == nullptr) return 0;
    Parameter parameter;
    bytes::ByteWriter writer(parameter);
    writer.u16be(request->listHandle);
    writer.u16be(request->replyRoom);
    writer.u8(request->operation);
    writeAccess(writer, request->access);
    writer.u32be(request->objectId);
    writer.u16be(request->attributeId);
    writer.u16be(request->previousCount);
    return finishRequest(session, kQDXAOpGetListElement, ids, parameter);
}

std::uint32_t make_listObject2(PacketSession* session, const QDXAIdentifiers* ids,
                               const QDXAListObjects2Request* request) {
    if (request == nullptr) return 0;
    Parameter parameter;
    bytes::ByteWriter writer(parameter);
    writer.u16be(request->listHandle);
    writer.u16be(request->replyRoom);
    writer.u8(request->operation);
    writer.u16be(request->objectClass);
    writer.u8(request->selector);
    writer.u32be(request->parentId);
    writer.u32be(request->filter);
    writer.u16be(request->value16);
    return finishRequest(session, kQDXAOpListObjects2, ids, parameter);
}

std::uint32_t make_listex(PacketSession* session, const QDXAIdentifiers* ids,
                          const QDXAListExRequest* request) {
    if (request == nullptr) return 0;
    Parameter parameter;
    bytes::ByteWriter writer(parameter);
    writer.u16be(request->listHandle);
    writer.u16be(request->replyRoom);
    writer.u8(request->operation);
    writer.u32be(request->objectId);
    writer.u16be(request->valueType);
    writeListExValue(writer, *request);
    parameter.resize(kListExParameterSize, 0);
    return finishRequest(session, kQDXAOpListEx, ids, parameter);
}

std::uint32_t make_ExecuteFile2(PacketSession* session, const QDXAIdentifiers* ids,
                                const QDXAExecuteFile2Request* request) {
    if (request == nullptr) return 0;
    Parameter parameter;
    bytes::ByteWriter writer(parameter);
    writer.u32be(request->value32);
    writer.u8(request->value8);
    writer.u16be(request->entryCount);
    for (const QDXAFileEntry& entry : run(request->entries, request->entryCount)) {
        writer.u32be(entry.fileId);
        writer.u16be(entry.itemCount);
        for (const QDXAFileItem& item : run(entry.items, entry.itemCount)) {
            writer.u16be(item.itemId);
            writer.u16be(item.length);
            writer.bytes(run(item.bytes, item.length));
        }
    }
    return finishRequest(session, kQDXAOpExecuteFile2, ids, parameter);
}

std::uint32_t make_DeleteFiles(PacketSession* session, const QDXAIdentifiers* ids,
                               const QDXADeleteFilesRequest* request) {
    if (request == nullptr) return 0;
    Parameter parameter;
    bytes::ByteWriter writer(parameter);
    writeIds32(writer, request->fileIds, request->count);
    writer.u32be(request->password);
    return finishRequest(session, kQDXAOpDeleteFiles, ids, parameter);
}

std::uint32_t make_ReplaceFiles(PacketSession* session, const QDXAIdentifiers* ids,
                                const QDXAReplaceFilesRequest* request) {
    if (request == nullptr) return 0;
    Parameter parameter;
    bytes::ByteWriter writer(parameter);
    writeIds32(writer, request->fileIds, request->count);
    for (std::uint32_t value : request->values) {
        writer.u32be(value);
    }
    return finishRequest(session, kQDXAOpReplaceFiles, ids, parameter);
}

std::uint32_t make_ChangeFileBoxPassword(PacketSession* session, const QDXAIdentifiers* ids,
                                         const QDXAChangeFileBoxPasswordRequest* request) {
    if (request == nullptr) return 0;
    Parameter parameter;
    bytes::ByteWriter writer(parameter);
    for (std::uint32_t value : request->values) {
        writer.u32be(value);
    }
    writer.u8(request->flag);
    return finishRequest(session, kQDXAOpChangeFileBoxPassword, ids, parameter);
}

std::uint32_t make_AcquireResource(PacketSession* session, const QDXAIdentifiers* ids,
                                   std::uint32_t resourceId) {
    Parameter parameter;
    bytes::ByteWriter(parameter).u32be(resourceId);
    return finishRequest(session, kQDXAOpAcquireResource, ids, parameter);
}
