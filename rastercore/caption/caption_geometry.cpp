// The caption's size and its place on the page.
#include "caption/caption_geometry.h"

#include <algorithm>
#include <cstdlib>

#include "caption/caption_text.h"
#include "command/cmd_info.h"
#include "rastercore/result_codes.h"
#include "record/job_context.h"

namespace {

constexpr double kTenthsPerInch = 254.0;
constexpr double kMillimetresPerInch = 25.4;
constexpr double kTextBitmapHeightMm = 10.0;    // one centimetre of text band
constexpr double kTextBitmapWidening = 1.15;    // room after the measured text
constexpr std::int32_t kMinPaperLength = 2032;  // 8 inches: the printable length's floor
constexpr std::int32_t kCaptionRoom = 100;      // 1 cm kept for the caption when fitted
constexpr std::int32_t kLeftAlignment = 8;      // the caption starts on a whole byte of a mask

std::int32_t alignedUp(std::int32_t left) {
    return left % kLeftAlignment == 0 ? left : (left / kLeftAlignment + 1) * kLeftAlignment;
}

}  // namespace

std::int32_t PLG_Get_CaptionWiAndHi(PLGContext* context, std::int16_t a, std::int16_t b,
                                    std::int16_t c) {
    if (context == nullptr || c == 0) {
        return rastercore::kResultFailure;
    }
    context->captionFontSize = static_cast<std::int16_t>(a * b / c);
    const double measured = GetTextWidthORHeight(context->captionFontSize, kTextStyleBold,
                                                 context->captionText, kTextMeasureWidth);
    context->textBitmapWidth = static_cast<std::int32_t>(
        static_cast<double>(static_cast<std::int32_t>(measured)) * kTextBitmapWidening);
    context->textBitmapHeight =
        static_cast<std::int32_t>(kTextBitmapHeightMm * b / kMillimetresPerInch);
    const double scale = context->captionScale;
    const auto scaled = [scale](std::int32_t pixels) {
        return static_cast<std::int32_t>(scale * pixels);
    };
    if (context->rotate != 0) {
        context->captionWidth = scaled(context->textBitmapHeight);
        context->captionHeight = scaled(context->textBitmapWidth);
    } else {
        context->captionWidth = scaled(context->textBitmapWidth);
        context->captionHeight = scaled(context->textBitmapHeight);
    }
    return rastercore::kResultOk;
}

void PLG_Get_Caption_Rec(PLGContext* context, TARNRect* captionRect) {
    if (context == nullptr || context->cmdInfo == nullptr || captionRect == nullptr) {
        return;
    }
    const Cmd_Info& info = *context->cmdInfo;
    const double horizontal = context->outputResolution[0] / kTenthsPerInch;
    const double vertical = context->outputResolution[1] / kTenthsPerInch;
    const std::int32_t t = info.topMargin;
    const std::int32_t b = info.bottomMargin;

    // The printable area.
    const auto width = static_cast<std::int32_t>(context->paperWidthDots -
                                                 (info.leftMargin + info.rightMargin) * horizontal);
    std::int32_t length =
        kMinPaperLength * vertical > context->paperHeightDots
            ? static_cast<std::int32_t>((kMinPaperLength - t - b) * vertical)
            : static_cast<std::int32_t>(context->paperHeightDots - (t + b) * vertical);
    const bool turned = context->rotate != 0;
    const bool kindTop = context->captionKind == kCaptionKindTop;
    if (context->expansionReduction == 1 && context->fitType == 1 && !turned) {
        if ((t >= b && kindTop) || (b >= t && context->captionKind == kCaptionKindBottom)) {
            length += static_cast<std::int32_t>(kCaptionRoom * vertical);
        } else if (std::abs(t - b) < kCaptionRoom) {
            length += static_cast<std::int32_t>(vertical * (kCaptionRoom - std::abs(t - b)));
        }
    }

    const std::int32_t w = context->captionWidth;
    const std::int32_t h = context->captionHeight;
    const bool mirrored = info.mirror == 1;
    TARNRect rect{};
    if (!turned) {
        rect.left = mirrored ? std::max(width - w, 0) : 0;
        rect.right = std::min(mirrored ? width : w, width);
        rect.top = kindTop ? 0 : length - h;
        rect.bottom = kindTop ? h : length;
    } else {
        rect.top = mirrored ? std::max(length - h, 0) : 0;
        rect.bottom = std::min(mirrored ? length : h, length);
        rect.left = kindTop ? width - w : 0;
        rect.right = kindTop ? width : w;
    }
    rect.left = alignedUp(rect.left);
    *captionRect = rect;
}
