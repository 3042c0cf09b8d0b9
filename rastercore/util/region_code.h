// The user's language as a classic region code, and the locale's country code.
//
// The user's preferred languages are the entries of $LANGUAGE (colon-separated), else the one
// of $LC_ALL, $LC_MESSAGES or $LANG; POSIX forms such as "zh_TW.UTF-8" count as "zh-TW".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

/// The current locale's country code ("CN", "TW"; from $LC_ALL, $LC_CTYPE or $LANG), or empty.
std::string Get_LocaleIdentifier();

/// The region code of the user's first preferred language (see `regionCodeFor`).
std::int16_t Get_RegionCode();

/// The region code of a language identifier: cut before its last "-", then "ja" 14, "en" 0,
/// "fr" 1, "it" 4, "de" 3, "es" 8, "ko" 51, "zh-Hans" 52, "zh-Hant" 53, "zh" 53 when
/// `countryCode` is "TW" else 52; anything else 0.
std::int16_t regionCodeFor(std::string_view languageIdentifier, std::string_view countryCode);

/// The standard form of a language identifier: the encoding and modifier of a POSIX locale name
/// dropped and "_" turned into "-"; empty for "C" and "POSIX".
std::string standardLanguageIdentifier(std::string_view name);
