// The user's preferred language and region, from the locale environment: the first entry of
// $LANGUAGE (colon-separated), else the locale that $LC_ALL, $LC_MESSAGES or $LANG names.
//
// Language identifiers are in the standard form "language-Script-COUNTRY": a POSIX locale name
// such as "zh_TW.UTF-8" becomes "zh-Hant-TW"; the C and POSIX locales name no language.
#pragma once

#include <string>
#include <string_view>

namespace language {

/// The standard identifier of a POSIX locale name or language identifier: the encoding and
/// modifier dropped, every "_" turned into "-", and Chinese without a script given its script from
/// the country ("Hant" for TW, HK and MO, else "Hans"). Empty for "", "C" and "POSIX".
std::string standardIdentifier(std::string_view localeName);

/// The user's preferred language in the standard form, uncut ("zh-Hant-TW"); empty for none.
std::string preferred();

/// The preferred language cut before its last "-" (en-US gives en, zh-Hans-CN gives zh-Hans).
std::string identifier();

/// The country code of the locale ("US" from $LC_ALL, $LC_MESSAGES or $LANG "en_US.UTF-8"),
/// empty when it names none.
std::string localeCountry();

/// The classic region code of a language identifier, cut before its last "-": "ja" 14, "en" 0,
/// "fr" 1, "de" 3, "it" 4, "es" 8, "ko" 51, "zh-Hans" 52, "zh-Hant" 53, plain "zh" 53 when
/// `countryCode` is "TW" and 52 otherwise; any other language, or none, 0.
int regionCodeFor(std::string_view languageIdentifier, std::string_view countryCode);

/// The region code of the preferred language, with the locale's country for plain "zh".
int regionCode();

}  // namespace language
