// Placement of the image on the medium: every layout, fitting to the page and the roll width,
// borderless prints, magnification, mirror printing, the 8-dot alignment, the selected range and
// the crop selection, and what leaves nothing to print.
#include "geometry/placement.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>
#include <memory>

#include "command/cmd_info.h"
#include "rastercore/common_info_table.h"
#include "rastercore/core_common_info_tbl.h"
#include "record/job_context.h"

namespace {

constexpr std::int32_t kFixed300Dpi = 300 << 16;

// A 400 × 300 image of the image editor at 300 dpi, on a 1000 × 1500-dot page at 300 dpi, in
// the corner layout, no margins: one source pixel is one dot.
struct PlacementJob {
    std::unique_ptr<PLGContext> context = std::make_unique<PLGContext>();
    std::unique_ptr<Cmd_Info> info = std::make_unique<Cmd_Info>();
    std::unique_ptr<CoreCommonInfoTbl> table = std::make_unique<CoreCommonInfoTbl>();
    CommonInfoTable host{};
    HostImageRecord image{};
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    double scaleX = 0;
    double scaleY = 0;

    PlacementJob() {
        context->cmdInfo = info.get();
        context->jobRecord = table.get();
        context->hostImage = &image;
        table->commonInfo = &host;
        image.width = 400;
        image.height = 300;
        host.horizontalResolution = host.verticalResolution = kFixed300Dpi;
        context->outputResolution[0] = context->outputResolution[1] = 300;
        context->paperWidthDots = 1000;
        context->paperHeightDots = 1500;
        context->pageLayoutKind = 1;
        context->fitType = 2;
    }

    std::int32_t place() {
        return PLG_Get_Management_Rec(table.get(), context.get(), &width, &height, &scaleX,
                                      &scaleY);
    }

    void margins(std::int32_t left, std::int32_t right, std::int32_t top, std::int32_t bottom) {
        info->leftMargin = left;
        info->rightMargin = right;
        info->topMargin = top;
        info->bottomMargin = bottom;
    }
    void fit(std::uint8_t fitType, std::uint8_t layout) {
        context->expansionReduction = 1;
        context->magnification = 100;
        context->fitType = fitType;
        context->pageLayoutKind = layout;
    }
};

// The job record is byte-packed: its rectangles of doubles are copied, never used in place.
void setRect(void* field, const std::array<double, 4>& values) {
    std::memcpy(field, values.data(), sizeof(double) * values.size());
}

std::array<double, 4> rectOf(const void* field) {
    std::array<double, 4> values;
    std::memcpy(values.data(), field, sizeof(double) * values.size());
    return values;
}

using Crop = std::array<std::uint32_t, 4>;

Crop cropOf(const CoreCommonInfoTbl& table) {
    Crop crop;
    std::memcpy(crop.data(), &table.cropRange, sizeof crop);
    return crop;
}

struct Source {
    double top, left, bottom, right;
};

void expectRect(const TARNRect& rect, const TARNRect& expected, const char* what) {
    EXPECT_EQ(rect.top, expected.top) << what;
    EXPECT_EQ(rect.left, expected.left) << what;
    EXPECT_EQ(rect.bottom, expected.bottom) << what;
    EXPECT_EQ(rect.right, expected.right) << what;
}

void expectSource(const PLGContext& context, const Source& expected, const char* what) {
    EXPECT_DOUBLE_EQ(context.sourceRect[0], expected.top) << what;
    EXPECT_DOUBLE_EQ(context.sourceRect[1], expected.left) << what;
    EXPECT_DOUBLE_EQ(context.sourceRect[2], expected.bottom) << what;
    EXPECT_DOUBLE_EQ(context.sourceRect[3], expected.right) << what;
}

TEST(Placement, EveryLayoutPlacesTheImage) {
    const double borderlessScale = (1000 + 60 * 300 / 254.0) / 400;
    const struct {
        const char* what;
        std::function<void(PlacementJob&)> setUp;
        TARNRect rect;  // top, left, bottom, right
        Source source;
        std::uint32_t width, height;
        double scale;
    } cases[] = {
        {"corner", [](PlacementJob&) {}, {0, 0, 300, 400}, {0, 0, 300, 400}, 400, 300, 1},
        {"corner, caption beside the leading edge",
         [](PlacementJob& j) {
             j.context->captionFlag = 1;
             j.context->captionKind = 1;
             j.context->captionHeight = 50;
         },
         {50, 0, 350, 400},
         {0, 0, 300, 400},
         400,
         300,
         1},
        {"corner, cut at the end of the page",
         [](PlacementJob& j) { j.context->paperHeightDots = 200; },
         {0, 0, 200, 400},
         {0, 0, 200, 400},
         400,
         200,
         1},
        {"corner turned: at the right, left edge 700 moves to 704",
         [](PlacementJob& j) { j.context->rotate = 1; },
         {0, 704, 400, 1004},
         {0, 0, 300, 400},
         400,
         300,
         1},
        // The caption's width comes off the available width once: 1000 - 100.
        {"corner turned, caption beside the leading edge",
         [](PlacementJob& j) {
             j.context->rotate = 1;
             j.context->captionFlag = 1;
             j.context->captionKind = 1;
             j.context->captionWidth = 100;
         },
         {0, 600, 400, 900},
         {0, 0, 300, 400},
         400,
         300,
         1},
        {"left edge 13 moves to 16, the right edge by the same 3",
         [](PlacementJob& j) {
             j.context->rotate = 1;
             j.context->paperWidthDots = 1013;
             j.context->paperHeightDots = 2000;
             j.image.width = 50;
             j.image.height = 1000;
         },
         {0, 16, 50, 1016},
         {0, 0, 1000, 50},
         50,
         1000,
         1},
        {"centre between margins",
         [](PlacementJob& j) {
             j.margins(50, 50, 0, 0);
             j.context->pageLayoutKind = 2;
         },
         {600, 240, 900, 640},
         {0, 0, 300, 400},
         400,
         300,
         1},
        {"centre, wider than the area: its middle",
         [](PlacementJob& j) {
             j.context->paperWidthDots = 300;
             j.context->pageLayoutKind = 2;
         },
         {600, 0, 900, 300},
         {0, 50, 300, 350},
         300,
         300,
         1},
        {"user position",
         [](PlacementJob& j) {
             j.context->pageLayoutKind = 3;
             j.context->layoutLeft = 258;  // 304 dots
             j.context->layoutTop = 127;   // 150 dots
         },
         {150, 304, 450, 704},
         {0, 0, 300, 400},
         400,
         300,
         1},
        {"user position turned: measured from the right",
         [](PlacementJob& j) {
             j.context->rotate = 1;
             j.context->pageLayoutKind = 3;
             j.context->layoutTop = 127;  // 150 dots from the right edge
         },
         {0, 552, 400, 852},
         {0, 0, 300, 400},
         400,
         300,
         1},
        {"user position inside the left margin: columns dropped, placed at 0",
         [](PlacementJob& j) {
             j.margins(100, 0, 0, 0);
             j.context->pageLayoutKind = 3;
             j.context->layoutLeft = 50;  // 59 dots inside the margin
         },
         {0, 0, 300, 341},
         {0, 59, 300, 400},
         341,
         300,
         1},
        {"user position near the right edge: cut at the edge",
         [](PlacementJob& j) {
             j.context->pageLayoutKind = 3;
             j.context->layoutLeft = 677;  // 799 dots
         },
         {0, 800, 300, 1001},
         {0, 0, 300, 201},
         201,
         300,
         1},
        {"fit page enlarges until one side fills",
         [](PlacementJob& j) { j.fit(0, 2); },
         {375, 0, 1125, 1000},
         {0, 0, 300, 400},
         400,
         300,
         2.5},
        {"fit roll width",
         [](PlacementJob& j) {
             j.margins(0, 0, 50, 100);
             j.fit(1, 4);
         },
         {59, 0, 808, 1000},
         {0, 0, 300, 400},
         400,
         300,
         2.5},
        {"fit roll width, caption beside the leading edge moves down 1 cm less the margin",
         [](PlacementJob& j) {
             j.margins(0, 0, 50, 100);
             j.fit(1, 4);
             j.context->captionFlag = 1;
             j.context->captionKind = 1;
         },
         {118, 0, 867, 1000},
         {0, 0, 300, 400},
         400,
         300,
         2.5},
        {"borderless",
         [](PlacementJob& j) {
             j.margins(-30, -30, -30, -30);
             j.fit(1, 2);
             j.context->borderless = 1;
         },
         {0, 0, 803, 1070},
         {0, 0, 300, 400},
         400,
         300,
         borderlessScale},
        {"magnification 50 %",
         [](PlacementJob& j) {
             j.context->expansionReduction = 1;
             j.context->magnification = 50;
         },
         {0, 0, 150, 200},
         {0, 0, 300, 400},
         400,
         300,
         0.5},
        {"magnification below 5 % prints at 5 %",
         [](PlacementJob& j) {
             j.context->expansionReduction = 1;
             j.context->magnification = 2;
         },
         {0, 0, 15, 20},
         {0, 0, 300, 400},
         400,
         300,
         0.05},
        {"magnification without scaling is ignored",
         [](PlacementJob& j) { j.context->magnification = 50; },
         {0, 0, 300, 400},
         {0, 0, 300, 400},
         400,
         300,
         1},
        {"mirror, part of the width: taken from the other side",
         [](PlacementJob& j) {
             j.context->paperWidthDots = 300;
             j.info->mirror = 1;
         },
         {0, 0, 300, 300},
         {0, 100, 300, 400},
         300,
         300,
         1},
        {"mirror, whole width: unchanged",
         [](PlacementJob& j) { j.info->mirror = 1; },
         {0, 0, 300, 400},
         {0, 0, 300, 400},
         400,
         300,
         1},
        {"the photo application's image size",
         [](PlacementJob& j) {
             j.context->hostTypeFlag = 1;
             j.host.files.sizes[0] = 200;
             j.host.files.sizes[1] = 100;
         },
         {0, 0, 100, 200},
         {0, 0, 100, 200},
         200,
         100,
         1},
    };
    for (const auto& c : cases) {
        PlacementJob job;
        c.setUp(job);
        ASSERT_EQ(job.place(), 0) << c.what;
        expectRect(job.context->imageRect, c.rect, c.what);
        expectSource(*job.context, c.source, c.what);
        EXPECT_EQ(job.width, c.width) << c.what;
        EXPECT_EQ(job.height, c.height) << c.what;
        EXPECT_EQ(job.context->sourceWidth, c.width) << c.what;
        EXPECT_DOUBLE_EQ(job.scaleX, c.scale) << c.what;
        EXPECT_DOUBLE_EQ(job.scaleY, c.scale) << c.what;
    }
}

TEST(Placement, FitRollWidthSetsThePageLength) {
    // Image length (300 × 2.5) plus twice the larger end margin (100 tenths = 118.1 dots).
    PlacementJob job;
    job.margins(0, 0, 50, 100);
    job.fit(1, 4);
    ASSERT_EQ(job.place(), 0);
    EXPECT_EQ(job.context->paperHeightDots, 986);
    // Turned, the roll width holds the image's height.
    PlacementJob turned;
    turned.fit(1, 4);
    turned.context->rotate = 1;
    ASSERT_EQ(turned.place(), 0);
    EXPECT_DOUBLE_EQ(turned.scaleX, 1000.0 / 300);
    EXPECT_EQ(turned.context->paperHeightDots, 1333);
}

TEST(Placement, CentreOnTheMedium) {
    const struct {
        const char* what;
        std::int32_t rollLayout;
        std::uint8_t borderless;
        std::int32_t printCentered;
        std::uint8_t layout;
        std::int32_t centering;
    } cases[] = {
        {"roll layout 6", 6, 0, 0, 1, 1},
        {"roll layout 6, borderless", 6, 1, 0, 2, 0},
        {"another roll layout", 5, 0, 0, 1, 0},
        {"roll fit on a model that prints centred", 0, 0, 1, 4, 1},
        {"centred model, corner layout", 0, 0, 1, 1, 0},
    };
    for (const auto& c : cases) {
        PlacementJob job;
        job.table->rollLayout = c.rollLayout;
        job.context->borderless = c.borderless;
        job.context->modelTable.PrintCentered = c.printCentered;
        if (c.layout == 4 || c.borderless) {
            job.fit(1, c.layout);
        }
        ASSERT_EQ(job.place(), 0) << c.what;
        EXPECT_EQ(job.info->centering, c.centering) << c.what;
    }
}

TEST(Placement, NothingPrintableLeavesBothRectanglesEmpty) {
    const struct {
        const char* what;
        std::function<void(PlacementJob&)> setUp;
    } cases[] = {
        {"a preview frame under one point",
         [](PlacementJob& j) {
             j.table->selRangePrint = 1;
             j.table->clopRect[2] = j.table->clopRect[3] = 50;
             j.table->imagePreviewRect[2] = 0.5;
             j.table->imagePreviewRect[3] = 100;
         }},
        {"a range converted to no width",
         [](PlacementJob& j) {
             j.table->selRangePrint = 1;
             j.table->clopRect[2] = 1;  // 0.4 pixels
             j.table->clopRect[3] = 50;
             j.table->imagePreviewRect[2] = 1000;
             j.table->imagePreviewRect[3] = 100;
         }},
        {"margins wider than the paper, centred",
         [](PlacementJob& j) {
             j.margins(1000, 1000, 0, 0);
             j.context->pageLayoutKind = 2;
         }},
        {"margins longer than the paper, centred",
         [](PlacementJob& j) {
             j.margins(0, 0, 2000, 2000);
             j.context->pageLayoutKind = 2;
         }},
        {"a user position beyond the paper",
         [](PlacementJob& j) {
             j.context->pageLayoutKind = 3;
             j.context->layoutLeft = 10000;
         }},
        {"a layout the core does not know", [](PlacementJob& j) { j.context->pageLayoutKind = 0; }},
        {"an empty image", [](PlacementJob& j) { j.image.width = 0; }},
        {"fit the page on a page smaller than its margins",
         [](PlacementJob& j) {
             j.margins(1000, 1000, 0, 0);
             j.fit(0, 2);
         }},
    };
    for (const auto& c : cases) {
        PlacementJob job;
        c.setUp(job);
        job.table->rollLayout = 6;
        EXPECT_EQ(job.place(), -1300) << c.what;
        expectRect(job.context->imageRect, {0, 0, 0, 0}, c.what);
        expectSource(*job.context, {0, 0, 0, 0}, c.what);
        EXPECT_EQ(job.context->sourceWidth, 0u) << c.what;
        EXPECT_EQ(job.info->centering, 1) << c.what << ": still centred on a roll";
    }
}

TEST(Placement, ResolutionZeroIsAHostImageFailure) {
    const std::function<void(PlacementJob&)> breaks[] = {
        [](PlacementJob& j) { j.host.horizontalResolution = 0; },
        [](PlacementJob& j) { j.host.verticalResolution = 0; },
        [](PlacementJob& j) { j.host.horizontalResolution = 0x8000; },  // half a dpi: fine
        [](PlacementJob& j) { j.context->outputResolution[1] = 0; },
    };
    const std::int32_t results[] = {-1400, -1400, 0, -1400};
    for (std::size_t i = 0; i < std::size(breaks); ++i) {
        PlacementJob job;
        breaks[i](job);
        EXPECT_EQ(job.place(), results[i]) << i;
    }
    PlacementJob job;
    job.table->commonInfo = nullptr;
    EXPECT_EQ(job.place(), -1);
    job.table->commonInfo = &job.host;
    job.context->hostImage = nullptr;
    EXPECT_EQ(job.place(), -1);
}

TEST(Placement, SelectedRangeAndCropSelection) {
    PlacementJob job;
    job.table->selRangePrint = 1;
    setRect(job.table->clopRect, {20, 30, 50, 40});
    setRect(job.table->imagePreviewRect, {5, 7, 200, 100});  // 2 × 3 pixels a point
    ASSERT_EQ(job.place(), 0);
    expectSource(*job.context, {90, 40, 210, 140}, "range");
    EXPECT_EQ(cropOf(*job.table), (Crop{40, 90, 140, 210}));  // left, top, right, bottom
    const std::array<double, 4> frame = rectOf(job.table->imagePreviewRect);
    EXPECT_EQ(frame[0], 0);
    EXPECT_EQ(frame[1], 0);
    EXPECT_EQ(frame[2], 200);

    // The host's crop selection replaces the range.
    job.table->firstSelect = 1;
    job.image.selectionTop = 10;
    job.image.selectionLeft = 20;
    job.image.selectionBottom = 110;
    job.image.selectionRight = 220;
    ASSERT_EQ(job.place(), 0);
    expectSource(*job.context, {10, 20, 110, 220}, "crop");

    // Without range printing the whole image is the window.
    PlacementJob whole;
    whole.table->cropRange[2] = 7;
    ASSERT_EQ(whole.place(), 0);
    EXPECT_EQ(cropOf(*whole.table), (Crop{0, 0, 400, 300}));
}

TEST(PortionRange, ConvertsPreviewPointsToPixels) {
    const struct {
        const char* what;
        double range[4];  // x, y, width, height
        double frame[4];
        std::int32_t result;
        TARNRect expected;  // top, left, bottom, right
    } cases[] = {
        {"2 × 3 pixels a point", {20, 30, 50, 40}, {5, 7, 200, 100}, 0, {90, 40, 210, 140}},
        {"above the frame's top: from row 0",
         {0, 90, 10, 40},
         {0, 0, 200, 100},
         0,
         {0, 0, 120, 20}},
        {"past the image: clipped", {150, 0, 100, 100}, {0, 0, 200, 100}, 0, {0, 300, 300, 400}},
        {"fractions of a point count whole",
         {20.9, 30.5, 50.7, 40.2},
         {0, 0, 200.8, 100.9},
         0,
         {90, 40, 210, 140}},
        {"negative x counts as 0", {-10, 30, 50, 40}, {0, 0, 200, 100}, 0, {90, 0, 210, 100}},
        {"frame under a point wide", {20, 30, 50, 40}, {0, 0, 0.9, 100}, -1300, {0, 0, 0, 0}},
        {"frame under a point high", {20, 30, 50, 40}, {0, 0, 200, 0.2}, -1300, {0, 0, 0, 0}},
        {"negative frame", {20, 30, 50, 40}, {0, 0, -200, 100}, -1300, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        auto table = std::make_unique<CoreCommonInfoTbl>();
        setRect(table->clopRect, std::to_array(c.range));
        setRect(table->imagePreviewRect, std::to_array(c.frame));
        TARNRect out{-1, -1, -1, -1};
        EXPECT_EQ(PLG_GetPortinPrint_Rec(table.get(), 400, 300, &out.left, &out.top, &out.right,
                                         &out.bottom),
                  c.result)
            << c.what;
        expectRect(out, c.expected, c.what);
    }
}

}  // namespace
