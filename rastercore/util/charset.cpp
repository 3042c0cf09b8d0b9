// Character-set conversions.
#include "util/charset.h"

#include <locale.h>
#include <cstring>
#include <cwchar>

#include "util/memory.h"

namespace {

constexpr std::uint16_t kOneByteLimit = 0x80;
constexpr std::uint16_t kTwoByteLimit = 0x800;
constexpr unsigned char kThreeByteLead = 0xE0;
constexpr unsigned char kTwoByteLead = 0xC0;
constexpr std::size_t kWideBytesPerChar = 4;  // wchar_t on this platform
// UTF-8 bytes of one code unit.
std::size_t encodeUnit(std::uint16_t unit, unsigned char* out) {
    if (unit < kOneByteLimit) {
        out[0] = static_cast<unsigned char>(unit);
        return 1;
    }
    if (unit < kTwoByteLimit) {
        out[0] = static_cast<unsigned char>(0xC0 | (unit >> 6));
        out[1] = static_cast<unsigned char>(0x80 | (unit & 0x3F));
        return 2;
    }
    out[0] = static_cast<unsigned char>(0xE0 | (unit >> 12));
    out[1] = static_cast<unsigned char>(0x80 | ((unit >> 6) & 0x3F));
    out[2] = static_cast<unsigned char>(0x80 | (unit & 0x3F));
    return 3;
}

// Owns a locale object of `newlocale` and makes it the calling thread's for its lifetime, so
// the conversion never touches the process-wide locale.
class ThreadLocale {
  public:
    explicit ThreadLocale(const char* name) {
        handle_ = ::newlocale(LC_CTYPE_MASK, name, static_cast<locale_t>(0));
        if (handle_ == static_cast<locale_t>(0)) {
            handle_ = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
        }
        if (handle_ != static_cast<locale_t>(0)) {
            previous_ = ::uselocale(handle_);
        }
    }
    ~ThreadLocale() {
        if (handle_ != static_cast<locale_t>(0)) {
            ::uselocale(previous_);
            ::freelocale(handle_);
        }
    }
    ThreadLocale(const ThreadLocale&) = delete;
    ThreadLocale& operator=(const ThreadLocale&) = delete;

  private:
    locale_t handle_ = static_cast<locale_t>(0);
    locale_t previous_ = static_cast<locale_t>(0);
};

}  // namespace

std::size_t subConvert_UTF16toUTF8(const std::uint16_t* source, std::size_t count,
                                   char* destination) {
    std::size_t written = 0;
    unsigned char bytes[3];
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t length = encodeUnit(source[i], bytes);
        if (destination != nullptr) {
            std::memcpy(destination + written, bytes, length);
        }
        written += length;
    }
    if (destination != nullptr) {
        destination[written] = '\0';
    }
    return written;
}

std::size_t Convert_UTFtoUCS2(const char* source, std::uint16_t* destination,
                              std::size_t* unitCount) {
    std::size_t consumed = 0;
    std::size_t units = 0;
    if (source != nullptr) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(source);
        const std::size_t length = std::strlen(source);
        while (consumed < length) {
            const unsigned char lead = bytes[consumed];
            const std::size_t take = lead >= kThreeByteLead ? 3 : lead >= kTwoByteLead ? 2 : 1;
            if (take > length - consumed) {
                break;
            }
            std::uint16_t unit = lead;
            if (take == 2) {
                unit =
                    static_cast<std::uint16_t>(((lead & 0x1F) << 6) | (bytes[consumed + 1] & 0x3F));
            } else if (take == 3) {
                unit = static_cast<std::uint16_t>(((lead & 0x0F) << 12) |
                                                  ((bytes[consumed + 1] & 0x3F) << 6) |
                                                  (bytes[consumed + 2] & 0x3F));
            }
            const unsigned char bigEndian[2] = {static_cast<unsigned char>(unit >> 8),
                                                static_cast<unsigned char>(unit)};
            std::memcpy(destination + units, bigEndian, sizeof bigEndian);
            ++units;
            consumed += take;
        }
    }
    if (unitCount != nullptr) {
        *unitCount = units;
    }
    return consumed;
}

const char* localeNameForLanguageKind(std::int16_t kind) {
    switch (kind) {
        case 2:
            return "english";
        case 3:
            return "fra";
        case 4:
            return "ita";
        case 5:
            return "deu";
        case 6:
            return "esp";
        case 7:
            return "chs";
        case 8:
            return "kor";
        case 9:
            return "russian";
        default:
            return "jpn";
    }
}

wchar_t* Convert_ToUTF16(const char* source, std::int16_t languageKind, std::size_t* size) {
    if (source == nullptr) {
        return nullptr;
    }
    // One wide character per byte at most, plus a whole wide terminator.
    const std::size_t length = std::strlen(source);
    wchar_t* wide = nullptr;
    if (Get_MemoryClear(length + 1, kWideBytesPerChar, kUnusedKind, &wide) != 0) {
        return nullptr;
    }
    const ThreadLocale locale(localeNameForLanguageKind(languageKind));
    std::mbstate_t state{};
    const char* cursor = source;
    if (std::mbsrtowcs(wide, &cursor, length, &state) == static_cast<std::size_t>(-1)) {
        Dispose_MemoryClear(&wide, kUnusedKind);
        return nullptr;
    }
    *size = kWideBytesPerChar * length;
    return wide;
}

std::int32_t Convert_UTF16toUTF8(const wchar_t*, std::size_t, char* destination) {
    if (destination != nullptr) {
        destination[0] = '\0';
    }
    return -1;
}

char* Convert_ToUTF8(const char* source, std::int16_t languageKind, std::size_t* size) {
    *size = 0;
    std::size_t wideSize = 0;
    wchar_t* wide = Convert_ToUTF16(source, languageKind, &wideSize);
    if (wide != nullptr) {
        char none[1];
        Convert_UTF16toUTF8(wide, wideSize, none);
        Dispose_MemoryClear(&wide, kUnusedKind);
    }
    return nullptr;
}

std::int32_t Convert_ToUCS2(char* text, std::int16_t languageKind, std::size_t*) {
    // No UTF-8 form can be had (see Convert_UTF16toUTF8), so the text stays as it is.
    std::size_t size = 0;
    char* utf8 = Convert_ToUTF8(text, languageKind, &size);
    Dispose_MemoryClear(&utf8, kUnusedKind);
    return -1;
}
