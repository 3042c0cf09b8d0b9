// The user's language and region from the locale environment.
#include "language/user_language.h"

#include <gtest/gtest.h>

#include <utility>

#include "support/scoped_variable.h"

namespace {

using testsupport::ScopedVariable;

TEST(UserLanguage, StandardIdentifiers) {
    const struct {
        const char* name;
        const char* identifier;
    } cases[] = {
        {"zh_TW.UTF-8", "zh-Hant-TW"},
        {"zh_HK", "zh-Hant-HK"},
        {"zh_MO", "zh-Hant-MO"},
        {"zh_CN.UTF-8", "zh-Hans-CN"},
        {"zh", "zh-Hans"},
        {"zh-Hant-TW", "zh-Hant-TW"},
        {"zh_Hant_TW", "zh-Hant-TW"},
        {"de_DE@euro", "de-DE"},
        {"en_US.UTF-8", "en-US"},
        {"ja", "ja"},
        {"C.UTF-8", ""},
        {"POSIX", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(language::standardIdentifier(c.name), c.identifier) << c.name;
    }
}

TEST(UserLanguage, RegionCodesOfIdentifiers) {
    const struct {
        const char* language;
        const char* country;
        int code;
    } cases[] = {
        {"ja", "", 14},
        {"ja-JP", "JP", 14},
        {"en-US", "US", 0},
        {"fr-FR", "", 1},
        {"it", "", 4},
        {"de-DE", "", 3},
        {"es-ES", "", 8},
        {"ko-KR", "", 51},
        {"zh-Hans-CN", "CN", 52},
        {"zh-Hant-TW", "TW", 53},
        {"zh-Hans", "TW", 53},
        {"zh-Hans", "CN", 52},
        {"zh-TW", "TW", 53},
        {"zh", "HK", 52},
        {"pt-BR", "BR", 0},
        {"", "", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(language::regionCodeFor(c.language, c.country), c.code)
            << c.language << "/" << c.country;
    }
}

TEST(UserLanguage, ReadsTheEnvironment) {
    const struct {
        const char* language;  // $LANGUAGE, null for unset
        const char* all;       // $LC_ALL, null for unset
        const char* messages;  // $LC_MESSAGES, null for unset
        const char* preferred;
        const char* country;
        int region;
    } cases[] = {
        {"zh_TW:en", "zh_TW.UTF-8", nullptr, "zh-Hant-TW", "TW", 53},
        {"zh_HK", "C", nullptr, "zh-Hant-HK", "", 53},
        {"zh", nullptr, "zh_TW.UTF-8", "zh-Hans", "TW", 53},
        {"pt_BR", "zh_TW.UTF-8", nullptr, "pt-BR", "TW", 0},
        {nullptr, "ja_JP.UTF-8", nullptr, "ja-JP", "JP", 14},
        {":de", "fr_CA.UTF-8", nullptr, "fr-CA", "CA", 1},
        {nullptr, nullptr, "ko_KR.UTF-8", "ko-KR", "KR", 51},
        {nullptr, "C", "de_DE.UTF-8", "", "", 0},
    };
    ScopedVariable lang("LANG", nullptr);
    for (const auto& c : cases) {
        ScopedVariable languages("LANGUAGE", c.language);
        ScopedVariable all("LC_ALL", c.all);
        ScopedVariable messages("LC_MESSAGES", c.messages);
        EXPECT_EQ(language::preferred(), c.preferred) << c.language;
        EXPECT_EQ(language::localeCountry(), c.country) << c.language;
        EXPECT_EQ(language::regionCode(), c.region) << c.language;
    }
}

TEST(UserLanguage, IdentifierIsCutBeforeItsLastDash) {
    ScopedVariable all("LC_ALL", "C");
    for (const auto& [preferred, cut] :
         {std::pair{"zh-Hans-CN", "zh-Hans"}, {"en_US", "en"}, {"zh-Hans", "zh"}, {"ja", "ja"}}) {
        ScopedVariable languages("LANGUAGE", preferred);
        EXPECT_EQ(language::identifier(), cut) << preferred;
    }
}

}  // namespace
