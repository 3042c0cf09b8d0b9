// The old codes of printers and dialog settings, translated by their tables.
#include "old_codes.h"

#include <gtest/gtest.h>

namespace {

TEST(OldCodes, PrinterIds) {
    const std::pair<std::int32_t, std::int32_t> ids[] = {
        {14, 0},  {15, 1},  {16, 2},  {17, 6},  {18, 9},  {19, 8},        {20, 11},
        {21, 15}, {22, 13}, {23, 19}, {24, 20}, {25, 16}, {26, 18},       {27, 23},
        {28, 26}, {29, 29}, {30, 27}, {31, 30}, {32, 28}, {33, 35},       {34, 36},
        {35, 37}, {36, 38}, {37, 0},  {0, 0},   {-15, 0}, {0x7FFFFFFF, 0}};
    for (const auto& [old, current] : ids) {
        EXPECT_EQ(changePrinterID(old), current) << old;
    }
}

struct Mapping {
    const char* name;
    std::int32_t (*map)(std::int32_t);
    std::vector<std::pair<std::int32_t, std::int32_t>> codes;  // old, current
};

TEST(OldCodes, DialogSettingCodes) {
    const Mapping mappings[] = {
        {"colour mode", convColorMode, {{1, 1}, {2, 3}, {3, 2}, {0, 4}, {7, 4}, {-1, 4}}},
        {"matching", convMatchingMethod, {{1, 0}, {2, 2}, {3, 3}, {4, 4}, {5, 1}, {6, 0}}},
        {"calibration", convCalibrationValue, {{0, 1}, {1, 2}, {2, 0}, {3, 0}, {-1, 0}}},
        {"ink impact", convInkImpact, {{0, 0}, {1, 1}, {2, 0}, {9, 0}}},
        {"enlargement", convImageEnlargementMethod, {{1, 0}, {2, 1}, {3, 0}, {5, 2}, {6, 0}}},
        {"output method", convOutputMethod, {{0, 0}, {1, 1}, {2, 2}, {3, 0}, {-2, 0}}},
        {"layout", convLayout, {{1, 0}, {2, 1}, {3, 2}, {4, 0}}},
        {"roll layout", convRoolPaperLayout, {{6, 1}, {5, 0}, {1, 0}}},
        {"ink system", convInkSystem, {{1, 2}, {2, 3}, {0, 1}, {3, 1}}},
        {"tab", convSelectTab, {{0, 1}, {1, 2}, {5, 6}, {6, 1}, {-1, 1}}},
        {"preview", convPreview, {{1, 0}, {2, 0}, {3, 1}, {4, 2}, {5, 0}}},
    };
    for (const auto& mapping : mappings) {
        for (const auto& [old, current] : mapping.codes) {
            EXPECT_EQ(mapping.map(old), current) << mapping.name << " " << old;
        }
    }
}

TEST(OldCodes, SSCGivesCheckAndAdjustment) {
    const std::tuple<std::int32_t, std::int32_t, std::int32_t> codes[] = {
        {4, 1, 1}, {5, 1, 2}, {6, 1, 3}, {3, 0, 1}, {7, 0, 1}, {0, 0, 1}};
    for (const auto& [old, check, adjustment] : codes) {
        std::int32_t gotCheck = -1;
        std::int32_t gotAdjustment = -1;
        convSSC(old, &gotCheck, &gotAdjustment);
        EXPECT_EQ(gotCheck, check) << old;
        EXPECT_EQ(gotAdjustment, adjustment) << old;
    }
}

}  // namespace
