// The band loop over an in-memory host: whole pages read back through the packet splitter and
// the stream decoder, copies, progress, cancel, the resampler and the accumulator.
#include "band/band_loop.h"

#include <gtest/gtest.h>

#include <utility>

#include "band_fixture.h"
#include "cf/notification_center.h"
#include "cf/value.h"
#include "rastercore/progress.h"
#include "rastercore/result_codes.h"
#include "record/cancel_byte.h"

namespace {

using bandtest::BandJob;
using bandtest::Bytes;
using bandtest::JobSetup;
using namespace rastercore;

// Every decoded row of the one image raster against the expected source line.
void expectPage(const BandJob& job, std::uint32_t lines, std::uint32_t width,
                const std::function<std::uint32_t(std::uint32_t)>& sourceOf,
                const std::string& label) {
    const auto decoded = job.decoded();
    ASSERT_TRUE(decoded.ok) << label << ": " << decoded.error;
    ASSERT_EQ(decoded.rasters.size(), 1u) << label;
    ASSERT_EQ(decoded.rasters[0].rows.size(), lines) << label;
    for (std::uint32_t y = 0; y < lines; ++y) {
        EXPECT_EQ(BandJob::pixelsOf(decoded.rasters[0], y, width),
                  job.printed(job.sourceLine(sourceOf(y))))
            << label << " line " << y;
    }
}

TEST(BandLoop, PagesReadBackAsTheHostImage) {
    struct Case {
        const char* what;
        std::uint8_t host;
        bool wide;
        bool rotate;
        std::int32_t mirror;
        std::int32_t compression;
    };
    const Case cases[] = {
        {"photo 8-bit seed row", kHostTypePhotoApplication, false, false, 0, 2},
        {"photo 16-bit PackBits", kHostTypePhotoApplication, true, false, 0, 1},
        {"editor 8-bit", kHostTypeImageEditor, false, false, 0, 2},
        {"editor 16-bit", kHostTypeImageEditor, true, false, 0, 2},
        {"photo mirrored", kHostTypePhotoApplication, false, false, 1, 2},
        {"editor mirrored 16-bit", kHostTypeImageEditor, true, false, 1, 2},
        {"photo turned", kHostTypePhotoApplication, false, true, 0, 2},
        {"photo turned mirrored", kHostTypePhotoApplication, false, true, 1, 2},
        {"editor turned", kHostTypeImageEditor, false, true, 0, 2},
        {"editor turned mirrored", kHostTypeImageEditor, true, true, 1, 2},
    };
    for (const Case& c : cases) {
        JobSetup setup;
        setup.hostType = c.host;
        setup.wide = c.wide;
        setup.rotate = c.rotate;
        setup.mirror = c.mirror;
        setup.compression = c.compression;
        BandJob job(setup);
        ASSERT_EQ(job.run(), kResultOk) << c.what;
        const std::uint32_t lines = c.rotate ? setup.sourceWidth : setup.sourceHeight;
        const std::uint32_t width = c.rotate ? setup.sourceHeight : setup.sourceWidth;
        const bool reverseLines = c.rotate && c.mirror == 1;
        if (c.mirror == 1 && !c.rotate) {
            // Upright mirroring reverses every line.
            const auto decoded = job.decoded();
            ASSERT_TRUE(decoded.ok) << decoded.error;
            for (std::uint32_t y = 0; y < lines; ++y) {
                Bytes expected = job.printed(job.sourceLine(y));
                Bytes reversed;
                for (std::uint32_t x = width; x-- > 0;) {
                    reversed.insert(reversed.end(), expected.begin() + x * 3,
                                    expected.begin() + x * 3 + 3);
                }
                EXPECT_EQ(BandJob::pixelsOf(decoded.rasters[0], y, width), reversed)
                    << c.what << " line " << y;
            }
            continue;
        }
        expectPage(
            job, lines, width, [&](std::uint32_t y) { return reverseLines ? lines - 1 - y : y; },
            c.what);
    }
}

TEST(BandLoop, CopiesAndTheSendOnceModel) {
    struct Case {
        std::uint16_t copies;
        std::int32_t sendOnce;
        std::size_t pages;
    };
    for (const Case& c : {Case{3, 0, 3}, Case{3, 1, 1}, Case{1, 0, 1}, Case{0, 0, 0}}) {
        JobSetup setup;
        setup.copies = c.copies;
        setup.sendOnce = c.sendOnce;
        BandJob job(setup);
        ASSERT_EQ(job.run(), kResultOk);
        EXPECT_EQ(job.commands("ESC*r1A").size(), c.pages) << c.copies << " " << c.sendOnce;
        EXPECT_EQ(job.commands("ESC*rC").size(), c.pages) << c.copies << " " << c.sendOnce;
        EXPECT_EQ(job.decoded().resets, static_cast<int>(c.pages) + 1);  // pages + job header
        EXPECT_EQ(job.context().currentCopy, c.pages + 1);
        for (const auto& raster : job.decoded().rasters) {
            EXPECT_EQ(raster.rows.size(), setup.sourceHeight);
        }
    }
}

TEST(BandLoop, ProgressPostsEachNewPercentOnce) {
    for (const std::uint32_t lines : {10u, 1u, 250u}) {
        JobSetup setup;
        setup.sourceHeight = lines;
        BandJob job(setup);
        std::vector<double> values;
        auto observer = cf::NotificationCenter::localCenter().addObserver(
            kChangeProgressValueNotification, nullptr, [&](const cf::Notification& n) {
                values.push_back(*static_cast<const cf::Value*>(n.object)->real());
            });
        ASSERT_EQ(job.run(), kResultOk);
        std::vector<double> expected;
        double last = 0;
        for (std::uint32_t r = 0; r + 1 < lines; ++r) {
            const double percent = (100 * r + 100) / (lines + 1);
            if (percent != last) {
                expected.push_back(last = percent);
            }
        }
        expected.push_back(100);
        EXPECT_EQ(values, expected) << lines;
        if (lines == 10) {
            EXPECT_EQ(values, (std::vector<double>{9, 18, 27, 36, 45, 54, 63, 72, 81, 100}));
        }
    }
}

// Cancel asked while line k is fetched ends the loop before line k + 1 with 1100; the sanitizer
// checks that every buffer of the loop was released.
TEST(BandLoop, CancelStopsAtTheNextLine) {
    for (const std::uint32_t k : {0u, 4u, 7u}) {
        JobSetup setup;
        setup.sharpen = 30;
        BandJob job(setup);
        job.host.onCall = [&](int call) {
            // With sharpening, line 0 takes two calls and every later line three.
            const int firstOfLine = k == 0 ? 0 : static_cast<int>(3 * k - 1);
            if (call == firstOfLine) {
                requestCancel(&job.jobRecord().cancelRequest);
            }
        };
        EXPECT_EQ(job.run(), kResultCancelled) << k;
        EXPECT_EQ(job.rowsSent(), k + 1);
        EXPECT_EQ(job.commands("ESC*rC").size(), 0u) << "the image is not ended";
    }
    // Through the resampler, with the front open when the cancel comes.
    JobSetup setup;
    setup.imageRect = {0, 0, 27, 36};
    BandJob job(setup);
    job.host.onCall = [&](int call) {
        if (call == 4) {
            requestCancel(&job.jobRecord().cancelRequest);
        }
    };
    EXPECT_EQ(job.run(), kResultCancelled);
    EXPECT_GT(job.rowsSent(), 0u);
    EXPECT_LT(job.rowsSent(), 27u);
}

// The image editor's progress object answers cancel at its n-th poll.
class CancellingProgress : public ProgressObject {
  public:
    explicit CancellingProgress(int cancelAt) : cancelAt_(cancelAt) {}
    bool idleProgress() override { return ++polls == cancelAt_; }
    bool idleProgressJobOpen() override { return false; }
    void setProgressValue(int percent) override { values.push_back(percent); }
    void setStatusMessage(int) override {}
    int polls = 0;
    std::vector<int> values;

  private:
    int cancelAt_;
};

TEST(BandLoop, ImageEditorCancelsThroughItsProgressObject) {
    JobSetup setup;
    setup.hostType = kHostTypeImageEditor;
    BandJob job(setup);
    CancellingProgress progress(4);
    job.context().progress = &progress;
    EXPECT_EQ(job.run(), kResultCancelled);
    EXPECT_EQ(progress.polls, 4);
    EXPECT_EQ(progress.values, (std::vector<int>{10, 20, 30, 40}));
    EXPECT_EQ(job.host.requests.size(), 3u);
}

TEST(BandLoop, ResamplerAndAccumulatorSizes) {
    struct Case {
        const char* what;
        TARNRect image;
        std::int32_t filter;
    };
    const Case cases[] = {
        {"doubled, bilinear", {0, 0, 18, 24}, 2},  {"doubled, bicubic", {0, 0, 18, 24}, 5},
        {"1.5 times, nearest", {0, 0, 14, 18}, 1}, {"reduced", {0, 0, 4, 5}, 0},
        {"same size, bilinear", {0, 0, 9, 12}, 2}, {"reduced, no filter kind", {0, 0, 4, 5}, 9},
        {"one line high", {0, 0, 1, 12}, 2},       {"one pixel wide", {0, 0, 9, 1}, 2},
    };
    for (const Case& c : cases) {
        for (const bool wide : {false, true}) {
            JobSetup setup;
            setup.imageRect = c.image;
            setup.filter = c.filter;
            setup.wide = wide;
            setup.scale = 2.0;  // colour from the copy buffer
            BandJob job(setup);
            // A constant image stays constant through every filter and the accumulator.
            for (auto& sample : job.host.image.samples) {
                sample = wide ? 0x8080 : 0x80;
            }
            ASSERT_EQ(job.run(), kResultOk) << c.what;
            const auto decoded = job.decoded();
            ASSERT_TRUE(decoded.ok) << c.what << decoded.error;
            ASSERT_EQ(decoded.rasters.size(), 1u);
            const auto width = static_cast<std::uint32_t>(c.image.right);
            ASSERT_EQ(decoded.rasters[0].rows.size(), static_cast<std::size_t>(c.image.bottom))
                << c.what;
            for (std::size_t y = 0; y < decoded.rasters[0].rows.size(); ++y) {
                EXPECT_EQ(BandJob::pixelsOf(decoded.rasters[0], y, width),
                          Bytes(std::size_t{width} * 3, 0x80))
                    << c.what << " line " << y;
            }
        }
    }
}

// The accumulator: lines repeat by nearest neighbour down, ZoomWi widens across.
TEST(BandLoop, AccumulatorRepeatsLinesByNearestNeighbour) {
    JobSetup setup;
    setup.sourceWidth = 12;
    setup.sourceHeight = 9;
    setup.imageRect = {0, 0, 9, 12};
    BandJob job(setup);
    ASSERT_EQ(job.run(), kResultOk);
    expectPage(
        job, 9, 12, [](std::uint32_t y) { return y; }, "same size");
}

TEST(BandLoop, EmptyImageRectangleSendsNoImageLines) {
    JobSetup setup;
    setup.imageRect = {5, 3, 5, 9};  // zero height: the resampler is never opened
    BandJob job(setup);
    ASSERT_EQ(job.run(), kResultOk);
    EXPECT_TRUE(job.host.lineIndices.empty());
    EXPECT_EQ(job.colorCalls, 0);
}

TEST(BandLoop, MissingBuffersFail) {
    JobSetup setup;
    BandJob job(setup);
    EXPECT_EQ(bandtest::runBandLoop(nullptr, job.services), kResultFailure);
    for (std::uint8_t** buffer :
         {&job.context().commandBuffer, &job.context().bandLine, &job.context().colorOutputLine}) {
        std::uint8_t* kept = std::exchange(*buffer, nullptr);
        EXPECT_EQ(bandtest::runBandLoop(&job.context(), job.services), kResultFailure);
        *buffer = kept;
    }
    EXPECT_TRUE(job.transport.sends.empty());
}

TEST(BandLoop, StepFailuresEndTheLoopWithTheirCode) {
    struct Case {
        const char* what;
        std::function<void(BandServices&)> breakIt;
        std::int32_t result;
    };
    const Case cases[] = {
        {"colour", [](BandServices& s) { s.colorProcessing = [](auto...) { return 13020; }; },
         13020},
        {"page start", [](BandServices& s) { s.startPage = [](PLGContext*) { return 7; }; },
         kResultFailure},
        {"page end", [](BandServices& s) { s.endPage = [](PLGContext*) { return 7; }; },
         kResultFailure},
        {"page start cancelled",
         [](BandServices& s) { s.startPage = [](PLGContext*) { return kResultCancelled; }; },
         kResultCancelled},
        {"page end cancelled",
         [](BandServices& s) { s.endPage = [](PLGContext*) { return kResultCancelled; }; },
         kResultCancelled},
        {"caption", [](BandServices& s) { s.captionMakeData = [](auto...) { return -1000; }; },
         -1000},
    };
    for (const Case& c : cases) {
        JobSetup setup;
        setup.caption = true;
        setup.captionRect = {9, 0, 12, 6};
        setup.captionKind = 2;
        BandJob job(setup);
        c.breakIt(job.services);
        EXPECT_EQ(job.run(), c.result) << c.what;
    }
    {
        // Without a filter kind the front only reduces: an enlarged image cannot be resampled.
        JobSetup setup;
        setup.filter = 0;
        setup.imageRect = {0, 0, 18, 24};
        BandJob job(setup);
        EXPECT_EQ(job.run(), kResultFailure);
    }
    JobSetup setup;
    BandJob job(setup);
    job.transport.failAt = 3;  // header, page start, image start, then the first line
    EXPECT_EQ(job.run(), kTransportFailure);
}

// A cancel that the transport sees while it sends the image's start or end is the user's
// cancel, not a failed print.
TEST(BandLoop, CancelSeenWhileTheImageStartsOrEndsStaysACancel) {
    JobSetup setup;
    std::size_t sends = 0;
    {
        BandJob whole(setup);
        ASSERT_EQ(whole.run(), kResultOk);
        sends = whole.transport.sends.size();
    }
    const std::size_t imageStart = 2;        // after the header and the page start
    const std::size_t imageEnd = sends - 2;  // before the page end
    for (const std::size_t failing : {imageStart, imageEnd}) {
        BandJob job(setup);
        job.transport.failAt = failing;
        job.transport.failCode = kResultCancelled;
        EXPECT_EQ(job.run(), kResultCancelled) << failing;
        EXPECT_EQ(job.transport.sends.size(), failing + 1);
    }
}

// The command buffer is sized by the generator's bound (the fixture allocates exactly that
// much, so every other test here would show a write past it); one byte less is refused before
// anything reaches the printer.
TEST(BandLoop, CommandBufferBelowTheBandBoundIsRefused) {
    JobSetup setup;
    setup.wide = true;
    setup.sourceWidth = 40;
    std::uint32_t bound = 0;
    {
        BandJob sized(setup);
        bound = sized.info().bandCommandSize;
        ASSERT_GT(bound, 0u);
        ASSERT_EQ(sized.run(), kResultOk);
    }
    setup.commandBufferSize = bound - 1;
    BandJob job(setup);
    EXPECT_EQ(job.run(), kCommandBadArgument);
    EXPECT_TRUE(job.commands("ESC*r1A").empty());
    EXPECT_EQ(job.rowsSent(), 0u);
}

}  // namespace
