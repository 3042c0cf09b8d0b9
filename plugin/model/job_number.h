// The day key and the job number of the day that the history keeps.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model_clock.h"

/// Characters of a day key: year, month and day as "%04d%02d%02d".
inline constexpr std::size_t kDayKeyLength = 8;

std::string dayKey(const ModelDate& date);

/// The job number the next print of the day `todayKey` gets: the history's today's count + 1
/// when the history holds entries and its job date begins with that day's key, else 1.
std::int32_t nextJobNumber(std::size_t historyEntries, const std::optional<std::string>& jobDate,
                           std::int32_t todayCount, const std::string& todayKey);
