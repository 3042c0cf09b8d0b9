// Bilinear filter: weight tables, row readiness, area average and 1-bit rows.
#include "imaging/zoom/fg_zoom_bilinear.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "imaging/zoom/zoom_bits.h"
#include "zoom_test_image.h"

namespace {

using namespace imaging;
using zoomtest::Image;

struct Weights {
    int start, first, second, denominator;
};

void expectWeights(const FG_ZoomBilinear& filter, bool horizontal,
                   const std::vector<Weights>& expected) {
    for (std::size_t j = 0; j < expected.size(); ++j) {
        const FG_Zoom2_Param& param = filter.param(horizontal, static_cast<int>(j));
        EXPECT_EQ(param.start, expected[j].start) << j;
        EXPECT_EQ(param.firstWeight, expected[j].first) << j;
        EXPECT_EQ(param.secondWeight, expected[j].second) << j;
        EXPECT_EQ(param.denominator, expected[j].denominator) << j;
    }
}

// Three 8-bit rows of three pixels sent in turn, every pending row read after each Send.
struct Fed {
    std::array<int, 3> pendingAfterSend{};
    std::vector<std::vector<int>> rows;
};

Fed feedRows(FG_ZoomBilinear& filter, const std::uint8_t (&rows)[3][3], int width) {
    Fed fed;
    std::vector<std::uint8_t> buffer(width);
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(filter.Send(rows[y]), kZoomDone);
        fed.pendingAfterSend[y] = filter.CheckData();
        while (filter.CheckData() != 0 && filter.Read(buffer.data()) == kZoomDone) {
            fed.rows.emplace_back(buffer.begin(), buffer.end());
        }
    }
    return fed;
}

TEST(FG_ZoomBilinear, EnlargingThreeToFiveReleasesRowsInRuns) {
    FG_ZoomBilinear filter;
    ASSERT_EQ(filter.Open(5, 5, 3, 3, 8, kZoomTypeBilinear), kZoomDone);
    const std::vector<Weights> weights = {
        {0, 4, 0, 4}, {0, 2, 2, 4}, {0, 0, 4, 4}, {1, 2, 2, 4}, {1, 0, 4, 4}};
    expectWeights(filter, true, weights);
    expectWeights(filter, false, weights);

    const std::uint8_t rows[3][3] = {{0, 40, 80}, {100, 140, 180}, {200, 240, 250}};
    const Fed fed = feedRows(filter, rows, 5);
    const auto& out = fed.rows;
    EXPECT_EQ(fed.pendingAfterSend, (std::array<int, 3>{0, 3, 2}));
    ASSERT_EQ(out.size(), 5u);
    EXPECT_EQ(out[0], (std::vector<int>{0, 20, 40, 60, 80}));
    EXPECT_EQ(out[1], (std::vector<int>{50, 70, 90, 110, 130}));     // (2 row0 + 2 row1) / 4
    EXPECT_EQ(out[2], (std::vector<int>{100, 120, 140, 160, 180}));  // row 1 exactly
    EXPECT_EQ(out[4], (std::vector<int>{200, 220, 240, 245, 250}));
}

TEST(FG_ZoomBilinear, ReducingThreeToTwoSharesTheMiddleRow) {
    EXPECT_EQ(Shift_Coefficient(1, 2), 1);
    FG_ZoomBilinear filter;
    ASSERT_EQ(filter.Open(2, 2, 3, 3, 8, kZoomTypeBilinear), kZoomDone);
    const std::vector<Weights> weights = {{0, 2, 1, 3}, {1, 1, 0, 3}};
    expectWeights(filter, true, weights);
    expectWeights(filter, false, weights);
    EXPECT_EQ(filter.param(false, 1).lastFull, 2);  // row 2 with the full weight 2

    // Columns 0, 30, 90 give (2·a + b) / 3 and (b + 2·c) / 3 on each row.
    const std::uint8_t rows[3][3] = {{0, 30, 90}, {60, 90, 150}, {120, 150, 210}};
    const Fed fed = feedRows(filter, rows, 2);
    const auto& out = fed.rows;
    // Row 1 completes the first destination row and, kept by the filter, starts the second.
    EXPECT_EQ(fed.pendingAfterSend, (std::array<int, 3>{0, 1, 1}));
    ASSERT_EQ(out.size(), 2u);
    // Horizontal: row 0 → 10, 70; row 1 → 70, 130; row 2 → 130, 190.
    EXPECT_EQ(out[0][0], (2 * 10 + 70) / 3);
    EXPECT_EQ(out[0][1], (2 * 70 + 130) / 3);
    EXPECT_EQ(out[1][0], (70 + 2 * 130) / 3);
    EXPECT_EQ(out[1][1], (130 + 2 * 190) / 3);
}

TEST(FG_ZoomBilinear, ShiftCoefficientBendsAlongTwoParabolas) {
    EXPECT_EQ(Shift_Coefficient(1, 10), 0);  // 1 / 5
    EXPECT_EQ(Shift_Coefficient(3, 10), 1);  // 9 / 5
    EXPECT_EQ(Shift_Coefficient(5, 10), 5);
    EXPECT_EQ(Shift_Coefficient(7, 10), 8);  // 10 − 9 / 5
    EXPECT_EQ(Shift_Coefficient(9, 10), 9);  // 10 − 1 / 5
}

TEST(FG_ZoomBilinear, EqualSizesNeedNoFilter) {
    struct Case {
        int dw, dh, sw, sh, enabled;
    };
    for (const Case& c : {Case{10, 10, 10, 10, 0}, Case{10, 20, 10, 10, 0}, Case{10, 5, 10, 10, 1},
                          Case{20, 10, 10, 10, 1}}) {
        FG_ZoomBilinear filter;
        ASSERT_EQ(filter.Open(c.dw, c.dh, c.sw, c.sh, 24, kZoomTypeBilinear), kZoomDone);
        EXPECT_EQ(filter.IsEnable(), c.enabled) << c.dw << "x" << c.dh;
    }
}

TEST(FG_ZoomBilinear, OpenRefusesBadArguments) {
    FG_ZoomBilinear filter;
    EXPECT_EQ(filter.Open(0, 10, 10, 10, 24, 2), kZoomBadParameter);
    EXPECT_EQ(filter.Open(10, 10, 10, 0, 24, 2), kZoomBadParameter);
    EXPECT_EQ(filter.Open(5, 5, 10, 10, 12, 2), kZoomBadParameter);
    EXPECT_EQ(filter.Open(5, 5, 10, 10, 24, 0), kZoomBadParameter);
    EXPECT_EQ(filter.Open(5, 5, 10, 10, 24, 2), kZoomDone);
}

// Reduction by whole factors averages each block: exactly (truncated) when one axis keeps its
// size; when both shrink, each pass truncates, so the result may lie one below.
struct BlockCase {
    int bpp, factorX, factorY;
};

class BlockMean : public ::testing::TestWithParam<BlockCase> {};

TEST_P(BlockMean, IntegerFactorReductionEqualsBlockMean) {
    const BlockCase c = GetParam();
    const int dw = 7, dh = 5;
    const Image source = zoomtest::randomImage(dw * c.factorX, dh * c.factorY, c.bpp, 11);
    const zoomtest::Run run = zoomtest::resample(source, dw, dh, kZoomTypeLanczos3);
    ASSERT_EQ(run.openResult, kZoomDone);
    ASSERT_EQ(run.type, kZoomTypeBilinear);
    ASSERT_EQ(run.failure, kZoomDone);
    for (int y = 0; y < dh; ++y) {
        for (int x = 0; x < dw; ++x) {
            for (int ch = 0; ch < source.channels(); ++ch) {
                long sum = 0;
                for (int by = 0; by < c.factorY; ++by) {
                    for (int bx = 0; bx < c.factorX; ++bx) {
                        sum += source.sample(x * c.factorX + bx, y * c.factorY + by, ch);
                    }
                }
                const long mean = sum / (c.factorX * c.factorY);
                const long slack = c.factorX > 1 && c.factorY > 1 ? 1 : 0;
                const int value = run.image.sample(x, y, ch);
                ASSERT_LE(value, mean) << x << "," << y << "," << ch;
                ASSERT_GE(value, mean - slack) << x << "," << y << "," << ch;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Factors, BlockMean,
                         ::testing::Values(BlockCase{8, 2, 2}, BlockCase{24, 3, 3},
                                           BlockCase{48, 2, 4}, BlockCase{32, 4, 1},
                                           BlockCase{16, 1, 3}, BlockCase{64, 5, 2}),
                         [](const auto& info) {
                             const BlockCase& c = info.param;
                             return "bpp" + std::to_string(c.bpp) + "_" +
                                    std::to_string(c.factorX) + "x" + std::to_string(c.factorY);
                         });

TEST(FG_ZoomBilinear, WideReductionWorksInDoublePrecision) {
    // A 16-bit row of 70000 pixels passes 65536: the horizontal pass switches to doubles and
    // still gives the block mean.
    const int factor = 10000;
    const Image source = zoomtest::randomImage(7 * factor, 2, 16, 5);
    FG_ZoomBilinear filter;
    ASSERT_EQ(filter.Open(7, 1, source.width, 2, 16, kZoomTypeBilinear), kZoomDone);
    EXPECT_TRUE(filter.horizontalHighPrecision());
    EXPECT_FALSE(filter.verticalHighPrecision());
    const zoomtest::Run run = zoomtest::resample(source, 7, 1, kZoomTypeBilinear);
    ASSERT_EQ(run.failure, kZoomDone);
    for (int x = 0; x < 7; ++x) {
        double sum = 0;
        for (int y = 0; y < 2; ++y) {
            for (int k = 0; k < factor; ++k) {
                sum += source.sample(x * factor + k, y, 0);
            }
        }
        // Two truncating passes: at most two below the mean, never above.
        const double mean = sum / (2 * factor);
        EXPECT_LE(run.image.sample(x, 0, 0), mean) << x;
        EXPECT_GT(run.image.sample(x, 0, 0), mean - 2) << x;
    }
}

TEST(FG_ZoomBilinear, TallReductionSumsInDoublePrecision) {
    const int factor = 7000;
    const Image source = zoomtest::randomImage(3, 10 * factor, 8, 9);
    FG_ZoomBilinear filter;
    ASSERT_EQ(filter.Open(3, 10, 3, source.height, 8, kZoomTypeBilinear), kZoomDone);
    EXPECT_TRUE(filter.verticalHighPrecision());  // denominators of 70000 pass 65535
    const zoomtest::Run run = zoomtest::resample(source, 3, 10, kZoomTypeBilinear);
    ASSERT_EQ(run.failure, kZoomDone);
    for (int y = 0; y < 10; ++y) {
        long sum = 0;
        for (int k = 0; k < factor; ++k) {
            sum += source.sample(1, y * factor + k, 0);
        }
        EXPECT_EQ(run.image.sample(1, y, 0), sum / factor) << y;
    }
}

TEST(ZoomBits, UnpackAndPackRoundTrip) {
    const std::uint8_t packed[2] = {0xA5, 0xC0};  // 1010 0101 11
    std::uint8_t values[10];
    unpackBits(packed, 10, values);
    const std::uint8_t expected[10] = {255, 0, 255, 0, 0, 255, 0, 255, 255, 255};
    EXPECT_TRUE(std::equal(values, values + 10, expected));

    std::uint8_t repacked[2] = {0xFF, 0xFF};  // stale bits must not survive
    packBits(values, 10, repacked);
    EXPECT_EQ(repacked[0], 0xA5);
    EXPECT_EQ(repacked[1], 0xC0);

    const std::uint8_t grey[3] = {127, 128, 200};
    std::uint8_t bits = 0xFF;
    packBits(grey, 3, &bits);
    EXPECT_EQ(bits, 0x60);  // threshold 128; the trailing bits cleared
}

TEST(FG_ZoomBilinear, OneBitImageIsWorkedAsGreyAndPackedAgain) {
    // A 12 × 4 checkerboard of 2 × 2 blocks doubled on both axes keeps its blocks.
    Image source(12, 4, 1);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 12; ++x) {
            if (((x / 2) + (y / 2)) % 2 == 0) {
                source.row(y)[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
    }
    const zoomtest::Run run = zoomtest::resample(source, 24, 8, kZoomTypeBicubic);
    ASSERT_EQ(run.type, kZoomTypeBilinear);
    ASSERT_EQ(run.failure, kZoomDone);
    ASSERT_EQ(run.image.rowBytes(), 3u);
    // Source column x maps to 11/23 of destination columns; rows 0 and 7 are exact edges.
    EXPECT_EQ(run.image.row(0)[0], 0xF0);  // columns 0..3 set, 4..7 clear
    EXPECT_EQ(run.image.row(7)[2], 0x0F);  // last block of the last row (x 20..23)
    const Image reduced = zoomtest::resample(source, 6, 2, kZoomTypeDefault).image;
    // Each 2 × 2 block becomes one pixel: 1 0 1 0 1 0 / 0 1 0 1 0 1.
    EXPECT_EQ(reduced.row(0)[0], 0xA8);
    EXPECT_EQ(reduced.row(1)[0], 0x54);
}

}  // namespace
