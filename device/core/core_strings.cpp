// Moving protocol values into tickets: length-prefixed strings and value arrays.
#include "core/core_strings.h"

#include <cstring>
#include <new>

#include "qdxa/qdxa_strings.h"
#include "ticket/ticket_library.h"

namespace {

constexpr std::size_t kByteOrderMarkLength = 3;

// The characters behind the length byte, when all of them are there.
std::optional<std::span<const std::uint8_t>> pascalCharacters(
    std::span<const std::uint8_t> pascal) {
    if (pascal.empty() || pascal[0] > pascal.size() - 1) {
        return std::nullopt;
    }
    return pascal.subspan(1, pascal[0]);
}

template <typename Number, typename MakeValue>
std::optional<cf::Value> createArray(const Number* values, std::int32_t count,
                                     MakeValue makeValue) {
    if (values == nullptr) {
        return std::nullopt;
    }
    try {
        cf::Value::Array array;
        for (std::int32_t index = 0; index < count; ++index) {
            array.push_back(makeValue(values[index]));
        }
        return cf::Value(std::move(array));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

}  // namespace

std::optional<std::string> CreateCStringFromPascalString(std::span<const std::uint8_t> pascal) {
    const auto characters = pascalCharacters(pascal);
    if (!characters) {
        return std::nullopt;
    }
    return std::string(characters->begin(), characters->end());
}

std::optional<std::string> CreateCStringFromUTF8PascalString(std::span<const std::uint8_t> pascal) {
    const auto characters = pascalCharacters(pascal);
    if (!characters || characters->size() < kByteOrderMarkLength) {
        return std::nullopt;
    }
    return std::string(characters->begin() + kByteOrderMarkLength, characters->end());
}

bool ConvertCStringToPascalString(const char* text, std::uint8_t* buffer, std::size_t capacity) {
    if (text == nullptr || buffer == nullptr) {
        return false;
    }
    const std::size_t length = std::strlen(text);
    if (length > kQDXAMaxStringLength || length >= capacity) {
        return false;
    }
    buffer[0] = static_cast<std::uint8_t>(length);
    std::memcpy(buffer + 1, text, length);
    return true;
}

std::optional<cf::Value> CreateNumberArray(const std::int32_t* values, std::int32_t count) {
    return createArray(values, count, [](std::int32_t value) { return cf::Value(value); });
}

std::optional<cf::Value> CreateBooleanArray(const std::uint32_t* values, std::int32_t count) {
    return createArray(values, count, [](std::uint32_t value) {
        return cf::Value(TktLibConvertBooleanNumToCFString(value));
    });
}
