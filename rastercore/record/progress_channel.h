// The progress and cancel channel of a running job, chosen by the host type: the progress object
// for the image editor (host type 1), the local notification centre for the photo application
// (host type 2), nothing for any other host.
#pragma once

#include <cstdint>

#include "rastercore/progress.h"

struct CommonInfoTable;
struct CoreCommonInfoTbl;
struct PLGContext;

namespace cf {
struct Notification;
}

/// How a cancel poll asks the image editor's progress object.
enum class CancelPoll { Normal, JobOpen };

/// The host type of the job record's host information record; 0 when there is none.
std::uint8_t hostTypeOf(const CoreCommonInfoTbl* table);

/// True when cancel was asked: host type 2 reads `cancelByte`, host type 1 asks `progress`
/// (`idleProgress`, or `idleProgressJobOpen` for `CancelPoll::JobOpen`), others never cancel.
bool pollCancel(std::uint8_t hostType, rastercore::ProgressObject* progress,
                const std::uint8_t* cancelByte, CancelPoll mode);

/// Reports `percent` to the host: host type 2 posts `kChangeProgressValueNotification` with a
/// real number, host type 1 calls `setProgressValue`.
void sendProgressValue(std::uint8_t hostType, rastercore::ProgressObject* progress,
                       std::int16_t percent);

/// Reports a status message number: host type 2 posts `kChangeProgressStringNotification` with a
/// 32-bit integer, host type 1 calls `setStatusMessage`.
void sendStatusMessage(std::uint8_t hostType, rastercore::ProgressObject* progress,
                       rastercore::ProgressStatus status);

/// `pollCancel` for the job of `context`, in normal mode.
bool checkProgressCancel(PLGContext* context);

/// Reports `percent` for the job of `context` when it differs from `*lastPercent`, then makes it
/// the last reported one.
void progressSetValue(PLGContext* context, std::int16_t percent, std::int16_t* lastPercent);

/// The cancel notification's callback: marks the cancel byte `observer` points at.
void printCancelCallback(std::uint8_t* observer, const cf::Notification& notification);
