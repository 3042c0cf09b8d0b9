#include "legacy_text.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "helpers/text_encoding.h"

namespace converter {

const char* legacyEncoding() {
    const char* name = std::getenv(kLegacyEncodingVariable);
    return name != nullptr && name[0] != '\0' ? name : kDefaultLegacyEncoding;
}

std::optional<std::string> legacyToUtf8(std::span<const std::uint8_t> bytes) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return text_encoding::convert(text, legacyEncoding(), "UTF-8");
}

std::optional<std::string> lengthPrefixedString(std::span<const std::uint8_t> field) {
    if (field.empty() || field[0] > field.size() - 1) {
        return std::nullopt;
    }
    return legacyToUtf8(field.subspan(1, field[0]));
}

std::optional<std::string> zeroTerminatedString(std::span<const std::uint8_t> field) {
    const auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
    if (end == field.end()) {
        return std::nullopt;
    }
    return legacyToUtf8(field.first(static_cast<std::size_t>(end - field.begin())));
}

}  // namespace converter
