// The preview answer of the test-pattern layout and the exports that make and free it.
#include "pattern/pattern_preview.h"

#include <cstring>

#include "pattern/pattern_layout.h"
#include "rastercore/raster_core.h"
#include "rastercore/result_codes.h"
#include "record/job_context.h"
#include "util/memory.h"

namespace {

using rastercore::kResultNoMemory;
using rastercore::kResultOk;

// Into a field of the packed answer, which no pointer to int may reach: it is unaligned.
void copyRect(const PatternRect& rect, void* to) {
    const std::int32_t values[4] = {rect.x, rect.y, rect.width, rect.height};
    std::memcpy(to, values, sizeof values);
}

// The layout's status as the record's result byte keeps it: its low byte.
std::uint8_t resultByte(std::int32_t status) {
    return static_cast<std::uint8_t>(status & 0xFF);
}

}  // namespace

PatternPreviewInfo* Preview_PatternInfoValue(PatternInfo* info) {
    PatternPreviewInfo* answer = nullptr;
    PatternPreviewCellArray* cells = nullptr;
    const std::size_t cellBytes =
        sizeof(PatternPreviewCellArray) + info->cells.size() * sizeof(PatternPreviewCell);
    if (Get_MemoryClear(1, sizeof(PatternPreviewInfo), kUnusedKind, &answer) != kResultOk ||
        Get_MemoryClear(1, cellBytes, kUnusedKind, &cells) != kResultOk) {
        Dispose_MemoryClear(&answer, kUnusedKind);
        return nullptr;
    }
    cells->count = static_cast<std::uint16_t>(info->cells.size());
    for (std::size_t i = 0; i < info->cells.size(); ++i) {
        const PatternCell& cell = info->cells[i];
        const PatternPreviewCell preview{cell.image.x,
                                         cell.image.y,
                                         cell.image.width,
                                         cell.image.height,
                                         cell.xValue,
                                         cell.yValue,
                                         static_cast<std::int16_t>(cell.index),
                                         cell.outOfRange};
        std::memcpy(patternPreviewCell(cells, i), &preview, sizeof preview);
    }
    answer->columns = static_cast<std::int16_t>(info->columns);
    answer->rows = static_cast<std::int16_t>(info->rows);
    answer->cells = cells;
    answer->cellCount = info->cellCount;
    copyRect(info->background, answer->background);
    copyRect({0, 0, info->printedArea.width, info->printedArea.height}, answer->printedArea);
    copyRect({0, 0, info->paper.width, info->paper.height}, answer->paperRect);
    answer->savePaper = info->savePaper;
    answer->paperWidth = info->paperWidthOut;
    answer->paperLength = info->paperLengthOut;
    answer->turn = static_cast<std::uint8_t>(info->turn);
    answer->result = 0;
    info->cells.release();
    info->xLabels.release();
    info->yLabels.release();
    return answer;
}

void Preview_PatternTermination(PatternPreviewInfo* answer) {
    if (answer == nullptr) {
        return;
    }
    PatternPreviewCellArray* cells = answer->cells;  // the packed field is unaligned
    Dispose_MemoryClear(&cells, kUnusedKind);
    Dispose_MemoryClear(&answer, kUnusedKind);
}

extern "C" {

PatternPreviewInfo* RasterCore_PatternCalc(CoreCommonInfoTbl* table) {
    if (table == nullptr) {
        return nullptr;
    }
    PLGContext context{};
    context.jobRecord = table;
    std::int32_t status = kResultOk;
    PatternInfo* info = PatternCalc(&context, true, &status);
    table->patternCalcResult = resultByte(status);
    if (info == nullptr) {
        return nullptr;
    }
    PatternPreviewInfo* answer = Preview_PatternInfoValue(info);
    releasePatternInfo(info);
    if (answer == nullptr) {
        // A missing answer is a failure, never a success byte.
        table->patternCalcResult = resultByte(kResultNoMemory);
    }
    return answer;
}

std::int32_t RasterCore_PatternCalc_Term(PatternPreviewInfo* answer) {
    Preview_PatternTermination(answer);
    return kResultOk;
}
}
