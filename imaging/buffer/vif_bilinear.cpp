// Centre-aligned bilinear scaling of a buffer, one destination row per call.
#include <algorithm>
#include <cmath>
#include <limits>

#include "imaging/buffer/vif_internal.h"
#include "imaging/buffer/vif_scale.h"

namespace imaging {

namespace {

using namespace vif_internal;

constexpr int kWeightBits = 15;
constexpr std::int64_t kWeightOne = std::int64_t{1} << kWeightBits;
constexpr std::int64_t kWeightHalf = kWeightOne / 2;

/// A source position split into its two neighbouring indices and the weight of the second one.
struct Tap {
    std::uint32_t first;
    std::uint32_t second;
    std::int64_t weight;  // of `second`, in units of 1/32768
};

Tap tapAt(double position, std::uint32_t size) {
    position = std::clamp(position, 0.0, static_cast<double>(size - 1));
    const double below = std::floor(position);
    return {static_cast<std::uint32_t>(below), static_cast<std::uint32_t>(std::ceil(position)),
            static_cast<std::int64_t>((position - below) * kWeightOne)};
}

template <typename T>
std::int64_t blendRow(const std::uint8_t* row, const Tap& column, int channel) {
    const std::int64_t left = loadSample<T>(row, std::size_t{column.first} * kChannels + channel);
    const std::int64_t right = loadSample<T>(row, std::size_t{column.second} * kChannels + channel);
    return ((kWeightOne - column.weight) * left + column.weight * right + kWeightHalf) / kWeightOne;
}

template <typename T>
void scaleRow(std::uint8_t* out, std::uint32_t rowIndex, const _vif& source,
              std::uint32_t destinationWidth, std::uint32_t destinationHeight) {
    constexpr std::int64_t kMax = std::numeric_limits<T>::max();
    const Tap rows =
        tapAt((rowIndex + 0.5) * source.height / destinationHeight - 0.5, source.height);
    const std::uint8_t* upper = rowAt(source, rows.first);
    const std::uint8_t* lower = rowAt(source, rows.second);
    const double ratio = static_cast<double>(source.width) / destinationWidth;
    for (std::uint32_t i = 0; i < destinationWidth; ++i) {
        const Tap column = tapAt((i + 0.5) * ratio - 0.5, source.width);
        for (int channel = 0; channel < kChannels; ++channel) {
            const std::int64_t value =
                ((kWeightOne - rows.weight) * blendRow<T>(upper, column, channel) +
                 rows.weight * blendRow<T>(lower, column, channel) + kWeightHalf) >>
                kWeightBits;
            storeSample<T>(out, std::size_t{i} * kChannels + channel,
                           static_cast<T>(std::min(value, kMax)));
        }
    }
}

}  // namespace

int BiLinearL(void* destinationRow, std::uint32_t rowIndex, const _vif* source,
              std::uint32_t destinationWidth, std::uint32_t destinationHeight) {
    if (destinationRow == nullptr || source == nullptr || source->data == nullptr ||
        !isColourType(source->type)) {
        return 0;
    }
    // Empty sizes have no position to sample (and would divide by zero).
    if (destinationWidth == 0 || destinationHeight == 0 || source->width == 0 ||
        source->height == 0) {
        return 0;
    }
    auto* out = static_cast<std::uint8_t*>(destinationRow);
    withSampleType(source->type, [&](auto sample) {
        scaleRow<decltype(sample)>(out, rowIndex, *source, destinationWidth, destinationHeight);
    });
    return 1;
}

}  // namespace imaging
