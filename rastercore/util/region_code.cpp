// Region and country codes from the user's language settings.
#include "util/region_code.h"

#include <array>
#include <cstdlib>
#include <utility>

namespace {

constexpr std::int16_t kRegionDefault = 0;
constexpr std::int16_t kRegionSimplifiedChinese = 52;
constexpr std::int16_t kRegionTraditionalChinese = 53;

constexpr std::array<std::pair<std::string_view, std::int16_t>, 9> kRegionByLanguage{{
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

// The first set, non-empty variable of `names`.
std::string_view firstSet(std::initializer_list<const char*> names) {
    for (const char* name : names) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return {};
}

std::string firstPreferredLanguage() {
    std::string_view list = firstSet({"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"});
    return standardLanguageIdentifier(list.substr(0, list.find(':')));
}

}  // namespace

std::string standardLanguageIdentifier(std::string_view name) {
    name = name.substr(0, name.find_first_of(".@"));
    if (name == "C" || name == "POSIX") {
        return {};
    }
    std::string identifier(name);
    for (char& c : identifier) {
        if (c == '_') {
            c = '-';
        }
    }
    return identifier;
}

std::string Get_LocaleIdentifier() {
    const std::string identifier =
        standardLanguageIdentifier(firstSet({"LC_ALL", "LC_CTYPE", "LANG"}));
    const auto dash = identifier.rfind('-');
    return dash == std::string::npos ? std::string() : identifier.substr(dash + 1);
}

std::int16_t Get_RegionCode() {
    return regionCodeFor(firstPreferredLanguage(), Get_LocaleIdentifier());
}

std::int16_t regionCodeFor(std::string_view languageIdentifier, std::string_view countryCode) {
    const auto dash = languageIdentifier.rfind('-');
    const std::string_view language =
        dash == std::string_view::npos ? languageIdentifier : languageIdentifier.substr(0, dash);
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
