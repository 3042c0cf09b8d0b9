// The monochrome object: neutral settings give the luminance as a neutral grey, the grey
// output is one sample a pixel (also in place), toning and white fog move the right channels,
// and the printer's grey table is made from the curve part within its bounds.
#include <gtest/gtest.h>

#include <vector>

#include "tonara2_test_support.h"

namespace {

using tonara2test::kHint16;
using tonara2test::kHint8;

TEST(Monochrome, NeutralSettingsGiveTheLuminanceAsGrey) {
    auto object = tonara2test::makeMonochrome(kHint8);
    ASSERT_NE(object.get(), nullptr);
    const std::uint8_t in[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 200, 200, 200};
    std::uint8_t out[12] = {};
    ASSERT_EQ(tnr2_xform_monochrome(object.get(), in, 4, out), kTnr2Ok);
    const int expected[] = {76, 150, 29, 200};  // BT.601 weights
    for (int p = 0; p < 4; ++p) {
        for (int s = 0; s < 3; ++s) {
            EXPECT_NEAR(out[3 * p + s], expected[p], 1) << p;
        }
    }
}

TEST(Monochrome, GreyOutputIsOneSampleAPixelInPlace) {
    auto object = tonara2test::makeMonochrome(kHint16, {.toneX = 80});
    ASSERT_NE(object.get(), nullptr);
    std::uint32_t source = 0, destination = 0;
    ASSERT_EQ(tnr2_query_monochrome_hint(object.get(), &source, &destination), kTnr2Ok);
    EXPECT_EQ(destination, 0x030302u);
    ASSERT_EQ(tnr2_set_monochrome_rgb(object.get(), kTnr2OutputGrey, source, destination), kTnr2Ok);
    ASSERT_EQ(tnr2_query_monochrome_hint(object.get(), &source, &destination), kTnr2Ok);
    EXPECT_EQ(destination, 0x010302u);
    std::vector<std::uint16_t> row;
    for (int i = 0; i < 50; ++i) {
        const auto v = static_cast<std::uint16_t>(i * 1300);
        row.insert(row.end(), {v, v, v});
    }
    ASSERT_EQ(tnr2_xform_monochrome(object.get(), row.data(), 50, row.data()), kTnr2Ok);
    for (int i = 0; i < 50; ++i) {
        EXPECT_NEAR(row[i], i * 1300, 1) << "untoned grey " << i;
    }
}

TEST(Monochrome, ToningAndFogMoveTheirChannels) {
    const std::uint8_t grey[3] = {128, 128, 128};
    const std::uint8_t black[3] = {0, 0, 0};
    std::uint8_t out[3] = {};

    auto warm = tonara2test::makeMonochrome(kHint8, {.toneX = 100});
    tnr2_xform_monochrome(warm.get(), grey, 1, out);
    EXPECT_GT(out[0], out[1]);
    EXPECT_GT(out[1], out[2]);

    auto green = tonara2test::makeMonochrome(kHint8, {.toneY = 40});
    tnr2_xform_monochrome(green.get(), grey, 1, out);
    EXPECT_GT(out[1], out[0]);
    EXPECT_EQ(out[0], out[2]);

    auto fog = tonara2test::makeMonochrome(kHint8, {.whiteFog = 60});
    tnr2_xform_monochrome(fog.get(), black, 1, out);
    EXPECT_NEAR(out[0], 64, 1);  // a quarter of the way to white

    auto steep = tonara2test::makeMonochrome(kHint8, {.gamma = 2.4});
    tnr2_xform_monochrome(steep.get(), grey, 1, out);
    EXPECT_LT(out[0], 128);
}

std::vector<std::uint8_t> curvePart(const std::vector<std::uint16_t>& samples, int count) {
    std::vector<std::uint8_t> part = {static_cast<std::uint8_t>(count),
                                      static_cast<std::uint8_t>(count >> 8)};
    for (const std::uint16_t s : samples) {
        part.insert(part.end(), {static_cast<std::uint8_t>(s), static_cast<std::uint8_t>(s >> 8)});
    }
    return part;
}

TEST(Monochrome, GreyTableFollowsTheCurvePart) {
    auto neutral = tonara2test::makeMonochrome(kHint8);
    const std::vector<std::uint8_t> part = curvePart({0, 30000, 65535}, 3);
    const std::uint32_t size = tnr2_gen_monochrome_table2(
        neutral.get(), part.data(), static_cast<std::uint32_t>(part.size()), nullptr, 0);
    ASSERT_EQ(size, 4u + 2 * 3);
    std::vector<std::uint8_t> table(size + 1, 0xEE);
    ASSERT_EQ(tnr2_gen_monochrome_table2(neutral.get(), part.data(),
                                         static_cast<std::uint32_t>(part.size()), table.data(), 1),
              size);
    EXPECT_EQ(table[0], 1);  // a table that follows the job's
    EXPECT_EQ(table[2], 3);
    EXPECT_NEAR(table[6] | table[7] << 8, 30000, 1);  // a neutral tone keeps the curve
    EXPECT_EQ(table[size], 0xEE);

    // A part that claims more samples than it holds, or too few, is refused.
    const std::vector<std::uint8_t> claimsMore = curvePart({0, 65535}, 3);
    const std::vector<std::uint8_t> single = curvePart({100}, 1);
    for (const auto& bad : {claimsMore, single}) {
        EXPECT_EQ(tnr2_gen_monochrome_table2(neutral.get(), bad.data(),
                                             static_cast<std::uint32_t>(bad.size()), nullptr, 0),
                  0u);
    }
    EXPECT_EQ(tnr2_gen_monochrome_table2(neutral.get(), part.data(), 1, nullptr, 0), 0u);
    auto preproc = tonara2test::makePreproc(kHint8);
    EXPECT_EQ(tnr2_gen_monochrome_table2(preproc.get(), part.data(),
                                         static_cast<std::uint32_t>(part.size()), nullptr, 0),
              0u);
}

}  // namespace
