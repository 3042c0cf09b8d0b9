// Small file helpers of the timing log.
#pragma once

#include <string_view>

/// Permissions of the files the core creates for diagnostics.
inline constexpr unsigned kLogFileMode = 0644;

/// Opens `path` with `flags` (plus create and truncate when `create` is set, with mode 0644)
/// into `*fd`; 0, or -1 for a null argument or when opening fails.
int open_logFile2(const char* path, int* fd, int flags, bool create);

/// `open_logFile2` with read-write flags.
int open_logFile(const char* path, int* fd, bool create);

/// Closes `fd`; 0, or -1 when closing fails.
int close_logFile(int fd);

/// Removes the file at `path`; 0, or -1 for a null path or when removing fails.
int remove_logFile(const char* path);

/// Writes all of `text` to `fd`, retrying short writes; false at the first error.
bool write_logText(int fd, std::string_view text);
