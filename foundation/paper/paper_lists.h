// The roll-width and output-paper menus of a model, from the model-information bundle.
#pragma once

#include <cstdint>

#include "helpers/kmenu.h"

/// 1 when the model prints the roll width without margins (its full-bleed table lists it).
std::uint8_t CheckNoMarginRollWidth(std::int32_t rollWidthID, std::int32_t printerTypeID);

/// Appends one row (name, roll width id, 0, 0, enabled) per roll width of the model that has a
/// name, in the model's order; with `borderlessOnly` only the widths printed without margins.
/// Returns the result of the last row added: 0 when none was added, -50 for no menu.
std::int32_t ConstructRollPaperWidthList(std::int32_t printerTypeID, std::uint8_t borderlessOnly,
                                         MenuDataArray menu);

/// Appends one row (name, paper-size id, width, height, enabled; sizes in tenths of a
/// millimetre) per named paper size of the model, in the model's order: for the manual feeds
/// 16, 128 and 8192 only the sizes within the source's limits (bounds included), for the
/// cassette 2 of a model with a cassette only its cassette sizes. Returns the result of the last
/// row added: 0 when none was added, -50 for no menu.
std::int32_t ConstructOutPutPaperList(std::int32_t printerTypeID, std::int32_t paperSource,
                                      MenuDataArray menu);
