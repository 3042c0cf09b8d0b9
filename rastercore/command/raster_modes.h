// Values of the raster-language commands that open and close a raster, shared by the generator
// and the band loop's cursor moves.
#pragma once

#include <cstdint>

/// ESC*r<mode>A: start raster at the current cursor position.
inline constexpr std::uint8_t kRasterStartMode = 1;
/// ESC*r<value>C: end of band.
inline constexpr std::int16_t kBandEndValue = 0;
/// Cursor moves: to absolute coordinates, or by a signed offset.
inline constexpr std::int32_t kAbsoluteMove = 0;
inline constexpr std::int32_t kRelativeMove = 1;
/// The draw mode that adds the resolution and end-of-band commands.
inline constexpr std::int32_t kDrawModeWithResolution = 0;
