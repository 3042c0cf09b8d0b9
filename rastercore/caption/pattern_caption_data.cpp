// Drawing helpers of the test-pattern captions.
#include "caption/pattern_caption_data.h"

#include <cstring>

#include "bytes/byte_order.h"
#include "caption/caption_text.h"
#include "rastercore/core_common_info_tbl.h"
#include "rastercore/result_codes.h"
#include "record/job_context.h"

namespace {

using rastercore::kResultFailure;
using rastercore::kResultOk;

constexpr std::int32_t kInputResolution300 = 1;
constexpr double kSizeFactor600 = 2.0;
constexpr std::uint16_t kWideLevelStep = 257;
constexpr int kWorkingSamples = 3;

// Stacked blocks.
constexpr double kStackLeft = 5.0;
constexpr double kStackTopGap = 10.0;
constexpr double kStackLineGap = 5.0;

}  // namespace

double PLG_PatternCreateCaption_getFontSize(PLGContext* context, double size) {
    const bool at300 = context != nullptr && context->jobRecord != nullptr &&
                       context->jobRecord->inputResolution == kInputResolution300;
    return at300 ? size : size * kSizeFactor600;
}

std::int32_t PLG_PatternCreateCaption_getCaptionData(
    std::uint8_t* destination, std::int32_t width, std::int32_t height, double fontSize,
    std::uint16_t style, std::int32_t count, const gfx::Rect* rects, const char* const* strings,
    const std::int16_t* colors, std::uint8_t fill, bool truncate) {
    if (destination == nullptr || count < 0 ||
        (count > 0 && (rects == nullptr || strings == nullptr || colors == nullptr))) {
        return kResultFailure;
    }
    const auto bitmap = gfx::Bitmap::create(width, height, gfx::PixelFormat::Grey8, fill);
    if (bitmap == nullptr) {
        return kResultFailure;
    }
    const auto draw = truncate ? DrawText_Trunc : DrawText;
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t result =
            draw(bitmap.get(), rects[i], fontSize, style, strings[i], colors[i]);
        if (result != kResultOk) {
            return result;
        }
    }
    for (std::int32_t y = 0; y < height; ++y) {
        std::memcpy(destination + static_cast<std::size_t>(y) * static_cast<std::size_t>(width),
                    bitmap->row(y), bitmap->rowBytes());
    }
    return kResultOk;
}

std::int32_t PLG_PatternCreateCaption_setCaptionData(PLGContext* context, const std::uint8_t* grey,
                                                     std::int32_t greyRowBytes,
                                                     std::uint8_t* areaBitmap,
                                                     std::int32_t areaWidth,
                                                     std::int32_t areaHeight, std::int16_t turn) {
    if (context == nullptr || grey == nullptr || areaBitmap == nullptr || greyRowBytes < 0) {
        return kResultFailure;
    }
    bool wide = false;
    switch (context->depthCode) {
        case 1:
        case 3:
            break;
        case 2:
        case 4:
            wide = true;
            break;
        default:
            return kResultFailure;
    }
    if (turn != kPatternTurnNone && turn != kPatternTurnDown) {
        return kResultFailure;
    }
    const std::size_t pixelBytes = wide ? 2 * kWorkingSamples : kWorkingSamples;
    const auto put = [&](std::int32_t row, std::int32_t column, std::uint8_t level) {
        std::uint8_t* pixel =
            areaBitmap + (static_cast<std::size_t>(row) * static_cast<std::size_t>(areaWidth) +
                          static_cast<std::size_t>(column)) *
                             pixelBytes;
        for (int s = 0; s < kWorkingSamples; ++s) {
            if (wide) {
                bytes::storeLE16(pixel + 2 * s, static_cast<std::uint16_t>(level * kWideLevelStep));
            } else {
                pixel[s] = level;
            }
        }
    };
    const auto greyAt = [&](std::int32_t row, std::int32_t column) {
        return grey[static_cast<std::size_t>(row) * static_cast<std::size_t>(greyRowBytes) +
                    static_cast<std::size_t>(column)];
    };
    for (std::int32_t row = 0; row < areaHeight; ++row) {
        for (std::int32_t column = 0; column < areaWidth; ++column) {
            // Turned: area row r, column c comes from grey row (width - 1 - c), pixel r.
            put(row, column,
                turn == kPatternTurnNone ? greyAt(row, column)
                                         : greyAt(areaWidth - 1 - column, row));
        }
    }
    return kResultOk;
}

std::int32_t PLG_PatternCreateCaption_Setting_Color_SetSetting(PatternTextList* list,
                                                               double fontSize,
                                                               std::int32_t areaWidth,
                                                               std::int32_t areaHeight,
                                                               const char* text) {
    if (list == nullptr || text == nullptr || list->count >= kPatternTextsMax) {
        return kResultFailure;
    }
    const double ascent = GetTextWidthORHeight(fontSize, kTextStyleBold, text, kTextMeasureAscent);
    const std::int32_t index = list->count;
    const double y = index == 0 ? areaHeight - ascent - kStackTopGap
                                : list->rects[index - 1].y - ascent - kStackLineGap;
    list->rects[index] = gfx::Rect{kStackLeft, y, areaWidth - kStackLeft, ascent};
    list->strings[index] = text;
    list->colors[index] = kTextColorBlack;
    ++list->count;
    return kResultOk;
}
