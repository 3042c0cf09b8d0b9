// The transport codes for the host's errno values.
//
// A channel status carries a system error as n | 0x1000, where n is the BSD number of that error:
// the numbers the library's statuses have always carried (4150 reset, 4156 time-out, 4157
// refused). Linux numbers most socket errors differently, so every errno the network transport
// reports goes through this one table.
#pragma once

#include <cstdint>

/// The transport code n for `error` (an errno value); kCaioFailure (-1) for 0 and for a value
/// the table does not know, which the caller reports as a failure without a code.
std::int32_t caiolibCodeFromErrno(int error);
