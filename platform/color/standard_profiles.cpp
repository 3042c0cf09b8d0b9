#include "color/standard_profiles.h"

namespace color {
namespace {

constexpr char kSrgbFile[] = "/usr/share/color/icc/colord/sRGB.icc";
constexpr char kAdobeRgbFile[] = "/usr/share/color/icc/colord/AdobeRGB1998.icc";

}  // namespace

std::filesystem::path standardProfilePath(StandardProfile profile) {
    return profile == StandardProfile::Srgb ? kSrgbFile : kAdobeRgbFile;
}

}  // namespace color
