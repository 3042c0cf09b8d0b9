// Pango layouts of one line in the interface font, shared by measuring and drawing so that both
// see the same glyphs at the same places.
#pragma once

#include <cairo.h>
#include <pango/pangocairo.h>

#include <memory>
#include <mutex>
#include <string_view>

#include "graphics/text.h"

namespace gfx::detail {

struct GObjectRelease {
    void operator()(gpointer object) const { g_object_unref(object); }
};
struct CairoRelease {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};

using LayoutPtr = std::unique_ptr<PangoLayout, GObjectRelease>;
using CairoPtr = std::unique_ptr<cairo_t, CairoRelease>;
using SurfacePtr = std::unique_ptr<cairo_surface_t, CairoRelease>;

/// Holds the one font map of the process. Every layout is made, used and released under it: a
/// pango font map serves one thread at a time.
std::unique_lock<std::mutex> lockFonts();

/// A one-line layout of `text` for drawing on `cr`, made under `lockFonts()`; null when the size is
/// out of range, the text is not UTF-8 or the interface font cannot be made.
LayoutPtr makeLineLayout(cairo_t* cr, const FontStyle& style, std::string_view text);

/// A drawing context on a surface of one pixel, for measuring.
CairoPtr measuringContext();

/// The line's advance width in user-space units.
double lineWidth(PangoLayout* layout);

}  // namespace gfx::detail
