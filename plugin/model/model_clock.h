// The local date and time the settings model stamps jobs with, from a clock that tests replace.
#pragma once

#include <cstdint>
#include <functional>

/// A local date and time in the Gregorian calendar.
struct ModelDate {
    std::int32_t year = 0;
    std::int32_t month = 0;  ///< 1 to 12
    std::int32_t day = 0;    ///< 1 to 31
    std::int32_t hour = 0;   ///< 0 to 23
    std::int32_t minute = 0;
};

using ModelClock = std::function<ModelDate()>;

/// The system clock in the local time zone.
ModelDate systemLocalDate();
