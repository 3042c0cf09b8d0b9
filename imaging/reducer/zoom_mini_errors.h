// Result codes of the fixed-point reducer (comZoomMini_*); 0 is success.
#pragma once

#include <cstdint>

inline constexpr std::int32_t kZoomMiniOk = 0;
/// The reducer could not be made: no memory, or sizes it cannot reduce (zero, negative, larger
/// destination than source, bits per pixel outside 1 ... 64). The handle is null.
inline constexpr std::int32_t kZoomMiniErrOpen = 1;
/// A null handle (or a null row or ready flag): pass what comZoomMini_Open made.
inline constexpr std::int32_t kZoomMiniErrNullHandle = 2;
