// The interpolating filters: Lanczos-3 weights, constant images, clamping, and the bicubic
// filter's integer horizontal coefficients.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "imaging/zoom/fg_zoom_bicubic.h"
#include "imaging/zoom/fg_zoom_lws.h"
#include "zoom_test_image.h"

namespace {

using namespace imaging;
using zoomtest::Image;

TEST(Lanczos3, KernelValues) {
    EXPECT_EQ(Lanczos3(0, 7), 1.0);
    EXPECT_NEAR(Lanczos3(1, 2), 6.0 / (M_PI * M_PI), 1e-12);  // x = 1/2
    EXPECT_EQ(Lanczos3(3, 1), 0.0);
    EXPECT_EQ(Lanczos3(-7, 2), 0.0);
    EXPECT_EQ(Lanczos3(2, 1), 0.0);  // a zero of sin(πx), below 1e-6
    EXPECT_EQ(Lanczos3(-5, 2), Lanczos3(5, 2));
}

TEST(Lanczos3, WeightsOfEveryPositionAddUpToTheTarget) {
    for (const auto& [source, destination] : std::vector<std::pair<int, int>>{
             {1, 9}, {2, 3}, {6, 7}, {6, 100}, {10, 25}, {97, 251}, {4000, 10000}}) {
        for (int j = 0; j < destination; ++j) {
            S_Lanczos3Param param;
            FG_ZoomLWS_CalcParam(param, j, source, destination);
            double sum = 0;
            for (int k = 0; k < kLanczos3Taps; ++k) {
                const int index = param.first + k;
                if (index < 0 || index >= source) {
                    EXPECT_EQ(param.weight[k], 0.0);
                }
                sum += param.weight[k];
            }
            ASSERT_NEAR(sum, kLanczos3WeightSum, 1e-12) << source << "→" << destination << " " << j;
        }
    }
}

// A constant image stays exactly constant under every filter, for every format and direction.
struct ConstantCase {
    int bpp;
    int sourceWidth, sourceHeight, width, height;
};

class ConstantImage : public ::testing::TestWithParam<std::tuple<int, ConstantCase>> {};

TEST_P(ConstantImage, StaysConstant) {
    const auto& [type, c] = GetParam();
    Image probe(1, 1, c.bpp);
    for (int value : {0, 1, probe.maxSample() - 1, probe.maxSample()}) {
        Image source(c.sourceWidth, c.sourceHeight, c.bpp);
        source.fill([&](int, int, int) { return value; });
        const zoomtest::Run run = zoomtest::resample(source, c.width, c.height, type);
        ASSERT_EQ(run.openResult, kZoomDone);
        if (!run.enabled) {
            continue;  // bilinear on equal widths without a reduction: the caller copies
        }
        ASSERT_EQ(run.failure, kZoomDone);
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                for (int ch = 0; ch < source.channels(); ++ch) {
                    ASSERT_EQ(run.image.sample(x, y, ch), value)
                        << "type " << run.type << " at " << x << "," << y;
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Filters, ConstantImage,
                         ::testing::Combine(::testing::Values(1, 2, 3, 4, 5),
                                            ::testing::Values(ConstantCase{24, 7, 9, 23, 17},
                                                              ConstantCase{48, 6, 6, 61, 13},
                                                              ConstantCase{8, 10, 10, 10, 31},
                                                              ConstantCase{64, 12, 8, 12, 8},
                                                              ConstantCase{16, 40, 30, 13, 11},
                                                              ConstantCase{32, 9, 30, 20, 7})),
                         [](const auto& info) {
                             const ConstantCase& c = std::get<1>(info.param);
                             return zoomtest::typeName(std::get<0>(info.param)) + "_" +
                                    zoomtest::resamplingName(c.bpp, c.sourceWidth, c.sourceHeight,
                                                             c.width, c.height);
                         });

// Rows 0 0 0 | 255 255 255: the cubic overshoots on both sides of the step.
Image stepImage(int bpp, bool vertical) {
    Image image(6, 6, bpp);
    image.fill([&](int x, int y, int) { return (vertical ? y : x) >= 3 ? image.maxSample() : 0; });
    return image;
}

TEST(FG_ZoomBicubic, OvershootIsClampedToTheSampleRange) {
    for (int bpp : {8, 48}) {
        for (bool vertical : {false, true}) {
            const Image source = stepImage(bpp, vertical);
            const int width = vertical ? 6 : 11;
            const int height = vertical ? 11 : 6;
            const zoomtest::Run run = zoomtest::resample(source, width, height, kZoomTypeBicubic);
            ASSERT_EQ(run.failure, kZoomDone);
            // Position 3 (= 1.5) lies between two 0 samples with the step ahead: below 0.
            // Position 7 (= 3.5) lies between two full samples after the step: above the top.
            const auto at = [&](int position) {
                return vertical ? run.image.sample(0, position, 0)
                                : run.image.sample(position, 0, 0);
            };
            EXPECT_EQ(at(3), 0) << bpp << (vertical ? " vertical" : " horizontal");
            EXPECT_EQ(at(7), source.maxSample()) << bpp << (vertical ? " vertical" : " horizontal");
        }
    }
}

TEST(FG_ZoomBicubic, HorizontalCoefficientsTruncateVerticalOnesDoNot) {
    // Samples 10 10 10 10 10 11 from 6 to 11 positions: position 7 is 3.5, with Q = P0 = P1 = 10
    // and P2 = 11. Horizontally C / 6 = 1 / 6 is 0 in integers, so the value stays 10; vertically
    // a = −1/6, c = 1/6 give 9.9375, truncated to 9.
    const int samples[6] = {10, 10, 10, 10, 10, 11};
    Image across(6, 6, 8);
    across.fill([&](int x, int, int) { return samples[x]; });
    Image down(6, 6, 8);
    down.fill([&](int, int y, int) { return samples[y]; });
    const zoomtest::Run horizontal = zoomtest::resample(across, 11, 6, kZoomTypeBicubic);
    const zoomtest::Run vertical = zoomtest::resample(down, 6, 11, kZoomTypeBicubic);
    ASSERT_EQ(horizontal.failure, kZoomDone);
    ASSERT_EQ(vertical.failure, kZoomDone);
    EXPECT_EQ(horizontal.image.sample(7, 2, 0), 10);
    EXPECT_EQ(vertical.image.sample(2, 7, 0), 9);
}

TEST(FG_ZoomLWS, OvershootIsClampedToTheSampleRange) {
    // 6 to 26 columns: column x sits at x / 5. Between samples 1 and 2 the kernel's negative
    // lobe pulls the value below 0; between 3 and 4 it pushes it above the top.
    const Image source = stepImage(64, false);
    const zoomtest::Run run = zoomtest::resample(source, 26, 6, kZoomTypeLanczos3);
    ASSERT_EQ(run.failure, kZoomDone);
    for (int x = 6; x <= 9; ++x) {
        EXPECT_EQ(run.image.sample(x, 3, 1), 0) << x;
    }
    for (int x = 16; x <= 19; ++x) {
        EXPECT_EQ(run.image.sample(x, 3, 1), 65535) << x;
    }
}

// The vertical taps are worked out row by row; asked for in any order, and after the filter is
// opened again on another height, they are those of the position on the open axis.
TEST(FG_ZoomLWS, VerticalTapsFollowThePositionAndTheOpenAxis) {
    const auto expectTaps = [](const FG_ZoomLWS& filter, int j, int sourceHeight,
                               int destinationHeight) {
        S_Lanczos3Param expected{};
        FG_ZoomLWS_CalcParam(expected, j, sourceHeight, destinationHeight);
        const Lanczos3Taps& taps = filter.param(false, j);
        EXPECT_EQ(taps.first, expected.first) << j;
        for (int k = 0; k < kLanczos3Taps; ++k) {
            EXPECT_EQ(taps.weight[k], static_cast<float>(expected.weight[k])) << j << " tap " << k;
        }
    };
    struct Axis {
        int sourceHeight;
        int destinationHeight;
    };
    FG_ZoomLWS filter;
    for (const Axis axis : {Axis{7, 40}, Axis{3, 11}}) {
        ASSERT_EQ(filter.Open(4, axis.destinationHeight, 4, axis.sourceHeight, 24, 0), kZoomDone);
        for (const int j :
             {0, 1, 1, axis.destinationHeight - 1, 2, 0, axis.destinationHeight / 2}) {
            expectTaps(filter, j, axis.sourceHeight, axis.destinationHeight);
        }
        filter.Close();
    }
}

/// The Lanczos-3 enlargement worked out directly in double precision: each growing axis is the
/// weighted sum of its six taps (taps outside the image weigh 0), then truncated and clamped.
double lanczosReference(const Image& source, int width, int height, int x, int y, int c) {
    const auto taps = [](int j, int sourceSize, int destinationSize) {
        S_Lanczos3Param param{};
        if (destinationSize == sourceSize) {
            param.first = j;
            param.weight[0] = 1.0;
        } else {
            FG_ZoomLWS_CalcParam(param, j, sourceSize, destinationSize);
        }
        return param;
    };
    const S_Lanczos3Param across = taps(x, source.width, width);
    const S_Lanczos3Param down = taps(y, source.height, height);
    double value = 0;
    for (int row = 0; row < kLanczos3Taps; ++row) {
        const int sourceY = std::clamp(down.first + row, 0, source.height - 1);
        double horizontal = 0;
        for (int column = 0; column < kLanczos3Taps; ++column) {
            const int sourceX = std::clamp(across.first + column, 0, source.width - 1);
            horizontal += across.weight[column] * source.sample(sourceX, sourceY, c);
        }
        value += down.weight[row] * horizontal;
    }
    return std::clamp(std::trunc(value), 0.0, static_cast<double>(source.maxSample()));
}

struct LanczosCase {
    int bpp;
    int sourceWidth, sourceHeight, width, height;
};

class LanczosEnlargement : public ::testing::TestWithParam<LanczosCase> {};

// The filter sums in single precision, so a value lying within a float's rounding of a whole
// number may truncate to its neighbour: it stays within one of the exact result.
TEST_P(LanczosEnlargement, StaysWithinOneOfTheExactWeightedSum) {
    const LanczosCase c = GetParam();
    const Image source = zoomtest::randomImage(c.sourceWidth, c.sourceHeight, c.bpp, 77);
    const zoomtest::Run run = zoomtest::resample(source, c.width, c.height, kZoomTypeLanczos3);
    ASSERT_EQ(run.type, kZoomTypeLanczos3);
    ASSERT_EQ(run.failure, kZoomDone);
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            for (int ch = 0; ch < source.channels(); ++ch) {
                ASSERT_NEAR(run.image.sample(x, y, ch),
                            lanczosReference(source, c.width, c.height, x, y, ch), 1)
                    << x << "," << y << " sample " << ch;
            }
        }
    }
}

// Row lengths that are no multiple of the vector widths, for every sample layout.
INSTANTIATE_TEST_SUITE_P(
    Sizes, LanczosEnlargement,
    ::testing::Values(LanczosCase{48, 11, 9, 29, 23}, LanczosCase{24, 11, 9, 29, 23},
                      LanczosCase{64, 7, 8, 19, 21}, LanczosCase{32, 7, 8, 19, 21},
                      LanczosCase{16, 13, 6, 37, 17},
                      LanczosCase{48, 10, 7, 10, 18},  // height only
                      LanczosCase{48, 10, 7, 27, 7}),  // width only
    [](const auto& info) {
        const LanczosCase& c = info.param;
        return zoomtest::resamplingName(c.bpp, c.sourceWidth, c.sourceHeight, c.width, c.height);
    });

}  // namespace
