// The text areas of a test-pattern sheet, held by the job context: the titles and scale values
// of the two axes, the settings blocks and the labels of every cell.
//
// The job set-up lays the sheet out, sizes every area and allocates its bitmap (width × height
// working pixels, filled with bytes of 255) with the core's allocator; the pattern captions
// render the texts into them and the pattern print loop copies them into the sheet. An area with
// a zero width or height or without a bitmap is skipped. The tear-down frees every bitmap and
// array.
#pragma once

#include <cstdint>

/// One area: its size in working pixels and its bitmap.
struct PatternCaptionArea {
    std::int32_t width;
    std::int32_t height;
    std::uint8_t* bitmap;
};

/// The area of one scale value of an axis and the adjustment value it shows.
struct PatternScaleArea {
    PatternCaptionArea area;
    std::int16_t value;
};

/// The labels of one cell of the grid.
struct PatternCellCaptions {
    PatternCaptionArea xValue;   ///< the cell's X adjustment value
    PatternCaptionArea yValue;   ///< the cell's Y adjustment value
    PatternCaptionArea outside;  ///< the whole cell: the label of values outside their range
    std::uint8_t outsideFlag;    ///< 1: the cell's values lie outside the valid range
    std::int16_t xAdjustValue;
    std::int16_t yAdjustValue;
};

struct PatternCaptionAreas {
    PatternCaptionArea xTitle;
    PatternCaptionArea yTitle;
    PatternScaleArea* xScales;  ///< one per grid column
    std::int32_t xScaleCount;
    PatternScaleArea* yScales;  ///< one per grid row
    std::int32_t yScaleCount;
    PatternCaptionArea basicSettings;  ///< the three basic-setting lines
    PatternCaptionArea colorSettings;  ///< the adjustment items varied along neither axis
    PatternCellCaptions* cells;        ///< one per cell of the grid
    std::int32_t cellCount;
};
