// Which strings a property list carries unchanged: both formats hold strings and keys as UTF-8
// and libplist passes them as C strings, so other bytes, or a zero byte, would come back altered;
// an XML list cannot hold control characters at all, not even as character references.
#pragma once

#include <string>
#include <string_view>

namespace cf {

/// Whether `text` is well-formed UTF-8 (no overlong forms, surrogates or code points past
/// U+10FFFF) without a zero byte.
bool isListText(std::string_view text);

/// Whether list text (see isListText) holds only characters that XML 1.0 can hold: no control
/// character but tab, line feed and carriage return, and neither U+FFFE nor U+FFFF.
bool holdsOnlyXmlCharacters(std::string_view listText);

/// List text without the characters that XML 1.0 cannot hold (see holdsOnlyXmlCharacters).
std::string withoutNonXmlCharacters(std::string_view listText);

/// Whether XML 1.0 can hold the character `code`.
bool isXmlCharacter(char32_t code);

}  // namespace cf
