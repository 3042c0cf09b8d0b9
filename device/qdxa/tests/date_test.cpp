// Wire dates and their conversion to local time.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "qdxa/qdxa_date.h"
#include "qdxa_responder.h"
#include "support/python_oracle.h"
#include "time_zone.h"

namespace qdxa_test {
namespace {

QDXADateTime decode(const Bytes& wire, bool toLocal) {
    QDXADateTime date;
    EXPECT_EQ(QDXA2MacDateTime(wire.data(), &date, toLocal), wire.data() + 8);
    return date;
}

TEST(WireDate, FieldsWeekdayAndMilliseconds) {
    const QDXADateTime date = decode(wireDate(2026, 12, 10, 4, 14, 5, 59999), false);
    EXPECT_EQ(date.year, 2026);
    EXPECT_EQ(date.month, 12);
    EXPECT_EQ(date.day, 10);
    EXPECT_EQ(date.dayOfWeek, 5);
    EXPECT_EQ(date.hour, 14);
    EXPECT_EQ(date.minute, 5);
    EXPECT_EQ(date.second, 59);
    // Day-of-week bits 7 are read as 0, stored as 1; bits 6 as 7.
    EXPECT_EQ(decode(wireDate(2026, 1, 1, 7, 0, 0, 0), false).dayOfWeek, 1);
    EXPECT_EQ(decode(wireDate(2026, 1, 1, 6, 0, 0, 0), false).dayOfWeek, 7);
    EXPECT_EQ(decode(wireDate(4095, 15, 31, 0, 255, 255, 65535), false).second, 65);
}

TEST(WireDate, WithoutARecordOnlySkipsTheEightBytes) {
    const Bytes wire = wireDate(2026, 1, 1, 0, 0, 0, 0);
    EXPECT_EQ(QDXA2MacDateTime(wire.data(), nullptr, true), wire.data() + 8);
}

TEST(LocalTime, MatchesZoneinfoAcrossDayMonthYearAndDaylightSavingBoundaries) {
    struct Greenwich {
        int year, month, day, hour, minute, second, weekday;
    };
    const Greenwich moments[] = {
        {2026, 12, 10, 14, 5, 30, 5}, {2026, 3, 1, 2, 0, 0, 1},   {2026, 1, 1, 3, 59, 59, 5},
        {2026, 3, 8, 6, 59, 0, 1},    {2026, 3, 8, 7, 0, 0, 1},   {2026, 11, 1, 5, 30, 0, 1},
        {2024, 2, 29, 23, 0, 0, 5},   {2026, 1, 31, 23, 0, 0, 7}, {2026, 6, 30, 20, 0, 0, 3},
        {2026, 12, 31, 22, 0, 0, 5},  {2026, 4, 1, 1, 0, 0, 4},   {2026, 4, 6, 4, 0, 0, 7},
    };
    for (const char* zone : {"America/New_York", "Asia/Tokyo", "Australia/Adelaide", "UTC"}) {
        SCOPED_TRACE(zone);
        TimeZone scope(zone);
        std::vector<std::string> arguments{zone};
        for (const Greenwich& m : moments) {
            QDXADateTime date;
            date.year = static_cast<std::int16_t>(m.year);
            date.month = static_cast<std::int16_t>(m.month);
            date.day = static_cast<std::int16_t>(m.day);
            date.hour = static_cast<std::int16_t>(m.hour);
            date.minute = static_cast<std::int16_t>(m.minute);
            date.second = static_cast<std::int16_t>(m.second);
            date.dayOfWeek = static_cast<std::int16_t>(m.weekday);
            L_GMT2Local(&date);
            for (int value : {m.year, m.month, m.day, m.hour, m.minute, m.second, m.weekday,
                              int{date.year}, int{date.month}, int{date.day}, int{date.hour},
                              int{date.minute}, int{date.second}, int{date.dayOfWeek}}) {
                arguments.push_back(std::to_string(value));
            }
        }
        EXPECT_EQ(testsupport::runPython(QDXA_TEST_DIR "/local_time_oracle.py", arguments), 0);
    }
}

TEST(LocalTime, WireDatesAreConvertedWhenAsked) {
    TimeZone scope("Asia/Tokyo");
    const QDXADateTime date = decode(wireDate(2026, 1, 31, 6, 23, 0, 0), true);
    EXPECT_EQ(date.month, 2);
    EXPECT_EQ(date.day, 1);
    EXPECT_EQ(date.hour, 8);
    EXPECT_EQ(date.dayOfWeek, 1);  // 7 moves forward past the month boundary and wraps
}

}  // namespace
}  // namespace qdxa_test
