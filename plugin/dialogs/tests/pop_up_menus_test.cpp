// Fixed pop-ups built from the menu tables: one item per key of the range that has a visible row
// and a text, tagged with the key.
#include "dialogs/pop_up_menus.h"

#include <gtest/gtest.h>

#include "scripted_port.h"

namespace {

using dialogs_test::ScriptedPort;
using dialogs_test::TableStrings;

constexpr char kWindow[] = "PLSample";
constexpr char kPopUp[] = "samplePopUp";

ui::MenuItem item(std::string title, int tag) {
    ui::MenuItem made;
    made.title = std::move(title);
    made.tag = tag;
    return made;
}

TEST(TableMenu, ItemsOfTheRangeWithAVisibleRowAndAText) {
    // Key 2 first hidden, then visible under another text; key 3 hidden only; key 5 without text.
    static constexpr PopMenuTbl kTable[] = {
        {4, "FOUR", 0}, {2, "TWO_HIDDEN", 1}, {2, "TWO", 0},  {3, "THREE", 1},
        {5, "FIVE", 0}, {1, "ONE", 0},        {9, "NINE", 0},
    };
    const TableStrings strings{{"ONE", "one"},     {"TWO", "two"},   {"TWO_HIDDEN", "hidden"},
                               {"THREE", "three"}, {"FOUR", "four"}, {"NINE", "nine"}};
    struct Case {
        const char* name;
        dialogs::MenuKeyRange keys;
        std::vector<ui::MenuItem> expected;
    };
    const Case cases[] = {
        {"whole range, ascending by key",
         {0, 9},
         {item("one", 1), item("two", 2), item("four", 4), item("nine", 9)}},
        {"part of the range", {2, 4}, {item("two", 2), item("four", 4)}},
        {"nothing in the range", {10, 20}, {}},
    };
    for (const Case& each : cases) {
        ScriptedPort port;
        port.control(kWindow, kPopUp).menu = {item("old", 99)};
        dialogs::fillPopUpFromTable(port, kWindow, kPopUp, strings, kTable, sizeof kTable,
                                    each.keys);
        EXPECT_EQ(port.control(kWindow, kPopUp).menu, each.expected) << each.name;
    }
}

TEST(TableMenu, AShippedTableWithTheTablesWholeSize) {
    ScriptedPort port;
    const TableStrings strings{{"MENU_LAYOUT_PREVIEW", "Layout"},
                               {"MENU_IMAGE_PREVIEW", "Image"},
                               {"MENU_ROLL_PREVIEW", "Roll"}};
    dialogs::fillPopUpFromTable(port, kWindow, kPopUp, strings, PREVIEW_MENU, sizeof PREVIEW_MENU,
                                {0, 2});
    EXPECT_EQ(port.control(kWindow, kPopUp).menu,
              (std::vector<ui::MenuItem>{item("Layout", 0), item("Image", 1), item("Roll", 2)}));
    EXPECT_TRUE(port.selectMenuTag(kWindow, kPopUp, 2));
    EXPECT_EQ(port.selectedMenuTag(kWindow, kPopUp), 2);
}

}  // namespace
