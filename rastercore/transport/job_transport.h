// The job transport: a job's bytes go either straight to the printer through the device library
// or into the spooling framework, from which the job sender sends them later. The packet record's
// spool flag chooses the way for the whole job.
//
// While the printer is offline or busy the transport waits, showing the status messages of the
// progress channel (3 offline, 4 used by another user, 5 printer error; 2 printing once it goes
// on) and polling for the user's cancel; only the cancel ends such a wait. Between two tries it
// pauses for kTransportRetryPause, so a waiting job does not keep a processor busy.
#pragma once

#include <chrono>
#include <cstdint>

struct QDXA_Info;

/// Pause between two tries of an operation that the printer put off.
inline constexpr std::chrono::milliseconds kTransportRetryPause{200};
/// Tries of a send in a row that take no byte before the send fails.
inline constexpr int kSendPassesWithoutProgress = 10;

/// Opens the job: directly (repeated while the printer is offline or busy, status 2 once open)
/// or in the spooling framework (status 6 whatever the outcome, and the status monitor started
/// on success). Returns 0, 1100 when the user cancelled, -1210 when the spool disk has no room
/// for the job, -1200 when the job cannot be opened otherwise.
std::int32_t PLG_IOS_JobOpen(QDXA_Info* info);

/// Sends `*length` bytes of `data`; `*length` comes back as the bytes not taken. Returns 0, 1100
/// when the user cancelled, 14000 when a direct send fails or stops making progress, -1210 when
/// the spool disk has no room for a spooled send, -1200 when a spooled send fails otherwise.
std::int32_t PLG_IOS_JobSend(QDXA_Info* info, const std::uint8_t* data, std::uint32_t* length,
                             bool last);

/// Closes the open job, as a cancelled job when `cancelled` is set, and forgets its handle. A
/// direct close is repeated while the printer is offline or busy (until the user cancels); any
/// other failure ends it, since the device library has then released the job.
void PLG_IOS_JobClose(QDXA_Info* info, bool cancelled);

/// Cancels the job on the printer: every job of the printer's job list whose client job number
/// is this job's identifier is cancelled through the administration interface.
/// `*closeAsCancelled` is set for a spooled job (which the printer never saw) and when the
/// sequence fails (no printer address, a failing request, or a control the printer refused); it
/// is cleared when the printer took the cancel or holds no such job.
void PLG_IOS_JobCancel(QDXA_Info* info, bool* closeAsCancelled);
