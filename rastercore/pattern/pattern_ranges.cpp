// Adjustment ranges of the test-pattern axes.
#include "pattern/pattern_ranges.h"

#include <algorithm>

namespace {

constexpr std::int32_t kColorModeMonochrome = 3;

struct Range {
    std::int32_t minimum;
    std::int32_t maximum;
};

constexpr Range kNoRange{0, 0};

Range colorRange(std::int32_t type) {
    constexpr std::int32_t kFirstColorItem = 1;
    constexpr std::int32_t kLastColorItem = 7;
    return type >= kFirstColorItem && type <= kLastColorItem ? Range{-30, 30} : kNoRange;
}

Range monoRange(std::int32_t type) {
    switch (type) {
        case 8:  // tone point X
            return {-100, 100};
        case 9:  // tone point Y
            return {-40, 40};
        case 10:  // gradation
            return {-1, 3};
        case 11:  // brightness
        case 12:  // contrast
        case 13:  // highlight
        case 14:  // shadow
            return {-30, 30};
        case 15:  // white fog
            return {0, 60};
        default:
            return kNoRange;
    }
}

}  // namespace

std::int32_t getAdjustRangeColor(std::int32_t type, std::int32_t* minimum, std::int32_t* maximum) {
    const Range range = colorRange(type);
    *minimum = range.minimum;
    *maximum = range.maximum;
    return 0;
}

std::int32_t getAdjustRangeMono(std::int32_t type, std::int32_t* minimum, std::int32_t* maximum) {
    const Range range = monoRange(type);
    *minimum = range.minimum;
    *maximum = range.maximum;
    return 0;
}

std::int32_t checkValue(std::int32_t colorMode, std::int32_t type, std::int32_t value,
                        std::int32_t* clamped) {
    const Range range = colorMode == kColorModeMonochrome ? monoRange(type) : colorRange(type);
    *clamped = std::clamp(value, range.minimum, range.maximum);
    return *clamped != value ? 1 : 0;
}
