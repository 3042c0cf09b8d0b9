// One line of text in the interface font: its measures, its cut to a width and its ink.
#include "graphics/text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ink.h"

namespace {

using gfx::FontStyle;
using gfx::FontWeight;
using gfx::FontWidth;
using graphicstest::inkOf;

constexpr double kSize = 25.0;

double widthOf(const std::string& text, const FontStyle& style = {kSize}) {
    const auto metrics = gfx::measureLine(style, text);
    EXPECT_TRUE(metrics.has_value()) << text;
    return metrics ? metrics->width : 0.0;
}

bool endsWithEllipsis(const std::string& text) {
    return text.size() >= gfx::kEllipsis.size() &&
           text.compare(text.size() - gfx::kEllipsis.size(), gfx::kEllipsis.size(),
                        gfx::kEllipsis) == 0;
}

TEST(MeasureLine, GrowsWithTheTextAndTheSize) {
    EXPECT_GT(widthOf("WW"), widthOf("W"));
    EXPECT_GT(widthOf("W"), 0.0);
    // Without hinting the width scales with the size.
    EXPECT_NEAR(widthOf("Caption 2024", {2 * kSize}), 2 * widthOf("Caption 2024"), 0.5);
}

TEST(MeasureLine, BoldIsWiderAndExpandedIsNoNarrower) {
    const std::string text = "Stratoline caption";
    const double regular = widthOf(text);
    EXPECT_GT(widthOf(text, {kSize, FontWeight::Bold}), regular);
    EXPECT_GE(widthOf(text, {kSize, FontWeight::Regular, FontWidth::Expanded}), regular);
}

TEST(MeasureLine, AscentIsTheFontsAndAnEmptyLineHasNoBounds) {
    const auto metrics = gfx::measureLine({kSize}, "x");
    ASSERT_TRUE(metrics.has_value());
    EXPECT_GT(metrics->ascent, 0.7 * kSize);
    EXPECT_LT(metrics->ascent, 1.1 * kSize);
    EXPECT_GT(metrics->descent, 0.0);
    // The ascent is the font's, not the glyphs'.
    EXPECT_DOUBLE_EQ(gfx::measureLine({kSize}, "Hg")->ascent, metrics->ascent);

    const auto empty = gfx::measureLine({kSize}, "");
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(empty->width, 0.0);
    EXPECT_EQ(empty->ascent, 0.0);
}

TEST(MeasureLine, RefusesBadSizesAndTextThatIsNotUtf8) {
    EXPECT_FALSE(gfx::measureLine({0.0}, "a"));
    EXPECT_FALSE(gfx::measureLine({-3.0}, "a"));
    EXPECT_FALSE(gfx::measureLine({FontStyle::kMaxFontSize * 2}, "a"));
    EXPECT_FALSE(gfx::measureLine({kSize}, std::string("ab\xC3(", 4)));
    EXPECT_FALSE(gfx::measureLine({kSize}, std::string("\xFF", 1)));
}

TEST(TruncateLine, KeepsTextThatFits) {
    const std::string text = "Medium: Photo Gloss";
    EXPECT_EQ(gfx::truncateLine({kSize}, text, widthOf(text)), text);
    EXPECT_EQ(gfx::truncateLine({kSize}, text, 10000.0), text);
}

TEST(TruncateLine, CutsToTheWidestPrefixThatFitsWithTheEllipsis) {
    const std::string text = "Print mode: High quality, bidirectional, 1200 dpi";
    for (const double limit : {400.0, 250.0, 120.0, 60.0}) {
        const auto cut = gfx::truncateLine({kSize, FontWeight::Bold}, text, limit);
        ASSERT_TRUE(cut.has_value());
        ASSERT_TRUE(endsWithEllipsis(*cut)) << *cut;
        const std::string kept = cut->substr(0, cut->size() - gfx::kEllipsis.size());
        EXPECT_EQ(text.compare(0, kept.size(), kept), 0) << *cut;
        EXPECT_LE(widthOf(*cut, {kSize, FontWeight::Bold}), limit);
        // One more character would not fit.
        const std::string longer = text.substr(0, kept.size() + 1) + std::string(gfx::kEllipsis);
        EXPECT_GT(widthOf(longer, {kSize, FontWeight::Bold}), limit) << limit;
    }
}

TEST(TruncateLine, CutsBetweenCharactersNotInsideThem) {
    const std::string text = "\u00C9t\u00E9 \u00E0 la plage \u2014 \u00E9preuve";
    const auto cut = gfx::truncateLine({kSize}, text, 90.0);
    ASSERT_TRUE(cut.has_value());
    EXPECT_TRUE(endsWithEllipsis(*cut));
    EXPECT_TRUE(gfx::measureLine({kSize}, *cut).has_value()) << "not UTF-8 after the cut";
}

TEST(TruncateLine, GivesNothingWhenNotEvenTheEllipsisFits) {
    EXPECT_EQ(gfx::truncateLine({kSize}, "Some text", 3.0), "");
    EXPECT_FALSE(gfx::truncateLine({0.0}, "Some text", 100.0));
}

TEST(DrawLine, InksFromTheOriginUpToTheAscentAboveTheBaseline) {
    auto bitmap = gfx::Bitmap::create(300, 60, gfx::PixelFormat::Grey8, 255);
    ASSERT_NE(bitmap, nullptr);
    const gfx::Point origin{10.0, 20.0};  // baseline 20 above the bottom: memory row 40
    ASSERT_TRUE(gfx::drawLine(*bitmap, origin, {kSize, FontWeight::Bold}, "HHH", gfx::kBlack));
    const auto ink = inkOf(*bitmap);
    const auto metrics = gfx::measureLine({kSize, FontWeight::Bold}, "HHH");
    ASSERT_FALSE(ink.empty());
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.left, 13);
    EXPECT_LE(ink.right, 10 + static_cast<int>(metrics->width));
    EXPECT_GE(ink.right, 10 + static_cast<int>(metrics->width) - 5);
    EXPECT_EQ(ink.bottom, 39);  // "H" stands on the baseline
    EXPECT_GE(ink.top, 40 - static_cast<int>(metrics->ascent) - 1);
    EXPECT_LE(ink.top, 40 - 15);
    // Solid strokes reach black.
    EXPECT_EQ(inkOf(*bitmap, 1).empty(), false);
}

TEST(DrawLine, WhiteOnBlackAndSixteenBitSamplesMatchEightBit) {
    auto grey8 = gfx::Bitmap::create(120, 40, gfx::PixelFormat::Grey8, 0);
    auto grey16 = gfx::Bitmap::create(120, 40, gfx::PixelFormat::Grey16, 0);
    ASSERT_TRUE(gfx::drawLine(*grey8, {4, 10}, {kSize}, "Wide", gfx::kWhite));
    ASSERT_TRUE(gfx::drawLine(*grey16, {4, 10}, {kSize}, "Wide", gfx::kWhite));
    int lit = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 120; ++x) {
            std::uint16_t wide = 0;
            std::memcpy(&wide, grey16->row(y) + 2 * x, 2);
            ASSERT_EQ(wide, grey8->row(y)[x] * 257) << x << "," << y;
            lit += grey8->row(y)[x] == 255 ? 1 : 0;
        }
    }
    EXPECT_GT(lit, 50);
}

TEST(DrawLine, RefusesWhatMeasuringRefuses) {
    auto bitmap = gfx::Bitmap::create(50, 20, gfx::PixelFormat::Grey8, 255);
    EXPECT_FALSE(gfx::drawLine(*bitmap, {0, 5}, {0.0}, "a", gfx::kBlack));
    EXPECT_FALSE(gfx::drawLine(*bitmap, {0, 5}, {kSize}, std::string("\xC3", 1), gfx::kBlack));
    EXPECT_TRUE(inkOf(*bitmap).empty());
}

TEST(DrawTruncatedLine, NeverPaintsBeyondItsWidthAndDrawsTheCutLine) {
    const std::string text = "A caption far too long for the little room it is given";
    const FontStyle style{kSize, FontWeight::Bold};
    for (const double width : {200.0, 97.5, 30.0}) {
        auto truncated = gfx::Bitmap::create(400, 50, gfx::PixelFormat::Grey8, 255);
        ASSERT_TRUE(gfx::drawTruncatedLine(*truncated, {20, 15}, width, style, text, gfx::kBlack));
        const auto ink = inkOf(*truncated);
        ASSERT_FALSE(ink.empty()) << width;
        EXPECT_GE(ink.left, 20);
        EXPECT_LT(ink.right, 20 + width);

        auto whole = gfx::Bitmap::create(400, 50, gfx::PixelFormat::Grey8, 255);
        const auto cut = gfx::truncateLine(style, text, width);
        ASSERT_TRUE(gfx::drawLine(*whole, {20, 15}, style, *cut, gfx::kBlack));
        for (int y = 0; y < 50; ++y) {
            ASSERT_EQ(std::memcmp(whole->row(y), truncated->row(y), 400), 0) << width;
        }
    }
}

TEST(DrawTruncatedLine, DrawsNothingWhereNotEvenTheEllipsisFits) {
    auto bitmap = gfx::Bitmap::create(100, 40, gfx::PixelFormat::Grey8, 255);
    ASSERT_TRUE(gfx::drawTruncatedLine(*bitmap, {5, 10}, 2.0, {kSize}, "Text", gfx::kBlack));
    EXPECT_TRUE(inkOf(*bitmap).empty());
}

}  // namespace
