// The base image of a test-pattern sheet.
#include "pattern/pattern_base_image.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "band/band_services.h"
#include "band/host_fetch.h"
#include "band/line_ops.h"
#include "command/cmd_info.h"
#include "imaging/zoom/fg_zoom.h"
#include "pattern/pattern_progress.h"
#include "rastercore/result_codes.h"
#include "record/job_context.h"

namespace {

using rastercore::kResultFailure;
using rastercore::kResultNoMemory;
using rastercore::kResultOk;

constexpr double kFixedOne = 65536.0;  // 16.16 fixed point
constexpr std::int32_t kFirstFilter = 1;
constexpr std::int32_t kLastFilter = 5;

std::int32_t extent(double from, double to) {
    const double size = to - from;
    return size > 0 && size < std::numeric_limits<std::int32_t>::max()
               ? static_cast<std::int32_t>(size)
               : 0;
}

// `size` pixels at the image's `fixedDpi` reduced to the job's `jobDpi`; -1 for no image dpi.
std::int32_t reduced(std::int32_t size, std::int32_t fixedDpi, double jobDpi) {
    const double imageDpi = fixedDpi / kFixedOne;
    if (!(imageDpi > 0)) {
        return -1;
    }
    return static_cast<std::int32_t>(size / imageDpi * std::min(jobDpi, imageDpi));
}

}  // namespace

std::int32_t PatternBaseImage::size(const PLGContext& context) {
    const CoreCommonInfoTbl* record = context.jobRecord;
    const CommonInfoTable* host = record != nullptr ? record->commonInfo : nullptr;
    if (host == nullptr) {
        return kResultFailure;
    }
    std::int32_t width = extent(context.sourceRect[1], context.sourceRect[3]);
    std::int32_t height = extent(context.sourceRect[0], context.sourceRect[2]);
    if (record->patternFullSize != 1) {
        width = reduced(width, host->horizontalResolution, context.outputResolution[0]);
        height = reduced(height, host->verticalResolution, context.outputResolution[1]);
        if (width < 0 || height < 0) {
            return kResultFailure;
        }
    }
    if (context.rotate != 0) {
        std::swap(width, height);
    }
    width_ = width;
    height_ = height;
    return kResultOk;
}

std::int32_t PatternBaseImage::allocate(std::size_t pixelBytes) {
    if (width_ <= 0 || height_ <= 0) {
        return kResultFailure;
    }
    rowBytes_ = pixelBytes * static_cast<std::size_t>(width_);
    // A window too large to count in bytes has no memory either.
    if (static_cast<std::size_t>(height_) > std::numeric_limits<std::size_t>::max() / rowBytes_ ||
        pixels_.allocate(static_cast<std::size_t>(height_) * rowBytes_) != kResultOk) {
        return kResultNoMemory;
    }
    return kResultOk;
}

std::int32_t PatternBaseImage::fill(PLGContext& context, PatternProgress* progress) {
    if (context.hostImage == nullptr || hostModeSamples(context.hostImage->imageMode) == 0) {
        return kResultFailure;
    }
    SourceFetcher fetcher(context, bandServices().current());
    std::int32_t result = fetcher.prepare();
    if (result != kResultOk) {
        return result;
    }
    if (fetcher.pixelCount() == 0 || fetcher.lineCount() == 0) {
        return kResultFailure;
    }
    const std::int32_t filter = context.cmdInfo->resampleFilter;
    imaging::FG_Zoom zoom;
    if (zoom.Open(
            width_, height_, static_cast<int>(fetcher.pixelCount()),
            static_cast<int>(fetcher.lineCount()), context.bitsPerPixel,
            filter >= kFirstFilter && filter <= kLastFilter ? filter : imaging::kZoomTypeDefault) !=
        imaging::kZoomDone) {
        return kResultFailure;
    }
    std::uint32_t next = 0;
    // The next source line, mirrored unless the sheet is turned (a turned sheet is mirrored by
    // fetching its columns from the right).
    const auto nextLine = [&](std::uint8_t** line) {
        if (next >= fetcher.lineCount()) {
            return kResultFailure;
        }
        std::int32_t fetched = fetcher.fetch(next++, line);
        if (fetched == kResultOk && context.rotate == 0) {
            fetched = PLG_Mirror_Function(&context, *line, fetcher.pixelCount());
        }
        return fetched;
    };
    for (std::int32_t r = 0; r < height_; ++r) {
        if ((result = PLG_PPL_Progress(&context, progress)) != kResultOk) {
            return result;
        }
        std::uint8_t* line = nullptr;
        if (zoom.IsEnable() == 0) {
            if ((result = nextLine(&line)) != kResultOk) {
                return result;
            }
            ZoomWi(mutableRow(r), static_cast<std::uint32_t>(width_), line, fetcher.pixelCount(),
                   context.bitsPerPixel);
            continue;
        }
        while (zoom.CheckData() == 0) {
            if ((result = nextLine(&line)) != kResultOk) {
                return result;
            }
            if (zoom.Send(line) != imaging::kZoomDone) {
                return kResultFailure;
            }
        }
        if (zoom.Read(mutableRow(r)) != imaging::kZoomDone) {
            return kResultFailure;
        }
    }
    return kResultOk;
}
