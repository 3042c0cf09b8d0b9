// The captions of a test-pattern sheet.
#include "caption/pattern_caption.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <type_traits>

#include "caption/caption_text.h"
#include "caption/pattern_caption_areas.h"
#include "caption/pattern_caption_data.h"
#include "cf/value.h"
#include "rastercore/core_common_info_tbl.h"
#include "rastercore/result_codes.h"
#include "record/color_info.h"
#include "record/job_context.h"
#include "util/memory.h"

namespace {

using rastercore::kResultFailure;
using rastercore::kResultNoMemory;
using rastercore::kResultOk;

// Font sizes at 300 dpi.
constexpr double kTitleSize = 35.0;
constexpr double kCellValueSize = 55.0;
constexpr double kOutsideSize = 60.0;

constexpr std::uint8_t kWhiteFill = 255;
constexpr std::uint8_t kGreyFill = 136;

// Titles: their left edge and baseline; scale values: their gap under the top edge.
constexpr double kTitleLeft = 5.0;
constexpr double kTitleBaseline = 20.0;
constexpr double kScaleValueTopGap = 10.0;

// Sheet orientation codes of the job record: up to 1 upright, 2 turned, above refused.
constexpr std::int32_t kSheetTurned = 2;

// Adjustment item indices: 1 to 7 for colour output, 8 to 15 for grey output.
constexpr std::int32_t kFirstColorItem = 1;
constexpr std::int32_t kFirstGreyItem = 8;

// Background kinds of the sheet, and the spacing value that puts a background behind the cells.
constexpr std::int32_t kBackgroundBlack = 1;
constexpr std::int32_t kSpacingWithBackground = 1;

using ValueText = std::array<char, 16>;  // "%d" of a 16-bit value

bool isEmpty(const PatternCaptionArea& area) {
    return area.width <= 0 || area.height <= 0 || area.bitmap == nullptr;
}

const PatternCaptionAreas* areasOf(const PLGContext* context) {
    return context != nullptr ? context->patternCaptionAreas : nullptr;
}

const char* stringOf(const cf::Value* value) {
    const std::string* text = value != nullptr ? value->string() : nullptr;
    return text != nullptr ? text->c_str() : nullptr;
}

ValueText valueText(std::int16_t value) {
    ValueText text{};
    std::snprintf(text.data(), text.size(), "%d", value);
    return text;
}

double widthOf(double size, std::uint16_t style, const char* text) {
    return GetTextWidthORHeight(size, style, text, kTextMeasureWidth);
}

double ascentOf(double size, std::uint16_t style, const char* text) {
    return GetTextWidthORHeight(size, style, text, kTextMeasureAscent);
}

// Whether the sheet is turned; -1 for an orientation code above 2 or no job record.
std::int32_t sheetTurned(const PLGContext& context, bool* turned) {
    if (context.jobRecord == nullptr || context.jobRecord->patternRotation > kSheetTurned) {
        return kResultFailure;
    }
    *turned = context.jobRecord->patternRotation == kSheetTurned;
    return kResultOk;
}

// The grey bitmap's size for an area: the area's own, exchanged for a turned area.
struct GreySize {
    std::int32_t width;
    std::int32_t height;
};

GreySize greySize(const PatternCaptionArea& area, std::int16_t turn) {
    return turn == kPatternTurnDown ? GreySize{area.height, area.width}
                                    : GreySize{area.width, area.height};
}

PatternTextList oneText(const gfx::Rect& rect, const char* text, std::int16_t color) {
    PatternTextList list{};
    list.count = 1;
    list.rects[0] = rect;
    list.strings[0] = text;
    list.colors[0] = color;
    return list;
}

// Renders `texts` into a fresh grey bitmap of the area's grey size and converts it into the
// area's bitmap.
std::int32_t renderArea(PLGContext& context, const PatternCaptionArea& area, std::int16_t turn,
                        double fontSize, std::uint16_t style, const PatternTextList& texts,
                        std::uint8_t fill, bool truncate) {
    const GreySize size = greySize(area, turn);
    std::uint8_t* grey = nullptr;
    if (Get_MemoryClear(static_cast<std::size_t>(size.width), static_cast<std::size_t>(size.height),
                        kUnusedKind, &grey) != kResultOk) {
        return kResultNoMemory;
    }
    std::int32_t result = PLG_PatternCreateCaption_getCaptionData(
        grey, size.width, size.height, fontSize, style, texts.count, texts.rects, texts.strings,
        texts.colors, fill, truncate);
    if (result == kResultOk) {
        result = PLG_PatternCreateCaption_setCaptionData(&context, grey, size.width, area.bitmap,
                                                         area.width, area.height, turn);
    }
    Dispose_MemoryClear(&grey, kUnusedKind);
    return result;
}

// An axis title: left at (5, 20) or right-aligned at y 20, cut to the area.
std::int32_t renderTitle(PLGContext& context, const PatternCaptionArea& area,
                         const cf::Value* title, bool rightAligned, std::int16_t turn) {
    const char* text = stringOf(title);
    if (text == nullptr) {
        return kResultFailure;
    }
    const double fontSize = PLG_PatternCreateCaption_getFontSize(&context, kTitleSize);
    const GreySize size = greySize(area, turn);
    double x = kTitleLeft;
    if (rightAligned) {
        const double width = widthOf(fontSize, kTextStyleBold, text);
        x = width > size.width ? kTitleLeft : size.width - width;
    }
    const gfx::Rect rect{x, kTitleBaseline, size.width - x,
                         ascentOf(fontSize, kTextStyleBold, text)};
    return renderArea(context, area, turn, fontSize, kTextStyleBold,
                      oneText(rect, text, kTextColorBlack), kWhiteFill, true);
}

// The X title (`xAxis`) or the Y title; the Y title takes the turn the X title does not.
std::int32_t renderAxisTitle(PLGContext* context, bool xAxis) {
    const PatternCaptionAreas* areas = areasOf(context);
    if (areas == nullptr) {
        return kResultOk;
    }
    const PatternCaptionArea& area = xAxis ? areas->xTitle : areas->yTitle;
    if (isEmpty(area)) {
        return kResultOk;
    }
    bool turned = false;
    if (sheetTurned(*context, &turned) != kResultOk) {
        return kResultFailure;
    }
    const bool turnDown = xAxis == turned;
    return renderTitle(
        *context, area,
        xAxis ? context->jobRecord->patternXTitle : context->jobRecord->patternYTitle, turnDown,
        turnDown ? kPatternTurnDown : kPatternTurnNone);
}

// The scale values of the X axis (`xAxis`) or the Y axis, centred under the top of each area.
std::int32_t renderScaleValues(PLGContext* context, bool xAxis) {
    const PatternCaptionAreas* areas = areasOf(context);
    if (areas == nullptr) {
        return kResultOk;
    }
    const PatternScaleArea* scales = xAxis ? areas->xScales : areas->yScales;
    const std::int32_t count =
        scales != nullptr ? (xAxis ? areas->xScaleCount : areas->yScaleCount) : 0;
    bool turned = false;
    if (count > 0 && sheetTurned(*context, &turned) != kResultOk) {
        return kResultFailure;
    }
    const std::int16_t turn = xAxis == turned ? kPatternTurnDown : kPatternTurnNone;
    const double fontSize = PLG_PatternCreateCaption_getFontSize(context, kTitleSize);
    for (std::int32_t i = 0; i < count; ++i) {
        const PatternCaptionArea& area = scales[i].area;
        if (isEmpty(area)) {
            continue;
        }
        const ValueText text = valueText(scales[i].value);
        const GreySize size = greySize(area, turn);
        const double width = widthOf(fontSize, kTextStyleBold, text.data());
        const double ascent = ascentOf(fontSize, kTextStyleBold, text.data());
        const gfx::Rect rect{std::max(size.width / 2.0 - width / 2.0, 0.0),
                             std::max(size.height - ascent - kScaleValueTopGap, 0.0), width,
                             ascent};
        const std::int32_t result =
            renderArea(*context, area, turn, fontSize, kTextStyleBold,
                       oneText(rect, text.data(), kTextColorBlack), kWhiteFill, false);
        if (result != kResultOk) {
            return result;
        }
    }
    return kResultOk;
}

// A block of lines stacked from the top of the area.
std::int32_t renderStack(PLGContext& context, const PatternCaptionArea& area,
                         const char* const* lines, std::int32_t count) {
    const double fontSize = PLG_PatternCreateCaption_getFontSize(&context, kTitleSize);
    PatternTextList list{};
    for (std::int32_t i = 0; i < count; ++i) {
        if (PLG_PatternCreateCaption_Setting_Color_SetSetting(&list, fontSize, area.width,
                                                              area.height, lines[i]) != kResultOk) {
            return kResultFailure;
        }
    }
    return renderArea(context, area, kPatternTurnNone, fontSize, kTextStyleBold, list, kWhiteFill,
                      true);
}

// Each cell's X value (`xAxis`) or Y value, centred, drawn in black and again in white one
// pixel left and up, on grey.
std::int32_t renderCellValues(PLGContext* context, bool xAxis) {
    const PatternCaptionAreas* areas = areasOf(context);
    if (areas == nullptr || areas->cells == nullptr) {
        return kResultOk;
    }
    const double fontSize = PLG_PatternCreateCaption_getFontSize(context, kCellValueSize);
    constexpr std::uint16_t kRegular = 0;
    for (std::int32_t i = 0; i < areas->cellCount; ++i) {
        const PatternCellCaptions& cell = areas->cells[i];
        const PatternCaptionArea& area = xAxis ? cell.xValue : cell.yValue;
        if (isEmpty(area)) {
            continue;
        }
        const ValueText text = valueText(xAxis ? cell.xAdjustValue : cell.yAdjustValue);
        const double width = widthOf(fontSize, kRegular, text.data());
        const double ascent = ascentOf(fontSize, kRegular, text.data());
        const double x = area.width / 2.0 - width / 2.0 + 1.0;
        const double y = area.height / 2.0 - ascent / 2.0 - 1.0;
        PatternTextList list = oneText({x, y, width, ascent}, text.data(), kTextColorBlack);
        list.rects[1] = {x - 1.0, y + 1.0, width, ascent};
        list.strings[1] = text.data();
        list.colors[1] = kTextColorWhite;
        list.count = 2;
        const std::int32_t result = renderArea(*context, area, kPatternTurnNone, fontSize, kRegular,
                                               list, kGreyFill, false);
        if (result != kResultOk) {
            return result;
        }
    }
    return kResultOk;
}

// The outside label's colour: black, or from the background behind the cells when there is one.
std::int16_t outsideColor(const CoreCommonInfoTbl& record) {
    if (record.patternSpacing == kSpacingWithBackground &&
        record.patternBackgroundColor == kBackgroundBlack) {
        return kTextColorWhite;
    }
    return kTextColorBlack;
}

}  // namespace

std::int32_t PLG_PatternCreateCaption(PLGContext* context) {
    using Member = std::int32_t (*)(PLGContext*);
    constexpr Member kMembers[] = {
        PLG_PatternCreateCaption_ScaleX,         PLG_PatternCreateCaption_ScaleXValue,
        PLG_PatternCreateCaption_ScaleY,         PLG_PatternCreateCaption_ScaleYValue,
        PLG_PatternCreateCaption_Setting_Basic,  PLG_PatternCreateCaption_Setting_Color,
        PLG_PatternCreateCaption_SettingValue_X, PLG_PatternCreateCaption_SettingValue_Y,
        PLG_PatternCreateCaption_Outside,
    };
    for (const Member member : kMembers) {
        if (const std::int32_t result = member(context); result != kResultOk) {
            return result;
        }
    }
    return kResultOk;
}

std::int32_t PLG_PatternCreateCaption_ScaleX(PLGContext* context) {
    return renderAxisTitle(context, true);
}

std::int32_t PLG_PatternCreateCaption_ScaleXValue(PLGContext* context) {
    return renderScaleValues(context, true);
}

std::int32_t PLG_PatternCreateCaption_ScaleY(PLGContext* context) {
    return renderAxisTitle(context, false);
}

std::int32_t PLG_PatternCreateCaption_ScaleYValue(PLGContext* context) {
    return renderScaleValues(context, false);
}

std::int32_t PLG_PatternCreateCaption_Setting_Basic(PLGContext* context) {
    const PatternCaptionAreas* areas = areasOf(context);
    if (areas == nullptr || isEmpty(areas->basicSettings)) {
        return kResultOk;
    }
    if (context->jobRecord == nullptr) {
        return kResultFailure;
    }
    const CoreCommonInfoTbl& record = *context->jobRecord;
    const char* lines[] = {stringOf(record.patternMediumLine),
                           stringOf(record.patternPrintModeLine),
                           stringOf(record.patternProfileLine)};
    return renderStack(*context, areas->basicSettings, lines, std::size(lines));
}

std::int32_t PLG_PatternCreateCaption_Setting_Color(PLGContext* context) {
    const PatternCaptionAreas* areas = areasOf(context);
    if (areas == nullptr || isEmpty(areas->colorSettings)) {
        return kResultOk;
    }
    if (context->jobRecord == nullptr || context->colorInfo == nullptr) {
        return kResultFailure;
    }
    const CoreCommonInfoTbl& record = *context->jobRecord;
    const bool grey = context->colorInfo->colorMode == kColorModeMonochromePhoto;
    constexpr auto kGreyItems = std::extent_v<decltype(CoreCommonInfoTbl::patternGrayItems)>;
    constexpr auto kColorItems = std::extent_v<decltype(CoreCommonInfoTbl::patternColorItems)>;
    const std::int32_t count = grey ? kGreyItems : kColorItems;
    const std::int32_t firstIndex = grey ? kFirstGreyItem : kFirstColorItem;
    const char* lines[kPatternTextsMax] = {};
    std::int32_t kept = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        // Element by element: the packed record's arrays are not aligned for a pointer to them.
        const char* name =
            stringOf(grey ? record.patternGrayItems[i] : record.patternColorItems[i]);
        if (name == nullptr) {
            return kResultFailure;  // the set must be complete
        }
        const std::int32_t index = firstIndex + i;
        if (index != record.patternXItem && index != record.patternYItem) {
            lines[kept++] = name;
        }
    }
    return renderStack(*context, areas->colorSettings, lines, kept);
}

std::int32_t PLG_PatternCreateCaption_SettingValue_X(PLGContext* context) {
    return renderCellValues(context, true);
}

std::int32_t PLG_PatternCreateCaption_SettingValue_Y(PLGContext* context) {
    return renderCellValues(context, false);
}

std::int32_t PLG_PatternCreateCaption_Outside(PLGContext* context) {
    const PatternCaptionAreas* areas = areasOf(context);
    if (areas == nullptr || areas->cells == nullptr) {
        return kResultOk;
    }
    const double fontSize = PLG_PatternCreateCaption_getFontSize(context, kOutsideSize);
    for (std::int32_t i = 0; i < areas->cellCount; ++i) {
        const PatternCellCaptions& cell = areas->cells[i];
        if (cell.outsideFlag == 0 || isEmpty(cell.outside)) {
            continue;
        }
        const char* text = context->jobRecord != nullptr
                               ? stringOf(context->jobRecord->patternOutOfRange)
                               : nullptr;
        if (text == nullptr) {
            return kResultFailure;
        }
        const PatternCaptionArea& area = cell.outside;
        const double x =
            std::max(area.width / 2.0 - widthOf(fontSize, kTextStyleBold, text) / 2.0, 0.0);
        const double y =
            std::max(area.height / 2.0 - ascentOf(fontSize, kTextStyleBold, text) / 2.0, 0.0);
        const gfx::Rect rect{x, y, area.width - x, area.height - y};
        const std::int32_t result =
            renderArea(*context, area, kPatternTurnNone, fontSize, kTextStyleBold,
                       oneText(rect, text, outsideColor(*context->jobRecord)), kGreyFill, true);
        if (result != kResultOk) {
            return result;
        }
    }
    return kResultOk;
}
