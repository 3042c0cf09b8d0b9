// Weight tables of the bilinear filter: linear interpolation on a growing axis, area average
// on a shrinking one.
#pragma once

#include <cstdint>

namespace imaging {

/// One destination position of the bilinear filter.
struct FG_Zoom2_Param {
    std::int32_t start;         ///< first source index
    std::int32_t firstWeight;   ///< weight of the start sample
    std::int32_t lastFull;      ///< reducing: last source index of full weight D
    std::int32_t secondWeight;  ///< weight of the next sample (after the last full one)
    std::int32_t remainder;     ///< reducing: weight of the end sample left to the next position
    std::int32_t denominator;   ///< sum of the weights
    /// Growing: how many destination positions start at `start` (in the first of them, 0 in the
    /// others). Reducing: the last source index this position touches.
    std::int32_t runOrEnd;
};

/// Fills `table` (D entries) for an axis growing from S to D or keeping its size (D ≥ S ≥ 1).
/// Position j maps to j × (S − 1) / (D − 1); an exact hit after the first is taken as the right
/// end of the pair to its left, so that no position reads past the last source sample.
void Calc_ExpandParam(FG_Zoom2_Param* table, int sourceSize, int destinationSize);

/// Fills `table` (D entries) for an axis shrinking from S to D (1 ≤ D < S): every source pixel
/// weighs D and every destination pixel collects S, the partial weight at the far end of each
/// position bent by Shift_Coefficient. Returns the largest denominator.
std::int64_t Calc_ReducedParam(FG_Zoom2_Param* table, int sourceSize, int destinationSize);

/// Bends a partial weight a of b along two parabolas: a² / (b/2) below b/2, b − (b − a)² / (b/2)
/// above, a at b/2; truncated.
std::int32_t Shift_Coefficient(std::int32_t a, std::int32_t b);

}  // namespace imaging
