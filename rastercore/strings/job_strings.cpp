// Job strings: cuts, encodings and checks of the names the printer shows.
#include "strings/job_strings.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "rastercore/core_common_info_tbl.h"
#include "rastercore/result_codes.h"
#include "strings/text_codec.h"
#include "util/region_code.h"

namespace {

using namespace textcodec;

constexpr std::size_t kCountedMax = kCountedStringBuffer - 1;
constexpr std::int32_t kModelYes = 1;
constexpr std::int32_t kLongPanelNames = 2;
constexpr unsigned char kFirstNonASCII = 0x80;

// Classic region codes.
constexpr std::int16_t kRegionJapan = 14;
constexpr std::int16_t kRegionKorea = 51;
constexpr std::int16_t kRegionChina = 52;

std::string_view countedText(const unsigned char* string) {
    return {reinterpret_cast<const char*>(string + 1), string[0]};
}

void storeCounted(unsigned char* destination, std::string_view text) {
    destination[0] = static_cast<unsigned char>(text.size());
    std::memcpy(destination + 1, text.data(), text.size());
}

std::size_t terminatorBytes(std::uint32_t encoding) {
    return encoding == kEncodingUnicode ? 2 : 1;
}

std::uint32_t regionEncoding(std::int16_t region) {
    if (region == kRegionKorea || region == kRegionChina) {
        return kEncodingUnicode;
    }
    return region == kRegionJapan ? kEncodingShiftJIS : kEncodingLatin1;
}

bool hasNonASCII(std::string_view text) {
    return PLG_CheckStringASCII(text.data(), text.size()) == 0;
}

}  // namespace

std::int16_t languageCodeForRegion(std::int16_t region) {
    switch (region) {
        case kRegionJapan:
            return 1;
        case 1:
        case 91:
            return 3;
        case 4:
            return 4;
        case 3:
            return 5;
        case 8:
        case 86:
            return 6;
        case kRegionChina:
            return 7;
        case kRegionKorea:
            return 8;
        default:
            return 2;
    }
}

std::int16_t PLG_GetLanguageCode_Mac() {
    return languageCodeForRegion(Get_RegionCode());
}

std::uint32_t transferEncoding(std::int16_t region, std::int16_t kind, std::int32_t codeType) {
    if (kind == kTransferPanelName && codeType != kModelYes) {
        return kEncodingASCII;
    }
    return regionEncoding(region);
}

std::int32_t PLGTransferString_Mac(const unsigned char* source, char* destination,
                                   std::uint16_t* lengthOut, const ModelAtlasTbl* model,
                                   std::int16_t kind) {
    if (destination == nullptr) {
        return rastercore::kResultOk;
    }
    const std::int32_t codeType = model != nullptr ? model->CODEType : 0;
    const std::uint32_t encoding = transferEncoding(Get_RegionCode(), kind, codeType);
    std::string_view text = source != nullptr ? countedText(source) : std::string_view();
    // A model that shows only single-byte text gets an empty panel name rather than a wrong one.
    if (encoding == kEncodingASCII && hasNonASCII(text)) {
        text = {};
    }
    const std::string converted = encode(text, encoding, kCountedMax).value_or(std::string());
    std::memcpy(destination, converted.data(), converted.size());
    destination[converted.size()] = '\0';
    if (lengthOut != nullptr) {
        *lengthOut = static_cast<std::uint16_t>(converted.size());
    }
    return rastercore::kResultOk;
}

std::int32_t PLGEncodingCopyPascalWithEncoding_Mac(const unsigned char* source,
                                                   unsigned char* destination, std::size_t maximum,
                                                   std::uint32_t encoding) {
    if (source == nullptr || destination == nullptr || maximum == 0) {
        return rastercore::kResultOk;
    }
    const std::size_t room = std::min(maximum, kCountedStringBuffer) - 1;
    if (const auto converted = encode(countedText(source), encoding, room)) {
        storeCounted(destination, *converted);
    }
    return rastercore::kResultOk;
}

std::int32_t PLGEncodingCopyPascal_Mac(const unsigned char* source, unsigned char* destination,
                                       std::size_t maximum) {
    return PLGEncodingCopyPascalWithEncoding_Mac(source, destination, maximum,
                                                 regionEncoding(Get_RegionCode()));
}

std::int32_t PLGEncodingCopyCStringWithEncoding_Mac(const char* source, char* destination,
                                                    std::size_t maximum, std::uint32_t encoding) {
    const std::size_t terminator = terminatorBytes(encoding);
    if (source == nullptr || destination == nullptr || maximum < terminator) {
        return rastercore::kResultOk;
    }
    if (const auto converted = encode(source, encoding, maximum - terminator)) {
        std::memcpy(destination, converted->data(), converted->size());
        std::memset(destination + converted->size(), 0, terminator);
    }
    return rastercore::kResultOk;
}

std::int32_t PLGEncodingCopyCString_Mac(const char* source, char* destination,
                                        std::size_t maximum) {
    return PLGEncodingCopyCStringWithEncoding_Mac(source, destination, maximum,
                                                  regionEncoding(Get_RegionCode()));
}

std::int32_t PLG_CheckStringASCII(const void* bytes, std::size_t length) {
    const auto* data = static_cast<const unsigned char*>(bytes);
    return std::all_of(data, data + length, [](unsigned char b) { return b < kFirstNonASCII; }) ? 1
                                                                                                : 0;
}

std::int32_t checkStringCString(const char* string) {
    return string != nullptr && isValidUtf8(string) ? 1 : 0;
}

std::int32_t checkStringPascal(const unsigned char* string) {
    return string != nullptr && isValidUtf8(countedText(string)) ? 1 : 0;
}

void PLG_CheckStringBytes_Mac(char* string, const ModelAtlasTbl* model) {
    if (string == nullptr || (model != nullptr && model->Message_check_2byte == kModelYes)) {
        return;
    }
    const std::size_t length = strnlen(string, kCountedStringBuffer);
    const std::string_view text(string, length);
    // Text whose bytes and characters differ in number holds a multi-byte character.
    if (length == kCountedStringBuffer || !isValidUtf8(text) || characterCount(text) != length) {
        string[0] = '\0';
    }
}

void PLG_CheckStringMaxBytes_Mac(unsigned char* string, const ModelAtlasTbl* model,
                                 std::int16_t kind) {
    if (string == nullptr) {
        return;
    }
    const bool longNames = model != nullptr && model->PanelMessageMaxNum == kLongPanelNames;
    const std::size_t limit =
        longNames && kind != kTransferOwner ? kPanelNameLongMaxBytes : kNameMaxBytes;
    string[0] = static_cast<unsigned char>(cutLength(countedText(string), limit));
}

void PLG_ChengePatternPrintName(unsigned char* string) {
    if (string == nullptr) {
        return;
    }
    const std::string_view text = countedText(string);
    if (text.empty() || !isValidUtf8(text)) {
        return;
    }
    std::string named(text);
    const std::size_t dot = named.rfind('.');
    named.insert(dot == std::string::npos ? named.size() : dot, kPatternPrintSuffix);
    if (named.size() <= kCountedMax) {
        storeCounted(string, named);
    }
}
