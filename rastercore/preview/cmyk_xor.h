// Inverting CMYK samples, whose ink amounts the host counts the other way round.
#pragma once

#include <cstdint>

/// The two sample depths.
inline constexpr std::int32_t kCmykXorEightBits = 8;
inline constexpr std::int32_t kCmykXorSixteenBits = 16;

/// A bit depth other than 8 or 16.
inline constexpr std::int32_t kCmykXorBadDepth = 40002;

/// Inverts (bitwise NOT) `count` samples of `bits` bits (8, or 16 in the machine's order) from
/// `source` into `destination`, which may be the same buffer: 0; 40002 for other depths, with
/// nothing written.
std::int32_t convertCMYKXOR(const void* source, void* destination, std::uint32_t count,
                            std::int32_t bits);
