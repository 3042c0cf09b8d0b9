// The lookup of an item's text key in a static menu table.
#include "helpers/pop_menu.h"

#include <gtest/gtest.h>

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

}  // namespace
