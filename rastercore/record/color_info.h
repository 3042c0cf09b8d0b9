// The print colour module's record: the job's colour values, the colour framework's objects and
// the matching state.
//
// Allocated zeroed by the job set-up, which fills the job values; the zeroed record is a valid
// empty one. The colour module owns everything it makes in the record and releases it in
// `tarn_Color_Terminate`.
#pragma once

#include <cstdint>

#include "color/color_adjust_entry.h"
#include "color/tone_curve_tables.h"
#include "medab2/medab2.h"

struct PLGContext;
struct ColorSyncProfile;
struct ColorPathLattice;

namespace cf {
class Bundle;
class Value;
}  // namespace cf

namespace color {
class Transform;
}

/// Colour modes of a job (`Color_Info::colorMode`).
inline constexpr std::int32_t kColorModeColor = 1;
inline constexpr std::int32_t kColorModeFixedRgb = 2;
inline constexpr std::int32_t kColorModeMonochromePhoto = 3;

/// Output depth codes (`Color_Info::outputDepth`): 8, 10 and 12 bits; 10 and 12-bit output
/// works on 16-bit samples.
inline constexpr std::uint8_t kOutput8Bit = 0;
inline constexpr std::uint8_t kOutput10Bit = 1;
inline constexpr std::uint8_t kOutput12Bit = 2;

/// Matching transform slots.
inline constexpr int kColorSyncTransforms = 3;

struct Color_Info {
    PLGContext* context;        ///< the job; its model values steer the module
    std::int32_t colorMode;     ///< 1 colour, 2 matched through a fixed RGB profile, 3 monochrome
    std::uint8_t captionMerge;  ///< the line being processed carries the caption merge
    std::uint16_t* toneCurveTables[kToneCurveSlots];  ///< 4096 entries each; null: identity

    // Colour adjustments: the job's current ones and one entry per pattern cell (and caption).
    ColorAdjustEntry currentAdjust;
    ColorAdjustEntry* adjustEntries;
    std::uint32_t adjustEntryCount;  ///< entries allocated
    std::uint8_t patternXCount;
    std::uint8_t patternYCount;
    std::uint16_t tableCount;  ///< distinct colour tables the entries need
    double monochromeGamma;

    // Job values, set by the job set-up.
    std::uint8_t* mediaDatabase;     ///< the media database image every mdb3 call reads
    std::uint16_t mediumID;          ///< the job's medium
    DEF_QUALITY quality;             ///< the job's print method and resolution
    std::int32_t renderingIntent;    ///< the job's choice 1 ... 5
    std::uint8_t outputDepth;        ///< kOutput8Bit, kOutput10Bit or kOutput12Bit
    std::uint8_t patternPrint;       ///< a test-pattern job: one set of objects per cell
    std::uint8_t matching;           ///< match rows through the job's profiles
    std::int16_t imageMode;          ///< the host's image mode (1 grey, 3 RGB, 4 CMYK; 10, 11, 13)
    std::int32_t hostType;           ///< 2: the photo application, which names profiles by URL
    const void* sourceProfileBytes;  ///< the host's embedded profile, borrowed
    std::uint32_t sourceProfileSize;
    const cf::Value* sourceProfileUrl;   ///< string: the photo application's image profile
    const cf::Value* workingProfileUrl;  ///< string: the photo application's working space
    std::int32_t cmm;                    ///< 2: the preferred colour engine
    std::uint8_t proof;                  ///< 1: simulate the proof profile
    std::int32_t proofIntent;            ///< 1: absolute colorimetric, else relative
    const cf::Value* outputProfilePath;  ///< string: the selected printer profile
    const cf::Value* proofProfilePath;   ///< string: the selected proof profile
    std::int32_t workingSpace;           ///< the job's RGB working space: 2 sRGB, else Adobe RGB
    std::uint8_t adobeRgbProfileFound;   ///< an Adobe RGB (1998) display profile is installed
    /// The cell (index into `adjustEntries`) whose objects process the next rows of a
    /// test-pattern job; set by the pattern print before each cell.
    std::uint16_t currentTableIndex;

    // The colour framework and the media database, bound for the job.
    cf::Bundle* mediaBundle;
    cf::Bundle* colorBundle;
    std::uint8_t preprocNeeded;     ///< rows go through the pre-processing or monochrome object
    void* preprocObject;            ///< the job's pre-processing object (not for pattern cells)
    void* monochromeObject;         ///< the job's monochrome object
    void* csc1Object;               ///< the first colour-space conversion, or null
    ColorPathLattice* pathLattice;  ///< the rows' stages folded into one lattice, or null

    // Matching state.
    ColorSyncProfile* sourceProfile;
    ColorSyncProfile* destinationProfile;
    ColorSyncProfile* proofProfile;
    color::Transform* transforms[kColorSyncTransforms];
    std::uint32_t proofSpace;        ///< the proof profile's colour space ('RGB ' or 'CMYK')
    std::uint8_t colorSyncReady;     ///< the transforms are made
    std::uint8_t* matchScratch;      ///< rows between two matching steps
    std::uint32_t matchScratchSize;  ///< bytes
};
