// The drawing helpers of the test-pattern captions: font sizes, texts drawn into a grey bitmap,
// and grey bitmaps turned into an area's working pixels.
//
// Sizes given to these helpers are for 300 dpi; a job at 600 dpi doubles them
// (`PLG_PatternCreateCaption_getFontSize`).
#pragma once

#include <cstdint>

#include "graphics/bitmap.h"

struct PLGContext;

/// Most texts one area holds: the eight adjustment items of grey output.
inline constexpr int kPatternTextsMax = 8;

/// The texts of one area, each in its rectangle (x, y of the baseline's start, y upwards from
/// the bottom) and colour (`kTextColorBlack`, `kTextColorWhite`).
struct PatternTextList {
    std::int32_t count;
    gfx::Rect rects[kPatternTextsMax];
    const char* strings[kPatternTextsMax];
    std::int16_t colors[kPatternTextsMax];
};

/// Ways a grey bitmap goes into an area.
inline constexpr std::int16_t kPatternTurnNone = 0;  ///< grey row i is area row i
/// Grey row i is area column (area width - 1 - i): the text reads downwards, its top at the
/// right; the grey bitmap has the area's size exchanged.
inline constexpr std::int16_t kPatternTurnDown = 1;

/// `size` for the job's resolution: doubled unless the job's input-resolution code is 1.
double PLG_PatternCreateCaption_getFontSize(PLGContext* context, double size);

/// Draws `count` texts into an 8-bit grey bitmap of `width` × `height` filled with `fill`: each
/// string in its rectangle in the interface font at `fontSize` in `style` and its colour, cut at
/// the rectangle's width with "…" when `truncate` is set; then copies the bitmap (rows top
/// first, `width` bytes each) to `destination`. Returns 0, or -1 when the drawing context cannot
/// be made or an argument is missing.
std::int32_t PLG_PatternCreateCaption_getCaptionData(
    std::uint8_t* destination, std::int32_t width, std::int32_t height, double fontSize,
    std::uint16_t style, std::int32_t count, const gfx::Rect* rects, const char* const* strings,
    const std::int16_t* colors, std::uint8_t fill, bool truncate);

/// Converts the grey bitmap (rows `greyRowBytes` apart) into the area bitmap of `areaWidth` ×
/// `areaHeight` working pixels, each grey level into all three samples (16-bit samples: level ×
/// 257, little-endian), by the turn code. Returns 0, or -1 for another turn code, an unknown
/// working format or a missing bitmap.
std::int32_t PLG_PatternCreateCaption_setCaptionData(PLGContext* context, const std::uint8_t* grey,
                                                     std::int32_t greyRowBytes,
                                                     std::uint8_t* areaBitmap,
                                                     std::int32_t areaWidth,
                                                     std::int32_t areaHeight, std::int16_t turn);

/// Adds `text` as the next line of a block stacked downwards from the top of an area
/// `areaWidth` × `areaHeight`, in black: the first line's baseline lies its ascent and 10 pixels
/// under the top edge, each further one its own ascent and 5 pixels under the one before; every
/// line starts at x 5 and is as wide as the area less 5. Returns 0, or -1 for a null text or a
/// full list.
std::int32_t PLG_PatternCreateCaption_Setting_Color_SetSetting(PatternTextList* list,
                                                               double fontSize,
                                                               std::int32_t areaWidth,
                                                               std::int32_t areaHeight,
                                                               const char* text);
