// Caption lines alone and merged with the image line they share, with and without the caption's
// own colour processing.
#include "caption/caption_merge.h"

#include <gtest/gtest.h>

#include <vector>

#include "caption/caption_color_stage.h"
#include "caption_fixture.h"

namespace {

using captiontest::CaptionJob;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t W = 255;  // white caption background
constexpr std::uint8_t K = 10;   // caption ink

// A caption of 4 × 2 pixels (one sample shown per pixel, three bytes each) and an image line,
// placed by the test's rectangles.
class MergeFixture {
  public:
    MergeFixture(TARNRect image, TARNRect caption, std::int32_t imageStart = 0,
                 std::int32_t captionStart = 0)
        : imageStart_(imageStart), captionStart_(captionStart) {
        PLGContext& c = job_.context();
        c.imageRect = image;
        c.captionRect = caption;
        c.captionWidth = 4;
        c.captionHeight = 2;
        c.imageLineWidth = static_cast<std::uint32_t>(image.right - image.left);
        const std::uint8_t rows[2][4] = {{K, W, K, W}, {W, K, K, K}};
        c.captionBitmapSize = 4 * 2 * 3;
        EXPECT_EQ(Get_MemoryClear(1, c.captionBitmapSize, kUnusedKind, &c.captionBitmap), 0);
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < 4; ++x) {
                for (int s = 0; s < 3; ++s) {
                    c.captionBitmap[(y * 4 + x) * 3 + s] = rows[y][x];
                }
            }
        }
        c.captionMergeWidth =
            std::max(image.right, caption.right) - std::min(image.left, caption.left);
        EXPECT_EQ(Get_MemoryClear(1, 3 * c.captionMergeWidth, kUnusedKind, &c.captionMergeLine), 0);
        for (std::uint32_t x = 0; x < c.imageLineWidth * 3; ++x) {
            imageLine_.push_back(static_cast<std::uint8_t>(100 + x));
        }
    }

    PLGContext& context() { return job_.context(); }
    CaptionJob& job() { return job_; }

    /// The line given for page line `line` as pixels of one sample (the first of three), and
    /// its width; empty on failure.
    std::int32_t setBuff(std::int32_t line, Bytes* pixels, std::int32_t* width) {
        std::uint8_t* out = nullptr;
        const std::int32_t result =
            PLG_Caption_SetBuff(&context(), line, imageStart_, captionStart_, imageLine_.data(),
                                context().imageLineWidth, &out, width);
        if (result == 0) {
            pixels->clear();
            for (std::int32_t x = 0; x < *width; ++x) {
                pixels->push_back(out[x * 3]);
            }
        }
        return result;
    }
    std::uint8_t imagePixel(int x) const { return imageLine_[x * 3]; }

  private:
    CaptionJob job_;
    std::int32_t imageStart_;
    std::int32_t captionStart_;
    Bytes imageLine_;
};

TEST(CaptionSetBuff, CaptionLinesBesideNoImageLineGoAloneWithTheirWidth) {
    // Caption above the image, sharing no line.
    MergeFixture f({2, 0, 5, 6}, {0, 0, 2, 4}, 2, 0);
    Bytes pixels;
    std::int32_t width = 0;
    ASSERT_EQ(f.setBuff(1, &pixels, &width), 0);
    EXPECT_EQ(width, 4);
    EXPECT_EQ(pixels, (Bytes{W, K, K, K}));
}

TEST(CaptionSetBuff, MergesSideBySideWithAWhiteGap) {
    const auto i = [](MergeFixture& f, int x) { return f.imagePixel(x); };
    {
        // Image at 0..3, caption at 5..9: the gap 3..5 is white.
        MergeFixture f({0, 0, 2, 3}, {0, 5, 2, 9});
        Bytes pixels;
        std::int32_t width = 0;
        ASSERT_EQ(f.setBuff(0, &pixels, &width), 0);
        EXPECT_EQ(width, 9);
        EXPECT_EQ(pixels, (Bytes{i(f, 0), i(f, 1), i(f, 2), W, W, K, W, K, W}));
    }
    {
        // Caption at 0..4 left of the image at 6..8.
        MergeFixture f({0, 6, 2, 8}, {0, 0, 2, 4});
        Bytes pixels;
        std::int32_t width = 0;
        ASSERT_EQ(f.setBuff(1, &pixels, &width), 0);
        EXPECT_EQ(width, 8);
        EXPECT_EQ(pixels, (Bytes{W, K, K, K, W, W, i(f, 0), i(f, 1)}));
    }
}

TEST(CaptionSetBuff, WhiteCaptionPixelsNeverHideTheImage) {
    // Caption at 2..6 over the image at 0..5: overlap 2..5, one caption pixel beyond.
    MergeFixture f({0, 0, 2, 5}, {0, 2, 2, 6});
    Bytes pixels;
    std::int32_t width = 0;
    ASSERT_EQ(f.setBuff(0, &pixels, &width), 0);
    EXPECT_EQ(width, 6);
    EXPECT_EQ(pixels, (Bytes{f.imagePixel(0), f.imagePixel(1), K, f.imagePixel(3), K, W}));
}

TEST(CaptionSetBuff, RefusesMissingPiecesAndLinesOutsideTheCaption) {
    MergeFixture f({0, 0, 2, 3}, {0, 5, 2, 9});
    Bytes pixels;
    std::int32_t width = 0;
    EXPECT_EQ(f.setBuff(2, &pixels, &width), -1);
    EXPECT_EQ(f.setBuff(-1, &pixels, &width), -1);
    std::uint8_t* out = nullptr;
    EXPECT_EQ(PLG_Caption_SetBuff(&f.context(), 0, 0, 0, nullptr, 3, &out, &width), -1);
    std::uint8_t* merge = std::exchange(f.context().captionMergeLine, nullptr);
    EXPECT_EQ(f.setBuff(0, &pixels, &width), -1);
    f.context().captionMergeLine = merge;
    std::uint8_t* bitmap = std::exchange(f.context().captionBitmap, nullptr);
    EXPECT_EQ(f.setBuff(0, &pixels, &width), -1);
    f.context().captionBitmap = bitmap;
}

TEST(CaptionSetBuff, GreyCaptionsMergeOneSamplePixels) {
    MergeFixture f({0, 0, 2, 3}, {0, 4, 2, 8});
    PLGContext& c = f.context();
    c.modelTable.TNR2_T_RGB_Y = 1;
    f.job().color().colorMode = kColorModeMonochromePhoto;
    // One-sample caption rows: 4 bytes each.
    const std::uint8_t grey[] = {K, W, K, W, W, K, K, K};
    std::memcpy(c.captionBitmap, grey, sizeof grey);
    c.captionBitmapSize = sizeof grey;
    std::uint8_t image[] = {1, 2, 3};
    std::uint8_t* out = nullptr;
    std::int32_t width = 0;
    ASSERT_EQ(PLG_Caption_SetBuff(&c, 1, 0, 0, image, 3, &out, &width), 0);
    EXPECT_EQ(width, 8);
    EXPECT_EQ(Bytes(out, out + 8), (Bytes{1, 2, 3, W, W, K, K, K}));
}

// The caption colour stage as a recording double: it turns every byte into 255 - byte.
struct RecordingStage {
    std::vector<TARNRect> rects;
    std::vector<int> mergeFlags;
    std::int32_t result = 0;
    CaptionColorStage stage{
        .colorProcessing =
            [this](Color_Info* color, std::uint8_t* source, TARNRect* rect,
                   std::uint8_t* destination) {
                rects.push_back(*rect);
                mergeFlags.push_back(color->captionMerge);
                for (std::int32_t x = 0; x < (rect->right - rect->left) * 3; ++x) {
                    destination[x] = static_cast<std::uint8_t>(255 - source[x]);
                }
                return result;
            },
    };
};

TEST(CaptionSetBuff, ColourProcessedCaptionsUseTheirFirstPixelAsBackground) {
    RecordingStage recording;
    const seam::ScopedOverride override(captionColorStage(), recording.stage);
    // Caption at 2..6 over the image at 0..6.
    MergeFixture f({0, 0, 2, 6}, {0, 2, 2, 6});
    PLGContext& c = f.context();
    c.modelTable.MonoCapColorProcessing = 1;
    f.job().color().colorMode = kColorModeMonochromePhoto;
    f.job().color().captionMerge = 1;
    ASSERT_EQ(Get_MemoryClear(1, 12, kUnusedKind, &c.captionColorLine), 0);
    const std::uint8_t i0 = f.imagePixel(0), i1 = f.imagePixel(1), i3 = f.imagePixel(3),
                       i5 = f.imagePixel(5);

    // Row 1 processed: 0, 245, 245, 245. Its first pixel (0) is the background.
    Bytes pixels;
    std::int32_t width = 0;
    ASSERT_EQ(f.setBuff(1, &pixels, &width), 0);
    EXPECT_EQ(pixels, (Bytes{i0, i1, f.imagePixel(2), 245, 245, 245}));
    ASSERT_EQ(recording.rects.size(), 1u);
    EXPECT_EQ(recording.rects[0].top, 0);
    EXPECT_EQ(recording.rects[0].left, 0);
    EXPECT_EQ(recording.rects[0].bottom, 1);
    EXPECT_EQ(recording.rects[0].right, 4);
    EXPECT_EQ(recording.mergeFlags[0], 0);

    // Mirrored: the last pixel (245) is the background, so only the first one shows.
    f.job().info().mirror = 1;
    ASSERT_EQ(f.setBuff(1, &pixels, &width), 0);
    EXPECT_EQ(pixels, (Bytes{i0, i1, 0, i3, f.imagePixel(4), i5}));

    // A model whose value 34 is 1 keeps white as the background (no pixel is 255 here).
    c.modelTable.TNR2_T_RGB_Y = 1;
    ASSERT_EQ(f.setBuff(1, &pixels, &width), 0);
    EXPECT_EQ(pixels, (Bytes{i0, i1, 0, 245, 245, 245}));
    c.modelTable.TNR2_T_RGB_Y = 0;

    // Wider samples compare six bytes, wider than these pixels; unknown depths fail.
    f.job().color().outputDepth = 1;
    EXPECT_EQ(f.setBuff(1, &pixels, &width), -1);
    f.job().color().outputDepth = 3;
    EXPECT_EQ(f.setBuff(1, &pixels, &width), -1);
    f.job().color().outputDepth = 0;

    recording.result = 13020;
    EXPECT_EQ(f.setBuff(1, &pixels, &width), -1);
}

}  // namespace
