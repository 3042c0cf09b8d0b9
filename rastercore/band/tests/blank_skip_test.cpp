// Blank skipping: the cursor moves of each layout, line by line, and what the command generator
// receives when the band loop runs a captioned page.
#include "band/blank_skip.h"

#include <gtest/gtest.h>

#include <map>

#include "band/line_layout.h"
#include "band_fixture.h"

namespace {

using Moves = std::map<std::int32_t, CursorTarget>;

struct SkipCase {
    const char* what;
    bool turned;
    std::int16_t kind;
    TARNRect image;
    TARNRect caption;
    Moves moves;  // line -> target; every other line has none
};

// The first image and caption lines as the band loop computes them.
BlankSkipLayout layoutOf(const SkipCase& c) {
    PLGContext context{};
    context.imageRect = c.image;
    context.captionRect = c.caption;
    context.captionFlag = 1;
    std::int32_t lines = 0;
    std::int32_t imageLines = 0;
    BlankSkipLayout layout{c.turned, c.kind, c.image, c.caption, 0, 0};
    PLG_Get_Send_Line(&context, &lines, &imageLines);
    PLG_Get_Start_Line(&context, lines, imageLines, &layout.imageStart, &layout.captionStart);
    return layout;
}

TEST(BlankSkip, MovesOfEveryLayout) {
    const SkipCase cases[] = {
        {"upright, caption above and right",
         false,
         1,
         {20, 0, 29, 12},
         {0, 16, 4, 24},
         {{0, {16, 0}}, {4, {0, 20}}}},
        {"upright, caption above, same left",
         false,
         1,
         {6, 0, 15, 12},
         {0, 0, 6, 8},
         {{6, {0, 6}}}},
        {"upright, caption below and right",
         false,
         2,
         {0, 0, 9, 12},
         {9, 16, 13, 24},
         {{9, {16, 9}}}},
        {"upright, caption overlapping below: stop row",
         false,
         2,
         {0, 0, 9, 12},
         {6, 4, 12, 10},
         {{9, {4, 9}}}},
        {"upright, caption overlapping below, wider",
         false,
         2,
         {0, 4, 9, 12},
         {6, 0, 12, 16},
         {{6, {0, 6}}}},
        {"turned, caption right and above", true, 1, {4, 0, 12, 9}, {0, 12, 8, 16}, {{4, {0, 4}}}},
        {"turned, caption left",
         true,
         1,
         {0, 8, 12, 20},
         {4, 0, 10, 6},
         {{4, {0, 4}}, {10, {8, 10}}}},
        {"turned, other kind", true, 2, {0, 4, 12, 16}, {2, 0, 6, 4}, {{2, {0, 2}}, {6, {4, 6}}}},
    };
    for (const SkipCase& c : cases) {
        const BlankSkipLayout layout = layoutOf(c);
        for (std::int32_t line = 0; line < 40; ++line) {
            const auto move = blankSkipMove(layout, line);
            const auto expected = c.moves.find(line);
            if (expected == c.moves.end()) {
                EXPECT_FALSE(move.has_value()) << c.what << " line " << line;
            } else {
                ASSERT_TRUE(move.has_value()) << c.what << " line " << line;
                EXPECT_EQ(*move, expected->second) << c.what << " line " << line;
            }
        }
    }
}

// A 12 × 9 image with a caption placed first (kind 1).
bandtest::JobSetup captionFirst(const TARNRect& image, const TARNRect& caption,
                                std::int32_t compression) {
    bandtest::JobSetup setup;
    setup.imageRect = image;
    setup.caption = true;
    setup.captionKind = 1;
    setup.captionRect = caption;
    setup.compression = compression;
    return setup;
}

// Runs the page, checks its cursor moves and gives the decoded stream.
streamdecoder::DecodedStream runAndDecode(bandtest::BandJob& job,
                                          const std::vector<std::string>& moves) {
    EXPECT_EQ(job.run(), 0);
    EXPECT_EQ(job.commands("ESC*p"), moves);
    auto decoded = job.decoded();
    EXPECT_TRUE(decoded.ok) << decoded.error;
    return decoded;
}

// Caption above and right of the image: the caption raster starts at the caption's corner, the
// image raster at the image's, in printer dots (600 dpi printer, 300 dpi working).
TEST(BlankSkip, LoopMovesBetweenCaptionAndImage) {
    bandtest::BandJob job(captionFirst({20, 0, 29, 12}, {0, 16, 4, 24}, 2));
    const auto decoded = runAndDecode(job, {"ESC*p0x0Y", "ESC*p32x0Y", "ESC*p0x40Y"});
    // The image start's own raster is empty; then the caption's four rows, then the image.
    ASSERT_EQ(decoded.rasters.size(), 3u);
    EXPECT_TRUE(decoded.rasters[0].rows.empty());
    const auto& caption = decoded.rasters[1];
    EXPECT_EQ(caption.x, 32);
    EXPECT_EQ(caption.y, 0);
    ASSERT_EQ(caption.rows.size(), 4u);
    EXPECT_EQ(bandtest::BandJob::pixelsOf(caption, 0, 8), bandtest::Bytes(24, 0x40));
    const auto& image = decoded.rasters[2];
    EXPECT_EQ(image.x, 0);
    EXPECT_EQ(image.y, 40);
    ASSERT_EQ(image.rows.size(), 9u);
    for (std::uint32_t y = 0; y < 9; ++y) {
        EXPECT_EQ(bandtest::BandJob::pixelsOf(image, y, 12), job.sourceLine(y)) << y;
    }
    EXPECT_EQ(job.captionLines, (std::vector<std::int32_t>{0, 1, 2, 3}));
}

// Caption above the image and narrower: where the image begins the raster widens on a line
// without a cursor move, so the raster restarts with a relative move of (0, 0) and the seed
// rows are cleared; the decoder (which starts every raster with empty seeds) reads every row
// back exactly only if the generator cleared them too.
TEST(BlankSkip, WidthChangeRestartsRasterWithClearedSeeds) {
    for (const std::int32_t compression : {2, 1}) {
        bandtest::BandJob job(captionFirst({4, 0, 13, 12}, {0, 0, 6, 8}, compression));
        const auto decoded = runAndDecode(job, {"ESC*p0x0Y", "ESC*p+0x+0Y", "ESC*p0x12Y"});
        ASSERT_EQ(decoded.rasters.size(), 3u);
        // Lines 0-3: the caption alone, 8 wide.
        ASSERT_EQ(decoded.rasters[0].rows.size(), 4u);
        EXPECT_EQ(bandtest::BandJob::pixelsOf(decoded.rasters[0], 3, 8), bandtest::Bytes(24, 0x40));
        // Lines 4-5: image and caption merged, 12 wide.
        ASSERT_EQ(decoded.rasters[1].rows.size(), 2u);
        for (std::size_t row = 0; row < 2; ++row) {
            bandtest::Bytes expected = job.sourceLine(static_cast<std::uint32_t>(row));
            std::fill_n(expected.begin(), 24, 0x40);
            EXPECT_EQ(bandtest::BandJob::pixelsOf(decoded.rasters[1], row, 12), expected) << row;
        }
        // Lines 6-12: the rest of the image, after the absolute move below the caption.
        ASSERT_EQ(decoded.rasters[2].rows.size(), 7u);
        for (std::size_t row = 0; row < 7; ++row) {
            EXPECT_EQ(bandtest::BandJob::pixelsOf(decoded.rasters[2], row, 12),
                      job.sourceLine(static_cast<std::uint32_t>(row + 2)))
                << row;
        }
    }
}

}  // namespace
