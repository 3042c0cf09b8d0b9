#include "helpers/kstat.h"

#include <gtest/gtest.h>

#include "support/scoped_variable.h"

namespace {

using testsupport::ScopedVariable;

TEST(kStat, LanguageIdentifierAndRegionCode) {
    struct Case {
        const char* language;
        const char* locale;
        const char* identifier;
        int region;
    };
    const Case cases[] = {
        {"en_US", "en_US.UTF-8", "en", 0},
        {"zh-Hans-CN", "zh_CN.UTF-8", "zh-Hans", 52},
        {"zh-Hant-TW", "zh_TW.UTF-8", "zh-Hant", 53},
        {"zh_TW", "C", "zh-Hant", 53},
        {"zh-Hans", "zh_TW.UTF-8", "zh", 53},
        {"zh", "zh_CN.UTF-8", "zh", 52},
        {"ja", "ja_JP.UTF-8", "ja", 14},
        {"ja_JP:en", "C", "ja", 14},
        {"de_DE", "C", "de", 3},
        {"ko_KR", "C", "ko", 51},
        {"pt_BR", "C", "pt", 0},
        {"", "C", "", 0},
    };
    for (const auto& c : cases) {
        ScopedVariable language("LANGUAGE", c.language);
        ScopedVariable all("LC_ALL", c.locale);
        EXPECT_EQ(kStat::Get_LanguageIdentifier(), c.identifier) << c.language;
        EXPECT_EQ(kStat::Get_RegionCode(), c.region) << c.language;
    }
}

TEST(kStat, LocaleCountryCode) {
    ScopedVariable all("LC_ALL", "fr_CA.UTF-8");
    EXPECT_EQ(kStat::Get_LocaleIdentifier(), "CA");
}

}  // namespace
