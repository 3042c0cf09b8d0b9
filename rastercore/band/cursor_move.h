// Cursor moves inside an image: the raster is ended, the cursor moved and the raster restarted.
#pragma once

#include <cstdint>

struct Cmd_Info;
struct QDXA_Info;

/// Writes into `buffer` (`capacity` bytes) end raster (and end of band in the draw mode that has
/// it), the cursor move to (`x`, `y`) printer dots (absolute, or relative when `relative` is 1),
/// the graphics resolution (and its horizontal and vertical forms in that draw mode), the image
/// configuration of the output colour space and start raster, then sends those bytes as print data.
/// Returns 0, or the send's failure code; 12010 for a missing record or buffer, or with nothing
/// sent when the commands do not fit in the buffer (`kImageRestartMax` bytes always do).
std::int32_t QDXA_Move_CapHV(QDXA_Info* packet, Cmd_Info* info, std::uint8_t* buffer,
                             std::uint32_t capacity, std::int32_t x, std::int32_t y,
                             std::int32_t relative);
