// The captions of a test-pattern sheet: the drawing helpers, and every member over the areas of
// a 3 × 2 sheet.
#include "caption/pattern_caption.h"

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <vector>

#include "bytes/byte_order.h"
#include "caption/caption_text.h"
#include "caption/pattern_caption_areas.h"
#include "caption/pattern_caption_data.h"
#include "cf/value.h"
#include "grey_ink.h"
#include "rastercore/core_common_info_tbl.h"
#include "record/color_info.h"
#include "record/job_context.h"
#include "util/memory.h"

namespace {

using captiontest::InkBox;
using captiontest::inkOf;

// --- The drawing helpers ---------------------------------------------------------------------

TEST(PatternFontSize, DoubledAt600Dpi) {
    PLGContext context{};
    CoreCommonInfoTbl record{};
    context.jobRecord = &record;
    record.inputResolution = 1;
    EXPECT_EQ(PLG_PatternCreateCaption_getFontSize(&context, 35), 35);
    record.inputResolution = 2;
    EXPECT_EQ(PLG_PatternCreateCaption_getFontSize(&context, 35), 70);
    EXPECT_EQ(PLG_PatternCreateCaption_getFontSize(&context, 55), 110);
}

TEST(PatternSetCaptionData, PutsEachGreyLevelInAllSamplesUprightOrTurned) {
    // Grey 3 wide, 2 high; as a turned source for an area 2 wide and 3 high.
    const std::uint8_t grey[] = {1, 2, 3, 4, 5, 6};
    struct Case {
        std::int16_t turn;
        std::int32_t width;
        std::int32_t height;
        std::vector<std::uint8_t> levels;  ///< the area's pixels, rows top first
    };
    const Case cases[] = {
        {kPatternTurnNone, 3, 2, {1, 2, 3, 4, 5, 6}},
        // Grey row i goes to column (width - 1 - i), grey pixel j to row j.
        {kPatternTurnDown, 2, 3, {4, 1, 5, 2, 6, 3}},
    };
    for (const Case& c : cases) {
        for (const std::uint8_t depthCode : {1, 2, 3, 4}) {
            PLGContext context{};
            context.depthCode = depthCode;
            const bool wide = depthCode % 2 == 0;
            std::vector<std::uint8_t> area(6 * (wide ? 6 : 3), 0xEE);
            ASSERT_EQ(PLG_PatternCreateCaption_setCaptionData(&context, grey, 3, area.data(),
                                                              c.width, c.height, c.turn),
                      0);
            for (std::size_t p = 0; p < 6; ++p) {
                for (std::size_t s = 0; s < 3; ++s) {
                    const std::uint32_t sample =
                        wide ? bytes::loadLE16(&area[p * 6 + s * 2]) : area[p * 3 + s];
                    ASSERT_EQ(sample, c.levels[p] * (wide ? 257u : 1u))
                        << "turn " << c.turn << " depth " << int(depthCode) << " pixel " << p;
                }
            }
        }
    }
    PLGContext context{};
    std::vector<std::uint8_t> area(18);
    context.depthCode = 1;
    EXPECT_EQ(PLG_PatternCreateCaption_setCaptionData(&context, grey, 3, area.data(), 3, 2, 2), -1);
    context.depthCode = 5;
    EXPECT_EQ(PLG_PatternCreateCaption_setCaptionData(&context, grey, 3, area.data(), 3, 2, 0), -1);
}

TEST(PatternGetCaptionData, FillsDrawsEveryTextAndCutsWhenAsked) {
    constexpr int kWidth = 300;
    constexpr int kHeight = 60;
    const gfx::Rect rects[] = {{5, 30, 120, 26}, {5, 5, 290, 26}};
    const char* strings[] = {"A setting far too long for its box", "Short"};
    const std::int16_t colors[] = {kTextColorBlack, kTextColorWhite};
    std::vector<std::uint8_t> grey(kWidth * kHeight);
    ASSERT_EQ(
        PLG_PatternCreateCaption_getCaptionData(grey.data(), kWidth, kHeight, 25, kTextStyleBold, 2,
                                                rects, strings, colors, 136, true),
        0);
    // The first line is cut at its rectangle; the second, white, sits lower.
    const InkBox black = inkOf(grey.data(), kWidth, 28, 1, 100);
    ASSERT_FALSE(black.empty());
    EXPECT_LT(black.right, 125);
    int white = 0;
    for (int y = 28; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            white += grey[y * kWidth + x] > 200 ? 1 : 0;
        }
    }
    EXPECT_GT(white, 30);
    EXPECT_EQ(grey[0], 136);
    EXPECT_EQ(grey[kWidth * kHeight - 1], 136);

    EXPECT_EQ(PLG_PatternCreateCaption_getCaptionData(grey.data(), 0, 10, 25, 0, 0, nullptr,
                                                      nullptr, nullptr, 255, false),
              -1);
}

TEST(PatternStackedLines, EachLineItsAscentAndFiveUnderThePrevious) {
    PatternTextList list{};
    const double ascent = GetTextWidthORHeight(35, kTextStyleBold, "A", kTextMeasureAscent);
    for (int i = 0; i < kPatternTextsMax; ++i) {
        ASSERT_EQ(PLG_PatternCreateCaption_Setting_Color_SetSetting(&list, 35, 500, 400, "A"), 0);
    }
    EXPECT_EQ(PLG_PatternCreateCaption_Setting_Color_SetSetting(&list, 35, 500, 400, "A"), -1);
    EXPECT_EQ(list.count, kPatternTextsMax);
    EXPECT_DOUBLE_EQ(list.rects[0].y, 400 - ascent - 10);
    EXPECT_DOUBLE_EQ(list.rects[1].y, list.rects[0].y - ascent - 5);
    EXPECT_DOUBLE_EQ(list.rects[0].x, 5);
    EXPECT_DOUBLE_EQ(list.rects[0].width, 495);
    EXPECT_DOUBLE_EQ(list.rects[0].height, ascent);
    EXPECT_EQ(list.colors[3], kTextColorBlack);
    PatternTextList other{};
    EXPECT_EQ(PLG_PatternCreateCaption_Setting_Color_SetSetting(&other, 35, 500, 400, nullptr), -1);
}

// --- A 3 × 2 sheet -----------------------------------------------------------------------------

struct SheetSetup {
    std::int32_t inputResolution = 1;
    std::int32_t orientation = 0;  ///< the job record's sheet turn
    std::int32_t colorMode = kColorModeColor;
    bool wide = false;
    std::int32_t xItem = 1;  ///< cyan
    std::int32_t yItem = 3;  ///< yellow
};

// The areas of a sheet of three columns and two rows as the set-up sizes them, every bitmap
// exactly its size and filled with 255; the job record's texts.
class PatternSheet {
  public:
    static constexpr int kColumns = 3;
    static constexpr int kRows = 2;

    explicit PatternSheet(const SheetSetup& setup = {}) : context_(std::make_unique<PLGContext>()) {
        PLGContext& c = *context_;
        c.jobRecord = &record_;
        c.colorInfo = &color_;
        c.depthCode = setup.wide ? 2 : 1;
        c.bitsPerPixel = setup.wide ? 48 : 24;
        color_.colorMode = setup.colorMode;
        record_.inputResolution = setup.inputResolution;
        record_.patternRotation = setup.orientation;
        record_.patternXItem = setup.xItem;
        record_.patternYItem = setup.yItem;
        record_.patternXTitle = text("CYAN");
        record_.patternYTitle = text("YELLOW");
        record_.patternMediumLine = text("MEDIUM: PHOTO GLOSSY");
        record_.patternPrintModeLine = text("PRINT MODE: FINE");
        record_.patternProfileLine = text("PROFILE: NONE");
        record_.patternOutOfRange = text("OVER");
        const char* colorNames[] = {"CYAN",     "MAGENTA",    "YELLOW", "BRIGHTNESS",
                                    "CONTRAST", "SATURATION", "TONE"};
        for (int i = 0; i < 7; ++i) {
            record_.patternColorItems[i] = text(colorNames[i]);
        }
        const char* greyNames[] = {"GRADATION", "TONE X",    "TONE Y", "BRIGHTNESS",
                                   "CONTRAST",  "HIGHLIGHT", "SHADOW", "WHITE"};
        for (int i = 0; i < 8; ++i) {
            record_.patternGrayItems[i] = text(greyNames[i]);
        }

        const bool turned = setup.orientation == 2;
        // Turned titles stand on end: the upright sheet's Y title, the turned sheet's X title.
        areas_.xTitle = turned ? area(60, 400) : area(600, 60);
        areas_.yTitle = turned ? area(600, 60) : area(60, 400);
        for (int i = 0; i < kColumns; ++i) {
            xScales_.push_back(
                {turned ? area(50, 150) : area(150, 50), static_cast<std::int16_t>(-10 + 10 * i)});
        }
        for (int i = 0; i < kRows; ++i) {
            yScales_.push_back(
                {turned ? area(150, 50) : area(50, 150), static_cast<std::int16_t>(5 * i)});
        }
        areas_.xScales = xScales_.data();
        areas_.xScaleCount = kColumns;
        areas_.yScales = yScales_.data();
        areas_.yScaleCount = kRows;
        areas_.basicSettings = area(700, 160);
        areas_.colorSettings = area(700, 320);
        for (int i = 0; i < kColumns * kRows; ++i) {
            PatternCellCaptions cell{};
            cell.xValue = area(150, 60);
            cell.yValue = area(150, 60);
            cell.xAdjustValue = static_cast<std::int16_t>(-10 + 10 * (i % kColumns));
            cell.yAdjustValue = static_cast<std::int16_t>(5 * (i / kColumns));
            cells_.push_back(cell);
        }
        // The last cell lies outside the valid range: its captions are empty, its label the
        // size of the cell.
        PatternCellCaptions& outside = cells_.back();
        outside.outsideFlag = 1;
        outside.xValue = outside.yValue = PatternCaptionArea{};
        outside.outside = area(300, 200);
        cells_.front().outside = area(300, 200);  // allocated, but not flagged
        areas_.cells = cells_.data();
        areas_.cellCount = kColumns * kRows;
        c.patternCaptionAreas = &areas_;
    }
    ~PatternSheet() {
        for (std::uint8_t* bitmap : bitmaps_) {
            Dispose_MemoryClear(&bitmap, kUnusedKind);
        }
    }
    PatternSheet(const PatternSheet&) = delete;
    PatternSheet& operator=(const PatternSheet&) = delete;

    PLGContext* context() { return context_.get(); }
    CoreCommonInfoTbl& record() { return record_; }
    PatternCaptionAreas& areas() { return areas_; }
    std::size_t pixelBytes() const { return context_->depthCode == 2 ? 6 : 3; }

    InkBox ink(const PatternCaptionArea& area, int threshold = 255) const {
        return inkOf(area.bitmap, area.width, area.height, pixelBytes(), threshold);
    }
    /// How many pixels of the area hold each level class: dark, grey 136, light.
    struct Levels {
        int dark = 0;
        int grey = 0;
        int light = 0;
    };
    Levels levels(const PatternCaptionArea& area) const {
        Levels counts;
        for (int p = 0; p < area.width * area.height; ++p) {
            const std::uint8_t level = area.bitmap[p * pixelBytes() + pixelBytes() - 1];
            counts.dark += level < 40 ? 1 : 0;
            counts.grey += level == 136 ? 1 : 0;
            counts.light += level > 215 ? 1 : 0;
        }
        return counts;
    }
    /// Rows of the area that hold ink, counted in runs separated by rows without.
    int inkBands(const PatternCaptionArea& area) const {
        int bands = 0;
        bool inBand = false;
        for (int y = 0; y < area.height; ++y) {
            const InkBox row = inkOf(area.bitmap + y * area.width * pixelBytes(), area.width, 1,
                                     pixelBytes(), 200);
            bands += !row.empty() && !inBand ? 1 : 0;
            inBand = !row.empty();
        }
        return bands;
    }

  private:
    const cf::Value* text(const char* value) { return &strings_.emplace_back(value); }
    PatternCaptionArea area(std::int32_t width, std::int32_t height) {
        std::uint8_t* bitmap = nullptr;
        const std::size_t size = static_cast<std::size_t>(width * height) * pixelBytes();
        EXPECT_EQ(Get_MemoryClear(1, size, kUnusedKind, &bitmap), 0);
        std::memset(bitmap, 255, size);
        bitmaps_.push_back(bitmap);
        return {width, height, bitmap};
    }

    std::unique_ptr<PLGContext> context_;
    CoreCommonInfoTbl record_{};
    Color_Info color_{};
    PatternCaptionAreas areas_{};
    std::deque<cf::Value> strings_;
    std::vector<PatternScaleArea> xScales_;
    std::vector<PatternScaleArea> yScales_;
    std::vector<PatternCellCaptions> cells_;
    std::vector<std::uint8_t*> bitmaps_;
};

TEST(PatternCreateCaption, FillsEveryAreaOfA3By2SheetWithinItsSize) {
    for (const bool wide : {false, true}) {
        PatternSheet sheet(SheetSetup{.wide = wide});
        ASSERT_EQ(PLG_PatternCreateCaption(sheet.context()), 0);
        PatternCaptionAreas& a = sheet.areas();
        std::vector<const PatternCaptionArea*> inked = {&a.xTitle, &a.yTitle, &a.basicSettings,
                                                        &a.colorSettings};
        for (int i = 0; i < a.xScaleCount; ++i) {
            inked.push_back(&a.xScales[i].area);
        }
        for (int i = 0; i < a.yScaleCount; ++i) {
            inked.push_back(&a.yScales[i].area);
        }
        for (int i = 0; i + 1 < a.cellCount; ++i) {
            inked.push_back(&a.cells[i].xValue);
            inked.push_back(&a.cells[i].yValue);
        }
        for (const PatternCaptionArea* area : inked) {
            EXPECT_FALSE(sheet.ink(*area).empty()) << area->width << "x" << area->height;
        }
        // Only the flagged cell gets the outside label.
        EXPECT_FALSE(sheet.ink(a.cells[a.cellCount - 1].outside).empty());
        EXPECT_TRUE(sheet.ink(a.cells[0].outside).empty());
        if (wide) {
            // A 16-bit sample is its level × 257.
            const std::uint8_t* p = a.xTitle.bitmap;
            for (int s = 0; s < 3 * a.xTitle.width * a.xTitle.height; ++s) {
                ASSERT_EQ(p[2 * s], p[2 * s + 1]);
            }
        }
    }
}

TEST(PatternCreateCaption, TitlesFollowTheSheetsTurn) {
    PatternSheet upright;
    PatternSheet turned(SheetSetup{.orientation = 2});
    ASSERT_EQ(PLG_PatternCreateCaption_ScaleX(upright.context()), 0);
    ASSERT_EQ(PLG_PatternCreateCaption_ScaleY(upright.context()), 0);
    ASSERT_EQ(PLG_PatternCreateCaption_ScaleX(turned.context()), 0);
    ASSERT_EQ(PLG_PatternCreateCaption_ScaleY(turned.context()), 0);

    // Upright X title: left at x 5, its baseline 20 over the bottom of the 60-row area.
    const InkBox x = upright.ink(upright.areas().xTitle, 128);
    EXPECT_GE(x.left, 5);
    EXPECT_LE(x.left, 9);
    EXPECT_EQ(x.bottom, 39);
    // Upright Y title, 60 wide and 400 high: drawn right-aligned in a 400 × 60 grey bitmap and
    // turned, so it reads downwards with its top at the right and ends at the bottom; the grey
    // baseline (row 40 of 60) becomes column 59 - 39.
    const InkBox y = upright.ink(upright.areas().yTitle, 128);
    EXPECT_EQ(y.left, 20);
    EXPECT_GE(y.bottom, 390);
    EXPECT_LT(y.top, 300);
    // On a turned sheet the two exchange their ways.
    const InkBox turnedX = turned.ink(turned.areas().xTitle, 128);
    EXPECT_EQ(turnedX.left, 20);
    EXPECT_GE(turnedX.bottom, 390);
    const InkBox turnedY = turned.ink(turned.areas().yTitle, 128);
    EXPECT_EQ(turnedY.bottom, 39);
    EXPECT_LE(turnedY.left, 9);
}

TEST(PatternCreateCaption, ScaleValuesAreCentredAndAWideOneStartsAtZero) {
    PatternSheet sheet;
    PatternCaptionAreas& a = sheet.areas();
    a.xScales[0].value = -10;
    a.xScales[1].value = 32000;
    a.xScales[1].area.width = 60;  // narrower than "32000" at 35 pixels
    ASSERT_EQ(PLG_PatternCreateCaption_ScaleXValue(sheet.context()), 0);
    const InkBox centred = sheet.ink(a.xScales[0].area);
    const int left = centred.left;
    const int right = 149 - centred.right;
    EXPECT_LE(std::abs(left - right), 4) << left << " " << right;
    // y = height - ascent - 10: the digits' tops about 10 rows under the area's top.
    EXPECT_GE(centred.top, 8);
    EXPECT_LE(centred.top, 20);
    const InkBox wide = sheet.ink(a.xScales[1].area);
    EXPECT_LE(wide.left, 2);
}

TEST(PatternCreateCaption, CellValuesAreWhiteOnGreyWithABlackShadow) {
    for (const std::int32_t resolution : {1, 2}) {
        PatternSheet sheet(SheetSetup{.inputResolution = resolution});
        PatternCaptionAreas& a = sheet.areas();
        ASSERT_EQ(PLG_PatternCreateCaption_SettingValue_X(sheet.context()), 0);
        ASSERT_EQ(PLG_PatternCreateCaption_SettingValue_Y(sheet.context()), 0);
        const auto levels = sheet.levels(a.cells[1].xValue);
        EXPECT_GT(levels.grey, 150 * 60 / 2);
        EXPECT_GT(levels.dark, 10);
        EXPECT_GT(levels.light, 10);
        EXPECT_FALSE(sheet.ink(a.cells[4].yValue).empty());
        // 55 pixels at 300 dpi fit the 60 rows; the 110 of 600 dpi run past the bottom.
        const InkBox digits = sheet.ink(a.cells[2].xValue, 100);
        if (resolution == 1) {
            EXPECT_GT(digits.top, 5);
            EXPECT_LT(digits.bottom, 59);
        } else {
            EXPECT_LT(digits.top, 5);
            EXPECT_EQ(digits.bottom, 59);
        }
    }
}

TEST(PatternCreateCaption, OutsideLabelColourFollowsTheBackgroundBehindTheCells) {
    struct Case {
        std::int32_t spacing;
        std::int32_t background;
        bool white;
    };
    const Case cases[] = {{0, 1, false}, {1, 0, false}, {1, 1, true}, {1, 2, false}};
    for (const Case& c : cases) {
        PatternSheet sheet;
        sheet.record().patternSpacing = c.spacing;
        sheet.record().patternBackgroundColor = c.background;
        ASSERT_EQ(PLG_PatternCreateCaption_Outside(sheet.context()), 0);
        const PatternCaptionArea& label = sheet.areas().cells[5].outside;
        const auto levels = sheet.levels(label);
        EXPECT_GT(levels.grey, 300 * 200 / 2);
        EXPECT_EQ(levels.light > 50, c.white) << c.spacing << " " << c.background;
        EXPECT_EQ(levels.dark > 50, !c.white) << c.spacing << " " << c.background;
        // Centred.
        const InkBox box = sheet.ink(label, 250);
        EXPECT_LE(std::abs(box.left - (299 - box.right)), 4);
    }
}

TEST(PatternCreateCaption, ColourBlockLeavesOutTheItemsOfTheAxes) {
    struct Case {
        std::int32_t colorMode;
        std::int32_t xItem;
        std::int32_t yItem;
        int lines;
    };
    const Case cases[] = {
        {kColorModeColor, 1, 3, 5},
        {kColorModeColor, 4, 16, 6},  // no Y axis
        {kColorModeMonochromePhoto, 8, 9, 6},
        {kColorModeMonochromePhoto, 1, 16, 8},  // a colour item leaves every grey item
    };
    for (const Case& c : cases) {
        PatternSheet sheet(
            SheetSetup{.colorMode = c.colorMode, .xItem = c.xItem, .yItem = c.yItem});
        ASSERT_EQ(PLG_PatternCreateCaption_Setting_Color(sheet.context()), 0);
        EXPECT_EQ(sheet.inkBands(sheet.areas().colorSettings), c.lines)
            << c.colorMode << " " << c.xItem << " " << c.yItem;
    }
    PatternSheet basic;
    ASSERT_EQ(PLG_PatternCreateCaption_Setting_Basic(basic.context()), 0);
    EXPECT_EQ(basic.inkBands(basic.areas().basicSettings), 3);
}

TEST(PatternCreateCaption, MissingStringsAndBadOrientationsFail) {
    {
        PatternSheet sheet;
        sheet.record().patternColorItems[6] = nullptr;  // even one of the axes' items
        sheet.record().patternXItem = 7;
        EXPECT_EQ(PLG_PatternCreateCaption_Setting_Color(sheet.context()), -1);
        EXPECT_EQ(PLG_PatternCreateCaption(sheet.context()), -1);
    }
    {
        PatternSheet sheet;
        sheet.record().patternXTitle = nullptr;
        EXPECT_EQ(PLG_PatternCreateCaption_ScaleX(sheet.context()), -1);
        sheet.record().patternXTitle = sheet.record().patternYTitle;
        sheet.record().patternProfileLine = nullptr;
        EXPECT_EQ(PLG_PatternCreateCaption_Setting_Basic(sheet.context()), -1);
        sheet.record().patternOutOfRange = nullptr;
        EXPECT_EQ(PLG_PatternCreateCaption_Outside(sheet.context()), -1);
    }
    {
        PatternSheet sheet(SheetSetup{.orientation = 3});
        EXPECT_EQ(PLG_PatternCreateCaption_ScaleX(sheet.context()), -1);
        EXPECT_EQ(PLG_PatternCreateCaption_ScaleYValue(sheet.context()), -1);
        EXPECT_EQ(PLG_PatternCreateCaption(sheet.context()), -1);
    }
}

TEST(PatternCreateCaption, EmptyAreasAndNoAreasRenderNothing) {
    PatternSheet sheet(SheetSetup{.orientation = 3});  // refused only where an area is drawn
    PatternCaptionAreas& a = sheet.areas();
    a.xTitle.width = 0;
    a.yTitle.bitmap = nullptr;
    a.xScaleCount = a.yScaleCount = 0;
    a.basicSettings.height = 0;
    a.colorSettings.width = 0;
    a.cellCount = 0;
    EXPECT_EQ(PLG_PatternCreateCaption(sheet.context()), 0);
    sheet.context()->patternCaptionAreas = nullptr;
    EXPECT_EQ(PLG_PatternCreateCaption(sheet.context()), 0);
}

}  // namespace
