// Row protocol shared by the interpolating filters.
#include "imaging/zoom/fg_zoom_ring_filter.h"

#include <algorithm>

#include "imaging/zoom/zoom_format.h"
#include "imaging/zoom/zoom_sample.h"

namespace imaging {

namespace {

/// The ring holds real values of 8- or 16-bit samples; 1-bit rows and depths of no known format
/// have none.
bool interpolatesSamplesOf(int bitsPerPixel) {
    const int bitsPerSample = FG_Zoom_BitsPerSample(bitsPerPixel);
    return bitsPerSample == 8 || bitsPerSample == 16;
}

}  // namespace

template <class Real>
ZoomRingFilter<Real>::~ZoomRingFilter() {
    ZoomRingFilter::Close();
}

template <class Real>
std::uint32_t ZoomRingFilter<Real>::openRingRows(int destinationWidth, int destinationHeight,
                                                 int sourceWidth, int sourceHeight,
                                                 int bitsPerPixel, int type, int ringRows) {
    if (destinationWidth < sourceWidth || destinationHeight < sourceHeight) {
        return kZoomShrinking;
    }
    if (sourceWidth < 1 || sourceHeight < 1 || !interpolatesSamplesOf(bitsPerPixel)) {
        return kZoomBadParameter;
    }
    const int rowSamples = zoomRowSamples(destinationWidth, FG_Zoom_SamplePerPixel(bitsPerPixel));
    if (rowSamples < 0) {
        return kZoomNotPossible;
    }
    storeFormat(destinationWidth, destinationHeight, sourceWidth, sourceHeight, bitsPerPixel, type);
    samplesPerPixel_ = FG_Zoom_SamplePerPixel(bitsPerPixel);
    bitsPerSample_ = FG_Zoom_BitsPerSample(bitsPerPixel);
    rowSamples_ = rowSamples;
    ringRows_ = ringRows;
    if (ring_.allocate(ringStride() * ringRows) != kZoomDone) {
        Close();
        return kZoomNotPossible;
    }
    openFlag_ = 1;
    return kZoomDone;
}

template <class Real>
void ZoomRingFilter<Real>::Close() {
    ring_.release();
    ringRows_ = 0;
    rowSamples_ = 0;
    samplesPerPixel_ = 0;
    bitsPerSample_ = 0;
    sourceRowsReceived_ = 0;
    destinationRowsRead_ = 0;
    resetFields();
}

template <class Real>
std::uint32_t ZoomRingFilter<Real>::Send(const void* row) {
    if (const std::uint32_t refused = checkSend(row, sourceRowsReceived_)) {
        return refused;
    }
    Real* target = ringSlot(sourceRowsReceived_);
    if (destinationWidth_ == sourceWidth_) {
        copyRow(row, target);
    } else {
        expandRow(row, target);
    }
    ++sourceRowsReceived_;
    updatePending();
    return kZoomDone;
}

template <class Real>
std::uint32_t ZoomRingFilter<Real>::Read(void* row) {
    if (const std::uint32_t refused = checkRead(row, destinationRowsRead_)) {
        return refused;
    }
    if (destinationHeight_ == sourceHeight_) {
        storeRow(ringRow(sourceRowsReceived_ - 1), row);
    } else {
        interpolateRow(destinationRowsRead_, row);
    }
    ++destinationRowsRead_;
    --pendingRows_;
    return kZoomDone;
}

template <class Real>
const Real* ZoomRingFilter<Real>::ringRow(int index) const {
    return ringSlot(std::clamp(index, 0, sourceHeight_ - 1));
}

template <class Real>
Real* ZoomRingFilter<Real>::ringSlot(int index) const {
    return ring_.get() + static_cast<std::size_t>(index % ringRows_) * ringStride();
}

template <class Real>
void ZoomRingFilter<Real>::copyRow(const void* row, Real* ringRow) const {
    dispatchSample(bitsPerSample_, [&](auto sample) {
        using T = decltype(sample);
        const T* samples = static_cast<const T*>(row);
        std::copy(samples, samples + rowSamples_, ringRow);
    });
}

template <class Real>
void ZoomRingFilter<Real>::storeRow(const Real* values, void* out) const {
    dispatchSample(bitsPerSample_, [&](auto sample) {
        using T = decltype(sample);
        T* samples = static_cast<T*>(out);
        if (truncates()) {
            std::transform(values, values + rowSamples_, samples, truncateToSample<T, Real>);
        } else {
            std::transform(values, values + rowSamples_, samples, roundToSample<T, Real>);
        }
    });
}

template <class Real>
void ZoomRingFilter<Real>::updatePending() {
    if (destinationHeight_ == sourceHeight_) {
        pendingRows_ = 1;
        return;
    }
    // A destination row is ready once its last tap row (clamped to the image) has arrived.
    const int newest = sourceRowsReceived_ - 1;
    while (destinationRowsRead_ + pendingRows_ < destinationHeight_) {
        const int needed = std::max(
            0, std::min(lastSourceRow(destinationRowsRead_ + pendingRows_), sourceHeight_ - 1));
        if (newest < needed) {
            break;
        }
        ++pendingRows_;
    }
}

template class ZoomRingFilter<double>;
template class ZoomRingFilter<float>;

}  // namespace imaging
