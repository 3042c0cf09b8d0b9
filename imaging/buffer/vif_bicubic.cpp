// Cubic-convolution scaling (a = -1) of a buffer, one destination row per call.
//
// Each of the four source rows around the destination row is first resampled horizontally into
// a work row of the destination width (rounded and clamped to the sample type), then the four
// work rows are combined vertically with the same kernel.
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <new>

#include "imaging/buffer/vif_internal.h"
#include "imaging/buffer/vif_scale.h"

namespace imaging {

namespace {

using namespace vif_internal;

constexpr int kTaps = 4;
/// 8-bit rows weigh in units of 2^22.
constexpr double kFixedOne = 1 << 22;

using Weights = std::array<double, kTaps>;

/// Cubic convolution kernel with a = -1.
double kernel(double s) {
    s = std::fabs(s);
    if (s <= 1.0) {
        return s * s * s - 2.0 * s * s + 1.0;
    }
    if (s <= 2.0) {
        return -s * s * s + 5.0 * s * s - 8.0 * s + 4.0;
    }
    return 0.0;
}

/// Weights of the taps at base - 1 ... base + 2 for the fraction t.
Weights weightsAt(double t) {
    return {kernel(1.0 + t), kernel(t), kernel(1.0 - t), kernel(2.0 - t)};
}

/// The base source index of destination position i, with the scale factor f = destination / source.
double basePosition(std::uint32_t i, double f) {
    return std::trunc((i - std::trunc(f / 2)) / f);
}

std::uint32_t clampIndex(double index, std::uint32_t size) {
    return static_cast<std::uint32_t>(std::clamp(index, 0.0, static_cast<double>(size - 1)));
}

/// The weighted sum of four samples, rounded and clamped the way the sample type asks.
template <typename T>
T combine(const Weights& weights, const std::array<T, kTaps>& samples) {
    constexpr auto kMax = std::numeric_limits<T>::max();
    if constexpr (sizeof(T) == 1) {
        std::int64_t sum = 0;
        for (int k = 0; k < kTaps; ++k) {
            sum += static_cast<std::int64_t>(weights[k] * kFixedOne) * samples[k];
        }
        return static_cast<T>(
            std::clamp<std::int64_t>(sum / static_cast<std::int64_t>(kFixedOne), 0, kMax));
    } else {
        double sum = 0.0;
        for (int k = 0; k < kTaps; ++k) {
            sum += weights[k] * samples[k];
        }
        return sum < 0.0 ? 0 : sum > kMax ? kMax : static_cast<T>(sum + 0.5);
    }
}

template <typename T>
void resampleRow(T* work, const std::uint8_t* row, std::uint32_t sourceWidth,
                 std::uint32_t destinationWidth) {
    const double fx = static_cast<double>(destinationWidth) / sourceWidth;
    for (std::uint32_t i = 0; i < destinationWidth; ++i) {
        const double base = basePosition(i, fx);
        const Weights weights = weightsAt(std::clamp(i / fx - base, 0.0, 1.0));
        std::array<std::uint32_t, kTaps> columns;
        for (int k = 0; k < kTaps; ++k) {
            columns[k] = clampIndex(base - 1 + k, sourceWidth);
        }
        for (int channel = 0; channel < kChannels; ++channel) {
            std::array<T, kTaps> samples;
            for (int k = 0; k < kTaps; ++k) {
                samples[k] = loadSample<T>(row, std::size_t{columns[k]} * kChannels + channel);
            }
            work[std::size_t{i} * kChannels + channel] = combine(weights, samples);
        }
    }
}

template <typename T>
bool scaleRow(std::uint8_t* out, std::uint32_t rowIndex, const _vif& source,
              std::uint32_t destinationWidth, std::uint32_t destinationHeight) {
    const std::size_t rowSamples = std::size_t{destinationWidth} * kChannels;
    std::unique_ptr<T[]> work(new (std::nothrow) T[rowSamples * kTaps]);
    if (!work) {
        return false;
    }
    const double fy = static_cast<double>(destinationHeight) / source.height;
    const double base = basePosition(rowIndex, fy);
    for (int k = 0; k < kTaps; ++k) {
        resampleRow(work.get() + k * rowSamples,
                    rowAt(source, clampIndex(base - 1 + k, source.height)), source.width,
                    destinationWidth);
    }
    const Weights weights = weightsAt(rowIndex / fy - base);
    for (std::size_t s = 0; s < rowSamples; ++s) {
        std::array<T, kTaps> samples;
        for (int k = 0; k < kTaps; ++k) {
            samples[k] = work[k * rowSamples + s];
        }
        storeSample<T>(out, s, combine(weights, samples));
    }
    return true;
}

}  // namespace

int BiCubicL(void* destinationRow, std::uint32_t rowIndex, const _vif* source,
             std::uint32_t destinationWidth, std::uint32_t destinationHeight) {
    if (destinationRow == nullptr || source == nullptr || source->data == nullptr ||
        (source->type != kVifBgr8 && source->type != kVifBgr16)) {
        return 0;
    }
    // Empty sizes have no position to sample (and would divide by zero).
    if (destinationWidth == 0 || destinationHeight == 0 || source->width == 0 ||
        source->height == 0) {
        return 0;
    }
    auto* out = static_cast<std::uint8_t*>(destinationRow);
    const bool done = withSampleType(source->type, [&](auto sample) {
        return scaleRow<decltype(sample)>(out, rowIndex, *source, destinationWidth,
                                          destinationHeight);
    });
    return done ? 1 : 0;
}

}  // namespace imaging
