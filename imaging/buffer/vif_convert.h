// Conversions between the 8- and 16-bit, BGR and RGB buffer types.
#pragma once

#include <cstdint>

#include "imaging/buffer/vif.h"

namespace imaging {

/// Writes the source's pixels, converted, into the top-left of an already prepared destination at
/// least as large, and copies the attribute values. Pairs of types 0, 2, 8 and 10:
/// BGR <-> RGB swap the first and third samples; 8 -> 16 bits makes v x 256 + 127; 16 -> 8 bits
/// keeps the high byte. The same descriptor on both sides is a success with nothing done.
/// Returns 1, or 0 (nothing written) for null buffers, a pair of equal or other types, or a
/// destination smaller than the source.
int ConvertVif(_vif* destination, const _vif* source);

/// A new buffer of the source's size in `type` (0, 2, 8, 10, 254, 255): converted by ConvertVif,
/// or for the same type copied row by row; attribute values copied. Null on failure.
_vif* ConvertVifP(const _vif* source, std::uint16_t type);

}  // namespace imaging
