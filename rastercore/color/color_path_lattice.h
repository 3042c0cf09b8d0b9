// A colour job's row stages folded into one lattice.
//
// Pre-processing, matching and the first colour-space conversion are each a fixed function of
// the pixel for the whole job; when two or more of them follow one another with RGB on both
// sides, the job samples the whole chain once, at full precision through the real stages, into
// one lattice, and each row is then one tetrahedral interpolation instead of every stage in
// turn. The lattice is kept only when it agrees with the stages at the centre of every cell of
// its grid; rows of jobs whose chain cannot be folded go through the stages.
// 8-bit jobs are folded from 16-bit twins of their objects, so their rows also skip the rounding
// to 8 bits between one stage and the next.
#pragma once

#include <cstdint>

#include "color/color_path_stages.h"
#include "color/lattice.h"

struct Color_Info;

/// The folded chain and the stages it stands for.
struct ColorPathLattice {
    ColorPathStages stages;
    /// The largest difference, in 16-bit steps, from the stages at the centres of its cells.
    std::int32_t departure;
    color::LatticeAxes axes;
    std::uint16_t words[color::kLatticeWords];
};

/// Largest departure a lattice may show: three 8-bit steps.
inline constexpr std::int32_t kFoldTolerance = 3 * 257;

/// Folds the job's row stages into `info.pathLattice` when it can: a job that is not a test
/// pattern, at an output depth of 8 to 12 bits, whose two or more stages keep RGB pixels, and a
/// lattice within kFoldTolerance of them. Otherwise leaves the record without a lattice. True
/// when the record has a lattice afterwards.
bool foldColorPath(Color_Info& info);

/// Converts `pixels` pixels from `source` into `destination` (which may be the same row)
/// through the folded lattice at the output depth when the record has one and still asks for
/// the stages it was folded from. False, having done nothing, otherwise.
bool applyColorPathLattice(const Color_Info& info, const std::uint8_t* source,
                           std::uint8_t* destination, std::uint32_t pixels);

/// Frees the lattice.
void releaseColorPathLattice(Color_Info& info);
