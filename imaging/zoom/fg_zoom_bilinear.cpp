// Bilinear filter: row protocol and vertical pass.
#include "imaging/zoom/fg_zoom_bilinear.h"

#include <algorithm>

#include "imaging/zoom/fg_zoom_bilinear_horz.h"
#include "imaging/zoom/zoom_bits.h"
#include "imaging/zoom/zoom_format.h"
#include "imaging/zoom/zoom_sample.h"

namespace imaging {

namespace {

// Sizes from which sums of 16-bit (other) samples may pass 32 bits: such axes, and reductions
// whose denominators pass 16 bits, work in double precision.
constexpr std::int64_t kHighPrecisionSize16 = 65536;
constexpr std::int64_t kHighPrecisionSize8 = 16777216;
constexpr std::int64_t kHighPrecisionDenominator = 65535;

bool needsHighPrecision(int sourceSize, int destinationSize, int bitsPerSample,
                        std::int64_t largestDenominator) {
    const std::int64_t limit = bitsPerSample == 16 ? kHighPrecisionSize16 : kHighPrecisionSize8;
    return (destinationSize < sourceSize && sourceSize >= limit) ||
           (destinationSize > sourceSize && destinationSize >= limit) ||
           largestDenominator > kHighPrecisionDenominator;
}

// Fills a table for one axis; the largest reducing denominator, 0 for a growing axis.
std::int64_t fillTable(FG_Zoom2_Param* table, int sourceSize, int destinationSize) {
    if (destinationSize < sourceSize) {
        return Calc_ReducedParam(table, sourceSize, destinationSize);
    }
    Calc_ExpandParam(table, sourceSize, destinationSize);
    return 0;
}

// Destination row from two resampled rows of a growing height: (first weight × upper + second
// weight × lower) / denominator, truncated.
template <class Acc, class T>
void expandVert(const FG_Zoom2_Param& param, const std::uint64_t* upper, const std::uint64_t* lower,
                int count, T* out) {
    const auto firstWeight = static_cast<Acc>(param.firstWeight);
    const auto secondWeight = static_cast<Acc>(param.secondWeight);
    for (int i = 0; i < count; ++i) {
        Acc sum = firstWeight * static_cast<Acc>(upper[i]);
        if (param.secondWeight != 0) {
            sum += secondWeight * static_cast<Acc>(lower[i]);
        }
        out[i] = static_cast<T>(divideTruncated(sum, param.denominator));
    }
}

// Destination row of a shrinking height: the sums divided by the denominator, truncated.
template <class Acc, class T>
void reduceVert(const FG_Zoom2_Param& param, const Acc* sums, int count, T* out) {
    for (int i = 0; i < count; ++i) {
        out[i] = static_cast<T>(divideTruncated(sums[i], param.denominator));
    }
}

}  // namespace

FG_ZoomBilinear::~FG_ZoomBilinear() {
    FG_ZoomBilinear::Close();
}

std::uint32_t FG_ZoomBilinear::Open(int destinationWidth, int destinationHeight, int sourceWidth,
                                    int sourceHeight, int bitsPerPixel, int type) {
    const int samplesPerPixel = FG_Zoom_SamplePerPixel(bitsPerPixel);
    if (destinationWidth < 1 || destinationHeight < 1 || sourceWidth < 1 || sourceHeight < 1 ||
        samplesPerPixel == 0 || type != kZoomTypeBilinear) {
        return kZoomBadParameter;
    }
    const int rowSamples = zoomRowSamples(destinationWidth, samplesPerPixel);
    if (rowSamples < 0) {
        return kZoomNotPossible;
    }
    storeFormat(destinationWidth, destinationHeight, sourceWidth, sourceHeight, bitsPerPixel, type);
    bitsPerSample_ = FG_Zoom_BitsPerSample(bitsPerPixel);
    workingBitsPerPixel_ = bitsPerSample_ == 1 ? 8 : bitsPerPixel;
    samplesPerPixel_ = samplesPerPixel;
    rowSamples_ = rowSamples;
    if (allocate() != kZoomDone) {
        Close();
        return kZoomNotPossible;
    }
    chooseTables();
    if (verticalHigh_ && destinationHeight < sourceHeight &&
        realSums_.allocate(static_cast<std::size_t>(rowSamples_)) != kZoomDone) {
        Close();
        return kZoomNotPossible;
    }
    const bool needsNoFilter = destinationWidth == sourceWidth && destinationHeight >= sourceHeight;
    openFlag_ = needsNoFilter ? 0 : 1;
    return kZoomDone;
}

std::uint32_t FG_ZoomBilinear::allocate() {
    const auto samples = static_cast<std::size_t>(rowSamples_);
    std::uint32_t result = rows_[0].allocate(samples) | rows_[1].allocate(samples);
    result |= horizontal_.allocate(static_cast<std::size_t>(destinationWidth_));
    result |= vertical_.allocate(static_cast<std::size_t>(destinationHeight_));
    if (bitsPerSample_ == 1) {
        result |=
            bytes_.allocate(static_cast<std::size_t>(std::max(sourceWidth_, destinationWidth_)));
    }
    return result;
}

void FG_ZoomBilinear::chooseTables() {
    const int workingBits = workingBitsPerPixel_ / samplesPerPixel_;
    const std::int64_t widest = fillTable(horizontal_.get(), sourceWidth_, destinationWidth_);
    const std::int64_t tallest = fillTable(vertical_.get(), sourceHeight_, destinationHeight_);
    horizontalHigh_ = needsHighPrecision(sourceWidth_, destinationWidth_, workingBits, widest);
    verticalHigh_ = needsHighPrecision(sourceHeight_, destinationHeight_, workingBits, tallest);
}

void FG_ZoomBilinear::Close() {
    rows_[0].release();
    rows_[1].release();
    realSums_.release();
    bytes_.release();
    horizontal_.release();
    vertical_.release();
    workingBitsPerPixel_ = samplesPerPixel_ = bitsPerSample_ = rowSamples_ = 0;
    sourceRowsReceived_ = destinationRowsRead_ = 0;
    horizontalHigh_ = verticalHigh_ = false;
    resetFields();
}

std::uint32_t FG_ZoomBilinear::Send(const void* row) {
    if (const std::uint32_t refused = checkSend(row, sourceRowsReceived_)) {
        return refused;
    }
    const int n = sourceRowsReceived_;
    std::uint64_t* values = rows_[destinationHeight_ > sourceHeight_ ? n % 2 : 0].get();
    resampleRow(row, values);
    ++sourceRowsReceived_;
    if (destinationHeight_ == sourceHeight_) {
        pendingRows_ = 1;
    } else if (destinationHeight_ > sourceHeight_) {
        // The rows of a run are ready once the lower row of their pair has arrived.
        const FG_Zoom2_Param& next = vertical_[destinationRowsRead_];
        const int needed = sourceHeight_ == 1 ? 0 : next.start + 1;
        pendingRows_ = needed == n ? next.runOrEnd : 0;
    } else {
        addReduceVert(n, values);
    }
    return kZoomDone;
}

std::uint32_t FG_ZoomBilinear::Read(void* row) {
    if (const std::uint32_t refused = checkRead(row, destinationRowsRead_)) {
        return refused;
    }
    storeRow(row);
    ++destinationRowsRead_;
    --pendingRows_;
    // A position that ends inside a source row leaves that row's rest to the next position:
    // start the next sums with it now, as the caller will not send it again.
    if (destinationHeight_ < sourceHeight_ && vertical_[destinationRowsRead_ - 1].remainder != 0) {
        addReduceVert(sourceRowsReceived_ - 1, rows_[0].get());
    }
    return kZoomDone;
}

void FG_ZoomBilinear::resampleRow(const void* row, std::uint64_t* out) const {
    const void* samples = row;
    if (bitsPerSample_ == 1) {
        unpackBits(static_cast<const std::uint8_t*>(row), sourceWidth_, bytes_.get());
        samples = bytes_.get();
    }
    const BilinearRowShape shape{
        sourceWidth_,     destinationWidth_, bitsPerSample_ == 1 ? 8 : bitsPerSample_,
        samplesPerPixel_, horizontal_.get(), horizontalHigh_};
    Expand_Horz(samples, shape, out);
}

void FG_ZoomBilinear::addReduceVert(int sourceRow, const std::uint64_t* values) {
    const FG_Zoom2_Param& param = vertical_[destinationRowsRead_];
    std::int64_t weight = destinationHeight_;
    if (sourceRow == param.start) {
        weight = param.firstWeight;
    } else if (sourceRow > param.lastFull) {
        weight = param.secondWeight;
    }
    const bool first = sourceRow == param.start;
    const auto add = [&](auto* sums) {
        using Acc = std::remove_pointer_t<decltype(sums)>;
        const auto factor = static_cast<Acc>(weight);
        for (int i = 0; i < rowSamples_; ++i) {
            const Acc term = factor * static_cast<Acc>(values[i]);
            sums[i] = first ? term : sums[i] + term;
        }
    };
    if (verticalHigh_) {
        add(realSums_.get());
    } else {
        add(rows_[1].get());
    }
    if (sourceRow == param.runOrEnd) {
        pendingRows_ = 1;
    }
}

void FG_ZoomBilinear::storeRow(void* row) const {
    void* out = bitsPerSample_ == 1 ? bytes_.get() : row;
    dispatchSample(bitsPerSample_ == 1 ? 8 : bitsPerSample_, [&](auto sample) {
        using T = decltype(sample);
        T* samples = static_cast<T*>(out);
        if (destinationHeight_ == sourceHeight_) {
            std::copy(rows_[0].get(), rows_[0].get() + rowSamples_, samples);
        } else if (destinationHeight_ > sourceHeight_) {
            const FG_Zoom2_Param& param = vertical_[destinationRowsRead_];
            const std::uint64_t* upper = rows_[param.start % 2].get();
            const std::uint64_t* lower = rows_[(param.start + 1) % 2].get();
            if (verticalHigh_) {
                expandVert<double>(param, upper, lower, rowSamples_, samples);
            } else {
                expandVert<std::uint64_t>(param, upper, lower, rowSamples_, samples);
            }
        } else if (verticalHigh_) {
            reduceVert(vertical_[destinationRowsRead_], realSums_.get(), rowSamples_, samples);
        } else {
            reduceVert(vertical_[destinationRowsRead_], rows_[1].get(), rowSamples_, samples);
        }
    });
    if (bitsPerSample_ == 1) {
        packBits(bytes_.get(), destinationWidth_, static_cast<std::uint8_t*>(row));
    }
}

}  // namespace imaging
