// Unsharp masking of the luminance contrast of a buffer or of one row.
#pragma once

#include <cstdint>

#include "imaging/buffer/vif.h"

namespace imaging {

/// Sharpens the buffer in place: each pixel's three samples move by a correction computed from
/// the luminance detail in its 3 x 3 neighbourhood, weighted by sharpnessTable and `strength`
/// (a percentage), damped at strict local extrema and, below `threshold` (on the 16-bit
/// luminance scale), treated as noise. Returns 1 when sharpened, 0 when left alone: a null
/// buffer, a type other than 0, 2, 8, 10, fewer than 3 columns or rows, or no memory.
int UnsharpST(_vif* buffer, std::int32_t threshold, std::int32_t strength);

/// Sharpens the current row as the middle row of a three-row window: the previous row above
/// (the next row when there is none) and the next row below (the previous row when there is
/// none); threshold 0. Rows hold `width` pixels of `type` (0, 2, 8 or 10): width x 3 or width x 6
/// bytes. A row narrower than 3 pixels is copied unchanged. Returns 1, or 0 without writing for a
/// null destination or current row, neither neighbour row, another type, or no memory. Its
/// luminance rows are kept per thread, so a page sharpened line by line allocates only when the
/// rows grow wider.
int UnsharpL(std::int32_t strength, void* destinationRow, const void* previousRow,
             const void* currentRow, const void* nextRow, std::uint32_t width, std::uint16_t type);

}  // namespace imaging
