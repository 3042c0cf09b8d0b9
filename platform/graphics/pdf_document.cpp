// PDF documents of bitmap pages, on cairo.
#include "graphics/pdf_document.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <cstring>

#include "graphics/text_layout_internal.h"

namespace gfx {

namespace {

using detail::CairoPtr;
using detail::SurfacePtr;

// One pixel of `image` at (x, y of memory) as cairo's native 32-bit word: alpha in the top
// byte, then premultiplied red, green and blue.
std::uint32_t nativePixel(const Bitmap& image, int x, int y) {
    const std::uint8_t* p =
        image.row(y) + static_cast<std::size_t>(x) * bytesPerPixel(image.format());
    constexpr std::uint32_t kOpaque = 0xFF000000u;
    const auto rgb = [](std::uint32_t r, std::uint32_t g, std::uint32_t b) {
        return r << 16 | g << 8 | b;
    };
    // A 16-bit sample keeps its high byte.
    const auto high = [](const std::uint8_t* sample) {
        std::uint16_t value = 0;
        std::memcpy(&value, sample, sizeof value);
        return static_cast<std::uint32_t>(value >> 8);
    };
    switch (image.format()) {
        case PixelFormat::Grey8:
            return kOpaque | rgb(p[0], p[0], p[0]);
        case PixelFormat::Grey16:
            return kOpaque | rgb(high(p), high(p), high(p));
        case PixelFormat::Rgb8:
            return kOpaque | rgb(p[0], p[1], p[2]);
        case PixelFormat::Rgb16:
            return kOpaque | rgb(high(p), high(p + 2), high(p + 4));
        case PixelFormat::Rgba8:
            return static_cast<std::uint32_t>(p[3]) << 24 | rgb(p[0], p[1], p[2]);
    }
    return kOpaque;
}

// The image as a cairo surface of 32-bit premultiplied pixels.
SurfacePtr toSurface(const Bitmap& image) {
    SurfacePtr surface(
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.width(), image.height()));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        return nullptr;
    }
    std::uint8_t* data = cairo_image_surface_get_data(surface.get());
    const auto stride = static_cast<std::size_t>(cairo_image_surface_get_stride(surface.get()));
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::size_t>(y) * stride);
        for (int x = 0; x < image.width(); ++x) {
            row[x] = nativePixel(image, x, y);
        }
    }
    cairo_surface_mark_dirty(surface.get());
    return surface;
}

bool inRange(double side) {
    return side >= 1.0 && side <= Bitmap::kMaxSide;
}

}  // namespace

std::unique_ptr<PdfDocument> PdfDocument::create(const std::filesystem::path& path, double width,
                                                 double height) {
    if (!inRange(width) || !inRange(height)) {
        return nullptr;
    }
    cairo_surface_t* surface = cairo_pdf_surface_create(path.c_str(), width, height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    return std::unique_ptr<PdfDocument>(new PdfDocument(surface, height));
}

PdfDocument::PdfDocument(cairo_surface_t* surface, double height)
    : surface_(surface), height_(height) {}

PdfDocument::~PdfDocument() {
    close();
}

bool PdfDocument::addPage(const Bitmap& image, const Rect& rect) {
    if (surface_ == nullptr || !(rect.width > 0.0) || !(rect.height > 0.0)) {
        return false;
    }
    const SurfacePtr pixels = toSurface(image);
    if (pixels == nullptr) {
        return false;
    }
    const CairoPtr cr(cairo_create(surface_));
    cairo_set_antialias(cr.get(), CAIRO_ANTIALIAS_NONE);
    // User space has its origin at the bottom left; cairo's page at the top left.
    cairo_translate(cr.get(), rect.x, height_ - rect.y - rect.height);
    cairo_scale(cr.get(), rect.width / image.width(), rect.height / image.height());
    cairo_set_source_surface(cr.get(), pixels.get(), 0.0, 0.0);
    cairo_pattern_set_filter(cairo_get_source(cr.get()), CAIRO_FILTER_NEAREST);
    cairo_paint(cr.get());
    cairo_show_page(cr.get());
    return cairo_status(cr.get()) == CAIRO_STATUS_SUCCESS;
}

bool PdfDocument::close() {
    if (surface_ == nullptr) {
        return true;
    }
    cairo_surface_finish(surface_);
    const bool written = cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface_);
    surface_ = nullptr;
    return written;
}

}  // namespace gfx
