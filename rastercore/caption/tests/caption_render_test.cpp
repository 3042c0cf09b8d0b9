// The caption bitmap: its text at the baseline of its kind, its working pixels at 8 and 16 bits
// and in one sample, the turn, and the mirror.
#include "caption/caption_render.h"

#include <gtest/gtest.h>

#include <cstring>

#include "bytes/byte_order.h"
#include "caption_fixture.h"
#include "grey_ink.h"

namespace {

using captiontest::CaptionJob;
using captiontest::CaptionSetup;
using captiontest::inkOf;

captiontest::InkBox captionInk(CaptionJob& job) {
    const PLGContext& c = job.context();
    return inkOf(c.captionBitmap, c.captionWidth, c.captionHeight, job.pixelBytes());
}

TEST(CaptionMakeData, DrawsTheTextUnderTheTopOrOverTheBottomByKind) {
    CaptionJob top(CaptionSetup{.kind = kCaptionKindTop});
    CaptionJob bottom(CaptionSetup{.kind = kCaptionKindBottom});
    ASSERT_EQ(PLG_Caption_MakeData(&top.context(), kCaptionKindTop), 0);
    ASSERT_EQ(PLG_Caption_MakeData(&bottom.context(), kCaptionKindBottom), 0);
    const PLGContext& c = top.context();
    EXPECT_EQ(c.captionBitmapSize,
              static_cast<std::uint32_t>(c.captionWidth * c.captionHeight * 3));

    // Kind 1: the font's ascent plus 2 under the top of the 78-row text band; scaled by 1.5.
    const auto upper = captionInk(top);
    ASSERT_FALSE(upper.empty());
    EXPECT_GE(upper.top, 3);
    EXPECT_LE(upper.top, 16);
    EXPECT_LE(upper.bottom, 60);
    // Other kinds: the baseline 25 rows over the bottom of the band: text rows end near
    // (78 - 25) × 1.5 plus the descent.
    const auto lower = captionInk(bottom);
    ASSERT_FALSE(lower.empty());
    EXPECT_GE(lower.top, 40);
    EXPECT_GE(lower.bottom, 79);
    EXPECT_LE(lower.bottom, 95);
    // Both start at the left, the text filling most of the 1.15-wide band.
    EXPECT_LE(upper.left, 6);
    EXPECT_GT(upper.right, c.captionWidth * 3 / 4);
    EXPECT_LT(upper.right, c.captionWidth);
}

TEST(CaptionMakeData, SixteenBitLevelsAreEightBitTimes257InEverySample) {
    CaptionJob narrow;
    CaptionJob wide(CaptionSetup{.wide = true});
    ASSERT_EQ(PLG_Caption_MakeData(&narrow.context(), kCaptionKindTop), 0);
    ASSERT_EQ(PLG_Caption_MakeData(&wide.context(), kCaptionKindTop), 0);
    ASSERT_EQ(narrow.pixelBytes(), 3u);
    ASSERT_EQ(wide.pixelBytes(), 6u);
    const PLGContext& c = narrow.context();
    int grey = 0;
    for (int y = 0; y < c.captionHeight; ++y) {
        for (int x = 0; x < c.captionWidth; ++x) {
            const std::uint8_t* p = narrow.pixel(y, x);
            const std::uint8_t* q = wide.pixel(y, x);
            ASSERT_EQ(p[0], p[1]);
            ASSERT_EQ(p[0], p[2]);
            for (int s = 0; s < 3; ++s) {
                ASSERT_EQ(bytes::loadLE16(q + 2 * s), p[0] * 257) << x << "," << y;
            }
            grey += p[0] != 0 && p[0] != 255 ? 1 : 0;
        }
    }
    EXPECT_GT(grey, 0) << "antialiased edges keep their levels";
}

TEST(CaptionMakeData, GreyCaptionsUseOneSample) {
    struct Case {
        const char* what;
        std::int32_t greyModel;        // model value 34
        std::int32_t colourProcessed;  // model value 45
        std::int32_t colorMode;
        std::size_t pixelBytes;
    };
    const Case cases[] = {
        {"grey caption model, monochrome", 1, 0, kColorModeMonochromePhoto, 1},
        {"captions colour-processed", 1, 1, kColorModeMonochromePhoto, 3},
        {"colour output", 1, 0, kColorModeColor, 3},
        {"three-channel model", 0, 0, kColorModeMonochromePhoto, 3},
    };
    CaptionJob reference;
    ASSERT_EQ(PLG_Caption_MakeData(&reference.context(), kCaptionKindTop), 0);
    for (const Case& c : cases) {
        for (const bool wide : {false, true}) {
            CaptionJob job(CaptionSetup{.wide = wide});
            job.context().modelTable.TNR2_T_RGB_Y = c.greyModel;
            job.context().modelTable.MonoCapColorProcessing = c.colourProcessed;
            job.color().colorMode = c.colorMode;
            ASSERT_EQ(PLG_Caption_MakeData(&job.context(), kCaptionKindTop), 0) << c.what;
            ASSERT_EQ(job.pixelBytes(), c.pixelBytes * (wide ? 2 : 1)) << c.what;
            const PLGContext& ctx = job.context();
            for (int y = 0; y < ctx.captionHeight; ++y) {
                for (int x = 0; x < ctx.captionWidth; ++x) {
                    const std::uint32_t level =
                        wide ? bytes::loadLE16(job.pixel(y, x)) / 257u : job.pixel(y, x)[0];
                    ASSERT_EQ(level, reference.pixel(y, x)[0]) << c.what;
                }
            }
        }
    }
}

TEST(CaptionMakeData, ATurnedCaptionReadsDownwardsWithItsTopAtTheRight) {
    CaptionJob upright;
    CaptionJob turned(CaptionSetup{.rotate = true});
    ASSERT_EQ(PLG_Caption_MakeData(&upright.context(), kCaptionKindTop), 0);
    ASSERT_EQ(PLG_Caption_MakeData(&turned.context(), kCaptionKindTop), 0);
    const PLGContext& u = upright.context();
    const PLGContext& t = turned.context();
    ASSERT_EQ(t.captionWidth, u.captionHeight);
    ASSERT_EQ(t.captionHeight, u.captionWidth);
    // Upright row i, column j is turned row j, column (width - 1 - i).
    for (int i = 0; i < u.captionHeight; ++i) {
        for (int j = 0; j < u.captionWidth; ++j) {
            ASSERT_EQ(std::memcmp(upright.pixel(i, j), turned.pixel(j, t.captionWidth - 1 - i), 3),
                      0)
                << i << "," << j;
        }
    }
}

TEST(CaptionMakeData, TheMirrorFlagMirrorsLikeTheImage) {
    for (const bool rotate : {false, true}) {
        CaptionJob plain(CaptionSetup{.rotate = rotate});
        CaptionJob mirrored(CaptionSetup{.rotate = rotate, .mirror = 1});
        // The same rectangle, so that both mirror over the whole bitmap.
        mirrored.context().captionRect = plain.context().captionRect = {
            0, 0, plain.context().captionHeight, plain.context().captionWidth};
        ASSERT_EQ(PLG_Caption_MakeData(&plain.context(), kCaptionKindTop), 0);
        ASSERT_EQ(PLG_Caption_MakeData(&mirrored.context(), kCaptionKindTop), 0);
        const PLGContext& c = plain.context();
        for (int y = 0; y < c.captionHeight; ++y) {
            for (int x = 0; x < c.captionWidth; ++x) {
                // Upright: each row reversed; turned: top and bottom exchanged.
                const std::uint8_t* expected = rotate ? plain.pixel(c.captionHeight - 1 - y, x)
                                                      : plain.pixel(y, c.captionWidth - 1 - x);
                ASSERT_EQ(std::memcmp(mirrored.pixel(y, x), expected, 3), 0)
                    << (rotate ? "turned " : "upright ") << x << "," << y;
            }
        }
    }
}

TEST(CaptionMirror, WorksOnTheCaptionRectangleOnly) {
    CaptionJob job;
    PLGContext& c = job.context();
    c.captionWidth = 4;
    c.captionHeight = 2;
    c.captionRect = {0, 0, 2, 3};  // three of the four pixels of each row
    std::uint8_t bitmap[] = {1, 2, 3, 4, 5, 6, 7, 8};
    ASSERT_EQ(PLG_CaptionMirror(&c, bitmap, 4, 1), 0);
    const std::uint8_t upright[] = {3, 2, 1, 4, 7, 6, 5, 8};
    EXPECT_EQ(std::memcmp(bitmap, upright, sizeof bitmap), 0);

    c.rotate = 1;
    ASSERT_EQ(PLG_CaptionMirror(&c, bitmap, 4, 1), 0);
    const std::uint8_t turned[] = {7, 6, 5, 8, 3, 2, 1, 4};
    EXPECT_EQ(std::memcmp(bitmap, turned, sizeof bitmap), 0);

    c.bitsPerPixel = 32;
    EXPECT_EQ(PLG_CaptionMirror(&c, bitmap, 4, 1), 1);
    EXPECT_EQ(PLG_CaptionMirror(nullptr, bitmap, 4, 1), -1);
}

TEST(CaptionMakeData, RefusesWhatCannotBeRendered) {
    CaptionJob job;
    PLGContext& c = job.context();
    EXPECT_EQ(PLG_Caption_MakeData(nullptr, kCaptionKindTop), -1);
    const std::int32_t width = std::exchange(c.textBitmapWidth, 0);
    EXPECT_EQ(PLG_Caption_MakeData(&c, kCaptionKindTop), -1);
    c.textBitmapWidth = width;
    c.depthCode = 0;  // no working format
    EXPECT_EQ(PLG_Caption_MakeData(&c, kCaptionKindTop), -1);
    c.depthCode = 1;
    c.captionScale = 0;
    EXPECT_EQ(PLG_Caption_MakeData(&c, kCaptionKindTop), -1);
    EXPECT_EQ(c.captionBitmap, nullptr);
}

TEST(CaptionMakeData, ReplacesTheBitmapTheSetUpAllocated) {
    CaptionJob job;
    PLGContext& c = job.context();
    ASSERT_EQ(Get_MemoryClear(1, 16, kUnusedKind, &c.captionBitmap), 0);
    std::memset(c.captionBitmap, 255, 16);
    ASSERT_EQ(PLG_Caption_MakeData(&c, kCaptionKindTop), 0);  // the sanitizer sees no leak
    EXPECT_EQ(c.captionBitmapSize,
              static_cast<std::uint32_t>(c.captionWidth * c.captionHeight * 3));
}

}  // namespace
