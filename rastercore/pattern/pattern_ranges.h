// The ranges of the adjustment types of a test-pattern axis, and the clamp of a value to them.
#pragma once

#include <cstdint>

/// The range of `type` in colour output: types 1 to 7 (the colour items) -30 to 30, any other
/// type 0 to 0. Returns 0.
std::int32_t getAdjustRangeColor(std::int32_t type, std::int32_t* minimum, std::int32_t* maximum);

/// The range of `type` in monochrome output: 8 -100 to 100, 9 -40 to 40, 10 -1 to 3, 11 to 14
/// -30 to 30, 15 0 to 60, any other type 0 to 0. Returns 0.
std::int32_t getAdjustRangeMono(std::int32_t type, std::int32_t* minimum, std::int32_t* maximum);

/// Clamps `value` to the range of `type` (monochrome ranges for colour mode 3, colour ranges
/// otherwise) into `*clamped`. Returns 1 when the value lay outside, else 0.
std::int32_t checkValue(std::int32_t colorMode, std::int32_t type, std::int32_t value,
                        std::int32_t* clamped);
