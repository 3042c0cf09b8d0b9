// Reading a list attribute element by element.
#include "glue/glue_error.h"
#include "glue/glue_internal.h"
#include "glue/glue_operations.h"
#include "qdxa/qdxa_error.h"
#include "qdxa/qdxa_operations.h"

namespace {

/// Appends a reply's elements unless the assembly would pass the largest size.
std::int32_t appendElements(WqsMemHandle* handle, std::uint32_t& total,
                            const QDXAReplyCopy& elements) {
    if (elements.length > kGlueMaxListElementBytes - total) {
        return kGlueGrowErr;
    }
    return device::glueAppend(handle, total, elements.copy.get(), elements.length);
}

}  // namespace

std::int32_t glue_qdxaGetListElement(GlueSession* session, std::uint32_t objectId,
                                     std::uint16_t attributeId, WqsMemHandle* handle,
                                     std::uint32_t* size, std::uint16_t* elementCount) {
    if (session == nullptr || session->packetSession == nullptr || handle == nullptr ||
        size == nullptr || elementCount == nullptr) {
        return kGlueParamErr;
    }
    *size = 0;
    *elementCount = 0;
    const QDXAIdentifiers ids = device::glueIdentifiers(*session);
    QDXAGetListElementRequest request;
    request.objectId = objectId;
    request.attributeId = attributeId;
    std::uint32_t total = 0;
    std::uint16_t count = 0;
    for (;;) {
        QDXAGetListElementReply reply;
        const std::int32_t status =
            QDXA_GetListElement(session->packetSession, &ids, &request, &reply);
        if (status != kQDXASuccess && status != kQDXAMoreToFetch) {
            return status;
        }
        const auto endList = [&] {
            request.previousCount = reply.elementCount;
            device::glueEndList(*session, request, reply.listHandle, QDXA_GetListElement);
        };
        const bool more = status == kQDXAMoreToFetch && reply.listHandle != 0;
        // A continuation that delivers nothing yet asks to go on would never end the list.
        if (more && request.operation == kQDXAListContinue && reply.elements.length == 0) {
            endList();
            return kGlueListStalled;
        }
        const std::int32_t appended = appendElements(handle, total, reply.elements);
        if (appended != kGlueNoErr) {
            if (status == kQDXAMoreToFetch) {
                endList();
                return kGlueGrowErr;
            }
            return appended;
        }
        count = static_cast<std::uint16_t>(count + reply.elementCount);
        if (!more) {
            break;
        }
        request.operation = kQDXAListContinue;
        request.listHandle = reply.listHandle;
        request.previousCount = reply.elementCount;
    }
    device::glueFitHandle(handle, total);
    *size = total;
    *elementCount = count;
    return kGlueNoErr;
}
