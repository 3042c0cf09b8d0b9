// Conversions between pixels, tenths of a millimetre and hundredths of an inch.
#pragma once

#include <cstdint>

std::int32_t pixel2mm(std::int32_t pixels, std::int32_t dpi);    ///< 1/10 mm
std::int32_t pixel2inch(std::int32_t pixels, std::int32_t dpi);  ///< 1/100 inch
std::int32_t mm2inch(std::int32_t tenthsMm);                     ///< 1/100 inch
std::int32_t inch2mm(std::int32_t hundredthsInch);               ///< 1/10 mm in whole millimetres
std::int32_t inch2mm_tailRound(std::int32_t hundredthsInch);     ///< 1/10 mm
