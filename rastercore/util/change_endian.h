// Byte-order change of a 16- or 32-bit number for the wire.
#pragma once

#include <cstdint>

/// Byte order that `Plg_Change_Endian` converts to.
inline constexpr std::int16_t kEndianBig = 1;

/// With `mode` 1 and `size` 2 or 4, returns `value` with its lowest `size` bytes in reversed
/// order (the big-endian form of a 16- or 32-bit number on this little-endian machine; the
/// bytes above a 16-bit value are dropped). Any other mode or size returns the value unchanged.
std::int32_t Plg_Change_Endian(std::int32_t value, std::int16_t mode, std::int16_t size);
