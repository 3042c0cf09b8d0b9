// Stored files and file boxes: print a stored file again, delete or replace stored files, and
// change a file box's password.
#include <algorithm>

#include "bytes/byte_order.h"
#include "control/control_internal.h"
#include "control/control_operations.h"
#include "glue/glue_error.h"
#include "glue/glue_internal.h"
#include "qdxa/qdxa_error.h"
#include "qdxa/qdxa_operations.h"

namespace {

/// The reply's file ids replace the caller's list only when they fit in the caller's entries;
/// otherwise the list and its count stay as they were.
void takeReplyIds(const QDXAFileListReply& reply, std::uint16_t* count, std::uint32_t* fileIds) {
    if (*count < reply.count) {
        return;
    }
    if (reply.count != 0 && reply.ids != nullptr) {
        std::copy_n(reply.ids.get(), reply.count, fileIds);
    }
    *count = reply.ids != nullptr ? reply.count : 0;
}

/// Sends a file-list request and lets the reply's list update the caller's.
template <typename Request>
std::int32_t exchangeFileList(GlueSession& session, const Request& request,
                              std::int32_t (*operation)(PacketSession*, const QDXAIdentifiers*,
                                                        const Request*, QDXAFileListReply*),
                              std::uint16_t* count, std::uint32_t* fileIds) {
    const QDXAIdentifiers ids = device::glueIdentifiers(session);
    QDXAFileListReply reply;
    const std::int32_t status = operation(session.packetSession, &ids, &request, &reply);
    if (status == kQDXASuccess) {
        takeReplyIds(reply, count, fileIds);
    }
    return device::controlStatus(status);
}

}  // namespace

std::int32_t glue_qdxaExecuteFile2_setCopy(GlueSession* session, std::uint32_t fileId,
                                           std::uint16_t copies) {
    if (session == nullptr) {
        return kGlueParamErr;
    }
    std::uint8_t copyBytes[2];
    bytes::storeBE16(copyBytes, copies);
    const QDXAFileItem item{kFileAttrCopies, sizeof copyBytes, copyBytes};
    const QDXAFileEntry entry{fileId, 1, &item};
    QDXAExecuteFile2Request request;
    request.entryCount = 1;
    request.entries = &entry;
    const QDXAIdentifiers ids = device::glueIdentifiers(*session);
    QDXAExecuteFile2Reply reply;
    return device::controlStatus(QDXA_ExecuteFile2(session->packetSession, &ids, &request, &reply));
}

std::int32_t glue_qdxaDeleteFiles(GlueSession* session, std::uint16_t* count,
                                  std::uint32_t* fileIds, std::uint32_t password) {
    if (session == nullptr || count == nullptr || (*count != 0 && fileIds == nullptr)) {
        return kGlueParamErr;
    }
    QDXADeleteFilesRequest request;
    request.count = *count;
    request.fileIds = fileIds;
    request.password = password;
    return exchangeFileList(*session, request, QDXA_DeleteFiles, count, fileIds);
}

std::int32_t glue_qdxaReplaceFiles(GlueSession* session, std::uint16_t* count,
                                   std::uint32_t* fileIds, std::uint32_t fileBox,
                                   std::uint32_t password1, std::uint32_t password2) {
    if (session == nullptr || count == nullptr || (*count != 0 && fileIds == nullptr)) {
        return kGlueParamErr;
    }
    QDXAReplaceFilesRequest request;
    request.count = *count;
    request.fileIds = fileIds;
    request.values[0] = password1;
    request.values[1] = fileBox;
    request.values[2] = password2;
    return exchangeFileList(*session, request, QDXA_ReplaceFiles, count, fileIds);
}

std::int32_t glue_qdxaChangeFileBoxPassword(GlueSession* session, std::uint32_t fileBox,
                                            std::uint32_t password0, std::uint32_t password1,
                                            std::uint32_t password2, std::uint32_t flags) {
    if (session == nullptr) {
        return kGlueParamErr;
    }
    QDXAChangeFileBoxPasswordRequest request;
    request.values[0] = fileBox;
    request.values[1] = password0;
    request.values[2] = password1;
    request.values[3] = password2;
    request.flag = static_cast<std::uint8_t>(flags);
    const QDXAIdentifiers ids = device::glueIdentifiers(*session);
    QDXAChangeFileBoxPasswordReply reply;
    return device::controlStatus(
        QDXA_ChangeFileBoxPassword(session->packetSession, &ids, &request, &reply));
}
