// UTF-8 check of property-list strings and keys, and the characters that XML holds.
#include "cf/list_text.h"

#include <cstddef>
#include <cstdint>

namespace cf {
namespace {

constexpr std::uint8_t kContinuationMask = 0xC0;
constexpr std::uint8_t kContinuationBits = 0x80;

// The characters XML 1.0 holds: tab, line feed, carriage return, and the code points from the
// first printable one on, but for the surrogates, U+FFFE and U+FFFF.
constexpr char32_t kFirstPrintable = 0x20;
constexpr char32_t kLastBeforeSurrogates = 0xD7FF;
constexpr char32_t kFirstAfterSurrogates = 0xE000;
constexpr char32_t kLastBeforeNonCharacters = 0xFFFD;
constexpr char32_t kFirstSupplementary = 0x10000;
constexpr char32_t kLastCodePoint = 0x10FFFF;
// U+FFFE and U+FFFF in UTF-8: these two bytes, then 0xBE or 0xBF.
constexpr std::string_view kNonCharacterStart = "\xEF\xBF";
constexpr std::uint8_t kLastByteOfFFFE = 0xBE;
constexpr std::size_t kNonCharacterLength = 3;

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

// The length of the character at `index` of list text when XML cannot hold it, else 0.
std::size_t nonXmlCharacterAt(std::string_view text, std::size_t index) {
    const auto byte = static_cast<std::uint8_t>(text[index]);
    if (byte < kFirstPrintable) {
        return isXmlCharacter(byte) ? 0 : 1;
    }
    const std::string_view rest = text.substr(index);
    if (rest.size() >= kNonCharacterLength && rest.starts_with(kNonCharacterStart) &&
        static_cast<std::uint8_t>(rest[2]) >= kLastByteOfFFFE) {
        return kNonCharacterLength;
    }
    return 0;
}

}  // namespace

bool isXmlCharacter(char32_t code) {
    return code == U'\t' || code == U'\n' || code == U'\r' ||
           (code >= kFirstPrintable && code <= kLastBeforeSurrogates) ||
           (code >= kFirstAfterSurrogates && code <= kLastBeforeNonCharacters) ||
           (code >= kFirstSupplementary && code <= kLastCodePoint);
}

bool holdsOnlyXmlCharacters(std::string_view listText) {
    for (std::size_t index = 0; index < listText.size(); ++index) {
        if (nonXmlCharacterAt(listText, index) != 0) {
            return false;
        }
    }
    return true;
}

std::string withoutNonXmlCharacters(std::string_view listText) {
    std::string kept;
    kept.reserve(listText.size());
    for (std::size_t index = 0; index < listText.size();) {
        if (const std::size_t skip = nonXmlCharacterAt(listText, index); skip != 0) {
            index += skip;
        } else {
            kept += listText[index++];
        }
    }
    return kept;
}

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
