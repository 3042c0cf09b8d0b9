// Values kept in hundredths.
#include "hundredths.h"

#include <cmath>

namespace {
constexpr double kPerUnit = 100.0;
constexpr double kRepresentationMargin = 1e-6;  // in hundredths
}  // namespace

std::int32_t wholeHundredths(double value) {
    const double scaled = value * kPerUnit;
    return static_cast<std::int32_t>(
        std::trunc(scaled + std::copysign(kRepresentationMargin, scaled)));
}

double truncatedToHundredths(double value) {
    return wholeHundredths(value) / kPerUnit;
}
