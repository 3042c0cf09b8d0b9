// The test-pattern layout as a print job keeps it: the print copy in the job context
// (`PLGContext::patternTables`) that the pattern print loop draws from, and the sheet's text
// areas (`PLGContext::patternCaptionAreas`) sized from it, into which the job set-up allocates
// blank bitmaps and the pattern captions render. `PLG_Get_PatternCoordinate_Rec` stores both;
// `Print_PatternTermination` (geometry/pattern_coordinates.h) frees both.
#pragma once

#include <cstdint>

#include "pattern/pattern_array.h"
#include "pattern/pattern_layout.h"

struct PLGContext;

/// One position of the print copy's grid.
struct PatternPrintCell {
    PatternRect image;
    PatternRect caption1;  ///< the X value's caption; empty for a cell out of range
    PatternRect caption2;  ///< the Y value's caption; empty on one row or out of range
    /// The cell's entry among the colour module's adjustment entries (`Color_Info::
    /// currentTableIndex`): its running number in the settings' grid.
    std::uint16_t colorTableIndex;
    std::uint16_t captionIndex;  ///< its labels among `PatternCaptionAreas::cells`
    std::uint8_t filled;         ///< the position holds a cell
    std::uint8_t outOfRange;
    std::int16_t xValue;
    std::int16_t yValue;
};

struct PatternPrintInfo {
    std::int16_t columns;
    std::int16_t rows;
    CoreArray<PatternPrintCell> cells;  ///< rows × columns positions, row by row
    std::int32_t cellCount;             ///< filled positions
    CoreArray<PatternLabel> xLabels;
    CoreArray<PatternLabel> yLabels;
    PatternRect xTitle;
    PatternRect yTitle;
    PatternRect settingBox1;  ///< the basic settings
    PatternRect settingBox2;  ///< the adjustments varied along neither axis
    PatternRect background;   ///< empty without spacing
    PatternRect printedArea;
    std::int32_t cellWidth;  ///< every cell's image size
    std::int32_t cellHeight;
    std::uint8_t savePaper;        ///< the layout changed the paper length
    std::int32_t paperWidth;       ///< 1/10 mm
    std::int32_t paperLength;      ///< 1/10 mm
    std::int32_t backgroundColor;  ///< the record's: 0 white, 1 black, 2 grey

    const PatternPrintCell& at(std::int32_t row, std::int32_t column) const {
        return cells[static_cast<std::size_t>(row) * columns + column];
    }
};

/// Stores the print copy of a layout result in `context->patternTables` (replacing any), sizes
/// the sheet's text areas from it and frees the result's arrays. 0; -1 for a context without its
/// job record; -1000 when the copy or the areas cannot be allocated.
std::int32_t Print_PatternInfoValue(PatternInfo* info, PLGContext* context);

/// Sizes every text area of the sheet from the print copy into `context->patternCaptionAreas`
/// (replacing any), without bitmaps: the axis titles, one scale area per label, the two settings
/// boxes, and per cell its two value captions and, for a cell out of range, the whole cell for the
/// outside label. An empty rectangle gives an empty area. 0; -1 without a print copy; -1000 when
/// memory runs out (what was made stays for `Print_PatternTermination`).
std::int32_t allocatePatternCaptionAreas(PLGContext* context);
