// The attributes of one object in one buffer: one Get2 of all of them, else one Get2 per
// attribute, else every attribute element by element.
#include <cstring>

#include "bytes/byte_order.h"
#include "glue/glue_error.h"
#include "glue/glue_internal.h"
#include "glue/glue_operations.h"
#include "qdxa/qdxa_error.h"

namespace {

/// Rewrites the Get2 answer for one object (u32 object id, u16 attribute count, per attribute
/// u16 id, u16 length, value) in place as per attribute u16 id and value; an attribute that
/// runs past the data ends it. Returns the compacted length and the attributes kept.
std::uint32_t compactGet2Answer(std::uint8_t* data, std::uint32_t length, std::uint16_t& kept) {
    kept = 0;
    bytes::ByteReader in({data, length});
    std::uint32_t written = 0;
    const auto attributes = in.skip(4) ? in.u16be() : std::nullopt;
    for (std::uint16_t index = 0; attributes && index < *attributes; ++index) {
        const auto id = in.u16be();
        const auto valueLength = in.u16be();
        const auto value = valueLength ? in.take(*valueLength) : std::nullopt;
        if (!id || !value) {
            break;
        }
        // The output never overtakes the input: each attribute loses its length field.
        bytes::storeBE16(data + written, *id);
        std::memmove(data + written + 2, value->data(), value->size());
        written += 2 + static_cast<std::uint32_t>(value->size());
        ++kept;
    }
    return written;
}

/// One Get2 of one object, compacted into `handle` from its start.
std::int32_t z_ListAttributesOpen_Get2(GlueSession& session, std::uint32_t objectId,
                                       std::uint16_t attributeCount,
                                       const std::uint16_t* attributeIds, WqsMemHandle* handle,
                                       std::uint32_t& size, std::uint16_t& count) {
    size = 0;
    count = 0;
    QDXAGet2Reply reply;
    const std::int32_t status =
        device::glueRequestGet2(session, &objectId, 1, attributeIds, attributeCount, reply);
    if (status != kQDXASuccess) {
        return status;
    }
    const std::uint32_t length =
        reply.objectCount == 0 ? 0
                               : compactGet2Answer(reply.data.copy.get(), reply.data.length, count);
    const std::int32_t appended = device::glueAppend(handle, size, reply.data.copy.get(), length);
    if (appended != kGlueNoErr) {
        return appended;
    }
    device::glueFitHandle(handle, size);
    return kGlueNoErr;
}

/// One Get2 per attribute, appended in order.
std::int32_t readOneByOne(GlueSession& session, std::uint32_t objectId,
                          std::uint16_t attributeCount, const std::uint16_t* attributeIds,
                          WqsMemHandle* handle, std::uint32_t& size) {
    size = 0;
    device::GlueHandle scratch(Wqs_Mem_NewHandle(handle->size));
    if (!scratch) {
        return kGlueMemErr;
    }
    for (std::uint16_t index = 0; index < attributeCount; ++index) {
        std::uint32_t scratchSize = 0;
        std::uint16_t ignored = 0;
        std::int32_t status = z_ListAttributesOpen_Get2(session, objectId, 1, &attributeIds[index],
                                                        scratch.get(), scratchSize, ignored);
        if (status == kGlueNoErr) {
            status = device::glueAppend(handle, size, scratch->data, scratchSize);
        }
        if (status != kGlueNoErr) {
            return status;
        }
    }
    device::glueFitHandle(handle, size);
    return kGlueNoErr;
}

/// Every attribute element by element: per attribute u16 id, u16 element count, elements.
std::int32_t z_ListAttributesOpen_GetListElement(GlueSession& session, std::uint32_t objectId,
                                                 std::uint16_t attributeCount,
                                                 const std::uint16_t* attributeIds,
                                                 WqsMemHandle* handle, std::uint32_t& size) {
    size = 0;
    device::GlueHandle scratch(Wqs_Mem_NewHandle(RecievePacketSize(session.packetSession)));
    if (!scratch) {
        return kGlueMemErr;
    }
    for (std::uint16_t index = 0; index < attributeCount; ++index) {
        std::uint32_t scratchSize = 0;
        std::uint16_t elements = 0;
        std::int32_t status = glue_qdxaGetListElement(&session, objectId, attributeIds[index],
                                                      scratch.get(), &scratchSize, &elements);
        std::uint8_t head[4];
        bytes::storeBE16(head, attributeIds[index]);
        bytes::storeBE16(head + 2, elements);
        if (status == kGlueNoErr) {
            status = device::glueAppend(handle, size, head, sizeof head);
        }
        if (status == kGlueNoErr) {
            status = device::glueAppend(handle, size, scratch->data, scratchSize);
        }
        if (status != kGlueNoErr) {
            return status;
        }
    }
    device::glueFitHandle(handle, size);
    return kGlueNoErr;
}

bool missingArgument(const GlueSession* session, std::uint16_t attributeCount,
                     const std::uint16_t* attributeIds, const WqsMemHandle* handle,
                     const std::uint32_t* size) {
    return session == nullptr || session->packetSession == nullptr || attributeCount == 0 ||
           attributeIds == nullptr || handle == nullptr || size == nullptr;
}

}  // namespace

std::int32_t glue_qdxaListAttributesOpen2(GlueSession* session, std::uint32_t objectId,
                                          std::uint16_t attributeCount,
                                          const std::uint16_t* attributeIds, WqsMemHandle* handle,
                                          std::uint32_t* size, std::uint16_t* count,
                                          std::uint8_t* methodFlags) {
    if (missingArgument(session, attributeCount, attributeIds, handle, size)) {
        return kGlueParamErr;
    }
    std::uint16_t replyCount = 0;
    std::uint8_t flags = kGlueReadByGet2;
    std::int32_t status = z_ListAttributesOpen_Get2(*session, objectId, attributeCount,
                                                    attributeIds, handle, *size, replyCount);
    // Only a refusal of this request falls back; a transport or memory failure does not.
    if (checkQDXAError(status)) {
        replyCount = 0;
        status = readOneByOne(*session, objectId, attributeCount, attributeIds, handle, *size);
    }
    if (checkQDXAError(status)) {
        flags = kGlueReadByListElement;
        replyCount = attributeCount;
        status = z_ListAttributesOpen_GetListElement(*session, objectId, attributeCount,
                                                     attributeIds, handle, *size);
    }
    if (status != kGlueNoErr) {
        *size = 0;
        return status;
    }
    if (count != nullptr) {
        *count = replyCount;
    }
    if (methodFlags != nullptr) {
        *methodFlags = flags;
    }
    return kGlueNoErr;
}

std::int32_t glue_qdxaListAttributesOpen(GlueSession* session, std::uint32_t objectId,
                                         std::uint16_t attributeCount,
                                         const std::uint16_t* attributeIds, WqsMemHandle* handle,
                                         std::uint32_t* size, std::uint16_t* count) {
    return glue_qdxaListAttributesOpen2(session, objectId, attributeCount, attributeIds, handle,
                                        size, count, nullptr);
}

std::int32_t glue_qdxaListAttributesOpenGetListElement(GlueSession* session, std::uint32_t objectId,
                                                       std::uint16_t attributeCount,
                                                       const std::uint16_t* attributeIds,
                                                       WqsMemHandle* handle, std::uint32_t* size,
                                                       std::uint16_t* count) {
    if (missingArgument(session, attributeCount, attributeIds, handle, size)) {
        return kGlueParamErr;
    }
    const std::int32_t status = z_ListAttributesOpen_GetListElement(
        *session, objectId, attributeCount, attributeIds, handle, *size);
    if (status != kGlueNoErr) {
        *size = 0;
        return status;
    }
    if (count != nullptr) {
        *count = attributeCount;
    }
    return kGlueNoErr;
}
