// The dictionary forms of history entries, of the lists of "job3.xml" and of a favourite file,
// apart from the files, so that tests and the fuzz target can give the readers any value.
#pragma once

#include <cstdint>

#include "cf/value.h"
#include "history/print_jobs.h"

/// Keys of "job3.xml".
inline constexpr const char* kJobFileVersionKey = "JobFileVers";
inline constexpr const char* kJobTodayCountKey = "JobTodayCount";
inline constexpr const char* kJobDateKey = "JobDate";
inline constexpr const char* kJobsKey = "Jobs";
inline constexpr const char* kFavoritesKey = "Favorites";

/// The entry dictionary: its strings when present, its four numbers and its settings' keys.
cf::Value entryDictionary(const SetDataList& entry);

/// The list as the array of its entry dictionaries.
cf::Value entryArray(const PrintJobs& list);

/// The list under `arrayKey` of a "job3.xml" root: none when the root is not of version 100,
/// lacks the key or holds more than kMaxPrintJobs entries. With `history` set, today's count and
/// the date come from the root; otherwise they are 0 and none.
PrintJobsPtr printJobsFromRoot(const cf::Value& root, const char* arrayKey, bool history);

/// The favourite file's root for `entry` made for `printerID`.
cf::Value favoriteDictionary(std::int32_t printerID, const SetDataList& entry);

/// Fills `entry` from a favourite file's root made for `printerID`: 0, or
/// kFavoriteFileNotForPrinter with the entry untouched.
std::int32_t entryFromFavoriteRoot(const cf::Value& root, std::int32_t printerID,
                                   SetDataList* entry);
