#include "helpers/bundle_string.h"

#include "cf/string_table.h"
#include "helpers/kstat.h"

std::vector<std::string> UserLanguages() {
    const std::string language = kStat::Get_LanguageIdentifier();
    std::vector<std::string> languages{language};
    if (const auto dash = language.find('-'); dash != std::string::npos)
        languages.push_back(language.substr(0, dash));
    return languages;
}

std::string CopyLocalizedString(const cf::Bundle* bundle, const char* key,
                                const char* defaultText) {
    if (key == nullptr)
        return {};
    if (bundle != nullptr) {
        if (auto text = cf::localizedString(*bundle, key, UserLanguages()))
            return std::move(*text);
    }
    return defaultText != nullptr && *defaultText != '\0' ? defaultText : key;
}
