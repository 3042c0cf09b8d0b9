// Pasting buffers into buffers and cutting rectangles out of them.
#include "imaging/buffer/vif_region.h"

#include <gtest/gtest.h>

#include "vif_fixture.h"

using namespace imaging;

namespace {

using vif_test::Pixel;

/// A buffer whose pixel (x, y) is {x, y, x + y}.
VifPtr coordinates(std::uint16_t type, std::uint32_t width, std::uint32_t height) {
    VifPtr buffer(PrepareVifP(type, width, height));
    for (std::uint32_t y = 0; buffer && y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            vif_test::setPixel(*buffer, x, y, {x, y, x + y});
        }
    }
    return buffer;
}

int changedPixels(const _vif& buffer, const Pixel& background) {
    int changed = 0;
    for (std::uint32_t y = 0; y < buffer.height; ++y) {
        for (std::uint32_t x = 0; x < buffer.width; ++x) {
            changed += vif_test::pixelAt(buffer, x, y) != background;
        }
    }
    return changed;
}

TEST(OverlapVif, ClipsAtTheRightAndBottomEdges) {
    VifPtr destination = vif_test::filled(kVifBgr8, 100, 100, {0, 0, 0});
    VifPtr source = coordinates(kVifBgr8, 10, 10);
    ASSERT_TRUE(destination && source);
    ASSERT_EQ(OverlapVif(destination.get(), source.get(), 95, 95), 1);
    EXPECT_EQ(changedPixels(*destination, {0, 0, 0}), 5 * 5 - 1);  // source (0, 0) is black
    EXPECT_EQ(vif_test::pixelAt(*destination, 99, 99), (Pixel{4, 4, 8}));
    EXPECT_EQ(vif_test::pixelAt(*destination, 96, 99), (Pixel{1, 4, 5}));
}

TEST(OverlapVif, PastesWhollyInsideAndConvertsAnotherType) {
    VifPtr destination = vif_test::filled(kVifBgr16, 8, 8, {0, 0, 0});
    VifPtr source = coordinates(kVifRgb8, 3, 2);
    ASSERT_TRUE(destination && source);
    ASSERT_EQ(OverlapVif(destination.get(), source.get(), 2, 3), 1);
    EXPECT_EQ(changedPixels(*destination, {0, 0, 0}), 6);
    // Source (2, 1) is red 2, green 1, blue 3: in BGR 16 bits {3, 1, 2} x 256 + 127.
    EXPECT_EQ(vif_test::pixelAt(*destination, 4, 4),
              (Pixel{3 * 256 + 127, 1 * 256 + 127, 2 * 256 + 127}));
}

TEST(OverlapVif, RefusesNullBuffersOutsidePositionsAndUnconvertibleTypes) {
    const Pixel background{7, 7, 7};
    VifPtr destination = vif_test::filled(kVifBgr8, 10, 10, background);
    VifPtr source = coordinates(kVifBgr8, 3, 3);
    VifPtr opaque(PrepareVifP(kVifOpaque8, 3, 3));
    ASSERT_TRUE(destination && source && opaque);
    EXPECT_EQ(OverlapVif(nullptr, source.get(), 0, 0), 0);
    EXPECT_EQ(OverlapVif(destination.get(), nullptr, 0, 0), 0);
    EXPECT_EQ(OverlapVif(destination.get(), source.get(), 10, 0), 0);
    EXPECT_EQ(OverlapVif(destination.get(), source.get(), 0, 10), 0);
    EXPECT_EQ(OverlapVif(destination.get(), opaque.get(), 0, 0), 0);
    EXPECT_EQ(changedPixels(*destination, background), 0);
}

TEST(PartOfVif, CutsTheRectangleClippedAtTheEdges) {
    VifPtr source = coordinates(kVifRgb16, 20, 10);
    ASSERT_TRUE(source);
    source->attribute1 = 42;
    VifPtr inside(PartOfVif(source.get(), 3, 4, 5, 2));
    ASSERT_TRUE(inside);
    EXPECT_EQ(inside->width, 5u);
    EXPECT_EQ(inside->height, 2u);
    EXPECT_EQ(inside->type, kVifRgb16);
    EXPECT_EQ(inside->attribute1, 42u);
    EXPECT_EQ(vif_test::pixelAt(*inside, 0, 0), (Pixel{3, 4, 7}));
    EXPECT_EQ(vif_test::pixelAt(*inside, 4, 1), (Pixel{7, 5, 12}));

    VifPtr clipped(PartOfVif(source.get(), 18, 9, 5, 5));
    ASSERT_TRUE(clipped);
    EXPECT_EQ(clipped->width, 2u);
    EXPECT_EQ(clipped->height, 1u);
    EXPECT_EQ(vif_test::pixelAt(*clipped, 1, 0), (Pixel{19, 9, 28}));
}

TEST(PartOfVif, OutOfRangeOriginGivesNull) {
    VifPtr source = coordinates(kVifBgr8, 20, 10);
    ASSERT_TRUE(source);
    EXPECT_EQ(PartOfVif(source.get(), 20, 0, 1, 1), nullptr);
    EXPECT_EQ(PartOfVif(source.get(), 0, 10, 1, 1), nullptr);
    EXPECT_EQ(PartOfVif(nullptr, 0, 0, 1, 1), nullptr);
}

}  // namespace
