// Image lines of the page, one per call, at the printed size: through the resampling front when
// it is enabled, else by a vertical nearest-neighbour accumulator with `ZoomWi` across.
#pragma once

#include <cstdint>

#include "band/core_buffer.h"

namespace imaging {
class FG_Zoom;
}

class SourceFetcher;
struct PLGContext;

class ImageLineMaker {
  public:
    ImageLineMaker(PLGContext& context, SourceFetcher& fetcher, imaging::FG_Zoom& zoom)
        : context_(context), fetcher_(fetcher), zoom_(zoom) {}

    /// Makes the resampler's input line (one pixel of leading margin), once per job; 0 or the
    /// allocator's code.
    std::int32_t prepare();

    /// Starts a copy: the first source line comes next.
    void startCopy();

    /// Writes the next image line (image line width pixels) into `bandLine`. A line that needs
    /// no new source line keeps the previous one. 0; -1 when the resampler fails or wants more
    /// source lines than there are; the fetch's failure.
    std::int32_t make(std::uint8_t* bandLine);

  private:
    std::int32_t nextSourceLine(std::uint8_t** line);
    std::int32_t makeResampled(std::uint8_t* bandLine);
    std::int32_t makeAccumulated(std::uint8_t* bandLine);

    PLGContext& context_;
    SourceFetcher& fetcher_;
    imaging::FG_Zoom& zoom_;
    CoreBuffer padded_;
    std::uint32_t sourceLine_ = 0;
    std::int64_t accumulator_ = 0;
};
