// 1-bit rows: 8 pixels a byte, the first pixel in the most significant bit.
#pragma once

#include <cstdint>

namespace imaging {

/// Unpacks `pixels` pixels of `row` to one byte each: 0xFF for a set bit, 0 for a clear one.
void unpackBits(const std::uint8_t* row, int pixels, std::uint8_t* out);

/// Packs `pixels` bytes into `row`, a bit set where the byte is 128 or more; the bits after the
/// last pixel of the last byte are cleared.
void packBits(const std::uint8_t* values, int pixels, std::uint8_t* row);

}  // namespace imaging
