// Conversions between 8 and 16 bits and between BGR and RGB order.
#include "imaging/buffer/vif_convert.h"

#include <gtest/gtest.h>

#include <string>

#include "vif_fixture.h"

using namespace imaging;

namespace {

using vif_test::Pixel;

struct ConversionCase {
    std::uint16_t from;
    std::uint16_t to;
    Pixel in;
    Pixel out;  // memory order of the destination type
};

class VifConversion : public testing::TestWithParam<ConversionCase> {};

TEST_P(VifConversion, WritesConvertedPixelsAndAttributesIntoTheTopLeft) {
    const ConversionCase c = GetParam();
    VifPtr source = vif_test::filled(c.from, 3, 2, {0, 0, 0});
    const Pixel sentinel{11, 22, 33};
    VifPtr destination = vif_test::filled(c.to, 4, 3, sentinel);
    ASSERT_TRUE(source && destination);
    vif_test::setPixel(*source, 2, 1, c.in);
    source->attribute0 = -1;
    source->attribute1 = 2;
    source->attribute2 = 3;

    ASSERT_EQ(ConvertVif(destination.get(), source.get()), 1);
    EXPECT_EQ(vif_test::pixelAt(*destination, 2, 1), c.out);
    EXPECT_EQ(vif_test::pixelAt(*destination, 3, 1), sentinel);
    EXPECT_EQ(vif_test::pixelAt(*destination, 0, 2), sentinel);
    EXPECT_EQ(destination->attribute0, -1);
    EXPECT_EQ(destination->attribute1, 2u);
    EXPECT_EQ(destination->attribute2, 3u);

    VifPtr made(ConvertVifP(source.get(), c.to));
    ASSERT_TRUE(made);
    EXPECT_EQ(made->type, c.to);
    EXPECT_EQ(vif_test::pixelAt(*made, 2, 1), c.out);
    EXPECT_EQ(made->attribute2, 3u);
}

INSTANTIATE_TEST_SUITE_P(
    EveryPair, VifConversion,
    testing::Values(
        // Channel order swaps.
        ConversionCase{kVifBgr8, kVifRgb8, {1, 2, 3}, {3, 2, 1}},
        ConversionCase{kVifRgb8, kVifBgr8, {1, 2, 3}, {3, 2, 1}},
        ConversionCase{kVifBgr16, kVifRgb16, {1000, 2000, 65535}, {65535, 2000, 1000}},
        ConversionCase{kVifRgb16, kVifBgr16, {1000, 2000, 65535}, {65535, 2000, 1000}},
        // 8 -> 16 bits: v x 256 + 127.
        ConversionCase{kVifBgr8, kVifBgr16, {0, 128, 255}, {127, 32895, 65407}},
        ConversionCase{kVifRgb8, kVifRgb16, {0, 128, 255}, {127, 32895, 65407}},
        ConversionCase{kVifBgr8, kVifRgb16, {0, 128, 255}, {65407, 32895, 127}},
        ConversionCase{kVifRgb8, kVifBgr16, {0, 128, 255}, {65407, 32895, 127}},
        // 16 -> 8 bits: the high byte.
        ConversionCase{kVifBgr16, kVifBgr8, {65535, 256, 255}, {255, 1, 0}},
        ConversionCase{kVifRgb16, kVifRgb8, {65535, 256, 255}, {255, 1, 0}},
        ConversionCase{kVifBgr16, kVifRgb8, {65535, 256, 255}, {0, 1, 255}},
        ConversionCase{kVifRgb16, kVifBgr8, {65535, 256, 255}, {0, 1, 255}}),
    [](const testing::TestParamInfo<ConversionCase>& info) {
        return "from" + std::to_string(info.param.from) + "_to" + std::to_string(info.param.to);
    });

TEST(VifConvert, RoundTripThroughSixteenBitsKeepsEightBitValues) {
    VifPtr source = vif_test::filled(kVifBgr8, 256, 1, {0, 0, 0});
    ASSERT_TRUE(source);
    for (std::uint32_t v = 0; v < 256; ++v) {
        vif_test::setPixel(*source, v, 0, {v, 255 - v, v / 2});
    }
    VifPtr wide(ConvertVifP(source.get(), kVifRgb16));
    ASSERT_TRUE(wide);
    VifPtr back(ConvertVifP(wide.get(), kVifBgr8));
    ASSERT_TRUE(back);
    EXPECT_TRUE(vif_test::samePixels(*back, *source));
}

TEST(VifConvert, RefusedPairsWriteNothing) {
    const Pixel sentinel{5, 6, 7};
    VifPtr source = vif_test::filled(kVifBgr8, 3, 3, {1, 1, 1});
    VifPtr sameType = vif_test::filled(kVifBgr8, 3, 3, sentinel);
    VifPtr small = vif_test::filled(kVifRgb8, 2, 3, sentinel);
    VifPtr opaque(PrepareVifP(kVifOpaque8, 3, 3));
    ASSERT_TRUE(source && sameType && small && opaque);
    source->attribute1 = 9;

    EXPECT_EQ(ConvertVif(sameType.get(), source.get()), 0);
    EXPECT_EQ(ConvertVif(small.get(), source.get()), 0);
    EXPECT_EQ(ConvertVif(opaque.get(), source.get()), 0);
    EXPECT_EQ(ConvertVif(source.get(), opaque.get()), 0);
    EXPECT_EQ(ConvertVif(nullptr, source.get()), 0);
    EXPECT_EQ(ConvertVif(sameType.get(), nullptr), 0);
    EXPECT_EQ(vif_test::pixelAt(*sameType, 0, 0), sentinel);
    EXPECT_EQ(sameType->attribute1, 0u);
    EXPECT_EQ(vif_test::pixelAt(*small, 1, 2), sentinel);

    EXPECT_EQ(ConvertVif(source.get(), source.get()), 1);
    EXPECT_EQ(ConvertVifP(source.get(), kVifOpaque8), nullptr);
    EXPECT_EQ(ConvertVifP(source.get(), 1), nullptr);
    EXPECT_EQ(ConvertVifP(nullptr, kVifBgr8), nullptr);
}

TEST(VifConvert, SameTypeIsCopiedRowByRowEvenForOpaquePixels) {
    VifPtr source(PrepareVifP(kVifOpaque10, 5, 4));
    ASSERT_TRUE(source);
    for (std::uint32_t y = 0; y < 4; ++y) {
        for (std::uint32_t i = 0; i < 50; ++i) {
            source->data[y * source->rowBytes + i] = static_cast<std::uint8_t>(y * 50 + i);
        }
    }
    source->attribute0 = 4;
    VifPtr copy(ConvertVifP(source.get(), kVifOpaque10));
    ASSERT_TRUE(copy);
    EXPECT_TRUE(vif_test::samePixels(*copy, *source));
    EXPECT_EQ(copy->attribute0, 4);
}

}  // namespace
