// The commands that close and open a raster image: used by the generator's image begin and end,
// and by the band loop's cursor moves, which end the raster and restart it elsewhere.
#pragma once

#include <cstdint>

#include "command/cmd_info.h"
#include "command/command_cursor.h"
#include "command/command_writer_internal.h"

/// Most bytes that `writeImageEnd` and `writeImageBegin` write together: two end commands,
/// the two-number cursor move, three resolution commands, the image configuration with its
/// largest block and start raster.
inline constexpr std::uint32_t kImageRestartMax =
    (4 + command_detail::kNumberChars) * 7 + (1 + command_detail::kNumberChars) + 12;

/// Writes at the cursor end raster and, in the draw mode that has it, end of band; advances the
/// cursor past them (a command that does not fit leaves the cursor full).
void writeImageEnd(const Cmd_Info& info, CommandCursor* cursor);

/// Writes at the cursor the cursor move to (`x`, `y`) printer dots (`kAbsoluteMove` or
/// `kRelativeMove`), the graphics resolution (and its horizontal and vertical forms in the draw
/// mode that has them), the image configuration of the output colour space and start raster;
/// advances the cursor past them (a command that does not fit leaves the cursor full).
void writeImageBegin(const Cmd_Info& info, CommandCursor* cursor, std::int32_t x, std::int32_t y,
                     std::int32_t relative);
