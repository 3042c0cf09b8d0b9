// What goes into a sheet line besides the cells: the background, pasted items and merged items
// with their transparent colour, clipped to the line, colour-processed for a monochrome print.
#include "pattern/pattern_sheet_line.h"

#include <gtest/gtest.h>

#include <vector>

#include "band/band_services.h"
#include "caption/pattern_caption_areas.h"
#include "record/color_info.h"
#include "record/job_context.h"
#include "record/tarn_rect.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::int32_t kWidth = 8;

// A line of 8 RGB pixels, all 0xEE, over a context whose colour double turns each pixel into
// its entry number in the first sample (monochrome prints only).
class SheetLine {
  public:
    explicit SheetLine(bool monochrome = false) {
        context.colorInfo = &color;
        color.colorMode = monochrome ? kColorModeMonochromePhoto : kColorModeColor;
        line = PatternSheetLine{
            .pixels = pixels.data(),
            .width = kWidth,
            .originX = 100,
            .pixelBytes = 3,
            .workPixelBytes = 3,
            .colorProcessItems = monochrome,
            .captionTable = 6,
            .source = source.data(),
            .processed = processed.data(),
            .key = {},
        };
    }

    /// An item of `width` × 2 pixels whose row 0 is `row0` (RGB triples) and row 1 all 0x55.
    PatternCaptionArea item(const Bytes& row0) {
        const auto width = static_cast<std::int32_t>(row0.size() / 3);
        bitmap = row0;
        bitmap.insert(bitmap.end(), row0.size(), 0x55);
        return {width, 2, bitmap.data()};
    }

    Bytes pixel(std::int32_t x) const {
        return Bytes(pixels.begin() + x * 3, pixels.begin() + x * 3 + 3);
    }

    PLGContext context{};
    Color_Info color{};
    Bytes pixels = Bytes(kWidth * 3, 0xEE);
    Bytes source = Bytes(kWidth * 3, 0);
    Bytes processed = Bytes(kWidth * 3, 0);
    Bytes bitmap;
    PatternSheetLine line{};
    std::vector<std::uint16_t> entries;

    BandServices services() {
        BandServices s{};
        s.colorProcessing = [this](Color_Info* info, std::uint8_t* from, TARNRect* rect,
                                   std::uint8_t* to) {
            entries.push_back(info->currentTableIndex);
            for (std::int32_t x = 0; x < rect->right - rect->left; ++x) {
                to[x * 3] = static_cast<std::uint8_t>(from[x * 3] + 1);
                to[x * 3 + 1] = from[x * 3 + 1];
                to[x * 3 + 2] = from[x * 3 + 2];
            }
            return 0;
        };
        return s;
    }
};

const Bytes kWhite{0xFF, 0xFF, 0xFF};
const Bytes kBlack{0, 0, 0};
const Bytes kRed{0xC0, 0, 0};

Bytes row(std::initializer_list<Bytes> pixels) {
    Bytes out;
    for (const Bytes& p : pixels) {
        out.insert(out.end(), p.begin(), p.end());
    }
    return out;
}

// The first merged item's first pixel is the transparent colour, which then stays for every
// later item; black (all zero) is transparent for its item only and leaves the colour unset.
TEST(PatternMerge, TransparentColourIsSetOnceByTheFirstItem) {
    SheetLine s;
    const PatternRect at{100, 10, 3, 2};
    PatternCaptionArea first = s.item(row({kBlack, kRed, kWhite}));
    ASSERT_EQ(PLG_PPL_Com_Pattern_Print_MargeItem(&s.context, &s.line, at, first, 10), 0);
    EXPECT_EQ(s.pixel(0), (Bytes{0xEE, 0xEE, 0xEE}));
    EXPECT_EQ(s.pixel(1), kRed);
    EXPECT_EQ(s.pixel(2), kWhite);
    // Starts with white: white becomes transparent.
    s.pixels.assign(s.pixels.size(), 0xEE);
    PatternCaptionArea second = s.item(row({kWhite, kRed, kWhite}));
    ASSERT_EQ(PLG_PPL_Com_Pattern_Print_MargeItem(&s.context, &s.line, at, second, 10), 0);
    EXPECT_EQ(s.pixel(0), (Bytes{0xEE, 0xEE, 0xEE}));
    EXPECT_EQ(s.pixel(1), kRed);
    EXPECT_EQ(s.pixel(2), (Bytes{0xEE, 0xEE, 0xEE}));
    // A later item starting with red keeps white transparent and its red.
    s.pixels.assign(s.pixels.size(), 0xEE);
    PatternCaptionArea third = s.item(row({kRed, kWhite, kBlack}));
    ASSERT_EQ(PLG_PPL_Com_Pattern_Print_MargeItem(&s.context, &s.line, at, third, 10), 0);
    EXPECT_EQ(s.pixel(0), kRed);
    EXPECT_EQ(s.pixel(1), (Bytes{0xEE, 0xEE, 0xEE}));
    EXPECT_EQ(s.pixel(2), kBlack);
    EXPECT_EQ(Bytes(s.line.key, s.line.key + 3), kWhite);
}

// Pasting copies every pixel of the crossed row; items are clipped at both ends of the line,
// and a line outside the item or an item without a bitmap changes nothing.
TEST(PatternPaste, CopiesTheCrossedRowClippedToTheLine) {
    SheetLine s;
    PatternCaptionArea area = s.item(row({kWhite, kRed, kBlack, kRed}));
    ASSERT_EQ(PLG_PPL_Com_Pattern_Print_PasteItem(&s.context, &s.line, {106, 10, 4, 2}, area, 11),
              0);
    EXPECT_EQ(s.pixel(5), (Bytes{0xEE, 0xEE, 0xEE}));
    EXPECT_EQ(s.pixel(6), (Bytes{0x55, 0x55, 0x55}));  // row 1
    EXPECT_EQ(s.pixel(7), (Bytes{0x55, 0x55, 0x55}));
    ASSERT_EQ(PLG_PPL_Com_Pattern_Print_PasteItem(&s.context, &s.line, {98, 10, 4, 2}, area, 10),
              0);
    EXPECT_EQ(s.pixel(0), kBlack);  // the item's third pixel
    EXPECT_EQ(s.pixel(1), kRed);
    EXPECT_EQ(s.pixel(2), (Bytes{0xEE, 0xEE, 0xEE}));
    const Bytes before = s.pixels;
    EXPECT_EQ(PLG_PPL_Com_Pattern_Print_PasteItem(&s.context, &s.line, {102, 10, 4, 2}, area, 12),
              0);
    EXPECT_EQ(PLG_PPL_Com_Pattern_Print_PasteItem(&s.context, &s.line, {102, 10, 4, 2},
                                                  PatternCaptionArea{}, 10),
              0);
    EXPECT_EQ(s.pixels, before);
}

TEST(PatternBackground, WhiteBlackOrGreyAcrossItsRectangle) {
    const std::uint8_t expected[] = {0xFF, 0x00, 0x80};
    for (std::int32_t color = 0; color < 3; ++color) {
        SheetLine s;
        ASSERT_EQ(fillPatternBackground(&s.context, &s.line, {102, 0, 20, 5}, color, 4), 0);
        EXPECT_EQ(s.pixel(1), (Bytes{0xEE, 0xEE, 0xEE}));
        EXPECT_EQ(s.pixel(2), Bytes(3, expected[color]));
        EXPECT_EQ(s.pixel(7), Bytes(3, expected[color]));
    }
    SheetLine s;
    EXPECT_EQ(fillPatternBackground(&s.context, &s.line, {102, 0, 20, 5}, 3, 4), -1);
    EXPECT_EQ(fillPatternBackground(&s.context, &s.line, {102, 0, 20, 5}, 3, 5), 0);  // missed
}

// A monochrome print colour-processes background and items with the neutral caption entry.
TEST(PatternMonochromeItems, ProcessedWithTheCaptionEntry) {
    SheetLine s(true);
    const BandServices services = s.services();
    const seam::ScopedOverride override(bandServices(), services);
    ASSERT_EQ(fillPatternBackground(&s.context, &s.line, {100, 0, 2, 1}, 1, 0), 0);
    EXPECT_EQ(s.pixel(0), (Bytes{0x01, 0x00, 0x00}));
    PatternCaptionArea area = s.item(row({kRed}));
    ASSERT_EQ(PLG_PPL_Com_Pattern_Print_PasteItem(&s.context, &s.line, {103, 0, 1, 2}, area, 0), 0);
    EXPECT_EQ(s.pixel(3), (Bytes{0xC1, 0x00, 0x00}));
    ASSERT_EQ(PLG_PPL_Com_Pattern_Print_MargeItem(&s.context, &s.line, {104, 0, 1, 2}, area, 0), 0);
    EXPECT_EQ(Bytes(s.line.key, s.line.key + 3), (Bytes{0xC1, 0x00, 0x00}));
    EXPECT_EQ(s.entries, (std::vector<std::uint16_t>{6, 6, 6}));
    // An output depth beyond 12 bits cannot be compared.
    s.color.outputDepth = 3;
    EXPECT_EQ(PLG_PPL_Com_Pattern_Print_MargeItem(&s.context, &s.line, {104, 0, 1, 2}, area, 0),
              -1);
}

}  // namespace
