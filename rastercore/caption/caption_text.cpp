// Caption text in the interface font.
#include "caption/caption_text.h"

#include "graphics/text.h"
#include "rastercore/result_codes.h"

namespace {

gfx::FontStyle fontStyle(double size, std::uint16_t style) {
    gfx::FontStyle font{size};
    if ((style & kTextStyleExpanded) != 0) {
        font.width = gfx::FontWidth::Expanded;
    } else if ((style & kTextStyleBold) != 0) {
        font.weight = gfx::FontWeight::Bold;
    }
    return font;
}

gfx::Color textColor(std::int16_t color) {
    return color == kTextColorWhite ? gfx::kWhite : gfx::kBlack;
}

}  // namespace

double GetTextWidthORHeight(double size, std::uint16_t style, const char* text,
                            std::int16_t which) {
    return GetCoreTextWidthOrHeight(size, style, text, which);
}

double GetCoreTextWidthOrHeight(double size, std::uint16_t style, const char* text,
                                std::int16_t which) {
    if (text == nullptr || (which != kTextMeasureWidth && which != kTextMeasureAscent)) {
        return 0.0;
    }
    const auto metrics = gfx::measureLine(fontStyle(size, style), text);
    if (!metrics) {
        return 0.0;
    }
    return which == kTextMeasureWidth ? metrics->width : metrics->ascent;
}

std::int32_t DrawText(gfx::Bitmap* context, const gfx::Rect& rect, double size, std::uint16_t style,
                      const char* text, std::int16_t color) {
    return drawCoreText(context, rect, size, style, text, color);
}

std::int32_t drawCoreText(gfx::Bitmap* context, const gfx::Rect& rect, double size,
                          std::uint16_t style, const char* text, std::int16_t color) {
    if (context != nullptr && text != nullptr) {
        gfx::drawLine(*context, {rect.x, rect.y}, fontStyle(size, style), text, textColor(color));
    }
    return rastercore::kResultOk;
}

std::int32_t DrawText_Trunc(gfx::Bitmap* context, const gfx::Rect& rect, double size,
                            std::uint16_t style, const char* text, std::int16_t color) {
    return drawCoreTextTrunc(context, rect, size, style, text, color);
}

std::int32_t drawCoreTextTrunc(gfx::Bitmap* context, const gfx::Rect& rect, double size,
                               std::uint16_t style, const char* text, std::int16_t color) {
    if (context != nullptr && text != nullptr) {
        gfx::drawTruncatedLine(*context, {rect.x, rect.y}, rect.width, fontStyle(size, style), text,
                               textColor(color));
    }
    return rastercore::kResultOk;
}
