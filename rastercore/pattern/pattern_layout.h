// The layout of a test-pattern sheet: one image repeated in a grid of cells whose X and Y
// adjustment values change from column to column and from row to row, with the cells' captions,
// the axis labels and titles, the background, the two settings boxes, the printed area and the
// paper size.
//
// Positions are dots at the job resolution R (300 when the record's input-resolution field is 1,
// else 600), measured from the top left of the printable area; v tenths of a millimetre are
// trunc(v × R / 254) dots. The same layout serves the test-pattern dialog's preview and the
// print; only the print lays out labels, titles and settings boxes.
#pragma once

#include <cstdint>

#include "pattern/pattern_array.h"

struct PLGContext;

/// Status values of the layout.
inline constexpr std::int32_t kPatternDoesNotFit = 1;  ///< FULL: the image does not fit the sheet
inline constexpr std::int32_t kPatternEmptyRect =
    10;  ///< an image, cell, box or paper came out empty

/// Adjustment type of an axis that varies nothing.
inline constexpr std::int32_t kPatternNoAxis = 16;
/// Turn values: each cell's image turned, or the whole layout turned.
inline constexpr std::int32_t kPatternTurnCells = 1;
inline constexpr std::int32_t kPatternTurnLayout = 2;

struct PatternRect {
    std::int32_t x;
    std::int32_t y;
    std::int32_t width;
    std::int32_t height;

    bool empty() const { return width <= 0 || height <= 0; }
    bool holdsLine(std::int32_t line) const { return !empty() && line >= y && line - y < height; }
    bool operator==(const PatternRect&) const = default;
};

/// One cell of the grid.
struct PatternCell {
    PatternRect image;
    std::int32_t xValue;
    std::int32_t yValue;
    PatternRect caption1;  ///< the X value's caption
    PatternRect caption2;  ///< the Y value's caption; empty on a sheet of one row
    /// Running number of the cell in the settings' grid (row by row): its colour-adjust entry.
    /// Sixteen bits: a grid of up to 255 × 255 cells would wrap a byte.
    std::uint16_t index;
    std::uint8_t outOfRange;  ///< its X or Y value lay outside the adjustment's range
};

/// A label of an axis: one scale value.
struct PatternLabel {
    PatternRect rect;
    std::int16_t value;
};

/// The margins and fixed distances of one layout run, in dots.
struct PatternMargins {
    std::int32_t top;
    std::int32_t trailing;
    std::int32_t left;
    std::int32_t right;
    std::int32_t outerTop;       ///< 10 mm above the grid's frame
    std::int32_t labelBand;      ///< R / 10 dots + 10 mm under the background
    std::int32_t belowLabels;    ///< 10 mm
    std::int32_t outerLeft;      ///< 10 mm left of the grid's frame
    std::int32_t innerGap;       ///< 5 mm around the grid
    std::int32_t captionHeight;  ///< 5 mm
    std::int32_t labelHeight;    ///< 10 mm
    std::int32_t settingHeight;  ///< 30 mm
    std::int32_t cellGap;        ///< 5 mm with spacing, else 0
    std::int32_t titleLimit;     ///< 200 mm
};

/// What the layout reads of the job record, converted.
struct PatternInput {
    bool preview;
    std::int32_t resolution;    ///< R
    std::uint32_t paperWidth;   ///< 1/10 mm
    std::uint32_t paperLength;  ///< 1/10 mm
    std::int32_t paperWidthDots;
    std::int32_t paperLengthDots;
    std::int32_t imageWidth;  ///< the base image in dots
    std::int32_t imageHeight;
    std::int32_t paperSource;
    std::int32_t savePaper;
    std::int32_t xType;
    std::int32_t columns;  ///< the X count's low byte
    std::int32_t xInterval;
    std::int32_t yType;
    std::int32_t rows;  ///< the Y count's low byte; 1 for no Y axis
    std::int32_t yInterval;
    std::int32_t turn;
    std::int32_t fullSize;  ///< 1: cells at the image's own size
    std::int32_t spacing;   ///< 1: gaps between the cells and a background behind them
    std::int32_t xCenter;
    std::int32_t yCenter;
    std::int32_t colorMode;
    std::int32_t marginSize;    ///< the model's `MarginSize`
    std::int32_t settingWidth;  ///< the settings box width in dots; 0 for the preview
};

/// The layout result.
struct PatternInfo {
    PatternInput input;
    PatternMargins margins;
    std::int32_t availableWidth;   ///< paper width less the left and right margins
    std::int32_t availableLength;  ///< paper length less the top and trailing margins
    std::int32_t columns;          ///< of the laid-out grid (reflowed or turned)
    std::int32_t rows;
    std::int32_t cellWidth;  ///< every cell's image size
    std::int32_t cellHeight;
    std::int32_t gridLeft;
    std::int32_t gridTop;
    std::int32_t gridWidth;
    std::int32_t gridHeight;
    CoreArray<PatternCell> cells;  ///< in the grid's order, row by row
    std::uint16_t cellCount;       ///< cells laid out
    PatternRect background;
    PatternRect xTitle;
    CoreArray<PatternLabel> xLabels;
    PatternRect yTitle;
    CoreArray<PatternLabel> yLabels;
    PatternRect settingBox1;
    PatternRect settingBox2;
    PatternRect printedArea;
    PatternRect paper;
    std::uint8_t savePaper;       ///< the paper length was changed to the content
    std::int32_t paperWidthOut;   ///< 1/10 mm
    std::int32_t paperLengthOut;  ///< 1/10 mm
    std::uint8_t resultByte;      ///< 1 when FULL did not fit
    std::uint8_t wrapped;         ///< FULL reflowed the cells into more rows
    std::int32_t turn;
    std::int32_t colorMode;
    std::int32_t fullSize;
};

/// Lays the sheet out from the job record of `context` (and, in print mode, its pattern caption
/// width). Returns the result, or null with the status in `*status` (1, 10 or -1000; -1 for a
/// missing record or host table). `*status` is 0 on success.
PatternInfo* PatternCalc(PLGContext* context, bool preview, std::int32_t* status);

/// Frees a layout result and its arrays; null is allowed.
void releasePatternInfo(PatternInfo* info);

// The steps, in the order `PatternCalc` runs them.

/// The margins and distances for the model's `MarginSize`, the paper source, R and the spacing.
void set_MarginInfo(PatternMargins* margins, std::int32_t marginSize, std::int32_t paperSource,
                    std::int32_t resolution, std::int32_t spacing);

/// The grid, values, frame, labels, settings boxes, printed area and paper; 0, 1, 10 or -1000.
std::int32_t calcPatternCount(PatternInfo* info);

/// AUTO: cells scaled to fill the sheet. 0, 10 or -1000.
std::int32_t getPattern_ImageRect_AUTO(PatternInfo* info, std::int32_t cellImageWidth,
                                       std::int32_t cellImageHeight);
/// AUTO with spacing: the cell size with the gaps between the cells.
void get_PatternSpaceImage(PatternInfo* info, std::int32_t cellImageWidth,
                           std::int32_t cellImageHeight, std::int32_t width, std::int32_t length);
/// FULL: cells at the image's own size, reflowed into more rows when fewer columns fit. 0, 1
/// (the result byte is then 1) or -1000.
std::int32_t getPattern_ImageRect_FULL(PatternInfo* info, std::int32_t cellImageWidth,
                                       std::int32_t cellImageHeight);
/// Every cell's X and Y value from the centres and intervals.
void getPattern_ColorValue(PatternInfo* info);
/// The turned grid: columns and rows exchanged, each cell's image turned, the values kept.
std::int32_t get_RotatePatternRect_AUTO(PatternInfo* info);
std::int32_t get_RotatePatternRect_FULL(PatternInfo* info);
/// The background behind the grid; 0 or 10.
std::int32_t getPattern_BackGroundRect(PatternInfo* info);
/// The X labels and title under the grid, the Y labels and title left of it; 0 or -1000.
std::int32_t getPattern_Scale_X(PatternInfo* info);
std::int32_t getPattern_Scale_Y(PatternInfo* info);
/// The same for the turned grid: X along its rows (left), Y along its columns (below).
std::int32_t get_RotatePattern_Scale_X(PatternInfo* info);
std::int32_t get_RotatePattern_Scale_Y(PatternInfo* info);
/// The two settings boxes under the labels; 0 or 10.
std::int32_t getPattern_SetingRect(PatternInfo* info);
/// The paper's length for the content and its rectangle; 0 or 10.
std::int32_t getPattern_PaperRect(PatternInfo* info);
/// Clamps every value to its adjustment's range and flags the cells whose values changed; in
/// print mode hides what no longer applies.
void checkOutsideRange(PatternInfo* info);
