// Decoded rasters composed into one page: each at its cursor position on white, every depth
// reduced to 8 bits, a single plane shown as grey; rasters it cannot show give an empty page.
#include "stream_decoder/page_image.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/temporary_folder.h"

namespace {

using streamdecoder::Bytes;
using streamdecoder::Raster;

Raster raster(std::int64_t x, std::int64_t y, std::vector<int> depths,
              std::vector<std::vector<Bytes>> rows) {
    Raster r;
    r.x = x;
    r.y = y;
    r.depths = std::move(depths);
    r.rows = std::move(rows);
    return r;
}

std::array<std::uint8_t, 3> pixel(const streamdecoder::PageImage& page, std::uint32_t x,
                                  std::uint32_t y) {
    const std::uint8_t* p = &page.rgb[(std::size_t{y} * page.width + x) * 3];
    return {p[0], p[1], p[2]};
}

TEST(PageImage, RastersLandAtTheirPositionsOnWhiteInEightBits) {
    streamdecoder::DecodedStream stream;
    // Three 8-bit planes, two pixels wide, at (10, 5); one 16-bit plane, one pixel, at (12, 6).
    stream.rasters.push_back(raster(10, 5, {8, 8, 8}, {{{200, 10}, {100, 20}, {0, 30}}}));
    stream.rasters.push_back(raster(12, 6, {16}, {{{0x80, 0x00}}}));
    const streamdecoder::PageImage page = streamdecoder::composePage(stream);
    ASSERT_EQ(page.width, 3u);
    ASSERT_EQ(page.height, 2u);
    EXPECT_EQ(pixel(page, 0, 0), (std::array<std::uint8_t, 3>{200, 100, 0}));
    EXPECT_EQ(pixel(page, 1, 0), (std::array<std::uint8_t, 3>{10, 20, 30}));
    EXPECT_EQ(pixel(page, 2, 1), (std::array<std::uint8_t, 3>{128, 128, 128}));
    EXPECT_EQ(pixel(page, 0, 1), (std::array<std::uint8_t, 3>{255, 255, 255}));
    EXPECT_EQ(pixel(page, 2, 0), (std::array<std::uint8_t, 3>{255, 255, 255}));

    testsupport::TemporaryFolder folder;
    std::string error;
    ASSERT_TRUE(streamdecoder::writePagePng(page, folder.path() / "page.png", &error)) << error;
    std::ifstream file(folder.path() / "page.png", std::ios::binary);
    char signature[8] = {};
    file.read(signature, sizeof signature);
    EXPECT_EQ(std::string(signature + 1, 3), "PNG");
}

TEST(PageImage, WhatItCannotShowIsAnEmptyPageThatIsNotWritten) {
    const std::vector<Raster> cases = {
        raster(0, 0, {8, 8}, {{{1}, {2}}}),              // two planes
        raster(0, 0, {8, 16, 8}, {{{1}, {2, 3}, {4}}}),  // mixed depths
        raster(0, 0, {8}, {{{}}}),                       // rows of no samples
    };
    for (const Raster& r : cases) {
        streamdecoder::DecodedStream stream;
        stream.rasters.push_back(r);
        const streamdecoder::PageImage page = streamdecoder::composePage(stream);
        EXPECT_EQ(page.width, 0u);
        testsupport::TemporaryFolder folder;
        std::string error;
        EXPECT_FALSE(streamdecoder::writePagePng(page, folder.path() / "page.png", &error));
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
