// The host line converter: one delivered line of the image editor's image, in any of its image
// modes and depths, becomes one working line of interleaved RGB samples.
#pragma once

#include <cstdint>

struct PLGContext;

/// Converts the host line `hostLine` (the line's pixels packed in the host image record's image
/// mode: 1 grey, 3 RGB, 4 CMYK at 8 bits; 10, 11, 13 the same at 16 bits, 0 to 32768) into the
/// context's RGB row at its working depth code (1 host 8 / work 8, 2 host 8 / work 16, 3 host 16
/// / work 8, 4 host 16 / work 16) and points `*lineOut` at it. A line has the source
/// rectangle's width in pixels, or its height when the image is printed turned; a turned line
/// is written last pixel first. Grey and CMYK lines (CMYK inverted first) are matched into RGB by
/// the colour module; 16-bit host samples are doubled into the working range (32768 becomes
/// 65535) and halved back for 8-bit work; between 8 and 16 bits the host's sample conversions
/// (slots 246 and 254 of its table) convert. The host's line is only read.
/// Returns 0; -1 for a missing argument, an image mode or depth code the converter does not
/// know, a depth code that does not match the image's depth, or a row buffer too small for the
/// line; -1400 when a sample conversion the line needs is missing or fails; the allocator's
/// code; the colour module's failure code.
std::int32_t PLG_BitConvert_Function(PLGContext* context, std::int32_t unused, const void* hostLine,
                                     std::uint8_t** lineOut);
