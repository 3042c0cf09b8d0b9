// The mappings of old setting values to current ones, each as its whole table plus values on
// either side of it.
#include "history/old_record_values.h"

#include <gtest/gtest.h>

#include <map>

namespace {

struct Mapping {
    const char* name;
    std::int32_t (*map)(std::int32_t);
    std::map<std::int32_t, std::int32_t> table;  // every value the mapping knows
    std::int32_t fallback;                       // what every other value gives
};

const Mapping kMappings[] = {
    {"changePrinterID",
     changePrinterID,
     {{15, 1},  {16, 2},  {17, 6},  {18, 9},  {19, 8},  {20, 11}, {21, 15}, {22, 13},
      {23, 19}, {24, 20}, {25, 16}, {26, 18}, {27, 23}, {28, 26}, {29, 29}, {30, 27},
      {31, 30}, {32, 28}, {33, 35}, {34, 36}, {35, 37}, {36, 38}},
     0},
    {"convColorMode", convColorMode, {{1, 1}, {2, 3}, {3, 2}}, 4},
    {"convMatchingMethod", convMatchingMethod, {{2, 2}, {3, 3}, {4, 4}, {5, 1}}, 0},
    {"convCalibrationValue", convCalibrationValue, {{0, 1}, {1, 2}}, 0},
    {"convInkImpact", convInkImpact, {{1, 1}}, 0},
    {"convImageEnlargementMethod", convImageEnlargementMethod, {{2, 1}, {5, 2}}, 0},
    {"convOutputMethod", convOutputMethod, {{1, 1}, {2, 2}}, 0},
    {"convLayout", convLayout, {{2, 1}, {3, 2}}, 0},
    {"convRoolPaperLayout", convRoolPaperLayout, {{6, 1}}, 0},
    {"convInkSystem", convInkSystem, {{1, 2}, {2, 3}}, 1},
    {"convSelectTab", convSelectTab, {{1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}}, 1},
    {"convPreview", convPreview, {{3, 1}, {4, 2}}, 0},
};

TEST(OldRecordValues, EachMappingGivesItsTableAndItsFallbackElsewhere) {
    for (const Mapping& m : kMappings) {
        for (std::int32_t old = -2; old <= 40; ++old) {
            const auto row = m.table.find(old);
            const std::int32_t expected = row != m.table.end() ? row->second : m.fallback;
            EXPECT_EQ(m.map(old), expected) << m.name << "(" << old << ")";
        }
        EXPECT_EQ(m.map(INT32_MIN), m.fallback) << m.name;
        EXPECT_EQ(m.map(INT32_MAX), m.fallback) << m.name;
    }
}

TEST(OldRecordValues, SSCGivesCheckAndAdjustment) {
    const std::map<std::int32_t, SSCValues> table{{4, {1, 1}}, {5, {1, 2}}, {6, {1, 3}}};
    for (std::int32_t old = -1; old <= 8; ++old) {
        const auto row = table.find(old);
        const SSCValues expected = row != table.end() ? row->second : SSCValues{0, 1};
        const SSCValues got = convSSC(old);
        EXPECT_EQ(got.check, expected.check) << old;
        EXPECT_EQ(got.adjustment, expected.adjustment) << old;
    }
}

}  // namespace
