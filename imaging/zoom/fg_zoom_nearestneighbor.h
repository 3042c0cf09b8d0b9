// Nearest-neighbour filter: every destination pixel and row repeats one source pixel and row.
#pragma once

#include <cstdint>

#include "imaging/zoom/fg_zoom.h"
#include "imaging/zoom/zoom_memory.h"

namespace imaging {

/// Works 8- and 16-bit samples; the height must not shrink.
class FG_ZoomNearestneighbor : public FG_Zoom {
  public:
    FG_ZoomNearestneighbor() = default;
    ~FG_ZoomNearestneighbor() override;

    /// 1 for a size below 1, a bits per pixel of no known format or when memory is short, else 0
    /// (sizes stored, open flag set).
    std::uint32_t Open(int destinationWidth, int destinationHeight, int sourceWidth,
                       int sourceHeight, int bitsPerPixel, int type) override;

    /// Frees the row buffer and resets the base fields.
    void Close() override;

    /// 44 for a null row; 4 when closed, while rows are pending or after the last source row;
    /// 1 for samples other than 8 or 16 bits or a lower destination; else resamples the row
    /// horizontally and makes ⌊(n + 2) × D / S⌋ − ⌊(n + 1) × D / S⌋ rows pending, n being the
    /// number of rows received before this one.
    std::uint32_t Send(const void* row) override;

    /// 44 for a null row; 4 when closed, with nothing pending or after the last row; else
    /// copies the resampled row to `row`.
    std::uint32_t Read(void* row) override;

  private:
    ZoomBuffer<std::uint8_t> row_;
    std::int32_t sourceRowsReceived_ = 0;
    std::int32_t destinationRowsRead_ = 0;
};

}  // namespace imaging
