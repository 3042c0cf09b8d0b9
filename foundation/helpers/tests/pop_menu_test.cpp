// The lookup of an item's text key in a static menu table.
#include "helpers/pop_menu.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

const PopMenuTbl kTable[] = {
    {0, "MENU_ZERO", 0},
    {2, "MENU_TWO_HIDDEN", 1},
    {5, "MENU_FIVE", 0},
    {2, "MENU_TWO", 0},
};

TEST(PopMenu, FirstVisibleRowOfTheKeyWithinTheGivenSize) {
    EXPECT_STREQ(Get_MenuKeyStr(0, kTable, sizeof kTable), "MENU_ZERO");
    EXPECT_STREQ(Get_MenuKeyStr(5, kTable, sizeof kTable), "MENU_FIVE");
    EXPECT_STREQ(Get_MenuKeyStr(2, kTable, sizeof kTable), "MENU_TWO")
        << "the hidden row is passed";
    EXPECT_EQ(Get_MenuKeyStr(2, kTable, 3 * sizeof(PopMenuTbl)), nullptr) << "outside the size";
    EXPECT_EQ(Get_MenuKeyStr(5, kTable, 3 * sizeof(PopMenuTbl) - 1), nullptr)
        << "only whole rows count";
    EXPECT_EQ(Get_MenuKeyStr(1, kTable, sizeof kTable), nullptr);
    EXPECT_EQ(Get_MenuKeyStr(0, nullptr, sizeof kTable), nullptr);
    EXPECT_EQ(Get_MenuKeyStr(0, kTable, 0), nullptr);
    EXPECT_EQ(Get_MenuKeyStr(0, kTable, -24), nullptr);
}

using Rows = std::vector<std::pair<int, std::string>>;

struct Table {
    const char* name;
    const PopMenuTbl* rows;
    std::size_t bytes;
    Rows expected;
};

#define TABLE(name, ...)                 \
    Table {                              \
#name, name, sizeof name, Rows { \
            __VA_ARGS__                  \
        }                                \
    }

const Table kTables[] = {
    TABLE(PRINTLAYOUT_MENU, {0, "MENU_PRINTLAYOUT_LEFT"}, {1, "MENU_PRINTLAYOUT_CENTER"},
          {2, "MENU_PRINTLAYOUT_CUSTOM"}),
    TABLE(ROLLLAYOUT_MENU, {0, "MENU_ROLLLAYOUT_LEFT"}, {1, "MENU_ROLLLAYOUT_CENTER"}),
    TABLE(PREVIEW_MENU, {0, "MENU_LAYOUT_PREVIEW"}, {1, "MENU_IMAGE_PREVIEW"},
          {2, "MENU_ROLL_PREVIEW"}),
    TABLE(INTENT_MENU, {0, "MENU_INTENT_PERCEPTUAL"}, {1, "MENU_INTENT_LABO"},
          {2, "MENU_INTENT_SATURATION"}, {3, "MENU_INTENT_COLORMETRIC"},
          {4, "MENU_INTENT_ABSOLUTE"}),
    TABLE(CONVERT_ENGINE_MENU, {1, "MENU_NORMAL_CMM"}, {2, "MENU_ADOBE_CMM"}),
    TABLE(EXPANDMETHOD_MENU, {0, "MENU_NEARESTNEIGHBOR"}, {1, "MENU_BILINEAR"},
          {2, "MENU_BICUBIC"}),
    TABLE(PRINTMODE_MENU, {1, "QUAL1_KEY"}, {2, "QUAL2_KEY"}, {4, "QUAL3_KEY"}, {8, "QUAL4_KEY"},
          {16, "QUAL5_KEY"}),
    TABLE(PRINTMODE_DRAFT_MENU, {1, "QUAL1_DRAFT_KEY"}, {2, "QUAL2_KEY"}, {4, "QUAL3_KEY"},
          {8, "QUAL4_KEY"}, {16, "QUAL5_KEY"}),
    TABLE(GRAYPRESET_MENU, {1, "STEXT_MPH_PRESET_MENU1"}, {2, "STEXT_MPH_PRESET_MENU2"},
          {3, "STEXT_MPH_PRESET_MENU3"}, {4, "STEXT_MPH_PRESET_MENU4"}),
    TABLE(TONE_MENU, {1, "STEXT_MPH_TONE_MENU1"}, {2, "STEXT_MPH_TONE_MENU2"},
          {3, "STEXT_MPH_TONE_MENU3"}, {4, "STEXT_MPH_TONE_MENU4"}, {5, "STEXT_MPH_TONE_MENU5"}),
    TABLE(TONE_CHANNEL_COLOR_MENU, {0, "MENU_CHANNEL_RGB"}, {1, "MENU_CHANNEL_RED"},
          {2, "MENU_CHANNEL_GREEN"}, {3, "MENU_CHANNEL_BLUE"}),
    TABLE(TONE_CHANNEL_MONO_MENU, {4, "MENU_CHANNEL_GLAY"}),
    TABLE(HISTORY_PRINTPOSITON_MENU, {1, "MENU_TOP_HEADER"}, {2, "MENU_BOTTOM_FOOTER"}),
    TABLE(PAGETIME_MENU, {1, "STEXT_PAGETIME_PANEL"}, {2, "STEXT_PAGETIME_NONE"},
          {3, "STEXT_PAGETIME_30SEC"}, {4, "STEXT_PAGETIME_1MIN"}, {5, "STEXT_PAGETIME_3MIN"},
          {6, "STEXT_PAGETIME_5MIN"}, {7, "STEXT_PAGETIME_10MIN"}, {8, "STEXT_PAGETIME_30MIN"},
          {9, "STEXT_PAGETIME_60MIN"}),
    TABLE(BANDTIME_MENU, {1, "STEXT_BANDTIME_PANEL"}, {2, "STEXT_BANDTIME_NONE"},
          {3, "STEXT_BANDTIME_1SEC"}, {4, "STEXT_BANDTIME_3SEC"}, {5, "STEXT_BANDTIME_5SEC"},
          {6, "STEXT_BANDTIME_7SEC"}, {7, "STEXT_BANDTIME_9SEC"}),
    TABLE(TIPSPACE3MM_MENU, {1, "STEXT_TIPSPACE_PANEL"}, {2, "STEXT_TIPSPACE_3MM"},
          {4, "STEXT_TIPSPACE_20MM"}),
    TABLE(TIPSPACE5MM_MENU, {1, "STEXT_TIPSPACE_PANEL"}, {3, "STEXT_TIPSPACE_5MM"},
          {4, "STEXT_TIPSPACE_20MM"}),
    TABLE(BACKENDSPACE5MM_MENU, {1, "STEXT_BACKENDSPACE_PANEL"}, {2, "STEXT_BACKENDSPACE_5MM"},
          {3, "STEXT_BACKENDSPACE_10MM"}),
    TABLE(CUTSPEED_MENU, {1, "STEXT_CUTSPEED_PANEL"}, {2, "STEXT_CUTSPEED_FAST"},
          {3, "STEXT_CUTSPEED_NORMAL"}, {4, "STEXT_CUTSPEED_SLOW"}),
    TABLE(CALIBRATION_MENU, {0, "STEXT_CALIBRATION_PANEL"}, {1, "STEXT_CALIBRATION_ON"},
          {2, "STEXT_CALIBRATION_OFF"}),
    TABLE(PAPERTHICK_MENU, {1, "STEXT_PAPERTHICK_PANEL"}, {2, "STEXT_PAPERTHICK_THICK"},
          {3, "STEXT_PAPERTHICK_NORMAL"}, {4, "STEXT_PAPERTHICK_THIN"}),
    TABLE(SUCTION_MENU, {1, "STEXT_SUCTION_PANEL"}, {2, "STEXT_SUCTION_STRONG"},
          {3, "STEXT_SUCTION_LITTLESTRONG"}, {4, "STEXT_SUCTION_NORMAL"},
          {5, "STEXT_SUCTION_WEAK"}),
    TABLE(SSC_MENU, {1, "STEXT_SSCLEVEL1"}, {2, "STEXT_SSCLEVEL2"}, {3, "STEXT_SSCLEVEL3"}),
    TABLE(AUTOCUT_MENU, {1, "MENU_AUTOCUT_PANEL"}, {2, "MENU_AUTOCUT_NONE"},
          {3, "MENU_AUTOCUT_CUTLINEPRINT"}),
    TABLE(INK_KIND_MENU, {1, "MENU_INK_PHOTOBLACK"}, {2, "MENU_INK_MATBLACK"}),
    TABLE(PATTERN_COLOR_X_MENU, {1, "MENU_PATTERNADJUST_CYAN"}, {2, "MENU_PATTERNADJUST_MAGENTA"},
          {3, "MENU_PATTERNADJUST_YELLOW"}, {4, "MENU_PATTERNADJUST_GRAY"},
          {5, "MENU_PATTERNADJUST_BRIGTHNESS"}, {6, "MENU_PATTERNADJUST_CONTRAST"},
          {7, "MENU_PATTERNADJUST_SATURATION"}),
    TABLE(PATTERN_COLOR_Y_MENU, {1, "MENU_PATTERNADJUST_CYAN"}, {2, "MENU_PATTERNADJUST_MAGENTA"},
          {3, "MENU_PATTERNADJUST_YELLOW"}, {4, "MENU_PATTERNADJUST_GRAY"},
          {5, "MENU_PATTERNADJUST_BRIGTHNESS"}, {6, "MENU_PATTERNADJUST_CONTRAST"},
          {7, "MENU_PATTERNADJUST_SATURATION"}, {16, "MENU_PATTERNADJUST_NONE"}),
    TABLE(PATTERN_MONO_X_MENU, {8, "MENU_PATTERNADJUST_X"}, {9, "MENU_PATTERNADJUST_Y"},
          {10, "MENU_PATTERNADJUST_GRADATION"}, {11, "MENU_PATTERNADJUST_BRIGTHNESS"},
          {12, "MENU_PATTERNADJUST_CONTRAST"}, {13, "MENU_PATTERNADJUST_HIGHLIGHT"},
          {14, "MENU_PATTERNADJUST_SHADOW"}, {15, "MENU_PATTERNADJUST_WHITEFOG"}),
    TABLE(PATTERN_MONO_Y_MENU, {8, "MENU_PATTERNADJUST_X"}, {9, "MENU_PATTERNADJUST_Y"},
          {10, "MENU_PATTERNADJUST_GRADATION"}, {11, "MENU_PATTERNADJUST_BRIGTHNESS"},
          {12, "MENU_PATTERNADJUST_CONTRAST"}, {13, "MENU_PATTERNADJUST_HIGHLIGHT"},
          {14, "MENU_PATTERNADJUST_SHADOW"}, {15, "MENU_PATTERNADJUST_WHITEFOG"},
          {16, "MENU_PATTERNADJUST_NONE"}),
    TABLE(PATTERN_ROTATE_MENU, {0, "MENU_PATTERNROTATE_NONE"}, {1, "MENU_PATTERNROTATE_IMAGE"},
          {2, "MENU_PATTERNROTATE_WHOLE"}),
    TABLE(PATTERN_SIZE_MENU, {0, "MENU_PATTERNSIZE_AUTO"}, {1, "MENU_PATTERNSIZE_FULL"}),
    TABLE(PATTERN_SPACE_MENU, {0, "MENU_PATTERNSPACE_NONE"}, {1, "MENU_PATTERNSPACE_DETACH"}),
    TABLE(PATTERN_BACKCOLOR_MENU, {0, "MENU_PATTERNBACK_WHITE"}, {1, "MENU_PATTERNBACK_BLACK"},
          {2, "MENU_PATTERNBACK_GRAY"}),
};

#undef TABLE

TEST(MenuTables, EveryRowVisibleAndFoundByItsKey) {
    for (const Table& table : kTables) {
        SCOPED_TRACE(table.name);
        ASSERT_EQ(table.bytes, table.expected.size() * sizeof(PopMenuTbl));
        for (std::size_t row = 0; row < table.expected.size(); ++row) {
            const auto& [key, textKey] = table.expected[row];
            EXPECT_EQ(table.rows[row].key, key);
            EXPECT_EQ(table.rows[row].textKey, textKey);
            EXPECT_EQ(table.rows[row].hidden, 0);
            EXPECT_STREQ(Get_MenuKeyStr(key, table.rows, static_cast<std::int64_t>(table.bytes)),
                         textKey.c_str());
        }
    }
}

TEST(MenuTables, PreviewKindsWithinTheGivenSize) {
    EXPECT_STREQ(Get_MenuKeyStr(2, PREVIEW_MENU, sizeof PREVIEW_MENU), "MENU_ROLL_PREVIEW");
    EXPECT_EQ(Get_MenuKeyStr(2, PREVIEW_MENU, 2 * sizeof(PopMenuTbl)), nullptr);
    EXPECT_EQ(Get_MenuKeyStr(2, PREVIEW_MENU, 2 * sizeof(PopMenuTbl) + sizeof(PopMenuTbl) / 2),
              nullptr)
        << "two and a half rows are two rows";
}

}  // namespace
