// The test-pattern layout's run: its input from the job record, the margins, the steps in order
// and the range check.
#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

#include "pattern/pattern_layout.h"
#include "pattern/pattern_ranges.h"
#include "pattern/pattern_units.h"
#include "rastercore/core_common_info_tbl.h"
#include "rastercore/result_codes.h"
#include "record/job_context.h"

namespace {

using namespace patternunits;
using rastercore::kResultFailure;
using rastercore::kResultNoMemory;
using rastercore::kResultOk;

constexpr std::int32_t kLowResolutionChoice = 1;
constexpr std::int32_t kLowResolution = 300;
constexpr std::int32_t kHighResolution = 600;
constexpr std::uint32_t kAxisCountMask = 0xFF;  // the counts are kept in bytes
constexpr std::int32_t kSpacingOn = 1;

// Vertical and trailing margins, in tenths of a millimetre, of the model's margin sizes.
constexpr std::int32_t kMarginSizeWide = 3;
constexpr std::int32_t kMarginSizeNarrow = 4;
constexpr std::int32_t kWideMargin = 50;
constexpr std::int32_t kNarrowMargin = 30;
constexpr std::int32_t kLongTrailingMargin = 230;

// Paper sources that leave the sheet with a long trailing margin.
bool longTrailingSource(std::int32_t source) {
    return source == 16 || source == 128 || source == 8192;
}

// The nearest whole dots per inch of a 16.16 resolution.
std::int64_t wholeDpi(std::int32_t fixed) {
    constexpr std::int64_t kHalf = 0x8000;
    constexpr int kFractionBits = 16;
    return (static_cast<std::int64_t>(fixed) + kHalf) >> kFractionBits;
}

// `pixels` of an image at `dpi` in dots at `resolution`, rounded; 0 for a resolution of 0.
std::int32_t imageDots(double pixels, std::int64_t dpi, std::int32_t resolution) {
    if (dpi <= 0 || !(pixels > 0)) {
        return 0;
    }
    const double dotCount = std::trunc(pixels * (static_cast<double>(resolution) / dpi) + 0.5);
    return dotCount < std::numeric_limits<std::int32_t>::max() ? static_cast<std::int32_t>(dotCount)
                                                               : 0;
}

std::int32_t readInput(const PLGContext& context, bool preview, PatternInput* in) {
    const CoreCommonInfoTbl* record = context.jobRecord;
    const CommonInfoTable* host = record != nullptr ? record->commonInfo : nullptr;
    if (host == nullptr) {
        return kResultFailure;
    }
    in->preview = preview;
    in->resolution =
        record->inputResolution == kLowResolutionChoice ? kLowResolution : kHighResolution;
    in->paperWidth = static_cast<std::uint32_t>(record->patternPaperWidth);
    in->paperLength = static_cast<std::uint32_t>(record->patternPaperLength);
    in->paperWidthDots = dots(in->paperWidth, in->resolution);
    in->paperLengthDots = dots(in->paperLength, in->resolution);
    const bool selection = record->patternUseSelection == 1;
    const double width =
        selection ? static_cast<std::uint32_t>(record->patternSelectionWidth) : host->imageWidth;
    const double height =
        selection ? static_cast<std::uint32_t>(record->patternSelectionHeight) : host->imageHeight;
    in->imageWidth = imageDots(width, wholeDpi(host->horizontalResolution), in->resolution);
    in->imageHeight = imageDots(height, wholeDpi(host->verticalResolution), in->resolution);
    in->paperSource = record->patternPaperSource;
    in->savePaper = record->patternConservePaper;
    in->xType = record->patternXItem;
    in->columns = static_cast<std::int32_t>(record->patternXCount & kAxisCountMask);
    in->xInterval = record->patternXInterval;
    in->yType = record->patternYItem;
    in->rows = in->yType == kPatternNoAxis
                   ? 1
                   : static_cast<std::int32_t>(record->patternYCount & kAxisCountMask);
    in->yInterval = record->patternYInterval;
    in->turn = record->patternRotation;
    in->fullSize = record->patternFullSize;
    in->spacing = record->patternSpacing;
    in->xCenter = record->patternCenterX;
    in->yCenter = record->patternCenterY;
    in->colorMode = record->colorMode;
    in->marginSize = record->modelAtlas.MarginSize;
    in->settingWidth = preview ? 0 : context.patternCaptionWidth;
    // A grid without cells has no room for any: it is as empty as a zero-sized image.
    if (in->imageWidth <= 0 || in->imageHeight <= 0 || in->paperWidthDots <= 0 ||
        in->paperLengthDots <= 0 || in->columns == 0 || in->rows == 0) {
        return kPatternEmptyRect;
    }
    return kResultOk;
}

// The steps after the grid: the frame, the labels, the boxes, the printed area and the paper.
std::int32_t layOutFrame(PatternInfo* info) {
    std::int32_t status = getPattern_BackGroundRect(info);
    if (status == kResultOk && !info->input.preview) {
        const bool turned = info->input.turn == kPatternTurnLayout;
        status = turned ? get_RotatePattern_Scale_X(info) : getPattern_Scale_X(info);
        if (status == kResultOk) {
            status = turned ? get_RotatePattern_Scale_Y(info) : getPattern_Scale_Y(info);
        }
    }
    if (status == kResultOk) {
        status = getPattern_SetingRect(info);
    }
    if (status != kResultOk) {
        return status;
    }
    const PatternRect& box = info->settingBox1;
    info->printedArea = {0, 0, info->availableWidth,
                         box.y + box.height + dots(k10Mm, info->input.resolution)};
    return getPattern_PaperRect(info);
}

// Clamps one label's value; true when it lay outside.
bool clampLabel(const PatternInfo& info, std::int32_t type, PatternLabel& label) {
    std::int32_t clamped = 0;
    const bool outside = checkValue(info.colorMode, type, label.value, &clamped) != 0;
    label.value = static_cast<std::int16_t>(clamped);
    return outside;
}

}  // namespace

void set_MarginInfo(PatternMargins* margins, std::int32_t marginSize, std::int32_t paperSource,
                    std::int32_t resolution, std::int32_t spacing) {
    std::int32_t vertical = kNarrowMargin;
    std::int32_t trailing = kNarrowMargin;
    if (marginSize == kMarginSizeWide || marginSize == kMarginSizeNarrow) {
        vertical = marginSize == kMarginSizeWide ? kWideMargin : kNarrowMargin;
        trailing = longTrailingSource(paperSource) ? kLongTrailingMargin : vertical;
    }
    const auto mm = [resolution](std::int32_t tenthsOfMm) { return dots(tenthsOfMm, resolution); };
    constexpr std::int32_t kLabelBandDivisor = 10;
    *margins = PatternMargins{
        .top = mm(vertical),
        .trailing = mm(trailing),
        .left = mm(vertical),
        .right = mm(vertical),
        .outerTop = mm(k10Mm),
        .labelBand = resolution / kLabelBandDivisor + mm(k10Mm),
        .belowLabels = mm(k10Mm),
        .outerLeft = mm(k10Mm),
        .innerGap = mm(k5Mm),
        .captionHeight = mm(k5Mm),
        .labelHeight = mm(k10Mm),
        .settingHeight = mm(k30Mm),
        .cellGap = spacing == kSpacingOn ? mm(k5Mm) : 0,
        .titleLimit = mm(k200Mm),
    };
}

std::int32_t calcPatternCount(PatternInfo* info) {
    const PatternInput& in = info->input;
    const bool cellsTurned = in.turn == kPatternTurnCells;
    const std::int32_t width = cellsTurned ? in.imageHeight : in.imageWidth;
    const std::int32_t height = cellsTurned ? in.imageWidth : in.imageHeight;
    const bool full = in.fullSize == 1;
    std::int32_t status = full ? getPattern_ImageRect_FULL(info, width, height)
                               : getPattern_ImageRect_AUTO(info, width, height);
    if (status != kResultOk) {
        return status;
    }
    getPattern_ColorValue(info);
    if (in.turn == kPatternTurnLayout) {
        status = full ? get_RotatePatternRect_FULL(info) : get_RotatePatternRect_AUTO(info);
        if (status != kResultOk) {
            return status;
        }
    }
    return layOutFrame(info);
}

void checkOutsideRange(PatternInfo* info) {
    const std::int32_t mode = info->colorMode;
    const std::int32_t xType = info->input.xType;
    const std::int32_t yType = info->input.yType;
    for (PatternCell& cell : info->cells) {
        std::int32_t x = 0;
        std::int32_t y = 0;
        const bool outside = (checkValue(mode, xType, cell.xValue, &x) |
                              checkValue(mode, yType, cell.yValue, &y)) != 0;
        cell.xValue = x;
        cell.yValue = y;
        cell.outOfRange = outside ? 1 : 0;
        if (outside && !info->input.preview) {
            cell.caption1 = {};
            cell.caption2 = {};
        }
    }
    if (info->input.preview) {
        return;
    }
    const bool noYAxis = yType == kPatternNoAxis;
    for (PatternLabel& label : info->yLabels) {
        if (clampLabel(*info, yType, label) || noYAxis || info->wrapped != 0) {
            label.rect = {};
        }
    }
    if (noYAxis) {
        info->yTitle = {};
    }
    for (PatternLabel& label : info->xLabels) {
        if (clampLabel(*info, xType, label) || info->wrapped != 0) {
            label.rect = {};
        }
    }
    if (info->input.spacing != kSpacingOn) {
        info->background = {};
    }
}

PatternInfo* PatternCalc(PLGContext* context, bool preview, std::int32_t* status) {
    *status = kResultOk;
    if (context == nullptr) {
        *status = kResultFailure;
        return nullptr;
    }
    auto* info = new (std::nothrow) PatternInfo{};
    if (info == nullptr) {
        *status = kResultNoMemory;
        return nullptr;
    }
    PatternInput& in = info->input;
    *status = readInput(*context, preview, &in);
    if (*status == kResultOk) {
        set_MarginInfo(&info->margins, in.marginSize, in.paperSource, in.resolution, in.spacing);
        const PatternMargins& m = info->margins;
        info->availableWidth = in.paperWidthDots - m.left - m.right;
        info->availableLength = in.paperLengthDots - m.top - m.trailing;
        *status = info->cells.allocate(static_cast<std::size_t>(in.columns) * in.rows);
    }
    if (*status == kResultOk) {
        *status = calcPatternCount(info);
    }
    if (*status != kResultOk) {
        releasePatternInfo(info);
        return nullptr;
    }
    info->turn = in.turn;
    info->colorMode = in.colorMode;
    info->fullSize = in.fullSize;
    checkOutsideRange(info);
    if (preview) {
        // The preview draws inside the outer offsets.
        for (PatternCell& cell : info->cells) {
            cell.image.x -= info->margins.outerLeft;
            cell.image.y -= info->margins.outerTop;
        }
    }
    return info;
}

void releasePatternInfo(PatternInfo* info) {
    delete info;
}
