// Horizontal pass of the bilinear filter.
#include "imaging/zoom/fg_zoom_bilinear_horz.h"

#include <algorithm>
#include <cstddef>

#include "imaging/zoom/zoom_sample.h"

namespace imaging {

namespace {

template <class T, int Channels, class Acc>
void expandColumns(const T* row, const BilinearRowShape& shape, std::uint64_t* out) {
    for (int x = 0; x < shape.destinationWidth; ++x) {
        const FG_Zoom2_Param& param = shape.table[x];
        const T* left = row + static_cast<std::size_t>(param.start) * Channels;
        for (int c = 0; c < Channels; ++c) {
            Acc sum = static_cast<Acc>(param.firstWeight) * left[c];
            if (param.secondWeight != 0) {
                sum += static_cast<Acc>(param.secondWeight) * left[Channels + c];
            }
            out[c] = divideTruncated(sum, param.denominator);
        }
        out += Channels;
    }
}

template <class T, int Channels, class Acc>
void reduceColumns(const T* row, const BilinearRowShape& shape, std::uint64_t* out) {
    const auto fullWeight = static_cast<Acc>(shape.destinationWidth);
    for (int x = 0; x < shape.destinationWidth; ++x) {
        const FG_Zoom2_Param& param = shape.table[x];
        const T* pixel = row + static_cast<std::size_t>(param.start) * Channels;
        Acc sums[Channels];
        for (int c = 0; c < Channels; ++c) {
            sums[c] = static_cast<Acc>(param.firstWeight) * pixel[c];
        }
        for (int k = param.start + 1; k <= param.lastFull; ++k) {
            pixel += Channels;
            for (int c = 0; c < Channels; ++c) {
                sums[c] += fullWeight * pixel[c];
            }
        }
        if (param.secondWeight != 0) {
            pixel += Channels;
            for (int c = 0; c < Channels; ++c) {
                sums[c] += static_cast<Acc>(param.secondWeight) * pixel[c];
            }
        }
        for (int c = 0; c < Channels; ++c) {
            out[c] = divideTruncated(sums[c], param.denominator);
        }
        out += Channels;
    }
}

template <class T, int Channels, class Acc>
void resample(const T* row, const BilinearRowShape& shape, std::uint64_t* out) {
    if (shape.sourceWidth == shape.destinationWidth) {
        std::copy(row, row + static_cast<std::size_t>(shape.sourceWidth) * Channels, out);
    } else if (shape.sourceWidth == 1) {
        for (int x = 0; x < shape.destinationWidth; ++x) {
            out = std::copy(row, row + Channels, out);
        }
    } else if (shape.destinationWidth > shape.sourceWidth) {
        expandColumns<T, Channels, Acc>(row, shape, out);
    } else {
        reduceColumns<T, Channels, Acc>(row, shape, out);
    }
}

}  // namespace

void Expand_Horz(const void* row, const BilinearRowShape& shape, std::uint64_t* out) {
    dispatchPixel(shape.bitsPerSample, shape.channels, [&](auto sample, auto channels) {
        using T = decltype(sample);
        constexpr int kChannels = decltype(channels)::value;
        const T* samples = static_cast<const T*>(row);
        if (shape.highPrecision) {
            resample<T, kChannels, typename ZoomSample<T>::Real>(samples, shape, out);
        } else {
            resample<T, kChannels, typename ZoomSample<T>::Integral>(samples, shape, out);
        }
    });
}

}  // namespace imaging
