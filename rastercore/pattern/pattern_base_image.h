// The base image of a test-pattern sheet: the printed window of the host image, fetched line by
// line (columns when the sheet is printed turned), mirrored, and resampled once to the base
// size, from which every cell is drawn.
//
// The host lines come through the band loop's source fetch (both host kinds, sharpening, turned
// and mirrored fetch order) and its line converter.
#pragma once

#include <cstddef>
#include <cstdint>

#include "band/core_buffer.h"

struct PLGContext;
struct PatternProgress;

class PatternBaseImage {
  public:
    /// The base size: the window's, reduced on each axis to the job resolution unless the sheet
    /// is FULL (trunc(size / image dpi × min(job dpi, image dpi)), the image dpi the host's
    /// 16.16 value), exchanged when the sheet is printed turned. -1 for a context without its
    /// job record or host table, or a host resolution of 0 on an axis to reduce.
    std::int32_t size(const PLGContext& context);

    /// Makes the zeroed pixel buffer of the base size. 0; -1 for an empty base; -1000.
    std::int32_t allocate(std::size_t pixelBytes);

    /// Fills every row, each after one progress step. 0; 1100 when cancelled; -1 for a host
    /// image mode without samples, a failed resampler or a source that runs out; the fetch's
    /// failure (-1400 from the photo application's callback, the image editor's own code).
    std::int32_t fill(PLGContext& context, PatternProgress* progress);

    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    const std::uint8_t* row(std::int32_t index) const {
        return pixels_.data() + static_cast<std::size_t>(index) * rowBytes_;
    }
    std::size_t rowBytes() const { return rowBytes_; }

  private:
    std::uint8_t* mutableRow(std::int32_t index) {
        return pixels_.data() + static_cast<std::size_t>(index) * rowBytes_;
    }

    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::size_t rowBytes_ = 0;
    CoreBuffer pixels_;
};
