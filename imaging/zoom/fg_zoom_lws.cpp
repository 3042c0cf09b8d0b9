// Lanczos-3 filter: windowed sinc over six samples.
#include "imaging/zoom/fg_zoom_lws.h"

#include <cmath>

#include "imaging/zoom/zoom_format.h"
#include "imaging/zoom/zoom_sample.h"

namespace imaging {

namespace {

constexpr int kTapsBefore = 2;  // i0 − 2, i0 − 1
constexpr int kTapsAfter = 3;   // i0 + 1 … i0 + 3
constexpr double kLobes = 3.0;
constexpr double kNegligibleWeight = 1e-6;

}  // namespace

double Lanczos3(std::int64_t n, std::int64_t d) {
    if (n == 0) {
        return 1.0;
    }
    const double x = static_cast<double>(n) / static_cast<double>(d);
    if (x <= -kLobes || x >= kLobes) {
        return 0.0;
    }
    const double pi = 4.0 * std::atan(1.0);
    const double px = pi * x;
    const double value = std::sin(px) * std::sin(px / kLobes) / (px * (px / kLobes));
    return std::fabs(value) < kNegligibleWeight ? 0.0 : value;
}

void FG_ZoomLWS_CalcParam(S_Lanczos3Param& param, int j, int sourceSize, int destinationSize) {
    const ZoomSourcePosition position = zoomSourcePosition(j, sourceSize, destinationSize);
    const std::int64_t span = destinationSize - 1;
    param.first = position.index - kTapsBefore;
    double sum = 0.0;
    for (int k = 0; k < kLanczos3Taps; ++k) {
        const std::int64_t index = param.first + k;
        const bool inside = index >= 0 && index < sourceSize;
        param.weight[k] =
            inside ? Lanczos3((k - kTapsBefore) * span - position.remainder, span) : 0.0;
        sum += param.weight[k];
    }
    const double scale = sum / kLanczos3WeightSum;
    for (double& weight : param.weight) {
        weight /= scale;
    }
}

FG_ZoomLWS::~FG_ZoomLWS() {
    FG_ZoomLWS::Close();
}

std::uint32_t FG_ZoomLWS::Open(int destinationWidth, int destinationHeight, int sourceWidth,
                               int sourceHeight, int bitsPerPixel, int type) {
    return openRing(destinationWidth, destinationHeight, sourceWidth, sourceHeight, bitsPerPixel,
                    type, kLanczos3Taps, tables_, kTapsBefore + kTapsAfter, FG_ZoomLWS_CalcParam);
}

void FG_ZoomLWS::Close() {
    tables_.release();
    FG_ZoomRingFilter::Close();
}

int FG_ZoomLWS::lastSourceRow(int j) const {
    return tables_.vertical[j].first + kLanczos3Taps - 1;
}

void FG_ZoomLWS::expandRow(const void* row, double* ringRow) {
    dispatchPixel(bitsPerSample(), samplesPerPixel(), [&](auto sample, auto channels) {
        using T = decltype(sample);
        expandRowAs<T, decltype(channels)::value>(static_cast<const T*>(row), ringRow);
    });
}

template <class T, int Channels>
void FG_ZoomLWS::expandRowAs(const T* row, double* ringRow) {
    // Taps outside the image have weight 0; the padding only keeps their reads in bounds.
    padRow(row, sourceWidth_, Channels, kTapsBefore, kTapsAfter, tables_.paddedRow.get());
    for (int x = 0; x < destinationWidth_; ++x) {
        const S_Lanczos3Param& param = tables_.horizontal[x];
        const double* taps = tables_.paddedRow.get() +
                             static_cast<std::size_t>(param.first + kTapsBefore) * Channels;
        double* out = ringRow + static_cast<std::size_t>(x) * Channels;
        for (int ch = 0; ch < Channels; ++ch) {
            double sum = 0.0;
            for (int k = 0; k < kLanczos3Taps; ++k) {
                sum += param.weight[k] * taps[k * Channels + ch];
            }
            out[ch] = sum;
        }
    }
}

void FG_ZoomLWS::interpolateRow(int j, void* out) {
    dispatchSample(bitsPerSample(),
                   [&](auto sample) { interpolateRowAs(j, static_cast<decltype(sample)*>(out)); });
}

template <class T>
void FG_ZoomLWS::interpolateRowAs(int j, T* out) const {
    const S_Lanczos3Param& param = tables_.vertical[j];
    const double* rows[kLanczos3Taps];
    for (int k = 0; k < kLanczos3Taps; ++k) {
        rows[k] = ringRow(param.first + k);
    }
    const double* r0 = rows[0];
    const double* r1 = rows[1];
    const double* r2 = rows[2];
    const double* r3 = rows[3];
    const double* r4 = rows[4];
    const double* r5 = rows[5];
    // Local copies: the stores to `out` could otherwise alias the weights and stop the loop
    // from vectorising.
    const double w0 = param.weight[0];
    const double w1 = param.weight[1];
    const double w2 = param.weight[2];
    const double w3 = param.weight[3];
    const double w4 = param.weight[4];
    const double w5 = param.weight[5];
    const int samples = rowSamples();
    for (int i = 0; i < samples; ++i) {
        const double sum =
            w0 * r0[i] + w1 * r1[i] + w2 * r2[i] + w3 * r3[i] + w4 * r4[i] + w5 * r5[i];
        out[i] = truncateToSample<T>(sum);
    }
}

}  // namespace imaging
