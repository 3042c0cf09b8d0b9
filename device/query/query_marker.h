// Ink and waste-ink information of the printer object: colorant levels, the marker and its
// colours, and the supply counters.
#pragma once

#include <cstdint>

#include "glue/glue_session.h"
#include "qdxa/qdxa_memory.h"

inline constexpr std::uint16_t kAttrMarkerColorants = 2157;
inline constexpr std::uint16_t kAttrMarker = 2132;
inline constexpr std::uint16_t kAttrMarkerSupplyCounters = 2205;

/// Colorant levels by output: 1 black, 2 matt black, 3 cyan, 4 magenta, 5 yellow, 6 light
/// cyan, 7 light magenta, 8 to 10 the colorants 2, 3 and 22.
inline constexpr std::uint32_t kMarkerLevelCount = 10;
/// Colorants 15 to 19 each fill a list of levels.
inline constexpr std::uint32_t kMarkerListCount = 5;
/// Bytes of the marker flag set.
inline constexpr std::uint32_t kMarkerFlagBytes = 4;

/// What the colorant query hands back. The handles are the caller's (each may be null); a list
/// handle holds host-order 32-bit levels, the pair handle host-order 32-bit (code, level)
/// pairs, two values per entry.
struct MarkerColorantInfo {
    std::uint8_t levels[kMarkerLevelCount] = {};  ///< index 0 is level 1
    std::uint8_t flags[kMarkerFlagBytes] = {};
    WqsMemHandle* lists[kMarkerListCount] = {};
    std::uint16_t listCounts[kMarkerListCount] = {};
    WqsMemHandle* pairs = nullptr;
    std::uint16_t pairCount = 0;  ///< entries (two values each)
};

/// Reads the colorant levels: each entry (colorant code, level, one byte) chooses an output and
/// a flag bit, enters the pair list and sets bit 128 of flag byte 3. Levels and flags are
/// cleared first, the counts set to 0. A per-request protocol status gives 0; so does a handle
/// that cannot be made. 15850 without session or record.
std::int32_t glue_qdxaGetMarkerColorantInfo(GlueSession* session, MarkerColorantInfo* info);

/// Reads the marker: its first byte, its string (33 bytes), the byte after the string, the
/// number m of colour codes and the codes into `colours`, which holds `capacity` bytes (codes
/// beyond it are dropped; *colourCount counts those stored).
std::int32_t glue_qdxaGetMarkerInfo(GlueSession* session, std::uint32_t* first,
                                    std::uint8_t* string, std::uint8_t* afterString,
                                    std::uint8_t* colourCount, std::uint8_t* colours,
                                    std::uint32_t capacity);

/// Reads the supply counters: the value of kind 3 (waste-ink counter) and, when it is present,
/// bit 32 of `flags[1]` (the flag set of the colorant query, kMarkerFlagBytes). A per-request
/// protocol status gives 0.
std::int32_t glue_qdxaGetMarkerSupplyCounterInfo(GlueSession* session, std::uint32_t* wasteInk,
                                                 std::uint8_t* flags);
