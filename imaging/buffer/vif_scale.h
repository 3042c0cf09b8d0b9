// Whole-buffer scaling, one destination row per call.
//
// Both scalers read the whole source buffer and write `destination width` pixels of the source's
// type into the caller's row; they keep no state between calls, so rows may be asked in any order.
#pragma once

#include <cstdint>

#include "imaging/buffer/vif.h"

namespace imaging {

/// Row `rowIndex` of the source scaled to destinationWidth x destinationHeight, centre-aligned
/// bilinear in 15-bit fixed point. Types 0, 2, 8, 10. Returns 1, or 0 for a null row, source or
/// source data, another type, or an empty source or destination.
int BiLinearL(void* destinationRow, std::uint32_t rowIndex, const _vif* source,
              std::uint32_t destinationWidth, std::uint32_t destinationHeight);

/// Row `rowIndex` of the source scaled to destinationWidth x destinationHeight by cubic
/// convolution (a = -1); 8-bit rows in 22-bit fixed point, 16-bit rows in double precision.
/// Types 0 and 2. Returns 1, or 0 for null arguments, another type, an empty source or
/// destination, or no memory for the four work rows.
int BiCubicL(void* destinationRow, std::uint32_t rowIndex, const _vif* source,
             std::uint32_t destinationWidth, std::uint32_t destinationHeight);

}  // namespace imaging
