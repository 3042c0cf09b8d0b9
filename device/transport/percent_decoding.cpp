// Percent-decoding of URI text.
#include "transport/percent_decoding.h"

namespace {

constexpr std::size_t kEscapeLength = 3;  // "%" and two hexadecimal digits
constexpr int kHexBase = 16;
constexpr int kHexLetterValue = 10;  // "a" and "A"

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + kHexLetterValue;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + kHexLetterValue;
    }
    return -1;
}

}  // namespace

namespace device {

PercentDecoded percentDecoded(std::string_view text) {
    PercentDecoded decoded;
    decoded.text.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            decoded.text.push_back(text[i]);
            continue;
        }
        const int high = text.size() - i >= kEscapeLength ? hexDigit(text[i + 1]) : -1;
        const int low = high >= 0 ? hexDigit(text[i + 2]) : -1;
        if (low < 0) {
            decoded.malformed = true;
            decoded.text.push_back(text[i]);
            continue;
        }
        decoded.text.push_back(static_cast<char>(high * kHexBase + low));
        i += 2;
    }
    return decoded;
}

}  // namespace device
