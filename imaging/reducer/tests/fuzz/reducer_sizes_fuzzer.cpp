// The reducer opened with any sizes and depth. An open that succeeds on a small job must turn
// its source rows into exactly its destination rows.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/reducer/zoom_mini.h"
#include "support/fuzz_check.h"
#include "support/fuzz_input.h"

namespace {

constexpr std::int64_t kLargestStreamedPixels = 1 << 16;  // per image, source or destination
constexpr std::int64_t kDeepestPixel = 64;                // bits
// Open builds tables as long as the sides, so larger sides only cost time in proportion; zero
// and negative sides and any depth reach Open unchanged.
constexpr std::int64_t kLongestSide = 1 << 16;

std::vector<std::uint8_t> rowOf(std::int64_t width, std::int64_t bitsPerPixel,
                                std::span<const std::uint8_t> fill) {
    std::vector<std::uint8_t> row(static_cast<std::size_t>((width * bitsPerPixel + 7) / 8));
    for (std::size_t index = 0; index < row.size() && !fill.empty(); ++index) {
        row[index] = fill[index % fill.size()];
    }
    return row;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    testsupport::FuzzInput input(data, size);
    const auto destinationWidth = input.take<std::int64_t>();
    const auto destinationHeight = input.take<std::int64_t>();
    const auto sourceWidth = input.take<std::int64_t>();
    const auto sourceHeight = input.take<std::int64_t>();
    const auto bitsPerPixel = input.take<std::int64_t>();
    for (const auto side : {destinationWidth, destinationHeight, sourceWidth, sourceHeight}) {
        if (side > kLongestSide) {
            return 0;
        }
    }
    ComZoomMini* reducer = nullptr;
    if (comZoomMini_Open(&reducer, destinationWidth, destinationHeight, sourceWidth, sourceHeight,
                         bitsPerPixel) != 0) {
        testsupport::fuzzRequire(reducer == nullptr, "a refused open hands out no reducer");
        return 0;
    }
    testsupport::fuzzRequire(destinationWidth >= 1 && destinationWidth <= sourceWidth &&
                                 destinationHeight >= 1 && destinationHeight <= sourceHeight,
                             "only reductions open");
    if (bitsPerPixel >= 1 && bitsPerPixel <= kDeepestPixel &&
        sourceWidth <= kLargestStreamedPixels / sourceHeight) {
        const auto source = rowOf(sourceWidth, bitsPerPixel, input.rest());
        auto destination = rowOf(destinationWidth, bitsPerPixel, {});
        std::int64_t rows = 0;
        for (std::int64_t row = 0; row < sourceHeight; ++row) {
            std::int32_t ready = 0;
            testsupport::fuzzRequire(
                comZoomMini_Exec(reducer, destination.data(), source.data(), &ready) == 0,
                "every source row is taken");
            rows += ready;
        }
        testsupport::fuzzRequire(rows == destinationHeight, "every destination row comes out");
    }
    testsupport::fuzzRequire(comZoomMini_Close(reducer) == 0, "the reducer closes");
    return 0;
}
