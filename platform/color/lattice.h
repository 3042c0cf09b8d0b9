// Colour lattices: an RGB to RGB conversion sampled once on a regular grid and then applied to
// rows by tetrahedral interpolation, far faster than running the conversion itself.
//
// A lattice is a plain array of 16-bit words (four per grid point, red varying slowest) that its
// owner places where it likes: in a vector, or inside a caller's buffer. Its grid is the
// engine's own table density and its interpolation the engine's own fixed-point arithmetic, so a
// lattice sampled from an engine transform reproduces that transform. Applying a lattice
// allocates nothing. 16-bit rows hold their samples in the machine's order, which is
// little-endian on every machine this builds for.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

namespace color {

static_assert(std::endian::native == std::endian::little, "16-bit rows are little-endian");

/// Grid points on each axis.
inline constexpr std::size_t kLatticePoints = 65;
/// 16-bit words of a grid point, and of one whole lattice.
inline constexpr std::size_t kLatticeWordsPerPoint = 4;
inline constexpr std::size_t kLatticeWords =
    kLatticePoints * kLatticePoints * kLatticePoints * kLatticeWordsPerPoint;

/// The 16-bit input value of grid point `index` (0 ... kLatticePoints - 1) on any axis.
std::uint16_t latticeInput(std::size_t index);

/// Converts `pixels` RGB pixels of 16-bit samples from `in` to `out`; false on failure.
using LatticeSource =
    std::function<bool(const std::uint16_t* in, std::uint16_t* out, std::size_t pixels)>;

/// Fills the lattice `words` (kLatticeWords long) with the conversion's results at every grid
/// point. False when `words` has another length or the conversion fails.
bool sampleLattice(std::span<std::uint16_t> words, const LatticeSource& source);

/// Converts `pixels` RGB pixels through the lattice `words`; `in` and `out` may be the same
/// row. Results stay within one 16-bit step of the sampled conversion's own interpolation.
void applyLattice(const std::uint16_t* words, const std::uint16_t* in, std::uint16_t* out,
                  std::size_t pixels);
void applyLattice(const std::uint16_t* words, const std::uint8_t* in, std::uint8_t* out,
                  std::size_t pixels);
/// Rows of 8-bit samples into rows of 16-bit samples, and back.
void applyLattice(const std::uint16_t* words, const std::uint8_t* in, std::uint16_t* out,
                  std::size_t pixels);
void applyLattice(const std::uint16_t* words, const std::uint16_t* in, std::uint8_t* out,
                  std::size_t pixels);

// Lattices on an uneven grid: each axis has grid points at inputs of its own, closer together
// where the conversion bends, so that the same number of points follows it more closely.

/// The inputs of one axis's grid points: strictly rising, the first 0 and the last 65535.
using LatticeNodes = std::array<std::uint16_t, kLatticePoints>;
/// The grid of an uneven lattice: red, green and blue nodes.
using LatticeGrid = std::array<LatticeNodes, 3>;

/// Uneven grids that rows convert through place their inner nodes on multiples of this step,
/// so that the input values of one block of that size all fall in the same cell.
inline constexpr std::uint32_t kLatticeNodeStep = 64;

/// Where an input sample falls on one axis of a lattice: the offset of the lower grid point of
/// its cell (in words) and its sort key, the fraction of the way to the upper point above the
/// step (in words) to it.
struct AxisPosition {
    std::int32_t offset;
    std::uint32_t key;
};

/// Where the input values of one block of kLatticeNodeStep values fall on an axis: their
/// cell (its lower grid point's index, above kAxisCellShift) and their fraction of the way to
/// the upper point as that of the block's first value (below kAxisCellShift) and the rise from
/// one value to the next, both in 1/256ths. Eight bytes, so that rows look a block up with
/// two 32-bit loads.
struct AxisBlock {
    std::uint32_t cellAndFraction;
    std::uint32_t rise;
};
inline constexpr int kAxisCellShift = 22;

/// Positions of the input samples on the three axes of an uneven lattice: by blocks for 16-bit
/// samples, one by one for 8-bit samples; small enough to stay in the processor's nearest
/// caches while rows look positions up instead of working them out.
struct LatticeAxes {
    static constexpr std::size_t kBlocks = 65536 / kLatticeNodeStep;
    static constexpr std::size_t kEightBitValues = 256;
    std::array<std::array<AxisBlock, kBlocks>, 3> sixteen;
    std::array<std::array<AxisPosition, kEightBitValues>, 3> eight;
};

/// True when every axis of `grid` rises strictly from 0 to 65535.
bool risingGrid(const LatticeGrid& grid);

/// Fills `axes` for the lattice on `grid`; false when the grid does not rise or an inner node
/// is not a multiple of kLatticeNodeStep.
bool fillLatticeAxes(LatticeAxes& axes, const LatticeGrid& grid);

/// Fills the lattice `words` (kLatticeWords long) with the conversion's results at the grid
/// points of `grid`. False when `words` has another length, the grid does not rise or the
/// conversion fails.
bool sampleLattice(std::span<std::uint16_t> words, const LatticeGrid& grid,
                   const LatticeSource& source);

/// Converts `pixels` RGB pixels through the uneven lattice `words` whose axes are `axes`; `in`
/// and `out` may be the same row.
void applyLattice(const std::uint16_t* words, const LatticeAxes& axes, const std::uint16_t* in,
                  std::uint16_t* out, std::size_t pixels);
void applyLattice(const std::uint16_t* words, const LatticeAxes& axes, const std::uint8_t* in,
                  std::uint8_t* out, std::size_t pixels);

}  // namespace color
