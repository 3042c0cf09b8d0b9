// The caption's size from its measured text, and its rectangle on the page.
#include "caption/caption_geometry.h"

#include <gtest/gtest.h>

#include "caption/caption_text.h"
#include "caption_fixture.h"

namespace {

using captiontest::CaptionJob;
using captiontest::CaptionSetup;

TEST(CaptionWiAndHi, NinePointsAt200DpiAndOneCentimetreOfText) {
    CaptionJob job;
    const PLGContext& c = job.context();
    EXPECT_EQ(c.captionFontSize, 25);
    EXPECT_EQ(c.textBitmapHeight, 78);
    // The bold text's whole pixels, widened by 15 %.
    const double bold = GetTextWidthORHeight(25, kTextStyleBold, c.captionText, kTextMeasureWidth);
    EXPECT_GT(bold, GetTextWidthORHeight(25, 0, c.captionText, kTextMeasureWidth));
    EXPECT_EQ(c.textBitmapWidth, static_cast<int>(static_cast<int>(bold) * 1.15));
    // 300 dpi: scale 1.5.
    EXPECT_EQ(c.captionHeight, 117);
    EXPECT_EQ(c.captionWidth, static_cast<int>(1.5 * c.textBitmapWidth));
}

TEST(CaptionWiAndHi, TurnedCaptionsExchangeTheSidesAndScaleWithTheResolution) {
    CaptionJob upright(CaptionSetup{.inputResolution = 2});
    CaptionJob turned(CaptionSetup{.inputResolution = 2, .rotate = true});
    EXPECT_EQ(upright.context().captionHeight, 234);
    EXPECT_EQ(upright.context().captionWidth, 3 * upright.context().textBitmapWidth);
    EXPECT_EQ(turned.context().captionWidth, 234);
    EXPECT_EQ(turned.context().captionHeight, upright.context().captionWidth);
}

TEST(CaptionWiAndHi, RefusesNoContextAndAZeroDivisor) {
    CaptionJob job;
    EXPECT_EQ(PLG_Get_CaptionWiAndHi(&job.context(), 9, 200, 0), -1);
    EXPECT_EQ(PLG_Get_CaptionWiAndHi(nullptr, 9, 200, 72), -1);
}

// 300 dpi on paper 3000 × 4000 dots with margins 30 at the sides, 30 on top and 50 at the
// bottom (tenths of a millimetre): printable width 2929, printable length 3905.
struct RecCase {
    const char* name;
    bool turned;
    std::int32_t mirror;
    std::int16_t kind;
    std::int32_t width;  ///< caption width and height
    std::int32_t height;
    TARNRect expected;
    std::int32_t paperHeightDots = 4000;
    bool fitted = false;  ///< expansion-reduction and fit-type flags both 1
};

class CaptionRec : public testing::TestWithParam<RecCase> {};

TEST_P(CaptionRec, PlacesTheCaptionInThePrintableArea) {
    const RecCase& c = GetParam();
    CaptionJob job;
    PLGContext& context = job.context();
    context.paperWidthDots = 3000;
    context.paperHeightDots = c.paperHeightDots;
    context.rotate = c.turned ? 1 : 0;
    context.captionKind = c.kind;
    context.captionWidth = c.width;
    context.captionHeight = c.height;
    context.expansionReduction = context.fitType = c.fitted ? 1 : 0;
    job.info().mirror = c.mirror;
    TARNRect rect{-5, -5, -5, -5};
    PLG_Get_Caption_Rec(&context, &rect);
    EXPECT_EQ(rect.top, c.expected.top);
    EXPECT_EQ(rect.left, c.expected.left);
    EXPECT_EQ(rect.bottom, c.expected.bottom);
    EXPECT_EQ(rect.right, c.expected.right);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, CaptionRec,
    testing::Values(
        RecCase{"UprightTop", false, 0, 1, 600, 117, {0, 0, 117, 600}},
        RecCase{"UprightBottom", false, 0, 2, 600, 117, {3788, 0, 3905, 600}},
        RecCase{"UprightMirroredRightAlignedLeftRoundedUp",
                false,
                1,
                1,
                600,
                117,
                {0, 2336, 117, 2929}},
        RecCase{"LeftEdge13BecomesSixteen", false, 1, 1, 2916, 117, {0, 16, 117, 2929}},
        RecCase{"LeftEdge16Stays", false, 1, 1, 2913, 117, {0, 16, 117, 2929}},
        RecCase{"WiderThanPrintableIsCut", false, 0, 1, 3500, 117, {0, 0, 117, 2929}},
        RecCase{"WiderThanPrintableMirrored", false, 1, 2, 3500, 117, {3788, 0, 3905, 2929}},
        RecCase{"TurnedRightEdge", true, 0, 1, 117, 600, {0, 2816, 600, 2929}},
        RecCase{"TurnedLeftEdgeMirroredToTheBottom", true, 1, 2, 117, 600, {3305, 0, 3905, 117}},
        RecCase{"TurnedLongerThanPrintable", true, 0, 2, 117, 5000, {0, 0, 3905, 117}},
        RecCase{
            "ShortPaperMeasuresFromEightInches", false, 0, 2, 600, 117, {2188, 0, 2305, 600}, 2000},
        RecCase{"FittedBottomKeepsAWholeCentimetre",
                false,
                0,
                2,
                600,
                117,
                {3906, 0, 4023, 600},
                4000,
                true},
        RecCase{"FittedOtherKindKeepsTheMarginDifference",
                false,
                0,
                3,
                600,
                117,
                {3882, 0, 3999, 600},
                4000,
                true},
        RecCase{"TurnedIgnoresFitting", true, 1, 2, 117, 600, {3305, 0, 3905, 117}, 4000, true}),
    [](const testing::TestParamInfo<RecCase>& info) { return std::string(info.param.name); });

}  // namespace
