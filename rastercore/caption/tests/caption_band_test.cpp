// Captions through the band loop: a page with its caption at the top, at the bottom and beside a
// turned image, rendered and merged by the core's own caption services, read back from the
// printer stream.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "band/tests/band_fixture.h"
#include "caption_fixture.h"
#include "grey_ink.h"

namespace {

using bandtest::BandJob;
using bandtest::Bytes;
using bandtest::JobSetup;
using captiontest::CaptionJob;
using captiontest::CaptionSetup;

// Every raster row the printer received, in order, as 8-bit RGB pixels.
std::vector<Bytes> rowsOf(const BandJob& job) {
    const auto decoded = job.decoded();
    EXPECT_TRUE(decoded.ok) << decoded.error;
    std::vector<Bytes> rows;
    for (const auto& raster : decoded.rasters) {
        for (std::size_t r = 0; r < raster.rows.size(); ++r) {
            const auto width = static_cast<std::uint32_t>(raster.rows[r][0].size());
            rows.push_back(BandJob::pixelsOf(raster, r, width));
        }
    }
    return rows;
}

struct CaptionPage {
    bool rotate = false;
    std::int32_t mirror = 0;
    std::int16_t kind = kCaptionKindTop;
};

// The caption's sizes as the set-up computes them for the page.
struct CaptionSize {
    std::int32_t width;
    std::int32_t height;
};

CaptionSize captionSize(const CaptionPage& page) {
    CaptionJob sizes(CaptionSetup{.rotate = page.rotate});
    return {sizes.context().captionWidth, sizes.context().captionHeight};
}

// A 12 × 9 image with the caption placed by `captionRect`, the caption fields filled as the
// set-up fills them, and the core's caption services in the loop.
class CaptionBandJob {
  public:
    CaptionBandJob(const CaptionPage& page, TARNRect imageRect, TARNRect captionRect, bool caption)
        : job_(setupFor(page, imageRect, captionRect, caption)) {
        PLGContext& c = job_.context();
        c.depthCode = 1;
        if (caption) {
            CaptionJob sizes(CaptionSetup{.rotate = page.rotate});
            const PLGContext& s = sizes.context();
            std::memcpy(c.captionText, s.captionText, sizeof c.captionText);
            c.captionScale = s.captionScale;
            c.captionFontSize = s.captionFontSize;
            c.textBitmapWidth = s.textBitmapWidth;
            c.textBitmapHeight = s.textBitmapHeight;
            job_.services.captionMakeData = coreBandServices().captionMakeData;
            job_.services.captionSetBuff = coreBandServices().captionSetBuff;
        }
    }

    BandJob& job() { return job_; }

    /// The caption bitmap's row `row` from `from` for `pixels` pixels, 8-bit RGB.
    Bytes captionRow(std::int32_t row, std::int32_t from, std::int32_t pixels) {
        const PLGContext& c = job_.context();
        const std::uint8_t* start = c.captionBitmap + (row * c.captionWidth + from) * 3;
        return Bytes(start, start + pixels * 3);
    }

  private:
    static JobSetup setupFor(const CaptionPage& page, TARNRect imageRect, TARNRect captionRect,
                             bool caption) {
        JobSetup setup;
        setup.rotate = page.rotate;
        setup.mirror = page.mirror;
        setup.imageRect = imageRect;
        setup.caption = caption;
        setup.captionKind = page.kind;
        setup.captionRect = captionRect;
        return setup;
    }

    BandJob job_;
};

// The rows of the same page printed without a caption. Jobs run one at a time: each takes the
// packet transport for itself while it lives.
std::vector<Bytes> imageOnly(const CaptionPage& page, TARNRect imageRect) {
    CaptionBandJob plain(page, imageRect, TARNRect{}, false);
    EXPECT_EQ(plain.job().run(), 0);
    return rowsOf(plain.job());
}

bool hasInk(const Bytes& pixels) {
    return std::any_of(pixels.begin(), pixels.end(), [](std::uint8_t v) { return v < 128; });
}

Bytes slice(const Bytes& row, std::int32_t from, std::int32_t pixels) {
    return Bytes(row.begin() + from * 3, row.begin() + (from + pixels) * 3);
}

TEST(CaptionBand, CaptionAboveAndBelowTheImageGoesLineByLine) {
    for (const std::int16_t kind : {kCaptionKindTop, kCaptionKindBottom}) {
        const CaptionPage page{.kind = kind};
        const CaptionSize size = captionSize(page);
        const bool top = kind == kCaptionKindTop;
        const TARNRect image =
            top ? TARNRect{size.height, 0, size.height + 9, 12} : TARNRect{0, 0, 9, 12};
        const TARNRect caption = top ? TARNRect{0, 0, size.height, size.width}
                                     : TARNRect{9, 0, 9 + size.height, size.width};
        const std::vector<Bytes> imageRows = imageOnly(page, image);
        CaptionBandJob captioned(page, image, caption, true);
        ASSERT_EQ(captioned.job().run(), 0) << kind;
        const std::vector<Bytes> rows = rowsOf(captioned.job());
        ASSERT_EQ(imageRows.size(), 9u);
        ASSERT_EQ(rows.size(), 9u + static_cast<std::size_t>(size.height));
        const std::size_t firstImage = top ? static_cast<std::size_t>(size.height) : 0;
        const std::size_t firstCaption = top ? 0 : 9;
        for (std::size_t y = 0; y < 9; ++y) {
            EXPECT_EQ(rows[firstImage + y], imageRows[y]) << "image row " << y;
        }
        int inked = 0;
        for (std::int32_t y = 0; y < size.height; ++y) {
            const Bytes& row = rows[firstCaption + static_cast<std::size_t>(y)];
            ASSERT_EQ(row, captioned.captionRow(y, 0, size.width)) << "caption row " << y;
            inked += hasInk(row) ? 1 : 0;
        }
        // One line of text: the ink takes rows of the upper half for a caption at the top, of
        // the lower half otherwise.
        const PLGContext& c = captioned.job().context();
        const auto ink = captiontest::inkOf(c.captionBitmap, c.captionWidth, c.captionHeight, 3);
        EXPECT_GT(inked, size.height / 4);
        EXPECT_EQ(top, ink.bottom < size.height / 2) << kind;
    }
}

TEST(CaptionBand, CaptionBesideATurnedImageIsMergedAndMirroredWithIt) {
    const CaptionSize size = captionSize(CaptionPage{.rotate = true});
    ASSERT_GT(size.height, 12);
    const TARNRect image{0, 0, 12, 9};  // twelve lines of nine pixels
    const TARNRect caption{0, 16, size.height, 16 + size.width};
    std::vector<Bytes> captionParts[2];
    for (const std::int32_t mirror : {0, 1}) {
        const CaptionPage page{.rotate = true, .mirror = mirror};
        const std::vector<Bytes> imageRows = imageOnly(page, image);
        CaptionBandJob captioned(page, image, caption, true);
        ASSERT_EQ(captioned.job().run(), 0) << mirror;
        const std::vector<Bytes> rows = rowsOf(captioned.job());
        ASSERT_EQ(rows.size(), static_cast<std::size_t>(size.height));
        for (std::int32_t y = 0; y < size.height; ++y) {
            const Bytes& row = rows[static_cast<std::size_t>(y)];
            if (y < 12) {
                // Merged: the image untouched, a white gap, then the caption.
                ASSERT_EQ(row.size(), static_cast<std::size_t>(caption.right) * 3);
                EXPECT_EQ(slice(row, 0, 9), imageRows[static_cast<std::size_t>(y)]) << y;
                EXPECT_EQ(slice(row, 9, 7), Bytes(21, 255)) << y;
                captionParts[mirror].push_back(slice(row, 16, size.width));
            } else {
                captionParts[mirror].push_back(row);
            }
            EXPECT_EQ(captionParts[mirror].back(), captioned.captionRow(y, 0, size.width)) << y;
        }
    }
    // Mirroring a turned caption exchanges its top and bottom.
    int inked = 0;
    for (std::int32_t y = 0; y < size.height; ++y) {
        EXPECT_EQ(captionParts[1][static_cast<std::size_t>(y)],
                  captionParts[0][static_cast<std::size_t>(size.height - 1 - y)])
            << y;
        inked += hasInk(captionParts[0][static_cast<std::size_t>(y)]) ? 1 : 0;
    }
    EXPECT_GT(inked, size.height / 2) << "the text runs down the caption";
}

}  // namespace
