// Pixel formats of the resampling filters: packed chunky rows of 1, 8 or 16 bits a sample.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>

namespace imaging {

/// Samples per pixel of a format given as bits per pixel (1, 8, 16, 24, 32, 48, 64); 0 otherwise.
int FG_Zoom_SamplePerPixel(int bitsPerPixel);

/// Bits per sample of a format given as bits per pixel (1, 8 or 16); 0 for an unknown format.
int FG_Zoom_BitsPerSample(int bitsPerPixel);

/// Bytes of one packed row of `width` pixels: (width × bits per pixel + 7) / 8.
inline std::size_t zoomRowBytes(int width, int bitsPerPixel) {
    return (static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel) + 7) / 8;
}

/// Samples in a row of `width` pixels of `samplesPerPixel` samples, or -1 when that count
/// does not fit the int the filters index their rows with.
inline int zoomRowSamples(int width, int samplesPerPixel) {
    const std::int64_t samples = static_cast<std::int64_t>(width) * samplesPerPixel;
    return samples <= std::numeric_limits<int>::max() ? static_cast<int>(samples) : -1;
}

/// Position of destination index j on a growing source axis: j × (S − 1) / (D − 1), so that the
/// first and last positions of both images coincide. `index` is the integer quotient (i0),
/// `remainder` the remainder r of the 64-bit product; the fraction is r / (D − 1).
struct ZoomSourcePosition {
    std::int32_t index;
    std::int64_t remainder;
};

/// Requires destinationSize ≥ 2 and 0 ≤ j < destinationSize.
inline ZoomSourcePosition zoomSourcePosition(int j, int sourceSize, int destinationSize) {
    const std::int64_t scaled = static_cast<std::int64_t>(j) * (sourceSize - 1);
    return {static_cast<std::int32_t>(scaled / (destinationSize - 1)),
            scaled % (destinationSize - 1)};
}

}  // namespace imaging
