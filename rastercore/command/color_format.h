// Colour-format converters: an interleaved band of 8- or 16-bit samples into separate,
// bit-packed planes of 8, 10 or 12 bits.
//
// The input space has 1, 3 or 4 planes (slot 6; slots 0-2; slots 3-6), all of 8 or all of 16
// bits per sample, 16-bit samples in host byte order, rows packed without gaps. Component k of a
// pixel goes to plane k, which starts at k × height × stride of the output (stride as
// `planeRowStride` of the matching output space). An 8-bit sample s counts as the 16-bit sample
// s × 257, and a 16-bit sample keeps its top bits: s >> 8, s >> 6, s >> 4. The bits after a row's
// last sample, up to the end of the stride, are set to 1. No allocation.
#pragma once

#include <cstdint>

#include "command/cmd_info.h"

/// Each returns 0, or 12010 for a null pointer, a zero width or height, or an unsupported input
/// layout (nothing written).
std::int32_t ChangeColorFormat_8BITSOUT(const TARNColorSpace* input, const std::uint8_t* band,
                                        std::uint8_t* planes, std::uint32_t width,
                                        std::uint32_t height);
std::int32_t ChangeColorFormat_10BITSOUT(const TARNColorSpace* input, const std::uint8_t* band,
                                         std::uint8_t* planes, std::uint32_t width,
                                         std::uint32_t height);
std::int32_t ChangeColorFormat_12BITSOUT(const TARNColorSpace* input, const std::uint8_t* band,
                                         std::uint8_t* planes, std::uint32_t width,
                                         std::uint32_t height);
