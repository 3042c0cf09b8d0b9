// Region codes from the user's preferred language.
#include "util/region_code.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(RegionCode, ReadsTheEnvironment) {
    ::setenv("LANGUAGE", "zh_TW:en", 1);
    ::setenv("LC_ALL", "zh_TW.UTF-8", 1);
    EXPECT_EQ(Get_LocaleIdentifier(), "TW");
    EXPECT_EQ(Get_RegionCode(), 53);
    // Hong Kong writes Traditional Chinese, as the plug-in counts it.
    ::setenv("LANGUAGE", "zh_HK", 1);
    EXPECT_EQ(Get_RegionCode(), 53);
    ::setenv("LANGUAGE", "pt_BR", 1);
    EXPECT_EQ(Get_RegionCode(), 0);
    ::unsetenv("LANGUAGE");
    ::setenv("LC_ALL", "ja_JP.UTF-8", 1);
    EXPECT_EQ(Get_RegionCode(), 14);
    ::unsetenv("LC_ALL");
}

}  // namespace
