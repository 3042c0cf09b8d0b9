// Nearest-neighbour filter: repeated rows and columns, refused formats and sizes.
#include "imaging/zoom/fg_zoom_nearestneighbor.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <vector>

#include "zoom_test_image.h"

namespace {

using namespace imaging;
using zoomtest::Image;

TEST(FG_ZoomNearestneighbor, TwoRowsToThreeRepeatTheFirst) {
    Image source(2, 2, 24);
    source.fill([](int x, int y, int c) { return 100 * y + 10 * x + c; });
    const zoomtest::Run run = zoomtest::resample(source, 3, 3, kZoomTypeNearestNeighbor);
    ASSERT_EQ(run.type, kZoomTypeNearestNeighbor);
    ASSERT_EQ(run.failure, kZoomDone);
    const int expectedRow[3] = {0, 0, 1};
    const int expectedColumn[3] = {0, 0, 1};
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 3; ++x) {
            for (int c = 0; c < 3; ++c) {
                EXPECT_EQ(run.image.sample(x, y, c),
                          100 * expectedRow[y] + 10 * expectedColumn[x] + c);
            }
        }
    }
}

TEST(FG_ZoomNearestneighbor, EveryDestinationRowComesFromOneSourceRow) {
    // Rows of a 16-bit image hold their index; each destination row must hold a source index
    // in order, every source row used, and D rows in all.
    for (const auto& [sourceSize, destinationSize] :
         std::vector<std::pair<int, int>>{{3, 5}, {7, 7}, {4, 13}, {10, 11}}) {
        Image source(sourceSize, sourceSize, 16);
        source.fill([](int x, int y, int) { return 1000 * y + x; });
        const zoomtest::Run run =
            zoomtest::resample(source, destinationSize, destinationSize, kZoomTypeNearestNeighbor);
        ASSERT_EQ(run.failure, kZoomDone);
        ASSERT_EQ(run.read, destinationSize);
        int previous = 0;
        for (int y = 0; y < destinationSize; ++y) {
            const int row = run.image.sample(0, y, 0) / 1000;
            EXPECT_TRUE(row == previous || row == previous + 1) << y;
            previous = row;
        }
        EXPECT_EQ(previous, sourceSize - 1);
    }
}

TEST(FG_ZoomNearestneighbor, ZeroSizesAreRefused) {
    for (const auto& sizes : std::vector<std::array<int, 4>>{
             {10, 10, 0, 10}, {10, 10, 10, 0}, {0, 10, 5, 5}, {10, 0, 5, 5}}) {
        FG_ZoomNearestneighbor filter;
        EXPECT_EQ(filter.Open(sizes[0], sizes[1], sizes[2], sizes[3], 24, 1), kZoomNotPossible);
        EXPECT_EQ(filter.IsEnable(), 0);
        std::vector<std::uint8_t> row(64);
        EXPECT_EQ(filter.Send(row.data()), kZoomBadState);
    }
    // Through the front a zero source height is no reduction and reaches the filter.
    FG_Zoom zoom;
    EXPECT_EQ(zoom.Open(10, 10, 10, 0, 24, kZoomTypeNearestNeighbor), kZoomNotPossible);
}

TEST(FG_ZoomNearestneighbor, UnworkableFormatsAndReductionsGiveOne) {
    std::vector<std::uint8_t> row(64, 7), out(64, 0xEE);
    FG_ZoomNearestneighbor oneBit;
    ASSERT_EQ(oneBit.Open(16, 16, 8, 8, 1, 1), kZoomDone);
    EXPECT_EQ(oneBit.Send(row.data()), kZoomNotPossible);
    EXPECT_EQ(oneBit.CheckData(), 0);

    FG_ZoomNearestneighbor lower;
    ASSERT_EQ(lower.Open(16, 4, 8, 8, 8, 1), kZoomDone);
    EXPECT_EQ(lower.Send(row.data()), kZoomNotPossible);
    EXPECT_EQ(lower.Read(out.data()), kZoomBadState);
    EXPECT_EQ(out[0], 0xEE);
}

// The row buffer's size comes from the depth: a depth of no known format must be refused before
// it is used, or a negative one wraps the size (to about 2^61 bytes, or to nothing for one pixel).
TEST(FG_ZoomNearestneighbor, DepthsOfNoKnownFormatAreRefusedAtOpen) {
    constexpr int kDepths[] = {-1, -8, std::numeric_limits<int>::min(), 0,
                               12, 65, std::numeric_limits<int>::max()};
    for (const int depth : kDepths) {
        for (const int width : {1, 16}) {
            SCOPED_TRACE(testing::Message() << depth << " bits, width " << width);
            FG_ZoomNearestneighbor filter;
            EXPECT_EQ(filter.Open(width, 16, 1, 8, depth, kZoomTypeNearestNeighbor),
                      kZoomNotPossible);
            EXPECT_EQ(filter.IsEnable(), 0);
            FG_Zoom zoom;
            EXPECT_EQ(zoom.Open(width, 16, 1, 8, depth, kZoomTypeNearestNeighbor),
                      kZoomNotPossible);
        }
    }
    for (const int depth : {1, 8, 16, 24, 32, 48, 64}) {
        FG_ZoomNearestneighbor filter;
        EXPECT_EQ(filter.Open(16, 16, 8, 8, depth, kZoomTypeNearestNeighbor), kZoomDone) << depth;
    }
}

TEST(FG_ZoomNearestneighbor, NarrowerRowStaysInsideTheSource) {
    // Opened directly (the front would take bilinear), a narrower row still picks evenly
    // spaced pixels and never reads past the source.
    FG_ZoomNearestneighbor filter;
    ASSERT_EQ(filter.Open(3, 2, 9, 2, 8, 1), kZoomDone);
    const std::uint8_t row[9] = {0, 1, 2, 3, 4, 5, 6, 7, 8};
    std::uint8_t out[3];
    ASSERT_EQ(filter.Send(row), kZoomDone);
    ASSERT_EQ(filter.Read(out), kZoomDone);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[1], 3);
    EXPECT_EQ(out[2], 6);
}

}  // namespace
