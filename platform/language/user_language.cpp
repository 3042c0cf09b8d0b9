// The user's preferred language and region from the locale environment.
#include "language/user_language.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <initializer_list>
#include <utility>

namespace {

constexpr int kRegionDefault = 0;
constexpr int kRegionSimplifiedChinese = 52;
constexpr int kRegionTraditionalChinese = 53;

constexpr std::array<std::pair<std::string_view, int>, 9> kRegionByLanguage{{
    {"ja", 14},
    {"en", 0},
    {"fr", 1},
    {"it", 4},
    {"de", 3},
    {"es", 8},
    {"ko", 51},
    {"zh-Hans", kRegionSimplifiedChinese},
    {"zh-Hant", kRegionTraditionalChinese},
}};

// The value of the first of `names` that is set and not empty.
std::string_view firstSet(std::initializer_list<const char*> names) {
    for (const char* name : names) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return {};
}

std::string_view localeEntry() {
    return firstSet({"LC_ALL", "LC_MESSAGES", "LANG"});
}

// "zh_TW.UTF-8@x" -> language "zh", rest "TW".
std::pair<std::string_view, std::string_view> splitLocale(std::string_view entry) {
    entry = entry.substr(0, entry.find_first_of(".@"));
    const auto separator = entry.find_first_of("_-");
    if (separator == std::string_view::npos) {
        return {entry, {}};
    }
    return {entry.substr(0, separator), entry.substr(separator + 1)};
}

// The text before the last "-", or all of it.
std::string_view cutBeforeLastDash(std::string_view identifier) {
    return identifier.substr(0, identifier.rfind('-'));
}

bool traditionalChineseCountry(std::string_view country) {
    return country == "TW" || country == "HK" || country == "MO";
}

}  // namespace

namespace language {

std::string standardIdentifier(std::string_view localeName) {
    const auto [name, rest] = splitLocale(localeName);
    if (name.empty() || name == "C" || name == "POSIX") {
        return {};
    }
    std::string result(name);
    if (name == "zh" && !rest.starts_with("Han")) {
        result += traditionalChineseCountry(rest) ? "-Hant" : "-Hans";
    }
    if (!rest.empty()) {
        result.append("-").append(rest);
    }
    std::replace(result.begin(), result.end(), '_', '-');
    return result;
}

std::string preferred() {
    std::string_view entry = firstSet({"LANGUAGE"});
    entry = entry.substr(0, entry.find(':'));
    return standardIdentifier(entry.empty() ? localeEntry() : entry);
}

std::string identifier() {
    return std::string(cutBeforeLastDash(preferred()));
}

std::string localeCountry() {
    return std::string(splitLocale(localeEntry()).second);
}

int regionCodeFor(std::string_view languageIdentifier, std::string_view countryCode) {
    const std::string_view language = cutBeforeLastDash(languageIdentifier);
    if (language == "zh") {
        return countryCode == "TW" ? kRegionTraditionalChinese : kRegionSimplifiedChinese;
    }
    for (const auto& [name, code] : kRegionByLanguage) {
        if (name == language) {
            return code;
        }
    }
    return kRegionDefault;
}

int regionCode() {
    return regionCodeFor(preferred(), localeCountry());
}

}  // namespace language
