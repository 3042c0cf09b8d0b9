// Row protocol shared by the interpolating filters (bicubic, biquadratic, Lanczos-3): each source
// row is resampled horizontally into a ring of rows of real values, and a destination row is
// interpolated from the ring once its last source row has arrived.
#pragma once

#include <cstdint>

#include "imaging/zoom/fg_zoom.h"
#include "imaging/zoom/zoom_axis_taps.h"
#include "imaging/zoom/zoom_memory.h"

namespace imaging {

/// The per-position taps of both axes (made only for a growing axis: a table across, worked out
/// row by row down) and the padded source row of an interpolating filter.
template <class Param, class Padded>
struct ZoomRingTables {
    ZoomBuffer<Param> horizontal;
    ZoomAxisTaps<Param> vertical;
    ZoomBuffer<Padded> paddedRow;

    void release() {
        horizontal.release();
        vertical.release();
        paddedRow.release();
    }
};

/// Base of the interpolating filters. Neither axis may shrink. Each ring row holds destination
/// width × samples per pixel values of `Real` (double or float), unclamped, and one more value
/// of room, so that a pass may write a whole vector past a row's last pixel; source row i sits
/// in slot i mod ring size.
template <class Real>
class ZoomRingFilter : public FG_Zoom {
  public:
    ~ZoomRingFilter() override;

    /// 44 for a null row, 4 when closed, while rows are pending or after the last source row;
    /// else resamples the row into the ring and makes every destination row pending whose
    /// source rows have all arrived.
    std::uint32_t Send(const void* row) override;

    /// 44 for a null row, 4 when closed, with nothing pending or after the last destination row;
    /// else writes the next destination row.
    std::uint32_t Read(void* row) override;

    /// Frees the ring and resets the base fields.
    void Close() override;

  protected:
    /// Opens the filter: checks the sizes (0xFFFFFFFF when the destination is smaller on an
    /// axis, 44 for a size below 1) and the format (44 unless its samples are 8 or 16 bits)
    /// before it sizes anything, stores them, sets the open flag, allocates `ringRows` ring
    /// rows, and for each growing axis readies its taps with `calc(entry, j, source size,
    /// destination size)`: a table of every position across, worked out row by row down; for
    /// a growing width also the padded source row of `marginPixels` pixels more than the
    /// source. Memory shortage, or a
    /// destination row of more samples than an int counts, closes the filter and gives 1.
    template <class Param, class Padded, class Calc>
    std::uint32_t openRing(int destinationWidth, int destinationHeight, int sourceWidth,
                           int sourceHeight, int bitsPerPixel, int type, int ringRows,
                           ZoomRingTables<Param, Padded>& tables, int marginPixels, Calc&& calc) {
        const std::uint32_t result = openRingRows(destinationWidth, destinationHeight, sourceWidth,
                                                  sourceHeight, bitsPerPixel, type, ringRows);
        if (result != kZoomDone) {
            return result;
        }
        std::uint32_t memory = kZoomDone;
        if (destinationWidth > sourceWidth) {
            memory |= buildTable(tables.horizontal, sourceWidth, destinationWidth, calc);
            memory |= tables.paddedRow.allocate(
                (static_cast<std::size_t>(sourceWidth) + marginPixels) * samplesPerPixel_);
        }
        if (destinationHeight > sourceHeight) {
            tables.vertical.open(calc, sourceHeight, destinationHeight);
        }
        if (memory != kZoomDone) {
            Close();
            return kZoomNotPossible;
        }
        return kZoomDone;
    }

    /// Horizontal pass for a growing width: `row` (source width pixels of T) into `ringRow`.
    virtual void expandRow(const void* row, Real* ringRow) = 0;

    /// Vertical pass for a growing height: destination row `j` (pixels of T) into `out`.
    virtual void interpolateRow(int j, void* out) = 0;

    /// The last source row that destination row `j` of a growing height reads, before the
    /// clamp to the image.
    virtual int lastSourceRow(int j) const = 0;

    /// Writes ring values as samples for equal heights: truncated (true) or rounded (false).
    virtual bool truncates() const { return true; }

    /// The ring row of source row `index`, clamped to the image.
    const Real* ringRow(int index) const;

    /// Values in one ring row: destination width × samples per pixel.
    int rowSamples() const { return rowSamples_; }
    int samplesPerPixel() const { return samplesPerPixel_; }
    int bitsPerSample() const { return bitsPerSample_; }

  private:
    std::uint32_t openRingRows(int destinationWidth, int destinationHeight, int sourceWidth,
                               int sourceHeight, int bitsPerPixel, int type, int ringRows);

    template <class Param, class Calc>
    static std::uint32_t buildTable(ZoomBuffer<Param>& table, int sourceSize, int destinationSize,
                                    Calc& calc) {
        if (table.allocate(static_cast<std::size_t>(destinationSize)) != kZoomDone) {
            return kZoomNotPossible;
        }
        for (int j = 0; j < destinationSize; ++j) {
            calc(table[j], j, sourceSize, destinationSize);
        }
        return kZoomDone;
    }

    void copyRow(const void* row, Real* ringRow) const;
    void storeRow(const Real* values, void* out) const;
    void updatePending();
    Real* ringSlot(int index) const;
    std::size_t ringStride() const { return static_cast<std::size_t>(rowSamples_) + 1; }

    ZoomBuffer<Real> ring_;
    int ringRows_ = 0;
    int rowSamples_ = 0;
    int samplesPerPixel_ = 0;
    int bitsPerSample_ = 0;
    std::int32_t sourceRowsReceived_ = 0;
    std::int32_t destinationRowsRead_ = 0;
};

extern template class ZoomRingFilter<double>;
extern template class ZoomRingFilter<float>;

/// The ring of the bicubic and biquadratic filters, in double precision.
using FG_ZoomRingFilter = ZoomRingFilter<double>;

}  // namespace imaging
