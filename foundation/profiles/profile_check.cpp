#include "profiles/profile_check.h"

#include <span>

#include "color/display_profile.h"
#include "color/profile.h"
#include "profiles/profile_url.h"

namespace {

std::shared_ptr<color::Profile> fromUrl(const char* url) {
    return url != nullptr ? profileFromUrlString(url) : nullptr;
}

std::uint32_t versionOf(const std::shared_ptr<color::Profile>& profile) {
    return profile != nullptr ? profile->version() : kDefaultProfileVersion;
}

}  // namespace

int ProfileExistsCheck(const char* url) {
    return fromUrl(url) != nullptr ? 1 : 0;
}

int OutPutProfileCheckForPreviewProof(const char* url) {
    const auto profile = fromUrl(url);
    return profile != nullptr && profile->deviceClass() == color::kClassPrinter ? 1 : 0;
}

std::uint32_t ProfileVersionCheck(const char* url) {
    return versionOf(fromUrl(url));
}

std::uint32_t ProfileVersionCheckFromURL(const std::filesystem::path& file) {
    return versionOf(color::Profile::openPath(file));
}

std::uint32_t ProfileVersionCheckFromBuffer(const void* bytes, std::size_t length) {
    if (bytes == nullptr) {
        return kDefaultProfileVersion;
    }
    return versionOf(
        color::Profile::openBytes(std::span(static_cast<const std::byte*>(bytes), length)));
}

std::uint32_t DisplayProfileVersionCheck() {
    return versionOf(color::openMainDisplayProfile());
}
