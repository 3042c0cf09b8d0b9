// The raster restart around a cursor move: the commands in order, for both draw modes and both
// kinds of move, sent as one block of print data.
#include "band/cursor_move.h"

#include <gtest/gtest.h>

#include <string>

#include "band_fixture.h"
#include "rastercore/result_codes.h"

namespace {

std::string printData(const bandtest::BandJob& job) {
    const auto data = qdxastream::joinedData(job.transport.packets());
    return std::string(data.begin(), data.end());
}

TEST(CursorMove, EndsMovesAndRestartsTheRaster) {
    struct Case {
        std::int32_t drawMode;
        std::int32_t x, y, relative;
        std::string before;  // up to the image configuration
    };
    const Case cases[] = {
        {1, 32, 40, 0, "\x1B*rC\x1B*p32x40Y\x1B*t600R"},
        {1, 0, 0, 1, "\x1B*rC\x1B*p+0x+0Y\x1B*t600R"},
        {0, 8, 2, 0, "\x1B*rC\x1B*r0C\x1B*p8x2Y\x1B*t600R\x1B$r600X\x1B$r600Y"},
    };
    for (const Case& c : cases) {
        bandtest::BandJob job(bandtest::JobSetup{});
        job.info().drawMode = c.drawMode;
        ASSERT_EQ(QDXA_Move_CapHV(&job.packet(), &job.info(), job.context().commandBuffer,
                                  job.context().commandBufferSize, c.x, c.y, c.relative),
                  0);
        ASSERT_EQ(job.transport.sends.size(), 1u) << "one data packet";
        const std::string data = printData(job);
        EXPECT_EQ(data.substr(0, c.before.size()), c.before) << c.drawMode;
        EXPECT_EQ(data.substr(c.before.size(), 3), "\x1B*v") << "image configuration";
        EXPECT_EQ(data.substr(data.size() - 5), "\x1B*r1A") << "start raster";
    }
}

TEST(CursorMove, MissingRecordsAndTransportFailures) {
    bandtest::BandJob job(bandtest::JobSetup{});
    EXPECT_EQ(QDXA_Move_CapHV(nullptr, &job.info(), job.context().commandBuffer,
                              job.context().commandBufferSize, 0, 0, 0),
              rastercore::kCommandBadArgument);
    EXPECT_EQ(QDXA_Move_CapHV(&job.packet(), nullptr, job.context().commandBuffer,
                              job.context().commandBufferSize, 0, 0, 0),
              rastercore::kCommandBadArgument);
    EXPECT_EQ(QDXA_Move_CapHV(&job.packet(), &job.info(), nullptr, 0, 0, 0, 0),
              rastercore::kCommandBadArgument);
    // End raster is 4 bytes: a buffer with room for it alone sends nothing.
    EXPECT_EQ(QDXA_Move_CapHV(&job.packet(), &job.info(), job.context().commandBuffer, 4, 0, 0, 0),
              rastercore::kCommandBadArgument);
    EXPECT_TRUE(job.transport.sends.empty());
    job.transport.failAt = 0;
    EXPECT_EQ(QDXA_Move_CapHV(&job.packet(), &job.info(), job.context().commandBuffer,
                              job.context().commandBufferSize, 0, 0, 0),
              rastercore::kTransportFailure);
}

}  // namespace
