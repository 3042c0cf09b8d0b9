// UTF-8 check of property-list strings and keys.
#include "cf/list_text.h"

#include <cstddef>
#include <cstdint>

namespace cf {
namespace {

constexpr std::uint8_t kContinuationMask = 0xC0;
constexpr std::uint8_t kContinuationBits = 0x80;

// The length of the sequence that `lead` starts and the range its second byte must fall in,
// which rules out overlong forms, surrogates and code points past U+10FFFF; 0 for a bad lead.
struct Lead {
    std::size_t length;
    std::uint8_t secondLow;
    std::uint8_t secondHigh;
};

Lead leadOf(std::uint8_t lead) {
    if (lead >= 0xC2 && lead <= 0xDF) {
        return {2, 0x80, 0xBF};
    }
    if (lead == 0xE0) {
        return {3, 0xA0, 0xBF};
    }
    if (lead == 0xED) {
        return {3, 0x80, 0x9F};
    }
    if (lead >= 0xE1 && lead <= 0xEF) {
        return {3, 0x80, 0xBF};
    }
    if (lead == 0xF0) {
        return {4, 0x90, 0xBF};
    }
    if (lead >= 0xF1 && lead <= 0xF3) {
        return {4, 0x80, 0xBF};
    }
    if (lead == 0xF4) {
        return {4, 0x80, 0x8F};
    }
    return {0, 0, 0};
}

}  // namespace

bool isListText(std::string_view text) {
    std::size_t index = 0;
    while (index < text.size()) {
        const auto byte = static_cast<std::uint8_t>(text[index]);
        if (byte == 0) {
            return false;
        }
        if (byte < kContinuationBits) {
            ++index;
            continue;
        }
        const Lead lead = leadOf(byte);
        if (lead.length == 0 || text.size() - index < lead.length) {
            return false;
        }
        const auto second = static_cast<std::uint8_t>(text[index + 1]);
        if (second < lead.secondLow || second > lead.secondHigh) {
            return false;
        }
        for (std::size_t next = 2; next < lead.length; ++next) {
            if ((static_cast<std::uint8_t>(text[index + next]) & kContinuationMask) !=
                kContinuationBits) {
                return false;
            }
        }
        index += lead.length;
    }
    return true;
}

}  // namespace cf
