// Search keys and their matching.
#include "discovery/search_keys.h"

#include <algorithm>
#include <cstdint>

namespace {

// The length of the UTF-8 sequence that `lead` starts, and the smallest code point it may
// carry (shorter forms are overlong); 0 for a byte that starts none.
struct SequenceForm {
    std::size_t length;
    char32_t minimum;
};
SequenceForm sequenceForm(std::uint8_t lead) {
    if (lead < 0x80) {
        return {1, 0};
    }
    if ((lead & 0xE0) == 0xC0) {
        return {2, 0x80};
    }
    if ((lead & 0xF0) == 0xE0) {
        return {3, 0x800};
    }
    if ((lead & 0xF8) == 0xF0) {
        return {4, 0x10000};
    }
    return {0, 0};
}

}  // namespace

namespace device {

std::optional<std::size_t> Utf8CharacterCount(std::string_view text) {
    constexpr char32_t kLastCodePoint = 0x10FFFF;
    constexpr char32_t kSurrogateFirst = 0xD800;
    constexpr char32_t kSurrogateLast = 0xDFFF;
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); ++count) {
        const auto lead = static_cast<std::uint8_t>(text[at]);
        const SequenceForm form = sequenceForm(lead);
        if (form.length == 0 || form.length > text.size() - at) {
            return std::nullopt;
        }
        char32_t codePoint = form.length == 1 ? lead : lead & (0x7F >> form.length);
        for (std::size_t i = 1; i < form.length; ++i) {
            const auto next = static_cast<std::uint8_t>(text[at + i]);
            if ((next & 0xC0) != 0x80) {
                return std::nullopt;
            }
            codePoint = codePoint << 6 | (next & 0x3F);
        }
        if (codePoint < form.minimum || codePoint > kLastCodePoint ||
            (codePoint >= kSurrogateFirst && codePoint <= kSurrogateLast)) {
            return std::nullopt;
        }
        at += form.length;
    }
    return count;
}

bool SearchKeyMatches(std::string_view key, std::string_view name) {
    const std::optional<std::size_t> characters = Utf8CharacterCount(key);
    const std::size_t length = characters.value_or(key.size());
    return length >= 1 && length <= kSearchKeyMaxCharacters &&
           name.find(key) != std::string_view::npos;
}

bool SearchKeysMatch(const std::vector<std::string>& keys, std::string_view name) {
    return std::any_of(keys.begin(), keys.end(),
                       [name](const std::string& key) { return SearchKeyMatches(key, name); });
}

}  // namespace device
