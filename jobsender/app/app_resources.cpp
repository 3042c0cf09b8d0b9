// The main bundle's texts.
#include "app/app_resources.h"

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "cf/bundle.h"
#include "cf/string_table.h"

namespace jobsender {

std::vector<std::string> preferredLanguages() {
    std::vector<std::string> languages;
    if (const char* list = std::getenv("LANGUAGE"); list != nullptr && list[0] != '\0') {
        std::string_view rest = list;
        while (!rest.empty()) {
            const auto end = rest.find(':');
            if (end != 0) {
                languages.emplace_back(rest.substr(0, end));
            }
            rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        }
        return languages;
    }
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* locale = std::getenv(variable);
        if (locale != nullptr && locale[0] != '\0') {
            const std::string_view text = locale;
            languages.emplace_back(text.substr(0, text.find_first_of("_.@")));
            break;
        }
    }
    return languages;
}

std::string mainBundleString(std::string_view key) {
    std::error_code error;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    const auto bundle = error ? nullptr : cf::Bundle::open(executable.parent_path());
    if (bundle) {
        if (auto text = cf::localizedString(*bundle, key, preferredLanguages())) {
            return *text;
        }
    }
    return std::string(key);
}

}  // namespace jobsender
