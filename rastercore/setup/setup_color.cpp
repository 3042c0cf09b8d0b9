// The colour record's job values: colour mode, medium and quality, adjustments, depths, profiles,
// matching, the colour-adjust entries and the tone curves.
#include <filesystem>
#include <string>
#include <system_error>

#include "cf/folders.h"
#include "cf/value.h"
#include "color/color_sync.h"
#include "color/installed_profiles.h"
#include "color/matching_profiles.h"
#include "color/pattern_value.h"
#include "color/tone_curve_tables.h"
#include "rastercore/result_codes.h"
#include "record/color_info.h"
#include "record/job_context.h"
#include "setup/job_setup.h"
#include "setup/setup_rules.h"
#include "setup/setup_steps_internal.h"

namespace setup {

namespace {

using namespace rastercore;

// The host's source kind of an image in the Adobe RGB (1998) working space.
constexpr std::int32_t kSourceKindAdobeRgb = 3;
/// The photo application's own Adobe RGB (1998) profile, beside its sRGB profile.
constexpr char kPhotoApplicationAdobeRgbName[] = "AdobeRGB.icc";

ColorAdjustEntry currentAdjustments(const CoreCommonInfoTbl& table, bool monochrome) {
    ColorAdjustEntry adjust{};
    if (monochrome) {
        adjust.tonePointX = table.grayX;
        adjust.tonePointY = table.grayY;
        adjust.contrast = table.grayContrast;
        adjust.brightness = table.grayBrightness;
        adjust.highlight = table.grayHighlight;
        adjust.shadow = table.grayShadow;
        adjust.whiteFog = table.whiteFog;
    } else {
        adjust.contrast = table.contrast;
        adjust.brightness = table.brightness;
        adjust.saturation = table.saturation;
        adjust.greyTone = table.grayTone;
        adjust.cyanRed = table.cyanRed;
        adjust.magentaGreen = table.magentaGreen;
        adjust.yellowBlue = table.yellowBlue;
    }
    return adjust;
}

// The photo application's working space for colour mode 1: its own Adobe RGB (1998) profile,
// else an installed one.
void findAdobeRgbWorkingSpace(PLGContext& context) {
    Color_Info& color = *context.colorInfo;
    const std::filesystem::path own =
        localProfilePath(kPhotoApplicationSrgbPath).parent_path() / kPhotoApplicationAdobeRgbName;
    std::error_code error;
    if (std::filesystem::is_regular_file(own, error)) {
        context.workingProfileUrl = new cf::Value("file://" + own.string());
        color.workingProfileUrl = context.workingProfileUrl;
        color.adobeRgbProfileFound = 1;
        return;
    }
    color::forEachInstalledProfile(
        [&color](const color::Profile& profile, const std::filesystem::path& file) {
            return Plg_AdobeProfileSearch_Iterate(profile, file, &color);
        });
}

// Whether rows are matched through the job's profiles: never for the fixed-profile and
// monochrome modes; in colour mode 1 for an image in the Adobe RGB (1998) working space (on the
// photo application only with that profile found); always in the profile modes.
std::uint8_t profileUse(const PLGContext& context, const CoreCommonInfoTbl& table) {
    switch (table.colorMode) {
        case kColorModeFixedRgb:
        case kColorModeMonochromePhoto:
            return 0;
        case kColorModeColor:
            return table.sourceKind == kSourceKindAdobeRgb &&
                           (context.hostTypeFlag == 0 ||
                            context.colorInfo->adobeRgbProfileFound != 0)
                       ? 1
                       : 0;
        default:
            return 1;
    }
}

}  // namespace

std::int32_t setColorRecord(PLGContext& context, const CoreCommonInfoTbl& table) {
    Color_Info& color = *context.colorInfo;
    const bool monochrome = table.colorMode == kColorModeMonochromePhoto;
    color.workingSpace = table.sourceKind;
    color.colorMode = table.colorMode;
    color.renderingIntent = table.matchingMethod;
    color.mediaDatabase = static_cast<std::uint8_t*>(context.mediaDatabase);
    color.mediumID = static_cast<std::uint16_t>(table.mediumID);
    color.quality = {static_cast<std::uint16_t>(table.method),
                     static_cast<std::uint16_t>(table.resolution)};
    color.currentAdjust = currentAdjustments(table, monochrome);
    color.outputDepth = outputDepthOfChoice(table.inputBit);
    color.cmm = table.conversionEngine;
    color.proof = static_cast<std::uint8_t>(table.proof);
    color.proofIntent = table.simulatePaperColor;
    color.imageMode = context.hostImage->imageMode;
    color.hostType = table.commonInfo->hostType;
    color.sourceProfileBytes = context.hostImage->profileTable;
    color.sourceProfileSize = context.hostImage->profileTableSize;
    setPatternValue(&context);
    color.outputProfilePath = table.outputProfilePath;
    color.proofProfilePath = table.proofProfilePath;
    if (context.hostTypeFlag != 0 && table.colorMode == kColorModeColor &&
        table.sourceKind == kSourceKindAdobeRgb) {
        findAdobeRgbWorkingSpace(context);
    }
    const std::int32_t result = PLG_Make_Tonara2Curve(&context);
    color.matching = profileUse(context, table);
    return result;
}

}  // namespace setup

bool Plg_AdobeProfileSearch_Iterate(const color::Profile& profile, const std::filesystem::path&,
                                    Color_Info* colorRecord) {
    // The profile's own description, and the one the desktop's colour service gives its copy.
    const std::string description = profile.description();
    if (profile.deviceClass() != color::kClassMonitor || profile.colorSpace() != color::kSpaceRgb ||
        (description != "Adobe RGB (1998)" && description != "Compatible with Adobe RGB (1998)")) {
        return true;
    }
    if (colorRecord != nullptr) {
        colorRecord->adobeRgbProfileFound = 1;
    }
    return false;
}
