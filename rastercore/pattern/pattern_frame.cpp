// The frame around the test-pattern grid: the background, the axis labels and titles, the
// settings boxes and the paper.
#include <algorithm>

#include "pattern/pattern_layout.h"
#include "pattern/pattern_units.h"
#include "rastercore/result_codes.h"

namespace {

using namespace patternunits;
using rastercore::kResultOk;

constexpr std::int32_t kSavePaperOn = 1;

std::int32_t mm(const PatternInfo& info, std::int32_t tenthsOfMm) {
    return dots(tenthsOfMm, info.input.resolution);
}

const PatternCell& cellAt(const PatternInfo& info, std::int32_t row, std::int32_t column) {
    return info.cells[static_cast<std::size_t>(row) * info.columns + column];
}

// The labels and title of one axis.
struct Axis {
    CoreArray<PatternLabel>& labels;
    PatternRect& title;
    bool x;

    std::int16_t valueOf(const PatternCell& cell) const {
        return static_cast<std::int16_t>(x ? cell.xValue : cell.yValue);
    }
};

Axis axisOf(PatternInfo* info, bool x) {
    return x ? Axis{info->xLabels, info->xTitle, true} : Axis{info->yLabels, info->yTitle, false};
}

// The labels of the grid's columns under the background, with the title half a label lower
// across the first columns.
std::int32_t labelColumns(PatternInfo* info, const Axis& axis, bool reversed) {
    CoreArray<PatternLabel>& labels = axis.labels;
    const std::int32_t count = std::min<std::int32_t>(info->columns, info->cellCount);
    if (const std::int32_t result = labels.allocate(static_cast<std::size_t>(count));
        result != kResultOk) {
        return result;
    }
    const PatternRect& background = info->background;
    const std::int32_t y = background.y + background.height;
    for (std::int32_t k = 0; k < count; ++k) {
        const PatternCell& cell = cellAt(*info, 0, reversed ? count - 1 - k : k);
        labels[k] = {{cell.image.x, y, info->cellWidth, info->margins.labelHeight},
                     axis.valueOf(cell)};
    }
    axis.title = {info->cells[0].image.x, y + mm(*info, k5Mm),
                  std::min(background.width - mm(*info, k10Mm), info->margins.titleLimit),
                  mm(*info, k5Mm)};
    return kResultOk;
}

// The labels of the grid's rows left of the background, with the title beside them, at most
// 200 mm long and then moved down by what it lost.
std::int32_t labelRows(PatternInfo* info, const Axis& axis) {
    CoreArray<PatternLabel>& labels = axis.labels;
    PatternRect& title = axis.title;
    const std::int32_t count = info->rows;
    if (const std::int32_t result = labels.allocate(static_cast<std::size_t>(count));
        result != kResultOk) {
        return result;
    }
    const PatternRect& background = info->background;
    const std::int32_t x = background.x - mm(*info, k10Mm);
    for (std::int32_t i = 0; i < count; ++i) {
        const PatternCell& cell = cellAt(*info, i, 0);
        labels[i] = {{x, cell.image.y, mm(*info, k10Mm), info->cellHeight}, axis.valueOf(cell)};
    }
    title = {x, labels[0].rect.y, mm(*info, k5Mm), background.height - mm(*info, k10Mm)};
    if (title.height > info->margins.titleLimit) {
        title.y += title.height - info->margins.titleLimit;
        title.height = info->margins.titleLimit;
    }
    return kResultOk;
}

}  // namespace

std::int32_t getPattern_BackGroundRect(PatternInfo* info) {
    const std::int32_t gap = info->margins.innerGap;
    const std::int32_t width = info->input.preview ? info->gridWidth + mm(*info, k10Mm)
                                                   : info->availableWidth - mm(*info, k10Mm);
    info->background = {info->gridLeft - gap, info->gridTop - gap, width,
                        info->gridHeight + mm(*info, k10Mm)};
    return info->background.empty() ? kPatternEmptyRect : kResultOk;
}

std::int32_t getPattern_Scale_X(PatternInfo* info) {
    return labelColumns(info, axisOf(info, true), false);
}

std::int32_t getPattern_Scale_Y(PatternInfo* info) {
    return labelRows(info, axisOf(info, false));
}

std::int32_t get_RotatePattern_Scale_X(PatternInfo* info) {
    return labelRows(info, axisOf(info, true));
}

std::int32_t get_RotatePattern_Scale_Y(PatternInfo* info) {
    // Label k shows the settings' row k, which the turned grid puts in column (columns - 1 - k).
    return labelColumns(info, axisOf(info, false), true);
}

std::int32_t getPattern_SetingRect(PatternInfo* info) {
    const PatternRect& background = info->background;
    const std::int32_t x = background.x;
    const std::int32_t y = background.y + background.height + info->margins.labelBand;
    const std::int32_t height = info->margins.settingHeight;
    const std::int32_t width1 =
        std::max(0, std::min(info->input.settingWidth, (info->availableWidth - x) / 2));
    info->settingBox1 = {x, y, width1, height};
    const std::int32_t x2 = x + width1 + mm(*info, k5Mm);
    info->settingBox2 = {x2, y, info->availableWidth - x2, height};
    return info->settingBox2.empty() ? kPatternEmptyRect : kResultOk;
}

std::int32_t getPattern_PaperRect(PatternInfo* info) {
    const PatternInput& in = info->input;
    const PatternMargins& m = info->margins;
    const std::int32_t content = m.top + m.trailing + info->printedArea.height;
    std::int32_t length = in.savePaper == kSavePaperOn ? content : in.paperLengthDots;
    if (in.fullSize == 1) {
        length = std::max(length, content);
    }
    const bool changed = length != in.paperLengthDots;
    info->savePaper = changed ? 1 : 0;
    info->paperWidthOut = static_cast<std::int32_t>(in.paperWidth);
    info->paperLengthOut =
        changed ? tenths(length, in.resolution) : static_cast<std::int32_t>(in.paperLength);
    info->paper = {0, 0, info->availableWidth + m.left + m.right, length};
    return info->paper.empty() ? kPatternEmptyRect : kResultOk;
}
