// Colorant levels, the marker and the supply counters of the printer.
#include "query/query_marker.h"

#include <algorithm>
#include <vector>

#include "glue/glue_error.h"
#include "glue/glue_operations.h"
#include "query/query_internal.h"
#include "query/query_records.h"

namespace {

// Where each colorant code goes: a level output (1 to 10) or a list (0 to 4), and its flag bit.
struct Colorant {
    std::uint8_t code;
    std::int8_t level;  ///< 1 to 10, or 0 for a list
    std::int8_t list;   ///< 0 to 4, or -1
    std::uint8_t flagByte;
    std::uint8_t flagBit;
};

constexpr Colorant kColorants[] = {
    {1, 1, -1, 0, 1},    // black
    {21, 2, -1, 0, 64},  // matt black
    {7, 3, -1, 0, 2},    // cyan
    {8, 4, -1, 0, 4},    // magenta
    {9, 5, -1, 0, 8},    // yellow
    {12, 6, -1, 0, 16},  // light cyan
    {13, 7, -1, 0, 32},  // light magenta
    {2, 8, -1, 1, 64},  {3, 9, -1, 1, 128}, {22, 10, -1, 2, 1}, {15, 0, 0, 1, 1},
    {16, 0, 1, 1, 2},   {17, 0, 2, 1, 4},   {18, 0, 3, 1, 8},   {19, 0, 4, 1, 16},
};

constexpr std::uint8_t kEveryEntryFlagByte = 3;
constexpr std::uint8_t kEveryEntryFlagBit = 128;
constexpr std::uint8_t kWasteInkKind = 3;
constexpr std::uint8_t kWasteInkFlagByte = 1;
constexpr std::uint8_t kWasteInkFlagBit = 32;

struct ColorantEntry {
    std::uint8_t code;
    std::uint8_t level;
};

// Count byte, then 3-byte entries; stops at the first entry the reply does not hold.
std::vector<ColorantEntry> readTriples(std::span<const std::uint8_t> value) {
    bytes::ByteReader reader(value);
    const std::uint8_t count = reader.u8().value_or(0);
    std::vector<ColorantEntry> entries;
    for (std::uint8_t index = 0; index < count; ++index) {
        const auto entry = reader.take(3);
        if (!entry) {
            break;
        }
        entries.push_back({(*entry)[0], (*entry)[1]});
    }
    return entries;
}

void sizeLists(MarkerColorantInfo& info, std::uint32_t entries) {
    for (WqsMemHandle*& list : info.lists) {
        if (list != nullptr && device::querySizeValues(list, entries) != kGlueNoErr) {
            list = nullptr;  // not filled; the caller keeps its handle
        }
    }
}

}  // namespace

std::int32_t glue_qdxaGetMarkerColorantInfo(GlueSession* session, MarkerColorantInfo* info) {
    if (session == nullptr || info == nullptr) {
        return kGlueParamErr;
    }
    std::fill(std::begin(info->levels), std::end(info->levels), 0);
    std::fill(std::begin(info->flags), std::end(info->flags), 0);
    std::fill(std::begin(info->listCounts), std::end(info->listCounts), 0);
    info->pairCount = 0;
    device::AttributeReply reply;
    const std::int32_t status = reply.read(*session, kGlueObjectPrinter, kAttrMarkerColorants);
    if (status == kGlueMemErr) {
        return kGlueNoErr;
    }
    if (status != kGlueNoErr) {
        return device::queryNoInformationIsSuccess(status);
    }
    const std::vector<ColorantEntry> entries = readTriples(reply.value());
    const auto entryCount = static_cast<std::uint32_t>(entries.size());
    // The lists are sized for every entry and cut to their counts at the end; a handle that
    // cannot grow is left out (the caller's handle is not touched).
    MarkerColorantInfo work = *info;
    sizeLists(work, entryCount);
    WqsMemHandle* pairs = work.pairs;
    if (pairs != nullptr && device::querySizeValues(pairs, 2 * entryCount) != kGlueNoErr) {
        pairs = nullptr;
    }
    for (const ColorantEntry& entry : entries) {
        info->flags[kEveryEntryFlagByte] |= kEveryEntryFlagBit;
        if (pairs != nullptr) {
            device::queryStoreValue(pairs, 2u * info->pairCount, entry.code);
            device::queryStoreValue(pairs, 2u * info->pairCount + 1, entry.level);
            ++info->pairCount;
        }
        const auto colorant = std::find_if(std::begin(kColorants), std::end(kColorants),
                                           [&](const Colorant& c) { return c.code == entry.code; });
        if (colorant == std::end(kColorants)) {
            continue;
        }
        info->flags[colorant->flagByte] |= colorant->flagBit;
        if (colorant->level > 0) {
            info->levels[colorant->level - 1] = entry.level;
        } else if (WqsMemHandle* list = work.lists[colorant->list]; list != nullptr) {
            device::queryStoreValue(list, info->listCounts[colorant->list]++, entry.level);
        }
    }
    for (std::uint32_t index = 0; index < kMarkerListCount; ++index) {
        if (work.lists[index] != nullptr) {
            device::querySizeValues(work.lists[index], info->listCounts[index]);
        }
    }
    if (pairs != nullptr) {
        device::querySizeValues(pairs, 2u * info->pairCount);
    }
    return kGlueNoErr;
}

std::int32_t glue_qdxaGetMarkerInfo(GlueSession* session, std::uint32_t* first,
                                    std::uint8_t* string, std::uint8_t* afterString,
                                    std::uint8_t* colourCount, std::uint8_t* colours,
                                    std::uint32_t capacity) {
    if (session == nullptr || first == nullptr || string == nullptr || afterString == nullptr ||
        colourCount == nullptr || (colours == nullptr && capacity != 0)) {
        return kGlueParamErr;
    }
    *first = 0;
    string[0] = 0;
    *afterString = 0;
    *colourCount = 0;
    device::AttributeReply reply;
    const std::int32_t status = reply.read(*session, kGlueObjectPrinter, kAttrMarker);
    if (status != kGlueNoErr) {
        return status;
    }
    // Byte 2, two bytes, a string, one byte, a length byte m and m colour codes.
    bytes::ByteReader reader(reply.value());
    const auto leading = reader.u8();
    if (!leading) {
        return kGlueNoErr;
    }
    *first = *leading;
    if (!reader.skip(2) || !device::queryReadString(reader, string, 32)) {
        return kGlueNoErr;
    }
    const auto after = reader.u8();
    const auto listed = reader.u8();
    if (!after || !listed) {
        return kGlueNoErr;
    }
    *afterString = *after;
    const auto held = std::min<std::size_t>({*listed, reader.remaining(), capacity});
    if (held != 0) {
        const auto codes = reader.take(held);
        std::copy(codes->begin(), codes->end(), colours);
    }
    *colourCount = static_cast<std::uint8_t>(held);
    return kGlueNoErr;
}

std::int32_t glue_qdxaGetMarkerSupplyCounterInfo(GlueSession* session, std::uint32_t* wasteInk,
                                                 std::uint8_t* flags) {
    if (session == nullptr || wasteInk == nullptr || flags == nullptr) {
        return kGlueParamErr;
    }
    *wasteInk = 0;
    device::AttributeReply reply;
    const std::int32_t status = reply.read(*session, kGlueObjectPrinter, kAttrMarkerSupplyCounters);
    if (status == kGlueMemErr) {
        return kGlueNoErr;
    }
    if (status != kGlueNoErr) {
        return device::queryNoInformationIsSuccess(status);
    }
    for (const ColorantEntry& entry : readTriples(reply.value())) {
        if (entry.code == kWasteInkKind) {
            *wasteInk = entry.level;
            flags[kWasteInkFlagByte] |= kWasteInkFlagBit;
        }
    }
    return kGlueNoErr;
}
