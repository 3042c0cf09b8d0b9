#include "profiles/profile_tag_name.h"

#include <cstdint>

#include "bytes/byte_order.h"
#include "bytes/utf16_text.h"

namespace {

// ICC.1 10.15: type signature, 4 reserved bytes, record count, record size, then the records of
// language (2 bytes), country (2 bytes), string length and string offset (32 bits each); offsets
// count from the start of the element.
constexpr std::uint32_t kMlucType = 0x6D6C7563;  // 'mluc'
constexpr std::size_t kHeaderSize = 16;
constexpr std::uint32_t kSmallestRecord = 12;
constexpr std::size_t kCodeSize = 2;
constexpr char kEnglish[] = "en";

struct Record {
    std::string_view language;
    std::string_view country;
    std::span<const std::uint8_t> text;
};

std::string_view codeAt(std::span<const std::uint8_t> at) {
    return {reinterpret_cast<const char*>(at.data()), kCodeSize};
}

// The record at `at`, when its string lies inside the element and has an even length.
std::optional<Record> recordAt(std::span<const std::uint8_t> element,
                               std::span<const std::uint8_t> at) {
    bytes::ByteReader reader(at.subspan(2 * kCodeSize));
    const std::uint32_t length = *reader.u32be();
    const std::uint32_t offset = *reader.u32be();
    if (length % 2 != 0 || offset > element.size() || length > element.size() - offset) {
        return std::nullopt;
    }
    return Record{codeAt(at), codeAt(at.subspan(kCodeSize)), element.subspan(offset, length)};
}

}  // namespace

std::optional<std::string> GetProfileTagName(std::span<const std::byte> element,
                                             std::string_view language, std::string_view country) {
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(element.data()),
                                              element.size());
    bytes::ByteReader header(bytes);
    const auto type = header.u32be();
    if (!type || *type != kMlucType || !header.skip(4)) {
        return std::nullopt;
    }
    const auto declaredCount = header.u32be();
    const auto recordSize = header.u32be();
    if (!declaredCount || !recordSize || *recordSize < kSmallestRecord) {
        return std::nullopt;
    }
    // Only the records that lie inside the element are read, whatever the count claims.
    const std::size_t count =
        std::min<std::size_t>(*declaredCount, (bytes.size() - kHeaderSize) / *recordSize);
    language = language.substr(0, kCodeSize);

    std::optional<Record> firstLanguage, firstCountry, firstEnglish, first;
    for (std::size_t i = 0; i < count; ++i) {
        const auto record =
            recordAt(bytes, bytes.subspan(kHeaderSize + i * *recordSize, kSmallestRecord));
        if (!record) {
            continue;
        }
        const bool languageMatches = language.size() == kCodeSize && record->language == language;
        const bool countryMatches = country.size() == kCodeSize && record->country == country;
        if (languageMatches && countryMatches) {
            return bytes::utf8FromUtf16(record->text, bytes::Utf16Order::BigEndian);
        }
        if (languageMatches && !firstLanguage) {
            firstLanguage = record;
        }
        if (countryMatches && !firstCountry) {
            firstCountry = record;
        }
        if (record->language == kEnglish && !firstEnglish) {
            firstEnglish = record;
        }
        if (!first) {
            first = record;
        }
    }
    for (const auto& choice : {firstLanguage, firstCountry, firstEnglish, first}) {
        if (choice) {
            return bytes::utf8FromUtf16(choice->text, bytes::Utf16Order::BigEndian);
        }
    }
    return std::nullopt;
}
