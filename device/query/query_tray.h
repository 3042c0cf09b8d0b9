// The paper trays of the printer: their list with kinds, media states, media names and medium
// library entries, and one tray's record.
#pragma once

#include <cstdint>

#include "glue/glue_session.h"
#include "qdxa/qdxa_memory.h"
#include "query/query_records.h"

/// Tray attributes of the printer object.
inline constexpr std::uint16_t kAttrTrays = 2150;
inline constexpr std::uint16_t kAttrTrayMediaStates = 2152;
inline constexpr std::uint16_t kAttrTrayExtendedStates = 2216;
inline constexpr std::uint16_t kAttrTrayExtendedMedium = 2436;
inline constexpr std::uint16_t kAttrMediumLibrary = 2356;
inline constexpr std::uint16_t kAttrMediumLibrary2 = 2396;
/// The method of the PDL-environment object that answers a named value, and its input head.
inline constexpr std::uint16_t kMethodPDLEnvironmentValue = 144;

/// Reads the trays into `trayList` (sized to 8 + 392 per tray: a 64-bit count, then the
/// records) and *count. A printer without tray support gives count 0 and 0. The result is the
/// status of the last merged tray attribute (that of the tray attribute itself when none is
/// merged); media names and medium library entries are filled where the printer answers them.
/// 15850 without session, list or count; 15851 when a handle cannot be made.
std::int32_t glue_qdxaGetInputTrayList(GlueSession* session, WqsMemHandle* trayList,
                                       std::uint32_t* count);

/// Copies the record at `index` of a tray list into *record, whose recordSize the caller set
/// to kTrayRecordSize. 15850 for an index at or beyond the count, a wrong record size or a
/// missing argument.
std::int32_t glue_qdxaGetInputTrayInfo(GlueSession* session, const WqsMemHandle* trayList,
                                       std::uint32_t index, TrayRecord* record);
