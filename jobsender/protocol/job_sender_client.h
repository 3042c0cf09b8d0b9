// Reaching the job sender: its socket, its program, and events sent to it, starting it first
// when it does not run.
//
// One job sender serves one root spool folder; its socket's name is made from that folder, so
// job senders of different spool folders (a user's and a test's) never meet.
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>

#include "events/event.h"
#include "events/event_socket.h"

namespace jobsender {

/// Names the job sender program to start; set empty, no job sender is ever started.
inline constexpr const char* kProgramVariable = "STRATOLINE_JOBSENDER";
/// The program under the driver root when the variable is not set.
inline constexpr const char* kProgramUnderDriverRoot =
    "Orvane/TARN/Utilities/JobSenderAgent/JobSenderAgent";
/// How long a started job sender has to begin listening.
inline constexpr std::chrono::milliseconds kStartWait{5000};

/// The socket of the job sender of `spoolRoot`: "JobSenderAgent-<16 hexadecimal digits made from
/// the folder's path>.socket" in the socket folder; nothing when there is no socket folder.
std::optional<std::filesystem::path> jobSenderSocket(const std::filesystem::path& spoolRoot);

/// The job sender program: $STRATOLINE_JOBSENDER, else the one under the driver root; nothing
/// when the variable is set empty.
std::optional<std::filesystem::path> jobSenderProgram();

/// Sends `event` to the job sender of `spoolRoot` (see events::sendEvent). When none runs and
/// `start` is set, starts the program and sends once it listens, within kStartWait.
events::SendStatus sendToJobSender(const std::filesystem::path& spoolRoot,
                                   const events::Event& event, events::Event* reply,
                                   std::chrono::milliseconds timeout, bool start);

}  // namespace jobsender
