// Biquadratic filter: the quadratic through the three source samples around each position.
#pragma once

#include <cstdint>

#include "imaging/zoom/fg_zoom_ring_filter.h"

namespace imaging {

inline constexpr int kBiquadraticTaps = 3;

/// One destination position: the first of its three source samples and their weights.
/// The position x = i0 + r / (D − 1) (i0 = j × (S − 1) / (D − 1)) is centred on its nearest
/// source sample c, the window c − 1 … c + 1 moved inside the image at the edges, and the
/// weights are the Lagrange weights of that window at x. A source of two samples interpolates
/// linearly; one sample is repeated.
struct S_ZoomBiquadraticParam {
    std::int32_t first;
    double weight[kBiquadraticTaps];
};

/// Fills destination position j of an axis growing from `sourceSize` to `destinationSize` (≥ 2).
void FG_ZoomBiquadratic_CalcParam(S_ZoomBiquadraticParam& param, int j, int sourceSize,
                                  int destinationSize);

/// Each growing axis is interpolated with quadratics in double precision; results are rounded
/// to the nearest sample and clamped, so constant, linear and quadratic ramps come out exact.
class FG_ZoomBiquadratic : public FG_ZoomRingFilter {
  public:
    ~FG_ZoomBiquadratic() override;

    /// Opens the filter with its tables; the codes of FG_ZoomRingFilter::openRing.
    std::uint32_t Open(int destinationWidth, int destinationHeight, int sourceWidth,
                       int sourceHeight, int bitsPerPixel, int type) override;
    void Close() override;

  protected:
    void expandRow(const void* row, double* ringRow) override;
    void interpolateRow(int j, void* out) override;
    int lastSourceRow(int j) const override;
    bool truncates() const override { return false; }

  private:
    template <class T, int Channels>
    void expandRowAs(const T* row, double* ringRow);
    template <class T>
    void interpolateRowAs(int j, T* out) const;

    // Padded row: the source with two pixels after it.
    ZoomRingTables<S_ZoomBiquadraticParam, double> tables_;
};

}  // namespace imaging
