// Appends the bytes of one printer command at a cursor; the builders' common tool.
#pragma once

#include <charconv>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "command/command_cursor.h"
#include "rastercore/result_codes.h"

namespace command_detail {

inline constexpr std::uint8_t kEscape = 0x1B;
/// Room for a 32-bit number in decimal with its sign.
inline constexpr int kNumberChars = 11;

/// Writes one command at the cursor, never past its end. `finish` stores the command's length,
/// advances the cursor past it and returns 0; when the command did not fit (or the cursor was
/// already full) it stores 0, leaves the cursor where it was, marks it full and returns 12010.
class CommandWriter {
  public:
    explicit CommandWriter(CommandCursor* cursor)
        : cursor_(cursor), at_(cursor->at), fits_(!cursor->full) {}

    CommandWriter& escape() { return byte(kEscape); }
    CommandWriter& byte(std::uint8_t value) {
        if (fits_ && at_ != cursor_->end) {
            *at_++ = value;
        } else {
            fits_ = false;
        }
        return *this;
    }
    CommandWriter& text(std::string_view value) { return bytes(value.data(), value.size()); }
    CommandWriter& bytes(const void* data, std::size_t count) {
        if (!fits_ || count > static_cast<std::size_t>(cursor_->end - at_)) {
            fits_ = false;
        } else if (count != 0) {
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
        if (!fits_) {
            *length = 0;
            cursor_->full = true;
            return rastercore::kCommandBadArgument;
        }
        *length = static_cast<std::uint32_t>(at_ - cursor_->at);
        cursor_->at = at_;
        return rastercore::kResultOk;
    }

  private:
    CommandCursor* cursor_;
    std::uint8_t* at_;
    bool fits_;
};

}  // namespace command_detail
