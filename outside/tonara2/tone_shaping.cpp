#include "tone_shaping.h"

#include <algorithm>
#include <cmath>

namespace tonara2 {
namespace {

constexpr double kCurveLast = 4095.0;
constexpr double kCurveScale = 65535.0;
constexpr double kBrightnessOctaves = 0.5;  // gamma exponent halves or doubles at full amount
constexpr double kContrastOctaves = 1.0;
constexpr double kToneReach = 0.12;  // highlight and shadow: most change at full amount
constexpr std::int32_t kFogRange = 60;
constexpr double kFogReach = 0.25;  // black at full fog: a quarter of the way to white
// x² (1 - x) and x (1 - x)² peak at 4/27; this scales their peaks to 1.
constexpr double kCubicPeak = 27.0 / 4.0;

double share(std::int32_t amount) {
    return std::clamp(amount, -kAdjustRange, kAdjustRange) / static_cast<double>(kAdjustRange);
}

double usableGamma(double gamma) {
    return std::isfinite(gamma) && gamma > 0.0 ? gamma : kNeutralGamma;
}

}  // namespace

double curveAt(const std::uint16_t* curve, double x) {
    if (curve == nullptr) {
        return x;
    }
    const double position = std::clamp(x, 0.0, 1.0) * kCurveLast;
    const auto below = static_cast<std::size_t>(position);
    const std::size_t above =
        std::min<std::size_t>(below + 1, static_cast<std::size_t>(kCurveLast));
    const double t = position - static_cast<double>(below);
    return (curve[below] * (1.0 - t) + curve[above] * t) / kCurveScale;
}

double brightness(double x, std::int32_t amount) {
    return std::pow(std::clamp(x, 0.0, 1.0), std::exp2(-share(amount) * kBrightnessOctaves));
}

double contrast(double x, std::int32_t amount) {
    const double k = std::exp2(share(amount) * kContrastOctaves);
    x = std::clamp(x, 0.0, 1.0);
    return x < 0.5 ? 0.5 * std::pow(2.0 * x, k) : 1.0 - 0.5 * std::pow(2.0 - 2.0 * x, k);
}

double midToneShift(double x, double amount, double reach) {
    const double shift = std::clamp(amount, -1.0, 1.0) * reach * 4.0 * x * (1.0 - x);
    return std::clamp(x + shift, 0.0, 1.0);
}

double highlight(double x, std::int32_t amount) {
    return std::clamp(x + share(amount) * kToneReach * kCubicPeak * x * x * (1.0 - x), 0.0, 1.0);
}

double shadow(double x, std::int32_t amount) {
    return std::clamp(x + share(amount) * kToneReach * kCubicPeak * x * (1.0 - x) * (1.0 - x), 0.0,
                      1.0);
}

double gradation(double x, double gamma) {
    return std::pow(std::clamp(x, 0.0, 1.0), usableGamma(gamma) / kNeutralGamma);
}

double fromGradation(double x, double gamma) {
    return std::pow(std::clamp(x, 0.0, 1.0), kNeutralGamma / usableGamma(gamma));
}

double whiteFog(double x, std::int32_t fog) {
    const double lift = std::clamp(fog, 0, kFogRange) / static_cast<double>(kFogRange) * kFogReach;
    return lift + (1.0 - lift) * x;
}

}  // namespace tonara2
