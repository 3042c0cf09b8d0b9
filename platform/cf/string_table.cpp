#include "cf/string_table.h"

#include "cf/property_list.h"

namespace cf {
namespace {

constexpr std::string_view kFallbackLanguage = "en";
constexpr std::string_view kLanguageFolderExtension = ".lproj";
constexpr std::string_view kTableExtension = ".strings";

}  // namespace

std::optional<std::filesystem::path> localizedTableFile(const Bundle& bundle,
                                                        const std::vector<std::string>& languages,
                                                        std::string_view table) {
    const std::string file = std::string(table) + std::string(kTableExtension);
    std::vector<std::string> candidates;
    for (const auto& language : languages) {
        if (!language.empty()) {
            candidates.push_back(language + std::string(kLanguageFolderExtension) + "/" + file);
        }
    }
    candidates.push_back(std::string(kFallbackLanguage) + std::string(kLanguageFolderExtension) +
                         "/" + file);
    candidates.push_back(file);
    for (const auto& candidate : candidates) {
        if (auto path = bundle.resource(candidate)) {
            return path;
        }
    }
    return std::nullopt;
}

std::optional<std::string> localizedString(const Bundle& bundle, std::string_view key,
                                           const std::vector<std::string>& languages,
                                           std::string_view table) {
    const auto path = localizedTableFile(bundle, languages, table);
    if (!path) {
        return std::nullopt;
    }
    Value texts;
    if (readPropertyListFile(*path, texts) != PlistStatus::Ok) {
        return std::nullopt;
    }
    const Value* text = texts.find(key);
    if (text == nullptr || !text->isString()) {
        return std::nullopt;
    }
    return *text->string();
}

}  // namespace cf
