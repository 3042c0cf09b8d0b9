// Printer information read through vendor methods of the printer object (601): paper, ink,
// loaded media, remaining time, test prints, calibration, colour checks, the administrator
// password, job logs and updates.
//
// Each query runs one method with its fixed input into a 512-byte answer buffer and reads
// fixed positions of the answer; positions that the answer does not hold leave their outputs
// cleared. Results: 0, 15850 without a session or a required output, 15851 where a query says
// so when its buffer cannot be allocated (the others then give 0 without output), or the
// method's status. Queries that say so turn a per-request protocol status into 0.
#pragma once

#include <cstdint>

#include "glue/glue_session.h"
#include "qdxa/qdxa_memory.h"
#include "query/query_records.h"

inline constexpr std::uint16_t kMethodPaperAmount = 16391;
inline constexpr std::uint16_t kMethodInktankMaxAmount = 16402;
inline constexpr std::uint16_t kMethodCalibrationInfo = 16403;
inline constexpr std::uint16_t kMethodLoadedMediaInfo = 16410;
inline constexpr std::uint16_t kMethodPrintRemainTime = 16412;
inline constexpr std::uint16_t kMethodChangeMode = 16418;
inline constexpr std::uint16_t kMethodTestPrint2 = 16419;
inline constexpr std::uint16_t kMethodCustomMediaInfoQuery = 16421;
inline constexpr std::uint16_t kMethodLoadedMediaInfo2 = 16424;
inline constexpr std::uint16_t kMethodJobCompleteInfo = 16435;
inline constexpr std::uint16_t kMethodCalibrationAdjust = 16438;
inline constexpr std::uint16_t kMethodCalibrationInfo2 = 16439;
inline constexpr std::uint16_t kMethodColorCheckThreshold = 16440;
inline constexpr std::uint16_t kMethodColorCheckSchedule = 16441;
inline constexpr std::uint16_t kMethodAdministratorPasswordState = 16445;
inline constexpr std::uint16_t kMethodAdminAuthenticationPassword = 16446;
inline constexpr std::uint16_t kMethodJobLogPrintSetting = 16447;
inline constexpr std::uint16_t kMethodUpdateAvailableState = 16448;
inline constexpr std::uint16_t kMethodSupplementalInfo = 16451;

/// Characters of the administrator password that are sent.
inline constexpr std::uint32_t kAdminPasswordLength = 16;

/// Paper amount for *selector (in: the selector's low byte is sent; out: the selector the
/// printer answered), with two 16-bit values. Per-request statuses give 0.
std::int32_t glue_qdxaGetWVTPaperAmount(GlueSession* session, std::uint32_t* amount,
                                        std::uint16_t* value1, std::uint16_t* value2,
                                        std::uint32_t* selector);
/// Ink tank capacities: per tank a byte and a 16-bit value, stored as two host-order 32-bit
/// values; *count is 2 per tank. Per-request statuses give 0.
std::int32_t glue_qdxaGetInktankMaxAmount(GlueSession* session, WqsMemHandle* handle,
                                          std::uint16_t* count);
/// The loaded-media byte.
std::int32_t glue_qdxaGetWVTLoadedMediaInfo(GlueSession* session, std::uint8_t* value);
/// Per loaded tray: its alias, load status and 16-bit medium value, into three handles of
/// host-order 32-bit values; *count trays.
std::int32_t glue_qdxaGetWVTLoadedMediaInfo2(GlueSession* session, WqsMemHandle* aliases,
                                             WqsMemHandle* states, WqsMemHandle* media,
                                             std::uint16_t* count);
/// The custom-media items of `mediaId`: three handles of host-order 32-bit values, one per
/// byte of each 3-byte entry; *count entries.
std::int32_t glue_qdxaGetWVTCustomMediaInfo(GlueSession* session, std::uint16_t mediaId,
                                            WqsMemHandle* first, WqsMemHandle* second,
                                            WqsMemHandle* third, std::uint16_t* count);
/// The remaining print time record.
std::int32_t glue_qdxaGetWVTPrintRemainTime(GlueSession* session, PrintRemainTime* record);
/// The test print state byte.
std::int32_t glue_qdxaGetWVTTestPrint2Status(GlueSession* session, std::uint8_t* state);
/// Starts (action 255), follows (0) or cancels (1) a test print of *type; *type, *byte2 and
/// *byte3 receive the answer's bytes 0, 2 and 3.
std::int32_t glue_qdxaWVTTestPrint2Ex(GlueSession* session, std::uint8_t* type, std::uint8_t action,
                                      std::uint8_t* byte2, std::uint8_t* byte3);
/// The calibration list: the answer's first byte, the entry count and 22-byte entries in
/// `list->entries` (which the caller creates). Entries that the answer does not hold in full
/// are not counted.
std::int32_t glue_qdxaGetWVTCalibrationInfo(GlueSession* session, CalibrationList* list);
/// The second calibration query for `kind`, `number` and `byte`.
std::int32_t glue_qdxaGetWVTCalibrationInfo2(GlueSession* session, std::uint8_t kind,
                                             std::uint16_t number, std::uint8_t byte,
                                             CalibrationInfo2* record);
/// Asks for (action 0), switches on (1) or off (2) the change mode over a connection of
/// `connectionKind` (1 network, 2 otherwise): result, state, port number and channel number.
std::int32_t glue_qdxaGetWVTChangeMode(GlueSession* session, std::uint8_t action,
                                       std::uint8_t connectionKind, std::uint8_t* result,
                                       std::uint8_t* state, std::uint16_t* port,
                                       std::uint8_t* channel);
/// The last completed job: state, a 16-bit value, job handle, name and detail name with their
/// codes (names 256 bytes).
std::int32_t glue_qdxaGetWVTJobCompleteInfo(GlueSession* session, std::uint8_t* state,
                                            std::uint16_t* value, std::uint32_t* jobHandle,
                                            std::uint16_t* nameCode, std::uint8_t* name,
                                            std::uint16_t* detailNameCode,
                                            std::uint8_t* detailName);
/// Writes (mode 1) or reads (2) the calibration adjust value; *adjust in and out, *result.
std::int32_t glue_qdxaWVTCalibrationAdjust(GlueSession* session, std::uint8_t mode,
                                           std::uint8_t* adjust, std::uint8_t* result);
/// Writes (mode 1) or reads (2) the colour-check threshold: delta-E type and threshold value in
/// and out, *result.
std::int32_t glue_qdxaColorCheckThreshold(GlueSession* session, std::uint8_t mode,
                                          std::uint8_t* deltaEType, std::uint16_t* threshold,
                                          std::uint8_t* result);
/// Writes (mode 1) or reads (2) the colour-check schedule; every value in and out.
std::int32_t glue_qdxaColorCheckSchedule(GlueSession* session, std::uint8_t mode,
                                         std::uint8_t* timing, std::uint32_t* date,
                                         std::uint32_t* time, std::uint8_t* executionMode,
                                         std::uint8_t* automaticCalibration);
/// Whether an administrator password is set.
std::int32_t glue_qdxaAdministratorPasswordState(GlueSession* session, std::uint8_t* state);
/// Checks the administrator password (a length-prefixed string; at most 16 characters are
/// sent, the rest of the field is zero); *result receives the printer's answer.
std::int32_t glue_qdxaAdminAuthenticationPassword(GlueSession* session,
                                                  const std::uint8_t* password,
                                                  std::uint8_t* result);
/// Reads (mode 2) the job-log print setting; *value in and out.
std::int32_t glue_qdxaJobLogPrintSetting(GlueSession* session, std::uint8_t mode,
                                         std::uint8_t* value);
/// Whether a firmware update is available.
std::int32_t glue_qdxaUpdateAvailableState(GlueSession* session, std::uint8_t* state);
/// Supplemental information of `type`.
std::int32_t glue_qdxaSupplementalInfo(GlueSession* session, std::uint8_t type,
                                       std::uint8_t* value);
