// Nearest-neighbour filter.
#include "imaging/zoom/fg_zoom_nearestneighbor.h"

#include <cstring>

#include "imaging/zoom/zoom_format.h"

namespace imaging {

namespace {

// Copies source pixel k to each destination pixel, stepping k by the ratio of the widths with
// an integer accumulator (no drift, no division per pixel).
void zoomH(const std::uint8_t* source, int sourceWidth, std::uint8_t* destination,
           int destinationWidth, std::size_t pixelBytes) {
    std::int64_t accumulator = 0;
    std::size_t k = 0;
    for (int x = 0; x < destinationWidth; ++x) {
        std::memcpy(destination + x * pixelBytes, source + k * pixelBytes, pixelBytes);
        accumulator += sourceWidth;
        while (accumulator >= destinationWidth) {
            ++k;
            accumulator -= destinationWidth;
        }
    }
}

}  // namespace

FG_ZoomNearestneighbor::~FG_ZoomNearestneighbor() {
    FG_ZoomNearestneighbor::Close();
}

std::uint32_t FG_ZoomNearestneighbor::Open(int destinationWidth, int destinationHeight,
                                           int sourceWidth, int sourceHeight, int bitsPerPixel,
                                           int type) {
    // The row steps divide by the source size: an empty image has nothing to resample. The row
    // buffer's size comes from the depth, so a depth of no known format is refused before it.
    if (destinationWidth < 1 || destinationHeight < 1 || sourceWidth < 1 || sourceHeight < 1 ||
        FG_Zoom_SamplePerPixel(bitsPerPixel) == 0) {
        return kZoomNotPossible;
    }
    storeFormat(destinationWidth, destinationHeight, sourceWidth, sourceHeight, bitsPerPixel, type);
    openFlag_ = 1;
    if (row_.allocate(zoomRowBytes(destinationWidth, bitsPerPixel)) != kZoomDone) {
        Close();
        return kZoomNotPossible;
    }
    return kZoomDone;
}

void FG_ZoomNearestneighbor::Close() {
    row_.release();
    sourceRowsReceived_ = 0;
    destinationRowsRead_ = 0;
    resetFields();
}

std::uint32_t FG_ZoomNearestneighbor::Send(const void* row) {
    if (const std::uint32_t refused = checkSend(row, sourceRowsReceived_)) {
        return refused;
    }
    const int bitsPerSample = FG_Zoom_BitsPerSample(bitsPerPixel_);
    if ((bitsPerSample != 8 && bitsPerSample != 16) || destinationHeight_ < sourceHeight_) {
        return kZoomNotPossible;
    }
    zoomH(static_cast<const std::uint8_t*>(row), sourceWidth_, row_.get(), destinationWidth_,
          static_cast<std::size_t>(bitsPerPixel_) / 8);
    const std::int64_t n = sourceRowsReceived_;
    pendingRows_ = static_cast<std::int32_t>((n + 2) * destinationHeight_ / sourceHeight_ -
                                             (n + 1) * destinationHeight_ / sourceHeight_);
    ++sourceRowsReceived_;
    return kZoomDone;
}

std::uint32_t FG_ZoomNearestneighbor::Read(void* row) {
    if (const std::uint32_t refused = checkRead(row, destinationRowsRead_)) {
        return refused;
    }
    std::memcpy(row, row_.get(), zoomRowBytes(destinationWidth_, bitsPerPixel_));
    --pendingRows_;
    ++destinationRowsRead_;
    return kZoomDone;
}

}  // namespace imaging
