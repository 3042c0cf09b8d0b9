// UTF-16 text as devices and files hand it out, turned into UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "bytes/byte_order.h"

namespace bytes {

enum class Utf16Order { BigEndian, LittleEndian };

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

/// Appends the UTF-8 form of the code point `code` (at most U+10FFFF).
inline void appendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

/// The UTF-8 text of the UTF-16 code units in `units` (an odd last byte is ignored): a surrogate
/// pair becomes its code point, an unpaired surrogate U+FFFD.
inline std::string utf8FromUtf16(std::span<const std::uint8_t> units, Utf16Order order) {
    constexpr char32_t kHighFirst = 0xD800;
    constexpr char32_t kLowFirst = 0xDC00;
    constexpr char32_t kSurrogateEnd = 0xE000;
    constexpr char32_t kSupplementaryFirst = 0x10000;
    constexpr unsigned kPayloadBits = 10;
    const auto unitAt = [&](std::size_t at) -> char32_t {
        return order == Utf16Order::BigEndian ? loadBE16(units.data() + at)
                                              : loadLE16(units.data() + at);
    };
    std::string out;
    for (std::size_t i = 0; i + 1 < units.size(); i += 2) {
        char32_t code = unitAt(i);
        if (code >= kHighFirst && code < kLowFirst && i + 3 < units.size()) {
            const char32_t low = unitAt(i + 2);
            if (low >= kLowFirst && low < kSurrogateEnd) {
                code =
                    kSupplementaryFirst + ((code - kHighFirst) << kPayloadBits) + (low - kLowFirst);
                i += 2;
            }
        }
        appendUtf8(out, code >= kHighFirst && code < kSurrogateEnd ? kReplacementCharacter : code);
    }
    return out;
}

}  // namespace bytes
