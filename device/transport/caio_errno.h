// System error numbers as the channel reports them.
//
// Channel statuses carry the library's own error numbers, which keep their historical values
// (35 try again, 54 connection reset, 60 timed out, 61 refused ...) whatever the host's errno
// values are. Every native errno value reaches a caller only through this table.
#pragma once

#include <cstdint>

/// The library's error number for a native errno value, or 0 when the table has none.
std::int32_t caioCodeFromErrno(int error);

/// The channel status for a native errno value: the library's number with kCaioCodeBit set, or
/// kCaioFailure for a value the table does not know (including 0).
std::int32_t caioStatusFromErrno(int error);
