// PDF dumps of image data.
#include "diagnostics/pdf_dump.h"

#include <filesystem>

#include "cf/folders.h"
#include "diagnostics/debug_log.h"

namespace {

constexpr std::uint8_t kOpaque = 255;

// The RGB pixels widened to four bytes, the fourth opaque; null when the bitmap cannot be made.
std::unique_ptr<gfx::Bitmap> widened(const std::uint8_t* rgb, std::int32_t width,
                                     std::int32_t height) {
    if (rgb == nullptr) {
        return nullptr;
    }
    auto bitmap = gfx::Bitmap::create(width, height, gfx::PixelFormat::Rgba8, kOpaque);
    if (bitmap == nullptr) {
        return nullptr;
    }
    const std::uint8_t* source = rgb;
    for (std::int32_t y = 0; y < height; ++y) {
        std::uint8_t* pixel = bitmap->row(y);
        for (std::int32_t x = 0; x < width; ++x, source += 3, pixel += 4) {
            pixel[0] = source[0];
            pixel[1] = source[1];
            pixel[2] = source[2];
        }
    }
    return bitmap;
}

}  // namespace

std::int32_t DebugContextWritePDFFIle(const gfx::Bitmap* bitmapContext, const char* fileName,
                                      const gfx::Rect& rect) {
    if (bitmapContext == nullptr) {
        debugLog(0, "DebugContextWritePDFFIle CGBitmapContextCreateImage err");
        return kPdfDumpFailed;
    }
    const std::filesystem::path desktop = cf::Folders::desktop();
    std::error_code error;
    if (!std::filesystem::is_directory(desktop, error)) {
        return kPdfDumpNoDesktop;
    }
    if (fileName == nullptr || *fileName == '\0') {
        debugLog(0, "DebugBitmap CFURLCreateCopyAppendingPathComponent err");
        return kPdfDumpFailed;
    }
    // The page is the rect itself: the image fills it whole, wherever the rect lies.
    auto document = gfx::PdfDocument::create(desktop / fileName, rect.width, rect.height);
    if (document == nullptr ||
        !document->addPage(*bitmapContext, {0.0, 0.0, rect.width, rect.height}) ||
        !document->close()) {
        return kPdfDumpFailed;
    }
    return 0;
}

std::int32_t DebugRGB24WritePDFFile(const std::uint8_t* rgb, std::int32_t width,
                                    std::int32_t height, const char* fileName) {
    const auto bitmap = widened(rgb, width, height);
    if (bitmap == nullptr) {
        return kPdfDumpFailed;
    }
    return DebugContextWritePDFFIle(
        bitmap.get(), fileName,
        {0.0, 0.0, static_cast<double>(width), static_cast<double>(height)});
}

std::int32_t DebugRGB24WritePDFFileSpool(gfx::PdfDocument* pdfContext, const std::uint8_t* rgb,
                                         const gfx::Rect& rect) {
    const auto bitmap =
        widened(rgb, static_cast<std::int32_t>(rect.width), static_cast<std::int32_t>(rect.height));
    if (bitmap == nullptr) {
        debugLog(0, "DebugRGB24WritePDFFileSpool CGBitmapContextCreate err");
        return kPdfDumpFailed;
    }
    if (pdfContext == nullptr || !pdfContext->addPage(*bitmap, rect)) {
        return kPdfDumpFailed;
    }
    return 0;
}

std::int32_t DebugRGB24WritePDFFileSpoolTerm(std::unique_ptr<gfx::PdfDocument> pdfContext) {
    if (pdfContext != nullptr) {
        pdfContext->close();
    }
    return 0;
}
