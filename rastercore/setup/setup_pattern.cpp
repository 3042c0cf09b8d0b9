// The test-pattern steps of the set-up: the sheet's settings, its coordinates and the bitmaps of
// its caption areas, and their release.
#include <algorithm>
#include <cstring>

#include "caption/caption_text.h"
#include "caption/pattern_caption_areas.h"
#include "caption/pattern_caption_data.h"
#include "cf/value.h"
#include "geometry/page_geometry.h"
#include "geometry/pattern_coordinates.h"
#include "rastercore/result_codes.h"
#include "record/color_info.h"
#include "record/job_context.h"
#include "setup/setup_steps_internal.h"
#include "util/memory.h"

namespace setup {

namespace {

using namespace rastercore;

constexpr std::int32_t kPatternPrintOn = 1;
constexpr std::int32_t kPatternLayoutCorner = 1;
constexpr std::int32_t kPatternRollLayout = 5;
constexpr double kSettingCaptionSize = 35;  // the setting lines' size class
constexpr std::int32_t kSettingCaptionRoom = 30;
constexpr std::uint8_t kBlankCaption = 0xFF;

double captionWidth(double fontSize, const cf::Value* text) {
    const std::string* string = text != nullptr ? text->string() : nullptr;
    return string != nullptr
               ? GetTextWidthORHeight(fontSize, kTextStyleBold, string->c_str(), kTextMeasureWidth)
               : 0;
}

// The areas of a sheet, each visited once.
template <typename Visit>
void forEachArea(PatternCaptionAreas& areas, Visit visit) {
    visit(areas.xTitle);
    visit(areas.yTitle);
    for (std::int32_t i = 0; areas.xScales != nullptr && i < areas.xScaleCount; ++i) {
        visit(areas.xScales[i].area);
    }
    for (std::int32_t i = 0; areas.yScales != nullptr && i < areas.yScaleCount; ++i) {
        visit(areas.yScales[i].area);
    }
    visit(areas.basicSettings);
    visit(areas.colorSettings);
    for (std::int32_t i = 0; areas.cells != nullptr && i < areas.cellCount; ++i) {
        visit(areas.cells[i].xValue);
        visit(areas.cells[i].yValue);
        visit(areas.cells[i].outside);
    }
}

}  // namespace

void applyPatternSettings(PLGContext& context, CoreCommonInfoTbl& table) {
    if (table.patternPrint != kPatternPrintOn) {
        table.patternXCount = 1;
        table.patternYCount = 1;
        return;
    }
    table.copies = 1;
    table.noFrame = 0;
    table.expansionReduction = 0;
    table.caption = 0;
    table.paperSource = table.patternPaperSource;
    table.paperSizeID = table.patternPaperSizeID;
    table.jobOutputMethod = 0;
    table.printLayout = kPatternLayoutCorner;
    context.patternPrint = 1;
    context.patternFullSize = table.patternFullSize != 0 ? 1 : 0;
    const double fontSize = PLG_PatternCreateCaption_getFontSize(&context, kSettingCaptionSize);
    const double widest = std::max({captionWidth(fontSize, table.patternMediumLine),
                                    captionWidth(fontSize, table.patternPrintModeLine),
                                    captionWidth(fontSize, table.patternProfileLine)});
    context.patternCaptionWidth = static_cast<std::int32_t>(widest) + kSettingCaptionRoom;
    table.rollLayout = kPatternRollLayout;
    table.conservePaper = 0;
    table.printDirection = table.patternRotation != 0 ? 1 : 0;
    context.colorInfo->patternPrint = 1;
    if (table.patternUseSelection == 1) {
        table.selRangePrint = 1;
    }
}

std::int32_t takePatternCoordinates(PLGContext& context) {
    return PLG_Get_PatternCoordinate_Rec(&context);
}

std::int32_t allocatePatternCaptionBitmaps(PLGContext& context) {
    if (context.patternCaptionAreas == nullptr) {
        return kResultOk;
    }
    std::int32_t result = kResultOk;
    forEachArea(*context.patternCaptionAreas, [&](PatternCaptionArea& area) {
        const std::uint32_t size = PLG_Get_CaptionSize(&context, area.width, area.height, false);
        if (result != kResultOk || size == 0 || area.bitmap != nullptr) {
            return;
        }
        if (Get_MemoryClear(1, size, kUnusedKind, &area.bitmap) != kResultOk) {
            result = kResultNoMemory;
            return;
        }
        std::memset(area.bitmap, kBlankCaption, size);
    });
    return result;
}

void releasePatternCaptionAreas(PLGContext& context) {
    PatternCaptionAreas* areas = context.patternCaptionAreas;
    if (areas == nullptr) {
        return;
    }
    forEachArea(*areas,
                [](PatternCaptionArea& area) { Dispose_MemoryClear(&area.bitmap, kUnusedKind); });
    Dispose_MemoryClear(&areas->xScales, kUnusedKind);
    Dispose_MemoryClear(&areas->yScales, kUnusedKind);
    Dispose_MemoryClear(&areas->cells, kUnusedKind);
    Dispose_MemoryClear(&context.patternCaptionAreas, kUnusedKind);
}

}  // namespace setup
