// Pasting one buffer into another and cutting a rectangle out of a buffer.
#pragma once

#include <cstdint>

#include "imaging/buffer/vif.h"

namespace imaging {

/// Pastes the source with its top-left pixel at (x, y) of the destination, clipped at the
/// destination's right and bottom edges. A source of another type is converted to the
/// destination's type first (through a temporary buffer). Returns 1, or 0 for a null buffer,
/// (x, y) outside the destination, or a failed conversion.
int OverlapVif(_vif* destination, const _vif* source, std::uint32_t x, std::uint32_t y);

/// A new buffer holding the width x height rectangle at (x, y) of the source, clipped at the
/// source's right and bottom edges, with the attribute values copied. Null when x is not less
/// than the source width or y not less than its height, or on failure.
_vif* PartOfVif(const _vif* source, std::uint32_t x, std::uint32_t y, std::uint32_t width,
                std::uint32_t height);

}  // namespace imaging
