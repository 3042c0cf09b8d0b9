// The media database's name of a medium in the locale of the media strings, converted from the
// database's Windows bytes into UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

/// The database's name of the medium for `locale` (the locale bytes of the media strings), as
/// UTF-8 text; none when the database has none or it does not convert.
std::optional<std::string> MediumNameFromDatabase(std::uint8_t* db, std::int16_t mediumID,
                                                  const char* locale, std::int32_t region);
