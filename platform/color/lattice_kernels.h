// The kernels that convert 16-bit rows through uneven lattices, one per instruction set;
// applyLattice picks the fastest one the processor runs. Both give the same results to the
// bit. Declared apart from lattice.h so that tests can run each of them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "color/lattice.h"

namespace color::kernels {

/// The baseline kernel: one pixel at a time, on the build's own instruction set.
void applyUnevenWideRow(const std::uint16_t* words, const LatticeAxes& axes,
                        const std::uint16_t* in, std::uint16_t* out, std::size_t pixels);

/// True when the processor and the system run AVX2 code.
bool avx2Available();

/// Eight pixels at a time with AVX2 gathers; only to be called when avx2Available().
void applyUnevenWideRowAvx2(const std::uint16_t* words, const LatticeAxes& axes,
                            const std::uint16_t* in, std::uint16_t* out, std::size_t pixels);

}  // namespace color::kernels
