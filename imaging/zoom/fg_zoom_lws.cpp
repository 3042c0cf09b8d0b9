// Lanczos-3 filter: windowed sinc over six samples.
#include "imaging/zoom/fg_zoom_lws.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <type_traits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "imaging/zoom/zoom_format.h"
#include "imaging/zoom/zoom_sample.h"

namespace imaging {

namespace {

constexpr int kTapsBefore = 2;  // i0 − 2, i0 − 1
constexpr int kTapsAfter = 3;   // i0 + 1 … i0 + 3
constexpr double kLobes = 3.0;
constexpr double kNegligibleWeight = 1e-6;

/// Pixels of room after the padded source row, so that a pixel of three samples may be read as
/// a vector of four.
constexpr int kRoomPixels = 1;

void calcTaps(Lanczos3Taps& taps, int j, int sourceSize, int destinationSize) {
    S_Lanczos3Param param;
    FG_ZoomLWS_CalcParam(param, j, sourceSize, destinationSize);
    taps.first = param.first;
    std::copy(std::begin(param.weight), std::end(param.weight), std::begin(taps.weight));
}

/// One destination pixel of the horizontal pass: the weighted sum of six source pixels of
/// `Channels` samples from `in`.
template <int Channels>
inline void expandPixel(const float (&weight)[kLanczos3Taps], const float* in, float* out) {
#if defined(__SSE2__)
    if constexpr (Channels == 3 || Channels == 4) {
        // All samples of the pixel at once. With three samples the fourth lane reads the next
        // padded pixel (or the room pixel) and writes the next destination pixel's first sample,
        // which that pixel then overwrites, or the ring row's spare value after the last pixel.
        // Each lane sums in the scalar order below, so the results are the same.
        __m128 sum = _mm_mul_ps(_mm_set1_ps(weight[0]), _mm_loadu_ps(in));
        for (int k = 1; k < kLanczos3Taps; ++k) {
            sum = _mm_add_ps(sum,
                             _mm_mul_ps(_mm_set1_ps(weight[k]), _mm_loadu_ps(in + k * Channels)));
        }
        _mm_storeu_ps(out, sum);
        return;
    }
#endif
    for (int ch = 0; ch < Channels; ++ch) {
        float sum = weight[0] * in[ch];
        for (int k = 1; k < kLanczos3Taps; ++k) {
            sum += weight[k] * in[k * Channels + ch];
        }
        out[ch] = sum;
    }
}

#if defined(__SSE2__)
/// Six weighted ring rows at samples i … i + 3, summed in the scalar order.
inline __m128 weightedSum(const float (&weight)[kLanczos3Taps],
                          const float* const (&rows)[kLanczos3Taps], int i) {
    __m128 sum = _mm_mul_ps(_mm_set1_ps(weight[0]), _mm_loadu_ps(rows[0] + i));
    for (int k = 1; k < kLanczos3Taps; ++k) {
        sum = _mm_add_ps(sum, _mm_mul_ps(_mm_set1_ps(weight[k]), _mm_loadu_ps(rows[k] + i)));
    }
    return sum;
}

/// Clamps four sums to 0 … 65535 and truncates them to 32-bit integers.
inline __m128i truncateWide(__m128 sum) {
    const __m128 clamped =
        _mm_min_ps(_mm_max_ps(sum, _mm_setzero_ps()), _mm_set1_ps(ZoomSample<std::uint16_t>::kMax));
    return _mm_cvttps_epi32(clamped);
}

/// The vertical pass of 16-bit samples eight at a time; returns the samples done. SSE2 packs
/// only signed 16-bit values, so the values 0 … 65535 are moved down by 32768 before packing and
/// back after, which is exact.
int interpolateWide(const float (&weight)[kLanczos3Taps], const float* const (&rows)[kLanczos3Taps],
                    int samples, std::uint16_t* out) {
    constexpr int kVector = 8;
    const __m128i bias32 = _mm_set1_epi32(0x8000);
    const __m128i bias16 = _mm_set1_epi16(static_cast<short>(0x8000));
    int i = 0;
    for (; i + kVector <= samples; i += kVector) {
        const __m128i low = _mm_sub_epi32(truncateWide(weightedSum(weight, rows, i)), bias32);
        const __m128i high = _mm_sub_epi32(truncateWide(weightedSum(weight, rows, i + 4)), bias32);
        const __m128i packed = _mm_xor_si128(_mm_packs_epi32(low, high), bias16);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), packed);
    }
    return i;
}
#endif

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
                    type, kLanczos3Taps, tables_, kTapsBefore + kTapsAfter + kRoomPixels, calcTaps);
}

void FG_ZoomLWS::Close() {
    tables_.release();
    ZoomRingFilter::Close();
}

int FG_ZoomLWS::lastSourceRow(int j) const {
    return tables_.vertical[j].first + kLanczos3Taps - 1;
}

void FG_ZoomLWS::expandRow(const void* row, float* ringRow) {
    dispatchPixel(bitsPerSample(), samplesPerPixel(), [&](auto sample, auto channels) {
        using T = decltype(sample);
        expandRowAs<T, decltype(channels)::value>(static_cast<const T*>(row), ringRow);
    });
}

template <class T, int Channels>
void FG_ZoomLWS::expandRowAs(const T* row, float* ringRow) {
    // Taps outside the image have weight 0; the padding only keeps their reads in bounds.
    float* padded = tables_.paddedRow.get();
    padRow(row, sourceWidth_, Channels, kTapsBefore, kTapsAfter, padded);
    std::fill_n(
        padded + static_cast<std::size_t>(sourceWidth_ + kTapsBefore + kTapsAfter) * Channels,
        kRoomPixels * Channels, 0.0F);
    for (int x = 0; x < destinationWidth_; ++x) {
        const Lanczos3Taps& taps = tables_.horizontal[x];
        expandPixel<Channels>(
            taps.weight, padded + static_cast<std::size_t>(taps.first + kTapsBefore) * Channels,
            ringRow + static_cast<std::size_t>(x) * Channels);
    }
}

void FG_ZoomLWS::interpolateRow(int j, void* out) {
    dispatchSample(bitsPerSample(),
                   [&](auto sample) { interpolateRowAs(j, static_cast<decltype(sample)*>(out)); });
}

template <class T>
void FG_ZoomLWS::interpolateRowAs(int j, T* out) const {
    const Lanczos3Taps& taps = tables_.vertical[j];
    const float* rows[kLanczos3Taps];
    for (int k = 0; k < kLanczos3Taps; ++k) {
        rows[k] = ringRow(taps.first + k);
    }
    const int samples = rowSamples();
    int i = 0;
#if defined(__SSE2__)
    if constexpr (std::is_same_v<T, std::uint16_t>) {
        i = interpolateWide(taps.weight, rows, samples, out);
    }
#endif
    // Local copies: the stores to `out` could otherwise alias the weights and stop the loop
    // from vectorising.
    const float w0 = taps.weight[0];
    const float w1 = taps.weight[1];
    const float w2 = taps.weight[2];
    const float w3 = taps.weight[3];
    const float w4 = taps.weight[4];
    const float w5 = taps.weight[5];
    const float* r0 = rows[0];
    const float* r1 = rows[1];
    const float* r2 = rows[2];
    const float* r3 = rows[3];
    const float* r4 = rows[4];
    const float* r5 = rows[5];
    for (; i < samples; ++i) {
        const float sum =
            w0 * r0[i] + w1 * r1[i] + w2 * r2[i] + w3 * r3[i] + w4 * r4[i] + w5 * r5[i];
        out[i] = truncateToSample<T>(sum);
    }
}

}  // namespace imaging
