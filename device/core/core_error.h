// Core result codes, and the tables that turn the codes of the layers below into them.
//
// Every core operation returns one core result code. The library interface turns it into a
// library status; the tables here are pure functions of their input.
#pragma once

#include <cstdint>

inline constexpr std::uint32_t kCoreNoErr = 0;
inline constexpr std::uint32_t kCoreParamErr = 1;       ///< bad argument or kind: fix the call
inline constexpr std::uint32_t kCoreMemErr = 2;         ///< out of memory or no transport made
inline constexpr std::uint32_t kCoreNoSessionErr = 3;   ///< no session, or wrong protocol version
inline constexpr std::uint32_t kCoreNoVersion2Err = 4;  ///< printer lacks version-2 operations
inline constexpr std::uint32_t kCoreResetErr = 5;       ///< connection reset: retry
inline constexpr std::uint32_t kCoreRefusedErr = 6;     ///< connection refused: retry later
inline constexpr std::uint32_t kCoreBusyErr = 7;        ///< device busy: retry later
inline constexpr std::uint32_t kCoreTimedOutErr = 8;    ///< timed out: retry
inline constexpr std::uint32_t kCoreTryAgainErr = 9;    ///< temporarily unavailable: retry
inline constexpr std::uint32_t kCoreStatus12Err = 10;   ///< printer answered protocol status 12
inline constexpr std::uint32_t kCoreGlueParamErr = 11;  ///< protocol layer refused an argument
inline constexpr std::uint32_t kCoreUnknownErr = 12;    ///< any other failure
inline constexpr std::uint32_t kCorePrinterRefusedErr = 13;    ///< printer refused a command
inline constexpr std::uint32_t kCoreFileListStatus30Err = 14;  ///< file list answered status 30
inline constexpr std::uint32_t kCoreTicketErr = 15;            ///< ticket library failure

/// Control result codes that differ from the glue code they stand for.
inline constexpr std::int32_t kCoreControlUnknownErr = 23998;  ///< general failure (glue -1)
inline constexpr std::int32_t kCoreControlRefusedErr = 16001;  ///< printer refused (transport 4203)

/// Ticket library code to core code: 0 → 0, 1 → 15, 2 → 2, 3 (key absent: the value was not
/// asked for) → 0, anything else → 15.
std::uint32_t ConvertTktLibErrToCoreErr(int tktLibError);

/// Glue code to core code; -1 and every unlisted value give kCoreUnknownErr.
std::uint32_t ConvertGlueErrToCoreErr(std::int32_t glueError);

/// Channel status to core code; -1 and every unlisted value give kCoreUnknownErr.
std::uint32_t LocalConvertCaioErrToCoreErr(std::int32_t caioError);

/// Protocol status to glue code, by its low 16 bits: 0 and the per-request statuses 1 to 11 and
/// 13 to 33 give 0, 12 gives 15834, anything else its low 16 bits widened with their sign.
std::int32_t CheckQDXAErr(std::int32_t status);

/// Glue code to control result code: -1 → 23998, 4203 → 16001, anything else unchanged.
std::int32_t ConvertGlueErrToControlErr(std::int32_t glueError);
