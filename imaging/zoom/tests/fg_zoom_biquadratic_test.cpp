// Biquadratic filter: polynomial ramps come out exact, and every row it reports is written.
#include "imaging/zoom/fg_zoom_biquadratic.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "zoom_test_image.h"

namespace {

using namespace imaging;
using zoomtest::Image;

// f(x, y) = a + b·x + c·x² + d·y + e·y², per channel, in source coordinates.
struct Ramp {
    double a, b, c, d, e;
    double at(double x, double y) const { return a + b * x + c * x * x + d * y + e * y * y; }
};

struct RampCase {
    const char* name;
    int bpp;
    int sourceWidth, sourceHeight, width, height;
    std::vector<Ramp> ramps;  // one per channel
};

class BiquadraticRamp : public ::testing::TestWithParam<RampCase> {};

TEST_P(BiquadraticRamp, IsReproducedWithinRounding) {
    const RampCase& c = GetParam();
    Image source(c.sourceWidth, c.sourceHeight, c.bpp);
    source.fill([&](int x, int y, int ch) { return static_cast<int>(c.ramps[ch].at(x, y)); });
    const zoomtest::Run run = zoomtest::resample(source, c.width, c.height, kZoomTypeBiquadratic);
    ASSERT_EQ(run.openResult, kZoomDone);
    ASSERT_EQ(run.type, kZoomTypeBiquadratic);
    ASSERT_EQ(run.failure, kZoomDone);
    ASSERT_EQ(run.read, c.height);
    const auto scale = [](int j, int source, int destination) {
        return destination == 1 ? 0.0 : static_cast<double>(j) * (source - 1) / (destination - 1);
    };
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            for (int ch = 0; ch < source.channels(); ++ch) {
                const double expected = c.ramps[ch].at(scale(x, c.sourceWidth, c.width),
                                                       scale(y, c.sourceHeight, c.height));
                ASSERT_NEAR(run.image.sample(x, y, ch), expected, 0.5 + 1e-6)
                    << c.name << " at " << x << "," << y << "," << ch;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ramps, BiquadraticRamp,
    ::testing::Values(
        RampCase{
            "Constant", 24, 7, 6, 19, 23, {{77, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {255, 0, 0, 0, 0}}},
        RampCase{
            "Linear", 24, 10, 8, 37, 29, {{3, 20, 0, 7, 0}, {250, -20, 0, -5, 0}, {9, 1, 0, 1, 0}}},
        RampCase{"Quadratic", 8, 10, 8, 41, 23, {{2, 1, 1, 3, 1}}},
        RampCase{"QuadraticWide",
                 48,
                 12,
                 9,
                 50,
                 40,
                 {{100, 300, 200, 500, 300}, {60000, -900, 20, -700, -30}, {0, 0, 450, 0, 0}}},
        RampCase{"QuadraticAcrossOnly", 16, 9, 9, 30, 9, {{1000, -50, 700, 0, 0}}},
        RampCase{"QuadraticDownOnly",
                 32,
                 8,
                 7,
                 8,
                 20,
                 {{0, 0, 0, 10, 4}, {255, 0, 0, -9, -3}, {5, 0, 0, 0, 5}, {9, 0, 0, 0, 0}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FG_ZoomBiquadratic, SmallSourcesInterpolateLinearlyOrRepeat) {
    // Opened directly: two source columns are joined by a line, one is repeated.
    for (int sourceWidth : {1, 2}) {
        FG_ZoomBiquadratic filter;
        ASSERT_EQ(filter.Open(5, 1, sourceWidth, 1, 8, 4), kZoomDone);
        const std::uint8_t row[2] = {0, 200};
        std::uint8_t out[5];
        ASSERT_EQ(filter.Send(row), kZoomDone);
        ASSERT_EQ(filter.Read(out), kZoomDone);
        const std::vector<int> expected = sourceWidth == 1 ? std::vector<int>{0, 0, 0, 0, 0}
                                                           : std::vector<int>{0, 50, 100, 150, 200};
        EXPECT_EQ(std::vector<int>(out, out + 5), expected) << sourceWidth;
    }
}

TEST(FG_ZoomBiquadratic, ReportsOnlyRowsItWrote) {
    // The same run with the caller's buffer prefilled with 0x00 and with 0xFF gives the same
    // rows: every reported row was written in full. Nothing pending leaves the buffer alone.
    const Image source = zoomtest::randomImage(9, 7, 48, 3);
    std::vector<std::vector<std::uint8_t>> runs[2];
    for (int fill = 0; fill < 2; ++fill) {
        FG_Zoom zoom;
        ASSERT_EQ(zoom.Open(20, 16, 9, 7, 48, kZoomTypeBiquadratic), kZoomDone);
        std::vector<std::uint8_t> buffer(20 * 6);
        int sent = 0;
        while (runs[fill].size() < 16) {
            std::fill(buffer.begin(), buffer.end(), fill == 0 ? 0x00 : 0xFF);
            if (zoom.CheckData() == 0) {
                ASSERT_EQ(zoom.Read(buffer.data()), kZoomBadState);
                ASSERT_TRUE(std::all_of(buffer.begin(), buffer.end(), [&](std::uint8_t b) {
                    return b == (fill == 0 ? 0 : 0xFF);
                }));
                ASSERT_LT(sent, 7);
                ASSERT_EQ(zoom.Send(source.row(sent++)), kZoomDone);
            } else {
                ASSERT_EQ(zoom.Read(buffer.data()), kZoomDone);
                runs[fill].push_back(buffer);
            }
        }
        EXPECT_EQ(sent, 7);
    }
    EXPECT_EQ(runs[0], runs[1]);
}

}  // namespace
