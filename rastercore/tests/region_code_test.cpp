// Region codes from the user's preferred language.
#include "util/region_code.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(RegionCode, LanguageIdentifiers) {
    const struct {
        const char* language;
        const char* country;
        std::int16_t code;
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
        EXPECT_EQ(regionCodeFor(c.language, c.country), c.code) << c.language << "/" << c.country;
    }
}

TEST(RegionCode, PosixNamesBecomeIdentifiers) {
    EXPECT_EQ(standardLanguageIdentifier("zh_TW.UTF-8"), "zh-TW");
    EXPECT_EQ(standardLanguageIdentifier("de_DE@euro"), "de-DE");
    EXPECT_EQ(standardLanguageIdentifier("C.UTF-8"), "");
    EXPECT_EQ(standardLanguageIdentifier("POSIX"), "");
}

TEST(RegionCode, ReadsTheEnvironment) {
    ::setenv("LANGUAGE", "zh_TW:en", 1);
    ::setenv("LC_ALL", "zh_TW.UTF-8", 1);
    EXPECT_EQ(Get_LocaleIdentifier(), "TW");
    EXPECT_EQ(Get_RegionCode(), 53);
    ::setenv("LANGUAGE", "pt_BR", 1);
    EXPECT_EQ(Get_RegionCode(), 0);
    ::unsetenv("LANGUAGE");
    ::setenv("LC_ALL", "ja_JP.UTF-8", 1);
    EXPECT_EQ(Get_RegionCode(), 14);
    ::unsetenv("LC_ALL");
}

}  // namespace
