// The colour tables of the media database hold named parts:
//   "MTB1", u32 length of the whole table, u32 count, count entries of { char name[16]
//   (zero-terminated), u32 offset, u32 length } (offsets from the table's start), then the
//   payloads; integers little-endian. A reader handed the table alone takes its extent from the
//   length field.
// Payloads: curves ("x_08", "x_std", ...): u16 sample count, then that many u16 samples;
// CSC1 parts ("h_srgb_per", ...): u32 rendering intent (ICC numbering), u32 working space
// (2 sRGB, 1 Adobe RGB, 0 none), then the zero-terminated printer-profile file name;
// error diffusion: four weights and a u16 divisor; resolution conversion: u16 input and output
// dots per inch; dither: a 16 x 16 threshold matrix; index data: a level count, then the levels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace medab2 {

inline constexpr std::size_t kPartNameBytes = 16;
inline constexpr std::size_t kPartEntryBytes = kPartNameBytes + 8;
inline constexpr std::size_t kPartsHeadBytes = 12;
inline constexpr char kPartsMagic[] = "MTB1";
inline constexpr std::size_t kPartsMagicBytes = 4;

inline std::uint32_t loadPartLE32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

/// The length a table declares for itself (its first kPartsHeadBytes must be readable), or 0
/// when it does not start as a table of parts.
inline std::uint32_t declaredTableLength(const std::uint8_t* table) {
    if (table == nullptr || std::memcmp(table, kPartsMagic, kPartsMagicBytes) != 0)
        return 0;
    const std::uint32_t length = loadPartLE32(table + kPartsMagicBytes);
    return length < kPartsHeadBytes ? 0 : length;
}

/// The payload of the named part, or an empty span when the table does not hold it intact.
inline std::span<const std::uint8_t> findPart(std::span<const std::uint8_t> table,
                                              const char* name) {
    if (table.size() < kPartsHeadBytes || declaredTableLength(table.data()) != table.size()) {
        return {};
    }
    const std::uint32_t count = loadPartLE32(table.data() + kPartsMagicBytes + 4);
    if (count > (table.size() - kPartsHeadBytes) / kPartEntryBytes) {
        return {};
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint8_t* entry = table.data() + kPartsHeadBytes + i * kPartEntryBytes;
        if (strnlen(reinterpret_cast<const char*>(entry), kPartNameBytes) == kPartNameBytes ||
            std::strcmp(reinterpret_cast<const char*>(entry), name) != 0) {
            continue;
        }
        const std::uint32_t offset = loadPartLE32(entry + kPartNameBytes);
        const std::uint32_t length = loadPartLE32(entry + kPartNameBytes + 4);
        if (offset > table.size() || length > table.size() - offset) {
            return {};
        }
        return table.subspan(offset, length);
    }
    return {};
}

}  // namespace medab2
