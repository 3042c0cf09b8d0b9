// The print colour module's record: the values of it that the band loop and the page geometry
// read or set. The colour module owns the rest of the record and adds its fields here.
//
// Allocated zeroed by the job set-up, so the zeroed record is a valid empty one.
#pragma once

#include <cstdint>

#include "color/color_adjust_entry.h"
#include "color/tone_curve_tables.h"

struct PLGContext;

/// Colour modes of a job (`Color_Info::colorMode`).
inline constexpr std::int32_t kColorModeColor = 1;
inline constexpr std::int32_t kColorModeMonochromePhoto = 3;

struct Color_Info {
    PLGContext* context;
    std::int32_t colorMode;     ///< 1 colour, 2 matched through a fixed RGB profile, 3 monochrome
    std::uint8_t captionMerge;  ///< the line being processed carries the caption merge
    std::uint8_t outputDepth;   ///< printer samples: 0 8 bits, 1 10 bits, 2 12 bits
    std::uint16_t* toneCurveTables[kToneCurveSlots];  ///< 4096 entries each; null: identity

    // Colour adjustments: the job's current ones and one entry per pattern cell (and caption).
    ColorAdjustEntry currentAdjust;
    ColorAdjustEntry* adjustEntries;
    std::uint32_t adjustEntryCount;  ///< entries allocated
    std::uint8_t patternXCount;
    std::uint8_t patternYCount;
    std::uint16_t tableCount;  ///< distinct colour tables the entries need
    double monochromeGamma;
};
