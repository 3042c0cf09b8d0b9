// Biquadratic filter: the quadratic through the three source samples around each position.
#include "imaging/zoom/fg_zoom_biquadratic.h"

#include <algorithm>

#include "imaging/zoom/zoom_format.h"
#include "imaging/zoom/zoom_sample.h"

namespace imaging {

namespace {

// The window of a source of one or two samples reaches two samples past its end; their
// weights are 0 and the padding only keeps the reads in bounds.
constexpr int kTapsAfter = kBiquadraticTaps - 1;
// Ring rows: one more than the taps, as for the bicubic filter.
constexpr int kRingRows = 4;

}  // namespace

void FG_ZoomBiquadratic_CalcParam(S_ZoomBiquadraticParam& param, int j, int sourceSize,
                                  int destinationSize) {
    const ZoomSourcePosition position = zoomSourcePosition(j, sourceSize, destinationSize);
    const double fraction = static_cast<double>(position.remainder) / (destinationSize - 1);
    if (sourceSize < kBiquadraticTaps) {
        param.first = 0;
        param.weight[0] = sourceSize == 1 ? 1.0 : 1.0 - (position.index + fraction);
        param.weight[1] = sourceSize == 1 ? 0.0 : position.index + fraction;
        param.weight[2] = 0.0;
        return;
    }
    const int nearest = position.index + (2 * position.remainder >= destinationSize - 1 ? 1 : 0);
    const int centre = std::clamp(nearest, 1, sourceSize - 2);
    const double u = (position.index - centre) + fraction;
    param.first = centre - 1;
    param.weight[0] = u * (u - 1.0) / 2.0;
    param.weight[1] = (1.0 - u) * (1.0 + u);
    param.weight[2] = u * (u + 1.0) / 2.0;
}

FG_ZoomBiquadratic::~FG_ZoomBiquadratic() {
    FG_ZoomBiquadratic::Close();
}

std::uint32_t FG_ZoomBiquadratic::Open(int destinationWidth, int destinationHeight, int sourceWidth,
                                       int sourceHeight, int bitsPerPixel, int type) {
    return openRing(destinationWidth, destinationHeight, sourceWidth, sourceHeight, bitsPerPixel,
                    type, kRingRows, tables_, kTapsAfter, FG_ZoomBiquadratic_CalcParam);
}

void FG_ZoomBiquadratic::Close() {
    tables_.release();
    FG_ZoomRingFilter::Close();
}

int FG_ZoomBiquadratic::lastSourceRow(int j) const {
    return tables_.vertical[j].first + kBiquadraticTaps - 1;
}

void FG_ZoomBiquadratic::expandRow(const void* row, double* ringRow) {
    dispatchPixel(bitsPerSample(), samplesPerPixel(), [&](auto sample, auto channels) {
        using T = decltype(sample);
        expandRowAs<T, decltype(channels)::value>(static_cast<const T*>(row), ringRow);
    });
}

template <class T, int Channels>
void FG_ZoomBiquadratic::expandRowAs(const T* row, double* ringRow) {
    padRow(row, sourceWidth_, Channels, 0, kTapsAfter, tables_.paddedRow.get());
    for (int x = 0; x < destinationWidth_; ++x) {
        const S_ZoomBiquadraticParam& param = tables_.horizontal[x];
        const double* taps =
            tables_.paddedRow.get() + static_cast<std::size_t>(param.first) * Channels;
        double* out = ringRow + static_cast<std::size_t>(x) * Channels;
        for (int ch = 0; ch < Channels; ++ch) {
            out[ch] = param.weight[0] * taps[ch] + param.weight[1] * taps[Channels + ch] +
                      param.weight[2] * taps[2 * Channels + ch];
        }
    }
}

void FG_ZoomBiquadratic::interpolateRow(int j, void* out) {
    dispatchSample(bitsPerSample(),
                   [&](auto sample) { interpolateRowAs(j, static_cast<decltype(sample)*>(out)); });
}

template <class T>
void FG_ZoomBiquadratic::interpolateRowAs(int j, T* out) const {
    const S_ZoomBiquadraticParam& param = tables_.vertical[j];
    const double* r0 = ringRow(param.first);
    const double* r1 = ringRow(param.first + 1);
    const double* r2 = ringRow(param.first + 2);
    const double w0 = param.weight[0];
    const double w1 = param.weight[1];
    const double w2 = param.weight[2];
    const int samples = rowSamples();
    for (int i = 0; i < samples; ++i) {
        out[i] = roundToSample<T>(w0 * r0[i] + w1 * r1[i] + w2 * r2[i]);
    }
}

}  // namespace imaging
