// The grid of the test-pattern layout: the cell size in AUTO and FULL mode, upright and turned,
// the cells' places and captions, and their adjustment values.
#include <algorithm>
#include <cmath>
#include <limits>

#include "pattern/pattern_layout.h"
#include "rastercore/result_codes.h"

namespace {

using rastercore::kResultOk;

constexpr std::int32_t kSpacingOn = 1;
// The captions sit this many dots above a cell's bottom edge.
constexpr std::int32_t kCaptionLift = 10;

std::int32_t nearest(double value) {
    return static_cast<std::int32_t>(std::trunc(value + 0.5));
}

std::int32_t saturated(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// The room AUTO grids share: the available width less the outer offset and both inner gaps,
// and the available length less everything above and below the grid.
struct AutoRoom {
    std::int32_t width;
    std::int32_t length;
};

AutoRoom autoRoom(const PatternInfo& info) {
    const PatternMargins& m = info.margins;
    return {info.availableWidth - (m.outerLeft + 2 * m.innerGap),
            info.availableLength -
                (m.outerTop + m.labelBand + m.belowLabels + 2 * m.innerGap + m.settingHeight)};
}

// The grid's size in AUTO mode for `columns` × `rows` cells of an image `width` × `height`.
void sizeAutoGrid(PatternInfo* info, std::int32_t columns, std::int32_t rows, std::int32_t width,
                  std::int32_t height, const AutoRoom& room) {
    info->columns = columns;
    info->rows = rows;
    if (info->input.spacing == kSpacingOn) {
        get_PatternSpaceImage(info, width, height, room.width, room.length);
        return;
    }
    const double scale = std::min(static_cast<double>(room.width / columns) / width,
                                  static_cast<double>(room.length / rows) / height);
    info->cellWidth = static_cast<std::int32_t>(width * scale);
    info->cellHeight = static_cast<std::int32_t>(scale * height);
    info->gridWidth = columns * info->cellWidth;
    info->gridHeight = rows * info->cellHeight;
}

// Both captions lie at the bottom of the cell: the X value's across the cell on a sheet of one
// row, else the Y value's in the left half and the X value's in the right half.
void placeCaptions(const PatternInfo& info, PatternCell& cell) {
    const PatternRect& image = cell.image;
    const std::int32_t height = info.margins.captionHeight;
    const std::int32_t y = image.y + image.height - kCaptionLift - height;
    if (info.input.rows == 1) {
        cell.caption1 = {image.x, y, image.width, height};
        cell.caption2 = {};
        return;
    }
    const std::int32_t half = image.width / 2;
    cell.caption2 = {image.x, y, half, height};
    cell.caption1 = {image.x + half, y, half, height};
}

// Places the cell at grid position (row, column).
void placeCell(const PatternInfo& info, PatternCell& cell, std::int32_t row, std::int32_t column) {
    const std::int32_t gap = info.margins.cellGap;
    cell.image = {info.gridLeft + column * (info.cellWidth + gap),
                  info.gridTop + row * (info.cellHeight + gap), info.cellWidth, info.cellHeight};
    placeCaptions(info, cell);
}

// Lays the settings' cells out row by row in the grid's columns.
void placeCells(PatternInfo* info) {
    const PatternMargins& m = info->margins;
    info->gridLeft = m.outerLeft + m.innerGap;
    info->gridTop = m.outerTop + m.innerGap;
    const std::size_t count = info->cells.size();
    for (std::size_t n = 0; n < count; ++n) {
        PatternCell& cell = info->cells[n];
        cell.index = static_cast<std::uint16_t>(n);
        placeCell(*info, cell, static_cast<std::int32_t>(n) / info->columns,
                  static_cast<std::int32_t>(n) % info->columns);
    }
    info->cellCount = static_cast<std::uint16_t>(count);
}

// Rebuilds the cells for the turned grid (the settings' columns become its rows, the settings'
// rows its columns, the first row at the right), each keeping its values.
std::int32_t placeTurnedCells(PatternInfo* info) {
    const std::int32_t settingsColumns = info->input.columns;
    CoreArray<PatternCell> turned;
    if (const std::int32_t result = turned.allocate(info->cells.size()); result != kResultOk) {
        return result;
    }
    for (const PatternCell& cell : info->cells) {
        const std::int32_t row = cell.index % settingsColumns;
        const std::int32_t column = info->columns - 1 - cell.index / settingsColumns;
        PatternCell& to = turned[static_cast<std::size_t>(row) * info->columns + column];
        to = cell;
        placeCell(*info, to, row, column);
    }
    info->cells = std::move(turned);
    return kResultOk;
}

bool cellsEmpty(const PatternInfo& info) {
    return info.cellWidth <= 0 || info.cellHeight <= 0;
}

}  // namespace

std::int32_t getPattern_ImageRect_AUTO(PatternInfo* info, std::int32_t cellImageWidth,
                                       std::int32_t cellImageHeight) {
    const AutoRoom room = autoRoom(*info);
    if (room.width <= 0 || room.length <= 0) {
        return kPatternEmptyRect;
    }
    sizeAutoGrid(info, info->input.columns, info->input.rows, cellImageWidth, cellImageHeight,
                 room);
    if (cellsEmpty(*info)) {
        return kPatternEmptyRect;
    }
    placeCells(info);
    return kResultOk;
}

void get_PatternSpaceImage(PatternInfo* info, std::int32_t cellImageWidth,
                           std::int32_t cellImageHeight, std::int32_t width, std::int32_t length) {
    const std::int32_t gap = info->margins.cellGap;
    const std::int32_t columns = info->columns;
    const std::int32_t rows = info->rows;
    const double scale =
        std::min(static_cast<double>(width - gap * (columns - 1)) / columns / cellImageWidth,
                 static_cast<double>(length - gap * (rows - 1)) / rows / cellImageHeight);
    info->cellWidth = nearest(cellImageWidth * scale);
    info->cellHeight = nearest(cellImageHeight * scale);
    info->gridWidth = nearest(static_cast<double>(gap) * (columns - 1) +
                              static_cast<double>(columns) * info->cellWidth);
    info->gridHeight = nearest(static_cast<double>(rows) * info->cellHeight +
                               static_cast<double>(gap) * (rows - 1));
}

std::int32_t getPattern_ImageRect_FULL(PatternInfo* info, std::int32_t cellImageWidth,
                                       std::int32_t cellImageHeight) {
    const PatternInput& in = info->input;
    const PatternMargins& m = info->margins;
    const std::int32_t gap = m.cellGap;
    const std::int32_t pitchX = cellImageWidth + gap;
    const std::int32_t pitchY = cellImageHeight + gap;
    const std::int32_t usable =
        info->availableWidth -
        (m.outerLeft + m.innerGap + (in.spacing == kSpacingOn ? 0 : m.innerGap));
    if (usable < pitchX) {
        info->resultByte = 1;
        return kPatternDoesNotFit;
    }
    // Counted in int: a byte would wrap at 256 columns (to 0 columns).
    const std::int32_t fit = usable / pitchX;
    const std::int32_t cells = in.columns * in.rows;
    info->columns = std::min(fit, in.columns);
    info->wrapped = fit < in.columns ? 1 : 0;
    info->rows = (cells + info->columns - 1) / info->columns;
    info->cellWidth = cellImageWidth;
    info->cellHeight = cellImageHeight;
    info->gridWidth = pitchX * info->columns - gap;
    info->gridHeight = pitchY * info->rows - gap;
    placeCells(info);
    return kResultOk;
}

void getPattern_ColorValue(PatternInfo* info) {
    const PatternInput& in = info->input;
    for (PatternCell& cell : info->cells) {
        const std::int64_t column = cell.index % in.columns;
        const std::int64_t row = cell.index / in.columns;
        cell.xValue =
            saturated(std::int64_t{in.xCenter} - std::int64_t{in.xInterval} * (in.columns / 2) +
                      column * in.xInterval);
        cell.yValue =
            saturated(std::int64_t{in.yCenter} - std::int64_t{in.yInterval} * (in.rows / 2 - row));
    }
}

std::int32_t get_RotatePatternRect_AUTO(PatternInfo* info) {
    const PatternInput& in = info->input;
    const std::int32_t gap = info->margins.cellGap;
    const AutoRoom room = autoRoom(*info);
    // The turned grid keeps the cell size, turned, where it fits.
    const std::int32_t columns = in.rows;
    const std::int32_t rows = in.columns;
    const std::int32_t width = info->cellHeight;
    const std::int32_t height = info->cellWidth;
    const std::int32_t gridWidth = columns * width + gap * (columns - 1);
    const std::int32_t gridHeight = rows * height + gap * (rows - 1);
    if (gridWidth <= room.width && gridHeight <= room.length) {
        info->columns = columns;
        info->rows = rows;
        info->cellWidth = width;
        info->cellHeight = height;
        info->gridWidth = gridWidth;
        info->gridHeight = gridHeight;
    } else {
        sizeAutoGrid(info, columns, rows, in.imageHeight, in.imageWidth, room);
        if (cellsEmpty(*info)) {
            return kPatternEmptyRect;
        }
    }
    return placeTurnedCells(info);
}

std::int32_t get_RotatePatternRect_FULL(PatternInfo* info) {
    const PatternInput& in = info->input;
    const PatternMargins& m = info->margins;
    const std::int32_t gap = m.cellGap;
    const std::int32_t columns = in.rows;
    const std::int32_t rows = in.columns;
    const std::int32_t pitchX = in.imageHeight + gap;
    const std::int32_t pitchY = in.imageWidth + gap;
    const std::int32_t usable =
        info->availableWidth -
        (m.outerLeft + m.innerGap + (in.spacing == kSpacingOn ? 0 : m.innerGap));
    if (static_cast<std::int64_t>(pitchX) * columns > usable) {
        info->resultByte = 1;
        return kPatternDoesNotFit;
    }
    info->columns = columns;
    info->rows = rows;
    info->wrapped = 0;
    info->cellWidth = in.imageHeight;
    info->cellHeight = in.imageWidth;
    info->gridWidth = pitchX * columns - gap;
    info->gridHeight = pitchY * rows - gap;
    return placeTurnedCells(info);
}
