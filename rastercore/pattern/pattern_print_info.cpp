// The print copy of the test-pattern layout and the sheet's text areas.
#include "pattern/pattern_print_info.h"

#include <algorithm>
#include <new>

#include "caption/pattern_caption_areas.h"
#include "rastercore/core_common_info_tbl.h"
#include "rastercore/result_codes.h"
#include "record/job_context.h"
#include "util/memory.h"

namespace {

using rastercore::kResultFailure;
using rastercore::kResultNoMemory;
using rastercore::kResultOk;

// Whether the turned FULL grid fills position (row, column): only positions whose settings'
// cell was laid out.
bool turnedFullFills(const PatternInfo& info, std::int32_t row, std::int32_t column) {
    return static_cast<std::int64_t>(info.rows) * (info.columns - 1 - column) + row <
           info.cellCount;
}

PatternPrintCell printCell(const PatternCell& cell, std::uint16_t captionIndex) {
    return PatternPrintCell{
        .image = cell.image,
        .caption1 = cell.caption1,
        .caption2 = cell.caption2,
        .colorTableIndex = cell.index,
        .captionIndex = captionIndex,
        .filled = 1,
        .outOfRange = cell.outOfRange,
        .xValue = static_cast<std::int16_t>(cell.xValue),
        .yValue = static_cast<std::int16_t>(cell.yValue),
    };
}

std::int32_t copyLabels(const CoreArray<PatternLabel>& from, CoreArray<PatternLabel>& to) {
    if (const std::int32_t result = to.allocate(from.size()); result != kResultOk) {
        return result;
    }
    std::copy(from.begin(), from.end(), to.begin());
    return kResultOk;
}

// The laid-out cells, in order, into the grid's positions row by row.
std::int32_t copyCells(const PatternInfo& info, PatternPrintInfo& copy) {
    const std::size_t positions = static_cast<std::size_t>(info.rows) * info.columns;
    if (const std::int32_t result = copy.cells.allocate(positions); result != kResultOk) {
        return result;
    }
    const bool turnedFull = info.turn == kPatternTurnLayout && info.fullSize == 1;
    std::size_t next = 0;
    for (std::int32_t row = 0; row < info.rows; ++row) {
        for (std::int32_t column = 0; column < info.columns; ++column) {
            if (next >= info.cellCount || next >= info.cells.size()) {
                break;
            }
            if (turnedFull && !turnedFullFills(info, row, column)) {
                continue;
            }
            copy.cells[static_cast<std::size_t>(row) * info.columns + column] =
                printCell(info.cells[next], static_cast<std::uint16_t>(next));
            ++next;
        }
    }
    copy.cellCount = static_cast<std::int32_t>(next);
    return kResultOk;
}

// An area of `rect`'s size, without its bitmap (the set-up allocates that once the working
// pixel size is known); an empty rectangle gives an empty area.
void sizeArea(const PatternRect& rect, PatternCaptionArea* area) {
    *area = {};
    if (!rect.empty()) {
        area->width = rect.width;
        area->height = rect.height;
    }
}

std::int32_t makeScales(const CoreArray<PatternLabel>& labels, PatternScaleArea** scales,
                        std::int32_t* count) {
    if (labels.size() == 0) {
        return kResultOk;
    }
    if (Get_MemoryClear(labels.size(), sizeof(PatternScaleArea), kUnusedKind, scales) !=
        kResultOk) {
        return kResultNoMemory;
    }
    *count = static_cast<std::int32_t>(labels.size());
    for (std::size_t i = 0; i < labels.size(); ++i) {
        (*scales)[i].value = labels[i].value;
        sizeArea(labels[i].rect, &(*scales)[i].area);
    }
    return kResultOk;
}

std::int32_t makeCellAreas(const PatternPrintInfo& copy, PatternCaptionAreas& areas) {
    if (copy.cellCount == 0) {
        return kResultOk;
    }
    if (Get_MemoryClear(static_cast<std::size_t>(copy.cellCount), sizeof(PatternCellCaptions),
                        kUnusedKind, &areas.cells) != kResultOk) {
        return kResultNoMemory;
    }
    areas.cellCount = copy.cellCount;
    for (const PatternPrintCell& cell : copy.cells) {
        if (cell.filled == 0) {
            continue;
        }
        PatternCellCaptions& to = areas.cells[cell.captionIndex];
        to.outsideFlag = cell.outOfRange;
        to.xAdjustValue = cell.xValue;
        to.yAdjustValue = cell.yValue;
        sizeArea(cell.caption1, &to.xValue);
        sizeArea(cell.caption2, &to.yValue);
        sizeArea(cell.outOfRange != 0 ? cell.image : PatternRect{}, &to.outside);
    }
    return kResultOk;
}

void freeArea(PatternCaptionArea& area) {
    Dispose_MemoryClear(&area.bitmap, kUnusedKind);
}

void freeScales(PatternScaleArea*& scales, std::int32_t count) {
    for (std::int32_t i = 0; scales != nullptr && i < count; ++i) {
        freeArea(scales[i].area);
    }
    Dispose_MemoryClear(&scales, kUnusedKind);
}

void freeCaptionAreas(PatternCaptionAreas*& areas) {
    if (areas == nullptr) {
        return;
    }
    freeArea(areas->xTitle);
    freeArea(areas->yTitle);
    freeScales(areas->xScales, areas->xScaleCount);
    freeScales(areas->yScales, areas->yScaleCount);
    freeArea(areas->basicSettings);
    freeArea(areas->colorSettings);
    for (std::int32_t i = 0; areas->cells != nullptr && i < areas->cellCount; ++i) {
        freeArea(areas->cells[i].xValue);
        freeArea(areas->cells[i].yValue);
        freeArea(areas->cells[i].outside);
    }
    Dispose_MemoryClear(&areas->cells, kUnusedKind);
    Dispose_MemoryClear(&areas, kUnusedKind);
}

}  // namespace

std::int32_t Print_PatternInfoValue(PatternInfo* info, PLGContext* context) {
    if (info == nullptr || context == nullptr || context->jobRecord == nullptr) {
        return kResultFailure;
    }
    auto* copy = new (std::nothrow) PatternPrintInfo{};
    if (copy == nullptr) {
        return kResultNoMemory;
    }
    std::int32_t result = copyCells(*info, *copy);
    if (result == kResultOk) {
        result = copyLabels(info->xLabels, copy->xLabels);
    }
    if (result == kResultOk) {
        result = copyLabels(info->yLabels, copy->yLabels);
    }
    info->cells.release();
    info->xLabels.release();
    info->yLabels.release();
    if (result != kResultOk) {
        delete copy;
        return result;
    }
    copy->columns = static_cast<std::int16_t>(info->columns);
    copy->rows = static_cast<std::int16_t>(info->rows);
    copy->xTitle = info->xTitle;
    copy->yTitle = info->yTitle;
    copy->settingBox1 = info->settingBox1;
    copy->settingBox2 = info->settingBox2;
    copy->background = info->background;
    copy->printedArea = info->printedArea;
    copy->cellWidth = info->cellWidth;
    copy->cellHeight = info->cellHeight;
    copy->savePaper = info->savePaper;
    copy->paperWidth = info->paperWidthOut;
    copy->paperLength = info->paperLengthOut;
    copy->backgroundColor = context->jobRecord->patternBackgroundColor;
    // The sheet is placed on the medium where its printed area lies.
    const PatternRect& area = copy->printedArea;
    context->patternImageRect = {area.y, area.x, area.y + area.height, area.x + area.width};
    delete context->patternTables;
    context->patternTables = copy;
    return allocatePatternCaptionAreas(context);
}

std::int32_t allocatePatternCaptionAreas(PLGContext* context) {
    if (context == nullptr || context->patternTables == nullptr) {
        return kResultFailure;
    }
    const PatternPrintInfo& copy = *context->patternTables;
    freeCaptionAreas(context->patternCaptionAreas);
    if (Get_MemoryClear(1, sizeof(PatternCaptionAreas), kUnusedKind,
                        &context->patternCaptionAreas) != kResultOk) {
        return kResultNoMemory;
    }
    PatternCaptionAreas& areas = *context->patternCaptionAreas;
    sizeArea(copy.xTitle, &areas.xTitle);
    sizeArea(copy.yTitle, &areas.yTitle);
    sizeArea(copy.settingBox1, &areas.basicSettings);
    sizeArea(copy.settingBox2, &areas.colorSettings);
    if (makeScales(copy.xLabels, &areas.xScales, &areas.xScaleCount) != kResultOk ||
        makeScales(copy.yLabels, &areas.yScales, &areas.yScaleCount) != kResultOk) {
        return kResultNoMemory;
    }
    return makeCellAreas(copy, areas);
}

std::int32_t Print_PatternTermination(PLGContext* context) {
    if (context == nullptr) {
        return kResultOk;
    }
    freeCaptionAreas(context->patternCaptionAreas);
    delete context->patternTables;
    context->patternTables = nullptr;
    return kResultOk;
}
