#include "channel_table.h"

#include <algorithm>
#include <cmath>

namespace tonara2 {
namespace {

constexpr double kFullScale16 = 65536.0;  // the tables' 16-bit scale, see kTableSteps
constexpr double kLargest8 = 255.0;

double held(double value) {
    return std::isfinite(value) ? std::clamp(value, 0.0, 1.0) : 0.0;
}

}  // namespace

void fillTable(ChannelTable& table, const ToneFunction& function) {
    for (std::size_t i = 0; i <= kTableSteps; ++i) {
        const double x = static_cast<double>(i) / kTableSteps;
        table.sixteen[i] = static_cast<std::int32_t>(std::lround(held(function(x)) * kFullScale16));
    }
    for (std::size_t v = 0; v < kEightBitValues; ++v) {
        const double x = static_cast<double>(v) / kLargest8;
        table.eight[v] = static_cast<std::uint8_t>(std::lround(held(function(x)) * kLargest8));
    }
}

}  // namespace tonara2
