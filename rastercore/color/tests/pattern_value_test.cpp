// Colour-adjust entries of the pattern grid: the stepped values, their limits, the table indices
// and the monochrome caption entry; and the one gradation gamma table of print and preview.
#include "color/pattern_value.h"

#include <gtest/gtest.h>

#include <vector>

#include "color/gradation_gamma.h"
#include "record/color_info.h"
#include "record/job_context.h"

namespace {

constexpr std::int32_t kNoItem = 16;

class PatternValue : public testing::Test {
  protected:
    PatternValue() {
        context_.colorInfo = &color_;
        context_.jobRecord = &record_;
        color_.colorMode = 1;
        record_.grayGradation = 2;
    }

    // A pattern job of the given axes, with entries allocated as the set-up does.
    void pattern(std::int32_t xItem, std::int32_t xCount, std::int32_t xInterval,
                 std::int32_t yItem, std::int32_t yCount, std::int32_t yInterval) {
        context_.patternPrint = 1;
        record_.patternXItem = xItem;
        record_.patternXCount = xCount;
        record_.patternXInterval = xInterval;
        record_.patternYItem = yItem;
        record_.patternYCount = yCount;
        record_.patternYInterval = yInterval;
        allocate(static_cast<std::size_t>(xCount * yCount) + (monochrome() ? 1 : 0));
    }

    void allocate(std::size_t count) {
        entries_.assign(count, ColorAdjustEntry{});
        color_.adjustEntries = entries_.data();
        color_.adjustEntryCount = static_cast<std::uint32_t>(count);
    }

    bool monochrome() const { return color_.colorMode == kColorModeMonochromePhoto; }

    CoreCommonInfoTbl record_{};
    Color_Info color_{};
    PLGContext context_{};
    std::vector<ColorAdjustEntry> entries_;
};

TEST_F(PatternValue, StepsAroundTheCurrentValueByColumnsAndRows) {
    struct Case {
        std::int32_t count;
        std::vector<std::int32_t> values;
    };
    for (const Case& c : {Case{5, {-10, -5, 0, 5, 10}}, Case{4, {-10, -5, 0, 5}}, Case{1, {0}}}) {
        pattern(kItemCyanRed, c.count, 5, kItemSaturation, 2, 3);
        color_.currentAdjust.saturation = 4;
        color_.currentAdjust.yellowBlue = 7;
        ASSERT_EQ(setPatternValue(&context_), 0);
        EXPECT_EQ(color_.patternXCount, c.count);
        EXPECT_EQ(color_.patternYCount, 2);
        for (std::int32_t row = 0; row < 2; ++row) {
            for (std::int32_t column = 0; column < c.count; ++column) {
                const ColorAdjustEntry& entry = entries_[row * c.count + column];
                EXPECT_EQ(+entry.cyanRed, c.values[column]) << c.count << " column " << column;
                EXPECT_EQ(+entry.saturation, 4 + 3 * (row - 1)) << "row " << row;
                EXPECT_EQ(+entry.yellowBlue, 7);  // untouched adjustments are copied
                EXPECT_EQ(+entry.tableIndex, 1);
            }
        }
        EXPECT_EQ(color_.tableCount, 1);
    }
}

// Field access through functions: the entry is packed, so its fields cannot be referred to.
#define FIELD(name)                                                   \
    [](const ColorAdjustEntry& e) -> std::int32_t { return e.name; }, \
        [](ColorAdjustEntry& e, std::int32_t value) { e.name = value; }

TEST_F(PatternValue, ValuesAreHeldAtTheirLimits) {
    struct Case {
        std::int32_t item;
        std::int32_t base;
        std::int32_t interval;
        std::int32_t low, high;
        std::int32_t (*read)(const ColorAdjustEntry&);
        void (*write)(ColorAdjustEntry&, std::int32_t);
    };
    color_.colorMode = kColorModeMonochromePhoto;
    for (const Case& c : {Case{kItemTonePointX, 90, 20, 50, 100, FIELD(tonePointX)},
                          Case{kItemTonePointY, -35, 10, -40, -15, FIELD(tonePointY)},
                          Case{kItemWhiteFog, 5, 10, 0, 25, FIELD(whiteFog)},
                          Case{kItemShadow, 25, 10, 5, 30, FIELD(shadow)}}) {
        pattern(c.item, 5, c.interval, kNoItem, 1, 0);
        color_.currentAdjust = {};
        c.write(color_.currentAdjust, c.base);
        ASSERT_EQ(setPatternValue(&context_), 0);
        EXPECT_EQ(c.read(entries_[0]), c.low) << "item " << c.item;
        EXPECT_EQ(c.read(entries_[4]), c.high) << "item " << c.item;
    }
}

TEST_F(PatternValue, TableIndicesFollowTheTonePointAxes) {
    struct Case {
        const char* name;
        std::int32_t xItem, yItem;
        std::vector<std::int16_t> indices;  // 3 columns by 2 rows, row-major
        std::uint16_t tables;
    };
    const Case cases[] = {
        {"both tone points", kItemTonePointX, kItemTonePointY, {1, 2, 3, 4, 5, 6}, 6},
        {"both, swapped", kItemTonePointY, kItemTonePointX, {1, 2, 3, 4, 5, 6}, 6},
        {"per column", kItemTonePointX, kItemShadow, {1, 2, 3, 1, 2, 3}, 3},
        {"per row", kItemHighlight, kItemTonePointY, {1, 1, 1, 2, 2, 2}, 2},
        {"shared", kItemGradation, kItemWhiteFog, {1, 1, 1, 1, 1, 1}, 1},
    };
    for (int mode : {1, 3}) {
        color_.colorMode = mode;
        for (const Case& c : cases) {
            pattern(c.xItem, 3, 5, c.yItem, 2, 5);
            ASSERT_EQ(setPatternValue(&context_), 0);
            for (std::size_t i = 0; i < c.indices.size(); ++i) {
                EXPECT_EQ(+entries_[i].tableIndex, c.indices[i]) << c.name << " cell " << i;
            }
            // Monochrome adds the neutral caption entry with a table of its own.
            EXPECT_EQ(color_.tableCount, c.tables + (mode == 3 ? 1 : 0)) << c.name;
            if (mode == 3) {
                const ColorAdjustEntry& caption = entries_[6];
                EXPECT_EQ(+caption.tableIndex, 0);
                EXPECT_EQ(+caption.gamma, 2.2);
                EXPECT_EQ(+caption.tonePointX, 0);
                EXPECT_EQ(+caption.whiteFog, 0);
            }
        }
    }
}

TEST_F(PatternValue, NormalJobsGetOneEntry) {
    color_.currentAdjust.contrast = 12;
    allocate(1);
    ASSERT_EQ(setPatternValue(&context_), 0);
    EXPECT_EQ(+entries_[0].contrast, 12);
    EXPECT_EQ(+entries_[0].tableIndex, 1);
    EXPECT_EQ(color_.tableCount, 1);
    EXPECT_EQ(color_.patternXCount, 1);

    // Monochrome with the caption entry the set-up allocated.
    color_.colorMode = kColorModeMonochromePhoto;
    record_.grayGradation = 4;
    allocate(2);
    ASSERT_EQ(setPatternValue(&context_), 0);
    EXPECT_EQ(color_.monochromeGamma, 2.2);
    EXPECT_EQ(+entries_[0].gamma, 2.2);
    EXPECT_EQ(+entries_[1].tableIndex, 0);
    EXPECT_EQ(color_.tableCount, 2);
}

TEST_F(PatternValue, GradationStepsSetTheGammaOfTheRisingTable) {
    color_.colorMode = kColorModeMonochromePhoto;
    record_.grayGradation = 3;  // code 2, the middle of five columns
    pattern(kItemGradation, 5, 1, kNoItem, 1, 0);
    ASSERT_EQ(setPatternValue(&context_), 0);
    const double expected[] = {1.6, 1.8, 2.0, 2.2, 2.4};
    for (int column = 0; column < 5; ++column) {
        EXPECT_EQ(+entries_[column].gamma, expected[column]) << column;
    }
}

TEST_F(PatternValue, EntriesNeverRunPastTheAllocation) {
    pattern(kItemCyanRed, 4, 5, kItemMagentaGreen, 3, 5);
    allocate(5);
    entries_.push_back(ColorAdjustEntry{});
    entries_.back().cyanRed = 99;  // a guard just past the allocated count
    ASSERT_EQ(setPatternValue(&context_), 0);
    EXPECT_EQ(+entries_.back().cyanRed, 99);
    record_.patternXCount = 1 << 20;  // counts are bytes in the colour record
    ASSERT_EQ(setPatternValue(&context_), 0);
    EXPECT_EQ(color_.patternXCount, 255);
}

TEST(GradationGamma, OneRisingTableForPrintAndPreview) {
    const double expected[] = {1.6, 1.8, 2.0, 2.2, 2.4};
    for (std::int32_t gradation = 1; gradation <= 5; ++gradation) {
        EXPECT_EQ(gradationGamma(gradationCode(gradation)), expected[gradation - 1]) << gradation;
    }
    for (std::int32_t gradation : {0, 6, -100, 1 << 30}) {
        EXPECT_EQ(gradationGamma(gradationCode(gradation)), 1.8) << gradation;
    }
}

}  // namespace
