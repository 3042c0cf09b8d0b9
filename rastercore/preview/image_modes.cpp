#include "preview/image_modes.h"

namespace {

constexpr std::int32_t kGrey8 = 1;
constexpr std::int32_t kRgb8 = 3;
constexpr std::int32_t kCmyk8 = 4;
constexpr std::int32_t kGrey16 = 10;
constexpr std::int32_t kRgb16 = 11;
constexpr std::int32_t kCmyk16 = 13;

}  // namespace

color::Layout imageLayoutOf(std::int32_t imageMode) {
    switch (imageMode) {
        case kGrey8:
        case kGrey16:
            return color::Layout::Grey;
        case kCmyk8:
        case kCmyk16:
            return color::Layout::Cmyk;
        default:
            return color::Layout::Rgb;
    }
}

bool isRgbImageMode(std::int32_t imageMode) {
    return imageMode == kRgb8 || imageMode == kRgb16;
}

bool isChangeRGB(std::int32_t imageMode) {
    return imageLayoutOf(imageMode) != color::Layout::Rgb;
}
