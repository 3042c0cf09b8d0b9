#include "color/mxxxr_color_processing.h"

#include <cstring>

#include "color/color_path_lattice.h"
#include "color/color_path_stages.h"
#include "rastercore/result_codes.h"
#include "record/color_info.h"
#include "record/tarn_rect.h"

namespace {

constexpr std::size_t kBytesPerPixel8 = 3;
constexpr std::size_t kBytesPerPixel16 = 6;

std::size_t bytesPerPixel(const Color_Info& info) {
    return info.outputDepth == kOutput8Bit ? kBytesPerPixel8 : kBytesPerPixel16;
}

std::uint32_t widthOf(const TARNRect* rect) {
    return rect != nullptr && rect->right > rect->left
               ? static_cast<std::uint32_t>(rect->right - rect->left)
               : 0;
}

}  // namespace

std::int32_t tarn_MXXXR_Color_ColorProcessing(Color_Info* info, std::uint8_t* source,
                                              TARNRect* rect, std::uint8_t* destination) {
    if (info == nullptr || source == nullptr || destination == nullptr) {
        return rastercore::kResultFailure;
    }
    if (info->outputDepth > kOutput12Bit) {
        return 0;
    }
    const std::uint32_t width = widthOf(rect);
    if (applyColorPathLattice(*info, source, destination, width)) {
        return 0;
    }
    const color::Depth depth =
        info->outputDepth == kOutput8Bit ? color::Depth::Eight : color::Depth::Sixteen;
    return runColorPath(*info, colorPathStages(*info), currentObjects(*info), depth, source,
                        destination, width);
}

std::int32_t tarn_MXXXR_Color_ColorProcessing_For_Caption(Color_Info* info, std::uint8_t* source,
                                                          TARNRect* rect,
                                                          std::uint8_t* destination) {
    if (info == nullptr || source == nullptr || destination == nullptr ||
        info->outputDepth > kOutput12Bit) {
        return 0;
    }
    std::memmove(destination, source, widthOf(rect) * bytesPerPixel(*info));
    return 0;
}
