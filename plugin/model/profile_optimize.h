// The optimise mode whose output profile a medium uses for a print quality.
#pragma once

#include <cstdint>

/// The optimise mode for the model's optimise level (GetOptimizeLevelFlag), its VGM capability,
/// the print mode, the resolution hint of the medium's quality, the ink-impact setting and the
/// chosen optimise mode:
/// - level 2: 1 for VGM at print mode 16; else 2 with ink impact on; else the chosen mode;
/// - level 1: 1 at print modes 8 and 16 when the hint has bit 0x1000 or 0x2000; else 2 with ink
///   impact on; else the chosen mode;
/// - any other level: 2 for VGM at print mode 16, else the chosen mode.
std::int32_t profileOptimizeMode(std::int32_t level, bool vgm, std::int32_t printMode,
                                 std::uint16_t resolutionHint, std::uint8_t inkImpact,
                                 std::int32_t optimize);
