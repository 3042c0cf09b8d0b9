// The print copy of the test-pattern layout in the job context and the sheet's text areas sized
// from it, rendered by the pattern captions.
#include "pattern/pattern_print_info.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <type_traits>
#include <vector>

#include "caption/pattern_caption.h"
#include "caption/pattern_caption_areas.h"
#include "cf/value.h"
#include "geometry/pattern_coordinates.h"
#include "pattern_record.h"
#include "record/color_info.h"
#include "record/job_context.h"
#include "setup/setup_steps_internal.h"

namespace {

using patterntest::PatternRecord;
using patterntest::SheetSettings;

// A job context over a pattern record, released by the tear-down's pattern step.
struct PrintJob {
    explicit PrintJob(const SheetSettings& settings, std::int32_t bitsPerPixel = 24)
        : job(settings) {
        context.jobRecord = &job.record;
        context.patternPrint = 1;
        context.patternCaptionWidth = 600;
        context.bitsPerPixel = bitsPerPixel;
        context.depthCode = bitsPerPixel == 48 ? 2 : 1;
        context.colorInfo = &color;
        color.colorMode = settings.colorMode;
    }
    ~PrintJob() { Print_PatternTermination(&context); }

    PatternRecord job;
    Color_Info color{};
    PLGContext context{};
};

bool allBytes(const PatternCaptionArea& area, std::size_t pixelBytes, std::uint8_t value) {
    const std::size_t size = pixelBytes * static_cast<std::size_t>(area.width * area.height);
    return std::all_of(area.bitmap, area.bitmap + size, [&](std::uint8_t b) { return b == value; });
}

bool sized(const PatternCaptionArea& area, const PatternRect& rect) {
    return rect.empty()
               ? area.bitmap == nullptr && area.width == 0
               : area.bitmap != nullptr && area.width == rect.width && area.height == rect.height;
}

TEST(PatternPrintCopy, TheCoordinatesStoreTheLayoutForPrinting) {
    SheetSettings s;
    s.xCenter = 25;  // column 2 out of range
    s.background = 2;
    s.savePaper = 1;
    PrintJob print(s);
    ASSERT_EQ(PLG_Get_PatternCoordinate_Rec(&print.context), 0);
    const PatternPrintInfo* copy = print.context.patternTables;
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->columns, 3);
    EXPECT_EQ(copy->rows, 2);
    EXPECT_EQ(copy->cellCount, 6);
    for (std::int32_t row = 0; row < 2; ++row) {
        for (std::int32_t column = 0; column < 3; ++column) {
            const PatternPrintCell& cell = copy->at(row, column);
            EXPECT_EQ(cell.filled, 1);
            EXPECT_EQ(cell.colorTableIndex, row * 3 + column);
            EXPECT_EQ(cell.captionIndex, row * 3 + column);
            EXPECT_EQ(cell.xValue, std::min(15 + 10 * column, 30));
            EXPECT_EQ(cell.yValue, row == 0 ? -5 : 0);
            EXPECT_EQ(cell.outOfRange, column == 2 ? 1 : 0);
            EXPECT_EQ(cell.caption1.empty(), column == 2);
        }
    }
    EXPECT_EQ(copy->cellWidth, copy->at(1, 2).image.width);
    EXPECT_EQ(copy->xLabels.size(), 3u);
    EXPECT_TRUE(copy->xLabels[2].rect.empty());
    EXPECT_EQ(copy->yLabels.size(), 2u);
    EXPECT_FALSE(copy->background.empty());
    EXPECT_EQ(copy->backgroundColor, 2);
    EXPECT_EQ(copy->printedArea.x, 0);
    EXPECT_EQ(copy->printedArea.width, 2362);
    EXPECT_EQ(copy->savePaper, 1);
    EXPECT_EQ(copy->paperWidth, 2100);
    EXPECT_LT(copy->paperLength, 2970);
    // The set-up places the sheet where its printed area lies.
    const TARNRect& placed = print.context.patternImageRect;
    EXPECT_EQ(placed.top, copy->printedArea.y);
    EXPECT_EQ(placed.left, copy->printedArea.x);
    EXPECT_EQ(placed.bottom, copy->printedArea.y + copy->printedArea.height);
    EXPECT_EQ(placed.right, copy->printedArea.x + copy->printedArea.width);
    EXPECT_GT(placed.bottom, placed.top);
    // Stored again, the copy is replaced.
    ASSERT_EQ(PLG_Get_PatternCoordinate_Rec(&print.context), 0);
}

// The layout's failures reach the set-up as they are.
TEST(PatternPrintCopy, LayoutFailuresArePassedOn) {
    SheetSettings s;
    s.fullSize = 1;
    s.imageWidth = 3000;
    PrintJob tooWide(s);
    EXPECT_EQ(PLG_Get_PatternCoordinate_Rec(&tooWide.context), 1);
    EXPECT_EQ(tooWide.context.patternTables, nullptr);
    s = {};
    s.imageHeight = 0;
    PrintJob empty(s);
    EXPECT_EQ(PLG_Get_PatternCoordinate_Rec(&empty.context), 10);
    PLGContext bare{};
    EXPECT_EQ(PLG_Get_PatternCoordinate_Rec(&bare), -1);
}

TEST(PatternCaptionAreas, SizedFromTheCopyAndBlank) {
    for (const std::int32_t bits : {24, 48}) {
        SheetSettings s;
        s.xCenter = 25;
        PrintJob print(s, bits);
        ASSERT_EQ(PLG_Get_PatternCoordinate_Rec(&print.context), 0);
        // The coordinates size the areas; their bitmaps come with the set-up.
        ASSERT_NE(print.context.patternCaptionAreas, nullptr);
        EXPECT_EQ(print.context.patternCaptionAreas->xTitle.width,
                  print.context.patternTables->xTitle.width);
        EXPECT_EQ(print.context.patternCaptionAreas->xTitle.bitmap, nullptr);
        ASSERT_EQ(setup::allocatePatternCaptionBitmaps(print.context), 0);
        const PatternPrintInfo& copy = *print.context.patternTables;
        const PatternCaptionAreas* areas = print.context.patternCaptionAreas;
        ASSERT_NE(areas, nullptr);
        const std::size_t pixel = static_cast<std::size_t>(bits) / 8;
        EXPECT_TRUE(sized(areas->xTitle, copy.xTitle));
        EXPECT_TRUE(sized(areas->yTitle, copy.yTitle));
        EXPECT_TRUE(sized(areas->basicSettings, copy.settingBox1));
        EXPECT_TRUE(sized(areas->colorSettings, copy.settingBox2));
        EXPECT_TRUE(allBytes(areas->colorSettings, pixel, 0xFF));
        ASSERT_EQ(areas->xScaleCount, 3);
        ASSERT_EQ(areas->yScaleCount, 2);
        for (int i = 0; i < 3; ++i) {
            EXPECT_TRUE(sized(areas->xScales[i].area, copy.xLabels[i].rect)) << i;
            EXPECT_EQ(areas->xScales[i].value, copy.xLabels[i].value);
        }
        EXPECT_EQ(areas->xScales[2].area.bitmap, nullptr);  // hidden: out of range
        EXPECT_EQ(areas->yScales[0].value, -5);
        ASSERT_EQ(areas->cellCount, 6);
        for (const PatternPrintCell& cell : copy.cells) {
            const PatternCellCaptions& captions = areas->cells[cell.captionIndex];
            EXPECT_TRUE(sized(captions.xValue, cell.caption1));
            EXPECT_TRUE(sized(captions.yValue, cell.caption2));
            EXPECT_TRUE(sized(captions.outside, cell.outOfRange != 0 ? cell.image : PatternRect{}));
            EXPECT_EQ(captions.outsideFlag, cell.outOfRange);
            EXPECT_EQ(captions.xAdjustValue, cell.xValue);
            EXPECT_EQ(captions.yAdjustValue, cell.yValue);
        }
        EXPECT_TRUE(allBytes(areas->cells[2].outside, pixel, 0xFF));
        // Made again, the areas are replaced, their bitmaps freed.
        ASSERT_EQ(allocatePatternCaptionAreas(&print.context), 0);
        EXPECT_EQ(print.context.patternCaptionAreas->colorSettings.bitmap, nullptr);
    }
    PrintJob noCopy{SheetSettings{}};
    EXPECT_EQ(allocatePatternCaptionAreas(&noCopy.context), -1);
}

// The pattern captions render into the areas the layout sized: every text lands in its area.
TEST(PatternCaptionAreas, TheCaptionsRenderIntoThem) {
    for (const std::int32_t turn : {0, 2}) {
        SheetSettings s;
        s.xCenter = 25;
        s.turn = turn;
        PrintJob print(s);
        PatternRecord& job = print.job;
        std::vector<std::unique_ptr<cf::Value>> texts;
        const auto text = [&](const char* value) {
            texts.push_back(std::make_unique<cf::Value>(std::string(value)));
            return texts.back().get();
        };
        job.record.patternXTitle = text("CYAN");
        job.record.patternYTitle = text("YELLOW");
        job.record.patternMediumLine = text("MEDIUM: PHOTO");
        job.record.patternPrintModeLine = text("MODE: FINE");
        job.record.patternProfileLine = text("PROFILE: NONE");
        job.record.patternOutOfRange = text("OUT");
        // Element by element: the packed record's arrays are not aligned for a reference.
        for (std::size_t i = 0; i < std::extent_v<decltype(CoreCommonInfoTbl::patternColorItems)>;
             ++i) {
            job.record.patternColorItems[i] = text("ITEM");
        }
        for (std::size_t i = 0; i < std::extent_v<decltype(CoreCommonInfoTbl::patternGrayItems)>;
             ++i) {
            job.record.patternGrayItems[i] = text("ITEM");
        }
        ASSERT_EQ(PLG_Get_PatternCoordinate_Rec(&print.context), 0);
        ASSERT_EQ(setup::allocatePatternCaptionBitmaps(print.context), 0);
        ASSERT_EQ(PLG_PatternCreateCaption(&print.context), 0) << turn;
        const PatternCaptionAreas& areas = *print.context.patternCaptionAreas;
        const auto inked = [](const PatternCaptionArea& area) {
            return area.bitmap != nullptr && !allBytes(area, 3, 0xFF);
        };
        EXPECT_TRUE(inked(areas.xTitle)) << turn;
        EXPECT_TRUE(inked(areas.yTitle)) << turn;
        EXPECT_TRUE(inked(areas.xScales[0].area)) << turn;
        EXPECT_TRUE(inked(areas.yScales[1].area)) << turn;
        EXPECT_TRUE(inked(areas.basicSettings)) << turn;
        EXPECT_TRUE(inked(areas.colorSettings)) << turn;
        for (std::int32_t i = 0; i < areas.cellCount; ++i) {
            const PatternCellCaptions& cell = areas.cells[i];
            EXPECT_EQ(inked(cell.outside), cell.outsideFlag != 0) << turn << " cell " << i;
            EXPECT_EQ(inked(cell.xValue), cell.outsideFlag == 0) << turn << " cell " << i;
        }
    }
}

}  // namespace
