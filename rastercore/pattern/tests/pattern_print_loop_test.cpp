// The test-pattern print loop over an in-memory job: the sheet read back through the stream
// decoder against a golden image, the cells at the image's own size, monochrome on a grey plane,
// the fetch order, the background colour, progress, cancel and failures.
#include "pattern/pattern_print_loop.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "cf/notification_center.h"
#include "cf/value.h"
#include "pattern/pattern_progress.h"
#include "pattern_job.h"
#include "rastercore/progress.h"
#include "rastercore/result_codes.h"
#include "record/cancel_byte.h"

namespace {

using namespace patterntest;
using namespace rastercore;

const std::filesystem::path kGolden =
    std::filesystem::path(PATTERN_TEST_DATA_DIR) / "pattern_sheet_3x2.png";

// An RGB image in a PNG file, through cairo.
struct RgbImage {
    int width = 0;
    int height = 0;
    Bytes pixels;  ///< three 8-bit samples a pixel, rows top first
};

bool readPng(const std::filesystem::path& path, RgbImage* image) {
    cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
    const bool ok = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
    if (ok) {
        image->width = cairo_image_surface_get_width(surface);
        image->height = cairo_image_surface_get_height(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        const unsigned char* data = cairo_image_surface_get_data(surface);
        image->pixels.clear();
        for (int y = 0; y < image->height; ++y) {
            for (int x = 0; x < image->width; ++x) {
                std::uint32_t pixel = 0;
                std::memcpy(&pixel, data + y * stride + x * 4, 4);
                image->pixels.push_back(static_cast<std::uint8_t>(pixel >> 16));
                image->pixels.push_back(static_cast<std::uint8_t>(pixel >> 8));
                image->pixels.push_back(static_cast<std::uint8_t>(pixel));
            }
        }
    }
    cairo_surface_destroy(surface);
    return ok;
}

bool writePng(const std::filesystem::path& path, const RgbImage& image) {
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, image.width, image.height);
    cairo_surface_flush(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t* p =
                &image.pixels[(static_cast<std::size_t>(y) * image.width + x) * 3];
            const std::uint32_t pixel =
                0xFF000000u | (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];
            std::memcpy(data + y * stride + x * 4, &pixel, 4);
        }
    }
    cairo_surface_mark_dirty(surface);
    const bool ok = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return ok;
}

// The sheet is deterministic: it equals the checked-in image exactly. Set
// STRATOLINE_WRITE_GOLDEN to write the image anew after a deliberate change.
TEST(PatternPrintLoop, SheetEqualsTheGoldenImage) {
    PatternJob job;
    ASSERT_EQ(job.layoutResult, 0);
    ASSERT_EQ(job.run(), 0);
    const PatternPrintInfo& sheet = job.sheet();
    RgbImage printed{sheet.printedArea.width, sheet.printedArea.height, job.sheetPixels()};
    ASSERT_EQ(printed.pixels.size(), static_cast<std::size_t>(printed.width) * printed.height * 3);
    if (std::getenv("STRATOLINE_WRITE_GOLDEN") != nullptr) {
        ASSERT_TRUE(writePng(kGolden, printed));
        GTEST_SKIP() << "wrote " << kGolden;
    }
    RgbImage golden;
    ASSERT_TRUE(readPng(kGolden, &golden)) << kGolden;
    ASSERT_EQ(golden.width, printed.width);
    ASSERT_EQ(golden.height, printed.height);
    std::size_t differing = 0;
    for (std::size_t i = 0; i < golden.pixels.size(); ++i) {
        differing += golden.pixels[i] != printed.pixels[i] ? 1 : 0;
    }
    EXPECT_EQ(differing, 0u);
    // One page, one image, a band per printed line.
    EXPECT_EQ(job.commandCount("ESC*r1A"), 1u);
    EXPECT_EQ(job.commandCount("ESC*rC"), 1u);
}

// The sheet as laid out: white where nothing is, the grey background behind the cells, each
// cell the base image marked with its own colour-adjust entry, the captions merged over the
// cells with their grey left out, and the outside label instead of the image in cells out of
// range: its bar on the background; with 8- and 16-bit samples.
TEST(PatternPrintLoop, SheetShowsEveryItemInItsPlace) {
    for (const bool wide : {false, true}) {
        PatternJobSetup setup;
        setup.wide = wide;
        PatternJob job(setup);
        ASSERT_EQ(job.run(), 0) << wide;
        const PatternPrintInfo& sheet = job.sheet();
        const Bytes pixels = job.sheetPixels();
        const std::int32_t width = sheet.printedArea.width;
        const auto at = [&](std::int32_t x, std::int32_t y, int k) {
            return pixels[(static_cast<std::size_t>(y) * width + x) * 3 + k];
        };
        EXPECT_EQ(at(width - 1, 0, 1), 0xFF);
        EXPECT_EQ(at(sheet.background.x + 1, sheet.background.y + 1, 1), 0x80);
        for (std::int32_t row = 0; row < 2; ++row) {
            for (std::int32_t column = 0; column < 3; ++column) {
                const PatternPrintCell& cell = sheet.at(row, column);
                const std::int32_t x = cell.image.x + 2;
                const std::int32_t y = cell.image.y + 2;
                if (cell.outOfRange != 0) {
                    EXPECT_EQ(at(x, y, 0), 0x80) << row << column;  // the background shows
                    EXPECT_EQ(at(x, cell.image.y + cell.image.height / 2, 0), 0x00)
                        << row << column;
                    continue;
                }
                // Every sample but the first is the image's; the first carries the mark. The image
                // fills the cell: its left half has full blue, its right half none.
                EXPECT_NE(at(x, y, 0), at(x, y, 2)) << row << column;
                EXPECT_EQ(at(x, y, 2), 0xFF) << row << column;
                EXPECT_EQ(at(cell.image.x + cell.image.width - 3, y, 2), 0x00) << row << column;
                EXPECT_EQ(at(cell.image.x + cell.image.width, y, 2), 0x80) << row << column;
                const std::int32_t middle = cell.caption1.y + cell.caption1.height / 2;
                EXPECT_EQ(at(cell.caption1.x + 1, middle, 1), 0x70) << row << column;
                EXPECT_EQ(at(cell.caption2.x + 1, middle, 1), 0x08) << row << column;
            }
        }
        // Every cell row was processed with its cell's entry.
        for (const std::uint16_t table : job.cellTables) {
            EXPECT_LT(table, 6);
            EXPECT_NE(table % 3, 2);  // nothing of the cells out of range
        }
        const PatternRect& box = sheet.settingBox1;
        EXPECT_EQ(at(box.x + 1, box.y + box.height / 2, 0), 0x50);
        EXPECT_EQ(at(box.x + 1, box.y + 1, 0), 0xFF);
    }
}

// FULL at the image's own resolution: base and cells are the window's size, so no resampler
// runs and each cell is the window pixel for pixel; one row of cells (no Y axis).
TEST(PatternPrintLoop, FullCellsAreTheWindowPixelForPixel) {
    for (const bool wide : {false, true}) {
        PatternJobSetup setup;
        setup.wide = wide;
        setup.sheet.fullSize = 1;
        setup.sheet.yItem = 16;
        setup.sheet.xCenter = 0;
        setup.hostWidth = 20;
        setup.hostHeight = 15;
        setup.window = {3, 5, 12, 17};  // 12 × 9 inside the host image
        setup.hostType = kHostTypeImageEditor;
        PatternJob job(setup);
        ASSERT_EQ(job.layoutResult, 0);
        ASSERT_EQ(job.run(), 0) << wide;
        const PatternPrintInfo& sheet = job.sheet();
        ASSERT_EQ(sheet.rows, 1);
        ASSERT_EQ(sheet.cellWidth, 12);
        const Bytes pixels = job.sheetPixels();
        const std::int32_t width = sheet.printedArea.width;
        for (std::int32_t column = 0; column < 3; ++column) {
            const PatternPrintCell& cell = sheet.at(0, column);
            for (std::int32_t y = 0; y < 9; ++y) {
                for (std::int32_t x = 0; x < 12; ++x) {
                    const std::uint8_t* p =
                        &pixels[(static_cast<std::size_t>(cell.image.y + y) * width + cell.image.x +
                                 x) *
                                3];
                    // Captions cover the bottom of the cell: compare above them.
                    if (cell.caption1.holdsLine(cell.image.y + y)) {
                        continue;
                    }
                    const auto sample = [&](int k) {
                        const std::uint16_t s = job.host.image.at(5 + x, 3 + y, k);
                        return static_cast<std::uint8_t>(wide ? s >> 8 : s);
                    };
                    ASSERT_EQ(p[0], marked(sample(0), cell.colorTableIndex))
                        << wide << " " << column << " " << x << "," << y;
                    ASSERT_EQ(p[1], sample(1));
                    ASSERT_EQ(p[2], sample(2));
                }
            }
        }
    }
}

// A monochrome sheet on a grey-plane model: one sample a pixel, the labels and background
// colour-processed with the neutral caption entry after the cells.
TEST(PatternPrintLoop, MonochromeGreyPlaneProcessesItemsWithTheCaptionEntry) {
    PatternJobSetup setup;
    setup.greyPlane = true;
    setup.sheet.colorMode = 3;
    setup.sheet.xItem = 11;
    setup.sheet.yItem = 12;
    PatternJob job(setup);
    ASSERT_EQ(job.layoutResult, 0);
    ASSERT_EQ(job.run(), 0);
    int planes = 0;
    const Bytes pixels = job.sheetPixels(&planes);
    EXPECT_EQ(planes, 1);
    const PatternPrintInfo& sheet = job.sheet();
    const std::int32_t width = sheet.printedArea.width;
    constexpr std::uint16_t kCaptionEntry = 6;
    bool captionEntryUsed = false;
    for (std::size_t i = 0; i < job.cellTables.size(); ++i) {
        captionEntryUsed |= job.cellTables[i] == kCaptionEntry;
        EXPECT_LE(job.cellTables[i], kCaptionEntry);
    }
    EXPECT_TRUE(captionEntryUsed);
    // The grey background, processed: 0x80 marked with the caption entry.
    EXPECT_EQ(
        pixels[static_cast<std::size_t>(sheet.background.y + 1) * width + sheet.background.x + 1],
        marked(0x80, kCaptionEntry));
    // A label's bar, processed the same way.
    const PatternRect& box = sheet.settingBox1;
    EXPECT_EQ(pixels[static_cast<std::size_t>(box.y + box.height / 2) * width + box.x + 1],
              marked(0x50, kCaptionEntry));
}

// Mirrored and turned, the first column fetched is the window's right edge; turned alone, its
// left edge; upright, rows from the top.
TEST(PatternPrintLoop, TurnedFetchStartsAtTheWindowsMirroredEdge) {
    struct Case {
        std::uint8_t hostType;
        std::int32_t turn;
        std::int32_t mirror;
        std::int32_t firstPhotoLine;   ///< photo application: line relative to the window
        std::int32_t firstEditorLeft;  ///< image editor: the first request's left edge
        std::int32_t firstEditorTop;
    };
    const Case cases[] = {
        {kHostTypePhotoApplication, 2, 1, 11, 0, 0}, {kHostTypePhotoApplication, 2, 0, 0, 0, 0},
        {kHostTypePhotoApplication, 0, 1, 0, 0, 0},  {kHostTypeImageEditor, 2, 1, 0, 16, 3},
        {kHostTypeImageEditor, 1, 0, 0, 5, 3},       {kHostTypeImageEditor, 0, 1, 0, 5, 3},
    };
    for (const Case& c : cases) {
        PatternJobSetup setup;
        setup.hostType = c.hostType;
        setup.sheet.turn = c.turn;
        setup.mirror = c.mirror;
        if (c.hostType == kHostTypeImageEditor) {
            setup.hostWidth = 20;
            setup.hostHeight = 15;
            setup.window = {3, 5, 12, 17};
        }
        PatternJob job(setup);
        ASSERT_EQ(job.layoutResult, 0);
        ASSERT_EQ(job.run(), 0) << c.turn << c.mirror;
        if (c.hostType == kHostTypePhotoApplication) {
            ASSERT_FALSE(job.host.lineIndices.empty());
            EXPECT_EQ(job.host.lineIndices[0], c.firstPhotoLine) << c.turn << c.mirror;
        } else {
            ASSERT_FALSE(job.host.requests.empty());
            EXPECT_EQ(job.host.requests[0].left, c.firstEditorLeft) << c.turn << c.mirror;
            EXPECT_EQ(job.host.requests[0].top, c.firstEditorTop) << c.turn << c.mirror;
        }
    }
}

// A background colour outside white, black and grey fails the first line inside the
// background; the lines above it went out, the image was not ended.
TEST(PatternPrintLoop, UnknownBackgroundColourFailsItsFirstLine) {
    PatternJobSetup setup;
    setup.sheet.background = 3;
    PatternJob job(setup);
    ASSERT_EQ(job.layoutResult, 0);
    EXPECT_EQ(job.run(), kResultFailure);
    const streamdecoder::DecodedStream stream = job.decoded();
    ASSERT_EQ(stream.rasters.size(), 1u);
    EXPECT_EQ(stream.rasters[0].rows.size(), static_cast<std::size_t>(job.sheet().background.y));
    EXPECT_EQ(job.commandCount("ESC*rC"), 0u);
}

// Progress climbs to 100 exactly at the last step.
TEST(PatternPrintLoop, ProgressEndsAt100) {
    PatternJob job;
    std::vector<double> values;
    auto observer = cf::NotificationCenter::localCenter().addObserver(
        kChangeProgressValueNotification, nullptr, [&](const cf::Notification& n) {
            values.push_back(static_cast<const cf::Value*>(n.object)->real().value_or(-1));
        });
    ASSERT_EQ(job.run(), 0);
    ASSERT_FALSE(values.empty());
    EXPECT_EQ(values.back(), 100.0);
    EXPECT_LT(values[values.size() - 2], 100.0);
    EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
}

TEST(PatternPrintLoop, PercentOfEachStep) {
    struct Case {
        std::int64_t total;
        std::vector<int> percents;  ///< as the image editor's progress object sees them
    };
    const Case cases[] = {{1, {100}}, {5, {16, 33, 50, 66, 100}}, {3, {25, 50, 100}}};
    for (const Case& c : cases) {
        struct Recording : ProgressObject {
            std::vector<int> values;
            bool idleProgress() override { return false; }
            bool idleProgressJobOpen() override { return false; }
            void setProgressValue(int percent) override { values.push_back(percent); }
            void setStatusMessage(int) override {}
        } progress;
        CommonInfoTable host{};
        host.hostType = kHostTypeImageEditor;
        CoreCommonInfoTbl record{};
        record.commonInfo = &host;
        PLGContext context{};
        context.jobRecord = &record;
        context.progress = &progress;
        PatternProgress steps{c.total, 0, 0, 0};
        for (std::int64_t i = 0; i < c.total; ++i) {
            ASSERT_EQ(PLG_PPL_Progress(&context, &steps), 0);
        }
        EXPECT_EQ(progress.values, c.percents) << c.total;
    }
}

// Cancel at any step ends the loop with 1100 at that step, releasing every buffer and
// resampler (the sanitizer finds any left), and ends neither image nor page.
TEST(PatternPrintLoop, CancelAtAnyStep) {
    struct Case {
        const char* when;
        int hostCall;    ///< cancel while the host delivers this line (phase 1), or -1
        double percent;  ///< cancel once progress reaches this (the sheet), or 0
    };
    const Case cases[] = {
        {"first base row", 0, 0},        {"a later base row", 5, 0},  {"early sheet line", -1, 2},
        {"middle of the cells", -1, 30}, {"late sheet line", -1, 99}, {"last step", -1, 100},
    };
    for (const Case& c : cases) {
        PatternJob job;
        std::uint8_t* cancel = &job.jobRecord().cancelRequest;
        job.host.onCall = [&](int call) {
            if (call == c.hostCall) {
                requestCancel(cancel);
            }
        };
        auto observer = cf::NotificationCenter::localCenter().addObserver(
            kChangeProgressValueNotification, nullptr, [&](const cf::Notification& n) {
                if (c.percent > 0 &&
                    static_cast<const cf::Value*>(n.object)->real().value_or(0) >= c.percent) {
                    requestCancel(cancel);
                }
            });
        EXPECT_EQ(job.run(), kResultCancelled) << c.when;
        EXPECT_EQ(job.commandCount("ESC*rC"), 0u) << c.when;
    }
}

// A cancel that the transport sees on the page's start or end is the user's cancel, not a
// failed print.
TEST(PatternPrintLoop, CancelSeenOnThePageStartOrEndStaysACancel) {
    std::size_t pageStart = 0;
    std::size_t pageEnd = 0;
    {
        PatternJob whole;
        const BandServices sendPage = whole.services;
        whole.services.startPage = [&](PLGContext* context) {
            pageStart = whole.transport.sends.size();
            return sendPage.startPage(context);
        };
        whole.services.endPage = [&](PLGContext* context) {
            pageEnd = whole.transport.sends.size();
            return sendPage.endPage(context);
        };
        ASSERT_EQ(whole.run(), kResultOk);
    }
    for (const std::size_t failing : {pageStart, pageEnd}) {
        PatternJob job;
        job.transport.failAt = failing;
        job.transport.failCode = kResultCancelled;
        EXPECT_EQ(job.run(), kResultCancelled) << failing;
    }
}

TEST(PatternPrintLoop, HostAndJobFailures) {
    {
        PatternJob job;  // the photo application's callback fails: -1400
        job.host.failAtCall = 3;
        EXPECT_EQ(job.run(), kResultHostImage);
    }
    {
        PatternJobSetup setup;  // the image editor's own failure is passed on
        setup.hostType = kHostTypeImageEditor;
        PatternJob job(setup);
        job.host.failAtCall = 2;
        job.host.failCode = -108;
        EXPECT_EQ(job.run(), -108);
    }
    {
        PatternJob job;  // a send that fails
        job.transport.failAt = 40;
        EXPECT_EQ(job.run(), kResultFailure);
    }
    {
        PatternJob job;  // a colour processing that fails
        job.services.colorProcessing = [](Color_Info*, std::uint8_t*, TARNRect*, std::uint8_t*) {
            return 13100;
        };
        EXPECT_EQ(job.run(), kResultFailure);
    }
    {
        PatternJob job;  // a host image mode the sheet cannot be made from
        job.context().hostImage->imageMode = 2;
        EXPECT_EQ(job.run(), kResultFailure);
    }
    {
        PatternJobSetup setup;  // a base image too large to count in bytes
        setup.wide = true;
        PatternJob job(setup);
        job.context().sourceRect[2] = 2.1e9;
        job.context().sourceRect[3] = 2.1e9;
        job.jobRecord().patternFullSize = 1;
        EXPECT_EQ(job.run(), kResultNoMemory);
    }
    {
        PatternJob job;  // a command buffer below the generator's bound
        job.context().commandBufferSize -= 1;
        EXPECT_EQ(job.run(), kResultFailure);
    }
    EXPECT_EQ(PLG_PatternPrintLoop(nullptr), kResultFailure);
    PLGContext bare{};
    EXPECT_EQ(PLG_PatternPrintLoop(&bare), kResultFailure);
}

}  // namespace
