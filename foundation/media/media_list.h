// The media menu of a model's media database, and the check that a remembered medium can still
// be used.
#pragma once

#include <cstdint>

#include "cf/bundle.h"
#include "helpers/kmenu.h"

/// Appends one row (name, medium id, first QDXA media id, ink system, enabled) per listable
/// medium, in database order, and returns how many media were listable. A medium is listable
/// unless hidden, lacking an optimise-mode hint bit, or for region 14 only in another region.
/// With `markByHint` a row is enabled only when the medium's hint has bit 0x04; with
/// `onlyEnabled` 1 only enabled rows are appended (the count still includes the others). Names
/// come from the database in the locale of the bundle's media strings, else from the
/// model-information bundle, else "UnKnown Paper : <id>". Without a database: the one row of
/// medium 256 when the model-information bundle names it, and 1. No bundle or no menu: 0.
std::int16_t ConstructMediaList(std::uint8_t* mediaDatabase, const cf::Bundle* bundle,
                                std::int32_t region, std::int32_t onlyEnabled,
                                std::uint8_t markByHint, MenuDataArray menu);

/// 1 when the database has the medium and it is not hidden. Given a non-empty name, a medium
/// whose first QDXA media id is not standard, or is 50, must also carry that name (database or
/// bundle name, compared exactly) unless it has no name at all.
std::uint8_t CheckSupportedMedia(std::uint8_t* mediaDatabase, const char* localeBytes,
                                 std::int32_t region, std::int16_t mediumID,
                                 const char* mediumName);
