#include "profiles/profile_name.h"

#include <cstring>
#include <span>
#include <string_view>
#include <system_error>

#include "color/installed_profiles.h"
#include "helpers/kstat.h"
#include "profiles/profile_tag_name.h"
#include "profiles/profile_url.h"

namespace {

constexpr color::Signature kDescriptionTag = color::signature("desc");
// The multi-localized description that profiles with an older 'desc' carry beside it.
constexpr color::Signature kLocalizedDescriptionTag = color::signature("dscm");
constexpr color::Signature kMultiLocalizedType = color::signature("mluc");
constexpr std::size_t kTypeSize = 4;

constexpr char kSrgbFile[] = "QELSRGBA.ICC";
constexpr char kSrgbName[] = "sRGB v1.20 (Orvane)";
constexpr std::string_view kUpperEnding = ".ICC";
constexpr std::string_view kLowerEnding = ".icc";

bool isMultiLocalized(const std::vector<std::byte>& element) {
    if (element.size() < kTypeSize) {
        return false;
    }
    color::Signature type = 0;
    for (std::size_t i = 0; i < kTypeSize; ++i) {
        type = (type << 8) | std::to_integer<color::Signature>(element[i]);
    }
    return type == kMultiLocalizedType;
}

}  // namespace

std::optional<std::string> GetLocalizedProfileName(const color::Profile& profile) {
    std::optional<std::vector<std::byte>> element = profile.rawTag(kDescriptionTag);
    if (!element || !isMultiLocalized(*element)) {
        element = profile.rawTag(kLocalizedDescriptionTag);
        if (!element || !isMultiLocalized(*element)) {
            return std::nullopt;
        }
    }
    std::optional<std::string> name =
        GetProfileTagName(*element, kStat::Get_LanguageIdentifier(), kStat::Get_LocaleIdentifier());
    // An empty record names nothing, so the caller falls back to the description.
    return name && !name->empty() ? name : std::nullopt;
}

std::string profileDisplayName(const color::Profile& profile) {
    return GetLocalizedProfileName(profile).value_or(profile.description());
}

std::optional<std::string> GetProfileNameFromURL(const std::string& url) {
    const auto profile = profileFromUrlString(url);
    return profile ? std::optional(profileDisplayName(*profile)) : std::nullopt;
}

std::optional<std::string> GetProfileNameFromBuffer(const void* bytes, std::size_t length) {
    if (bytes == nullptr) {
        return std::nullopt;
    }
    const auto profile =
        color::Profile::openBytes(std::span(static_cast<const std::byte*>(bytes), length));
    return profile ? std::optional(profileDisplayName(*profile)) : std::nullopt;
}

int GetProfileNameAndPathFromFileName(const char* fileName, std::string* name, std::string* path) {
    if (fileName == nullptr || *fileName == '\0' || std::strchr(fileName, '/') != nullptr ||
        name == nullptr || path == nullptr) {
        return 0;
    }
    for (const auto& folder : color::installedProfileFolders()) {
        const auto file = folder / fileName;
        std::error_code error;
        if (!std::filesystem::is_regular_file(file, error)) {
            continue;
        }
        const auto profile = color::Profile::openPath(file);
        *path = file.string();
        *name = profile ? profileDisplayName(*profile) : std::string();
        return 1;
    }
    return 0;
}

void ConvOutputProfName(char* name) {
    if (name == nullptr) {
        return;
    }
    const std::size_t length = strnlen(name, kOutputProfileNameSize - 1);
    const std::string_view text(name, length);
    if (text == kSrgbFile) {
        std::memcpy(name, kSrgbName, sizeof kSrgbName);
    } else if (text.ends_with(kUpperEnding)) {
        std::memcpy(name + length - kLowerEnding.size(), kLowerEnding.data(), kLowerEnding.size());
    }
}
