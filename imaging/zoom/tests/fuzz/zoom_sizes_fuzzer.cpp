// The resampling front opened with any sizes, depth and type, as a print job may ask for them.
// Only a depth of a known format opens; an open that succeeds on a small job must then take
// every source row and give every destination row, in the documented calling order.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/zoom/fg_zoom.h"
#include "imaging/zoom/zoom_format.h"
#include "support/fuzz_check.h"
#include "support/fuzz_input.h"

namespace {

using namespace imaging;

// Pixels a streamed job may touch: every row sent or read, at the wider of the two widths.
constexpr std::int64_t kLargestStreamedWork = 1 << 18;
// Open builds tables as long as the sides, so larger sides only cost time in proportion; zero,
// negative and odd depths and types reach Open unchanged.
constexpr int kLongestSide = 1 << 16;

struct Job {
    int destinationWidth, destinationHeight, sourceWidth, sourceHeight, bitsPerPixel, type;
};

bool small(const Job& job) {
    const std::int64_t rows = std::int64_t{job.sourceHeight} + job.destinationHeight;
    return rows * std::max(job.sourceWidth, job.destinationWidth) <= kLargestStreamedWork;
}

std::vector<std::uint8_t> rowOf(int width, int bitsPerPixel, std::span<const std::uint8_t> fill) {
    std::vector<std::uint8_t> row((static_cast<std::size_t>(width) * bitsPerPixel + 7) / 8);
    for (std::size_t index = 0; index < row.size() && !fill.empty(); ++index) {
        row[index] = fill[index % fill.size()];
    }
    return row;
}

// Sends and reads until every destination row is out; each step must be accepted.
void stream(FG_Zoom& zoom, const Job& job, std::span<const std::uint8_t> fill) {
    const auto source = rowOf(job.sourceWidth, job.bitsPerPixel, fill);
    auto destination = rowOf(job.destinationWidth, job.bitsPerPixel, {});
    int sent = 0;
    int read = 0;
    while (read < job.destinationHeight) {
        if (zoom.CheckData() != 0) {
            testsupport::fuzzRequire(zoom.Read(destination.data()) == kZoomDone, "a pending row");
            ++read;
        } else {
            testsupport::fuzzRequire(sent < job.sourceHeight, "rows come out of the rows sent");
            testsupport::fuzzRequire(zoom.Send(source.data()) == kZoomDone, "the next row");
            ++sent;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    testsupport::FuzzInput input(data, size);
    Job job{};
    job.destinationWidth = input.take<std::int32_t>();
    job.destinationHeight = input.take<std::int32_t>();
    job.sourceWidth = input.take<std::int32_t>();
    job.sourceHeight = input.take<std::int32_t>();
    job.bitsPerPixel = input.take<std::int32_t>();
    job.type = input.take<std::int32_t>();
    for (const int side :
         {job.destinationWidth, job.destinationHeight, job.sourceWidth, job.sourceHeight}) {
        if (side > kLongestSide) {
            return 0;
        }
    }
    FG_Zoom zoom;
    const std::uint32_t result =
        zoom.Open(job.destinationWidth, job.destinationHeight, job.sourceWidth, job.sourceHeight,
                  job.bitsPerPixel, job.type);
    if (result == kZoomDone) {
        testsupport::fuzzRequire(FG_Zoom_SamplePerPixel(job.bitsPerPixel) != 0,
                                 "only a depth of a known format opens");
        if (zoom.IsEnable() != 0 && small(job)) {
            stream(zoom, job, input.rest());
        }
    }
    zoom.Close();
    return 0;
}
