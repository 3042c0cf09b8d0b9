// Measuring, cutting and drawing one line of text.
#include "graphics/text.h"

#include <vector>

#include "graphics/text_layout_internal.h"

namespace gfx {

namespace {

using detail::CairoPtr;
using detail::LayoutPtr;
using detail::SurfacePtr;

// The helpers below run under `detail::lockFonts()`, which the public functions take.

std::optional<double> measureWidth(const FontStyle& style, std::string_view text) {
    const CairoPtr cr = detail::measuringContext();
    const LayoutPtr layout = detail::makeLineLayout(cr.get(), style, text);
    if (layout == nullptr) {
        return std::nullopt;
    }
    return detail::lineWidth(layout.get());
}

// Byte offsets inside `text` where a cut may fall: every cursor position after the first
// character and before the end, in order.
std::vector<std::size_t> cutPositions(PangoLayout* layout, std::string_view text) {
    std::vector<std::size_t> positions;
    int count = 0;
    const PangoLogAttr* attributes = pango_layout_get_log_attrs_readonly(layout, &count);
    const char* start = text.data();
    const char* character = start;
    for (int i = 0; i < count && static_cast<std::size_t>(character - start) < text.size(); ++i) {
        if (i > 0 && attributes[i].is_cursor_position) {
            positions.push_back(static_cast<std::size_t>(character - start));
        }
        character = g_utf8_next_char(character);
    }
    return positions;
}

std::optional<std::string> truncateLocked(const FontStyle& style, std::string_view text,
                                          double width) {
    const CairoPtr cr = detail::measuringContext();
    const LayoutPtr layout = detail::makeLineLayout(cr.get(), style, text);
    if (layout == nullptr) {
        return std::nullopt;
    }
    if (detail::lineWidth(layout.get()) <= width) {
        return std::string(text);
    }
    const auto cutAt = [&](std::size_t bytes) {
        std::string cut(text.substr(0, bytes));
        cut += kEllipsis;
        return cut;
    };
    const auto fits = [&](std::size_t bytes) {
        const std::optional<double> cutWidth = measureWidth(style, cutAt(bytes));
        return cutWidth && *cutWidth <= width;
    };
    if (!fits(0)) {
        return std::string();
    }
    // The widest cut that fits: a line only grows as characters are added, so a binary search
    // over the cut positions finds it.
    const std::vector<std::size_t> positions = cutPositions(layout.get(), text);
    std::size_t low = 0;  // the cuts at positions[0 .. low) fit
    std::size_t high = positions.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (fits(positions[middle])) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return cutAt(low == 0 ? 0 : positions[low - 1]);
}

// Draws `text` with its baseline at `origin`: the line is shown on an 8-bit coverage surface of
// the bitmap's size, which then paints the bitmap in `color`. With `clip`, only the columns of
// that rectangle are painted.
bool drawLocked(Bitmap& bitmap, Point origin, const FontStyle& style, std::string_view text,
                const Color& color, const Rect* clip) {
    const SurfacePtr surface(
        cairo_image_surface_create(CAIRO_FORMAT_A8, bitmap.width(), bitmap.height()));
    const CairoPtr cr(cairo_create(surface.get()));
    if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) {
        return false;
    }
    const LayoutPtr layout = detail::makeLineLayout(cr.get(), style, text);
    if (layout == nullptr) {
        return false;
    }
    if (clip != nullptr) {
        cairo_rectangle(cr.get(), clip->x, 0.0, clip->width, bitmap.height());
        cairo_clip(cr.get());
    }
    cairo_set_source_rgba(cr.get(), 0.0, 0.0, 0.0, 1.0);
    cairo_move_to(cr.get(), origin.x, bitmap.height() - origin.y);
    pango_cairo_show_layout_line(cr.get(), pango_layout_get_line_readonly(layout.get(), 0));
    cairo_surface_flush(surface.get());
    bitmap.paint(cairo_image_surface_get_data(surface.get()),
                 static_cast<std::size_t>(cairo_image_surface_get_stride(surface.get())), color);
    return true;
}

}  // namespace

std::optional<LineMetrics> measureLine(const FontStyle& style, std::string_view text) {
    const auto lock = detail::lockFonts();
    const CairoPtr cr = detail::measuringContext();
    const LayoutPtr layout = detail::makeLineLayout(cr.get(), style, text);
    if (layout == nullptr) {
        return std::nullopt;
    }
    if (text.empty()) {
        return LineMetrics{0.0, 0.0, 0.0, 0.0};
    }
    PangoRectangle logical{};
    pango_layout_line_get_extents(pango_layout_get_line_readonly(layout.get(), 0), nullptr,
                                  &logical);
    const double ascent = -static_cast<double>(logical.y) / PANGO_SCALE;
    const double height = static_cast<double>(logical.height) / PANGO_SCALE;
    return LineMetrics{static_cast<double>(logical.width) / PANGO_SCALE, ascent, height - ascent,
                       0.0};
}

std::optional<std::string> truncateLine(const FontStyle& style, std::string_view text,
                                        double width) {
    const auto lock = detail::lockFonts();
    return truncateLocked(style, text, width);
}

bool drawLine(Bitmap& bitmap, Point origin, const FontStyle& style, std::string_view text,
              const Color& color) {
    const auto lock = detail::lockFonts();
    return drawLocked(bitmap, origin, style, text, color, nullptr);
}

bool drawTruncatedLine(Bitmap& bitmap, Point origin, double width, const FontStyle& style,
                       std::string_view text, const Color& color) {
    const auto lock = detail::lockFonts();
    const std::optional<std::string> cut = truncateLocked(style, text, width);
    if (!cut) {
        return false;
    }
    const Rect clip{origin.x, origin.y, width, 0.0};
    return drawLocked(bitmap, origin, style, *cut, color, &clip);
}

}  // namespace gfx
