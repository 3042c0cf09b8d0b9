// Length-prefixed string helpers.
#include "qdxa/qdxa_strings.h"

#include <cstdio>
#include <cstring>

void CopyString8(std::uint8_t* source, std::uint8_t* destination, std::uint8_t maximum) {
    if (destination == nullptr) {
        return;
    }
    if (source == nullptr) {
        destination[0] = 0;
        return;
    }
    if (source[0] > maximum) {
        source[0] = maximum;
    }
    std::memmove(destination, source, source[0] + 1u);
}

std::int32_t WQS_Utl_PLstrcmp(const std::uint8_t* a, const std::uint8_t* b) {
    if (a == nullptr || b == nullptr) {
        return 0;
    }
    for (std::uint32_t index = 0; index <= a[0]; ++index) {
        if (a[index] != b[index]) {
            return a[index] - b[index];
        }
    }
    return 0;
}

void WQS_Utl_PLstrcpy(std::uint8_t* destination, const std::uint8_t* source) {
    if (destination == nullptr || source == nullptr) {
        return;
    }
    std::memmove(destination, source, source[0] + 1u);
}

void WQS_Utl_copyString(const std::uint8_t* source, std::uint8_t* destination) {
    WQS_Utl_PLstrcpy(destination, source);
}

void WQS_Utl_PLstrcat(std::uint8_t* destination, const std::uint8_t* source) {
    if (destination == nullptr || source == nullptr ||
        destination[0] + source[0] > kQDXAMaxStringLength) {
        return;
    }
    std::memmove(destination + 1 + destination[0], source + 1, source[0]);
    destination[0] = static_cast<std::uint8_t>(destination[0] + source[0]);
}

void WQS_Utl_catString(const std::uint8_t* source, std::uint8_t* destination) {
    WQS_Utl_PLstrcat(destination, source);
}

std::uint8_t* WQS_Utl_c2pstr(char* text) {
    auto* string = reinterpret_cast<std::uint8_t*>(text);
    if (text == nullptr) {
        return string;
    }
    const void* end = std::memchr(text, 0, kQDXAMaxStringLength + 1);
    if (end == nullptr) {
        string[0] = 0;
        return string;
    }
    const auto length = static_cast<std::size_t>(static_cast<const char*>(end) - text);
    std::memmove(text + 1, text, length);
    string[0] = static_cast<std::uint8_t>(length);
    return string;
}

void WQS_Utl_NumToString(long number, std::uint8_t* destination) {
    if (destination == nullptr) {
        return;
    }
    // Formatted into a local buffer; a result longer than the destination leaves it empty.
    char digits[32];
    const int length = std::snprintf(digits, sizeof digits, "%ld", number);
    if (length <= 0 || static_cast<std::uint32_t>(length) >= kQDXANumberStringSize) {
        destination[0] = 0;
        return;
    }
    std::memcpy(destination + 1, digits, static_cast<std::size_t>(length));
    destination[0] = static_cast<std::uint8_t>(length);
}
