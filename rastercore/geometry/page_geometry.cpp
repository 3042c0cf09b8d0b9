// Paper sizes, their limits, margins, roll widths, model resolutions and caption sizes.
#include "geometry/page_geometry.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "command/cmd_info.h"
#include "geometry/paper_tables.h"
#include "rastercore/result_codes.h"
#include "record/color_info.h"
#include "record/job_context.h"

namespace {

using rastercore::kResultFailure;
using rastercore::kResultOk;

constexpr std::string_view kCustomPaperName = "CUSTOM";
constexpr double kTenthsPerInch = 254.0;

// Paper-size limits, tenths of a millimetre.
struct PaperLimits {
    std::uint32_t minWidth;
    std::uint32_t minLength;
    std::uint32_t maxWidth;
    std::uint32_t maxLength;
};

constexpr std::uint32_t kMinSide = 2032;          // 8 inches
constexpr std::uint32_t kRollMaxLength = 180000;  // 18 m
constexpr std::uint32_t kSheetMaxLength = 16000;

// Paper-source masks.
constexpr std::uint32_t kRollSources = 0xF00;
constexpr std::uint32_t kSheetSources = 0xF0F0;
constexpr std::uint32_t kManualSources = 0xF;
constexpr std::uint32_t kFlatMarginSources3 = 0xF0F;
constexpr std::uint32_t kFlatMarginSources4 = 0xF1F;

bool any(std::uint32_t code, std::uint32_t mask) {
    return (code & mask) != 0;
}

// Classes 5 and 8 differ only in the minimum sheet length; 6, 1 and 7 in the longest sheet.
PaperLimits narrowClassLimits(std::uint32_t source, std::uint32_t maxWidth,
                              std::uint32_t sheetMinLength, std::uint32_t sheetMaxLength,
                              bool manualFeed) {
    if (any(source, kRollSources)) {
        return {kMinSide, kMinSide, maxWidth, kRollMaxLength};
    }
    if (manualFeed && any(source, kManualSources)) {
        return {kMinSide, 2540, maxWidth, 5940};
    }
    return {kMinSide, sheetMinLength, maxWidth, sheetMaxLength};
}

PaperLimits limitsFor(std::int32_t paperClass, std::uint32_t source) {
    const std::uint32_t sheetOrRoll = any(source, kSheetSources) ? kSheetMaxLength : kRollMaxLength;
    switch (paperClass) {
        case 2:
            return {kMinSide, kMinSide, 15240, sheetOrRoll};
        case 3:
            return {kMinSide, kMinSide, 11176, sheetOrRoll};
        case 4:
            return {kMinSide, kMinSide, 11180,
                    any(source, kRollSources) ? kRollMaxLength : kSheetMaxLength};
        case 5:
            return narrowClassLimits(source, 6100, 2790, kSheetMaxLength, false);
        case 8:
            return narrowClassLimits(source, 6100, 2794, kSheetMaxLength, false);
        case 6:
            return narrowClassLimits(source, 4320, 2790, kSheetMaxLength, true);
        case 1:
        case 7:
            return narrowClassLimits(source, 4320, 2790, 6096, true);
        default:
            return {kMinSide, kMinSide, 6096, any(source, kSheetSources) ? 14000 : kRollMaxLength};
    }
}

PaperLimits contextLimits(const PLGContext* context) {
    PaperLimits limits{};
    PLG_Get_MinMax_PaperSize(context, &limits.minWidth, &limits.minLength, &limits.maxWidth,
                             &limits.maxLength);
    return limits;
}

std::int32_t clampLength(std::int64_t value, std::uint32_t minimum, std::uint32_t maximum) {
    return static_cast<std::int32_t>(
        std::max<std::int64_t>(std::min<std::int64_t>(value, maximum), minimum));
}

void appendPaperName(Cmd_Info* info, std::string_view name) {
    // A name that fills its field may lack the terminator: never look past the field.
    const std::size_t used = strnlen(info->paperName, kPaperNameMax);
    const std::size_t room = kPaperNameMax - used;
    const std::size_t count = std::min(room, name.size());
    std::memcpy(info->paperName + used, name.data(), count);
    info->paperName[used + count] = '\0';
}

// The custom size of a page that holds the context's image (and caption) between the record's
// margins.
void computeCustomSize(const PLGContext* context, Cmd_Info* info) {
    const PaperLimits limits = contextLimits(context);
    const std::int32_t top = info->topMargin;
    const std::int32_t bottom = info->bottomMargin;
    const bool fitted = context->expansionReduction == 1 && context->fitType == 1;
    const std::int64_t margins =
        fitted ? 2 * std::int64_t{std::max(top, bottom)} : std::int64_t{top} + bottom;
    const double imageHeight =
        static_cast<double>(context->imageRect.bottom) - context->imageRect.top;
    const auto imageLength =
        static_cast<std::int64_t>(imageHeight / context->outputResolution[1] * kTenthsPerInch);
    std::int64_t length = margins + imageLength;
    length = length < limits.minLength ? limits.minLength
                                       : std::min<std::int64_t>(length, limits.maxLength);

    // Room for the caption on its side of the page: 1 cm.
    constexpr std::int32_t kCaptionRoom = 100;
    constexpr std::int16_t kCaptionAtTop = 1;
    constexpr std::int16_t kCaptionAtBottom = 2;
    if (context->captionFlag != 0 && context->rotate == 0) {
        if ((top >= bottom && context->captionKind == kCaptionAtTop) ||
            (bottom >= top && context->captionKind == kCaptionAtBottom)) {
            length += kCaptionRoom;
        } else if (std::abs(top - bottom) < kCaptionRoom) {
            length += kCaptionRoom - std::abs(top - bottom);
        }
    }
    info->paperLength = static_cast<std::int32_t>(length);
    info->paperWidth = clampLength(context->paperWidth, limits.minWidth, limits.maxWidth);
}

}  // namespace

std::int32_t PLG_Get_PaperSize(PLGContext* context, Cmd_Info* info, std::int32_t paperId) {
    if (paperId == kPaperIdCustom) {
        appendPaperName(info, kCustomPaperName);
        info->paperSizeCode = kPaperIdCustom;
        computeCustomSize(context, info);
        return kResultOk;
    }
    if (const auto paper = geometry::paperNameForId(paperId)) {
        appendPaperName(info, paper->name);
        info->paperSizeCode = static_cast<std::int16_t>(paper->storedId);
    }
    return kResultOk;
}

std::int32_t PLG_Get_MinMax_PaperSize(const PLGContext* context, std::uint32_t* minWidth,
                                      std::uint32_t* minLength, std::uint32_t* maxWidth,
                                      std::uint32_t* maxLength) {
    const std::uint32_t source =
        context->cmdInfo != nullptr ? context->cmdInfo->paperSourceMask : 0;
    const PaperLimits limits = limitsFor(context->modelTable.MediaMaxMin, source);
    *minWidth = limits.minWidth;
    *minLength = limits.minLength;
    *maxWidth = limits.maxWidth;
    *maxLength = limits.maxLength;
    return kResultOk;
}

std::int32_t PLG_Get_UserPaperSize(PLGContext* context, Cmd_Info* info, std::int32_t width,
                                   std::int32_t length) {
    appendPaperName(info, kCustomPaperName);
    const PaperLimits limits = contextLimits(context);
    info->paperWidth = clampLength(width, limits.minWidth, limits.maxWidth);
    info->paperLength = clampLength(length, limits.minLength, limits.maxLength);
    return kResultOk;
}

std::int32_t PLG_Printer_Distinction(const char*) {
    return kResultOk;
}

std::int32_t PLG_Get_Peculiar_DPI(const ModelAtlasTbl* model, std::int32_t inputResolution,
                                  std::uint16_t* horizontal, std::uint16_t* vertical) {
    constexpr std::int32_t kInput300 = 1;
    switch (model->DPIType) {
        case 1:
        case 3:
            *horizontal = *vertical = inputResolution == kInput300 ? 300 : 600;
            break;
        case 2:
            *horizontal = 600;
            *vertical = 1200;
            break;
        default:
            break;
    }
    return kResultOk;
}

std::int32_t PLG_Get_MarginSize(const PLGContext* context, std::uint8_t borderless,
                                TARNMarginSize* margins) {
    const std::int32_t kind = context->modelTable.MarginSize;
    if (kind == 1) {
        return kResultFailure;
    }
    if (kind < 2 || kind > 4) {
        return kResultOk;
    }
    constexpr std::int32_t kBleed = -30;
    if (borderless != 0) {
        *margins = {kBleed, kBleed, kBleed, kBleed};
        return kResultOk;
    }
    const std::uint32_t source =
        context->cmdInfo != nullptr ? context->cmdInfo->paperSourceMask : 0;
    constexpr std::int32_t kTrailingEdge = 230;
    switch (kind) {
        case 2:
            *margins = {50, 50, 200, kTrailingEdge};
            break;
        case 3:
            *margins = {50, 50, 50, any(source, kFlatMarginSources3) ? 50 : kTrailingEdge};
            break;
        default:
            *margins = {30, 30, 30, any(source, kFlatMarginSources4) ? 30 : kTrailingEdge};
            break;
    }
    return kResultOk;
}

std::int32_t PLG_Get_RollWidth(const PLGContext* context, Cmd_Info* info, const void*) {
    if (info == nullptr) {
        return kResultFailure;
    }
    const std::string_view name = geometry::rollWidthName(context->paperWidth);
    if (!name.empty()) {
        const std::size_t count = std::min<std::size_t>(name.size(), kRollWidthMax);
        std::memcpy(info->rollWidth, name.data(), count);
        info->rollWidth[count] = '\0';
    }
    return kResultOk;
}

std::uint32_t PLG_Get_CaptionSize(const PLGContext* context, std::int32_t width,
                                  std::int32_t height, bool greyAllowed) {
    std::uint64_t bytesPerPixel = 0;
    switch (context->depthCode) {
        case 1:
        case 3:
            bytesPerPixel = 3;
            break;
        case 2:
        case 4:
            bytesPerPixel = 6;
            break;
        default:
            return 0;
    }
    const bool greyCaption = greyAllowed && context->modelTable.TNR2_T_RGB_Y == 1 &&
                             context->colorInfo != nullptr &&
                             context->colorInfo->colorMode == kColorModeMonochromePhoto;
    if (greyCaption) {
        bytesPerPixel /= 3;
    }
    if (width <= 0 || height <= 0) {
        return 0;
    }
    // A size beyond 32 bits cannot be allocated as one bitmap; report none.
    const std::uint64_t size = std::uint64_t(width) * std::uint64_t(height) * bytesPerPixel;
    return size > UINT32_MAX ? 0 : static_cast<std::uint32_t>(size);
}
