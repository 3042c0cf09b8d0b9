// PackBits run-length coding of one piece of a raster row.
//
// The command generator cuts each row into pieces of at most 127 bytes and codes every piece on
// its own, so no group crosses a piece boundary. A group is a header byte h from 0 to 127
// followed by h + 1 literal bytes, or a header from -1 to -127 followed by one byte repeated
// 1 - h times; two equal bytes already form a run, and -128 is never written.
#pragma once

#include <cstdint>

/// Longest piece `RLE_Compression_PackBits` codes.
inline constexpr std::int16_t kPackBitsMaxPiece = 127;

/// Most bytes a piece of `length` bytes can code to. Since two equal bytes form a run, a single
/// literal followed by a pair ("a b b") gives 4 bytes for 3, so the output can exceed length + 1.
constexpr std::int16_t packBitsMaxOutput(std::int16_t length) {
    return static_cast<std::int16_t>((4 * length + 2) / 3);
}
inline constexpr std::int16_t kPackBitsMaxOutput = packBitsMaxOutput(kPackBitsMaxPiece);

/// Codes the next `length` bytes (1 to 127) at `*source` into `*destination`, which has room for
/// `packBitsMaxOutput(length)` bytes and whose first `length` bytes are cleared first, and
/// advances both cursors
/// past the bytes consumed and written. Returns 0, or 12010 with nothing written and both
/// cursors unchanged for a null cursor or a length outside 1 to 127.
std::int32_t RLE_Compression_PackBits(const std::uint8_t** source, std::uint8_t** destination,
                                      std::int16_t length);
