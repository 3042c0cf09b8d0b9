// The user's language as a classic region code, and the locale's country code, as the plug-in
// foundation reads them (platform/language).
#pragma once

#include <cstdint>
#include <string>

/// The current locale's country code ("CN", "TW"; from $LC_ALL, $LC_MESSAGES or $LANG), or
/// empty.
std::string Get_LocaleIdentifier();

/// The region code of the user's first preferred language: "ja" 14, "en" 0, "fr" 1, "it" 4,
/// "de" 3, "es" 8, "ko" 51, "zh-Hans" 52, "zh-Hant" 53, plain "zh" 53 when the locale's country
/// is "TW" else 52; anything else 0.
std::int16_t Get_RegionCode();
