// Strings of the old settings files: length-prefixed or zero-terminated, in a legacy 8-bit text
// encoding, read inside their fixed fields and converted into UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace converter {

/// The variable naming the iconv encoding of the old files' text.
inline constexpr const char* kLegacyEncodingVariable = "STRATOLINE_LEGACY_ENCODING";
/// The old files' text encoding when the variable is unset or empty: Mac Roman.
inline constexpr const char* kDefaultLegacyEncoding = "MACINTOSH";

/// The iconv name of the old files' text encoding.
const char* legacyEncoding();

/// `bytes` in the legacy encoding as UTF-8; none when a character does not convert.
std::optional<std::string> legacyToUtf8(std::span<const std::uint8_t> bytes);

/// The length-prefixed string that fills `field` (one length byte, then the characters), as
/// UTF-8. None when the field is empty, when the length byte claims more characters than the
/// field holds after it, or when the text does not convert.
std::optional<std::string> lengthPrefixedString(std::span<const std::uint8_t> field);

/// The zero-terminated string at the start of `field`, as UTF-8. None when no zero byte ends it
/// inside the field, or when the text does not convert.
std::optional<std::string> zeroTerminatedString(std::span<const std::uint8_t> field);

}  // namespace converter
