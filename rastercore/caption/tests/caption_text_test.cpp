// Caption text: measuring by style and selector, drawing in the three colours, and the cut line.
#include "caption/caption_text.h"

#include <gtest/gtest.h>

#include <cstring>

#include "graphics/text.h"
#include "grey_ink.h"

namespace {

using captiontest::inkOf;

constexpr double kSize = 25.0;

TEST(GetTextWidthORHeight, SelectsWidthOrAscentAndNothingElse) {
    const double width = GetTextWidthORHeight(kSize, 0, "Caption", kTextMeasureWidth);
    const double ascent = GetTextWidthORHeight(kSize, 0, "Caption", kTextMeasureAscent);
    EXPECT_GT(width, ascent);
    EXPECT_GT(ascent, 0.0);
    EXPECT_EQ(GetTextWidthORHeight(kSize, 0, "Caption", 2), 0.0);
    EXPECT_EQ(GetTextWidthORHeight(kSize, 0, "Caption", -1), 0.0);
    EXPECT_EQ(GetTextWidthORHeight(kSize, 0, nullptr, kTextMeasureWidth), 0.0);
    EXPECT_EQ(GetTextWidthORHeight(0.0, 0, "Caption", kTextMeasureWidth), 0.0);
    EXPECT_GT(GetTextWidthORHeight(kSize, 0, "WW", kTextMeasureWidth),
              GetTextWidthORHeight(kSize, 0, "W", kTextMeasureWidth));
    EXPECT_EQ(GetCoreTextWidthOrHeight(kSize, 0, "Caption", kTextMeasureWidth), width);
}

TEST(GetTextWidthORHeight, ExpandedWinsOverBoldAndOtherBitsDoNothing) {
    const auto width = [](std::uint16_t style) {
        return GetTextWidthORHeight(kSize, style, "Stratoline 2024", kTextMeasureWidth);
    };
    const double regular = width(0);
    const double bold = width(kTextStyleBold);
    EXPECT_GT(bold, regular);
    EXPECT_EQ(width(0x41), width(kTextStyleExpanded));
    EXPECT_NE(width(0x41), bold);
    EXPECT_GE(width(0x41), regular);
    EXPECT_EQ(width(0x02 | 0x80 | 0x100), regular);
    EXPECT_EQ(width(kTextStyleBold | 0x20), bold);
}

// A white or black ground of 200 × 40 with "Ink" drawn at (10, 12) in `color`.
std::unique_ptr<gfx::Bitmap> drawn(std::uint8_t ground, std::int16_t color) {
    auto bitmap = gfx::Bitmap::create(200, 40, gfx::PixelFormat::Grey8, ground);
    EXPECT_EQ(DrawText(bitmap.get(), {10, 12, 190, 28}, kSize, kTextStyleBold, "Ink", color), 0);
    return bitmap;
}

TEST(DrawText, ColourZeroIsBlackOneWhiteAndOthersTheDefaultBlack) {
    const auto black = drawn(255, kTextColorBlack);
    const auto otherColour = drawn(255, 2);
    const auto white = drawn(0, kTextColorWhite);
    const auto whiteOnWhite = drawn(255, kTextColorWhite);
    ASSERT_FALSE(inkOf(*black).empty());
    EXPECT_FALSE(inkOf(*black, 1).empty()) << "full strokes reach 0";
    EXPECT_TRUE(inkOf(*whiteOnWhite).empty());
    for (int y = 0; y < 40; ++y) {
        EXPECT_EQ(std::memcmp(black->row(y), otherColour->row(y), 200), 0);
        for (int x = 0; x < 200; ++x) {
            ASSERT_EQ(white->row(y)[x], 255 - black->row(y)[x]);
        }
    }
    // The baseline starts at (10, 12): ink from column 10 on, standing on memory row 27.
    const auto ink = inkOf(*black);
    EXPECT_GE(ink.left, 10);
    EXPECT_EQ(ink.bottom, 27);
}

TEST(DrawText, NullContextOrTextDrawsNothingAndSucceeds) {
    auto bitmap = gfx::Bitmap::create(50, 20, gfx::PixelFormat::Grey8, 255);
    EXPECT_EQ(DrawText(nullptr, {0, 5, 50, 15}, kSize, 0, "a", 0), 0);
    EXPECT_EQ(DrawText(bitmap.get(), {0, 5, 50, 15}, kSize, 0, nullptr, 0), 0);
    EXPECT_EQ(DrawText_Trunc(bitmap.get(), {0, 5, 50, 15}, kSize, 0, nullptr, 0), 0);
    EXPECT_TRUE(inkOf(*bitmap).empty());
}

TEST(DrawText_Trunc, StaysInsideItsRectangleAndEndsInTheEllipsis) {
    const char* text = "Photo Paper Glossy 250 g/m2, roll 44 inch";
    const gfx::Rect rect{15, 10, 160, 30};
    auto truncated = gfx::Bitmap::create(400, 40, gfx::PixelFormat::Grey8, 255);
    ASSERT_EQ(DrawText_Trunc(truncated.get(), rect, kSize, kTextStyleBold, text, 0), 0);
    const auto ink = inkOf(*truncated);
    ASSERT_FALSE(ink.empty());
    EXPECT_GE(ink.left, 15);
    EXPECT_LT(ink.right, 15 + 160);

    // The same pixels as the cut text ending in U+2026, drawn whole.
    const auto cut = gfx::truncateLine({kSize, gfx::FontWeight::Bold}, text, rect.width);
    ASSERT_TRUE(cut.has_value());
    ASSERT_GE(cut->size(), 3u);
    EXPECT_EQ(cut->substr(cut->size() - 3), "\xE2\x80\xA6");
    auto whole = gfx::Bitmap::create(400, 40, gfx::PixelFormat::Grey8, 255);
    ASSERT_EQ(DrawText(whole.get(), rect, kSize, kTextStyleBold, cut->c_str(), 0), 0);
    for (int y = 0; y < 40; ++y) {
        ASSERT_EQ(std::memcmp(whole->row(y), truncated->row(y), 400), 0) << y;
    }

    // A text that fits is drawn whole.
    auto fits = gfx::Bitmap::create(400, 40, gfx::PixelFormat::Grey8, 255);
    auto plain = gfx::Bitmap::create(400, 40, gfx::PixelFormat::Grey8, 255);
    DrawText_Trunc(fits.get(), {15, 10, 380, 30}, kSize, 0, "Short", 0);
    DrawText(plain.get(), {15, 10, 380, 30}, kSize, 0, "Short", 0);
    for (int y = 0; y < 40; ++y) {
        ASSERT_EQ(std::memcmp(fits->row(y), plain->row(y), 400), 0);
    }
}

}  // namespace
