// Rendering the caption bitmap.
#include "caption/caption_render.h"

#include <algorithm>
#include <cstring>

#include "bytes/byte_order.h"
#include "caption/caption_geometry.h"
#include "caption/caption_text.h"
#include "command/cmd_info.h"
#include "geometry/page_geometry.h"
#include "graphics/bitmap.h"
#include "rastercore/result_codes.h"
#include "record/color_info.h"
#include "record/job_context.h"
#include "util/memory.h"

namespace {

using rastercore::kResultFailure;
using rastercore::kResultNoMemory;
using rastercore::kResultOk;

constexpr std::uint8_t kWhiteLevel = 255;
constexpr std::uint16_t kWideLevelStep = 257;  // 8-bit level to 16-bit sample
constexpr std::int32_t kMirrorNotHandled = 1;
constexpr std::int32_t kNarrowPixelBits = 24;
constexpr std::int32_t kWidePixelBits = 48;

// Baseline of an upright caption text: under the top edge for a caption at the top, otherwise
// at a fixed height over the bottom that depends on the text bitmap's height.
double baselineOf(const PLGContext& context, std::int16_t captionKind) {
    constexpr double kTopGap = 2.0;
    constexpr std::int32_t kSmallBand = 10;
    constexpr std::int32_t kMiddleBand = 24;
    constexpr double kMiddleBaseline = 10.0;
    constexpr double kLargeBaseline = 25.0;
    const std::int32_t height = context.textBitmapHeight;
    if (captionKind == kCaptionKindTop) {
        double y = height - GetTextWidthORHeight(context.captionFontSize, kTextStyleBold,
                                                 context.captionText, kTextMeasureAscent);
        if (y - kTopGap > 0.0) {
            y -= kTopGap;
        }
        return y;
    }
    if (height < kSmallBand) {
        return 0.0;
    }
    return height <= kMiddleBand ? kMiddleBaseline : kLargeBaseline;
}

// Writes the grey `level` into every sample of the pixel at `pixel`.
void putLevel(std::uint8_t* pixel, std::uint32_t bytesPerPixel, std::uint8_t level) {
    const bool wide = bytesPerPixel % 2 == 0;
    if (!wide) {
        std::memset(pixel, level, bytesPerPixel);
        return;
    }
    for (std::uint32_t sample = 0; sample < bytesPerPixel; sample += 2) {
        bytes::storeLE16(pixel + sample, static_cast<std::uint16_t>(level * kWideLevelStep));
    }
}

// Nearest-neighbour scaling of the text bitmap into the caption bitmap; a turned caption reads
// downwards with the text's top at its right.
void scaleInto(const PLGContext& context, const gfx::Bitmap& text, std::uint32_t bytesPerPixel) {
    const double scale = context.captionScale;
    const std::int32_t width = context.captionWidth;
    const std::int32_t height = context.captionHeight;
    const std::size_t rowBytes = std::size_t{bytesPerPixel} * static_cast<std::size_t>(width);
    const auto source = [scale](std::int32_t at, std::int32_t count) {
        return std::min(static_cast<std::int32_t>(at / scale), count - 1);
    };
    std::uint8_t* bitmap = context.captionBitmap;
    const auto pixel = [&](std::int32_t row, std::int32_t column) {
        return bitmap + static_cast<std::size_t>(row) * rowBytes +
               static_cast<std::size_t>(column) * bytesPerPixel;
    };
    if (context.rotate == 0) {
        for (std::int32_t i = 0; i < height; ++i) {
            const std::uint8_t* textRow = text.row(source(i, text.height()));
            for (std::int32_t j = 0; j < width; ++j) {
                putLevel(pixel(i, j), bytesPerPixel, textRow[source(j, text.width())]);
            }
        }
        return;
    }
    for (std::int32_t i = 0; i < width; ++i) {
        const std::uint8_t* textRow = text.row(source(i, text.height()));
        for (std::int32_t j = 0; j < height; ++j) {
            putLevel(pixel(j, width - 1 - i), bytesPerPixel, textRow[source(j, text.width())]);
        }
    }
}

}  // namespace

bool isGreyCaption(const PLGContext& context) {
    return context.modelTable.TNR2_T_RGB_Y == 1 && context.modelTable.MonoCapColorProcessing == 0 &&
           context.colorInfo != nullptr &&
           context.colorInfo->colorMode == kColorModeMonochromePhoto;
}

std::int32_t PLG_Caption_MakeData(PLGContext* context, std::int16_t captionKind) {
    if (context == nullptr || !(context->captionScale > 0.0)) {
        return kResultFailure;
    }
    const auto text = gfx::Bitmap::create(context->textBitmapWidth, context->textBitmapHeight,
                                          gfx::PixelFormat::Grey8, kWhiteLevel);
    if (text == nullptr) {
        return kResultFailure;
    }
    const gfx::Rect rect{0.0, baselineOf(*context, captionKind),
                         static_cast<double>(context->textBitmapWidth),
                         static_cast<double>(context->textBitmapHeight)};
    std::int32_t result = DrawText(text.get(), rect, context->captionFontSize, kTextStyleBold,
                                   context->captionText, kTextColorBlack);
    if (result != kResultOk) {
        return result;
    }

    const std::uint32_t size =
        PLG_Get_CaptionSize(context, context->captionWidth, context->captionHeight,
                            context->modelTable.MonoCapColorProcessing == 0);
    if (size == 0) {
        return kResultFailure;
    }
    const auto bytesPerPixel = static_cast<std::uint32_t>(
        size / (std::uint64_t(context->captionWidth) * std::uint64_t(context->captionHeight)));
    Dispose_MemoryClear(&context->captionBitmap, kUnusedKind);
    context->captionBitmapSize = size;
    if (Get_MemoryClear(1, size, kUnusedKind, &context->captionBitmap) != kResultOk) {
        context->captionBitmapSize = 0;
        return kResultNoMemory;
    }
    scaleInto(*context, *text, bytesPerPixel);

    if (context->cmdInfo != nullptr && context->cmdInfo->mirror == 1) {
        return PLG_CaptionMirror(context, context->captionBitmap,
                                 bytesPerPixel * static_cast<std::uint32_t>(context->captionWidth),
                                 bytesPerPixel);
    }
    return kResultOk;
}

std::int32_t PLG_CaptionMirror(PLGContext* context, std::uint8_t* bitmap, std::uint32_t rowBytes,
                               std::uint32_t bytesPerPixel) {
    if (context == nullptr || bitmap == nullptr || bytesPerPixel == 0) {
        return kResultFailure;
    }
    if (context->bitsPerPixel != kNarrowPixelBits && context->bitsPerPixel != kWidePixelBits) {
        return kMirrorNotHandled;
    }
    // The caption rectangle, kept inside the bitmap.
    const TARNRect& rect = context->captionRect;
    const std::int32_t width =
        std::clamp(rect.right - rect.left, 0, static_cast<std::int32_t>(rowBytes / bytesPerPixel));
    const std::int32_t height = std::clamp(rect.bottom - rect.top, 0, context->captionHeight);
    std::uint8_t* result = nullptr;
    if (Get_MemoryClear(std::max<std::size_t>(std::size_t{rowBytes} * height, 1), 1, kUnusedKind,
                        &result) != kResultOk) {
        return kResultNoMemory;
    }
    const auto row = [rowBytes](std::uint8_t* base, std::int32_t index) {
        return base + std::size_t{rowBytes} * static_cast<std::size_t>(index);
    };
    for (std::int32_t i = 0; i < height; ++i) {
        if (context->rotate != 0) {
            std::memcpy(row(result, i), row(bitmap, height - 1 - i), rowBytes);
            continue;
        }
        std::memcpy(row(result, i), row(bitmap, i), rowBytes);
        for (std::int32_t j = 0; j < width; ++j) {
            std::memcpy(row(result, i) + std::size_t{bytesPerPixel} * j,
                        row(bitmap, i) + std::size_t{bytesPerPixel} * (width - 1 - j),
                        bytesPerPixel);
        }
    }
    for (std::int32_t i = 0; i < height; ++i) {
        std::memcpy(row(bitmap, i), row(result, i), rowBytes);
    }
    Dispose_MemoryClear(&result, kUnusedKind);
    return kResultOk;
}
