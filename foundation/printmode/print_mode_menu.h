// The print-quality menu of a medium and input.
#pragma once

#include <cstdint>

#include "cf/bundle.h"
#include "helpers/kmenu.h"
#include "helpers/pop_menu.h"
#include "printmode/print_mode_table.h"

/// Appends one row (text, print mode, 0, 0, enabled) per print mode of the table's entries with
/// the medium, resolution code and bit code, each mode once, in ascending order. The text is the
/// bundle's text of the mode's key, "PrintMode" when it has none. Returns the table's entry
/// count. The media data and `reserved` are not read.
std::int16_t ConstructPrintModeList(std::uint8_t* mediaData, const cf::Bundle* bundle,
                                    std::int32_t printerTypeID, std::int16_t mediumID,
                                    std::int32_t reserved, std::int16_t resolutionCode,
                                    std::int16_t bitCode, PrintModeTbl table, MenuDataArray menu);
