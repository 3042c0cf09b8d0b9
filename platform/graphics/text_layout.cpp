// One-line pango layouts in the interface font.
#include <cstring>

#include "graphics/text_layout_internal.h"

namespace gfx::detail {

namespace {

// Longest text laid out as one line, in bytes.
constexpr std::size_t kMaxTextBytes = std::size_t{1} << 20;

struct FontDescriptionRelease {
    void operator()(PangoFontDescription* description) const {
        pango_font_description_free(description);
    }
};
using FontDescriptionPtr = std::unique_ptr<PangoFontDescription, FontDescriptionRelease>;

struct AttrListRelease {
    void operator()(PangoAttrList* list) const { pango_attr_list_unref(list); }
};

struct FontOptionsRelease {
    void operator()(cairo_font_options_t* options) const { cairo_font_options_destroy(options); }
};

// The process's font map. It lives as long as the process, so fontconfig's patterns that pango
// keeps stay reachable.
PangoFontMap* fontMap() {
    static PangoFontMap* const map = pango_cairo_font_map_new();
    return map;
}

FontDescriptionPtr describe(const FontStyle& style) {
    FontDescriptionPtr description(pango_font_description_new());
    pango_font_description_set_family(description.get(), kInterfaceFontFamily);
    pango_font_description_set_weight(description.get(), style.weight == FontWeight::Bold
                                                             ? PANGO_WEIGHT_BOLD
                                                             : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_stretch(description.get(), style.width == FontWidth::Expanded
                                                              ? PANGO_STRETCH_EXPANDED
                                                              : PANGO_STRETCH_NORMAL);
    pango_font_description_set_absolute_size(description.get(), style.size * PANGO_SCALE);
    return description;
}

// Unhinted outlines at fractional positions, grey antialiasing: results that scale with the size
// and do not depend on the machine's font settings.
void useFixedFontOptions(PangoContext* context) {
    const std::unique_ptr<cairo_font_options_t, FontOptionsRelease> options(
        cairo_font_options_create());
    cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_GRAY);
    pango_cairo_context_set_font_options(context, options.get());
    pango_context_set_round_glyph_positions(context, FALSE);
}

// True when fontconfig gives the interface family itself for the description, not a stand-in.
bool interfaceFontFound(PangoContext* context, const PangoFontDescription* description) {
    const std::unique_ptr<PangoFont, GObjectRelease> font(
        pango_context_load_font(context, description));
    if (font == nullptr) {
        return false;
    }
    const FontDescriptionPtr found(pango_font_describe(font.get()));
    const char* family = pango_font_description_get_family(found.get());
    return family != nullptr && std::strcmp(family, kInterfaceFontFamily) == 0;
}

}  // namespace

std::unique_lock<std::mutex> lockFonts() {
    static std::mutex mutex;
    return std::unique_lock<std::mutex>(mutex);
}

LayoutPtr makeLineLayout(cairo_t* cr, const FontStyle& style, std::string_view text) {
    if (!(style.size > 0.0 && style.size <= FontStyle::kMaxFontSize) ||
        text.size() > kMaxTextBytes ||
        !g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) {
        return nullptr;
    }
    const std::unique_ptr<PangoContext, GObjectRelease> context(
        pango_font_map_create_context(fontMap()));
    pango_cairo_update_context(cr, context.get());
    LayoutPtr layout(pango_layout_new(context.get()));
    useFixedFontOptions(context.get());
    const FontDescriptionPtr description = describe(style);
    if (!interfaceFontFound(context.get(), description.get())) {
        return nullptr;
    }
    pango_layout_set_font_description(layout.get(), description.get());
    // Glyphs the family lacks show as boxes instead of coming from whatever else is installed.
    const std::unique_ptr<PangoAttrList, AttrListRelease> attributes(pango_attr_list_new());
    pango_attr_list_insert(attributes.get(), pango_attr_fallback_new(FALSE));
    pango_layout_set_attributes(layout.get(), attributes.get());
    pango_layout_set_single_paragraph_mode(layout.get(), TRUE);
    pango_layout_set_text(layout.get(), text.data(), static_cast<int>(text.size()));
    pango_layout_context_changed(layout.get());
    return layout;
}

CairoPtr measuringContext() {
    const SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1));
    return CairoPtr(cairo_create(surface.get()));
}

double lineWidth(PangoLayout* layout) {
    PangoRectangle logical{};
    pango_layout_line_get_extents(pango_layout_get_line_readonly(layout, 0), nullptr, &logical);
    return static_cast<double>(logical.width) / PANGO_SCALE;
}

}  // namespace gfx::detail
