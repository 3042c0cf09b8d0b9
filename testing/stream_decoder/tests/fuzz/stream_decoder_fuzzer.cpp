// Printer command streams of any content through the stream decoder, and every decoded plane row
// through the sample unpacker at the plane's depth.
#include <cstddef>
#include <cstdint>

#include "stream_decoder/stream_decoder.h"
#include "support/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto decoded = streamdecoder::decodeStream({data, size});
    testsupport::fuzzRequire(decoded.ok || !decoded.error.empty(), "a failure says why");
    for (const auto& raster : decoded.rasters) {
        for (const auto& row : raster.rows) {
            for (std::size_t plane = 0; plane < row.size() && plane < raster.depths.size();
                 ++plane) {
                const int depth = raster.depths[plane];
                const auto width =
                    static_cast<std::uint32_t>(depth > 0 ? row[plane].size() * 8 / depth : 0);
                bool fillIsOnes = false;
                streamdecoder::unpackSamples(row[plane], depth, width, &fillIsOnes);
            }
        }
    }
    return 0;
}
