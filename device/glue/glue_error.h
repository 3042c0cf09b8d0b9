// Codes of the protocol session operations beyond the protocol statuses they pass on.
#pragma once

#include <cstdint>

#include "qdxa/qdxa_error.h"

inline constexpr std::int32_t kGlueNoErr = 0;
inline constexpr std::int32_t kGlueFailure = -1;     ///< no usable endpoint for the address
inline constexpr std::int32_t kGlueJobNotFound = 8;  ///< job not in the held list: read it again
inline constexpr std::int32_t kGlueGrowErr = 27;  ///< a reply could not be appended (handle did not
                                                  ///< grow, or the assembly passed 65,535 bytes)
/// A continued list reply asked to go on but delivered nothing: the list was ended on the
/// printer, as reading on would never finish.
inline constexpr std::int32_t kGlueListStalled = kQDXANoValidResult;
inline constexpr std::int32_t kGlueVersionErr = 15831;  ///< printer speaks another protocol version
inline constexpr std::int32_t kGlueNoVersion2Err =
    15832;  ///< printer lacks the version-2 operations
inline constexpr std::int32_t kGlueStatus12Err =
    15834;  ///< printer answered with protocol status 12
inline constexpr std::int32_t kGlueParamErr =
    15850;                                          ///< missing argument or bad count: fix the call
inline constexpr std::int32_t kGlueMemErr = 15851;  ///< out of memory, or answer too long
