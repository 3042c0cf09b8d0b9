// The standard RGB profiles the system relies on, as the desktop's colour service installs them.
#pragma once

#include <filesystem>

namespace color {

enum class StandardProfile {
    Srgb,          // IEC 61966-2-1 sRGB
    AdobeRgb1998,  // the 1998 wide-gamut RGB space
};

/// The installed file of a standard profile.
std::filesystem::path standardProfilePath(StandardProfile profile);

}  // namespace color
