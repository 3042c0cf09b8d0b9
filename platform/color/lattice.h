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

}  // namespace color
