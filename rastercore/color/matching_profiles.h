// Where matching finds its profiles: the fixed profile locations of the system and of the photo
// application as local files, and searches of the installed profiles.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "color/profile.h"

/// The sRGB and Adobe RGB (1998) profiles of the host's colour settings, and the sRGB profile
/// inside the two versions of the photo application.
inline constexpr char kRecommendedSrgbPath[] =
    "/Library/Application Support/Adobe/Color/Profiles/Recommended/sRGB Color Space Profile.icm";
inline constexpr char kRecommendedAdobeRgbPath[] =
    "/Library/Application Support/Adobe/Color/Profiles/Recommended/AdobeRGB1998.icc";
inline constexpr char kPhotoApplication4SrgbPath[] =
    "/Applications/Orvane Utilities/Vantor Studio 4/Vantor Studio 4.app/Contents/PlugIns/"
    "VpxCore.bundle/Contents/Resources/icc/sRGB Color Space Profile.icm";
inline constexpr char kPhotoApplicationSrgbPath[] =
    "/Applications/Orvane Utilities/Vantor Studio/Vantor Studio.app/Contents/Frameworks/"
    "VPX.framework/Versions/A/Resources/sRGB Color Space Profile.icm";

/// The local file of a fixed profile location: the host's recommended profiles are the
/// desktop's standard sRGB and Adobe RGB (1998) files; an application's files lie under the
/// driver root (its "Applications" folder); other paths stay as they are.
std::filesystem::path localProfilePath(std::string_view systemPath);

/// Opens the profile at a fixed location; null when it cannot.
std::shared_ptr<color::Profile> openFixedProfile(std::string_view systemPath);

/// The first installed printer profile whose file is `path`, with an RGB colour space (or CMYK
/// when `cmykToo`); null when there is none.
std::shared_ptr<color::Profile> findInstalledPrinterProfile(const std::string& path, bool cmykToo);

/// The first installed RGB display profile of Adobe RGB (1998), by its description.
std::shared_ptr<color::Profile> findInstalledAdobeRgbProfile();
