// The resampling front: one filter object, chosen by type, fed and drained one row at a time.
//
// Rules shared by the front and every filter:
// - Rows are packed and chunky with no padding at their end; 16-bit samples are in the machine's
//   byte order; 1-bit rows hold 8 pixels a byte, the first pixel in the most significant bit.
//   A row of w pixels holds (w × bits per pixel + 7) / 8 bytes (zoomRowBytes).
// - The caller owns every row it passes; a filter keeps no pointer to it after the call.
// - Calling order: Open; then, until every destination row is read, Read one row when
//   CheckData() is not 0, else Send the next source row; then Close. IsEnable() 0 after a
//   successful Open means no resampling is needed and the caller copies rows itself.
// - Every operation returns a code of zoom_result.h and throws nothing. Memory is taken in Open
//   only; Send and Read never allocate.
// - One front serves one caller on one thread; fronts share nothing.
#pragma once

#include <cstdint>
#include <memory>

#include "imaging/zoom/zoom_result.h"

namespace imaging {

/// Filter types accepted by FG_Zoom::Open.
enum FG_ZoomType : int {
    kZoomTypeDefault = 0,  ///< bilinear, but only where a reduction or a small source asks for it
    kZoomTypeNearestNeighbor = 1,
    kZoomTypeBilinear = 2,
    kZoomTypeLanczos3 = 3,
    kZoomTypeBiquadratic = 4,
    kZoomTypeBicubic = 5,
};

/// Sources narrower or lower than this are resampled bilinearly by every type but nearest
/// neighbour: the wider kernels need that many rows and columns to mean anything.
inline constexpr int kZoomMinKernelSource = 6;

/// The front, and the base of every filter (a filter object has no filter of its own).
class FG_Zoom {
  public:
    FG_Zoom();
    virtual ~FG_Zoom();
    FG_Zoom(const FG_Zoom&) = delete;
    FG_Zoom& operator=(const FG_Zoom&) = delete;

    /// Chooses the filter for `type` and the sizes, attaches it and opens it. Reductions on
    /// either axis and 1-bit pixels always take the bilinear filter; so do sources narrower or
    /// lower than kZoomMinKernelSource unless the type is nearest neighbour.
    /// Returns 4 when a filter is already attached (nothing changes), 44 when no filter can be
    /// made for the type, else the filter's Open result; a filter whose Open failed stays
    /// attached until Close.
    virtual std::uint32_t Open(int destinationWidth, int destinationHeight, int sourceWidth,
                               int sourceHeight, int bitsPerPixel, int type);

    /// Closes and deletes the filter and zeroes every field; always allowed.
    virtual void Close();

    /// Hands over the next source row (source width pixels); 0, 4 with no filter, or the
    /// filter's code (44 null row, 4 rows pending or every source row received).
    virtual std::uint32_t Send(const void* row);

    /// Writes the next destination row (destination width pixels) into `row`; 0, 4 with no
    /// filter, or the filter's code (44 null row, 4 nothing pending or every row read).
    virtual std::uint32_t Read(void* row);

    /// Destination rows that can be read now.
    int CheckData() const;

    /// 1 while a filter is open and usable; 0 when closed or when the job needs no resampling.
    int IsEnable() const;

    /// The filter type after the fall-backs of Open (0 while closed).
    int type() const { return filter_ ? filter_->type_ : type_; }

  protected:
    /// Zeroes the counters, the open flag, the type, the sizes and bits per pixel.
    void resetFields();

    /// The checks every filter's Send makes: 44 for a null row; 4 when not enabled, while rows
    /// are pending or once `received` reaches the source height; else 0.
    std::uint32_t checkSend(const void* row, int received) const;

    /// The checks every filter's Read makes: 44 for a null row; 4 when not enabled, with no row
    /// pending or once `read` reaches the destination height; else 0.
    std::uint32_t checkRead(const void* row, int read) const;

    /// Stores the sizes, bits per pixel and type.
    void storeFormat(int destinationWidth, int destinationHeight, int sourceWidth, int sourceHeight,
                     int bitsPerPixel, int type);

    std::unique_ptr<FG_Zoom> filter_;
    std::int32_t pendingRows_ = 0;
    std::int32_t openFlag_ = 0;
    std::int32_t type_ = 0;
    std::int32_t destinationWidth_ = 0;
    std::int32_t destinationHeight_ = 0;
    std::int32_t sourceWidth_ = 0;
    std::int32_t sourceHeight_ = 0;
    std::int32_t bitsPerPixel_ = 0;
};

/// The type FG_Zoom::Open uses for a requested type and job (step 2 of the choice).
int FG_ZoomChooseType(int destinationWidth, int destinationHeight, int sourceWidth,
                      int sourceHeight, int bitsPerPixel, int type);

}  // namespace imaging
