// Diagnostic loggers of the core: to the system log, or to an open file.
#pragma once

/// Formats the arguments (printf rules) and writes them to the system log at error priority.
/// Does nothing when `level` is above 0.
void debugLog(int level, const char* format, ...) __attribute__((format(printf, 2, 3)));

/// Formats the arguments and writes them, followed by one "\n", to the file descriptor `fd`.
/// Does nothing when `level` is above 0.
void debugLogFd(int level, int fd, const char* format, ...) __attribute__((format(printf, 3, 4)));
