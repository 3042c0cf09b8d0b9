// The per-job timing log "debug_time.csv", kept when the user has made a folder "DEBUG_TIME" on
// the Desktop.
//
// The log is text with CR LF line ends: the header "name,fileName,date,print Time[ms]" when the
// file is empty, then one line per job: label, image name, date, elapsed milliseconds of process
// clock time with six decimals. Timing never affects a job: callers ignore these results.
#pragma once

#include "rastercore/result_codes.h"

/// The timing folder on the Desktop and the default log file in it.
inline constexpr const char* kDebugTimeFolder = "DEBUG_TIME";
inline constexpr const char* kDebugTimeLogFile = "debug_time.csv";

/// One job's timing record, made by `startTimeProcess` and consumed by `endTimeProcess`.
struct TimeProcessRecord;

/// 1 when timing is on: the Desktop exists and a file can be created (and is then removed) in
/// its "DEBUG_TIME" folder; else 0.
int getDebugTimeMode();

/// Starts a record in `*record` with the process clock now and copies of the texts; a null
/// `logFileName` means "debug_time.csv", a null `imageName` an empty name. 0, or -1 when
/// `record` is null or the record cannot be allocated.
int startTimeProcess(TimeProcessRecord** record, const char* logFileName, const char* imageName,
                     const char* dateText, const char* label);

/// Appends the job's line to the record's log file and frees the record (in every case).
/// 0 (also for a null record), `rastercore::kDebugTimeNoDesktop` or `kDebugTimeBadPath`.
int endTimeProcess(TimeProcessRecord* record);
