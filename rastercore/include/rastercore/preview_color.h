// Colour-managed preview images: the records the dialog hands the core and the four exported
// functions that convert, colour-process and match preview pixels for the display.
//
// Every call runs on the caller's thread and keeps no state between calls, apart from what a
// `PtnProfileInfoTbl` holds between its Open and Close. The job record is only read: several
// threads may pass the same record (and the same opened table) at once.
#pragma once

#include <cstddef>
#include <cstdint>

#include "rastercore/core_common_info_tbl.h"

#ifndef RASTERCORE_EXPORT
#define RASTERCORE_EXPORT __attribute__((visibility("default")))
#endif

struct ColorSyncProfile;
namespace color {
class Transform;
}

/// The pixels of one preview call. Natural alignment, 32 bytes; the caller owns the record and
/// both buffers.
struct ColorDataRec {
    const void* source;    ///< width x height pixels, tightly packed
    void* destination;     ///< width x height RGB pixels, 3 bytes each
    std::uint32_t width;   ///< pixels
    std::uint32_t height;  ///< rows
    std::uint32_t
        destinationSize;     ///< bytes of the destination buffer, at least width x height x 3
    std::int32_t cellIndex;  ///< the test-pattern cell; not read by the core
};
static_assert(sizeof(ColorDataRec) == 32);
static_assert(offsetof(ColorDataRec, destination) == 8);
static_assert(offsetof(ColorDataRec, width) == 16);
static_assert(offsetof(ColorDataRec, height) == 20);
static_assert(offsetof(ColorDataRec, destinationSize) == 24);
static_assert(offsetof(ColorDataRec, cellIndex) == 28);

#pragma pack(push, 1)

/// The profiles and display transforms of one test-pattern view, made once by
/// `RasterCore_PatternProfileSearch_Open` and shared read-only by the cells' calls. 56 bytes,
/// allocated zeroed and freed by the caller; empty slots are null.
struct PtnProfileInfoTbl {
    std::int32_t engine;               ///< 1 the system colour engine, 2 the preferred one
    ColorSyncProfile* sourceProfile;   ///< empty once Open returns
    ColorSyncProfile* displayProfile;  ///< empty once Open returns
    color::Transform* T0;              ///< source to display, relative colorimetric
    color::Transform* T1;              ///< first step of the chain
    color::Transform* T2;              ///< second step of the chain
    color::Transform* T3;              ///< output to display after a proof step
    std::uint32_t colorSpace;          ///< ICC signature of the proof or the source space
};

#pragma pack(pop)

static_assert(sizeof(PtnProfileInfoTbl) == 56);
static_assert(offsetof(PtnProfileInfoTbl, sourceProfile) == 4);
static_assert(offsetof(PtnProfileInfoTbl, displayProfile) == 12);
static_assert(offsetof(PtnProfileInfoTbl, T0) == 20);
static_assert(offsetof(PtnProfileInfoTbl, T1) == 28);
static_assert(offsetof(PtnProfileInfoTbl, T2) == 36);
static_assert(offsetof(PtnProfileInfoTbl, T3) == 44);
static_assert(offsetof(PtnProfileInfoTbl, colorSpace) == 52);

extern "C" {

/// Converts the host's preview pixels (grey 1 byte, RGB 3 bytes or CMYK 4 bytes a pixel, by the
/// host's image mode) into RGB in the destination, through the image's embedded profile. RGB
/// images are copied as they are; without an embedded profile the destination is left as it is.
/// 0, or `rastercore::kPlgColorManagement` on failure (the caller shows the image unmanaged).
RASTERCORE_EXPORT std::int32_t RasterCore_Prev_PreColorManagement(const CoreCommonInfoTbl* table,
                                                                  ColorDataRec* data);

/// Applies the job's colour adjustments and tone curves to the RGB source into the destination
/// and matches the result for the main display, simulating the print when the record's preview
/// proof is 1. A preview proof other than 0 and 1 does nothing and answers 0. With the record's
/// pattern flag set, every transform comes from `profiles` (opened for the same settings) and
/// failures answer their own codes. 0, or `rastercore::kPlgColorManagement` on failure.
RASTERCORE_EXPORT std::int32_t RasterCore_Prev_ColorManagement(const CoreCommonInfoTbl* table,
                                                               ColorDataRec* data,
                                                               const PtnProfileInfoTbl* profiles);

/// Finds the profiles of the record's settings and makes the display transforms of a test-pattern
/// view into `profiles` (56 zeroed bytes). 0, or `rastercore::kPlgColorManagement` when no source
/// profile (or no output or proof profile that the settings name) can be found; what was made
/// stays for Close.
RASTERCORE_EXPORT std::int32_t RasterCore_PatternProfileSearch_Open(const CoreCommonInfoTbl* table,
                                                                    PtnProfileInfoTbl* profiles);

/// Releases the transforms of `profiles` and empties their slots (the record itself stays the
/// caller's); 0. Closing twice is harmless.
RASTERCORE_EXPORT std::int32_t RasterCore_PatternProfileSearch_Close(PtnProfileInfoTbl* profiles);
}
