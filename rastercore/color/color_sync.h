// Matching: the job's profiles, the transforms between them and the matching of rows, on the
// colour layer (`color::`).
//
// Profiles are handed out as `ColorSyncProfile` references that their maker releases with
// `releaseProfile`; transforms as `color::Transform` pointers released with `releaseTransform`.
// A transform keeps the profiles it was made from, so they may be released first.
//
// Row format codes (source to destination): 1 RGB to RGB, 2 RGB to CMYK, 3 CMYK to RGB, 4 CMYK
// to CMYK, 5 grey to RGB, 6 grey to CMYK. 16-bit rows hold little-endian samples.
#pragma once

#include <cstdint>
#include <memory>

#include "color/profile.h"
#include "color/transform.h"

struct Color_Info;

/// An open profile.
struct ColorSyncProfile {
    std::shared_ptr<const color::Profile> profile;
};

/// A new reference to `profile`; null for a null profile.
ColorSyncProfile* retainProfile(std::shared_ptr<const color::Profile> profile);
/// Releases the reference and clears it.
void releaseProfile(ColorSyncProfile** profile);
void releaseTransform(color::Transform** transform);

/// Results of matching.
inline constexpr std::int32_t kColorSyncProfileError = 296;    ///< a profile cannot be opened
inline constexpr std::int32_t kColorSyncTransformError = 309;  ///< a transform failed or is missing

/// Engine modes: 2 asks for the preferred colour engine.
inline constexpr std::int32_t kEngineDefault = 1;
inline constexpr std::int32_t kEnginePreferred = 2;

/// Row format codes.
enum RowFormat : std::int32_t {
    kRgbToRgb = 1,
    kRgbToCmyk = 2,
    kCmykToRgb = 3,
    kCmykToCmyk = 4,
    kGreyToRgb = 5,
    kGreyToCmyk = 6,
};

/// Opens the job's source, destination and proof profiles and makes the transforms of the
/// record, ready for its rows: 0; 296 when a profile cannot be opened; 309 when a transform
/// cannot be made. What was made stays for `CloseColorSync`.
std::int32_t OpenColorSync(Color_Info* info);

/// Releases the transforms, the profiles and the matching buffer; 0.
std::int32_t CloseColorSync(Color_Info* info);

/// Frees the RGB to RGB lattices of the record's transforms, for a job whose rows go through a
/// folded lattice instead; a later RGB match samples them again.
void releaseMatchingLattices(Color_Info& info);

/// Matches `pixels` pixels of a colour-processed row in place; 0 or 309.
std::int16_t ColorMatchProcessing(Color_Info* info, std::int32_t pixels, std::uint8_t* row);

/// The same at a sample depth of the caller's choice, which may differ from the record's.
std::int16_t matchRowAtDepth(Color_Info& info, std::int32_t pixels, std::uint8_t* row,
                             color::Depth depth);

/// Matches one host row the bit conversion hands over (grey, RGB or CMYK by the host's image
/// mode; 8-bit samples when the host's samples and the output depth are both 8-bit, else 16-bit
/// ones) into an RGB row of the same depth; 0 or 309.
std::int32_t ColorMatchProcessing_2(Color_Info* info, std::int32_t pixels,
                                    const std::uint8_t* source, std::uint8_t* destination);

/// One conversion of one row at the record's sample depth: 0, or 309 when it fails; 0 without
/// work when the transform is missing or matching is not ready.
std::int32_t ColorSyncMatching_2(Color_Info* info, const void* source, void* destination,
                                 std::int32_t pixels, color::Transform* transform,
                                 std::int32_t format);

/// Converts `height` rows of `width` 8-bit pixels for the preview when a transform is given and
/// `flag` is 1. Kind 3: four-byte pixels on both sides, RGB ones alpha first; kind 2: RGB
/// source, alpha-first RGB destination; other kinds: the layouts of the format code. 0 or 309.
std::int32_t Prev_ColorSyncMatching(color::Transform* transform, const void* source,
                                    void* destination, std::int32_t kind, std::uint32_t width,
                                    std::uint32_t height, std::int32_t flag, std::int32_t format);

/// Profile A to profile B with the intent. Stores the transform, null when the profiles cannot
/// be linked, and answers 0; 309 when `out` is null.
std::int32_t Plg_TransformCreate(color::Transform** out, const ColorSyncProfile* a,
                                 const ColorSyncProfile* b, color::Intent intent,
                                 std::int32_t engine);

/// With proof (flag 1): out 1 source to proof with the intent, out 2 proof to destination,
/// absolute colorimetric for proof intent 1, else relative. Without: out 1 source to
/// destination. With an extra profile, the next out is destination to extra, relative
/// colorimetric. 0, or 309 when an out that is needed is null.
std::int32_t Plg_NCWConcatColorWorld_DEFAULTCMM(color::Transform** out1, color::Transform** out2,
                                                color::Transform** out3,
                                                const ColorSyncProfile* source,
                                                const ColorSyncProfile* proof,
                                                const ColorSyncProfile* destination,
                                                const ColorSyncProfile* extra, color::Intent intent,
                                                std::int32_t proofIntent, std::int32_t proofFlag);

/// With proof: out 1 one transform source to destination as printed on the proof device
/// (intent, then proof intent). Without: out 1 source to destination. Out 2 destination to
/// extra, relative colorimetric, or empty. 0; 309 when an out is null.
std::int32_t Plg_NCWConcatColorWorld_ADOBECMM(color::Transform** out1, color::Transform** out2,
                                              const ColorSyncProfile* source,
                                              const ColorSyncProfile* proof,
                                              const ColorSyncProfile* destination,
                                              const ColorSyncProfile* extra, color::Intent intent,
                                              std::int32_t proofIntent, std::int32_t proofFlag);

/// Out 1 source to middle with the intent, out 2 middle to destination relative colorimetric.
/// 0; 309 when an out is null.
std::int32_t Plg_NCWConcatColorWorld_Auto(color::Transform** out1, color::Transform** out2,
                                          const ColorSyncProfile* source,
                                          const ColorSyncProfile* middle,
                                          const ColorSyncProfile* destination, color::Intent intent,
                                          std::int32_t engine);

namespace rastercore {
/// Whether a second, preferred colour engine is installed: this system has one engine, so
/// false. In the core's namespace: the plug-in foundation answers the same question under the
/// same name, and a program may link both statically.
bool isAdobeCMMInstalled();
}  // namespace rastercore
