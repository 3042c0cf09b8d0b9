// Whole-buffer scaling: bilinear and bicubic rows.
#include "imaging/buffer/vif_scale.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "vif_fixture.h"

using namespace imaging;

namespace {

using vif_test::Pixel;
using Scaler = int (*)(void*, std::uint32_t, const _vif*, std::uint32_t, std::uint32_t);

VifPtr randomBuffer(std::uint16_t type, std::uint32_t width, std::uint32_t height) {
    std::mt19937 random(width * 31 + height + type);
    const std::uint32_t top = vif_internal::isWideType(type) ? 65535 : 255;
    std::uniform_int_distribution<std::uint32_t> sample(0, top);
    VifPtr buffer(PrepareVifP(type, width, height));
    for (std::uint32_t y = 0; buffer && y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            vif_test::setPixel(*buffer, x, y, {sample(random), sample(random), sample(random)});
        }
    }
    return buffer;
}

/// Scales every row of the source into a new buffer of the source's type.
VifPtr scaleAll(Scaler scaler, const _vif& source, std::uint32_t width, std::uint32_t height) {
    VifPtr out(PrepareVifP(source.type, width, height));
    for (std::uint32_t y = 0; out && y < height; ++y) {
        if (scaler(vif_internal::rowAt(*out, y), y, &source, width, height) != 1) {
            return nullptr;
        }
    }
    return out;
}

/// The grey values of row 0 (or column 0) of a scaled buffer.
std::vector<std::uint32_t> greys(const _vif& buffer, bool alongRow) {
    std::vector<std::uint32_t> values;
    const std::uint32_t count = alongRow ? buffer.width : buffer.height;
    for (std::uint32_t i = 0; i < count; ++i) {
        values.push_back(vif_test::pixelAt(buffer, alongRow ? i : 0, alongRow ? 0 : i)[0]);
    }
    return values;
}

/// A one-row (or one-column) grey ramp source.
VifPtr greyLine(std::uint16_t type, const std::vector<std::uint32_t>& values, bool alongRow) {
    const auto n = static_cast<std::uint32_t>(values.size());
    VifPtr buffer(PrepareVifP(type, alongRow ? n : 1, alongRow ? 1 : n));
    for (std::uint32_t i = 0; buffer && i < n; ++i) {
        vif_test::setGrey(*buffer, alongRow ? i : 0, alongRow ? 0 : i, values[i]);
    }
    return buffer;
}

TEST(VifScale, EqualSizesReproduceEveryRowOfEveryType) {
    struct Case {
        Scaler scaler;
        std::uint16_t type;
    };
    for (const Case c :
         {Case{BiLinearL, kVifBgr8}, Case{BiLinearL, kVifBgr16}, Case{BiLinearL, kVifRgb8},
          Case{BiLinearL, kVifRgb16}, Case{BiCubicL, kVifBgr8}, Case{BiCubicL, kVifBgr16}}) {
        VifPtr source = randomBuffer(c.type, 37, 11);
        ASSERT_TRUE(source);
        VifPtr scaled = scaleAll(c.scaler, *source, 37, 11);
        ASSERT_TRUE(scaled);
        EXPECT_TRUE(vif_test::samePixels(*scaled, *source))
            << (c.scaler == BiLinearL ? "bilinear " : "bicubic ") << c.type;
    }
}

TEST(BiLinearL, DoublingWeighsQuartersOnBothAxes) {
    for (bool alongRow : {true, false}) {
        VifPtr source = greyLine(kVifRgb8, {0, 100}, alongRow);
        ASSERT_TRUE(source);
        VifPtr scaled = scaleAll(BiLinearL, *source, alongRow ? 4 : 1, alongRow ? 1 : 4);
        ASSERT_TRUE(scaled);
        // Positions -0.25 (clamped), 0.25, 0.75, 1.25 (clamped); (8192 x 100 + 16384) / 32768 = 25.
        EXPECT_EQ(greys(*scaled, alongRow), (std::vector<std::uint32_t>{0, 25, 75, 100}))
            << alongRow;
    }
}

TEST(BiLinearL, HalvingAveragesNeighbourPairsInSixteenBits) {
    VifPtr source = greyLine(kVifBgr16, {0, 65535, 1000, 3001}, true);
    ASSERT_TRUE(source);
    VifPtr scaled = scaleAll(BiLinearL, *source, 2, 1);
    ASSERT_TRUE(scaled);
    // Positions 0.5 and 2.5: (16384 x a + 16384 x b + 16384) / 32768.
    EXPECT_EQ(greys(*scaled, true), (std::vector<std::uint32_t>{32768, 2001}));
}

TEST(BiCubicL, DoublingAStepOvershootsAndIsClampedOnBothAxes) {
    // Kernel weights at u = 0.5 are -1/8, 5/8, 5/8, -1/8: 0.5 x 255 = 127.5 is truncated in 8 bits
    // and rounded in 16 bits; -1/8 x 255 and 9/8 x 255 are clamped.
    struct Case {
        std::uint16_t type;
        std::uint32_t high;
        std::uint32_t middle;
    };
    for (const Case c : {Case{kVifBgr8, 255, 127}, Case{kVifBgr16, 65535, 32768}}) {
        for (bool alongRow : {true, false}) {
            VifPtr source = greyLine(c.type, {0, 0, c.high, c.high}, alongRow);
            ASSERT_TRUE(source);
            VifPtr scaled = scaleAll(BiCubicL, *source, alongRow ? 8 : 1, alongRow ? 1 : 8);
            ASSERT_TRUE(scaled);
            EXPECT_EQ(
                greys(*scaled, alongRow),
                (std::vector<std::uint32_t>{0, 0, 0, c.middle, c.high, c.high, c.high, c.high}))
                << c.type << " " << alongRow;
        }
    }
}

TEST(VifScale, RefusesNullArgumentsOtherTypesAndEmptySizes) {
    VifPtr narrow = randomBuffer(kVifRgb8, 4, 4);
    VifPtr opaque(PrepareVifP(kVifOpaque8, 4, 4));
    ASSERT_TRUE(narrow && opaque);
    std::vector<std::uint8_t> row(64);
    for (Scaler scaler : {BiLinearL, BiCubicL}) {
        EXPECT_EQ(scaler(nullptr, 0, narrow.get(), 4, 4), 0);
        EXPECT_EQ(scaler(row.data(), 0, nullptr, 4, 4), 0);
        EXPECT_EQ(scaler(row.data(), 0, opaque.get(), 4, 4), 0);
        EXPECT_EQ(scaler(row.data(), 0, narrow.get(), 0, 4), 0);
        EXPECT_EQ(scaler(row.data(), 0, narrow.get(), 4, 0), 0);
    }
    // The bicubic scaler works on types 0 and 2 only.
    EXPECT_EQ(BiLinearL(row.data(), 0, narrow.get(), 4, 4), 1);
    EXPECT_EQ(BiCubicL(row.data(), 0, narrow.get(), 4, 4), 0);
}

}  // namespace
