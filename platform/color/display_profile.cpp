#include "color/display_profile.h"

#include <cstdlib>

#include "color/standard_profiles.h"

namespace color {
namespace {

constexpr char kDisplayProfileVariable[] = "STRATOLINE_DISPLAY_PROFILE";

}  // namespace

std::filesystem::path mainDisplayProfilePath() {
    const char* configured = std::getenv(kDisplayProfileVariable);
    return configured != nullptr && *configured != '\0'
               ? std::filesystem::path(configured)
               : standardProfilePath(StandardProfile::Srgb);
}

std::shared_ptr<Profile> openMainDisplayProfile() {
    return Profile::openPath(mainDisplayProfilePath());
}

}  // namespace color
