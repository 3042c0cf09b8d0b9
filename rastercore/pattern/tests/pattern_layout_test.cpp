// The test-pattern layout: the grid's values and cells, AUTO and FULL, upright and turned, the
// range check, the frame of the print, the margins and the paper length, and the statuses.
#include "pattern/pattern_layout.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "pattern/pattern_ranges.h"
#include "pattern_record.h"
#include "rastercore/raster_core.h"
#include "record/job_context.h"
#include "util/memory.h"

namespace {

using patterntest::PatternRecord;
using patterntest::SheetSettings;

// Distances at 300 dpi, in dots.
constexpr std::int32_t k5Mm = 59;
constexpr std::int32_t k10Mm = 118;
constexpr std::int32_t k15Mm = 177;

// The answer's fields, copied out of the packed records so that the checks may bind to them.
struct PreviewCell {
    std::int32_t x, y, width, height, xValue, yValue;
    std::int16_t index;
    std::uint8_t outOfRange;
};

struct PreviewInfo {
    std::int16_t columns, rows;
    std::int32_t printedArea[4];
    std::int32_t paperRect[4];
    std::uint8_t savePaper;
    std::int32_t paperWidth, paperLength;
};

struct Preview {
    std::uint8_t resultByte = 0;
    bool answered = false;
    PreviewInfo info{};
    std::vector<PreviewCell> cells;
};

Preview preview(const SheetSettings& settings) {
    PatternRecord job(settings);
    job.record.patternCalcResult = 0xEE;
    Preview out;
    PatternPreviewInfo* answer = RasterCore_PatternCalc(&job.record);
    out.resultByte = job.record.patternCalcResult;
    if (answer != nullptr) {
        out.answered = true;
        const PatternPreviewInfo info = *answer;
        out.info = {info.columns,    info.rows,       {}, {}, info.savePaper,
                    info.paperWidth, info.paperLength};
        std::memcpy(out.info.printedArea, answer->printedArea, sizeof out.info.printedArea);
        std::memcpy(out.info.paperRect, answer->paperRect, sizeof out.info.paperRect);
        for (std::size_t i = 0; i < info.cells->count; ++i) {
            const PatternPreviewCell c = *patternPreviewCell(info.cells, i);
            out.cells.push_back(
                {c.x, c.y, c.width, c.height, c.xValue, c.yValue, c.index, c.outOfRange});
        }
        EXPECT_EQ(RasterCore_PatternCalc_Term(answer), 0);
    }
    return out;
}

using Layout = std::unique_ptr<PatternInfo, decltype(&releasePatternInfo)>;

// The print-mode layout with a settings box `captionWidth` dots wide.
Layout printLayout(const SheetSettings& settings, std::int32_t* status,
                   std::int32_t captionWidth = 600) {
    PatternRecord job(settings);
    PLGContext context{};
    context.jobRecord = &job.record;
    context.patternCaptionWidth = captionWidth;
    return {PatternCalc(&context, false, status), releasePatternInfo};
}

Layout printLayout(const SheetSettings& settings) {
    std::int32_t status = -99;
    Layout layout = printLayout(settings, &status);
    EXPECT_EQ(status, 0);
    return layout;
}

TEST(PatternValues, StepFromTheCentreByColumnAndRow) {
    struct Case {
        std::int32_t columns;
        std::int32_t rows;
        std::int32_t yCenter;
        std::int32_t yInterval;
        std::vector<std::int32_t> xValues;
        std::vector<std::int32_t> yValues;
    };
    const Case cases[] = {
        {5, 1, 0, 5, {-10, -5, 0, 5, 10}, {0}},
        {4, 2, 0, 5, {-10, -5, 0, 5}, {-5, 0}},
        {1, 3, 2, 4, {0}, {-2, 2, 6}},
    };
    for (const Case& c : cases) {
        SheetSettings s;
        s.columns = c.columns;
        s.rows = c.rows;
        s.xInterval = 5;
        s.yCenter = c.yCenter;
        s.yInterval = c.yInterval;
        const Preview p = preview(s);
        ASSERT_TRUE(p.answered) << c.columns;
        ASSERT_EQ(p.cells.size(), static_cast<std::size_t>(c.columns * c.rows));
        EXPECT_EQ(p.info.columns, c.columns);
        EXPECT_EQ(p.info.rows, c.rows);
        for (std::size_t n = 0; n < p.cells.size(); ++n) {
            EXPECT_EQ(p.cells[n].xValue, c.xValues[n % c.columns]) << c.columns << " cell " << n;
            EXPECT_EQ(p.cells[n].yValue, c.yValues[n / c.columns]) << c.columns << " cell " << n;
            EXPECT_EQ(p.cells[n].index, static_cast<std::int16_t>(n));
            EXPECT_EQ(p.cells[n].outOfRange, 0);
        }
    }
}

// The A4 sheet at 300 dpi: 2362 × 3389 dots inside 5 mm margins; AUTO leaves 2126 dots across
// and 2533 down for the grid.
TEST(PatternGrid, AutoFillsTheSheetWithAndWithoutSpacing) {
    struct Case {
        std::int32_t spacing;
        std::int32_t turn;
        PatternRect firstCell;  ///< print mode, from the sheet's top left
        std::int32_t pitchX;
        std::int32_t pitchY;
    };
    const Case cases[] = {
        // 600 × 400 at min(708 / 600, 1266 / 400) = 1.18.
        {0, 0, {k15Mm, k15Mm, 708, 472}, 708, 472},
        // With 5 mm gaps: min(2008 / 3 / 600, 2474 / 2 / 400), rounded.
        {1, 0, {k15Mm, k15Mm, 669, 446}, 669 + k5Mm, 446 + k5Mm},
        // Each cell turned: the image 400 × 600 at min(708 / 400, 1266 / 600) = 1.77.
        {0, 1, {k15Mm, k15Mm, 708, 1062}, 708, 1062},
    };
    for (const Case& c : cases) {
        SheetSettings s;
        s.spacing = c.spacing;
        s.turn = c.turn;
        const Layout layout = printLayout(s);
        ASSERT_NE(layout, nullptr);
        ASSERT_EQ(layout->cells.size(), 6u);
        for (std::size_t n = 0; n < 6; ++n) {
            const PatternRect& image = layout->cells[n].image;
            EXPECT_EQ(image,
                      (PatternRect{c.firstCell.x + static_cast<std::int32_t>(n % 3) * c.pitchX,
                                   c.firstCell.y + static_cast<std::int32_t>(n / 3) * c.pitchY,
                                   c.firstCell.width, c.firstCell.height}))
                << "spacing " << c.spacing << " turn " << c.turn << " cell " << n;
        }
        // The preview counts from inside the 10 mm outer offsets.
        const Preview p = preview(s);
        ASSERT_TRUE(p.answered);
        EXPECT_EQ(p.cells[4].x, layout->cells[4].image.x - k10Mm);
        EXPECT_EQ(p.cells[4].y, layout->cells[4].image.y - k10Mm);
        EXPECT_EQ(p.cells[4].width, c.firstCell.width);
    }
}

// Turning the whole layout exchanges columns and rows: the settings' columns run down the sheet,
// the settings' first row is the right-hand column, and every cell keeps its values.
TEST(PatternGrid, TurnedLayoutKeepsEachCellsValues) {
    SheetSettings s;
    s.spacing = 0;
    s.turn = 2;
    const Layout layout = printLayout(s);
    ASSERT_NE(layout, nullptr);
    EXPECT_EQ(layout->columns, 2);
    EXPECT_EQ(layout->rows, 3);
    // The upright 708 × 472 cells fit turned: they keep their size.
    EXPECT_EQ(layout->cellWidth, 472);
    EXPECT_EQ(layout->cellHeight, 708);
    for (std::int32_t row = 0; row < 3; ++row) {
        for (std::int32_t column = 0; column < 2; ++column) {
            const PatternCell& cell = layout->cells[static_cast<std::size_t>(row * 2 + column)];
            EXPECT_EQ(cell.xValue, -10 + 10 * row) << row << column;
            EXPECT_EQ(cell.yValue, column == 1 ? -5 : 0) << row << column;
            EXPECT_EQ(cell.index, (1 - column) * 3 + row);
            EXPECT_EQ(cell.image, (PatternRect{k15Mm + column * 472, k15Mm + row * 708, 472, 708}));
        }
    }
    // X labels follow the rows on the left, Y labels the columns below, in the settings' order.
    ASSERT_EQ(layout->xLabels.size(), 3u);
    ASSERT_EQ(layout->yLabels.size(), 2u);
    EXPECT_EQ(layout->xLabels[2].value, 10);
    EXPECT_EQ(layout->xLabels[2].rect.y, layout->cells[4].image.y);
    EXPECT_EQ(layout->xLabels[2].rect.x, 0);
    EXPECT_EQ(layout->yLabels[0].value, -5);
    EXPECT_EQ(layout->yLabels[0].rect.x, layout->cells[1].image.x);
    EXPECT_EQ(layout->yLabels[1].rect.x, layout->cells[0].image.x);
    // The X title stands beside the X labels, the Y title lies under the Y labels.
    EXPECT_EQ(layout->xTitle.width, k5Mm);
    EXPECT_EQ(layout->yTitle.height, k5Mm);
    EXPECT_EQ(layout->yTitle.y, layout->yLabels[0].rect.y + k5Mm);
}

// A turned grid that does not fit with the upright cell size is scaled again from the room.
TEST(PatternGrid, TurnedLayoutRescalesWhenTheUprightCellsDoNotFit) {
    SheetSettings s;
    s.spacing = 0;
    s.turn = 2;
    s.columns = 2;
    s.yItem = 16;
    s.imageWidth = 400;
    s.imageHeight = 1000;
    const Layout layout = printLayout(s);
    ASSERT_NE(layout, nullptr);
    // Upright the cells are 1013 × 2533 (min(1063 / 400, 2533 / 1000)); turned, one column of
    // them would be 2533 wide, more than the 2126 across. Rescaled for one column of two rows:
    // min(2126 / 1000, 1266 / 400) = 2.126.
    EXPECT_EQ(layout->columns, 1);
    EXPECT_EQ(layout->rows, 2);
    EXPECT_EQ(layout->cellWidth, 2126);
    EXPECT_EQ(layout->cellHeight, 850);
    EXPECT_EQ(layout->cells[1].image, (PatternRect{k15Mm, k15Mm + 850, 2126, 850}));
}

TEST(PatternGrid, FullCellsAreTheImagesOwnSize) {
    SheetSettings s;
    s.fullSize = 1;
    s.spacing = 1;
    s.imageWidth = 300;  // 300 dots
    s.imageHeight = 200;
    const Layout layout = printLayout(s);
    ASSERT_NE(layout, nullptr);
    EXPECT_EQ(layout->columns, 3);
    EXPECT_EQ(layout->rows, 2);
    EXPECT_EQ(layout->cells[5].image, (PatternRect{k15Mm + 2 * 359, k15Mm + 259, 300, 200}));
    EXPECT_EQ(layout->gridWidth, 3 * 359 - k5Mm);
    EXPECT_EQ(layout->wrapped, 0);
    // At 600 dpi the same image is twice the dots.
    s.resolutionChoice = 2;
    const Layout fine = printLayout(s);
    ASSERT_NE(fine, nullptr);
    EXPECT_EQ(fine->cellWidth, 600);
}

// FULL too wide: status 1, no answer, and the record's result byte says 1; also turned.
TEST(PatternGrid, FullTooWideAnswersNothing) {
    for (const std::int32_t turn : {0, 2}) {
        SheetSettings s;
        s.fullSize = 1;
        s.turn = turn;
        s.imageWidth = turn == 2 ? 300 : 2400;
        s.imageHeight = turn == 2 ? 2400 : 300;
        const Preview p = preview(s);
        EXPECT_FALSE(p.answered) << turn;
        EXPECT_EQ(p.resultByte, 1) << turn;
        std::int32_t status = 0;
        EXPECT_EQ(printLayout(s, &status), nullptr);
        EXPECT_EQ(status, 1);
    }
}

// FULL with more columns than fit: the cells reflow row by row into the columns that fit, keep
// the values of their place in the settings' grid, and no label is shown.
TEST(PatternGrid, FullReflowKeepsValuesAndHidesAllLabels) {
    SheetSettings s;
    s.fullSize = 1;
    s.spacing = 0;
    s.columns = 5;
    s.imageWidth = 900;  // 2126 dots fit two
    s.imageHeight = 600;
    const Layout layout = printLayout(s);
    ASSERT_NE(layout, nullptr);
    EXPECT_EQ(layout->wrapped, 1);
    EXPECT_EQ(layout->columns, 2);
    EXPECT_EQ(layout->rows, 5);
    ASSERT_EQ(layout->cellCount, 10);
    EXPECT_EQ(layout->cells[7].image, (PatternRect{k15Mm + 900, k15Mm + 3 * 600, 900, 600}));
    EXPECT_EQ(layout->cells[7].xValue, 0);  // settings' column 2
    EXPECT_EQ(layout->cells[7].yValue, 0);  // settings' row 1
    for (const PatternLabel& label : layout->xLabels) {
        EXPECT_TRUE(label.rect.empty());
    }
    for (const PatternLabel& label : layout->yLabels) {
        EXPECT_TRUE(label.rect.empty());
    }
    // A reflowed length beyond the paper's lengthens the page.
    EXPECT_EQ(layout->savePaper, 1);
    EXPECT_GT(layout->paper.height, 3507);
}

// 256 columns would fit: counted in a byte that is 0 columns (a division by zero); counted in
// int the settings' ten columns fit with no reflow.
TEST(PatternGrid, FullFitOf256ColumnsIsNotWrappedToZero) {
    SheetSettings s;
    s.fullSize = 1;
    s.spacing = 0;
    s.paperWidth = 2035;  // 2403 dots: 2049 usable
    s.imageWidth = 8;     // 8 dots a cell: 256 fit
    s.imageHeight = 8;
    s.columns = 10;
    const Layout layout = printLayout(s);
    ASSERT_NE(layout, nullptr);
    EXPECT_EQ(layout->columns, 10);
    EXPECT_EQ(layout->rows, 2);
    EXPECT_EQ(layout->wrapped, 0);
}

TEST(PatternRanges, TablesOfBothModes) {
    struct Case {
        std::int32_t type;
        std::int32_t colorMin, colorMax;
        std::int32_t monoMin, monoMax;
    };
    const Case cases[] = {
        {1, -30, 30, 0, 0}, {7, -30, 30, 0, 0},  {8, 0, 0, -100, 100}, {9, 0, 0, -40, 40},
        {10, 0, 0, -1, 3},  {11, 0, 0, -30, 30}, {14, 0, 0, -30, 30},  {15, 0, 0, 0, 60},
        {16, 0, 0, 0, 0},   {0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        std::int32_t low = 99, high = 99;
        EXPECT_EQ(getAdjustRangeColor(c.type, &low, &high), 0);
        EXPECT_EQ(low, c.colorMin) << c.type;
        EXPECT_EQ(high, c.colorMax) << c.type;
        EXPECT_EQ(getAdjustRangeMono(c.type, &low, &high), 0);
        EXPECT_EQ(low, c.monoMin) << c.type;
        EXPECT_EQ(high, c.monoMax) << c.type;
    }
    std::int32_t clamped = 0;
    EXPECT_EQ(checkValue(1, 3, 35, &clamped), 1);
    EXPECT_EQ(clamped, 30);
    EXPECT_EQ(checkValue(3, 15, -5, &clamped), 1);
    EXPECT_EQ(clamped, 0);
    EXPECT_EQ(checkValue(3, 10, 3, &clamped), 0);
    EXPECT_EQ(clamped, 3);
    EXPECT_EQ(checkValue(2, 8, 4, &clamped), 1);  // a monochrome item in colour output
    EXPECT_EQ(clamped, 0);
}

// X = 35 in colour is held at 30 and its cell flagged; the print hides the cell's captions and
// its column's label, and keeps the rest.
TEST(PatternRangeCheck, OutOfRangeCellsAreFlaggedAndTheirLabelsHidden) {
    SheetSettings s;
    s.xCenter = 25;  // 15, 25, 35
    const Preview p = preview(s);
    ASSERT_TRUE(p.answered);
    EXPECT_EQ(p.cells[2].xValue, 30);
    EXPECT_EQ(p.cells[2].outOfRange, 1);
    EXPECT_EQ(p.cells[5].outOfRange, 1);
    EXPECT_EQ(p.cells[1].outOfRange, 0);

    const Layout layout = printLayout(s);
    ASSERT_NE(layout, nullptr);
    EXPECT_TRUE(layout->cells[2].caption1.empty());
    EXPECT_TRUE(layout->cells[2].caption2.empty());
    EXPECT_FALSE(layout->cells[1].caption1.empty());
    EXPECT_TRUE(layout->xLabels[2].rect.empty());
    EXPECT_EQ(layout->xLabels[2].value, 30);
    EXPECT_FALSE(layout->xLabels[1].rect.empty());
    EXPECT_EQ(layout->xLabels[1].value, 25);
    EXPECT_FALSE(layout->yLabels[0].rect.empty());

    // Monochrome white fog never goes below 0.
    s.colorMode = 3;
    s.xItem = 15;
    s.xCenter = 0;
    const Preview mono = preview(s);
    ASSERT_TRUE(mono.answered);
    EXPECT_EQ(mono.cells[0].xValue, 0);
    EXPECT_EQ(mono.cells[0].outOfRange, 1);
    // ... and yellow, a colour item, has no range in monochrome output: its row -5 is flagged.
    EXPECT_EQ(mono.cells[1].yValue, 0);
    EXPECT_EQ(mono.cells[1].outOfRange, 1);
}

// Y type 16: one row whatever the Y count, at the Y centre, with the X value's caption across
// the cell and no Y labels or title in the print.
TEST(PatternRangeCheck, NoYAxisIsOneRowWithoutYLabels) {
    SheetSettings s;
    s.yItem = 16;
    s.rows = 4;
    const Preview p = preview(s);
    ASSERT_TRUE(p.answered);
    EXPECT_EQ(p.info.rows, 1);
    ASSERT_EQ(p.cells.size(), 3u);
    EXPECT_EQ(p.cells[0].yValue, 0);
    EXPECT_EQ(p.cells[0].outOfRange, 0);

    const Layout layout = printLayout(s);
    ASSERT_NE(layout, nullptr);
    ASSERT_EQ(layout->yLabels.size(), 1u);
    EXPECT_TRUE(layout->yLabels[0].rect.empty());
    EXPECT_TRUE(layout->yTitle.empty());
    const PatternCell& cell = layout->cells[0];
    EXPECT_EQ(cell.caption1,
              (PatternRect{cell.image.x, cell.image.y + cell.image.height - 10 - k5Mm,
                           cell.image.width, k5Mm}));
    EXPECT_TRUE(cell.caption2.empty());
    // Two rows split the captions: Y left, X right.
    s.yItem = 3;
    s.rows = 2;
    const Layout two = printLayout(s);
    ASSERT_NE(two, nullptr);
    const PatternCell& split = two->cells[0];
    EXPECT_EQ(split.caption2.x, split.image.x);
    EXPECT_EQ(split.caption2.width, split.image.width / 2);
    EXPECT_EQ(split.caption1.x, split.image.x + split.image.width / 2);
}

// The frame of the print: the background across to the right edge, the labels under it with
// the title half a label lower, the Y labels left of it, the settings boxes under the label
// band, the printed area down to 10 mm below them and the paper as long as the settings say.
TEST(PatternFrame, PrintLaysOutLabelsTitlesAndBoxes) {
    SheetSettings s;
    s.spacing = 0;
    std::int32_t status = -99;
    const Layout layout = printLayout(s, &status, 600);
    ASSERT_NE(layout, nullptr);
    const PatternRect background{k10Mm, k10Mm, 2362 - k10Mm, 2 * 472 + k10Mm};
    ASSERT_EQ(layout->xLabels.size(), 3u);
    const std::int32_t labelY = background.y + background.height;
    EXPECT_EQ(layout->xLabels[1].rect, (PatternRect{k15Mm + 708, labelY, 708, k10Mm}));
    EXPECT_EQ(layout->xLabels[1].value, 0);
    EXPECT_EQ(layout->xTitle, (PatternRect{k15Mm, labelY + k5Mm, background.width - k10Mm, k5Mm}));
    ASSERT_EQ(layout->yLabels.size(), 2u);
    EXPECT_EQ(layout->yLabels[1].rect, (PatternRect{0, k15Mm + 472, k10Mm, 472}));
    EXPECT_EQ(layout->yLabels[1].value, 0);
    EXPECT_EQ(layout->yTitle, (PatternRect{0, k15Mm, k5Mm, background.height - k10Mm}));
    // Without spacing the print has no background.
    EXPECT_TRUE(layout->background.empty());
    const std::int32_t boxY = labelY + 30 + k10Mm;  // the label band: R / 10 + 10 mm
    EXPECT_EQ(layout->settingBox1, (PatternRect{k10Mm, boxY, 600, 354}));
    EXPECT_EQ(layout->settingBox2,
              (PatternRect{k10Mm + 600 + k5Mm, boxY, 2362 - (k10Mm + 600 + k5Mm), 354}));
    EXPECT_EQ(layout->printedArea, (PatternRect{0, 0, 2362, boxY + 354 + k10Mm}));
    EXPECT_EQ(layout->paper, (PatternRect{0, 0, 2480, 3507}));
    EXPECT_EQ(layout->savePaper, 0);
    EXPECT_EQ(layout->paperLengthOut, 2970);

    // A settings box wider than half the room is cut to half of it.
    const Layout wide = printLayout(s, &status, 5000);
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(wide->settingBox1.width, (2362 - k10Mm) / 2);

    // The Y title is at most 200 mm long and moves down by what it lost.
    s.paperLength = 6000;
    s.columns = 1;
    s.rows = 1;
    s.yItem = 3;
    s.imageWidth = 100;
    s.imageHeight = 1000;
    const Layout tall = printLayout(s, &status, 600);
    ASSERT_NE(tall, nullptr);
    EXPECT_EQ(tall->yTitle.height, 2362);
    EXPECT_EQ(tall->yTitle.y, k15Mm + tall->gridHeight - 2362);
}

// Save paper ends the page 10 mm below the settings boxes plus the trailing margin; the length
// comes back in tenths of a millimetre and the flag says it changed.
TEST(PatternPaper, SavePaperShortensTheLength) {
    SheetSettings s;
    const Preview kept = preview(s);
    s.savePaper = 1;
    const Preview saved = preview(s);
    ASSERT_TRUE(kept.answered && saved.answered);
    EXPECT_EQ(kept.info.savePaper, 0);
    EXPECT_EQ(kept.info.paperLength, 2970);
    EXPECT_EQ(kept.info.paperRect[3], 3507);
    EXPECT_EQ(saved.info.savePaper, 1);
    EXPECT_EQ(saved.info.paperRect[3], 59 + 59 + saved.info.printedArea[3]);
    EXPECT_EQ(saved.info.paperLength, saved.info.paperRect[3] * 254 / 300);
    EXPECT_LT(saved.info.paperLength, 2970);
    EXPECT_EQ(saved.info.paperWidth, 2100);
    EXPECT_EQ(saved.info.paperRect[2], 2480);
}

// The margins by the model's margin size and the paper source: 23 mm trailing for the sources
// 16, 128 and 8192 with margin size 3 or 4.
TEST(PatternPaper, LongTrailingMarginOfSomeSources) {
    struct Case {
        std::int32_t marginSize;
        std::int32_t source;
        std::int32_t top;  ///< dots at 300 dpi
        std::int32_t trailing;
    };
    const Case cases[] = {
        {3, 16, 59, 271}, {3, 128, 59, 271}, {4, 8192, 35, 271}, {4, 16, 35, 271},
        {3, 1, 59, 59},   {4, 1, 35, 35},    {2, 16, 35, 35},    {0, 8192, 35, 35},
    };
    for (const Case& c : cases) {
        PatternMargins m{};
        set_MarginInfo(&m, c.marginSize, c.source, 300, 1);
        EXPECT_EQ(m.top, c.top) << c.marginSize << " " << c.source;
        EXPECT_EQ(m.left, c.top);
        EXPECT_EQ(m.right, c.top);
        EXPECT_EQ(m.trailing, c.trailing) << c.marginSize << " " << c.source;
        EXPECT_EQ(m.cellGap, 59);
    }
    // On the sheet: the same content ends 23 - 5 mm later on a long-trailing source.
    SheetSettings s;
    s.savePaper = 1;
    const Preview ordinary = preview(s);
    s.paperSource = 128;
    const Preview longer = preview(s);
    ASSERT_TRUE(ordinary.answered && longer.answered);
    EXPECT_EQ(longer.info.paperRect[3] - ordinary.info.paperRect[3], 271 - 59);
}

TEST(PatternStatus, EmptyRectanglesAndMissingRecords) {
    struct Case {
        const char* what;
        SheetSettings settings;
    };
    std::vector<Case> cases;
    SheetSettings s;
    s.imageWidth = 0;
    cases.push_back({"no image", s});
    s = {};
    s.imageDpi = 0;
    cases.push_back({"no image resolution", s});
    s = {};
    s.paperLength = 0;
    cases.push_back({"no paper", s});
    s = {};
    s.paperLength = 800;  // no room for cells under the labels and boxes
    cases.push_back({"no room", s});
    s = {};
    s.columns = 256;  // the low byte: no columns
    cases.push_back({"no columns", s});
    for (const Case& c : cases) {
        const Preview p = preview(c.settings);
        EXPECT_FALSE(p.answered) << c.what;
        EXPECT_EQ(p.resultByte, 10) << c.what;
    }
    // No host table: -1, whose low byte the record keeps.
    PatternRecord job;
    job.record.commonInfo = nullptr;
    EXPECT_EQ(RasterCore_PatternCalc(&job.record), nullptr);
    EXPECT_EQ(job.record.patternCalcResult, 0xFF);
    EXPECT_EQ(RasterCore_PatternCalc(nullptr), nullptr);
    EXPECT_EQ(RasterCore_PatternCalc_Term(nullptr), 0);
}

// A layout whose answer cannot be allocated leaves the out-of-memory byte, never success.
TEST(PatternStatus, AnswerWithoutMemoryLeavesTheOutOfMemoryByte) {
    const CoreAllocator refusingTheAnswer{[](std::size_t count, std::size_t size) -> void* {
        return size == sizeof(PatternPreviewInfo) ? nullptr : std::calloc(count, size);
    }};
    PatternRecord job(SheetSettings{});
    const seam::ScopedOverride override(coreAllocator(), refusingTheAnswer);
    EXPECT_EQ(RasterCore_PatternCalc(&job.record), nullptr);
    EXPECT_EQ(job.record.patternCalcResult, 24);  // the low byte of -1000
}

// The base image is the selection's when the settings ask for it.
TEST(PatternStatus, SelectionSizesTheCells) {
    SheetSettings s;
    s.fullSize = 1;
    s.useSelection = 1;
    s.selectionWidth = 120;
    s.selectionHeight = 90;
    s.imageDpi = 150;  // 2 dots a pixel
    const Preview p = preview(s);
    ASSERT_TRUE(p.answered);
    EXPECT_EQ(p.cells[0].width, 240);
    EXPECT_EQ(p.cells[0].height, 180);
}

}  // namespace
