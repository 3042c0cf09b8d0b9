#include "helpers/unit_conversion.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kMmPerInch = 25.4;

constexpr std::int32_t kLargest = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kSmallest = std::numeric_limits<std::int32_t>::min();

// The integer part toward zero, plus 1 when the remaining fraction is 0.5 or more. Values from
// settings files may be anything: results beyond 32 bits stop at its limits instead of wrapping.
std::int32_t nearest(double x) {
    const double whole = std::trunc(x);
    if (whole >= kLargest) {
        return kLargest;
    }
    if (whole <= kSmallest) {
        return kSmallest;
    }
    return static_cast<std::int32_t>(whole) + (x - whole >= 0.5 ? 1 : 0);
}

std::int32_t withSignOf(std::int32_t value, std::int32_t magnitude) {
    return value < 0 ? -magnitude : magnitude;
}

}  // namespace

std::int32_t pixel2mm(std::int32_t pixels, std::int32_t dpi) {
    if (dpi == 0) {
        return 0;
    }
    return nearest(254.0 * pixels / dpi);
}

std::int32_t pixel2inch(std::int32_t pixels, std::int32_t dpi) {
    if (dpi == 0) {
        return 0;
    }
    return nearest(static_cast<double>(pixels) / dpi * 100.0);
}

std::int32_t mm2inch(std::int32_t tenthsMm) {
    return withSignOf(tenthsMm,
                      nearest(10.0 * std::fabs(static_cast<double>(tenthsMm)) / kMmPerInch));
}

std::int32_t inch2mm(std::int32_t hundredthsInch) {
    const double mm = std::fabs(static_cast<double>(hundredthsInch)) / 100.0 * kMmPerInch;
    constexpr std::int64_t kTenthsPerMm = 10;
    return withSignOf(hundredthsInch, static_cast<std::int32_t>(std::min<std::int64_t>(
                                          nearest(mm) * kTenthsPerMm, kLargest)));
}

std::int32_t inch2mm_tailRound(std::int32_t hundredthsInch) {
    const double tenths =
        std::fabs(static_cast<double>(hundredthsInch)) / 100.0 * kMmPerInch * 10.0;
    return withSignOf(hundredthsInch, nearest(tenths));
}
