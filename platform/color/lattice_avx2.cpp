// 16-bit rows through uneven lattices, eight pixels at a time with AVX2.
//
// Each step works on eight pixels, one per 32-bit lane: the lanes look up their positions on
// the three axes and sort the sort keys into the tetrahedron's walk; then four pixels at a time
// gather their corners' grid points whole from the lattice, so that the cache misses of many
// pixels' corners overlap. The arithmetic is the baseline kernel's to the bit: the same 14-bit
// weights, the same pairwise 16-bit multiply-adds into 32-bit sums, the same rounding. Built for
// AVX2 function by function, so that the rest of the program stays on the baseline instruction
// set; applyLattice only calls in here when the processor runs AVX2.
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "color/lattice_fixed_point.h"
#include "color/lattice_kernels.h"

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace color::kernels {

#if defined(__x86_64__)

namespace {

using namespace fixed_point;

constexpr std::size_t kLanes = 8;
constexpr std::size_t kSamplesPerStep = kLanes * kResults;
constexpr std::size_t kSamplesPerHalf = kSamplesPerStep / 2;

// A block's two 32-bit words, gathered at these indices from the block's start.
static_assert(sizeof(AxisBlock) == 2 * sizeof(std::uint32_t));
static_assert(std::is_standard_layout_v<AxisBlock>);
constexpr int kBlockWords = 2;
constexpr int kRiseWord = 1;

// Gathers address bytes: 16-bit words of lattices, 32-bit words of axis blocks.
constexpr int kWordScale = 2;
constexpr int kBlockWordScale = 4;
// pshufb takes no byte where its index has the top bit set, and clears it.
constexpr char kNone = static_cast<char>(0x80);
// Blends of 16-bit halves: the upper half of every 32-bit lane from the second operand.
constexpr int kUpperHalves = 0xAA;
constexpr int kHalfBits = 16;

struct Positions {
    __m256i offset;  // of the lower grid point of the cell, in words
    __m256i key;     // fraction << kStepBits | step to the upper point
};

// One sample of eight pixels as 32-bit lanes in pixel order. `head` holds words 0-7 of four
// pixels in each 128-bit half and `tail` words 4-11; `fromHead` and `fromTail` pick the
// sample's words of those four pixels, zero-extended.
[[gnu::target("avx2")]] inline __m256i sampleLanes(__m256i head, __m256i tail, __m256i fromHead,
                                                   __m256i fromTail) {
    return _mm256_or_si256(_mm256_shuffle_epi8(head, fromHead),
                           _mm256_shuffle_epi8(tail, fromTail));
}

struct Samples {
    __m256i red, green, blue;
};

inline __m128i load(const std::uint16_t* at) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
}

// The 24 words of eight pixels, de-interleaved; reads those words and no others.
[[gnu::target("avx2")]] inline Samples samplesOf(const std::uint16_t* in) {
    constexpr std::size_t kTailWord = 4;
    const __m256i head =
        _mm256_inserti128_si256(_mm256_castsi128_si256(load(in)), load(in + kSamplesPerHalf), 1);
    const __m256i tail = _mm256_inserti128_si256(_mm256_castsi128_si256(load(in + kTailWord)),
                                                 load(in + kSamplesPerHalf + kTailWord), 1);
    // Four pixels' words: red 0 3 6 9, green 1 4 7 10, blue 2 5 8 11; the head holds 0-7 and
    // the tail 4-11 (at 0-7 of its own).
    const __m256i redHead = _mm256_setr_epi8(
        0, 1, kNone, kNone, 6, 7, kNone, kNone, 12, 13, kNone, kNone, kNone, kNone, kNone, kNone, 0,
        1, kNone, kNone, 6, 7, kNone, kNone, 12, 13, kNone, kNone, kNone, kNone, kNone, kNone);
    const __m256i redTail =
        _mm256_setr_epi8(kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone,
                         kNone, kNone, 10, 11, kNone, kNone, kNone, kNone, kNone, kNone, kNone,
                         kNone, kNone, kNone, kNone, kNone, kNone, kNone, 10, 11, kNone, kNone);
    const __m256i greenHead = _mm256_setr_epi8(
        2, 3, kNone, kNone, 8, 9, kNone, kNone, 14, 15, kNone, kNone, kNone, kNone, kNone, kNone, 2,
        3, kNone, kNone, 8, 9, kNone, kNone, 14, 15, kNone, kNone, kNone, kNone, kNone, kNone);
    const __m256i greenTail =
        _mm256_setr_epi8(kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone,
                         kNone, kNone, 12, 13, kNone, kNone, kNone, kNone, kNone, kNone, kNone,
                         kNone, kNone, kNone, kNone, kNone, kNone, kNone, 12, 13, kNone, kNone);
    const __m256i blueHead =
        _mm256_setr_epi8(4, 5, kNone, kNone, 10, 11, kNone, kNone, kNone, kNone, kNone, kNone,
                         kNone, kNone, kNone, kNone, 4, 5, kNone, kNone, 10, 11, kNone, kNone,
                         kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone);
    const __m256i blueTail =
        _mm256_setr_epi8(kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone, 8, 9, kNone, kNone,
                         14, 15, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone,
                         kNone, 8, 9, kNone, kNone, 14, 15, kNone, kNone);
    return {sampleLanes(head, tail, redHead, redTail),
            sampleLanes(head, tail, greenHead, greenTail),
            sampleLanes(head, tail, blueHead, blueTail)};
}

// The baseline's blockPosition, lane by lane.
[[gnu::target("avx2")]] inline Positions positionsOn(const LatticeAxes& axes, std::size_t axis,
                                                     __m256i values) {
    const int* blocks = reinterpret_cast<const int*>(axes.sixteen[axis].data());
    static_assert(kBlockWords == 2);
    const __m256i words = _mm256_slli_epi32(_mm256_srli_epi32(values, kBlockShift), 1);
    const __m256i packed = _mm256_i32gather_epi32(blocks, words, kBlockWordScale);
    const __m256i rise = _mm256_i32gather_epi32(blocks + kRiseWord, words, kBlockWordScale);
    const __m256i first =
        _mm256_and_si256(packed, _mm256_set1_epi32(static_cast<int>(kBlockFractionMask)));
    const __m256i cell = _mm256_srli_epi32(packed, kAxisCellShift);
    const __m256i within =
        _mm256_and_si256(values, _mm256_set1_epi32(static_cast<int>(kLatticeNodeStep - 1)));
    const __m256i fraction = _mm256_srli_epi32(
        _mm256_add_epi32(first, _mm256_mullo_epi32(within, rise)), kBlockFractionBits);
    const __m256i stride = _mm256_set1_epi32(kStrides[axis]);
    return {_mm256_mullo_epi32(cell, stride),
            _mm256_or_si256(_mm256_slli_epi32(fraction, kStepBits), stride)};
}

[[gnu::target("avx2")]] inline __m256i weightPair(__m256i lower, __m256i upper) {
    return _mm256_or_si256(lower, _mm256_slli_epi32(upper, kHalfBits));
}

// The tetrahedra of eight pixels: their corners' offsets and their weights in pairs (the first
// corner's weight in the lower half of each lane, the second's in the upper).
constexpr int kCorners = 4;
struct Tetrahedra {
    __m256i corner[kCorners];
    __m256i weights01, weights23;
};

// The baseline's tetrahedronOf: the keys in falling order give the walk and the weights.
[[gnu::target("avx2")]] inline Tetrahedra tetrahedraOf(const Positions& x, const Positions& y,
                                                       const Positions& z) {
    const __m256i high = _mm256_max_epu32(x.key, y.key);
    const __m256i low = _mm256_min_epu32(x.key, y.key);
    const __m256i first = _mm256_max_epu32(high, z.key);
    const __m256i middle = _mm256_min_epu32(high, z.key);
    const __m256i second = _mm256_max_epu32(low, middle);
    const __m256i third = _mm256_min_epu32(low, middle);
    const __m256i stepMask = _mm256_set1_epi32(static_cast<int>(kStepMask));
    Tetrahedra t;
    t.corner[0] = _mm256_add_epi32(_mm256_add_epi32(x.offset, y.offset), z.offset);
    t.corner[1] = _mm256_add_epi32(t.corner[0], _mm256_and_si256(first, stepMask));
    t.corner[2] = _mm256_add_epi32(t.corner[1], _mm256_and_si256(second, stepMask));
    t.corner[3] = _mm256_add_epi32(t.corner[2], _mm256_and_si256(third, stepMask));
    const __m256i f1 = _mm256_srli_epi32(first, kStepBits);
    const __m256i f2 = _mm256_srli_epi32(second, kStepBits);
    const __m256i f3 = _mm256_srli_epi32(third, kStepBits);
    t.weights01 =
        weightPair(_mm256_sub_epi32(_mm256_set1_epi32(kWeightOne), f1), _mm256_sub_epi32(f1, f2));
    t.weights23 = weightPair(_mm256_sub_epi32(f2, f3), f3);
    return t;
}

// Four pixels' grid points at `offsets`, each as two 32-bit lanes: red and green, then blue
// and the point's fourth word (0).
[[gnu::target("avx2")]] inline __m256i pointsAt(const std::int16_t* points, __m128i offsets) {
    return _mm256_i32gather_epi64(reinterpret_cast<const long long*>(points), offsets, kWordScale);
}

// The sums of two corners times their weights, for four pixels: red and blue in their points'
// lanes, green in the first lane of each pixel and 0 in the second.
struct PairSums {
    __m256i redBlue, green;
};

[[gnu::target("avx2")]] inline PairSums pairSums(__m256i first, __m256i second, __m256i weights) {
    // Each lane pairs a word of the first corner (lower half) with the second's (upper half).
    const __m256i redBlue =
        _mm256_blend_epi16(first, _mm256_slli_epi32(second, kHalfBits), kUpperHalves);
    const __m256i green =
        _mm256_blend_epi16(_mm256_srli_epi32(first, kHalfBits), second, kUpperHalves);
    return {_mm256_madd_epi16(redBlue, weights), _mm256_madd_epi16(green, weights)};
}

[[gnu::target("avx2")]] inline __m256i rounded(__m256i sums01, __m256i sums23) {
    const __m256i sums =
        _mm256_add_epi32(_mm256_add_epi32(sums01, sums23), _mm256_set1_epi32(kWeightHalf));
    return _mm256_srai_epi32(sums, kWeightBits);
}

// Four pixels (`half` 0 or 1 of the eight) from their tetrahedra into `out`, 12 words.
[[gnu::target("avx2")]] inline void applyHalf(const std::int16_t* points, const Tetrahedra& t,
                                              int half, std::uint16_t* out) {
    __m128i offsets[kCorners];
    for (int corner = 0; corner < kCorners; ++corner) {
        offsets[corner] = half == 0 ? _mm256_castsi256_si128(t.corner[corner])
                                    : _mm256_extracti128_si256(t.corner[corner], 1);
    }
    // Each pixel's weights in both of its lanes.
    const __m256i spread = half == 0 ? _mm256_setr_epi32(0, 0, 1, 1, 2, 2, 3, 3)
                                     : _mm256_setr_epi32(4, 4, 5, 5, 6, 6, 7, 7);
    const PairSums sums01 = pairSums(pointsAt(points, offsets[0]), pointsAt(points, offsets[1]),
                                     _mm256_permutevar8x32_epi32(t.weights01, spread));
    const PairSums sums23 = pairSums(pointsAt(points, offsets[2]), pointsAt(points, offsets[3]),
                                     _mm256_permutevar8x32_epi32(t.weights23, spread));
    // The results fit 16 bits (a weighted mean of stored samples), so that the lower half of
    // each sum is the result: words red green blue 0 per pixel, as a grid point.
    const __m256i redBlue = rounded(sums01.redBlue, sums23.redBlue);
    const __m256i green = rounded(sums01.green, sums23.green);
    const __m256i results = _mm256_xor_si256(
        _mm256_blend_epi16(redBlue, _mm256_slli_epi32(green, kHalfBits), kUpperHalves),
        _mm256_set1_epi16(static_cast<short>(kBias)));
    // Drop each pixel's fourth word: 12 bytes per 128-bit half, then both halves together.
    const __m256i packed =
        _mm256_shuffle_epi8(results, _mm256_setr_epi8(0, 1, 2, 3, 4, 5, 8, 9, 10, 11, 12, 13, kNone,
                                                      kNone, kNone, kNone, 0, 1, 2, 3, 4, 5, 8, 9,
                                                      10, 11, 12, 13, kNone, kNone, kNone, kNone));
    const __m256i joined =
        _mm256_permutevar8x32_epi32(packed, _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 7, 7));
    constexpr std::size_t kFirstStore = 8;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm256_castsi256_si128(joined));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + kFirstStore),
                     _mm256_extracti128_si256(joined, 1));
}

// Eight pixels from `in` to `out`; all of them are read before any is written.
[[gnu::target("avx2")]] inline void applyEight(const std::int16_t* points, const LatticeAxes& axes,
                                               const std::uint16_t* in, std::uint16_t* out) {
    const Samples samples = samplesOf(in);
    const Tetrahedra t =
        tetrahedraOf(positionsOn(axes, 0, samples.red), positionsOn(axes, 1, samples.green),
                     positionsOn(axes, 2, samples.blue));
    applyHalf(points, t, 0, out);
    applyHalf(points, t, 1, out + kSamplesPerHalf);
}

}  // namespace

bool avx2Available() {
    return __builtin_cpu_supports("avx2");
}

[[gnu::target("avx2")]] void applyUnevenWideRowAvx2(const std::uint16_t* words,
                                                    const LatticeAxes& axes,
                                                    const std::uint16_t* in, std::uint16_t* out,
                                                    std::size_t pixels) {
    const auto* points = reinterpret_cast<const std::int16_t*>(words);
    for (; pixels >= kLanes; pixels -= kLanes, in += kSamplesPerStep, out += kSamplesPerStep) {
        applyEight(points, axes, in, out);
    }
    applyUnevenWideRow(words, axes, in, out, pixels);
}

#else

bool avx2Available() {
    return false;
}

void applyUnevenWideRowAvx2(const std::uint16_t* words, const LatticeAxes& axes,
                            const std::uint16_t* in, std::uint16_t* out, std::size_t pixels) {
    applyUnevenWideRow(words, axes, in, out, pixels);
}

#endif

}  // namespace color::kernels
