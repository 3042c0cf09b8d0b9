// A colour job's row stages folded into one lattice.
//
// Pre-processing, matching and the first colour-space conversion are each a fixed function of
// the pixel for the whole job; when two or more of them follow one another with RGB on both
// sides, the job samples the whole chain once, at full precision through the real stages, into
// one lattice, and each row is then one tetrahedral interpolation instead of every stage in
// turn. The lattice is kept only when it follows the stages closely at the centres of the cells
// of its grid; rows of jobs whose chain cannot be folded go through the stages.
// 8-bit jobs are folded from 16-bit twins of their objects, so their rows also skip the rounding
// to 8 bits between one stage and the next.
#pragma once

#include <cstdint>

#include "color/color_path_stages.h"
#include "color/lattice.h"

struct Color_Info;

/// How far a lattice lands from the stages at the centres of its cells, where the interpolation
/// is furthest from the grid points, in 16-bit steps.
struct FoldDeparture {
    std::int32_t largest = 0;
    std::int32_t tail = 0;  ///< the 99.9th percentile
};

/// The folded chain and the stages it stands for.
struct ColorPathLattice {
    ColorPathStages stages;
    FoldDeparture departure;
    color::LatticeAxes axes;
    std::uint16_t words[color::kLatticeWords];
};

/// One 8-bit step in 16-bit steps.
inline constexpr std::int32_t kEightBitStep = 257;
/// A lattice is kept when, at the centres of its cells (the places furthest from its grid
/// points), all but a thousandth of the samples stay within kFoldTail of the stages at full
/// precision and none strays further than kFoldLargest. Those furthest off lie where the chain
/// clips at a gamut's edge, a kink that no grid follows exactly: there lcms2's own transform of
/// the same chain (itself a sampled table) lands further still from the exact chain, and so do
/// the stages on 8-bit rows, which rows of a job that does not fold go through.
inline constexpr std::int32_t kFoldTail = 3 * kEightBitStep;
inline constexpr std::int32_t kFoldLargest = 16 * kEightBitStep;

/// Folds the job's row stages into `info.pathLattice` when it can: a job that is not a test
/// pattern, at an output depth of 8 to 12 bits, whose two or more stages keep RGB pixels, and a
/// lattice that follows them as closely as kFoldTail and kFoldLargest ask. Otherwise leaves the
/// record without a lattice. True when the record has a lattice afterwards.
bool foldColorPath(Color_Info& info);

/// Converts `pixels` pixels from `source` into `destination` (which may be the same row)
/// through the folded lattice at the output depth when the record has one and still asks for
/// the stages it was folded from. False, having done nothing, otherwise.
bool applyColorPathLattice(const Color_Info& info, const std::uint8_t* source,
                           std::uint8_t* destination, std::uint32_t pixels);

/// Frees the lattice.
void releaseColorPathLattice(Color_Info& info);
