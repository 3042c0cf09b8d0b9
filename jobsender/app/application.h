// The JobSenderAgent program: it listens for events on the job sender's socket of its root spool
// folder, runs the processing loop between them, and terminates when asked to (by the idle quit
// or a 'quit' event, through the quit confirmation) or on SIGTERM or SIGINT.
#pragma once

#include <functional>
#include <string>

namespace jobsender {

/// Exit statuses of the program.
inline constexpr int kExitDone = 0;      ///< terminated, or another job sender serves the folder
inline constexpr int kExitNoSocket = 1;  ///< no socket to listen on
inline constexpr int kExitNoSpool = 2;   ///< no root spool folder

/// The quit confirmation alert: message, first button (quit), second button (keep running); true
/// when the first was chosen.
using QuitAlert = std::function<bool(const std::string&, const std::string&, const std::string&)>;

/// Runs the program, asking `quitAlert` before quitting with jobs in the queue; its exit status.
int runApplication(const QuitAlert& quitAlert);

}  // namespace jobsender
