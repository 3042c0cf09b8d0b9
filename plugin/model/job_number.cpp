// The day key and the job number of the day.
#include "job_number.h"

#include <cstdio>

std::string dayKey(const ModelDate& date) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d", date.year, date.month, date.day);
    return text;
}

std::int32_t nextJobNumber(std::size_t historyEntries, const std::optional<std::string>& jobDate,
                           std::int32_t todayCount, const std::string& todayKey) {
    if (historyEntries == 0 || !jobDate || jobDate->size() < kDayKeyLength ||
        jobDate->compare(0, kDayKeyLength, todayKey, 0, kDayKeyLength) != 0) {
        return 1;
    }
    return todayCount + 1;
}
