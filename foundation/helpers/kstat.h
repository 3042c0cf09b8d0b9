// The user's language and region, from the locale environment (LANGUAGE, else LC_ALL,
// LC_MESSAGES, LANG).
#pragma once

#include <string>

class kStat {
  public:
    /// The current locale's country code ("US"), empty when it names none.
    static std::string Get_LocaleIdentifier();
    /// The preferred language in the standard form, cut before its last "-" (en-US -> en,
    /// zh-Hans-CN -> zh-Hans).
    static std::string Get_LanguageIdentifier();
    /// The region code of the preferred language (ja 14, en 0, zh-Hans 52, zh-Hant 53 ...).
    static int Get_RegionCode();

    /// The preferred language in the standard form, uncut ("zh-Hant-TW").
    static std::string preferredLanguage();
};
