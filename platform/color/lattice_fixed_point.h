// The fixed-point layout of lattices and of their axes' positions, shared by the kernels that
// interpolate rows. A grid point is four 16-bit words: the three results less 32768 as signed
// numbers, and a fourth left at 0.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

#include "color/lattice.h"

namespace color::fixed_point {

inline constexpr std::size_t kResults = 3;     // samples of a pixel
inline constexpr std::int32_t kBias = 0x8000;  // stored sample = result - 32768
inline constexpr std::int32_t kStrideBlue = kLatticeWordsPerPoint;
inline constexpr std::int32_t kStrideGreen = kStrideBlue * kLatticePoints;
inline constexpr std::int32_t kStrideRed = kStrideGreen * kLatticePoints;
inline constexpr std::int32_t kStrides[kResults] = {kStrideRed, kStrideGreen, kStrideBlue};

// Tetrahedron weights: 14 bits, adding up to kWeightOne.
inline constexpr int kWeightBits = 14;
inline constexpr std::int32_t kWeightOne = 1 << kWeightBits;
inline constexpr std::int32_t kWeightHalf = kWeightOne / 2;

// The sort key of an axis holds its fraction above its step to the upper grid point.
inline constexpr int kStepBits = 17;
inline constexpr std::uint32_t kStepMask = (1U << kStepBits) - 1;
static_assert(static_cast<std::uint32_t>(kStrideRed) <= kStepMask);

// Fractions of uneven lattices' blocks are kept in 1/256ths of the weights' unit.
inline constexpr int kBlockFractionBits = 8;
inline constexpr std::uint32_t kBlockOne = static_cast<std::uint32_t>(kWeightOne)
                                           << kBlockFractionBits;
inline constexpr int kBlockShift = std::countr_zero(kLatticeNodeStep);
// A block's first fraction is below one, and its cell fits above it.
inline constexpr std::uint32_t kBlockFractionMask = (1U << kAxisCellShift) - 1;
static_assert(kBlockOne <= 1U << kAxisCellShift);
static_assert(kLatticePoints <= 1U << (32 - kAxisCellShift));

}  // namespace color::fixed_point
