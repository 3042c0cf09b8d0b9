// Operations on one working line: nearest-neighbour widening, reversal and mirroring.
#pragma once

#include <cstddef>
#include <cstdint>

struct PLGContext;

/// Widens `source` (`sourceWidth` pixels of `bitsPerPixel`) to `destinationWidth` pixels by
/// nearest neighbour: each destination pixel copies the current source pixel, and the source
/// steps at most one pixel per destination pixel. Pixel sizes below 8 bits copy nothing.
void ZoomWi(std::uint8_t* destination, std::uint32_t destinationWidth, const std::uint8_t* source,
            std::uint32_t sourceWidth, std::int32_t bitsPerPixel);

/// Reverses the order of the `pixelCount` pixels of `pixelBytes` bytes each of `line` in place.
void reversePixels(std::uint8_t* line, std::uint32_t pixelCount, std::size_t pixelBytes);

/// Reverses the order of the `pixelCount` pixels of `line` in place when the command record's
/// mirror flag is 1: three samples of 8 bits for a working pixel size of 24, else of 16 bits.
/// Returns 0 (the line is reversed in place, so nothing is allocated), -1 for a null context.
std::int32_t PLG_Mirror_Function(const PLGContext* context, std::uint8_t* line,
                                 std::uint32_t pixelCount);
