// Bitmap contexts: their sizes and how coverage paints a colour into each pixel format.
#include "graphics/bitmap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using gfx::Bitmap;
using gfx::PixelFormat;

std::uint16_t sample16(const std::uint8_t* pixel, int index) {
    std::uint16_t value = 0;
    std::memcpy(&value, pixel + 2 * index, sizeof value);
    return value;
}

TEST(Bitmap, RefusesSidesOutsideTheLimits) {
    EXPECT_EQ(Bitmap::create(0, 5, PixelFormat::Grey8, 0), nullptr);
    EXPECT_EQ(Bitmap::create(5, -1, PixelFormat::Grey8, 0), nullptr);
    EXPECT_EQ(Bitmap::create(Bitmap::kMaxSide + 1, 1, PixelFormat::Rgb16, 0), nullptr);
    const auto largest = Bitmap::create(Bitmap::kMaxSide, 1, PixelFormat::Rgb16, 0);
    ASSERT_NE(largest, nullptr);
    EXPECT_EQ(largest->rowBytes(), std::size_t{Bitmap::kMaxSide} * 6);
}

TEST(Bitmap, StartsWithEveryByteTheFill) {
    const auto bitmap = Bitmap::create(3, 2, PixelFormat::Rgba8, 0xAB);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->rowBytes(), 12u);
    EXPECT_EQ(bitmap->row(1) - bitmap->row(0), 12);
    for (int y = 0; y < 2; ++y) {
        for (std::size_t i = 0; i < bitmap->rowBytes(); ++i) {
            EXPECT_EQ(bitmap->row(y)[i], 0xAB);
        }
    }
}

// Three pixels in a row: no coverage, full coverage and about half; the covered samples move
// towards the colour, the uncovered one keeps its value.
struct PaintCase {
    const char* name;
    PixelFormat format;
    std::uint8_t fill;
    gfx::Color color;
    std::vector<std::uint32_t> full;  ///< samples of the fully covered pixel
    std::vector<std::uint32_t> half;  ///< samples of the pixel covered 128 / 255
};

class BitmapPaint : public testing::TestWithParam<PaintCase> {};

TEST_P(BitmapPaint, MovesSamplesTowardsTheColourByCoverage) {
    const PaintCase& c = GetParam();
    const auto bitmap = Bitmap::create(3, 1, c.format, c.fill);
    ASSERT_NE(bitmap, nullptr);
    const std::uint8_t coverage[3] = {0, 255, 128};
    bitmap->paint(coverage, 3, c.color);

    const std::size_t bytes = gfx::bytesPerPixel(c.format);
    const bool wide = c.format == PixelFormat::Grey16 || c.format == PixelFormat::Rgb16;
    const auto samplesAt = [&](int x) {
        std::vector<std::uint32_t> samples;
        const std::uint8_t* pixel = bitmap->row(0) + bytes * static_cast<std::size_t>(x);
        for (std::size_t s = 0; s < bytes / (wide ? 2 : 1); ++s) {
            samples.push_back(wide ? sample16(pixel, static_cast<int>(s)) : pixel[s]);
        }
        return samples;
    };
    for (std::uint32_t untouched : samplesAt(0)) {
        EXPECT_EQ(untouched, wide ? c.fill * 257u : c.fill);
    }
    EXPECT_EQ(samplesAt(1), c.full);
    EXPECT_EQ(samplesAt(2), c.half);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, BitmapPaint,
    testing::Values(
        PaintCase{"Grey8BlackOnWhite", PixelFormat::Grey8, 255, gfx::kBlack, {0}, {127}},
        PaintCase{"Grey16BlackOnWhite", PixelFormat::Grey16, 255, gfx::kBlack, {0}, {127 * 257}},
        PaintCase{"Grey8WhiteOnBlack", PixelFormat::Grey8, 0, gfx::kWhite, {255}, {128}},
        PaintCase{"Rgb8Red", PixelFormat::Rgb8, 0, {1.0, 0.0, 0.0}, {255, 0, 0}, {128, 0, 0}},
        PaintCase{"Rgb16White",
                  PixelFormat::Rgb16,
                  0,
                  gfx::kWhite,
                  {65535, 65535, 65535},
                  {32896, 32896, 32896}},
        PaintCase{"Rgba8OverTransparent",
                  PixelFormat::Rgba8,
                  0,
                  gfx::kWhite,
                  {255, 255, 255, 255},
                  {128, 128, 128, 128}}),
    [](const testing::TestParamInfo<PaintCase>& info) { return std::string(info.param.name); });

}  // namespace
