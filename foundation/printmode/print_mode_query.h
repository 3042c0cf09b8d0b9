// Questions on the print-mode table and on the media database: the default print mode of a
// medium and input, the method, resolution and halftone of a print mode, and the input
// resolutions and bit depths a medium supports.
#pragma once

#include <cstdint>

#include "printmode/print_mode_table.h"

/// The first entry of the medium, resolution code and bit code flagged as default, else the
/// first entry of that group: its print mode, method, resolution id and halftone. False (the
/// outputs untouched) when the group has no entry.
bool GetDefaultPrintMode(PrintModeTbl table, std::int16_t mediumID, std::int16_t resolutionCode,
                         std::int16_t bitCode, std::int16_t* printMode, std::int16_t* method,
                         std::int16_t* resolutionID, std::int16_t* halftone);

/// The method, resolution id and halftone of the first entry with the medium, resolution code,
/// bit code and print mode; false (the outputs untouched) when there is none. The media data is
/// not read.
bool GetPrintMethodResIDHT(std::uint8_t* mediaData, PrintModeTbl table, std::int16_t mediumID,
                           std::int16_t resolutionCode, std::int16_t bitCode,
                           std::int16_t printMode, std::int16_t* method, std::int16_t* resolutionID,
                           std::int16_t* halftone);

/// 1 when a resolution record of a supported method of the medium has the resolution code.
/// `reserved` is not read.
std::uint8_t CheckSupportResolution(std::uint8_t* mediaData, std::int16_t mediumID,
                                    std::int32_t reserved, std::int16_t resolutionCode);

/// 1 when a resolution record of a supported method of the medium has both the resolution code
/// and the bit code; on models of optimise level 1 the optimised records of the finest method
/// count too when its resolution hint has bit 0x1000. `reserved` is not read.
std::uint8_t CheckSupportBit(std::uint8_t* mediaData, std::int32_t printerTypeID,
                             std::int16_t mediumID, std::int32_t reserved,
                             std::int16_t resolutionCode, std::int16_t bitCode);
