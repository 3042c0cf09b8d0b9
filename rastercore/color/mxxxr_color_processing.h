// Row colour processing of the MXXXR printer family through the colour framework.
#pragma once

#include <cstdint>

struct Color_Info;
struct TARNRect;

/// Colour-processes the (right - left) pixels of `source` into `destination`: the pre-processing
/// object (or, for a monochrome print, the monochrome object, after matching when the host image
/// is RGB), then matching of colour prints from an RGB host when the job matches, then the first
/// colour-space conversion. Without pre-processing the row is copied first. The objects are
/// those of the current pattern cell for a test pattern, else the job's. 0, or the first
/// failing stage's result (-1 when the framework lacks a function or the cell has no object);
/// an output depth above 12 bits does nothing and answers 0.
std::int32_t tarn_MXXXR_Color_ColorProcessing(Color_Info* info, std::uint8_t* source,
                                              TARNRect* rect, std::uint8_t* destination);

/// Copies a caption row as it is (captions are already in the printer's colours): 3 bytes a
/// pixel at 8-bit output, 6 at 10 and 12-bit output; 0.
std::int32_t tarn_MXXXR_Color_ColorProcessing_For_Caption(Color_Info* info, std::uint8_t* source,
                                                          TARNRect* rect,
                                                          std::uint8_t* destination);
