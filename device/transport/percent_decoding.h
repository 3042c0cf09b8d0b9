// Percent-decoding of URI text (RFC 3986 2.1): "%" followed by two hexadecimal digits (either
// case) stands for one byte.
#pragma once

#include <string>
#include <string_view>

namespace device {

/// The decoded text, and whether an escape was malformed.
struct PercentDecoded {
    std::string text;        ///< every escape decoded; a "%" without two hexadecimal digits
                             ///< after it is copied as it stands
    bool malformed = false;  ///< some "%" lacked its two hexadecimal digits
};

/// Decodes every escape of `text`; any other character is copied.
PercentDecoded percentDecoded(std::string_view text);

}  // namespace device
