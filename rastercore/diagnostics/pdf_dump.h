// PDF dumps of image data for diagnosis: a bitmap, or rows of 24-bit RGB pixels, written as PDF
// pages. No print path calls them, and their results never affect a job.
#pragma once

#include <cstdint>
#include <memory>

#include "graphics/bitmap.h"
#include "graphics/pdf_document.h"

/// No Desktop folder: nothing was written.
inline constexpr std::int32_t kPdfDumpNoDesktop = -43;
/// The dump could not be made or written.
inline constexpr std::int32_t kPdfDumpFailed = -1;

/// Writes `bitmapContext` as the one page of the PDF file `fileName` on the Desktop, with `rect`
/// as the media box (a page of the rect's size) and the image drawn over all of it without
/// interpolation or antialiasing. Returns
/// 0, -43 when there is no Desktop folder, -1 when there is no bitmap, no file name or no file.
std::int32_t DebugContextWritePDFFIle(const gfx::Bitmap* bitmapContext, const char* fileName,
                                      const gfx::Rect& rect);

/// Writes `width` × `height` RGB pixels (3 bytes each, rows packed, top row first) as the one
/// page of the PDF file `fileName` on the Desktop, at their size. Results as
/// `DebugContextWritePDFFIle`.
std::int32_t DebugRGB24WritePDFFile(const std::uint8_t* rgb, std::int32_t width,
                                    std::int32_t height, const char* fileName);

/// Adds one page to the open `pdfContext` holding the rect's width × height RGB pixels of `rgb`
/// drawn into `rect`. Returns 0, or -1 when the pixels cannot be wrapped or the page drawn.
std::int32_t DebugRGB24WritePDFFileSpool(gfx::PdfDocument* pdfContext, const std::uint8_t* rgb,
                                         const gfx::Rect& rect);

/// Finishes and releases the PDF document that the spooled pages went to. Returns 0.
std::int32_t DebugRGB24WritePDFFileSpoolTerm(std::unique_ptr<gfx::PdfDocument> pdfContext);
