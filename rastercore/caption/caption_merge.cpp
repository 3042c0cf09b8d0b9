// Merging a caption line with the image line it shares.
#include "caption/caption_merge.h"

#include <algorithm>
#include <cstring>

#include "caption/caption_color_stage.h"
#include "caption/caption_render.h"
#include "command/cmd_info.h"
#include "rastercore/result_codes.h"
#include "record/color_info.h"
#include "record/job_context.h"

namespace {

using rastercore::kResultFailure;
using rastercore::kResultOk;

constexpr std::uint8_t kWhiteByte = 255;

// How a caption pixel is told from the caption's background in the overlap with the image.
struct Background {
    const std::uint8_t* key = nullptr;  // null: a pixel whose first byte is white
    std::size_t keyBytes = 0;

    bool matches(const std::uint8_t* pixel) const {
        return key == nullptr ? pixel[0] == kWhiteByte : std::memcmp(pixel, key, keyBytes) == 0;
    }
};

// The caption row of `line`, colour-processed first when the model wants captions in the
// printer's colours; null on failure. `processed` tells whether it was.
std::uint8_t* captionRowOf(PLGContext& context, std::int32_t row, bool* processed) {
    const std::uint32_t rowBytes =
        context.captionBitmapSize / static_cast<std::uint32_t>(context.captionHeight);
    std::uint8_t* captionRow = context.captionBitmap + std::size_t{rowBytes} * row;
    *processed = context.colorInfo != nullptr &&
                 context.colorInfo->colorMode == kColorModeMonochromePhoto &&
                 context.modelTable.MonoCapColorProcessing == 1;
    if (!*processed) {
        return captionRow;
    }
    if (context.captionColorLine == nullptr) {
        return nullptr;
    }
    context.colorInfo->captionMerge = 0;
    TARNRect rect{0, 0, 1, context.captionWidth};
    const std::int32_t result = captionColorStage().current().colorProcessing(
        context.colorInfo, captionRow, &rect, context.captionColorLine);
    return result == kResultOk ? context.captionColorLine : nullptr;
}

// The background test for the overlap; false when the output depth is unknown or its pixel
// is wider than the caption's.
bool backgroundOf(const PLGContext& context, const std::uint8_t* captionRow, bool processed,
                  std::size_t pixelBytes, Background* background) {
    if (!processed || context.modelTable.TNR2_T_RGB_Y != 0) {
        return true;
    }
    constexpr std::size_t kNarrowKey = 3;
    constexpr std::size_t kWideKey = 6;
    switch (context.colorInfo->outputDepth) {
        case 0:
            background->keyBytes = kNarrowKey;
            break;
        case 1:
        case 2:
            background->keyBytes = kWideKey;
            break;
        default:
            return false;
    }
    if (background->keyBytes > pixelBytes || context.captionWidth <= 0) {
        return false;
    }
    const bool mirrored = context.cmdInfo != nullptr && context.cmdInfo->mirror == 1;
    background->key =
        captionRow +
        (mirrored ? pixelBytes * static_cast<std::size_t>(context.captionWidth - 1) : 0);
    return true;
}

// Builds the merge line of caption and image in the context's merge line buffer.
std::int32_t merge(PLGContext& context, const std::uint8_t* captionRow, const std::uint8_t* image,
                   std::uint32_t imageWidth, std::size_t pixelBytes, const Background& background) {
    const TARNRect& caption = context.captionRect;
    const std::int32_t imageLeft = context.imageRect.left;
    const std::int32_t imageRight = context.imageRect.right;
    const std::int32_t base = std::min(caption.left, imageLeft);
    const std::int64_t mergeWidth = context.captionMergeWidth;
    if (context.captionMergeLine == nullptr ||
        imageLeft - base + std::int64_t{imageWidth} > mergeWidth ||
        std::int64_t{imageRight} - base > mergeWidth ||
        std::int64_t{caption.right} - base > mergeWidth ||
        caption.right - caption.left > context.captionWidth) {
        return kResultFailure;
    }
    std::uint8_t* line = context.captionMergeLine;
    const auto at = [&](std::int32_t x) {
        return line + pixelBytes * static_cast<std::size_t>(x - base);
    };
    const auto captionPixel = [&](std::int32_t x) {
        return captionRow + pixelBytes * static_cast<std::size_t>(x - caption.left);
    };
    const auto copyCaption = [&](std::int32_t from, std::int32_t to) {
        for (std::int32_t x = from; x < to; ++x) {
            std::memcpy(at(x), captionPixel(x), pixelBytes);
        }
    };

    std::memcpy(at(imageLeft), image, pixelBytes * imageWidth);
    copyCaption(caption.left, std::min(caption.right, imageLeft));
    copyCaption(std::max(imageRight, caption.left), caption.right);
    if (caption.right <= imageLeft) {
        std::memset(at(caption.right), kWhiteByte,
                    pixelBytes * static_cast<std::size_t>(imageLeft - caption.right));
    } else if (imageRight <= caption.left) {
        std::memset(at(imageRight), kWhiteByte,
                    pixelBytes * static_cast<std::size_t>(caption.left - imageRight));
    } else {
        for (std::int32_t x = std::max(caption.left, imageLeft);
             x < std::min(caption.right, imageRight); ++x) {
            if (!background.matches(captionPixel(x))) {
                std::memcpy(at(x), captionPixel(x), pixelBytes);
            }
        }
    }
    return kResultOk;
}

}  // namespace

std::int32_t PLG_Caption_SetBuff(PLGContext* context, std::int32_t line, std::int32_t imageStart,
                                 std::int32_t captionStart, std::uint8_t* imageLine,
                                 std::uint32_t imageLineWidth, std::uint8_t** lineOut,
                                 std::int32_t* widthOut) {
    if (context == nullptr || context->captionBitmap == nullptr || imageLine == nullptr ||
        lineOut == nullptr || widthOut == nullptr || context->captionHeight <= 0 ||
        line - captionStart < 0 || line - captionStart >= context->captionHeight) {
        return kResultFailure;
    }
    bool processed = false;
    std::uint8_t* captionRow = captionRowOf(*context, line - captionStart, &processed);
    if (captionRow == nullptr) {
        return kResultFailure;
    }

    const TARNRect& image = context->imageRect;
    const TARNRect& caption = context->captionRect;
    const bool imageHasLine = caption.bottom >= image.top && caption.top < image.bottom &&
                              line >= imageStart && line < imageStart + (image.bottom - image.top);
    if (!imageHasLine) {
        *lineOut = captionRow;
        *widthOut = caption.right - caption.left;
        return kResultOk;
    }

    const std::int32_t bitsPerPixel =
        isGreyCaption(*context) ? context->bitsPerPixel / 3 : context->bitsPerPixel;
    const std::size_t pixelBytes = (static_cast<std::size_t>(bitsPerPixel) + 7) / 8;
    Background background;
    if (!backgroundOf(*context, captionRow, processed, pixelBytes, &background) ||
        merge(*context, captionRow, imageLine, imageLineWidth, pixelBytes, background) !=
            kResultOk) {
        return kResultFailure;
    }
    *lineOut = context->captionMergeLine;
    *widthOut = context->captionMergeWidth;
    return kResultOk;
}
