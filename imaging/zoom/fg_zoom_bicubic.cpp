// Bicubic filter: cubic Lagrange interpolation through four samples.
#include "imaging/zoom/fg_zoom_bicubic.h"

#include "imaging/zoom/zoom_format.h"
#include "imaging/zoom/zoom_sample.h"

namespace imaging {

namespace {

constexpr int kBicubicTaps = 4;
constexpr int kTapsBefore = 1;  // Q at i0 − 1
constexpr int kTapsAfter = 2;   // P1, P2 at i0 + 1, i0 + 2

void fillParam(S_ZoomBicubicParam& param, int j, int sourceSize, int destinationSize) {
    const ZoomSourcePosition position = zoomSourcePosition(j, sourceSize, destinationSize);
    param.i0 = position.index;
    param.t = static_cast<double>(position.remainder) / (destinationSize - 1);
    param.t2 = param.t * param.t;
    param.t3 = param.t2 * param.t;
}

}  // namespace

FG_ZoomBicubic::~FG_ZoomBicubic() {
    FG_ZoomBicubic::Close();
}

std::uint32_t FG_ZoomBicubic::Open(int destinationWidth, int destinationHeight, int sourceWidth,
                                   int sourceHeight, int bitsPerPixel, int type) {
    return openRing(destinationWidth, destinationHeight, sourceWidth, sourceHeight, bitsPerPixel,
                    type, kBicubicTaps, tables_, kTapsBefore + kTapsAfter, fillParam);
}

void FG_ZoomBicubic::Close() {
    tables_.release();
    FG_ZoomRingFilter::Close();
}

int FG_ZoomBicubic::lastSourceRow(int j) const {
    return tables_.vertical[j].i0 + kTapsAfter;
}

void FG_ZoomBicubic::expandRow(const void* row, double* ringRow) {
    dispatchPixel(bitsPerSample(), samplesPerPixel(), [&](auto sample, auto channels) {
        using T = decltype(sample);
        expandRowAs<T, decltype(channels)::value>(static_cast<const T*>(row), ringRow);
    });
}

template <class T, int Channels>
void FG_ZoomBicubic::expandRowAs(const T* row, double* ringRow) {
    padRow(row, sourceWidth_, Channels, kTapsBefore, kTapsAfter, tables_.paddedRow.get());
    for (int x = 0; x < destinationWidth_; ++x) {
        const S_ZoomBicubicParam& param = tables_.horizontal[x];
        // Padded index of Q is i0 − 1 + kTapsBefore = i0.
        const std::int32_t* taps =
            tables_.paddedRow.get() + static_cast<std::size_t>(param.i0) * Channels;
        for (int ch = 0; ch < Channels; ++ch) {
            const std::int32_t q = taps[ch];
            const std::int32_t p0 = taps[Channels + ch];
            const std::int32_t p1 = taps[2 * Channels + ch];
            const std::int32_t p2 = taps[3 * Channels + ch];
            const std::int32_t diffA = q - p0;
            const std::int32_t diffB = p1 - p0;
            const std::int32_t diffC = p2 - p0;
            const std::int32_t a = diffB + (-diffA) / 3 - diffC / 6;
            const std::int32_t b = diffA / 2 + diffB / 2;
            const std::int32_t c = (-diffA) / 6 + diffC / 6 - diffB / 2;
            ringRow[static_cast<std::size_t>(x) * Channels + ch] =
                p0 + a * param.t + b * param.t2 + c * param.t3;
        }
    }
}

void FG_ZoomBicubic::interpolateRow(int j, void* out) {
    dispatchSample(bitsPerSample(),
                   [&](auto sample) { interpolateRowAs(j, static_cast<decltype(sample)*>(out)); });
}

template <class T>
void FG_ZoomBicubic::interpolateRowAs(int j, T* out) const {
    const S_ZoomBicubicParam& param = tables_.vertical[j];
    const double* q = ringRow(param.i0 - 1);
    const double* p0 = ringRow(param.i0);
    const double* p1 = ringRow(param.i0 + 1);
    const double* p2 = ringRow(param.i0 + 2);
    const double t = param.t;
    const double t2 = param.t2;
    const double t3 = param.t3;
    const int samples = rowSamples();
    for (int i = 0; i < samples; ++i) {
        const double diffA = q[i] - p0[i];
        const double diffB = p1[i] - p0[i];
        const double diffC = p2[i] - p0[i];
        const double a = diffB - diffA / 3 - diffC / 6;
        const double b = diffA / 2 + diffB / 2;
        const double c = -diffA / 6 + diffC / 6 - diffB / 2;
        out[i] = truncateToSample<T>(p0[i] + a * t + b * t2 + c * t3);
    }
}

}  // namespace imaging
