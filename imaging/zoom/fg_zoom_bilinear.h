// Bilinear filter: linear interpolation on a growing axis, area average on a shrinking one.
#pragma once

#include <cstdint>

#include "imaging/zoom/fg_zoom.h"
#include "imaging/zoom/fg_zoom_bilinear_param.h"
#include "imaging/zoom/zoom_memory.h"

namespace imaging {

/// Works every format of 1, 8 or 16 bits a sample (1 bit is worked as 8-bit grey and packed
/// again, a bit set from 128). Working values are unsigned 64-bit integers, or doubles on an
/// axis whose size passes the high-precision threshold; every result is truncated.
class FG_ZoomBilinear : public FG_Zoom {
  public:
    FG_ZoomBilinear() = default;
    ~FG_ZoomBilinear() override;

    /// 44 for a size below 1, an unknown bits per pixel or a type other than 2; 1 when memory is
    /// short or a destination row holds more samples than an int counts (the filter is closed);
    /// else 0. IsEnable() is then 0 when the widths are equal and
    /// the height does not shrink: the caller copies the rows itself.
    std::uint32_t Open(int destinationWidth, int destinationHeight, int sourceWidth,
                       int sourceHeight, int bitsPerPixel, int type) override;

    /// Frees the rows and tables and resets the base fields.
    void Close() override;

    /// 44 for a null row; 4 when not enabled, while a row is pending or after the last source
    /// row; else resamples the row horizontally and feeds it to the vertical pass.
    std::uint32_t Send(const void* row) override;

    /// 44 for a null row; 4 when not enabled, with nothing pending or after the last row; else
    /// writes the next destination row.
    std::uint32_t Read(void* row) override;

    /// Whether the horizontal (vertical) pass works in double precision.
    bool horizontalHighPrecision() const { return horizontalHigh_; }
    bool verticalHighPrecision() const { return verticalHigh_; }

    /// The horizontal (true) or vertical table entry of destination position `j`.
    const FG_Zoom2_Param& param(bool horizontal, int j) const {
        return horizontal ? horizontal_[j] : vertical_[j];
    }

  private:
    std::uint32_t allocate();
    void chooseTables();
    void resampleRow(const void* row, std::uint64_t* out) const;
    void addReduceVert(int sourceRow, const std::uint64_t* values);
    void storeRow(void* row) const;

    int workingBitsPerPixel_ = 0;
    int samplesPerPixel_ = 0;
    int bitsPerSample_ = 0;
    int rowSamples_ = 0;  // destination width × samples per pixel
    std::int32_t sourceRowsReceived_ = 0;
    std::int32_t destinationRowsRead_ = 0;
    bool horizontalHigh_ = false;
    bool verticalHigh_ = false;
    ZoomBuffer<std::uint64_t> rows_[2];  // growing height: a ring; else resampled row and sums
    ZoomBuffer<double> realSums_;        // sums of a high-precision vertical reduction
    ZoomBuffer<std::uint8_t> bytes_;     // 1-bit rows as one byte a pixel
    ZoomBuffer<FG_Zoom2_Param> horizontal_;
    ZoomBuffer<FG_Zoom2_Param> vertical_;
};

}  // namespace imaging
