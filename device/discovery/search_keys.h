// Search keys: the texts that narrow a printer search, and how they match printer names.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace device {

/// A search-key list handle: UTF-8 keys in the order appended.
struct SearchKeyList {
    std::vector<std::string> keys;
};

/// Keys longer than this many characters match nothing.
inline constexpr std::size_t kSearchKeyMaxCharacters = 255;

/// The number of characters (code points) of a UTF-8 text; nothing when it is not valid UTF-8
/// (overlong forms, surrogates and code points above U+10FFFF included).
std::optional<std::size_t> Utf8CharacterCount(std::string_view text);

/// Whether `key` is 1 to 255 characters long and occurs in `name` (case-sensitive, anywhere).
bool SearchKeyMatches(std::string_view key, std::string_view name);

/// Whether any of `keys` matches `name`.
bool SearchKeysMatch(const std::vector<std::string>& keys, std::string_view name);

}  // namespace device
