// The system clock in the local time zone.
#include "model_clock.h"

#include <ctime>

ModelDate systemLocalDate() {
    constexpr std::int32_t kTmYearBase = 1900;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + kTmYearBase, local.tm_mon + 1, local.tm_mday, local.tm_hour,
            local.tm_min};
}
