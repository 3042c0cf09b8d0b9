#include "channel_table.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tonara2 {
namespace {

constexpr double kFullScale16 = 65536.0;  // the points' 16-bit scale, see kTableSteps
constexpr std::int32_t kLargest16 = 0xFFFF;
constexpr double kLargest8 = 255.0;

double held(double value) {
    return std::isfinite(value) ? std::clamp(value, 0.0, 1.0) : 0.0;
}

}  // namespace

void fillTable(ChannelTable& table, const ToneFunction& function) {
    // Points on a full scale of 65536, where the identity gives every sample back exactly.
    std::vector<std::int32_t> points(kTableSteps + 1);
    for (std::size_t i = 0; i <= kTableSteps; ++i) {
        const double x = static_cast<double>(i) / kTableSteps;
        points[i] = static_cast<std::int32_t>(std::lround(held(function(x)) * kFullScale16));
    }
    constexpr std::size_t kValuesPerStep = kSixteenBitValues / kTableSteps;
    for (std::size_t v = 0; v < kSixteenBitValues; ++v) {
        const std::int32_t low = points[v / kValuesPerStep];
        const std::int32_t high = points[v / kValuesPerStep + 1];
        const auto within = static_cast<std::int32_t>(v % kValuesPerStep);
        const std::int32_t value =
            low + (high - low) * within / static_cast<std::int32_t>(kValuesPerStep);
        table.sixteen[v] = static_cast<std::uint16_t>(std::min(value, kLargest16));
    }
    for (std::size_t v = 0; v < kEightBitValues; ++v) {
        const double x = static_cast<double>(v) / kLargest8;
        table.eight[v] = static_cast<std::uint8_t>(std::lround(held(function(x)) * kLargest8));
    }
}

}  // namespace tonara2
