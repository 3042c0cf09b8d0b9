#include "helpers/kstat.h"

#include <array>
#include <cstdlib>
#include <string_view>
#include <utility>

namespace {

constexpr int kRegionJapan = 14;
constexpr int kRegionSimplifiedChinese = 52;
constexpr int kRegionTraditionalChinese = 53;

std::string firstSet(std::initializer_list<const char*> names) {
    for (const char* name : names) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return {};
}

// "zh_TW.UTF-8@x" -> language "zh", country "TW".
std::pair<std::string, std::string> splitLocale(std::string entry) {
    entry = entry.substr(0, entry.find_first_of(".@"));
    const auto separator = entry.find_first_of("_-");
    if (separator == std::string::npos) {
        return {entry, {}};
    }
    return {entry.substr(0, separator), entry.substr(separator + 1)};
}

std::string localeEntry() {
    return firstSet({"LC_ALL", "LC_MESSAGES", "LANG"});
}

}  // namespace

std::string kStat::Get_LocaleIdentifier() {
    return splitLocale(localeEntry()).second;
}

std::string kStat::preferredLanguage() {
    std::string entry = firstSet({"LANGUAGE"});
    entry = entry.substr(0, entry.find(':'));
    if (entry.empty()) {
        entry = localeEntry();
    }
    auto [language, rest] = splitLocale(entry);
    if (language.empty() || language == "C" || language == "POSIX") {
        return {};
    }
    if (language == "zh" && rest.find("Han") != 0) {
        const bool traditional = rest == "TW" || rest == "HK" || rest == "MO";
        language += traditional ? "-Hant" : "-Hans";
    }
    return rest.empty() ? language : language + "-" + rest;
}

std::string kStat::Get_LanguageIdentifier() {
    std::string language = preferredLanguage();
    const auto cut = language.rfind('-');
    return cut == std::string::npos ? language : language.substr(0, cut);
}

int kStat::Get_RegionCode() {
    static constexpr std::array<std::pair<std::string_view, int>, 9> kRegions{{
        {"ja", kRegionJapan},
        {"en", 0},
        {"fr", 1},
        {"it", 4},
        {"de", 3},
        {"es", 8},
        {"ko", 51},
        {"zh-Hans", kRegionSimplifiedChinese},
        {"zh-Hant", kRegionTraditionalChinese},
    }};
    const std::string language = Get_LanguageIdentifier();
    if (language == "zh") {
        return Get_LocaleIdentifier() == "TW" ? kRegionTraditionalChinese
                                              : kRegionSimplifiedChinese;
    }
    for (const auto& [name, code] : kRegions) {
        if (language == name) {
            return code;
        }
    }
    return 0;
}
