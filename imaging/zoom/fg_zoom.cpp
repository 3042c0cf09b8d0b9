// The resampling front: filter choice and delegation to the attached filter.
#include "imaging/zoom/fg_zoom.h"

#include <new>

#include "imaging/zoom/fg_zoom_bicubic.h"
#include "imaging/zoom/fg_zoom_bilinear.h"
#include "imaging/zoom/fg_zoom_biquadratic.h"
#include "imaging/zoom/fg_zoom_lws.h"
#include "imaging/zoom/fg_zoom_nearestneighbor.h"

namespace imaging {

namespace {

std::unique_ptr<FG_Zoom> makeFilter(int type) {
    switch (type) {
        case kZoomTypeDefault:
        case kZoomTypeBilinear:
            return std::unique_ptr<FG_Zoom>(new (std::nothrow) FG_ZoomBilinear);
        case kZoomTypeNearestNeighbor:
            return std::unique_ptr<FG_Zoom>(new (std::nothrow) FG_ZoomNearestneighbor);
        case kZoomTypeLanczos3:
            return std::unique_ptr<FG_Zoom>(new (std::nothrow) FG_ZoomLWS);
        case kZoomTypeBiquadratic:
            return std::unique_ptr<FG_Zoom>(new (std::nothrow) FG_ZoomBiquadratic);
        case kZoomTypeBicubic:
            return std::unique_ptr<FG_Zoom>(new (std::nothrow) FG_ZoomBicubic);
        default:
            return nullptr;
    }
}

}  // namespace

FG_Zoom::FG_Zoom() = default;

FG_Zoom::~FG_Zoom() {
    FG_Zoom::Close();
}

int FG_ZoomChooseType(int destinationWidth, int destinationHeight, int sourceWidth,
                      int sourceHeight, int bitsPerPixel, int type) {
    const bool reduces = destinationWidth < sourceWidth || destinationHeight < sourceHeight;
    const bool smallSource =
        sourceWidth < kZoomMinKernelSource || sourceHeight < kZoomMinKernelSource;
    if (reduces || (smallSource && type != kZoomTypeNearestNeighbor) || bitsPerPixel == 1) {
        return kZoomTypeBilinear;
    }
    return type;
}

std::uint32_t FG_Zoom::Open(int destinationWidth, int destinationHeight, int sourceWidth,
                            int sourceHeight, int bitsPerPixel, int type) {
    if (filter_) {
        return kZoomBadState;
    }
    const int chosen = FG_ZoomChooseType(destinationWidth, destinationHeight, sourceWidth,
                                         sourceHeight, bitsPerPixel, type);
    filter_ = makeFilter(chosen);
    if (!filter_) {
        return kZoomBadParameter;
    }
    storeFormat(destinationWidth, destinationHeight, sourceWidth, sourceHeight, bitsPerPixel,
                chosen);
    return filter_->Open(destinationWidth, destinationHeight, sourceWidth, sourceHeight,
                         bitsPerPixel, chosen);
}

void FG_Zoom::Close() {
    if (filter_) {
        filter_->Close();
        filter_.reset();
    }
    resetFields();
}

std::uint32_t FG_Zoom::Send(const void* row) {
    return filter_ ? filter_->Send(row) : kZoomBadState;
}

std::uint32_t FG_Zoom::Read(void* row) {
    return filter_ ? filter_->Read(row) : kZoomBadState;
}

int FG_Zoom::CheckData() const {
    return filter_ ? filter_->pendingRows_ : pendingRows_;
}

int FG_Zoom::IsEnable() const {
    return filter_ ? filter_->openFlag_ : openFlag_;
}

std::uint32_t FG_Zoom::checkSend(const void* row, int received) const {
    if (row == nullptr) {
        return kZoomBadParameter;
    }
    if (openFlag_ == 0 || pendingRows_ != 0 || received >= sourceHeight_) {
        return kZoomBadState;
    }
    return kZoomDone;
}

std::uint32_t FG_Zoom::checkRead(const void* row, int read) const {
    if (row == nullptr) {
        return kZoomBadParameter;
    }
    if (openFlag_ == 0 || pendingRows_ == 0 || read >= destinationHeight_) {
        return kZoomBadState;
    }
    return kZoomDone;
}

void FG_Zoom::resetFields() {
    pendingRows_ = 0;
    openFlag_ = 0;
    type_ = 0;
    storeFormat(0, 0, 0, 0, 0, 0);
}

void FG_Zoom::storeFormat(int destinationWidth, int destinationHeight, int sourceWidth,
                          int sourceHeight, int bitsPerPixel, int type) {
    destinationWidth_ = destinationWidth;
    destinationHeight_ = destinationHeight;
    sourceWidth_ = sourceWidth;
    sourceHeight_ = sourceHeight;
    bitsPerPixel_ = bitsPerPixel;
    type_ = type;
}

}  // namespace imaging
