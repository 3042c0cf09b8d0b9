// The profiles and display transforms of a test-pattern view, made once for all its cells.
#pragma once

#include <cstdint>

#include "rastercore/preview_color.h"

/// `RasterCore_PatternProfileSearch_Open`: fills `profiles` for the record's settings; the
/// transforms are made ready so that the cells' threads only read them. 0 or kPrevFailure.
std::int32_t PatternProfileSearch_Open(const CoreCommonInfoTbl* record,
                                       PtnProfileInfoTbl* profiles);

/// `RasterCore_PatternProfileSearch_Close`: releases the four transforms and empties their slots.
std::int32_t PatternProfileSearch_Close(PtnProfileInfoTbl* profiles);
