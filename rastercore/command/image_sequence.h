// The commands that close and open a raster image: used by the generator's image begin and end,
// and by the band loop's cursor moves, which end the raster and restart it elsewhere.
#pragma once

#include <cstdint>

#include "command/cmd_info.h"

/// Writes at `*cursor` end raster and, in the draw mode that has it, end of band; advances the
/// cursor past them.
void writeImageEnd(const Cmd_Info& info, std::uint8_t** cursor);

/// Writes at `*cursor` the cursor move to (`x`, `y`) printer dots (`kAbsoluteMove` or
/// `kRelativeMove`), the graphics resolution (and its horizontal and vertical forms in the draw
/// mode that has them), the image configuration of the output colour space and start raster;
/// advances the cursor past them.
void writeImageBegin(const Cmd_Info& info, std::uint8_t** cursor, std::int32_t x, std::int32_t y,
                     std::int32_t relative);
