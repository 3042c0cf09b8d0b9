// One line of a test-pattern sheet and what goes into it besides the cells: the background,
// the pasted labels, titles and settings boxes, and the merged captions and outside labels.
//
// The line holds output pixels: working pixels (3 or 6 bytes), or, for a monochrome print on a
// model that prints one grey plane, one grey sample (1 or 2 bytes). Items are working pixels;
// for a monochrome print they pass the print colour processing with the neutral caption entry
// first, for a colour print they are copied as they are. Everything is clipped to the line.
#pragma once

#include <cstddef>
#include <cstdint>

#include "pattern/pattern_layout.h"

struct PLGContext;
struct PatternCaptionArea;

/// Most bytes of one output pixel.
inline constexpr std::size_t kPatternPixelMax = 6;

struct PatternSheetLine {
    std::uint8_t* pixels;  ///< `width` output pixels
    std::int32_t width;
    std::int32_t originX;        ///< the sheet's x of the line's first pixel
    std::size_t pixelBytes;      ///< of an output pixel
    std::size_t workPixelBytes;  ///< of a working pixel
    bool colorProcessItems;      ///< a monochrome print: items are colour-processed
    std::uint16_t captionTable;  ///< the neutral caption entry's index among the entries
    std::uint8_t* source;        ///< scratch of `width` working pixels
    std::uint8_t* processed;     ///< scratch of `width` working pixels
    /// The transparent colour of merged items: the first pixel of the first merged item that
    /// does not start with zero; all zero while unset.
    std::uint8_t key[kPatternPixelMax];
};

/// The background's part of sheet line `line`: a row of the background colour (0 white, 1
/// black, 2 grey) across `rect`, colour-processed like an item. 0 when the line misses the
/// rectangle; -1 for another colour or a failed colour processing.
std::int32_t fillPatternBackground(PLGContext* context, PatternSheetLine* sheetLine,
                                   const PatternRect& rect, std::int32_t color, std::int32_t line);

/// Copies the row of `area` that sheet line `line` crosses into the line at `rect`, every pixel
/// as it is. 0 when the line misses the rectangle or the area has no bitmap; -1 for a failed
/// colour processing.
std::int32_t PLG_PPL_Com_Pattern_Print_PasteItem(PLGContext* context, PatternSheetLine* sheetLine,
                                                 const PatternRect& rect,
                                                 const PatternCaptionArea& area, std::int32_t line);

/// The same, leaving out every pixel equal to the transparent colour (set first from this row's
/// first pixel when still unset). -1 also for a monochrome print whose output depth code is not
/// 0 (8-bit), 1 or 2 (16-bit).
std::int32_t PLG_PPL_Com_Pattern_Print_MargeItem(PLGContext* context, PatternSheetLine* sheetLine,
                                                 const PatternRect& rect,
                                                 const PatternCaptionArea& area, std::int32_t line);
