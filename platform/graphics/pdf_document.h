// PDF documents of bitmap pages, for diagnostic dumps of image data.
#pragma once

#include <filesystem>
#include <memory>

#include "graphics/bitmap.h"

typedef struct _cairo_surface cairo_surface_t;

namespace gfx {

/// A PDF file being written, every page with the same media box. The file is complete when the
/// document is closed or destroyed.
class PdfDocument {
  public:
    /// Starts the file at `path` (replacing it) with a media box of `width` × `height` points,
    /// both from 1 to `Bitmap::kMaxSide`; null when the file cannot be made.
    static std::unique_ptr<PdfDocument> create(const std::filesystem::path& path, double width,
                                               double height);

    ~PdfDocument();
    PdfDocument(const PdfDocument&) = delete;
    PdfDocument& operator=(const PdfDocument&) = delete;

    /// Adds one page holding `image` drawn into `rect` of the media box (user space, origin at
    /// the bottom left), without interpolation or antialiasing. Samples go in at 8 bits
    /// (16-bit samples keep their high byte). False when the page cannot be drawn.
    bool addPage(const Bitmap& image, const Rect& rect);

    /// Writes the rest of the file and closes it; false when the file could not be written.
    bool close();

  private:
    explicit PdfDocument(cairo_surface_t* surface, double height);

    cairo_surface_t* surface_;
    double height_;
};

}  // namespace gfx
