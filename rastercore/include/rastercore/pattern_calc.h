// The test-pattern layout as the test-pattern dialog reads it: the answer of
// `RasterCore_PatternCalc`, byte-packed.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)

/// One cell of the preview: its image rectangle in dots at the job resolution, relative to the
/// area inside the sheet's 10 mm outer offsets, its adjustment values, its running number and
/// whether a value lay outside the adjustment's range.
struct PatternPreviewCell {
    std::int32_t x;
    std::int32_t y;
    std::int32_t width;
    std::int32_t height;
    std::int32_t xValue;
    std::int32_t yValue;
    std::int16_t index;
    std::uint8_t outOfRange;
};

/// The cell array: a 16-bit count followed by that many cells (`patternPreviewCell`).
struct PatternPreviewCellArray {
    std::uint16_t count;
};

struct PatternPreviewInfo {
    std::int16_t columns;
    std::int16_t rows;
    PatternPreviewCellArray* cells;
    std::uint16_t cellCount;      ///< cells laid out
    std::int32_t background[4];   ///< left, top, width, height
    std::uint8_t reserved30[32];  ///< zero
    std::int32_t printedArea[4];  ///< 0, 0, width, height
    std::int32_t paperRect[4];    ///< 0, 0, width, length
    std::uint8_t savePaper;       ///< the paper length was changed to the content
    std::int32_t paperWidth;      ///< 1/10 mm
    std::int32_t paperLength;     ///< 1/10 mm
    std::uint8_t turn;
    std::uint8_t result;  ///< 0
};

#pragma pack(pop)

static_assert(sizeof(PatternPreviewCell) == 27);
static_assert(offsetof(PatternPreviewCell, xValue) == 16);
static_assert(offsetof(PatternPreviewCell, index) == 24);
static_assert(offsetof(PatternPreviewCell, outOfRange) == 26);
static_assert(sizeof(PatternPreviewInfo) == 105);
static_assert(offsetof(PatternPreviewInfo, cells) == 4);
static_assert(offsetof(PatternPreviewInfo, cellCount) == 12);
static_assert(offsetof(PatternPreviewInfo, background) == 14);
static_assert(offsetof(PatternPreviewInfo, reserved30) == 30);
static_assert(offsetof(PatternPreviewInfo, printedArea) == 62);
static_assert(offsetof(PatternPreviewInfo, paperRect) == 78);
static_assert(offsetof(PatternPreviewInfo, savePaper) == 94);
static_assert(offsetof(PatternPreviewInfo, paperWidth) == 95);
static_assert(offsetof(PatternPreviewInfo, paperLength) == 99);
static_assert(offsetof(PatternPreviewInfo, turn) == 103);
static_assert(offsetof(PatternPreviewInfo, result) == 104);

/// Cell `i` of a cell array (unaligned: read it by value).
inline PatternPreviewCell* patternPreviewCell(PatternPreviewCellArray* cells, std::size_t i) {
    return reinterpret_cast<PatternPreviewCell*>(reinterpret_cast<std::uint8_t*>(cells) +
                                                 sizeof(PatternPreviewCellArray) +
                                                 i * sizeof(PatternPreviewCell));
}
