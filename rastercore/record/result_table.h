// The plug-in error code that the caller sees for each internal result of a job.
#pragma once

#include <cstdint>

/// The plug-in error code of an internal result: 0 and -1300 succeed; 1100 cancelled; -1000 and
/// the modules' x020 codes out of memory; -1200 job not opened; -1400 host image failure; any
/// other code a printing error.
std::uint32_t pluginErrorFromResult(std::int32_t result);
