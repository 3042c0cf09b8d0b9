// Horizontal pass of the bilinear filter.
#pragma once

#include <cstdint>

#include "imaging/zoom/fg_zoom_bilinear_param.h"

namespace imaging {

/// Source and destination widths of one horizontal pass and its table.
struct BilinearRowShape {
    int sourceWidth;
    int destinationWidth;
    int bitsPerSample;            // 8 or 16
    int channels;                 // 1, 3 or 4
    const FG_Zoom2_Param* table;  // one entry per destination column
    bool highPrecision;           // products and sums in double
};

/// Resamples one row of samples into destination width × channels working values: equal widths
/// copy, a one-pixel source is repeated, a growing width interpolates between two samples, a
/// shrinking one averages the area; every value is truncated.
void Expand_Horz(const void* row, const BilinearRowShape& shape, std::uint64_t* out);

}  // namespace imaging
