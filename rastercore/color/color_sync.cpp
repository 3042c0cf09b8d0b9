// Matching on the colour layer: opening the job's profiles, the transform builders and the row
// matching of the band loop, the bit conversion and the preview.
#include "color/color_sync.h"

#include <optional>
#include <span>
#include <string>
#include <utility>

#include "cf/value.h"
#include "color/matching_profiles.h"
#include "diagnostics/debug_log.h"
#include "record/color_info.h"
#include "record/job_context.h"
#include "util/memory.h"

namespace {

using color::Depth;
using color::Intent;
using color::Layout;

constexpr std::int32_t kHostPhotoApplication = 2;
constexpr std::int32_t kProofOn = 1;
constexpr std::int32_t kProofAbsolute = 1;
constexpr std::int32_t kPreviewFlagOn = 1;
constexpr std::int32_t kPreviewAlphaKind = 3;
constexpr std::int32_t kPreviewRgbToAlphaKind = 2;
constexpr char kNoUrl[] = "(null)";

bool isGrey(std::int32_t imageMode) {
    return imageMode == 1 || imageMode == 10;
}
bool isCmyk(std::int32_t imageMode) {
    return imageMode == 4 || imageMode == 13;
}
bool isSixteenBit(std::int32_t imageMode) {
    return imageMode == 10 || imageMode == 11 || imageMode == 13;
}

// Colour modes 1 to 3 match with fixed profiles, on the default engine and without proof.
bool fixedProfileMode(const Color_Info& info) {
    return info.colorMode >= kColorModeColor && info.colorMode <= kColorModeMonochromePhoto;
}
bool preferredEngine(const Color_Info& info) {
    return !fixedProfileMode(info) && info.cmm == kEnginePreferred;
}
bool proofing(const Color_Info& info) {
    return !fixedProfileMode(info) && info.proof == kProofOn;
}
// Two transforms in a row: proofing on the default engine.
bool twoSteps(const Color_Info& info) {
    return proofing(info) && !preferredEngine(info);
}

Depth depthOf(const Color_Info& info) {
    return info.outputDepth == kOutput8Bit ? Depth::Eight : Depth::Sixteen;
}

std::optional<std::pair<Layout, Layout>> layoutsOf(std::int32_t format) {
    switch (format) {
        case kRgbToRgb:
            return std::pair{Layout::Rgb, Layout::Rgb};
        case kRgbToCmyk:
            return std::pair{Layout::Rgb, Layout::Cmyk};
        case kCmykToRgb:
            return std::pair{Layout::Cmyk, Layout::Rgb};
        case kCmykToCmyk:
            return std::pair{Layout::Cmyk, Layout::Cmyk};
        case kGreyToRgb:
            return std::pair{Layout::Grey, Layout::Rgb};
        case kGreyToCmyk:
            return std::pair{Layout::Grey, Layout::Cmyk};
        default:
            return std::nullopt;
    }
}

// The job's rendering-intent choice: 1 perceptual, 2 saturation, 3 relative and 4 absolute
// colorimetric, anything else perceptual.
Intent intentOfChoice(std::int32_t choice) {
    switch (choice) {
        case 2:
            return Intent::Saturation;
        case 3:
            return Intent::RelativeColorimetric;
        case 4:
            return Intent::AbsoluteColorimetric;
        default:
            return Intent::Perceptual;
    }
}

Intent proofIntentOf(std::int32_t proofIntent) {
    return proofIntent == kProofAbsolute ? Intent::AbsoluteColorimetric
                                         : Intent::RelativeColorimetric;
}

std::string stringOf(const cf::Value* value) {
    const std::string* text = value != nullptr ? value->string() : nullptr;
    return text != nullptr ? *text : std::string();
}

std::shared_ptr<const color::Profile> profileOf(const ColorSyncProfile* profile) {
    return profile != nullptr ? profile->profile : nullptr;
}

// One conversion of one row at a depth.
std::int32_t matchRow(const void* source, void* destination, std::int32_t pixels,
                      color::Transform* transform, std::int32_t format, Depth depth) {
    const auto layouts = layoutsOf(format);
    if (!layouts || pixels < 0) {
        return kColorSyncTransformError;
    }
    return transform->convert(source, layouts->first, destination, layouts->second, depth,
                              static_cast<std::size_t>(pixels))
               ? 0
               : kColorSyncTransformError;
}

// The record's buffer between two matching steps, grown when a row needs more; null when there
// is no memory.
std::uint8_t* scratch(Color_Info& info, std::size_t bytes) {
    if (bytes > info.matchScratchSize) {
        Dispose_MemoryClear(&info.matchScratch, kUnusedKind);
        info.matchScratchSize = 0;
        if (Get_MemoryClear(bytes, 1, kUnusedKind, &info.matchScratch) != 0) {
            return nullptr;
        }
        info.matchScratchSize = static_cast<std::uint32_t>(bytes);
    }
    return info.matchScratch;
}

std::shared_ptr<const color::Profile> openSource(const Color_Info& info) {
    if (info.hostType == kHostPhotoApplication) {
        return color::Profile::openUrl(stringOf(info.sourceProfileUrl));
    }
    if (info.sourceProfileBytes == nullptr) {
        return nullptr;
    }
    return color::Profile::openBytes(
        std::span(static_cast<const std::byte*>(info.sourceProfileBytes), info.sourceProfileSize));
}

std::shared_ptr<const color::Profile> openDestination(const Color_Info& info) {
    switch (info.colorMode) {
        case kColorModeMonochromePhoto: {
            std::shared_ptr<const color::Profile> profile =
                info.hostType == kHostPhotoApplication
                    ? openFixedProfile(kPhotoApplication4SrgbPath)
                    : openFixedProfile(kRecommendedSrgbPath);
            if (profile == nullptr && info.hostType == kHostPhotoApplication) {
                profile = openFixedProfile(kPhotoApplicationSrgbPath);
            }
            if (profile == nullptr) {
                debugLog(0, "OpenColorSync[PROFILE_MONO] none %s", kRecommendedSrgbPath);
            }
            return profile;
        }
        case kColorModeFixedRgb: {
            const char* path = isCmyk(info.imageMode)   ? kRecommendedAdobeRgbPath
                               : isGrey(info.imageMode) ? kRecommendedSrgbPath
                                                        : nullptr;
            std::shared_ptr<const color::Profile> profile =
                path != nullptr ? openFixedProfile(path) : nullptr;
            if (profile == nullptr) {
                debugLog(0, "OpenColorSync[PROFILE_NONE] none %s", path != nullptr ? path : kNoUrl);
            }
            return profile;
        }
        case kColorModeColor:
            if (info.hostType == kHostPhotoApplication) {
                std::shared_ptr<const color::Profile> profile =
                    color::Profile::openUrl(stringOf(info.workingProfileUrl));
                return profile != nullptr ? profile : findInstalledAdobeRgbProfile();
            }
            return openFixedProfile(isGrey(info.imageMode) ? kRecommendedSrgbPath
                                                           : kRecommendedAdobeRgbPath);
        default:
            return findInstalledPrinterProfile(stringOf(info.outputProfilePath), false);
    }
}

// The layout and depth of the host's rows, which the bit conversion matches.
Layout hostLayout(const Color_Info& info) {
    return isGrey(info.imageMode) ? Layout::Grey
                                  : (isCmyk(info.imageMode) ? Layout::Cmyk : Layout::Rgb);
}
Depth hostDepth(const Color_Info& info) {
    return isSixteenBit(info.imageMode) ? Depth::Sixteen : Depth::Eight;
}
// The depth of the grey and CMYK rows the bit conversion hands over: the host's 8-bit samples
// stay 8-bit only for 8-bit work; for 16-bit work they come widened, like 16-bit ones.
Depth bitConversionDepth(const Color_Info& info) {
    return hostDepth(info) == Depth::Eight && depthOf(info) == Depth::Eight ? Depth::Eight
                                                                            : Depth::Sixteen;
}

Layout proofLayout(const Color_Info& info) {
    return info.proofSpace == color::kSpaceCmyk ? Layout::Cmyk : Layout::Rgb;
}

// Proofing on the default engine matches in two steps, into the proof profile's space and out
// of it. The step between keeps 16-bit samples whatever the rows' depth, so that 8-bit rows
// are not rounded twice.
constexpr Depth kProofStepDepth = Depth::Sixteen;

std::size_t proofRowBytes(const Color_Info& info, std::size_t pixels) {
    return pixels * color::bytesPerPixel(proofLayout(info), kProofStepDepth);
}

// Makes the transforms ready for the rows the job will match, so that matching a row allocates
// nothing: RGB hosts' rows in the band loop at the output depth, grey and CMYK hosts' rows in the
// bit conversion.
bool prepareRows(Color_Info& info) {
    const bool rgbHost = hostLayout(info) == Layout::Rgb;
    const color::RowForm rows = {hostLayout(info),
                                 rgbHost ? depthOf(info) : bitConversionDepth(info)};
    const color::RowForm rgbRows = {Layout::Rgb, rows.depth};
    color::Transform* first = info.transforms[0];
    if (!twoSteps(info)) {
        return first->prepare(rows, rgbRows);
    }
    const color::RowForm proofRows = {proofLayout(info), kProofStepDepth};
    if (!first->prepare(rows, proofRows) || !info.transforms[1]->prepare(proofRows, rgbRows)) {
        return false;
    }
    const std::uint32_t width = info.context != nullptr ? info.context->bandLineWidth : 0;
    return width == 0 || scratch(info, proofRowBytes(info, width)) != nullptr;
}

// Matches through the proof profile's space: source to proof with the first transform, proof to
// destination with the second.
std::int32_t matchThroughProof(Color_Info& info, const void* source, color::RowForm sourceForm,
                               void* destination, std::int32_t pixels) {
    const auto count = static_cast<std::size_t>(pixels);
    std::uint8_t* proofRow = scratch(info, proofRowBytes(info, count));
    const color::RowForm proofRows = {proofLayout(info), kProofStepDepth};
    const bool converted =
        proofRow != nullptr && info.transforms[1] != nullptr &&
        info.transforms[0]->convert(source, sourceForm, proofRow, proofRows, count) &&
        info.transforms[1]->convert(proofRow, proofRows, destination,
                                    {Layout::Rgb, sourceForm.depth}, count);
    return converted ? 0 : kColorSyncTransformError;
}

}  // namespace

ColorSyncProfile* retainProfile(std::shared_ptr<const color::Profile> profile) {
    return profile != nullptr ? new ColorSyncProfile{std::move(profile)} : nullptr;
}

void releaseProfile(ColorSyncProfile** profile) {
    delete *profile;
    *profile = nullptr;
}

void releaseTransform(color::Transform** transform) {
    delete *transform;
    *transform = nullptr;
}

std::int32_t OpenColorSync(Color_Info* info) {
    if (info == nullptr) {
        return kColorSyncTransformError;
    }
    info->sourceProfile = retainProfile(openSource(*info));
    if (info->sourceProfile == nullptr) {
        return kColorSyncProfileError;
    }
    info->destinationProfile = retainProfile(openDestination(*info));
    if (info->destinationProfile == nullptr) {
        return kColorSyncProfileError;
    }
    const Intent intent =
        info->colorMode == kColorModeFixedRgb || info->colorMode == kColorModeMonochromePhoto
            ? Intent::RelativeColorimetric
            : intentOfChoice(info->renderingIntent);
    if (proofing(*info)) {
        info->proofProfile =
            retainProfile(findInstalledPrinterProfile(stringOf(info->proofProfilePath), true));
        if (info->proofProfile == nullptr) {
            return kColorSyncProfileError;
        }
        info->proofSpace = info->proofProfile->profile->colorSpace();
    }
    const std::int32_t proofFlag = proofing(*info) ? kProofOn : 0;
    const std::int32_t result =
        preferredEngine(*info)
            ? Plg_NCWConcatColorWorld_ADOBECMM(&info->transforms[0], &info->transforms[1],
                                               info->sourceProfile, info->proofProfile,
                                               info->destinationProfile, nullptr, intent,
                                               info->proofIntent, proofFlag)
            : Plg_NCWConcatColorWorld_DEFAULTCMM(&info->transforms[0], &info->transforms[1],
                                                 &info->transforms[2], info->sourceProfile,
                                                 info->proofProfile, info->destinationProfile,
                                                 nullptr, intent, info->proofIntent, proofFlag);
    if (result != 0) {
        return result;
    }
    // A transform the rows need but the engine could not make is a failure, not silence.
    if (info->transforms[0] == nullptr || (twoSteps(*info) && info->transforms[1] == nullptr) ||
        !prepareRows(*info)) {
        return kColorSyncTransformError;
    }
    info->colorSyncReady = 1;
    return 0;
}

std::int32_t CloseColorSync(Color_Info* info) {
    if (info == nullptr) {
        return 0;
    }
    for (color::Transform*& transform : info->transforms) {
        releaseTransform(&transform);
    }
    releaseProfile(&info->sourceProfile);
    releaseProfile(&info->destinationProfile);
    releaseProfile(&info->proofProfile);
    Dispose_MemoryClear(&info->matchScratch, kUnusedKind);
    info->matchScratchSize = 0;
    info->colorSyncReady = 0;
    return 0;
}

void releaseMatchingLattices(Color_Info& info) {
    for (color::Transform* transform : info.transforms) {
        if (transform != nullptr) {
            transform->releaseRgbLattice();
        }
    }
}

std::int32_t ColorSyncMatching_2(Color_Info* info, const void* source, void* destination,
                                 std::int32_t pixels, color::Transform* transform,
                                 std::int32_t format) {
    if (info == nullptr || transform == nullptr || info->colorSyncReady == 0) {
        return 0;
    }
    return matchRow(source, destination, pixels, transform, format, depthOf(*info));
}

std::int16_t ColorMatchProcessing(Color_Info* info, std::int32_t pixels, std::uint8_t* row) {
    if (info == nullptr) {
        return kColorSyncTransformError;
    }
    return matchRowAtDepth(*info, pixels, row, depthOf(*info));
}

std::int16_t matchRowAtDepth(Color_Info& info, std::int32_t pixels, std::uint8_t* row,
                             Depth depth) {
    if (row == nullptr || pixels < 0) {
        return kColorSyncTransformError;
    }
    if (info.colorSyncReady == 0) {
        return 0;
    }
    if (!twoSteps(info)) {
        return info.transforms[0] != nullptr
                   ? static_cast<std::int16_t>(
                         matchRow(row, row, pixels, info.transforms[0], kRgbToRgb, depth))
                   : 0;
    }
    return static_cast<std::int16_t>(
        matchThroughProof(info, row, {Layout::Rgb, depth}, row, pixels));
}

std::int32_t ColorMatchProcessing_2(Color_Info* info, std::int32_t pixels,
                                    const std::uint8_t* source, std::uint8_t* destination) {
    if (info == nullptr || source == nullptr || destination == nullptr || pixels < 0) {
        return kColorSyncTransformError;
    }
    if (info->colorSyncReady == 0 || info->transforms[0] == nullptr) {
        return 0;
    }
    const Depth depth = bitConversionDepth(*info);
    const std::int32_t format = isGrey(info->imageMode)   ? kGreyToRgb
                                : isCmyk(info->imageMode) ? kCmykToRgb
                                                          : kRgbToRgb;
    if (!twoSteps(*info)) {
        return matchRow(source, destination, pixels, info->transforms[0], format, depth);
    }
    return matchThroughProof(*info, source, {hostLayout(*info), depth}, destination, pixels);
}

std::int32_t Prev_ColorSyncMatching(color::Transform* transform, const void* source,
                                    void* destination, std::int32_t kind, std::uint32_t width,
                                    std::uint32_t height, std::int32_t flag, std::int32_t format) {
    if (transform == nullptr || flag != kPreviewFlagOn) {
        return 0;
    }
    auto layouts = layoutsOf(format);
    if (!layouts) {
        return kColorSyncTransformError;
    }
    if (kind == kPreviewAlphaKind) {
        if (layouts->first == Layout::Grey) {
            return kColorSyncTransformError;  // no four-byte grey pixel
        }
        layouts->first = layouts->first == Layout::Rgb ? Layout::AlphaRgb : layouts->first;
        layouts->second = layouts->second == Layout::Rgb ? Layout::AlphaRgb : layouts->second;
    } else if (kind == kPreviewRgbToAlphaKind) {
        if (layouts->second != Layout::Rgb) {
            return kColorSyncTransformError;
        }
        layouts->second = Layout::AlphaRgb;
    }
    return transform->convert(source, layouts->first, destination, layouts->second, Depth::Eight,
                              width, height)
               ? 0
               : kColorSyncTransformError;
}

std::int32_t Plg_TransformCreate(color::Transform** out, const ColorSyncProfile* a,
                                 const ColorSyncProfile* b, Intent intent,
                                 std::int32_t /*engine*/) {
    if (out == nullptr) {
        return kColorSyncTransformError;
    }
    // One colour engine serves both engine modes.
    *out = color::Transform::create(profileOf(a), profileOf(b), intent).release();
    return 0;
}

std::int32_t Plg_NCWConcatColorWorld_DEFAULTCMM(color::Transform** out1, color::Transform** out2,
                                                color::Transform** out3,
                                                const ColorSyncProfile* source,
                                                const ColorSyncProfile* proof,
                                                const ColorSyncProfile* destination,
                                                const ColorSyncProfile* extra, Intent intent,
                                                std::int32_t proofIntent, std::int32_t proofFlag) {
    std::int32_t result = 0;
    color::Transform** last = out1;
    if (proofFlag == kProofOn) {
        result = Plg_TransformCreate(out1, source, proof, intent, kEngineDefault);
        if (result == 0) {
            result = Plg_TransformCreate(out2, proof, destination, proofIntentOf(proofIntent),
                                         kEngineDefault);
        }
        last = out2;
    } else {
        result = Plg_TransformCreate(out1, source, destination, intent, kEngineDefault);
    }
    if (result != 0 || extra == nullptr || *last == nullptr || (last == out2 && *out1 == nullptr)) {
        return result;
    }
    return Plg_TransformCreate(last == out1 ? out2 : out3, destination, extra,
                               Intent::RelativeColorimetric, kEngineDefault);
}

std::int32_t Plg_NCWConcatColorWorld_ADOBECMM(color::Transform** out1, color::Transform** out2,
                                              const ColorSyncProfile* source,
                                              const ColorSyncProfile* proof,
                                              const ColorSyncProfile* destination,
                                              const ColorSyncProfile* extra, Intent intent,
                                              std::int32_t proofIntent, std::int32_t proofFlag) {
    if (out1 == nullptr || out2 == nullptr) {
        return kColorSyncTransformError;
    }
    if (proofFlag == kProofOn) {
        *out1 = color::Transform::createProofing(profileOf(source), profileOf(proof),
                                                 profileOf(destination), intent,
                                                 proofIntentOf(proofIntent))
                    .release();
    } else {
        Plg_TransformCreate(out1, source, destination, intent, kEnginePreferred);
    }
    *out2 = nullptr;
    if (extra != nullptr && *out1 != nullptr) {
        return Plg_TransformCreate(out2, destination, extra, Intent::RelativeColorimetric,
                                   kEnginePreferred);
    }
    return 0;
}

std::int32_t Plg_NCWConcatColorWorld_Auto(color::Transform** out1, color::Transform** out2,
                                          const ColorSyncProfile* source,
                                          const ColorSyncProfile* middle,
                                          const ColorSyncProfile* destination, Intent intent,
                                          std::int32_t engine) {
    if (out1 == nullptr || out2 == nullptr) {
        return kColorSyncTransformError;
    }
    Plg_TransformCreate(out1, source, middle, intent, engine);
    return Plg_TransformCreate(out2, middle, destination, Intent::RelativeColorimetric, engine);
}

bool rastercore::isAdobeCMMInstalled() {
    return false;
}
