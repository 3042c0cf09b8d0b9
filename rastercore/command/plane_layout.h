// Where the planes of a colour space sit and how long their rows are.
//
// Planes are walked in a fixed slot order per plane count. Three-plane rows of 10 or 12 bits are
// rounded up to whole groups of samples (4 samples in 5 bytes, 2 samples in 3 bytes); one-plane
// rows are stored at that rounded stride but sent unrounded; other plane counts are never
// rounded. The converters and the transfer both take their layout from here.
#pragma once

#include <cstdint>
#include <span>

#include "command/cmd_info.h"

/// The slots of the planes of a `planeCount`-plane space, in plane order; empty for counts
/// without a layout (0, 2, 5, above 7).
std::span<const std::uint8_t> planeSlots(std::int32_t planeCount);

/// Bytes of one packed row of `width` samples of `bits` each, before rounding.
constexpr std::uint32_t packedRowBytes(std::uint32_t width, std::uint32_t bits) {
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(width) * bits + 7) / 8);
}

/// Byte multiple that rows of `bits`-bit samples are rounded to: 5 for 10 bits, 3 for 12 bits,
/// 1 otherwise.
std::uint32_t rowByteMultiple(std::uint32_t bits);

/// Rounds `bytes` up to a multiple of `multiple` (not 0).
constexpr std::uint32_t roundUpBytes(std::uint32_t bytes, std::uint32_t multiple) {
    return (bytes + multiple - 1) / multiple * multiple;
}

/// Row bytes of plane `plane` as the transfer sends it.
std::uint32_t planeRowBytes(const TARNColorSpace& space, int plane, std::uint32_t width);

/// Distance in bytes between rows of plane `plane` in the planar band.
std::uint32_t planeRowStride(const TARNColorSpace& space, int plane, std::uint32_t width);

/// A space of `planeCount` planes whose used slots all hold `bits`.
TARNColorSpace uniformSpace(std::int32_t id, std::int32_t planeCount, std::uint8_t bits);

/// Bits per sample of plane `plane`.
std::uint8_t planeDepth(const TARNColorSpace& space, int plane);
