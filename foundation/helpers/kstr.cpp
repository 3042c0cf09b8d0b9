#include "helpers/kstr.h"

#include <cassert>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "helpers/log.h"
#include "helpers/text_encoding.h"

namespace {

constexpr int kMaxPrefixedLength = 255;

void setPrefixed(unsigned char* prefixed, const std::string& text) {
    const std::size_t length = std::min<std::size_t>(text.size(), kMaxPrefixedLength);
    prefixed[0] = static_cast<unsigned char>(length);
    std::memcpy(prefixed + 1, text.data(), length);
}

const char* decimalsFormat(int digits) {
    assert(digits == 1 || digits == 2);
    return digits == 1 ? "%.1f" : "%.2f";
}

std::string format(const char* pattern, double x) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, x);
    return text;
}

}  // namespace

int KStr::StrComp(const void* a, const void* b, int n) {
    if (n <= 0) {
        return 1;
    }
    if (a == nullptr || b == nullptr) {
        return 0;
    }
    return std::memcmp(a, b, static_cast<std::size_t>(n)) == 0 ? 1 : 0;
}

void KStr::kCToPStr(unsigned char* prefixed, const char* cString) {
    if (prefixed == nullptr) {
        return;
    }
    setPrefixed(prefixed, cString == nullptr ? std::string() : std::string(cString));
}

void KStr::kPToCStr(char* cString, const unsigned char* prefixed) {
    if (cString == nullptr || prefixed == nullptr) {
        return;
    }
    std::memcpy(cString, prefixed + 1, prefixed[0]);
    cString[prefixed[0]] = '\0';
}

int KStr::kStringCat(const unsigned char* a, unsigned char* b) {
    if (a == nullptr || b == nullptr || a[0] + b[0] > kMaxPrefixedLength) {
        return 0;
    }
    std::memmove(b + 1 + b[0], a + 1, a[0]);
    b[0] = static_cast<unsigned char>(a[0] + b[0]);
    return 1;
}

void KStr::ToUpper(char* cString) {
    for (; cString != nullptr && *cString != '\0'; ++cString) {
        if (*cString >= 'a' && *cString <= 'z') {
            *cString = static_cast<char>(*cString - 'a' + 'A');
        }
    }
}

std::string KStr::NumToCFString(std::int32_t n, std::string* out) {
    std::string text = std::to_string(n);
    if (out != nullptr) {
        *out = text;
    }
    return text;
}

std::string KStr::NumToCFStringEx(std::int32_t n, std::string* out) {
    std::string text = n > 0 ? "+" + std::to_string(n) : std::to_string(n);
    if (out != nullptr) {
        *out = text;
    }
    return text;
}

void KStr::NumToString(std::int32_t n, unsigned char* prefixed) {
    if (prefixed != nullptr) {
        setPrefixed(prefixed, NumToCFString(n));
    }
}

void KStr::NumToStringEx(std::int32_t n, unsigned char* prefixed) {
    if (prefixed != nullptr) {
        setPrefixed(prefixed, NumToCFStringEx(n));
    }
}

void KStr::NumToCString(std::int32_t n, char* cString) {
    if (cString == nullptr) {
        return;
    }
    const std::string text = NumToCFString(n);
    std::memcpy(cString, text.c_str(), text.size() + 1);
}

void KStr::CFStringToNum(const std::string& string, std::int32_t* n) {
    if (n != nullptr) {
        *n = static_cast<std::int32_t>(std::strtol(string.c_str(), nullptr, 10));
    }
}

void KStr::StringToNum(const unsigned char* prefixed, std::int32_t* n) {
    if (n == nullptr) {
        return;
    }
    *n = 0;
    if (prefixed == nullptr) {
        return;
    }
    const auto text = text_encoding::fromSystem(
        std::string(reinterpret_cast<const char*>(prefixed + 1), prefixed[0]));
    if (text) {
        CFStringToNum(*text, n);
    }
}

int KStr::CharBytesCheck(const std::string& string, int encoding, int byteLimit) {
    const char* name = text_encoding::iconvName(encoding);
    const auto converted =
        name == nullptr ? std::nullopt : text_encoding::convert(string, "UTF-8", name);
    if (string.empty() || !converted) {
        return kCharBytesNotConvertible;
    }
    const int used = static_cast<int>(converted->size());
    Log(0, "convertLen=%d, maxbytes=%d, usedBufLen=%d\n", used, byteLimit, used);
    return used <= byteLimit ? 0 : kCharBytesTooLong;
}

std::string KStr::FrNumToCfStr(double x, int digits) {
    const double scale = digits == 1 ? 10.0 : 100.0;
    return format(decimalsFormat(digits), std::trunc(x * scale) / scale);
}

std::string KStr::FrNumToCfStr_Round(double x, int digits) {
    return format(decimalsFormat(digits), x);
}
