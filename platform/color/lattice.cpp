// Lattices: sampling a conversion on the grid, and tetrahedral interpolation.
//
// A grid point is four 16-bit words: the three results stored less 32768 as signed numbers,
// and a fourth left at 0, so that a point is one 8-byte load. A pixel's result is the weighted
// sum of the four corners of the tetrahedron it falls in, with 14-bit weights that add up to
// 16384: as the stored samples are signed 16-bit numbers, two corners at a time are multiplied
// and summed by one SSE2 multiply-add, and each sum fits 32 bits.
#include "color/lattice.h"

#include <algorithm>
#include <array>
#include <bit>

#include "color/lattice_fixed_point.h"
#include "color/lattice_kernels.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace color {
namespace {

using namespace fixed_point;

constexpr std::size_t kLastPoint = kLatticePoints - 1;
constexpr std::uint32_t kLargest16 = 0xFFFF;

[[gnu::always_inline]] inline AxisPosition positionOn(std::uint32_t value, std::int32_t stride) {
    // value * 64 / 65535 in 16.16 fixed point; 65535 lands exactly on the last point.
    const std::uint32_t scaled = value * kLastPoint;
    const std::uint32_t fixed = scaled + ((scaled + 0x7FFF) >> 16);
    const std::uint32_t point = fixed >> 16;
    const std::uint32_t fraction = (fixed & kLargest16) >> (16 - kWeightBits);
    const std::uint32_t step = point < kLastPoint ? static_cast<std::uint32_t>(stride) : 0;
    return {static_cast<std::int32_t>(point) * stride, fraction << kStepBits | step};
}

// The position of a 16-bit input value on an uneven lattice's axis.
[[gnu::always_inline]] inline AxisPosition blockPosition(
    const std::array<AxisBlock, LatticeAxes::kBlocks>& blocks, std::size_t axis,
    std::uint32_t value) {
    const AxisBlock& block = blocks[value >> kBlockShift];
    const std::uint32_t first = block.cellAndFraction & kBlockFractionMask;
    const std::uint32_t fraction =
        (first + (value & (kLatticeNodeStep - 1)) * block.rise) >> kBlockFractionBits;
    const auto cell = static_cast<std::int32_t>(block.cellAndFraction >> kAxisCellShift);
    return {cell * kStrides[axis],
            fraction << kStepBits | static_cast<std::uint32_t>(kStrides[axis])};
}

// The corners of a pixel's tetrahedron and their weights. The cell is split into six
// tetrahedra by the order of the three fractions; the walk from the lower corner takes the axis
// of the largest fraction first.
struct Tetrahedron {
    const std::int16_t* corner;
    std::int32_t edge1, edge2, edge3;  // offsets of the other corners
    std::int32_t weights[4];
};

[[gnu::always_inline]] inline Tetrahedron tetrahedronOf(const std::int16_t* points,
                                                        const AxisPosition& x,
                                                        const AxisPosition& y,
                                                        const AxisPosition& z) {
    const std::uint32_t high = std::max(x.key, y.key);
    const std::uint32_t low = std::min(x.key, y.key);
    const std::uint32_t first = std::max(high, z.key);
    const std::uint32_t middle = std::min(high, z.key);
    const std::uint32_t second = std::max(low, middle);
    const std::uint32_t third = std::min(low, middle);
    const auto fraction = [](std::uint32_t key) {
        return static_cast<std::int32_t>(key >> kStepBits);
    };
    const auto step = [](std::uint32_t key) { return static_cast<std::int32_t>(key & kStepMask); };
    Tetrahedron t;
    t.corner = points + x.offset + y.offset + z.offset;
    t.edge1 = step(first);
    t.edge2 = t.edge1 + step(second);
    t.edge3 = t.edge2 + step(third);
    t.weights[0] = kWeightOne - fraction(first);
    t.weights[1] = fraction(first) - fraction(second);
    t.weights[2] = fraction(second) - fraction(third);
    t.weights[3] = fraction(third);
    return t;
}

// The three 16-bit results of a pixel.
#if defined(__SSE2__)
// The four 16-bit words of a pixel's results (the fourth is not a result).
[[gnu::always_inline]] inline __m128i resultsOf(const Tetrahedron& t) {
    const auto point = [&](std::int32_t offset) {
        return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(t.corner + offset));
    };
    const auto pair = [](std::int32_t a, std::int32_t b) {
        return _mm_set1_epi32(static_cast<std::int32_t>(static_cast<std::uint32_t>(a) |
                                                        static_cast<std::uint32_t>(b) << 16));
    };
    // Words r0 r1 g0 g1 b0 b1 . . times w0 w1 pairwise: one sum per sample.
    const __m128i sums01 = _mm_madd_epi16(_mm_unpacklo_epi16(point(0), point(t.edge1)),
                                          pair(t.weights[0], t.weights[1]));
    const __m128i sums23 = _mm_madd_epi16(_mm_unpacklo_epi16(point(t.edge2), point(t.edge3)),
                                          pair(t.weights[2], t.weights[3]));
    const __m128i sums = _mm_add_epi32(_mm_add_epi32(sums01, sums23), _mm_set1_epi32(kWeightHalf));
    const __m128i shifted = _mm_srai_epi32(sums, kWeightBits);
    return _mm_xor_si128(_mm_packs_epi32(shifted, shifted),
                         _mm_set1_epi16(static_cast<short>(kBias)));
}
#endif

// The three 16-bit results of a pixel.
[[gnu::always_inline]] inline void interpolate(const Tetrahedron& t, std::uint16_t* out) {
#if defined(__SSE2__)
    const __m128i results = resultsOf(t);
    out[0] = static_cast<std::uint16_t>(_mm_extract_epi16(results, 0));
    out[1] = static_cast<std::uint16_t>(_mm_extract_epi16(results, 1));
    out[2] = static_cast<std::uint16_t>(_mm_extract_epi16(results, 2));
#else
    for (std::size_t c = 0; c < kResults; ++c) {
        const std::int32_t sum = t.corner[c] * t.weights[0] + t.corner[t.edge1 + c] * t.weights[1] +
                                 t.corner[t.edge2 + c] * t.weights[2] +
                                 t.corner[t.edge3 + c] * t.weights[3];
        out[c] = static_cast<std::uint16_t>(((sum + kWeightHalf) >> kWeightBits) + kBias);
    }
#endif
}

// The engine's 16 to 8 bit rounding.
inline std::uint8_t to8(std::uint16_t value) {
    return static_cast<std::uint8_t>((std::uint32_t{value} * 65281U + 8388608U) >> 24);
}

constexpr std::uint32_t kPer8 = 257;  // 0 ... 255 onto 0 ... 65535

const std::int16_t* pointsOf(const std::uint16_t* words) {
    return reinterpret_cast<const std::int16_t*>(words);
}

}  // namespace

std::uint16_t latticeInput(std::size_t index) {
    return static_cast<std::uint16_t>((index * kLargest16 + kLastPoint / 2) / kLastPoint);
}

bool sampleLattice(std::span<std::uint16_t> words, const LatticeSource& source) {
    LatticeGrid grid;
    for (LatticeNodes& nodes : grid) {
        for (std::size_t i = 0; i < kLatticePoints; ++i) {
            nodes[i] = latticeInput(i);
        }
    }
    return sampleLattice(words, grid, source);
}

bool risingGrid(const LatticeGrid& grid) {
    return std::all_of(grid.begin(), grid.end(), [](const LatticeNodes& nodes) {
        return nodes.front() == 0 && nodes.back() == kLargest16 &&
               std::adjacent_find(nodes.begin(), nodes.end(), std::greater_equal<>()) ==
                   nodes.end();
    });
}

bool sampleLattice(std::span<std::uint16_t> words, const LatticeGrid& grid,
                   const LatticeSource& source) {
    if (words.size() != kLatticeWords || !risingGrid(grid)) {
        return false;
    }
    // One run of the conversion per line of grid points along blue.
    std::array<std::uint16_t, kLatticePoints * kResults> in{};
    std::array<std::uint16_t, kLatticePoints * kResults> results{};
    for (std::size_t r = 0; r < kLatticePoints; ++r) {
        for (std::size_t g = 0; g < kLatticePoints; ++g) {
            for (std::size_t b = 0; b < kLatticePoints; ++b) {
                in[b * kResults] = grid[0][r];
                in[b * kResults + 1] = grid[1][g];
                in[b * kResults + 2] = grid[2][b];
            }
            if (!source(in.data(), results.data(), kLatticePoints)) {
                return false;
            }
            std::uint16_t* line = words.data() + r * kStrideRed + g * kStrideGreen;
            for (std::size_t b = 0; b < kLatticePoints; ++b) {
                for (std::size_t c = 0; c < kResults; ++c) {
                    line[b * kLatticeWordsPerPoint + c] =
                        static_cast<std::uint16_t>(results[b * kResults + c] ^ kBias);
                }
                line[b * kLatticeWordsPerPoint + kResults] = 0;
            }
        }
    }
    return true;
}

bool fillLatticeAxes(LatticeAxes& axes, const LatticeGrid& grid) {
    const bool onSteps = std::all_of(grid.begin(), grid.end(), [](const LatticeNodes& nodes) {
        return std::all_of(nodes.begin(), nodes.end() - 1,
                           [](std::uint16_t node) { return node % kLatticeNodeStep == 0; });
    });
    if (!risingGrid(grid) || !onSteps) {
        return false;
    }
    for (std::size_t axis = 0; axis < kResults; ++axis) {
        const LatticeNodes& nodes = grid[axis];
        // The cell of a value holds its lower node and the values below its upper one; the
        // last cell holds 65535 too, at a fraction of one.
        std::size_t cell = 0;
        for (std::size_t block = 0; block < LatticeAxes::kBlocks; ++block) {
            const std::uint32_t first = static_cast<std::uint32_t>(block * kLatticeNodeStep);
            while (cell + 1 < kLastPoint && first >= nodes[cell + 1]) {
                ++cell;
            }
            const std::uint32_t width = nodes[cell + 1] - nodes[cell];
            // Rounded down, so that no value's fraction passes one.
            const auto fraction =
                static_cast<std::uint32_t>(std::uint64_t{first - nodes[cell]} * kBlockOne / width);
            axes.sixteen[axis][block] = {
                static_cast<std::uint32_t>(cell) << kAxisCellShift | fraction, kBlockOne / width};
        }
        for (std::size_t value = 0; value < LatticeAxes::kEightBitValues; ++value) {
            axes.eight[axis][value] =
                blockPosition(axes.sixteen[axis], axis, static_cast<std::uint32_t>(value * kPer8));
        }
    }
    return true;
}

namespace {

std::uint16_t to16(std::uint8_t value) {
    return static_cast<std::uint16_t>(value * kPer8);
}
std::uint16_t to16(std::uint16_t value) {
    return value;
}
void store(std::uint16_t value, std::uint16_t* out) {
    *out = value;
}
void store(std::uint16_t value, std::uint8_t* out) {
    *out = to8(value);
}

// Positions on an even grid, worked out from the samples.
struct EvenAxes {
    template <typename Sample>
    AxisPosition operator()(std::size_t axis, Sample value) const {
        return positionOn(to16(value), kStrides[axis]);
    }
};

// Positions on an uneven grid, looked up.
struct UnevenAxes {
    const LatticeAxes& axes;
    AxisPosition operator()(std::size_t axis, std::uint16_t value) const {
        return blockPosition(axes.sixteen[axis], axis, value);
    }
    AxisPosition operator()(std::size_t axis, std::uint8_t value) const {
        return axes.eight[axis][value];
    }
};

template <typename Axes, typename Sample>
[[gnu::always_inline]] inline Tetrahedron tetrahedronAt(const std::int16_t* points,
                                                        const Axes& axes, const Sample* in) {
    return tetrahedronOf(points, axes(0, in[0]), axes(1, in[1]), axes(2, in[2]));
}

// Rows of either sample width on either side; a pixel is read whole before it is written, so
// equal widths may convert in place.
template <typename Axes, typename In, typename Out>
void applyRow(const std::uint16_t* words, const Axes& axes, const In* in, Out* out,
              std::size_t pixels) {
    const std::int16_t* points = pointsOf(words);
    for (std::size_t i = 0; i < pixels; ++i, in += kResults, out += kResults) {
        std::uint16_t result[kResults];
        interpolate(tetrahedronAt(points, axes, in), result);
        store(result[0], out);
        store(result[1], out + 1);
        store(result[2], out + 2);
    }
}

// 16-bit rows on both sides.
template <typename Axes>
void applyWideRow(const std::uint16_t* words, const Axes& axes, const std::uint16_t* in,
                  std::uint16_t* out, std::size_t pixels) {
#if defined(__SSE2__)
    // Each pixel but the last is stored as four words at once; the fourth lands on the next
    // pixel's first sample, which is read before that store, so rows may still be converted in
    // place.
    if (pixels == 0) {
        return;
    }
    const std::int16_t* points = pointsOf(words);
    std::uint16_t pixel[kResults] = {in[0], in[1], in[2]};
    for (; pixels > 1; --pixels, out += kResults) {
        const Tetrahedron t = tetrahedronAt(points, axes, pixel);
        in += kResults;
        pixel[0] = in[0];
        pixel[1] = in[1];
        pixel[2] = in[2];
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out), resultsOf(t));
    }
    interpolate(tetrahedronAt(points, axes, pixel), out);
#else
    applyRow(words, axes, in, out, pixels);
#endif
}

}  // namespace

void applyLattice(const std::uint16_t* words, const std::uint16_t* in, std::uint16_t* out,
                  std::size_t pixels) {
    applyWideRow(words, EvenAxes{}, in, out, pixels);
}

void applyLattice(const std::uint16_t* words, const std::uint8_t* in, std::uint8_t* out,
                  std::size_t pixels) {
    applyRow(words, EvenAxes{}, in, out, pixels);
}

void applyLattice(const std::uint16_t* words, const std::uint8_t* in, std::uint16_t* out,
                  std::size_t pixels) {
    applyRow(words, EvenAxes{}, in, out, pixels);
}

void applyLattice(const std::uint16_t* words, const std::uint16_t* in, std::uint8_t* out,
                  std::size_t pixels) {
    applyRow(words, EvenAxes{}, in, out, pixels);
}

void kernels::applyUnevenWideRow(const std::uint16_t* words, const LatticeAxes& axes,
                                 const std::uint16_t* in, std::uint16_t* out, std::size_t pixels) {
    applyWideRow(words, UnevenAxes{axes}, in, out, pixels);
}

void applyLattice(const std::uint16_t* words, const LatticeAxes& axes, const std::uint16_t* in,
                  std::uint16_t* out, std::size_t pixels) {
    static const bool avx2 = kernels::avx2Available();
    if (avx2) {
        kernels::applyUnevenWideRowAvx2(words, axes, in, out, pixels);
    } else {
        kernels::applyUnevenWideRow(words, axes, in, out, pixels);
    }
}

void applyLattice(const std::uint16_t* words, const LatticeAxes& axes, const std::uint8_t* in,
                  std::uint8_t* out, std::size_t pixels) {
    applyRow(words, UnevenAxes{axes}, in, out, pixels);
}

}  // namespace color
