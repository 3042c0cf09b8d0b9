// Lanczos-3 filter: windowed sinc over six samples on each growing axis.
#pragma once

#include <cstdint>

#include "imaging/zoom/fg_zoom_ring_filter.h"

namespace imaging {

inline constexpr int kLanczos3Taps = 6;

/// Taps of one destination position: the first tap's source index (i0 − 2) and six weights,
/// 0 for taps outside the image.
struct S_Lanczos3Param {
    std::int32_t first;
    double weight[kLanczos3Taps];
};

/// The weights of every position add up to this, slightly above 1, so that truncating the
/// result never lowers a constant image by one.
inline constexpr double kLanczos3WeightSum = 1.000005;

/// The Lanczos-3 kernel at x = n / d: 1 for n = 0, 0 for |x| ≥ 3, else
/// sin(πx)·sin(πx/3) / (πx·πx/3); magnitudes below 1e-6 become 0. Requires d > 0.
double Lanczos3(std::int64_t n, std::int64_t d);

/// Fills the taps of destination position j of an axis growing from `sourceSize` to
/// `destinationSize` (≥ 2), renormalised over the taps inside the image to kLanczos3WeightSum.
void FG_ZoomLWS_CalcParam(S_Lanczos3Param& param, int j, int sourceSize, int destinationSize);

/// Taps of one destination position as the passes apply them: the first tap's source index and
/// the six weights of S_Lanczos3Param rounded to single precision.
struct Lanczos3Taps {
    std::int32_t first;
    float weight[kLanczos3Taps];
};

/// Each axis that grows is a weighted sum of six samples in single precision (the weights add
/// up to kLanczos3WeightSum far beyond a float's rounding, so a constant image stays constant);
/// the vertical sum is truncated toward zero and clamped to the sample range.
class FG_ZoomLWS : public ZoomRingFilter<float> {
  public:
    ~FG_ZoomLWS() override;

    /// Opens the filter with its tables; the codes of FG_ZoomRingFilter::openRing.
    std::uint32_t Open(int destinationWidth, int destinationHeight, int sourceWidth,
                       int sourceHeight, int bitsPerPixel, int type) override;
    void Close() override;

    /// The horizontal (true) or vertical taps of destination position `j` of a growing axis;
    /// vertical ones stay valid until another position is asked for.
    const Lanczos3Taps& param(bool horizontal, int j) const {
        return horizontal ? tables_.horizontal[j] : tables_.vertical[j];
    }

  protected:
    void expandRow(const void* row, float* ringRow) override;
    void interpolateRow(int j, void* out) override;
    int lastSourceRow(int j) const override;

  private:
    template <class T, int Channels>
    void expandRowAs(const T* row, float* ringRow);
    template <class T>
    void interpolateRowAs(int j, T* out) const;

    // Padded row: the source with two pixels before, three after and one of room for vector
    // loads.
    ZoomRingTables<Lanczos3Taps, float> tables_;
};

}  // namespace imaging
