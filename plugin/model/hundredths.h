// Values kept in hundredths (the magnification in percent, saved × 100).
#pragma once

#include <cstdint>

/// The whole hundredths of `value`, truncated towards zero. A tiny margin keeps a value that
/// binary floating point stores just below a hundredth (16.4 × 100 = 1639.999…) on that
/// hundredth; it is far below the hundredth that truncation drops (99.999 stays 9999).
std::int32_t wholeHundredths(double value);
/// `value` truncated to hundredths.
double truncatedToHundredths(double value);
