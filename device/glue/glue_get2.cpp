// Reading the attributes of many objects with Get2, in batches that shrink when the printer
// refuses them.
#include <algorithm>

#include "glue/glue_error.h"
#include "glue/glue_internal.h"
#include "glue/glue_operations.h"
#include "qdxa/qdxa_error.h"
#include "qdxa/qdxa_operations.h"
#include "qdxa_protocol/codes.h"
#include "qdxa_protocol/packet_header.h"

namespace {

// A request must fit the 512-byte send handle: header, reply room, empty access block, the
// two counts, 4 bytes per object and 2 per attribute.
constexpr std::uint32_t kGet2FixedBytes = qdxa::kHeaderSize + 2 + 2 + 2 + 2;

std::uint16_t largestFittingBatch(std::uint16_t attributeCount) {
    const std::uint32_t attributeBytes = 2u * attributeCount;
    if (attributeBytes + kGet2FixedBytes + 4 > kQDXASendSize) {
        return 1;  // not even one object fits; the codec refuses the request
    }
    return static_cast<std::uint16_t>((kQDXASendSize - kGet2FixedBytes - attributeBytes) / 4);
}

// Printer statuses that refuse a batch as a whole: a smaller batch may pass. A single object
// refused as an object or for an attribute is skipped; with the others the read ends.
bool refusesBatch(std::int32_t status) {
    return status == qdxa::kResultBatchTooLarge || status == qdxa::kResultObjectRefused ||
           status == qdxa::kResultAttributeRefused || status == qdxa::kResultBatchRefused;
}

}  // namespace

namespace device {

std::int32_t glueRequestGet2(GlueSession& session, const std::uint32_t* objectIds,
                             std::uint16_t objectCount, const std::uint16_t* attributeIds,
                             std::uint16_t attributeCount, QDXAGet2Reply& reply) {
    const QDXAIdentifiers ids = glueIdentifiers(session);
    QDXAGet2Request request;
    request.objectCount = objectCount;
    request.objectIds = objectIds;
    request.attributeCount = attributeCount;
    request.attributeIds = attributeIds;
    return QDXA_Get2(session.packetSession, &ids, &request, &reply);
}

}  // namespace device

std::int32_t glue_qdxaGet2(GlueSession* session, std::uint16_t objectCount,
                           const std::uint32_t* objectIds, std::uint16_t attributeCount,
                           const std::uint16_t* attributeIds, WqsMemHandle* handle,
                           std::uint32_t* size, std::uint16_t* replyObjectCount) {
    return glue_qdxaGet2_ForObjCount(session, objectCount, objectCount, objectIds, attributeCount,
                                     attributeIds, handle, size, replyObjectCount);
}

std::int32_t glue_qdxaGet2_ForObjCount(GlueSession* session, std::uint16_t objectCount,
                                       std::uint16_t largestBatch, const std::uint32_t* objectIds,
                                       std::uint16_t attributeCount,
                                       const std::uint16_t* attributeIds, WqsMemHandle* handle,
                                       std::uint32_t* size, std::uint16_t* replyObjectCount) {
    if (session == nullptr || session->packetSession == nullptr || objectIds == nullptr ||
        attributeIds == nullptr || handle == nullptr || size == nullptr || objectCount == 0 ||
        attributeCount == 0 || largestBatch == 0) {
        return kGlueParamErr;
    }
    *size = 0;
    if (replyObjectCount != nullptr) {
        *replyObjectCount = 0;
    }
    std::uint32_t total = 0;
    std::uint16_t delivered = 0;
    std::uint16_t batch =
        std::min({objectCount, largestBatch, largestFittingBatch(attributeCount)});
    std::uint16_t next = 0;
    while (next < objectCount) {
        batch = std::min<std::uint16_t>(batch, objectCount - next);
        QDXAGet2Reply reply;
        const std::int32_t status = device::glueRequestGet2(*session, objectIds + next, batch,
                                                            attributeIds, attributeCount, reply);
        if (status == kQDXASuccess) {
            if (device::glueAppend(handle, total, reply.data.copy.get(), reply.data.length) !=
                kGlueNoErr) {
                return kGlueGrowErr;
            }
            // The printer answers the leading objects that fit its reply; the rest are asked
            // again. A reply that answers none still moves on by one object, so the read ends.
            const auto answered = std::min(reply.objectCount, batch);
            delivered = static_cast<std::uint16_t>(delivered + answered);
            next = static_cast<std::uint16_t>(next + std::max<std::uint16_t>(answered, 1));
        } else if (refusesBatch(status) && batch > 1) {
            batch /= 2;
        } else if (batch == 1 && (status == qdxa::kResultObjectRefused ||
                                  status == qdxa::kResultAttributeRefused)) {
            ++next;
        } else {
            // A printer result of 0 is no success: report that no valid result came.
            return status == kGlueNoErr ? kQDXANoValidResult : status;
        }
    }
    device::glueFitHandle(handle, total);
    *size = total;
    if (replyObjectCount != nullptr) {
        *replyObjectCount = delivered;
    }
    return kGlueNoErr;
}
