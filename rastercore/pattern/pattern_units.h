// Lengths of the test-pattern layout: tenths of a millimetre turned into dots, and the fixed
// distances of the sheet.
#pragma once

#include <cstdint>

namespace patternunits {

/// Fixed distances of the sheet, in tenths of a millimetre.
inline constexpr std::int32_t k5Mm = 50;
inline constexpr std::int32_t k10Mm = 100;
inline constexpr std::int32_t k30Mm = 300;
inline constexpr std::int32_t k200Mm = 2000;

/// Tenths of a millimetre in one inch.
inline constexpr std::int64_t kTenthsPerInch = 254;

/// `tenths` of a millimetre in dots at `resolution`, truncated.
inline std::int32_t dots(std::int64_t tenths, std::int32_t resolution) {
    return static_cast<std::int32_t>(tenths * resolution / kTenthsPerInch);
}

/// `dotCount` dots at `resolution` in tenths of a millimetre, truncated.
inline std::int32_t tenths(std::int64_t dotCount, std::int32_t resolution) {
    return resolution > 0 ? static_cast<std::int32_t>(dotCount * kTenthsPerInch / resolution) : 0;
}

}  // namespace patternunits
