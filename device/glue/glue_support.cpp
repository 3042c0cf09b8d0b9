// Support tests answered from bit sets that the session fills from the printer once.
#include "glue/glue_support.h"

#include <iterator>

#include "bytes/byte_order.h"
#include "glue/glue_internal.h"
#include "glue/glue_operations.h"

namespace {

// A supported-item list: a 16-bit count at byte 2 of the attribute buffer, then 3-byte entries
// from byte 4 (a 16-bit item id and a flag byte; flag 1 means supported).
constexpr std::uint32_t kCountOffset = 2;
constexpr std::uint32_t kEntriesOffset = 4;
constexpr std::uint32_t kEntrySize = 3;
constexpr std::uint8_t kSupported = 1;

struct SupportBit {
    std::uint16_t item;
    std::uint64_t bit;
};

/// Where a support set comes from and where it is kept.
struct SupportList {
    std::uint32_t object;
    std::uint16_t attribute;
    std::uint8_t cacheFlag;
    std::uint64_t GlueSession::*bits;
    const SupportBit* table;
    std::size_t tableSize;
};

constexpr SupportBit kJobAttributeBits[] = {
    {2018, kGlueJobAttr2018}, {2027, kGlueJobAttr2027}, {2007, kGlueJobAttr2007},
    {12, kGlueJobAttr12},     {7, kGlueJobAttr7},       {277, kGlueJobAttr277},
    {279, kGlueJobAttr279},
};
constexpr std::uint16_t kSupportedJobAttributes = 63;
constexpr SupportList kJobAttributes{kGlueObjectJobService,
                                     kSupportedJobAttributes,
                                     kGlueSupportCacheJobAttributes,
                                     &GlueSession::jobAttributeSupport,
                                     kJobAttributeBits,
                                     std::size(kJobAttributeBits)};

std::uint64_t bitOf(const SupportList& list, std::uint16_t item) {
    for (std::size_t index = 0; index < list.tableSize; ++index) {
        if (list.table[index].item == item)
            return list.table[index].bit;
    }
    return 0;
}

void readSupportList(GlueSession& session, const SupportList& list) {
    GlueHandle handle(Wqs_Mem_NewHandleClear(RecievePacketSize(session.packetSession)));
    std::uint32_t size = 0;
    if (!handle || glue_qdxaListAttributesOpen(&session, list.object, 1, &list.attribute,
                                               handle.get(), &size, nullptr) != 0) {
        return;
    }
    bytes::ByteReader in({handle->data, size});
    const auto count = in.skip(kCountOffset) ? in.u16be() : std::nullopt;
    if (!count || !in.skip(kEntriesOffset - kCountOffset - 2)) {
        return;
    }
    for (std::uint16_t index = 0; index < *count && in.remaining() >= kEntrySize; ++index) {
        const std::uint16_t item = *in.u16be();
        if (*in.u8() == kSupported) {
            session.*list.bits |= bitOf(list, item);
        }
    }
}

std::uint8_t supports(GlueSession* session, const SupportList& list, std::uint64_t mask) {
    if (session == nullptr) {
        return 0;
    }
    if ((session->supportCacheFlags & list.cacheFlag) == 0) {
        // Asked once: a failed read leaves the set empty for the session's life.
        readSupportList(*session, list);
        session->supportCacheFlags |= list.cacheFlag;
    }
    return mask == 0 || (session->*list.bits & mask) != 0 ? 1 : 0;
}

}  // namespace

std::uint8_t glue_qdxaSupportJobAttribute(GlueSession* session, std::uint64_t mask) {
    return supports(session, kJobAttributes, mask);
}
