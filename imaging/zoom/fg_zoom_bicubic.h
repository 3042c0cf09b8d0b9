// Bicubic filter: cubic Lagrange interpolation through four samples on each growing axis.
#pragma once

#include <cstdint>

#include "imaging/zoom/fg_zoom_ring_filter.h"

namespace imaging {

/// One destination position: base source index i0 and the powers of the fraction t.
struct S_ZoomBicubicParam {
    std::int32_t i0;
    double t;
    double t2;
    double t3;
};

/// For samples Q, P0, P1, P2 at i0 − 1 … i0 + 2 (edge samples repeated), A = Q − P0,
/// B = P1 − P0, C = P2 − P0, the value at t is P0 + a·t + b·t² + c·t³ with a = B − A/3 − C/6,
/// b = A/2 + B/2, c = −A/6 + C/6 − B/2. Horizontally each quotient is an integer division
/// truncated toward zero; vertically all is double. Results are truncated and clamped.
class FG_ZoomBicubic : public FG_ZoomRingFilter {
  public:
    ~FG_ZoomBicubic() override;

    /// Opens the filter with its tables; the codes of FG_ZoomRingFilter::openRing.
    std::uint32_t Open(int destinationWidth, int destinationHeight, int sourceWidth,
                       int sourceHeight, int bitsPerPixel, int type) override;
    void Close() override;

  protected:
    void expandRow(const void* row, double* ringRow) override;
    void interpolateRow(int j, void* out) override;
    int lastSourceRow(int j) const override;

  private:
    template <class T, int Channels>
    void expandRowAs(const T* row, double* ringRow);
    template <class T>
    void interpolateRowAs(int j, T* out) const;

    // Padded row: the source with one pixel before, two after.
    ZoomRingTables<S_ZoomBicubicParam, std::int32_t> tables_;
};

}  // namespace imaging
