// QDXA date decoding and the conversion to local time.
#include "qdxa/qdxa_date.h"

#include <ctime>

#include "bytes/byte_order.h"

namespace {

// First word: year in bits 31-20, month 19-16, day 15-11, day of the week 10-8 (0 to 6; 7 is
// read as 0). Second word: hour in bits 31-24, minute 23-16, milliseconds 15-0.
constexpr int kYearShift = 20;
constexpr std::uint32_t kYearMask = 0xFFF;
constexpr int kMonthShift = 16;
constexpr std::uint32_t kMonthMask = 0xF;
constexpr int kDayShift = 11;
constexpr std::uint32_t kDayMask = 0x1F;
constexpr int kWeekdayShift = 8;
constexpr std::uint32_t kWeekdayMask = 0x7;
constexpr std::uint32_t kWeekdayUnused = 7;
constexpr int kHourShift = 24;
constexpr int kMinuteShift = 16;
constexpr std::uint32_t kByteMask = 0xFF;
constexpr std::uint32_t kMillisecondMask = 0xFFFF;
constexpr std::uint32_t kMillisecondsPerSecond = 1000;
constexpr int kTmYearBase = 1900;
constexpr std::int16_t kDaysPerWeek = 7;

}  // namespace

const std::uint8_t* QDXA2MacDateTime(const std::uint8_t* wire, QDXADateTime* date,
                                     bool toLocalTime) {
    if (date != nullptr) {
        const std::uint32_t first = bytes::loadBE32(wire);
        const std::uint32_t second = bytes::loadBE32(wire + 4);
        std::uint32_t weekday = (first >> kWeekdayShift) & kWeekdayMask;
        if (weekday == kWeekdayUnused) {
            weekday = 0;
        }
        date->year = static_cast<std::int16_t>((first >> kYearShift) & kYearMask);
        date->month = static_cast<std::int16_t>((first >> kMonthShift) & kMonthMask);
        date->day = static_cast<std::int16_t>((first >> kDayShift) & kDayMask);
        date->dayOfWeek = static_cast<std::int16_t>(weekday + 1);
        date->hour = static_cast<std::int16_t>((second >> kHourShift) & kByteMask);
        date->minute = static_cast<std::int16_t>((second >> kMinuteShift) & kByteMask);
        date->second =
            static_cast<std::int16_t>((second & kMillisecondMask) / kMillisecondsPerSecond);
        if (toLocalTime) {
            L_GMT2Local(date);
        }
    }
    return wire + kQDXAWireDateSize;
}

void L_GMT2Local(QDXADateTime* date) {
    if (date == nullptr) {
        return;
    }
    std::tm greenwich{};
    greenwich.tm_year = date->year - kTmYearBase;
    greenwich.tm_mon = date->month - 1;
    greenwich.tm_mday = date->day;
    greenwich.tm_hour = date->hour;
    greenwich.tm_min = date->minute;
    greenwich.tm_sec = date->second;
    const std::time_t moment = timegm(&greenwich);
    std::tm local{};
    if (moment == static_cast<std::time_t>(-1) || localtime_r(&moment, &local) == nullptr) {
        return;
    }
    // A change of the day across a month boundary moves the weekday by one as well.
    const int dayChange = local.tm_mday - date->day;
    int weekdayChange = dayChange;
    if (dayChange < -1) {
        weekdayChange = 1;
    } else if (dayChange >= 2) {
        weekdayChange = -1;
    }
    std::int16_t weekday = static_cast<std::int16_t>(date->dayOfWeek + weekdayChange);
    if (weekday == kDaysPerWeek + 1) {
        weekday = 1;
    } else if (weekday == 0) {
        weekday = kDaysPerWeek;
    }
    date->year = static_cast<std::int16_t>(local.tm_year + kTmYearBase);
    date->month = static_cast<std::int16_t>(local.tm_mon + 1);
    date->day = static_cast<std::int16_t>(local.tm_mday);
    date->hour = static_cast<std::int16_t>(local.tm_hour);
    date->minute = static_cast<std::int16_t>(local.tm_min);
    date->second = static_cast<std::int16_t>(local.tm_sec);
    date->dayOfWeek = weekday;
}
