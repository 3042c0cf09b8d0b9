#include "color/matching_profiles.h"

#include <algorithm>
#include <array>
#include <functional>

#include "cf/folders.h"
#include "color/installed_profiles.h"
#include "color/standard_profiles.h"

namespace {

constexpr std::string_view kApplicationsFolder = "/Applications/";

// The profile's own description, and the one the desktop's colour service gives its copy.
constexpr std::array<std::string_view, 2> kAdobeRgbDescriptions = {
    "Adobe RGB (1998)", "Compatible with Adobe RGB (1998)"};

std::shared_ptr<color::Profile> firstInstalled(
    const std::function<bool(const color::Profile&, const std::filesystem::path&)>& wanted) {
    // The walk's profile lives only for its visit; the one kept is opened again from its file.
    std::shared_ptr<color::Profile> found;
    color::forEachInstalledProfile(
        [&](const color::Profile& profile, const std::filesystem::path& file) {
            if (!wanted(profile, file)) {
                return true;
            }
            found = color::Profile::openPath(file);
            return found == nullptr;
        });
    return found;
}

}  // namespace

std::filesystem::path localProfilePath(std::string_view systemPath) {
    if (systemPath == kRecommendedSrgbPath) {
        return color::standardProfilePath(color::StandardProfile::Srgb);
    }
    if (systemPath == kRecommendedAdobeRgbPath) {
        return color::standardProfilePath(color::StandardProfile::AdobeRgb1998);
    }
    if (systemPath.starts_with(kApplicationsFolder)) {
        return cf::Folders::driverRoot() / systemPath.substr(1);
    }
    return std::filesystem::path(systemPath);
}

std::shared_ptr<color::Profile> openFixedProfile(std::string_view systemPath) {
    return color::Profile::openPath(localProfilePath(systemPath));
}

std::shared_ptr<color::Profile> findInstalledPrinterProfile(const std::string& path, bool cmykToo) {
    return firstInstalled([&](const color::Profile& profile, const std::filesystem::path& file) {
        const color::Signature space = profile.colorSpace();
        return profile.deviceClass() == color::kClassPrinter &&
               (space == color::kSpaceRgb || (cmykToo && space == color::kSpaceCmyk)) &&
               file.string() == path;
    });
}

std::shared_ptr<color::Profile> findInstalledAdobeRgbProfile() {
    return firstInstalled([](const color::Profile& profile, const std::filesystem::path&) {
        const std::string description = profile.description();
        return profile.deviceClass() == color::kClassMonitor &&
               profile.colorSpace() == color::kSpaceRgb &&
               std::find(kAdobeRgbDescriptions.begin(), kAdobeRgbDescriptions.end(), description) !=
                   kAdobeRgbDescriptions.end();
    });
}
