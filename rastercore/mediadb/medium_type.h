// The job's medium as the media database names it: the medium and extended medium type values
// of the packet record, and the data-processing bits of the job's resolution.
#pragma once

#include <cstdint>

struct PLGContext;
struct QDXA_Info;

/// Medium id byte and marker of the medium value.
inline constexpr std::uint8_t kMediumValueId = 1;
inline constexpr std::uint8_t kMediumValueMarker = 254;
/// Paper-size code of a user-sized ("CUSTOM") paper.
inline constexpr std::uint16_t kCustomPaperSizeCode = 19;
/// Kind byte of the extended medium type.
inline constexpr std::uint8_t kMediumTypeExKind = 1;

/// Asks the media database (the context's) for the QDXA ids of the colour record's medium and
/// fills the record's medium value (id byte 1, marker 254, the paper-size code, width and length,
/// the paper kind) and extended medium type (kind 1, the medium's QDXA name id). A paper name
/// holding "CUSTOM" is sent as size code 19 with the command record's user size and kind 3;
/// any other with its own code, no size and kind 2 for long edge first, else 1. Returns 1; 13010
/// when the framework or its function is missing; -1 when the database does not know the medium
/// or the context lacks its colour or command record.
std::int32_t PLG_Get_Medium_MediumTypeEx_ForMXXXR(QDXA_Info* info, PLGContext* context);

/// The data-processing bits of the colour record's medium, print method and resolution, or -1
/// when the framework, its function or the answer fails.
std::int32_t PLG_Get_DataProcessBits(PLGContext* context);
