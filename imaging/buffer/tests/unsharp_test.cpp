// Unsharp mask: flat images, refusals, hand-computed corrections and the three-row window.
#include "imaging/buffer/unsharp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "vif_fixture.h"

using namespace imaging;

namespace {

using vif_test::Pixel;

constexpr std::int32_t kStrength = 100;

TEST(UnsharpST, FlatImageIsUnchanged) {
    for (std::uint16_t type : {kVifBgr8, kVifBgr16, kVifRgb8, kVifRgb16}) {
        const Pixel colour{200, 17, 90};
        VifPtr buffer = vif_test::filled(type, 6, 5, colour);
        ASSERT_TRUE(buffer);
        VifPtr before(DuplicateVif(buffer.get()));
        ASSERT_EQ(UnsharpST(buffer.get(), 0, kStrength), 1);
        EXPECT_TRUE(vif_test::samePixels(*buffer, *before)) << type;
    }
}

TEST(UnsharpST, TooSmallOrUnfilterableImagesAreRefusedAndUnchanged) {
    for (auto [width, height] : {std::pair{2u, 7u}, std::pair{7u, 2u}}) {
        VifPtr buffer = vif_test::filled(kVifRgb8, width, height, {0, 0, 0});
        ASSERT_TRUE(buffer);
        vif_test::setGrey(*buffer, 1, 1, 255);
        VifPtr before(DuplicateVif(buffer.get()));
        EXPECT_EQ(UnsharpST(buffer.get(), 0, kStrength), 0);
        EXPECT_TRUE(vif_test::samePixels(*buffer, *before));
    }
    VifPtr opaque(PrepareVifP(kVifOpaque8, 5, 5));
    EXPECT_EQ(UnsharpST(opaque.get(), 0, kStrength), 0);
    EXPECT_EQ(UnsharpST(nullptr, 0, kStrength), 0);
}

struct GreyCase {
    const char* what;
    std::uint16_t type;
    std::uint32_t width, height;
    std::uint32_t ground;
    std::uint32_t x, y, value;  // the one pixel that differs from the ground
    std::int32_t threshold, strength;
    std::uint32_t checkX, checkY, expected;
};

class UnsharpGrey : public testing::TestWithParam<GreyCase> {};

// Grey pixels in 8 bits have luminance 256 v (1024 v >> 2), in 16 bits v.
TEST_P(UnsharpGrey, CorrectionEqualsTheHandComputedValue) {
    const GreyCase c = GetParam();
    VifPtr buffer = vif_test::filled(c.type, c.width, c.height, {c.ground, c.ground, c.ground});
    ASSERT_TRUE(buffer);
    vif_test::setGrey(*buffer, c.x, c.y, c.value);
    ASSERT_EQ(UnsharpST(buffer.get(), c.threshold, c.strength), 1);
    const std::uint32_t e = c.expected;
    EXPECT_EQ(vif_test::pixelAt(*buffer, c.checkX, c.checkY), (Pixel{e, e, e}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnsharpGrey,
    testing::Values(
        // Strict maximum, 8 equal differences of 25600: M = 140800 / 9 = 15644, D = 22756,
        // F = 3072: C = (100 x 3072 / 3840) x 22756 / 25600 = 80 x 22756 / 25600 = 71.
        GreyCase{"bright", kVifRgb8, 5, 5, 50, 2, 2, 150, 0, kStrength, 2, 2, 221},
        // Strict minimum, 50 on 100: M = 217600 / 9 = 24177, D = -11377, C = 80 x -11377 / 25600 =
        // -35.
        GreyCase{"dark", kVifBgr8, 5, 5, 100, 2, 2, 50, 0, kStrength, 2, 2, 15},
        // 100 on 50: D = 11378, C = 80 x 11378 / 25600 = 35.
        GreyCase{"isolated", kVifRgb8, 5, 5, 50, 2, 2, 100, 0, kStrength, 2, 2, 135},
        // Beside it on the luminance edge (one brighter neighbour, the rest equal): F = 3840,
        // M = 128000 / 9 = 14222, D = -1422: C = 100 x -1422 / 25600 = -5.
        GreyCase{"edge", kVifRgb8, 5, 5, 50, 2, 2, 100, 0, kStrength, 1, 2, 45},
        GreyCase{"edge diagonal", kVifRgb8, 5, 5, 50, 2, 2, 100, 0, kStrength, 3, 3, 45},
        // Far from it nothing changes.
        GreyCase{"far", kVifRgb8, 6, 6, 50, 1, 1, 100, 0, kStrength, 4, 4, 50},
        // Corner: 3 neighbours, M = 64000 / 4 = 16000, D = 9600, C = 80 x 9600 / 25600 = 30.
        GreyCase{"corner", kVifBgr8, 3, 3, 50, 0, 0, 100, 0, kStrength, 0, 0, 130},
        // Image edge: 5 neighbours, M = 89600 / 6 = 14933, D = 10667, C = 33.
        GreyCase{"image edge", kVifBgr8, 3, 3, 50, 1, 0, 100, 0, kStrength, 1, 0, 133},
        // Overshoot is clamped.
        GreyCase{"clamped", kVifRgb8, 3, 3, 50, 1, 1, 250, 0, kStrength, 1, 1, 255},
        // 16 bits, a detail of 256: M = 9288 / 9 = 1032, gain (100 x 133) >> 10 = 12,
        // C = (12 x 3072 / 3840) x 256 / 100 = 9 x 256 / 100 = 23.
        GreyCase{"table", kVifBgr16, 3, 3, 1000, 1, 1, 1288, 0, kStrength, 1, 1, 1311},
        // The same detail below the threshold counts a tenth: C = 9 x 25 / 100 = 2.
        GreyCase{"noise", kVifRgb16, 3, 3, 1000, 1, 1, 1288, 300, kStrength, 1, 1, 1290}),
    [](const testing::TestParamInfo<GreyCase>& info) {
        std::string name = info.param.what;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

TEST(UnsharpST, UnequalDifferencesOfAnExtremumSpreadTheDamping) {
    // Centre 3000, seven neighbours 1000 and one 2150: differences 2000 and 850, so
    // F = 1150 / 85 + 3072 = 3085; M = 12150 / 9 = 1350, D = 1650 (full strength 1000):
    // C = (1000 x 3085 / 3840) x 1650 / 100 = 803 x 1650 / 100 = 13249.
    VifPtr buffer = vif_test::filled(kVifBgr16, 3, 3, {1000, 1000, 1000});
    ASSERT_TRUE(buffer);
    vif_test::setGrey(*buffer, 1, 1, 3000);
    vif_test::setGrey(*buffer, 2, 2, 2150);
    ASSERT_EQ(UnsharpST(buffer.get(), 0, 1000), 1);
    EXPECT_EQ(vif_test::pixelAt(*buffer, 1, 1), (Pixel{16249, 16249, 16249}));
}

TEST(UnsharpST, LuminanceWeighsRedAboveBlueInEitherOrder) {
    // Bytes {255, 0, 0} in the middle of black: as red, L = 306 x 255 >> 2 = 19507, D = 17340,
    // C = 80 x 17340 / 25600 = 54; as blue, L = 117 x 255 >> 2 = 7458, D = 6630, C = 20.
    for (auto [type, change] : {std::pair{kVifRgb8, 54u}, std::pair{kVifBgr8, 20u}}) {
        VifPtr buffer = vif_test::filled(type, 3, 3, {0, 0, 0});
        ASSERT_TRUE(buffer);
        vif_test::setPixel(*buffer, 1, 1, {255, 0, 0});
        ASSERT_EQ(UnsharpST(buffer.get(), 0, kStrength), 1);
        EXPECT_EQ(vif_test::pixelAt(*buffer, 1, 1), (Pixel{255, change, change})) << type;
    }
}

/// Three random rows of one type.
struct Rows {
    std::vector<std::uint8_t> previous, current, next;
    Rows(std::uint16_t type, std::uint32_t width, unsigned seed) {
        std::mt19937 random(seed);
        const std::size_t bytes = std::size_t{vif_internal::pixelSize(type)} * width;
        for (auto* row : {&previous, &current, &next}) {
            row->resize(bytes);
            for (auto& byte : *row) {
                byte = static_cast<std::uint8_t>(random());
            }
        }
    }
};

/// Row 1 of an explicit three-row buffer sharpened by UnsharpST.
std::vector<std::uint8_t> middleOfWindow(std::uint16_t type, std::uint32_t width,
                                         const std::vector<std::uint8_t>& above,
                                         const std::vector<std::uint8_t>& middle,
                                         const std::vector<std::uint8_t>& below) {
    VifPtr window(PrepareVifP(type, width, 3));
    if (!window) {
        return {};
    }
    std::memcpy(vif_internal::rowAt(*window, 0), above.data(), above.size());
    std::memcpy(vif_internal::rowAt(*window, 1), middle.data(), middle.size());
    std::memcpy(vif_internal::rowAt(*window, 2), below.data(), below.size());
    if (UnsharpST(window.get(), 0, kStrength) != 1) {
        return {};
    }
    const std::uint8_t* row = vif_internal::rowAt(*window, 1);
    return {row, row + middle.size()};
}

TEST(UnsharpL, EqualsTheExplicitThreeRowWindowWithTheMissingSideMirrored) {
    constexpr std::uint32_t kWidth = 53;
    for (std::uint16_t type : {kVifBgr8, kVifBgr16, kVifRgb8, kVifRgb16}) {
        const Rows rows(type, kWidth, type + 1);
        std::vector<std::uint8_t> out(rows.current.size());

        ASSERT_EQ(UnsharpL(kStrength, out.data(), nullptr, rows.current.data(), rows.next.data(),
                           kWidth, type),
                  1);
        EXPECT_EQ(out, middleOfWindow(type, kWidth, rows.next, rows.current, rows.next))
            << "first " << type;

        ASSERT_EQ(UnsharpL(kStrength, out.data(), rows.previous.data(), rows.current.data(),
                           nullptr, kWidth, type),
                  1);
        EXPECT_EQ(out, middleOfWindow(type, kWidth, rows.previous, rows.current, rows.previous))
            << "last " << type;

        ASSERT_EQ(UnsharpL(kStrength, out.data(), rows.previous.data(), rows.current.data(),
                           rows.next.data(), kWidth, type),
                  1);
        EXPECT_EQ(out, middleOfWindow(type, kWidth, rows.previous, rows.current, rows.next))
            << "middle " << type;
        EXPECT_NE(out, rows.current);
    }
}

TEST(UnsharpL, SharpensInPlace) {
    const Rows rows(kVifRgb16, 20, 3);
    std::vector<std::uint8_t> row = rows.current;
    ASSERT_EQ(UnsharpL(kStrength, row.data(), rows.previous.data(), row.data(), rows.next.data(),
                       20, kVifRgb16),
              1);
    EXPECT_EQ(row, middleOfWindow(kVifRgb16, 20, rows.previous, rows.current, rows.next));
}

TEST(UnsharpL, NarrowRowsComeBackUnchanged) {
    for (std::uint32_t width : {1u, 2u}) {
        const Rows rows(kVifBgr8, width, width);
        std::vector<std::uint8_t> out(rows.current.size(), 0);
        ASSERT_EQ(UnsharpL(kStrength, out.data(), rows.previous.data(), rows.current.data(),
                           rows.next.data(), width, kVifBgr8),
                  1);
        EXPECT_EQ(out, rows.current);
    }
}

TEST(UnsharpL, RefusalsWriteNothing) {
    const Rows rows(kVifRgb8, 8, 9);
    std::vector<std::uint8_t> out(rows.current.size(), 0xEE);
    const auto untouched = out;
    const void* p = rows.previous.data();
    const void* c = rows.current.data();
    const void* n = rows.next.data();
    EXPECT_EQ(UnsharpL(kStrength, nullptr, p, c, n, 8, kVifRgb8), 0);
    EXPECT_EQ(UnsharpL(kStrength, out.data(), p, nullptr, n, 8, kVifRgb8), 0);
    EXPECT_EQ(UnsharpL(kStrength, out.data(), p, c, n, 8, kVifOpaque8), 0);
    EXPECT_EQ(UnsharpL(kStrength, out.data(), p, c, n, 8, 1), 0);
    EXPECT_EQ(UnsharpL(kStrength, out.data(), nullptr, c, nullptr, 8, kVifRgb8), 0);
    EXPECT_EQ(out, untouched);
}

}  // namespace
