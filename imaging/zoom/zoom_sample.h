// The one sample trait of the resampling filters: sample range, accumulators, conversion back to
// samples and the once-per-row choice of the sample type.
#pragma once

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace imaging {

/// Traits of an 8- or 16-bit sample. `Integral` is the bilinear filter's exact accumulator,
/// `Real` the accumulator of high-precision axes and of the interpolating filters.
template <class T>
struct ZoomSample {
    using Integral = std::uint64_t;
    using Real = double;
    static constexpr double kMax = static_cast<double>(static_cast<T>(~T{0}));
};

/// sum / denominator truncated, for an integral or a double accumulator. An integral sum is a
/// weighted sum of samples whose weights add up to the denominator, and the bilinear filter
/// keeps integers only where denominator × largest sample stays below 2^32, so it divides in
/// 32 bits, much faster than in 64, with the same result.
template <class Acc>
inline std::uint64_t divideTruncated(Acc sum, std::int64_t denominator) {
    if constexpr (std::is_floating_point_v<Acc>) {
        return static_cast<std::uint64_t>(sum / static_cast<Acc>(denominator));
    } else {
        assert(sum <= UINT32_MAX && denominator <= UINT32_MAX);
        return static_cast<std::uint32_t>(sum) / static_cast<std::uint32_t>(denominator);
    }
}

/// Truncates toward zero and clamps to the sample range (clamping first gives the same result
/// and lets the loop vectorise).
template <class T, class Real>
inline T truncateToSample(Real value) {
    constexpr Real kMax = static_cast<Real>(ZoomSample<T>::kMax);  // exact in a float too
    return static_cast<T>(std::min(std::max(value, Real{0}), kMax));
}

/// Rounds to the nearest sample and clamps to the sample range.
template <class T, class Real>
inline T roundToSample(Real value) {
    constexpr Real kMax = static_cast<Real>(ZoomSample<T>::kMax);
    return static_cast<T>(std::min(std::max(value, Real{0}), kMax) + Real{0.5});
}

/// Calls `work(T{})` with T = uint8_t or uint16_t for 8 or 16 bits a sample; false otherwise.
template <class Work>
inline bool dispatchSample(int bitsPerSample, Work&& work) {
    if (bitsPerSample == 8) {
        work(std::uint8_t{});
        return true;
    }
    if (bitsPerSample == 16) {
        work(std::uint16_t{});
        return true;
    }
    return false;
}

/// Calls `work(std::integral_constant<int, N>{})` with N = 1, 3 or 4 samples per pixel, so that
/// the per-pixel loop over the samples unrolls.
template <class Work>
inline void dispatchChannels(int channels, Work&& work) {
    switch (channels) {
        case 1:
            work(std::integral_constant<int, 1>{});
            break;
        case 3:
            work(std::integral_constant<int, 3>{});
            break;
        default:
            work(std::integral_constant<int, 4>{});
            break;
    }
}

/// Calls `work(T{}, std::integral_constant<int, N>{})` for the sample type and the samples per
/// pixel of a row; nothing for samples other than 8 or 16 bits.
template <class Work>
inline void dispatchPixel(int bitsPerSample, int channels, Work&& work) {
    dispatchSample(bitsPerSample, [&](auto sample) {
        dispatchChannels(channels, [&](auto perPixel) { work(sample, perPixel); });
    });
}

/// Copies `pixels` pixels of `channels` samples into `out` as doubles, with `left` copies of the
/// first pixel before them and `right` copies of the last after them, so that taps reaching
/// over an edge read the edge pixel.
template <class T, class U>
inline void padRow(const T* row, int pixels, int channels, int left, int right, U* out) {
    const std::size_t samples = static_cast<std::size_t>(pixels) * channels;
    for (int copy = 0; copy < left; ++copy) {
        out = std::copy(row, row + channels, out);
    }
    out = std::copy(row, row + samples, out);
    for (int copy = 0; copy < right; ++copy) {
        out = std::copy(row + samples - channels, row + samples, out);
    }
}

}  // namespace imaging
