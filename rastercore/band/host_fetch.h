// Source lines from the host: one line (three with sharpening) of the printed part of the host
// image per fetch, through the photo application's line callback or the image editor's
// advance-state callback, sharpened and converted into a working line.
//
// Fetch direction: source rows, or source columns when the image is printed turned (right to
// left when it is also mirrored). A line is `pixelCount()` working pixels.
#pragma once

#include <cstddef>
#include <cstdint>

#include "band/core_buffer.h"

struct BandServices;
struct PLGContext;

/// Asks the image-editor host for the rectangle in the host image record's 32-bit requested
/// rectangle: writes it into the host table as doubles (left, top, width, height), calls the
/// advance-state callback with 2 and, on 0, takes the delivered data pointer and row bytes into
/// the host image record. Returns the callback's result (-128 asks to be asked again); -1 for a
/// null context or a host without the callback.
std::int32_t advanceStateForMac(PLGContext* context);

/// Samples per pixel of a host image mode: 1 for grey (1, 10), 3 for RGB (3, 11), 4 for CMYK
/// (4, 13); 0 for a mode the core cannot print.
std::size_t hostModeSamples(std::int16_t imageMode);

/// Pixels of one source line: the source rectangle's width, or its height when the image is
/// printed turned (a line is then a column).
std::uint32_t sourceLinePixels(const PLGContext& context);

/// Delivered host lines reach the converter packed: `pixelCount()` pixels of the host's format,
/// one after another (a turned image's column is gathered from the delivered rows first).
class SourceFetcher {
  public:
    SourceFetcher(PLGContext& context, const BandServices& services)
        : context_(context), services_(services) {}

    /// Takes the source geometry from the context and makes the line buffers, once per job.
    /// 0; -1 for an image mode without samples, a missing host table or callback; the
    /// allocator's code.
    std::int32_t prepare();

    /// Fetches source line `index` (< lineCount()) and gives the working line in `*line`, valid
    /// until the next fetch. 0; -1400 when the photo application's callback fails or delivers a
    /// bad byte count, or the image editor delivers no data; the image editor's failure; -1000
    /// when sharpening runs out of memory; the converter's failure.
    std::int32_t fetch(std::uint32_t index, std::uint8_t** line);

    std::uint32_t lineCount() const { return lineCount_; }
    std::uint32_t pixelCount() const { return pixelCount_; }
    std::size_t workLineBytes() const { return workLineBytes_; }

  private:
    // The lines of one fetch in fetch order; an absent neighbour is null.
    struct Neighbours {
        bool hasPrevious;
        bool hasNext;
    };

    Neighbours neighbours(std::uint32_t index) const;
    std::int32_t fetchFromPhotoApplication(std::uint32_t index, std::uint8_t** line);
    std::int32_t fetchFromImageEditor(std::uint32_t index, std::uint8_t** line);
    std::int32_t askImageEditor(std::uint32_t index, const Neighbours& around,
                                std::uint32_t* lowPosition, std::uint32_t* delivered);
    std::int32_t callLineCallback(std::int64_t hostIndex, std::uint8_t* into);
    std::int32_t separateDeliveredLines(std::uint32_t delivered);
    std::int32_t sharpen(std::uint8_t* destination, const std::uint8_t* previous,
                         const std::uint8_t* current, const std::uint8_t* next);
    std::uint32_t hostPosition(std::uint32_t index) const;

    PLGContext& context_;
    const BandServices& services_;

    bool photoApplication_ = false;
    bool rotate_ = false;
    bool mirrorColumns_ = false;
    bool sharpening_ = false;
    std::int32_t sharpenLevel_ = 0;
    std::int32_t sourceTop_ = 0;
    std::int32_t sourceLeft_ = 0;
    std::uint32_t sourceWidth_ = 0;   ///< host pixels
    std::uint32_t sourceHeight_ = 0;  ///< host pixels
    std::uint32_t lineCount_ = 0;     ///< source lines along the fetch direction
    std::uint32_t pixelCount_ = 0;    ///< pixels of one source line
    std::size_t hostPixelBytes_ = 0;
    std::size_t hostLineBytes_ = 0;
    std::size_t workPixelBytes_ = 0;
    std::size_t workLineBytes_ = 0;

    CoreBuffer line_;       ///< the photo application's line, or the sharpened line
    CoreBuffer window_;     ///< three working lines: previous, current, next
    CoreBuffer hostLines_;  ///< up to three delivered host lines, packed
};
