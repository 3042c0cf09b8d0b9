// The status codes of the printer searches and their library statuses.
#pragma once

#include <cstdint>

/// What a search reports.
enum SearchCode : std::int32_t {
    kSearchNoErr = 0,
    kSearchParamErr = 1,    ///< a missing argument
    kSearchMemErr = 2,      ///< memory ran out
    kSearchSocketErr = 3,   ///< the UDP endpoint could not be made, bound or set to broadcast
    kSearchWouldBlock = 4,  ///< the echo could not be sent without blocking
    kSearchSendErr = 5,     ///< the echo could not be sent for another reason
    kSearchNoReply = 6,     ///< no answer within the time limit
    kSearchSystemErr = 7,   ///< the system's list of USB interfaces could not be had
};

/// The library status of a search code: 0, 10553, 10554, else 22998.
std::uint32_t LocalSearchErrorCodeToLibErrorCode(std::int32_t code);
