// Widening and mirroring of working lines.
#include "band/line_ops.h"

#include <algorithm>
#include <cstring>

#include "command/cmd_info.h"
#include "rastercore/result_codes.h"
#include "record/job_context.h"

namespace {

constexpr std::int32_t kMirrorOn = 1;
constexpr std::int32_t kBits8Pixel = 24;
constexpr std::size_t kPixelBytes8 = 3;
constexpr std::size_t kPixelBytes16 = 6;

}  // namespace

void ZoomWi(std::uint8_t* destination, std::uint32_t destinationWidth, const std::uint8_t* source,
            std::uint32_t sourceWidth, std::int32_t bitsPerPixel) {
    const std::size_t pixelBytes =
        bitsPerPixel >= 8 ? static_cast<std::size_t>(bitsPerPixel) / 8 : 0;
    if (pixelBytes == 0 || sourceWidth == 0) {
        return;
    }
    std::uint64_t accumulator = 0;
    const std::uint8_t* from = source;
    for (std::uint32_t d = 0; d < destinationWidth; ++d) {
        std::memcpy(destination + std::size_t{d} * pixelBytes, from, pixelBytes);
        accumulator += sourceWidth;
        if (accumulator >= destinationWidth) {
            accumulator -= destinationWidth;
            from += pixelBytes;
        }
    }
}

std::int32_t PLG_Mirror_Function(const PLGContext* context, std::uint8_t* line,
                                 std::uint32_t pixelCount) {
    if (context == nullptr) {
        return rastercore::kResultFailure;
    }
    if (context->cmdInfo == nullptr || context->cmdInfo->mirror != kMirrorOn || pixelCount < 2) {
        return rastercore::kResultOk;
    }
    reversePixels(line, pixelCount,
                  context->bitsPerPixel == kBits8Pixel ? kPixelBytes8 : kPixelBytes16);
    return rastercore::kResultOk;
}

void reversePixels(std::uint8_t* line, std::uint32_t pixelCount, std::size_t pixelBytes) {
    if (pixelCount < 2) {
        return;
    }
    std::uint8_t* left = line;
    std::uint8_t* right = line + (std::size_t{pixelCount} - 1) * pixelBytes;
    while (left < right) {
        std::swap_ranges(left, left + pixelBytes, right);
        left += pixelBytes;
        right -= pixelBytes;
    }
}
