// Image lines through the resampler or the nearest-neighbour accumulator.
#include "band/image_line.h"

#include <cstring>

#include "band/host_fetch.h"
#include "band/line_ops.h"
#include "imaging/zoom/fg_zoom.h"
#include "rastercore/result_codes.h"
#include "record/job_context.h"

namespace {

using namespace rastercore;

std::int64_t imageHeight(const PLGContext& context) {
    return std::int64_t{context.imageRect.bottom} - context.imageRect.top;
}

}  // namespace

std::int32_t ImageLineMaker::prepare() {
    const std::size_t pixelBytes = (static_cast<std::size_t>(context_.bitsPerPixel) + 7) / 8;
    return padded_.allocate(pixelBytes + fetcher_.workLineBytes());
}

void ImageLineMaker::startCopy() {
    sourceLine_ = 0;
    accumulator_ = imageHeight(context_);
}

std::int32_t ImageLineMaker::make(std::uint8_t* bandLine) {
    return zoom_.IsEnable() != 0 ? makeResampled(bandLine) : makeAccumulated(bandLine);
}

// The next source line, mirrored unless the image is turned (a turned image is mirrored by
// fetching its columns from the right).
std::int32_t ImageLineMaker::nextSourceLine(std::uint8_t** line) {
    std::int32_t result = fetcher_.fetch(sourceLine_, line);
    if (result == kResultOk && context_.rotate == 0) {
        result = PLG_Mirror_Function(&context_, *line, fetcher_.pixelCount());
    }
    ++sourceLine_;
    return result;
}

// The resampler reads the line after a zeroed one-pixel margin; the buffer is made once and
// the margin is never written.
std::int32_t ImageLineMaker::makeResampled(std::uint8_t* bandLine) {
    const std::size_t margin = padded_.size() - fetcher_.workLineBytes();
    std::uint8_t* input = padded_.data() + margin;
    while (zoom_.CheckData() == 0) {
        if (sourceLine_ >= fetcher_.lineCount()) {
            return kResultFailure;
        }
        std::uint8_t* line = nullptr;
        const std::int32_t result = nextSourceLine(&line);
        if (result != kResultOk) {
            return result;
        }
        std::memcpy(input, line, fetcher_.workLineBytes());
        if (zoom_.Send(input) != imaging::kZoomDone) {
            return kResultFailure;
        }
    }
    return zoom_.Read(bandLine) == imaging::kZoomDone ? kResultOk : kResultFailure;
}

std::int32_t ImageLineMaker::makeAccumulated(std::uint8_t* bandLine) {
    const std::int64_t height = imageHeight(context_);
    if (accumulator_ >= height && sourceLine_ < fetcher_.lineCount()) {
        std::uint8_t* line = nullptr;
        const std::int32_t result = nextSourceLine(&line);
        if (result != kResultOk) {
            return result;
        }
        ZoomWi(bandLine, context_.imageLineWidth, line, fetcher_.pixelCount(),
               context_.bitsPerPixel);
        accumulator_ -= height;
    }
    accumulator_ += fetcher_.lineCount();
    return kResultOk;
}
