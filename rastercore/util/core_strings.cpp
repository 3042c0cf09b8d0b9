// String helpers of the core.
#include "util/core_strings.h"

#include <algorithm>
#include <charconv>
#include <cstring>

std::int32_t pstrcat(const unsigned char* source, unsigned char* destination) {
    const std::size_t joined = std::size_t{destination[0]} + source[0];
    if (joined > kPStringMax) {
        return 0;
    }
    std::memmove(destination + 1 + destination[0], source + 1, source[0]);
    destination[0] = static_cast<unsigned char>(joined);
    return 1;
}

std::int32_t StringCat(const unsigned char* source, unsigned char* destination) {
    return pstrcat(source, destination);
}

void myCToPStr(unsigned char* destination, const char* source) {
    const std::size_t length = std::min(std::strlen(source), kPStringMax);
    std::memmove(destination + 1, source, length);
    destination[0] = static_cast<unsigned char>(length);
}

void myPToCStr(char* destination, const unsigned char* source) {
    const std::size_t length = source[0];
    std::memmove(destination, source + 1, length);
    destination[length] = '\0';
}

std::int32_t cstrcat(const char* source, char* destination, std::size_t capacity) {
    const std::size_t used = ::strnlen(destination, capacity);
    const std::size_t added = std::strlen(source);
    if (used == capacity || added >= capacity - used) {
        return 0;
    }
    std::memcpy(destination + used, source, added + 1);
    return 1;
}

bool StringCompare(const void* first, const void* second, std::size_t count) {
    if (first == nullptr || second == nullptr) {
        return false;
    }
    return std::memcmp(first, second, count) == 0;
}

bool ChkStrOrder(const unsigned char* first, const unsigned char* second) {
    const std::size_t common = std::min(first[0], second[0]);
    for (std::size_t i = 1; i <= common; ++i) {
        if (first[i] != second[i]) {
            return second[i] < first[i];
        }
    }
    return second[0] < first[0];
}

void NumToStringUseCFString(long value, unsigned char* destination) {
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    const auto length = static_cast<std::size_t>(end - digits);
    std::memcpy(destination + 1, digits, length);
    destination[0] = static_cast<unsigned char>(length);
}

std::int32_t HexToString(long value, char* destination) {
    unsigned char number[kPStringMax + 1];
    NumToStringUseCFString(value, number);
    std::memcpy(destination, number + 1, number[0]);
    return number[0];
}

std::int32_t GetInsertStr(unsigned char* result, std::int16_t kind, const unsigned char* text,
                          const unsigned char* inserted, std::int16_t textLength,
                          std::int16_t insertedLength, std::int16_t caret, std::int16_t resume) {
    if (textLength < 0 || insertedLength < 0 || caret < 0 || caret > resume ||
        resume > textLength) {
        return 0;
    }
    const bool deletes =
        kind == kEditDeleteBackward || kind == kEditDeleteBackwardAlt || kind == kEditDeleteForward;
    if (deletes) {
        insertedLength = 0;
        if (caret == resume && kind != kEditDeleteForward && caret > 0) {
            --caret;
        } else if (caret == resume && kind == kEditDeleteForward && resume < textLength) {
            ++resume;
        }
    }
    const std::size_t length = std::size_t(caret) + insertedLength + (textLength - resume);
    if (length > kPStringMax) {
        return 0;
    }
    unsigned char built[kPStringMax + 1];
    std::size_t used = 0;
    const auto append = [&](const unsigned char* bytes, std::size_t count) {
        if (count != 0) {
            std::memcpy(built + 1 + used, bytes, count);
            used += count;
        }
    };
    append(text, caret);
    append(inserted, insertedLength);
    append(text + resume, textLength - resume);
    built[0] = static_cast<unsigned char>(length);
    std::memcpy(result, built, length + 1);
    return 1;
}
