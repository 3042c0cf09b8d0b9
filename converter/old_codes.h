// The codes of settings written by earlier versions, translated into the current codes.
#pragma once

#include <cstdint>

/// The printer id of an old printer id (15 to 36); 0 for every other id.
std::int32_t changePrinterID(std::int32_t oldID);

std::int32_t convColorMode(std::int32_t oldCode);
std::int32_t convMatchingMethod(std::int32_t oldCode);
std::int32_t convCalibrationValue(std::int32_t oldCode);
std::int32_t convInkImpact(std::int32_t oldCode);
/// The old SSC code as the two current settings, the check and the adjustment.
void convSSC(std::int32_t oldCode, std::int32_t* check, std::int32_t* adjustment);
std::int32_t convImageEnlargementMethod(std::int32_t oldCode);
std::int32_t convOutputMethod(std::int32_t oldCode);
std::int32_t convLayout(std::int32_t oldCode);
std::int32_t convRoolPaperLayout(std::int32_t oldCode);
std::int32_t convInkSystem(std::int32_t oldCode);
std::int32_t convSelectTab(std::int32_t oldCode);
std::int32_t convPreview(std::int32_t oldCode);
