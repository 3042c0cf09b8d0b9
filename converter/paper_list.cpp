// Accessors of the old paper and custom id lists, bounded by the bytes they are given.
#include "paper_list.h"

#include <algorithm>
#include <cstring>

#include "bytes/byte_order.h"

namespace {

constexpr std::uint32_t kFlag1 = 1u << 1;
constexpr std::uint32_t kFlag8 = 1u << 8;

// How many whole entries of `entrySize` bytes the list holds, at most its count.
std::size_t entriesHeld(OldList list, std::size_t entrySize) {
    const auto count = declaredListCount(list);
    return count ? std::min(*count, (list.size() - kOldListCountSize) / entrySize) : 0;
}

// The paper record at 0-based `index`, which the list holds.
PaperIDRec recordAt(OldList list, std::size_t index) {
    PaperIDRec record;
    std::memcpy(&record, list.data() + kOldListCountSize + index * sizeof record, sizeof record);
    return record;
}

// Whether `kind` admits every record, so that positions are indexes.
bool admitsEvery(std::int16_t kind) {
    return kind != kPaperKindFlag1 && kind != kPaperKindWithoutFlag8;
}

bool admits(std::int16_t kind, const PaperIDRec& record) {
    const std::uint32_t flags = bytes::loadBE32(record.flags);
    switch (kind) {
        case kPaperKindFlag1:
            return (flags & kFlag1) != 0;
        case kPaperKindWithoutFlag8:
            return (flags & kFlag8) == 0;
        default:
            return true;
    }
}

std::int16_t idOf(const PaperIDRec& record) {
    return static_cast<std::int16_t>(bytes::loadBE16(record.paperID));
}

}  // namespace

std::optional<std::size_t> declaredListCount(OldList list) {
    if (list.size() < kOldListCountSize) {
        return std::nullopt;
    }
    const auto count = static_cast<std::int16_t>(bytes::loadBE16(list.data()));
    if (count < 0) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(count);
}

std::int16_t PaperID_GetCount(OldList list, std::int16_t kind) {
    const std::size_t held = entriesHeld(list, sizeof(PaperIDRec));
    if (admitsEvery(kind)) {
        return static_cast<std::int16_t>(held);
    }
    std::int16_t admitted = 0;
    for (std::size_t index = 0; index < held; ++index) {
        admitted += admits(kind, recordAt(list, index)) ? 1 : 0;
    }
    return admitted;
}

std::optional<PaperIDRec> PaperID_Get(OldList list, std::int16_t position, std::int16_t kind) {
    const std::size_t held = entriesHeld(list, sizeof(PaperIDRec));
    if (position < 1) {
        return std::nullopt;
    }
    if (admitsEvery(kind)) {
        const auto index = static_cast<std::size_t>(position - 1);
        return index < held ? std::optional(recordAt(list, index)) : std::nullopt;
    }
    std::int16_t admitted = 0;
    for (std::size_t index = 0; index < held; ++index) {
        const PaperIDRec record = recordAt(list, index);
        if (admits(kind, record) && ++admitted == position) {
            return record;
        }
    }
    return std::nullopt;
}

std::optional<PaperIDRec> PaperID_IDGet(OldList list, std::int16_t id) {
    const std::size_t held = entriesHeld(list, sizeof(PaperIDRec));
    for (std::size_t index = 0; index < held; ++index) {
        const PaperIDRec record = recordAt(list, index);
        if (idOf(record) == id) {
            return record;
        }
    }
    return std::nullopt;
}

std::int16_t PaperID_GetIndex(OldList list, std::int16_t id, std::int16_t kind) {
    const std::size_t held = entriesHeld(list, sizeof(PaperIDRec));
    std::int16_t admitted = 0;
    for (std::size_t index = 0; index < held; ++index) {
        const PaperIDRec record = recordAt(list, index);
        if (!admits(kind, record)) {
            continue;
        }
        ++admitted;
        if (idOf(record) == id) {
            return admitted;
        }
    }
    return 0;
}

std::int16_t CustomID_GetCount(OldList list) {
    return static_cast<std::int16_t>(entriesHeld(list, kCustomIDEntrySize));
}

std::optional<std::span<const std::uint8_t, kCustomIDEntrySize>> CustomID_Get(
    OldList list, std::int16_t position) {
    if (position < 1 || position > CustomID_GetCount(list)) {
        return std::nullopt;
    }
    const std::size_t offset =
        kOldListCountSize + static_cast<std::size_t>(position - 1) * kCustomIDEntrySize;
    return list.subspan(offset).first<kCustomIDEntrySize>();
}
