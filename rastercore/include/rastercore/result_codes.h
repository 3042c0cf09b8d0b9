// Result codes of the print core: the internal codes of its steps and the plug-in error codes
// that `RasterCore_Process` hands back.
#pragma once

#include <cstdint>

namespace rastercore {

// Internal codes. 0 is success everywhere.
inline constexpr std::int32_t kResultOk = 0;
inline constexpr std::int32_t kResultFailure = -1;            ///< generic failure: job fails
inline constexpr std::int32_t kResultNoMemory = -1000;        ///< out of memory: job fails
inline constexpr std::int32_t kResultJobNotOpened = -1200;    ///< job open or spool failed
inline constexpr std::int32_t kResultSpoolDiskFull = -1210;   ///< no room to spool: free space
inline constexpr std::int32_t kResultNothingToPrint = -1300;  ///< image off the medium: success
inline constexpr std::int32_t kResultHostImage = -1400;       ///< the host refused an image call
inline constexpr std::int32_t kResultCancelled = 1100;        ///< the user cancelled
inline constexpr std::int32_t kNoMediaDatabase = 10000;       ///< the model reads no media database
inline constexpr std::int32_t kColorNoMemory = 10020;         ///< colour module out of memory
inline constexpr std::int32_t kPacketBadArgument = 11010;     ///< packet writer: missing argument
inline constexpr std::int32_t kPacketNoMemory = 11020;        ///< packet module out of memory
inline constexpr std::int32_t kCommandBadArgument = 12010;    ///< command generator: bad argument
inline constexpr std::int32_t kCommandNoMemory = 12020;       ///< command module / allocator
inline constexpr std::int32_t kFamilyNotSupported = 12040;    ///< printer family not supported
inline constexpr std::int32_t kMediaDbNotOpened = 13010;      ///< media database not opened
inline constexpr std::int32_t kRowNoMemory = 13020;           ///< row buffers out of memory
inline constexpr std::int32_t kTransportFailure = 14000;      ///< the job transport failed
inline constexpr std::int32_t kTransportNoAddress = 14010;    ///< no printer address to cancel on
inline constexpr std::int32_t kTransportNoMemory = 14020;     ///< transport out of memory

/// The result of a step that fails as a whole: a cancel stays a cancel, so that the user sees
/// the print cancelled, a spool disk without room stays so, so that the user learns why, and any
/// other failure becomes the generic failure.
constexpr std::int32_t stepResult(std::int32_t result) {
    return result == kResultOk || result == kResultCancelled || result == kResultSpoolDiskFull
               ? result
               : kResultFailure;
}

// Codes of the helpers that stand apart from the job's result table.
inline constexpr std::int32_t kZupNoMemory = 2000;        ///< older allocator: no memory
inline constexpr std::int32_t kDebugTimeNoDesktop = -43;  ///< no Desktop folder: nothing logged
inline constexpr std::int32_t kDebugTimeBadPath = -1;     ///< log path not formed or not opened

// Plug-in error codes (message n: n << 16 | 0x100 | n - 1), shown by the dialog's alert table.
inline constexpr std::uint32_t kPlgSuccess = 0;
inline constexpr std::uint32_t kPlgCancelled = 0x50104;       ///< the user cancelled the print
inline constexpr std::uint32_t kPlgNoMemory = 0x40103;        ///< out of memory
inline constexpr std::uint32_t kPlgCheckPrinter = 0x10100;    ///< job not opened or not spooled
inline constexpr std::uint32_t kPlgWriteFile = 0x350134;      ///< the spooled job not written
inline constexpr std::uint32_t kPlgHostImage = 0x290128;      ///< the host did not deliver a band
inline constexpr std::uint32_t kPlgPrintingError = 0x1A0119;  ///< any other printing error
inline constexpr std::uint32_t kPlgNoJobRecord = 0xFFFFFFFF;  ///< called without a job record
/// Preview colour management failed: the dialog shows the image without it.
inline constexpr std::uint32_t kPlgColorManagement = 0x430142;

}  // namespace rastercore
