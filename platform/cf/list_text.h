// Which strings a property list carries unchanged: both formats hold strings and keys as UTF-8
// and libplist passes them as C strings, so other bytes, or a zero byte, would come back altered.
#pragma once

#include <string_view>

namespace cf {

/// Whether `text` is well-formed UTF-8 (no overlong forms, surrogates or code points past
/// U+10FFFF) without a zero byte.
bool isListText(std::string_view text);

}  // namespace cf
