// The main display's profile.
#pragma once

#include <filesystem>
#include <memory>

#include "color/profile.h"

namespace color {

/// The main display's profile file: $STRATOLINE_DISPLAY_PROFILE when set, else the standard
/// sRGB profile.
std::filesystem::path mainDisplayProfilePath();

/// Opens the main display's profile; null when its file cannot be read.
std::shared_ptr<Profile> openMainDisplayProfile();

}  // namespace color
