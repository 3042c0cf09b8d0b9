// The test-pattern layout through libRasterCore.so's exports: the 105-byte answer and its
// 27-byte cells read back byte by byte at their offsets.
#include <gtest/gtest.h>

#include <cstring>

#include "pattern_record.h"
#include "rastercore/raster_core.h"

namespace {

template <typename T>
T readAt(const void* block, std::size_t offset) {
    T value{};
    std::memcpy(&value, static_cast<const std::uint8_t*>(block) + offset, sizeof value);
    return value;
}

TEST(PatternExport, AnswerAndCellsAtTheirOffsets) {
    patterntest::SheetSettings s;
    s.xCenter = 25;  // the third column out of range
    s.savePaper = 1;
    s.turn = 1;
    patterntest::PatternRecord job(s);
    PatternPreviewInfo* answer = RasterCore_PatternCalc(&job.record);
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(job.record.patternCalcResult, 0);
    EXPECT_EQ(readAt<std::int16_t>(answer, 0), 3);
    EXPECT_EQ(readAt<std::int16_t>(answer, 2), 2);
    auto* cells = readAt<const std::uint8_t*>(answer, 4);
    ASSERT_NE(cells, nullptr);
    EXPECT_EQ(readAt<std::uint16_t>(cells, 0), 6);
    EXPECT_EQ(readAt<std::uint16_t>(answer, 12), 6);
    // The background behind the spaced grid: 5 mm around it.
    EXPECT_EQ(readAt<std::int32_t>(answer, 14), 118);
    EXPECT_EQ(readAt<std::int32_t>(answer, 18), 118);
    for (std::size_t i = 30; i < 62; ++i) {
        EXPECT_EQ(readAt<std::uint8_t>(answer, i), 0) << i;
    }
    EXPECT_EQ(readAt<std::int32_t>(answer, 62), 0);
    EXPECT_EQ(readAt<std::int32_t>(answer, 66), 0);
    EXPECT_EQ(readAt<std::int32_t>(answer, 70), 2362);
    const auto printedHeight = readAt<std::int32_t>(answer, 74);
    EXPECT_EQ(readAt<std::int32_t>(answer, 86), 2480);
    EXPECT_EQ(readAt<std::int32_t>(answer, 90), 59 + 59 + printedHeight);
    EXPECT_EQ(readAt<std::uint8_t>(answer, 94), 1);
    EXPECT_EQ(readAt<std::int32_t>(answer, 95), 2100);
    EXPECT_EQ(readAt<std::int32_t>(answer, 99), (59 + 59 + printedHeight) * 254 / 300);
    EXPECT_EQ(readAt<std::uint8_t>(answer, 103), 1);
    EXPECT_EQ(readAt<std::uint8_t>(answer, 104), 0);
    // Cell 5: row 1, column 2, out of range. The turned image, 400 × 600, scaled with the gaps
    // by min(2008 / 3 / 400, 2474 / 2 / 600): 669 × 1004, placed inside the outer offsets.
    const std::uint8_t* cell = cells + 2 + 5 * 27;
    EXPECT_EQ(readAt<std::int32_t>(cell, 0), 59 + 2 * (669 + 59));
    EXPECT_EQ(readAt<std::int32_t>(cell, 4), 59 + 1004 + 59);
    EXPECT_EQ(readAt<std::int32_t>(cell, 8), 669);
    EXPECT_EQ(readAt<std::int32_t>(cell, 12), 1004);
    EXPECT_EQ(readAt<std::int32_t>(cell, 16), 30);
    EXPECT_EQ(readAt<std::int32_t>(cell, 20), 0);
    EXPECT_EQ(readAt<std::int16_t>(cell, 24), 5);
    EXPECT_EQ(readAt<std::uint8_t>(cell, 26), 1);
    EXPECT_EQ(RasterCore_PatternCalc_Term(answer), 0);
}

TEST(PatternExport, FailureLeavesItsStatusInTheRecord) {
    patterntest::SheetSettings s;
    s.fullSize = 1;
    s.imageWidth = 3000;
    patterntest::PatternRecord job(s);
    EXPECT_EQ(RasterCore_PatternCalc(&job.record), nullptr);
    EXPECT_EQ(readAt<std::uint8_t>(&job.record, 3124), 1);
}

}  // namespace
