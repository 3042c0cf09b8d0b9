// The raster origin of a page: where the first sent line starts, in printer dots.
#pragma once

#include <cstdint>

struct PLGContext;

/// The top-left corner of whichever of image and caption comes first (at equal tops the further
/// left of the two), or of the caption alone when nothing of the image is printed, else (0, 0);
/// converted from working pixels to the command record's graphics resolution, truncated and at
/// least 0. Returns 0; -1 for a missing context, command record or output.
std::int32_t PLG_Get_Start_Position(const PLGContext* context, std::int32_t* x, std::int32_t* y);
