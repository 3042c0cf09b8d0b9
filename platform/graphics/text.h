// One line of text in the interface font: measured, drawn, or cut to a width with an ellipsis.
//
// The interface font is one fixed family, DejaVu Sans, found through fontconfig, so that every
// machine measures and draws alike; when fontconfig offers another family the font counts as not
// made and every call below fails. Sizes are in user-space units (pixels of a bitmap). Text is
// UTF-8; text that is not valid UTF-8 is refused like a font that cannot be made. Hinting is off,
// so widths scale with the size.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "graphics/bitmap.h"

namespace gfx {

/// The family of the interface font.
inline constexpr const char* kInterfaceFontFamily = "DejaVu Sans";
/// What ends a line cut to a width: U+2026 HORIZONTAL ELLIPSIS.
inline constexpr std::string_view kEllipsis = "\u2026";

enum class FontWeight : std::uint8_t { Regular, Bold };
enum class FontWidth : std::uint8_t { Normal, Expanded };

/// The interface font at a size (above 0, at most `kMaxFontSize`), weight and width.
struct FontStyle {
    static constexpr double kMaxFontSize = 4096.0;

    double size;
    FontWeight weight = FontWeight::Regular;
    FontWidth width = FontWidth::Normal;
};

/// Typographic bounds of one line: its advance width, and the font's ascent, descent and
/// leading. An empty line has all four 0.
struct LineMetrics {
    double width;
    double ascent;
    double descent;
    double leading;
};

/// The bounds of `text` as one line; none when the font cannot be made.
std::optional<LineMetrics> measureLine(const FontStyle& style, std::string_view text);

/// `text` cut at its end so that, followed by the ellipsis, it is at most `width` wide: the text
/// itself when it fits whole, "" when not even the ellipsis fits. None when the font cannot be
/// made.
std::optional<std::string> truncateLine(const FontStyle& style, std::string_view text,
                                        double width);

/// Draws `text` as one line whose baseline starts at `origin`, in `color`. False (nothing drawn)
/// when the font cannot be made.
bool drawLine(Bitmap& bitmap, Point origin, const FontStyle& style, std::string_view text,
              const Color& color);

/// Draws `truncateLine(style, text, width)` as `drawLine` does; nothing is painted left of
/// `origin.x` or right of `origin.x + width`. False when the font cannot be made.
bool drawTruncatedLine(Bitmap& bitmap, Point origin, double width, const FontStyle& style,
                       std::string_view text, const Color& color);

}  // namespace gfx
