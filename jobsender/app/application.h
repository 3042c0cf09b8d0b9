// The JobSenderAgent program: it listens for events on the job sender's socket of its root spool
// folder, runs the processing loop between them, and terminates when asked to (by the idle quit
// or a 'quit' event, through the quit confirmation) or on SIGTERM or SIGINT.
#pragma once

namespace jobsender {

/// Exit statuses of the program.
inline constexpr int kExitDone = 0;      ///< terminated, or another job sender serves the folder
inline constexpr int kExitNoSocket = 1;  ///< no socket to listen on
inline constexpr int kExitNoSpool = 2;   ///< no root spool folder

/// Runs the program; its exit status.
int runApplication();

}  // namespace jobsender
