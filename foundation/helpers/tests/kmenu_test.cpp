#include "helpers/kmenu.h"

#include <gtest/gtest.h>

namespace {

class KMenuTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(KMenu::NewMenuData(&menu_), 0); }
    void TearDown() override { KMenu::DisposeMenuData(&menu_); }
    MenuDataArray menu_ = nullptr;
};

TEST_F(KMenuTest, ReadersOutsideTheItemsClearTheirOutputs) {
    ASSERT_EQ(KMenu::AddMenuData(menu_, "Glossy", 3, 39, 1, 1), 0);
    ASSERT_EQ(KMenu::AddMenuData(menu_, "Matte", 4, 36, 2, 0), 0);
    for (std::int32_t index : {0, 3, -1}) {
        const char* name = "stale";
        std::int32_t v1 = 9, v2 = 9, v3 = 9;
        bool enable = true;
        EXPECT_EQ(KMenu::GetMenuData(menu_, &name, &v1, &v2, &v3, &enable, index), 0) << index;
        EXPECT_EQ(name, nullptr);
        EXPECT_EQ(v1 + v2 + v3, 0);
        EXPECT_TRUE(enable) << "the enable output is left alone";
    }
    const char* name = nullptr;
    std::int32_t v1 = 0, v2 = 0, v3 = 0;
    bool enable = true;
    EXPECT_EQ(KMenu::GetMenuData(menu_, &name, &v1, &v2, &v3, &enable, 2), 0);
    EXPECT_STREQ(name, "Matte");
    EXPECT_EQ(v1, 4);
    EXPECT_EQ(v2, 36);
    EXPECT_EQ(v3, 2);
    EXPECT_FALSE(enable);
    EXPECT_EQ(KMenu::GetMenuData(nullptr, &name, &v1, &v2, &v3, &enable, 1), -50);
    EXPECT_EQ(name, nullptr);
}

TEST_F(KMenuTest, InsertAddressesAZeroBasedPositionAndIndexLookUpIsOneBased) {
    ASSERT_EQ(KMenu::AddMenuData(menu_, "A", 1, 10, 0, 1), 0);
    ASSERT_EQ(KMenu::AddMenuData(menu_, "C", 3, 30, 0, 1), 0);
    ASSERT_EQ(KMenu::InsertMenuData(menu_, 1, "B", 2, 20, 0, 1), 0);
    EXPECT_EQ(KMenu::GetMenuIndexFromValue(menu_, 2, 20), 2);
    EXPECT_EQ(KMenu::GetMenuIndexFromValue(menu_, 3, 30), 3);
    EXPECT_EQ(KMenu::GetMenuIndexFromValue(menu_, 2, 21), 0);
    EXPECT_EQ(KMenu::GetMenuIndexFromValue(nullptr, 2, 20), -50);
}

TEST_F(KMenuTest, ArgumentChecksOfEveryShape) {
    const char* eight[8] = {"1", "2", "3", "4", "5", "6", "7", "8"};
    EXPECT_EQ(KMenu::AddMenuData(menu_, nullptr, 1, 2, 3, 1), -50);
    EXPECT_EQ(KMenu::AddMenuData(nullptr, "x", 1, 2, 3, 1), -50);
    EXPECT_EQ(KMenu::AddMenuData2(menu_, "a", nullptr, "c", 1, 2, 1), -50);
    eight[5] = nullptr;
    EXPECT_EQ(KMenu::AddMenuData3(menu_, eight, 1, 1), -50);
    MenuDataArray again = menu_;
    EXPECT_EQ(KMenu::NewMenuData(&again), -50) << "a pointer that already holds an array";
    EXPECT_EQ(menu_->array()->size(), 0u);
}

TEST_F(KMenuTest, ShapesTwoAndThreeRoundTrip) {
    ASSERT_EQ(KMenu::AddMenuData2(menu_, "name", "file.icc", "/p/file.icc", 7, 0x04000000, 1), 0);
    const char* eight[8] = {"P", "F", "I", "S", "R", "B", "C", "U"};
    ASSERT_EQ(KMenu::AddMenuData3(menu_, eight, 12, 0), 0);
    const char *s1, *s2, *s3;
    std::int32_t v1, v2;
    bool enable = false;
    ASSERT_EQ(KMenu::GetMenuData2(menu_, &s1, &s2, &s3, &v1, &v2, &enable, 1), 0);
    EXPECT_STREQ(s3, "/p/file.icc");
    EXPECT_EQ(v2, 0x04000000);
    EXPECT_TRUE(enable);
    const char* read[8];
    ASSERT_EQ(KMenu::GetMenuData3(menu_, read, &v1, &enable, 2), 0);
    EXPECT_STREQ(read[7], "U");
    EXPECT_EQ(v1, 12);
    EXPECT_FALSE(enable);
    EXPECT_EQ(KMenu::GetMenuIndexFromValue(menu_, 12, 0), 2) << "a missing value counts as 0";
}

}  // namespace
