// The job attribute values: how each value of the packet record is derived from the texts and
// choices the job set-up prepared, with its encoding, its character set and its limits.
//
// Each `PLG_Get_` operation writes its value into the record and returns 0, or 11010 for a
// missing record (or, where it reads the model values, a record without its job context).
#pragma once

#include <cstdint>
#include <ctime>

#include "record/qdxa_info.h"

struct PLGContext;

/// Character-set codes of the text attributes.
inline constexpr std::uint16_t kCharSetOneByte = 4;
inline constexpr std::uint16_t kCharSetLanguage1 = 17;
inline constexpr std::uint16_t kCharSetPanelAlternative = 3;
inline constexpr std::uint16_t kCharSetUtf16 = 1000;

/// Longest job name and panel message, in bytes.
inline constexpr std::uint8_t kJobNameMax = 32;
inline constexpr std::uint8_t kPanelMessageMax = 32;
inline constexpr std::uint8_t kPanelMessageLongMax = 40;
/// Longest host name in the client job record, in characters.
inline constexpr std::size_t kClientTextMax = 15;

/// Paper-source bits of the roll feeds.
inline constexpr std::uint16_t kRollPaperSourceMask = 0x0F00;
/// Calibration byte of a job that does not calibrate.
inline constexpr std::uint8_t kCalibrationOff = 3;

/// Job name from `text`: UTF-16 (big-endian on the wire, code 1000, the prepared byte count) for
/// the language codes 7, 8 and 9, else one-byte text up to its NUL (code 17 for language 1, else
/// 4); cut to 32 bytes.
std::int32_t PLG_Get_JobName(QDXA_Info* info, const char* text);

/// Owner from `text`, encoded as the job name and cut to 255 bytes (254 for UTF-16) so that the
/// length byte holds it.
std::int32_t PLG_Get_JobOwner(QDXA_Info* info, const char* text);

/// Identifier on the client: the text up to its NUL (at most 255 bytes) and its length.
std::int32_t PLG_Get_JobID(QDXA_Info* info, const char* text);

/// The 64-byte client job record of job start 2: the job system's fixed identifier, 16 zero
/// bytes, then twice the host name (the identifier on the client) cut to 15 characters and
/// NUL-terminated.
std::int32_t PLG_Get_ClientJobID(QDXA_Info* info);

/// Submission time: the current time in UTC as date and time words.
std::int32_t PLG_Get_SubnissionTimeOnClient(QDXA_Info* info);

/// The date and time words of a moment given in seconds since 1970 (UTC).
QDXA_DateWords qdxaDateWords(std::time_t seconds);

/// Panel message from `text`: UTF-16 for the language codes 7 to 9 when model value 9 is 1;
/// otherwise one-byte text with code 3 when model value 9 is 2, else as the job name. Cut to 40
/// bytes when model value 10 is 2, else to 32.
std::int32_t PLG_Get_PanelMessage(QDXA_Info* info, const char* text);

/// The input-tray priority array: one entry without text, its tray code chosen by model value 11
/// and the paper-source code.
std::int32_t PLG_Get_InputTrayPriorityArray(QDXA_Info* info, std::uint16_t paperSource);

/// Cutting type of a cutting choice: 1 gives 2, 2 gives 1, 3 gives 3, any other 4.
std::int32_t PLG_Get_CuttingType(QDXA_Info* info, std::int32_t cuttingChoice);

/// Ink drying type: 2 when model value 12 is 1, else 1.
std::int32_t PLG_Get_InkDryType(QDXA_Info* info);

/// Detail-media list from the record's eight media-detail choices; choices 1 and 255 add nothing,
/// several items only count on roll paper or by model values 38 and 39.
std::int32_t PLG_Get_Detail_Media(QDXA_Info* info, PLGContext* context);

/// Calibration list: (7, 0), (8, 0), (9, 0) when the job calibrates (calibration byte not 3),
/// else empty.
std::int32_t PLG_Get_Calibration(QDXA_Info* info, PLGContext* context);

/// The job-start-2 values: job kind, print kind 3, copy-range list, name, owner when present,
/// sub-kind (model value 6 is 1), client job record and submission time.
std::int32_t PLG_Get_JobStart2(QDXA_Info* info, PLGContext* context);
