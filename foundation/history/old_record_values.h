// The values of settings in old records mapped to their current values. Each function maps the
// old values it knows and gives its fallback for every other value.
#pragma once

#include <cstdint>

/// The current printer model identifier of an old printer type; 0 for a type it does not know.
std::int32_t changePrinterID(std::int32_t oldPrinterType);
/// 1 -> 1, 2 -> 3, 3 -> 2; every other value is a profile's colour mode, 4.
std::int32_t convColorMode(std::int32_t oldColorMode);
/// 2, 3 and 4 stay; 5 -> 1; else 0.
std::int32_t convMatchingMethod(std::int32_t oldMethod);
/// 0 -> 1, 1 -> 2, else 0.
std::int32_t convCalibrationValue(std::int32_t oldValue);
/// 1 stays, else 0.
std::int32_t convInkImpact(std::int32_t oldValue);

/// The two current settings an old SSC value gives.
struct SSCValues {
    std::int32_t check;
    std::int32_t adjustment;
};
/// 4 -> (1, 1), 5 -> (1, 2), 6 -> (1, 3), else (0, 1).
SSCValues convSSC(std::int32_t oldValue);

/// 2 -> 1, 5 -> 2, else 0.
std::int32_t convImageEnlargementMethod(std::int32_t oldMethod);
/// 1 and 2 stay, else 0.
std::int32_t convOutputMethod(std::int32_t oldMethod);
/// 2 -> 1, 3 -> 2, else 0.
std::int32_t convLayout(std::int32_t oldLayout);
/// 6 -> 1, else 0.
std::int32_t convRoolPaperLayout(std::int32_t oldLayout);
/// 1 -> 2, 2 -> 3, else 1.
std::int32_t convInkSystem(std::int32_t oldInkSystem);
/// The dialog tab of the old dialog settings: 1..5 -> 2..6, else 1.
std::int32_t convSelectTab(std::int32_t oldTab);
/// The preview choice of the old dialog settings: 3 -> 1, 4 -> 2, else 0.
std::int32_t convPreview(std::int32_t oldPreview);
