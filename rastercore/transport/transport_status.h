// What the job transport shows and asks while it waits: the status messages of the progress
// channel and the user's cancel.
#pragma once

#include <cstdint>

#include "rastercore/progress.h"
#include "record/progress_channel.h"

struct QDXA_Info;

/// Seconds since 2001-01-01 UTC, the clock of the packet record's cancel-poll time.
double secondsSinceReferenceDate();

/// The message for a printer the device library reports offline with `detail`: 3 offline (0 or
/// 1001), 4 used by another user (1011), 5 any other printer error.
rastercore::ProgressStatus statusForOfflineDetail(std::uint32_t detail);

/// Shows `status` through the record's progress channel.
void showTransportStatus(const QDXA_Info& info, rastercore::ProgressStatus status);

/// Polls the record's progress channel for cancel in `mode` and notes the time of the poll.
bool transportCancelled(QDXA_Info& info, CancelPoll mode);
