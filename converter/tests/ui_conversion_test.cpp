// The old dialog settings record in the process: the profile file name an old text names, and
// the scale values that give no percentage.
#include "ui_conversion.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <vector>

namespace {

TEST(OldProfileText, FileNameBetweenTheLastBrackets) {
    const std::pair<const char*, const char*> texts[] = {
        {"Profile [My Printer.icc] old", "My Printer.icc"},
        {"[a.icc] and [b.icc]", "b.icc"},
        {"Printer/[/Library/Profiles/Glossy.icc]", "Glossy.icc"},
        {"[Folder/]", ""},
        {"Glossy.icc]", ""},   // no "["
        {"]Glossy.icc[", ""},  // "]" before "["
        {"[Glossy.icc", ""},   // no "]"
        {"[]", ""},
        {"", ""},
    };
    for (const auto& [text, fileName] : texts) {
        EXPECT_EQ(oldProfileFileName(text), fileName) << text;
    }
}

int noProfile(const char*, std::string*, std::string*) {
    return 0;
}

std::vector<std::uint8_t> recordWithScale(double scale) {
    std::vector<std::uint8_t> record(kOldUIRecordSize);
    constexpr std::size_t kScale = 840;
    std::uint64_t bits = std::bit_cast<std::uint64_t>(scale);
    for (int i = 7; i >= 0; --i, bits >>= 8) {
        record[kScale + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(bits);
    }
    return record;
}

TEST(OldUIRecord, ScaleInWholePercentTruncatedOrZero) {
    const std::pair<double, std::int32_t> scales[] = {
        {2.5, 250},
        {1.239, 123},
        {-0.019, -1},
        {21474836.0, 2147483600},
        {21474837.0, 0},  // beyond 32 bits
        {-21474836.0, -2147483600},
        {-21474837.0, 0},
        {1e300, 0},
        {std::numeric_limits<double>::infinity(), 0},
        {-std::numeric_limits<double>::infinity(), 0},
        {std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const auto& [scale, percent] : scales) {
        UISave record;
        ASSERT_TRUE(fillUISaveFromOldRecord(recordWithScale(scale), &record, noProfile));
        EXPECT_EQ(record.ScalingValue, percent) << scale;
    }
}

TEST(OldUIRecord, ShorterThanTheEarlierRecordIsRefused) {
    std::vector<std::uint8_t> file(kOldUIEarlierRecordSize - 1, 0);
    UISave record;
    record.Copies = 9;
    EXPECT_FALSE(fillUISaveFromOldRecord(file, &record, noProfile));
    EXPECT_EQ(record.Copies, 9);
}

}  // namespace
