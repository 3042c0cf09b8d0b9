// Text in the system encoding (UTF-8) and its forms in the encodings the printer takes.
//
// Conversion works on whole characters: a result never ends in part of a character, and a text
// whose every character has no form in the target encoding fails as a whole rather than losing
// characters silently.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace textcodec {

/// Target encodings, by the classic text-encoding codes the job strings are chosen with.
inline constexpr std::uint32_t kEncodingUnicode = 0x0100;  ///< UTF-16 in host byte order
inline constexpr std::uint32_t kEncodingASCII = 0x0600;
inline constexpr std::uint32_t kEncodingShiftJIS = 0x0A01;
inline constexpr std::uint32_t kEncodingLatin1 = 0x0201;  ///< ISO 8859-1

/// True when `text` is well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool isValidUtf8(std::string_view text);

/// The number of characters of well-formed UTF-8 `text`.
std::size_t characterCount(std::string_view text);

/// The longest length up to `limit` at which `text` can be cut without splitting a UTF-8
/// character: a cut through a character moves back to its first byte (at most 3 bytes back).
/// Bytes before the cut that do not form UTF-8 are left as they are.
std::size_t cutLength(std::string_view text, std::size_t limit);

/// `utf8` in `encoding`, as many whole characters as fit in `maxBytes`; none when `utf8` is not
/// well-formed UTF-8, the encoding is not one of the four above, or a character has no form in
/// it.
std::optional<std::string> encode(std::string_view utf8, std::uint32_t encoding,
                                  std::size_t maxBytes);

}  // namespace textcodec
