// Media categories of the media menu, by the first QDXA media id of a medium, and the standard
// QDXA media ids.
#pragma once

#include <cstdint>

/// Number of media categories; categories run from 1 to it.
inline constexpr std::uint16_t kMediaCategoryCount = 11;

/// The category of a first QDXA media id; 0 when the id is in no category (callers then use the
/// category "others", 9).
std::uint16_t GetMediaCategoryID(std::uint16_t qdxaMediaID);

/// 11, for every printer series.
std::uint16_t GetCategorySize(std::uint16_t series);

/// The string-table key of the category's title, or null for a category outside 1 to 11.
const char* GetCategoryKeyStr(std::uint16_t category, std::uint16_t series);

/// 1 for a standard QDXA media id (1 to 4, 6 to 29, 33 to 57, 67 to 93, 254, 255), else 0.
std::uint8_t checkQDXAIDMedia(std::uint16_t qdxaMediaID);
