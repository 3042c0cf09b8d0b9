// The host fetch: the rectangles and line indices the host is asked for (turned, mirrored,
// sharpened), the advance-state retry, host failures through the result table, untrusted byte
// counts, and sharpening against the right neighbours.
#include "band/host_fetch.h"

#include <gtest/gtest.h>

#include "band_fixture.h"
#include "imaging/buffer/unsharp.h"
#include "rastercore/result_codes.h"
#include "record/result_table.h"

using namespace imaging;

namespace {

using bandtest::BandJob;
using bandtest::Bytes;
using bandtest::JobSetup;
using bandtest::Request;
using namespace rastercore;

struct RequestCase {
    const char* what;
    bool rotate;
    std::int32_t mirror;
    std::int32_t sharpen;
    std::uint32_t sourceTop;
    std::uint32_t hostHeight;
    std::function<Request(std::int32_t k)> expected;
    std::int32_t lines;
};

TEST(HostFetch, ImageEditorIsAskedForTheLineAndItsNeighbours) {
    const RequestCase cases[] = {
        {"upright", false, 0, 0, 0, 0,
         [](std::int32_t k) {
             return Request{k, 0, k + 1, 12};
         },
         9},
        {"upright, mirror flag does not move rows", false, 1, 0, 0, 0,
         [](std::int32_t k) {
             return Request{k, 0, k + 1, 12};
         },
         9},
        {"upright sharpened", false, 0, 40, 0, 0,
         [](std::int32_t k) {
             return Request{std::max(k - 1, 0), 0, std::min(k + 2, 9), 12};
         },
         9},
        {"turned", true, 0, 0, 0, 0,
         [](std::int32_t k) {
             return Request{0, k, 9, k + 1};
         },
         12},
        {"turned mirrored", true, 1, 0, 0, 0,
         [](std::int32_t k) {
             return Request{0, 11 - k, 9, 12 - k};
         },
         12},
        {"turned mirrored sharpened", true, 1, 40, 0, 0,
         [](std::int32_t k) {
             return Request{0, std::max(11 - k - 1, 0), 9, std::min(12 - k + 1, 12)};
         },
         12},
        // The host has rows above and below the printed part, but the first and last source
        // lines still go without their outer neighbour.
        {"inside a taller host image, sharpened", false, 0, 40, 5, 20,
         [](std::int32_t k) {
             return Request{5 + std::max(k - 1, 0), 0, 5 + std::min(k + 2, 9), 12};
         },
         9},
    };
    for (const RequestCase& c : cases) {
        JobSetup setup;
        setup.hostType = kHostTypeImageEditor;
        setup.rotate = c.rotate;
        setup.mirror = c.mirror;
        setup.sharpen = c.sharpen;
        setup.sourceTop = c.sourceTop;
        setup.hostHeight = c.hostHeight;
        BandJob job(setup);
        ASSERT_EQ(job.run(), kResultOk) << c.what;
        std::vector<Request> expected;
        for (std::int32_t k = 0; k < c.lines; ++k) {
            expected.push_back(c.expected(k));
        }
        EXPECT_EQ(job.host.requests, expected) << c.what;
        EXPECT_EQ(job.context().hostImage->uses32BitCoordinates, 1);
    }
}

TEST(HostFetch, PhotoApplicationIsAskedForPreviousCurrentAndNext) {
    struct Case {
        bool rotate;
        std::int32_t mirror;
        std::vector<std::int32_t> expected;
    };
    const std::vector<std::int32_t> rows = {0, 1, 0, 1, 2, 1, 2, 3, 2, 3, 4, 3, 4,
                                            5, 4, 5, 6, 5, 6, 7, 6, 7, 8, 7, 8};
    std::vector<std::int32_t> mirroredColumns = {11, 10};
    for (std::int32_t k = 1; k < 11; ++k) {
        mirroredColumns.insert(mirroredColumns.end(), {12 - k, 11 - k, 10 - k});
    }
    mirroredColumns.insert(mirroredColumns.end(), {1, 0});
    for (const Case& c :
         {Case{false, 0, rows}, Case{false, 1, rows}, Case{true, 1, mirroredColumns}}) {
        JobSetup setup;
        setup.sharpen = 25;
        setup.rotate = c.rotate;
        setup.mirror = c.mirror;
        BandJob job(setup);
        ASSERT_EQ(job.run(), kResultOk);
        EXPECT_EQ(job.host.lineIndices, c.expected) << c.rotate << c.mirror;
    }
}

// Sharpened pages equal UnsharpL of each line with its neighbours in fetch order, the first
// and last without their outer one, also where the image editor delivers padded rows or
// interleaved columns.
TEST(HostFetch, SharpenedLinesUseTheirNeighbours) {
    struct Case {
        const char* what;
        std::uint8_t host;
        bool rotate;
        std::int32_t mirror;
        std::size_t rowPadding;
    };
    const Case cases[] = {
        {"photo", kHostTypePhotoApplication, false, 0, 0},
        {"editor, padded rows", kHostTypeImageEditor, false, 0, 5},
        {"editor, turned, padded", kHostTypeImageEditor, true, 0, 7},
        {"editor, turned mirrored", kHostTypeImageEditor, true, 1, 0},
    };
    for (const Case& c : cases) {
        JobSetup setup;
        setup.hostType = c.host;
        setup.rotate = c.rotate;
        setup.mirror = c.mirror;
        setup.sharpen = 60;
        BandJob job(setup);
        job.host.rowPadding = c.rowPadding;
        ASSERT_EQ(job.run(), kResultOk) << c.what;
        const std::uint32_t lines = c.rotate ? setup.sourceWidth : setup.sourceHeight;
        const std::uint32_t width = c.rotate ? setup.sourceHeight : setup.sourceWidth;
        const auto sourceOf = [&](std::uint32_t k) {
            return c.rotate && c.mirror == 1 ? lines - 1 - k : k;
        };
        const auto decoded = job.decoded();
        ASSERT_TRUE(decoded.ok) << decoded.error;
        ASSERT_EQ(decoded.rasters[0].rows.size(), lines);
        for (std::uint32_t k = 0; k < lines; ++k) {
            const Bytes current = job.sourceLine(sourceOf(k));
            const Bytes previous = k > 0 ? job.sourceLine(sourceOf(k - 1)) : Bytes{};
            const Bytes next = k + 1 < lines ? job.sourceLine(sourceOf(k + 1)) : Bytes{};
            Bytes expected(current.size());
            ASSERT_EQ(UnsharpL(60, expected.data(), previous.empty() ? nullptr : previous.data(),
                               current.data(), next.empty() ? nullptr : next.data(), width, 8),
                      1);
            EXPECT_EQ(BandJob::pixelsOf(decoded.rasters[0], k, width), expected)
                << c.what << " line " << k;
        }
    }
}

TEST(HostFetch, OneLineSourceIsSentUnsharpened) {
    JobSetup setup;
    setup.sourceHeight = 1;
    setup.sharpen = 60;
    BandJob job(setup);
    ASSERT_EQ(job.run(), kResultOk);
    EXPECT_EQ(job.host.lineIndices, (std::vector<std::int32_t>{0}));
    EXPECT_EQ(BandJob::pixelsOf(job.decoded().rasters[0], 0, 12), job.sourceLine(0));
}

TEST(HostFetch, AdvanceStateAskedAgainOnceOnly) {
    struct Case {
        int askAgain;
        std::int32_t result;
        std::uint32_t plugin;
        std::size_t requests;
    };
    for (const Case& c :
         {Case{1, kResultOk, kPlgSuccess, 10}, Case{2, -128, kPlgPrintingError, 2}}) {
        JobSetup setup;
        setup.hostType = kHostTypeImageEditor;
        BandJob job(setup);
        job.host.askAgain = c.askAgain;
        const std::int32_t result = job.run();
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(pluginErrorFromResult(result), c.plugin);
        EXPECT_EQ(job.host.requests.size(), c.requests);
        EXPECT_EQ(job.host.requests[0], job.host.requests[1]) << "the retry asks for the same";
    }
}

TEST(HostFetch, HostFailuresThroughTheResultTable) {
    struct Case {
        const char* what;
        std::uint8_t host;
        std::int32_t result;
        std::uint32_t plugin;
    };
    const Case cases[] = {
        {"line callback", kHostTypePhotoApplication, kResultHostImage, kPlgHostImage},
        {"advance state", kHostTypeImageEditor, -43, kPlgPrintingError},
    };
    for (const Case& c : cases) {
        JobSetup setup;
        setup.hostType = c.host;
        BandJob job(setup);
        job.host.failAtCall = 3;
        const std::int32_t result = job.run();
        EXPECT_EQ(result, c.result) << c.what;
        EXPECT_EQ(pluginErrorFromResult(result), c.plugin) << c.what;
        EXPECT_EQ(job.host.calls, 4) << c.what;
    }
}

// The photo application's byte count is not trusted: zero, negative, more than the line, or
// not a whole number of working pixels fail the line; a short line of whole pixels is kept
// and the rest of it cleared.
TEST(HostFetch, UntrustedByteCounts) {
    struct Case {
        const char* what;
        std::function<std::int32_t(std::int32_t)> count;
        std::int32_t result;
    };
    const Case cases[] = {
        {"zero", [](std::int32_t) { return 0; }, kResultHostImage},
        {"negative", [](std::int32_t) { return -6; }, kResultHostImage},
        {"beyond the line", [](std::int32_t d) { return d + 3; }, kResultHostImage},
        {"far beyond", [](std::int32_t) { return 0x7FFFFFFF; }, kResultHostImage},
        {"part of a pixel", [](std::int32_t d) { return d - 1; }, kResultHostImage},
        {"one pixel short", [](std::int32_t d) { return d - 3; }, kResultOk},
    };
    for (const Case& c : cases) {
        for (const std::int32_t sharpen : {0, 30}) {
            JobSetup setup;
            setup.sharpen = sharpen;
            BandJob job(setup);
            job.host.byteCountOf = c.count;
            EXPECT_EQ(job.run(), c.result) << c.what << " sharpen " << sharpen;
            if (c.result == kResultOk && sharpen == 0) {
                Bytes expected = job.sourceLine(0);
                std::fill(expected.end() - 3, expected.end(), 0);
                EXPECT_EQ(BandJob::pixelsOf(job.decoded().rasters[0], 0, 12), expected);
            }
        }
    }
}

// A printed part reaching past the host image: neighbours are clamped to the image, and a
// current line outside it fails as a host image failure instead of reading past the host data.
TEST(HostFetch, RequestsClampedToTheHostImage) {
    JobSetup setup;
    setup.hostType = kHostTypeImageEditor;
    setup.sharpen = 40;
    setup.sourceTop = 1;  // rows 1 to 9 of a 9-row host image
    setup.hostHeight = 9;
    BandJob job(setup);
    EXPECT_EQ(job.run(), kResultHostImage);
    ASSERT_EQ(job.host.requests.size(), 8u);
    EXPECT_EQ(job.host.requests[0], (Request{1, 0, 3, 12}));
    EXPECT_EQ(job.host.requests[7], (Request{7, 0, 9, 12})) << "row 9 is not asked for";
}

TEST(HostFetch, AdvanceStateWritesTheRectangleAndTakesTheDelivery) {
    JobSetup setup;
    setup.hostType = kHostTypeImageEditor;
    BandJob job(setup);
    HostImageRecord& image = *job.context().hostImage;
    image.requestTop = 2;
    image.requestLeft = 3;
    image.requestBottom = 5;
    image.requestRight = 7;
    ASSERT_EQ(advanceStateForMac(&job.context()), 0);
    const CommonInfoTable& table = job.host.table;
    // Copies: the packed record's doubles are not aligned for a reference.
    const double rect[4] = {table.print.rect[0], table.print.rect[1], table.print.rect[2],
                            table.print.rect[3]};
    EXPECT_EQ(rect[0], 3.0);  // left
    EXPECT_EQ(rect[1], 2.0);  // top
    EXPECT_EQ(rect[2], 4.0);  // width
    EXPECT_EQ(rect[3], 3.0);  // height
    void* delivered = table.print.data;
    EXPECT_EQ(image.data, delivered);
    EXPECT_EQ(image.rowBytes, 12);
    EXPECT_EQ(advanceStateForMac(nullptr), kResultFailure);
}

}  // namespace
