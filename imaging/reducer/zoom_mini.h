// Fixed-point image reducer: shrinks an image row by row by area averaging in integer arithmetic.
//
// Partial weights of the source pixels and rows that straddle two destination pixels are bent
// along two parabolas (see bentWeight in zoom_mini_internal.h). One handle serves one caller.
// Rows are packed: 8, 24 and 32 bits per pixel hold 1, 3 or 4 eight-bit samples; 16, 48 and 64
// bits per pixel 1, 3 or 4 sixteen-bit samples in machine byte order. Other formats are accepted
// and give rows of zeros.
#pragma once

#include <cstdint>

/// An open reducer.
struct ComZoomMini;

/// Makes a reducer from sourceWidth x sourceHeight to destinationWidth x destinationHeight
/// (1 <= destination <= source on both axes) and stores it in *handle. Returns 0, or 1 with a null
/// handle when the sizes cannot be reduced or memory is short.
std::int32_t comZoomMini_Open(ComZoomMini** handle, std::int64_t destinationWidth,
                              std::int64_t destinationHeight, std::int64_t sourceWidth,
                              std::int64_t sourceHeight, std::int64_t bitsPerPixel);

/// Adds the next source row. When it completes a destination row, that row is written to
/// destinationRow ((destination width x bits per pixel + 7) / 8 bytes) and *ready becomes 1,
/// else 0; a source row straddling two destination rows also starts the next one. Returns 0, or
/// 2 for a null handle, row or ready flag.
std::int32_t comZoomMini_Exec(ComZoomMini* handle, void* destinationRow, const void* sourceRow,
                              std::int32_t* ready);

/// Frees the reducer. Returns 0, or 2 for a null handle.
std::int32_t comZoomMini_Close(ComZoomMini* handle);
