// The old list of user-defined papers ("user.pref") and the old list of custom ids, read where
// they lie: a big-endian signed 16-bit count, then that many fixed-size entries. Numbers are
// decoded as they are read, so a list needs no conversion first; no accessor reads past the bytes
// it is given, whatever the count claims: only the entries that the bytes hold whole are listed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#pragma pack(push, 1)
/// One paper as the old file stores it; numbers big-endian.
struct PaperIDRec {
    std::uint8_t paperID[2];     ///< signed 16-bit
    std::uint8_t paperName[64];  ///< length-prefixed, at most 63 characters
    std::uint8_t width[4];       ///< signed 32-bit
    std::uint8_t height[4];      ///< signed 32-bit
    std::uint8_t flags[4];
};
#pragma pack(pop)
static_assert(sizeof(PaperIDRec) == 78);
static_assert(offsetof(PaperIDRec, paperName) == 2);
static_assert(offsetof(PaperIDRec, width) == 66);
static_assert(offsetof(PaperIDRec, flags) == 74);

/// A list as loaded from its file: the count, then the entries.
using OldList = std::span<const std::uint8_t>;

/// Bytes of the count before the entries.
inline constexpr std::size_t kOldListCountSize = 2;
/// Bytes of one entry of a custom id list.
inline constexpr std::size_t kCustomIDEntrySize = 16;

/// Which records of a paper list an accessor admits. One rule for every accessor that takes a
/// kind, so that a position found by PaperID_GetIndex is the one PaperID_Get takes.
inline constexpr std::int16_t kPaperKindAll = 0;
/// Only the records whose flags have bit 1 set.
inline constexpr std::int16_t kPaperKindFlag1 = 1;
/// The records whose flags do not have bit 8 set. Any other kind admits every record.
inline constexpr std::int16_t kPaperKindWithoutFlag8 = 2;

/// The count at the start of a list; none when the list is shorter than the count or the count
/// is negative.
std::optional<std::size_t> declaredListCount(OldList list);

/// How many of the paper records that `list` holds `kind` admits.
std::int16_t PaperID_GetCount(OldList list, std::int16_t kind);

/// The record at 1-based `position` among those `kind` admits; none when there is no such
/// position.
std::optional<PaperIDRec> PaperID_Get(OldList list, std::int16_t position, std::int16_t kind);

/// The first record whose id is `id`; none when no record has it.
std::optional<PaperIDRec> PaperID_IDGet(OldList list, std::int16_t id);

/// The 1-based position, among the records `kind` admits, of the first of them whose id is
/// `id`; 0 when none of them has it.
std::int16_t PaperID_GetIndex(OldList list, std::int16_t id, std::int16_t kind);

/// How many entries a list of custom ids holds (a negative count holds none).
std::int16_t CustomID_GetCount(OldList list);

/// The entry at 1-based `position` of a list of custom ids; none when there is no such entry.
std::optional<std::span<const std::uint8_t, kCustomIDEntrySize>> CustomID_Get(
    OldList list, std::int16_t position);
