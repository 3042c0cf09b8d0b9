// QDXA dates: the 8-byte wire form and the conversion from Greenwich to local time.
#pragma once

#include <cstdint>

/// A date; the day of the week runs from 1 to 7.
struct QDXADateTime {
    std::int16_t year = 0;
    std::int16_t month = 0;
    std::int16_t day = 0;
    std::int16_t hour = 0;
    std::int16_t minute = 0;
    std::int16_t second = 0;
    std::int16_t dayOfWeek = 0;
};
static_assert(sizeof(QDXADateTime) == 14);

inline constexpr std::uint32_t kQDXAWireDateSize = 8;

/// Decodes the 8 wire bytes at `wire` into *date (when given), converting to local time when
/// asked; returns the position after the 8 bytes.
const std::uint8_t* QDXA2MacDateTime(const std::uint8_t* wire, QDXADateTime* date,
                                     bool toLocalTime);

/// Converts a date in Greenwich time to local time with the system time zone's offset at that
/// moment; the day of the week moves with the day.
void L_GMT2Local(QDXADateTime* date);
