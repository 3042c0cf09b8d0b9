// References for a colour job's rows, made beside the job from its profiles: the job's own
// adjustment object at 16 bits, then lcms2 for matching and for the first conversion, either
// exactly (no table: every pixel evaluated through the profiles) or as lcms2 makes its own
// transforms by default (itself a sampled table). Also the differences of two 8-bit rows, as
// the largest and the 99.9th percentile.
#pragma once

#include <lcms2.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "color/color_path_stages.h"
#include "color/standard_profiles.h"
#include "record/color_info.h"

namespace colortest {

inline constexpr int kSamplesPerPixel = 3;
inline constexpr int kEightBitStepIn16 = 257;

/// What the references need to know of a job beside its record.
struct ChainReferenceJob {
    std::filesystem::path source;   ///< the image's profile
    std::filesystem::path printer;  ///< the medium's printer profile
    std::int32_t intent;            ///< the job's rendering intent choice, 1 ... 5
    std::uint8_t workingSpace;      ///< 1 Adobe RGB (1998), 2 sRGB
    std::uint8_t colorMode;         ///< kColorModeColor or kColorModeMonochromePhoto
};

enum class ChainReference : std::uint8_t { Exact, Lcms2Default };

/// Runs the chosen stages of a job at 16 bits.
inline std::vector<std::uint16_t> stagesAt16(Color_Info& info, const ColorPathStages& stages,
                                             const std::vector<std::uint16_t>& row) {
    std::vector<std::uint16_t> out(row.size());
    runColorPath(info, stages, currentObjects(info), color::Depth::Sixteen,
                 reinterpret_cast<const std::uint8_t*>(row.data()),
                 reinterpret_cast<std::uint8_t*>(out.data()),
                 static_cast<std::uint32_t>(row.size() / kSamplesPerPixel));
    return out;
}

namespace detail {

inline cmsUInt32Number matchingIntent(const ChainReferenceJob& job) {
    if (job.colorMode == kColorModeMonochromePhoto) {
        return INTENT_RELATIVE_COLORIMETRIC;
    }
    constexpr std::array<cmsUInt32Number, 5> kByChoice = {
        INTENT_PERCEPTUAL, INTENT_SATURATION, INTENT_RELATIVE_COLORIMETRIC,
        INTENT_ABSOLUTE_COLORIMETRIC, INTENT_PERCEPTUAL};
    return job.intent >= 1 && job.intent <= 5 ? kByChoice[job.intent - 1] : INTENT_PERCEPTUAL;
}

// The conversion table's intents: absolute colorimetric choices print with the colorimetric
// conversion, the fifth choice with the absolute one.
inline cmsUInt32Number conversionIntent(const ChainReferenceJob& job) {
    if (job.colorMode == kColorModeMonochromePhoto) {
        return INTENT_RELATIVE_COLORIMETRIC;
    }
    constexpr std::array<cmsUInt32Number, 5> kByChoice = {
        INTENT_PERCEPTUAL, INTENT_SATURATION, INTENT_RELATIVE_COLORIMETRIC,
        INTENT_RELATIVE_COLORIMETRIC, INTENT_ABSOLUTE_COLORIMETRIC};
    return job.intent >= 1 && job.intent <= 5 ? kByChoice[job.intent - 1] : INTENT_PERCEPTUAL;
}

inline void transformed(cmsHPROFILE from, cmsHPROFILE to, cmsUInt32Number intent,
                        cmsUInt32Number flags, cmsUInt32Number outFormat, const void* in, void* out,
                        std::size_t pixels) {
    cmsHTRANSFORM transform = cmsCreateTransform(from, TYPE_RGB_16, to, outFormat, intent, flags);
    if (transform != nullptr) {
        cmsDoTransform(transform, in, out, static_cast<cmsUInt32Number>(pixels));
        cmsDeleteTransform(transform);
    }
}

}  // namespace detail

/// The 8-bit results of the job's chain for 16-bit pixels `wide`, through the adjustment object
/// of `sixteenBitInfo` (a job at a 16-bit output depth) and lcms2. A colour print from an image
/// editor is matched into Adobe RGB (1998) and converted from the working space; a monochrome
/// one is matched into sRGB, toned, and converted from sRGB.
inline std::vector<std::uint8_t> chainThroughLcms2(Color_Info& sixteenBitInfo,
                                                   const ChainReferenceJob& job,
                                                   const std::vector<std::uint16_t>& wide,
                                                   ChainReference kind) {
    const bool mono = job.colorMode == kColorModeMonochromePhoto;
    const cmsUInt32Number flags =
        kind == ChainReference::Exact ? cmsFLAGS_NOOPTIMIZE | cmsFLAGS_NOCACHE : 0;
    const std::size_t pixels = wide.size() / kSamplesPerPixel;
    const auto open = [](const std::filesystem::path& path) {
        return cmsOpenProfileFromFile(path.c_str(), "r");
    };
    cmsHPROFILE source = open(job.source);
    cmsHPROFILE printer = open(job.printer);
    cmsHPROFILE srgb = open(color::standardProfilePath(color::StandardProfile::Srgb));
    cmsHPROFILE adobe = open(color::standardProfilePath(color::StandardProfile::AdobeRgb1998));
    cmsHPROFILE matchedInto = mono ? srgb : adobe;
    cmsHPROFILE convertedFrom = mono || job.workingSpace == 2 ? srgb : adobe;

    ColorPathStages adjustment = colorPathStages(sixteenBitInfo);
    adjustment.matching = false;
    adjustment.conversion = false;
    std::vector<std::uint16_t> rgb = mono ? wide : stagesAt16(sixteenBitInfo, adjustment, wide);
    detail::transformed(source, matchedInto, detail::matchingIntent(job), flags, TYPE_RGB_16,
                        rgb.data(), rgb.data(), pixels);
    if (mono) {
        rgb = stagesAt16(sixteenBitInfo, adjustment, rgb);
    }
    std::vector<std::uint8_t> out(wide.size());
    if (kind == ChainReference::Exact) {
        std::vector<std::uint16_t> exact(wide.size());
        detail::transformed(convertedFrom, printer, detail::conversionIntent(job), flags,
                            TYPE_RGB_16, rgb.data(), exact.data(), pixels);
        std::transform(exact.begin(), exact.end(), out.begin(), [](std::uint16_t v) {
            return static_cast<std::uint8_t>(std::lround(v / double{kEightBitStepIn16}));
        });
    } else {
        detail::transformed(convertedFrom, printer, detail::conversionIntent(job), flags,
                            TYPE_RGB_8, rgb.data(), out.data(), pixels);
    }
    for (cmsHPROFILE profile : {source, printer, srgb, adobe}) {
        if (profile != nullptr) {
            cmsCloseProfile(profile);
        }
    }
    return out;
}

/// How far apart two 8-bit rows are, in 8-bit steps.
struct RowDifferences {
    int largest = 0;
    int tail = 0;           ///< the 99.9th percentile
    std::size_t where = 0;  ///< the pixel of the largest
};

inline RowDifferences differencesOf(const std::vector<std::uint8_t>& a,
                                    const std::vector<std::uint8_t>& b) {
    constexpr std::size_t kTailPerMille = 1000;
    std::array<std::size_t, 256> counts{};
    RowDifferences d;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        const int difference = std::abs(a[i] - b[i]);
        ++counts[static_cast<std::size_t>(difference)];
        if (difference > d.largest) {
            d.largest = difference;
            d.where = i / kSamplesPerPixel;
        }
    }
    const std::size_t tailCount = a.size() - a.size() / kTailPerMille;
    std::size_t below = 0;
    for (std::size_t v = 0; v < counts.size() && below < tailCount; ++v) {
        below += counts[v];
        d.tail = static_cast<int>(v);
    }
    return d;
}

}  // namespace colortest
