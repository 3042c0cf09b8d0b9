// Seed-row (delta-row) coding of one plane row against the previous row of the same plane.
#pragma once

#include <cstdint>

/// Most bytes `SeedRow2` writes for a row of `length` bytes: a command byte per 8 replaced
/// bytes, plus the offset bytes of one long first offset.
constexpr std::uint32_t seedRowMaxOutput(std::uint32_t length) {
    return length + (length + 7) / 8 + length / 255 + 2;
}

/// Codes `row` (`rowLength` bytes) against `seed` (`seedLength` bytes; a shorter seed counts as
/// extended with zero bytes) into `out`, which has room for `seedRowMaxOutput(rowLength)`.
/// Each command is one byte: replaced-byte count minus 1 in the top three bits, the offset from
/// the end of the previous replacement in the low five; an offset of 31 or more puts 31 there
/// and follows with bytes of 255 for each further full 255 and a last byte of the remainder
/// (0-254). At most 8 replacement bytes follow each command. The unchanged tail is not coded,
/// so a row equal to its seed writes nothing. Stores and returns the number of bytes written.
std::uint32_t SeedRow2(const std::uint8_t* seed, std::uint32_t seedLength, const std::uint8_t* row,
                       std::uint32_t rowLength, std::uint8_t* out, std::uint32_t* outLength);
