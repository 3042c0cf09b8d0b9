// Listing the objects of a class.
#include "glue/glue_error.h"
#include "glue/glue_internal.h"
#include "glue/glue_operations.h"
#include "qdxa/qdxa_error.h"
#include "qdxa/qdxa_operations.h"

namespace {

bool deliversIds(std::int32_t status) {
    return status == kQDXASuccess || status == kQDXASuccessAlso || status == kQDXAMoreToFetch;
}

}  // namespace

std::int32_t glue_qdxaListObjects2(GlueSession* session, std::uint16_t objectClass,
                                   std::uint32_t selector, std::uint32_t parentId,
                                   std::uint32_t filter, WqsMemHandle* handle, std::uint32_t* size,
                                   std::uint16_t* idCount) {
    if (session == nullptr || session->packetSession == nullptr || handle == nullptr ||
        size == nullptr) {
        return kGlueParamErr;
    }
    *size = 0;
    if (idCount != nullptr) {
        *idCount = 0;
    }
    const QDXAIdentifiers ids = device::glueIdentifiers(*session);
    QDXAListObjects2Request request;
    request.objectClass = objectClass;
    request.selector = static_cast<std::uint8_t>(selector);
    request.parentId = parentId;
    request.filter = filter;
    std::uint32_t total = 0;
    std::uint16_t count = 0;
    for (;;) {
        QDXAListObjects2Reply reply;
        const std::int32_t status =
            QDXA_ListObjects2(session->packetSession, &ids, &request, &reply);
        if (!deliversIds(status)) {
            return status;
        }
        const bool more = status != kQDXASuccess && reply.listHandle != 0;
        const auto endList = [&] {
            device::glueEndList(*session, request, reply.listHandle, QDXA_ListObjects2);
        };
        // A continuation that delivers nothing yet asks to go on would never end the list.
        if (more && request.operation == kQDXAListContinue && reply.count == 0) {
            endList();
            return kGlueListStalled;
        }
        const std::int32_t appended = device::glueAppend(
            handle, total, reinterpret_cast<const std::uint8_t*>(reply.ids.get()),
            reply.count * static_cast<std::uint32_t>(sizeof(std::uint32_t)));
        if (appended != kGlueNoErr) {
            if (more) {
                endList();
                return kGlueGrowErr;
            }
            return appended;
        }
        count = static_cast<std::uint16_t>(count + reply.count);
        if (!more) {
            break;
        }
        request.operation = kQDXAListContinue;
        request.listHandle = reply.listHandle;
    }
    device::glueFitHandle(handle, total);
    *size = total;
    if (idCount != nullptr) {
        *idCount = count;
    }
    return kGlueNoErr;
}
