#include "helpers/text_encoding.h"

#include <iconv.h>

#include <cerrno>

#include "helpers/kstat.h"

namespace text_encoding {

const char* iconvName(int encoding) {
    switch (encoding) {
        case kMacRoman:
            return "MACINTOSH";
        case kMacJapanese:
            return "SHIFT_JIS";
        case kMacTradChinese:
            return "BIG5";
        case kMacKorean:
            return "EUC-KR";
        case kMacSimpChinese:
            return "GB2312";
        case kWindowsLatin1:
            return "CP1252";
        case kUtf8:
            return "UTF-8";
        default:
            return nullptr;
    }
}

std::optional<std::string> convert(std::string_view input, const char* from, const char* to) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    std::string out;
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char chunk[256];
    bool ok = true;
    while (inLeft > 0) {
        char* outPtr = chunk;
        std::size_t outLeft = sizeof chunk;
        std::size_t done = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(chunk, sizeof chunk - outLeft);
        if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
            ok = false;
            break;
        }
    }
    iconv_close(cd);
    if (!ok) {
        return std::nullopt;
    }
    return out;
}

int systemEncoding() {
    const std::string language = kStat::Get_LanguageIdentifier();
    if (language == "ko") {
        return kMacKorean;
    }
    if (language == "zh-Hans") {
        return kMacSimpChinese;
    }
    if (language == "zh-Hant") {
        return kMacTradChinese;
    }
    if (language == "ja") {
        return kMacJapanese;
    }
    return kMacRoman;
}

std::optional<std::string> toSystem(std::string_view utf8) {
    return convert(utf8, "UTF-8", iconvName(systemEncoding()));
}

std::optional<std::string> fromSystem(std::string_view systemBytes) {
    return convert(systemBytes, iconvName(systemEncoding()), "UTF-8");
}

}  // namespace text_encoding
