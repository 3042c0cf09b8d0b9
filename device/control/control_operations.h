// Job and printer controls: each is one request on an open protocol session.
//
// Results as in glue/glue_session.h: 0 for success (the printer's status 1 becomes 0), 15850
// without a session or a required pointer, 15851 when a buffer cannot be allocated (nothing is
// sent then), otherwise the protocol status or transport code unchanged. Multi-byte values in
// method inputs are big-endian.
#pragma once

#include <cstdint>

#include "glue/glue_session.h"

/// Methods of the printer object (601).
inline constexpr std::uint16_t kMethodTestPrint = 103;
inline constexpr std::uint16_t kMethodHeadCleaning = 104;
inline constexpr std::uint16_t kMethodIndicateSuspendedJob = 16414;
/// The first byte of a second-generation test print's input.
inline constexpr std::uint8_t kTestPrint2Command = 142;
/// Patterns of a test print that go out under the service user id.
inline constexpr std::uint8_t kTestPrintServicePattern = 1;
inline constexpr std::uint8_t kTestPrintServicePatternEx = 131;
inline constexpr std::uint32_t kTestPrintServiceUserId = 0xFFFF0001;
/// The attribute of a stored file that carries the copy count (16 bits).
inline constexpr std::uint16_t kFileAttrCopies = 2007;

/// Cleans the print head: method 104 with the number, the colour count and the codes.
std::int32_t glue_qdxaHeadCleaning(GlueSession* session, std::uint8_t number,
                                   std::uint8_t colourCount, const std::uint8_t* colours);
/// Prints test pattern `pattern`: method 103.
std::int32_t glue_qdxaTestPrint(GlueSession* session, std::uint8_t pattern);
/// The same under the service user id for patterns 1 and 131, the session's otherwise.
std::int32_t glue_qdxaTestPrintEx(GlueSession* session, std::uint8_t pattern);
/// Second-generation test print: method 16419 with 142, the value, 0, 0.
std::int32_t glue_qdxaTestPrint2(GlueSession* session, std::uint8_t value);
/// Marks a suspended job: method 16414 with the flag, 1, the job id and 0.
std::int32_t glue_qdxaIndicateSuspendedJob(GlueSession* session, std::uint32_t jobId,
                                           std::uint8_t flag);

/// Job operations with the session's user ids.
std::int32_t glue_qdxaCancelJob(GlueSession* session, std::uint32_t jobId);
std::int32_t glue_qdxaDelete(GlueSession* session, std::uint32_t jobId);
std::int32_t glue_qdxaPauseJob(GlueSession* session, std::uint32_t jobId);
std::int32_t glue_qdxaResumeJob(GlueSession* session, std::uint32_t jobId);
std::int32_t glue_qdxaPromoteJob(GlueSession* session, std::uint32_t jobId);

/// Prints stored file `fileId` again with `copies` copies.
std::int32_t glue_qdxaExecuteFile2_setCopy(GlueSession* session, std::uint32_t fileId,
                                           std::uint16_t copies);
/// Deletes *count stored files. On success the reply's file ids replace `fileIds` and *count
/// becomes their number when they fit in *count entries; otherwise the list stays as it was.
std::int32_t glue_qdxaDeleteFiles(GlueSession* session, std::uint16_t* count,
                                  std::uint32_t* fileIds, std::uint32_t password);
/// Replaces *count stored files in `fileBox`; the list is updated as by glue_qdxaDeleteFiles.
std::int32_t glue_qdxaReplaceFiles(GlueSession* session, std::uint16_t* count,
                                   std::uint32_t* fileIds, std::uint32_t fileBox,
                                   std::uint32_t password1, std::uint32_t password2);
/// Changes a file box's password. The codec carries the flags in one byte.
std::int32_t glue_qdxaChangeFileBoxPassword(GlueSession* session, std::uint32_t fileBox,
                                            std::uint32_t password0, std::uint32_t password1,
                                            std::uint32_t password2, std::uint32_t flags);

/// Bits of the monitor's support set (byte 0 and byte 1 of the 32-bit set).
inline constexpr std::uint32_t kMonitorInterrupt = 0x002;    ///< job operation 35
inline constexpr std::uint32_t kMonitorPromote = 0x004;      ///< job operation 34
inline constexpr std::uint32_t kMonitorPauseResume = 0x008;  ///< job operations 32 and 33
inline constexpr std::uint32_t kMonitorFileBox = 0x200;      ///< at least one file box
/// The device attribute that lists the object classes the printer has.
inline constexpr std::uint16_t kAttrObjectClasses = 1002;

/// Which controls the status monitor may offer, as the bits above in *support.
std::int32_t glue_qdxaGetfunc_forMonitor(GlueSession* session, std::uint32_t* support);
