#include "helpers/unit_conversion.h"

#include <cmath>

namespace {

constexpr double kMmPerInch = 25.4;

// The integer part toward zero, plus 1 when the remaining fraction is 0.5 or more.
std::int32_t nearest(double x) {
    const double whole = std::trunc(x);
    return static_cast<std::int32_t>(whole) + (x - whole >= 0.5 ? 1 : 0);
}

std::int32_t withSignOf(std::int32_t value, std::int32_t magnitude) {
    return value < 0 ? -magnitude : magnitude;
}

}  // namespace

std::int32_t pixel2mm(std::int32_t pixels, std::int32_t dpi) {
    if (dpi == 0)
        return 0;
    return nearest(254.0 * pixels / dpi);
}

std::int32_t pixel2inch(std::int32_t pixels, std::int32_t dpi) {
    if (dpi == 0)
        return 0;
    return nearest(static_cast<double>(pixels) / dpi * 100.0);
}

std::int32_t mm2inch(std::int32_t tenthsMm) {
    return withSignOf(tenthsMm,
                      nearest(10.0 * std::fabs(static_cast<double>(tenthsMm)) / kMmPerInch));
}

std::int32_t inch2mm(std::int32_t hundredthsInch) {
    const double mm = std::fabs(static_cast<double>(hundredthsInch)) / 100.0 * kMmPerInch;
    return withSignOf(hundredthsInch, nearest(mm) * 10);
}

std::int32_t inch2mm_tailRound(std::int32_t hundredthsInch) {
    const double tenths =
        std::fabs(static_cast<double>(hundredthsInch)) / 100.0 * kMmPerInch * 10.0;
    return withSignOf(hundredthsInch, nearest(tenths));
}
