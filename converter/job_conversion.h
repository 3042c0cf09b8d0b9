// A printer's old print history and favourites, "Job.pref" in the printer's folder, into
// "job3.xml".
//
// The file is a big-endian signed 16-bit count and that many records of one of three versions:
// 200 (5634 bytes), 102 (2052) or 100 (1280). The high half of a record's 32-bit flags tells its
// lists: bit 0 the history, bit 1 the favourites, both possible.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "conversion_check.h"
#include "history/print_jobs.h"

/// The lists of an old history file.
struct OldJobLists {
    PrintJobs history;
    PrintJobs favorites;
};

/// The record version of an old history file of `fileSize` bytes starting with `count`: the
/// version whose records fill the file exactly, else the first of 200, 102 and 100 whose records
/// the file holds whole. None for a negative count or a file too short for every version.
std::optional<std::int16_t> oldJobRecordVersion(std::uintmax_t fileSize, std::int16_t count);

/// The history and favourites of an old history file's bytes, in record order. The history's
/// day count and date come from its first record. None when the count is negative or the file
/// holds no version's records whole.
std::optional<OldJobLists> readOldJobFile(std::span<const std::uint8_t> file);

/// Converts the printer's "Job.pref" into its "job3.xml" unless a good one is there already,
/// reading no more of the file than its count's records. True when the new file was written.
bool convJobAndFavorite(const char* printerName, const PrinterFolder& printerFolder,
                        const char* productFolder);
