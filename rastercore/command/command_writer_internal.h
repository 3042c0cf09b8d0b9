// Appends the bytes of one printer command at a cursor; the builders' common tool.
#pragma once

#include <charconv>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace command_detail {

inline constexpr std::uint8_t kEscape = 0x1B;
/// Room for a 32-bit number in decimal with its sign.
inline constexpr int kNumberChars = 11;

/// Writes at `*cursor`; `finish` stores the count, advances the cursor and returns 0. The
/// caller guarantees room: band commands go into a buffer of at least the generator's
/// `bandCommandSize`, which the band loop checks before its first band.
class CommandWriter {
  public:
    explicit CommandWriter(std::uint8_t** cursor) : cursor_(cursor), at_(*cursor) {}

    CommandWriter& escape() { return byte(kEscape); }
    CommandWriter& byte(std::uint8_t value) {
        *at_++ = value;
        return *this;
    }
    CommandWriter& text(std::string_view value) { return bytes(value.data(), value.size()); }
    CommandWriter& bytes(const void* data, std::size_t count) {
        if (count != 0) {
            std::memcpy(at_, data, count);
            at_ += count;
        }
        return *this;
    }
    /// A decimal number; `explicitPlus` adds "+" before values of 0 and above.
    CommandWriter& number(std::int64_t value, bool explicitPlus = false) {
        if (explicitPlus && value >= 0) {
            byte('+');
        }
        char digits[kNumberChars + 9];
        const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        return bytes(digits, static_cast<std::size_t>(end - digits));
    }

    std::int32_t finish(std::uint32_t* length) {
        *length = static_cast<std::uint32_t>(at_ - *cursor_);
        *cursor_ = at_;
        return 0;
    }

  private:
    std::uint8_t** cursor_;
    std::uint8_t* at_;
};

}  // namespace command_detail
