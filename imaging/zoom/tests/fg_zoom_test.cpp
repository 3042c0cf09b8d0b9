// The front: filter choice, calling order and result codes.
#include "imaging/zoom/fg_zoom.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "imaging/zoom/fg_zoom_bicubic.h"
#include "imaging/zoom/fg_zoom_bilinear.h"
#include "imaging/zoom/fg_zoom_biquadratic.h"
#include "imaging/zoom/fg_zoom_lws.h"
#include "imaging/zoom/fg_zoom_nearestneighbor.h"
#include "zoom_test_image.h"

namespace {

using namespace imaging;

struct ChoiceCase {
    const char* name;
    int dw, dh, sw, sh, bpp, type;
    int expected;
};

class FilterChoice : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(FilterChoice, FollowsSizesFormatAndType) {
    const ChoiceCase& c = GetParam();
    FG_Zoom zoom;
    zoom.Open(c.dw, c.dh, c.sw, c.sh, c.bpp, c.type);
    EXPECT_EQ(zoom.type(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FilterChoice,
    ::testing::Values(
        ChoiceCase{"NarrowerTakesBilinear", 50, 200, 100, 100, 24, kZoomTypeBicubic, 2},
        ChoiceCase{"LowerTakesBilinear", 200, 50, 100, 100, 24, kZoomTypeLanczos3, 2},
        ChoiceCase{"NearestReducingTakesBilinear", 50, 50, 100, 100, 8, 1, 2},
        ChoiceCase{"SmallSourceBicubicTakesBilinear", 40, 40, 5, 20, 24, kZoomTypeBicubic, 2},
        ChoiceCase{"LowSourceLanczosTakesBilinear", 40, 40, 20, 5, 48, kZoomTypeLanczos3, 2},
        ChoiceCase{"SmallSourceKeepsNearest", 40, 40, 5, 5, 24, kZoomTypeNearestNeighbor, 1},
        ChoiceCase{"OneBitTakesBilinear", 40, 40, 20, 20, 1, kZoomTypeBicubic, 2},
        ChoiceCase{"OneBitNearestTakesBilinear", 40, 40, 20, 20, 1, 1, 2},
        ChoiceCase{"EnlargingKeepsNearest", 40, 40, 20, 20, 24, 1, 1},
        ChoiceCase{"EnlargingKeepsLanczos", 40, 40, 20, 20, 64, 3, 3},
        ChoiceCase{"EnlargingKeepsBiquadratic", 40, 40, 20, 20, 16, 4, 4},
        ChoiceCase{"EnlargingKeepsBicubic", 40, 40, 20, 20, 8, 5, 5},
        ChoiceCase{"EnlargingKeepsBilinear", 40, 40, 20, 20, 32, 2, 2},
        ChoiceCase{"EqualSizesKeepBicubic", 20, 20, 20, 20, 24, 5, 5},
        ChoiceCase{"SixBySixIsNotSmall", 40, 40, 6, 6, 24, 5, 5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FG_Zoom, EachTypeRunsItsFilterClass) {
    // The front's rows equal those of the filter class opened directly, and differ between the
    // classes on a random image.
    const zoomtest::Image source = zoomtest::randomImage(9, 8, 24, 21);
    const auto direct = [&](FG_Zoom&& filter, int type) {
        return zoomtest::resampleWith(filter, source, 20, 17, type).image.bytes;
    };
    const std::vector<std::pair<int, std::vector<std::uint8_t>>> expected = {
        {kZoomTypeNearestNeighbor, direct(FG_ZoomNearestneighbor(), 1)},
        {kZoomTypeBilinear, direct(FG_ZoomBilinear(), 2)},
        {kZoomTypeLanczos3, direct(FG_ZoomLWS(), 3)},
        {kZoomTypeBiquadratic, direct(FG_ZoomBiquadratic(), 4)},
        {kZoomTypeBicubic, direct(FG_ZoomBicubic(), 5)}};
    for (const auto& [type, rows] : expected) {
        EXPECT_EQ(zoomtest::resample(source, 20, 17, type).image.bytes, rows) << type;
        for (const auto& [otherType, otherRows] : expected) {
            if (otherType != type) {
                EXPECT_NE(rows, otherRows) << type << " and " << otherType;
            }
        }
    }
}

TEST(FG_Zoom, SampleLayoutOfEachPixelFormat) {
    struct Format {
        int bitsPerPixel, samples, bitsPerSample;
    };
    for (const Format& f : {Format{1, 1, 1}, Format{8, 1, 8}, Format{16, 1, 16}, Format{24, 3, 8},
                            Format{48, 3, 16}, Format{32, 4, 8}, Format{64, 4, 16}, Format{0, 0, 0},
                            Format{4, 0, 0}, Format{12, 0, 0}, Format{96, 0, 0}}) {
        EXPECT_EQ(FG_Zoom_SamplePerPixel(f.bitsPerPixel), f.samples) << f.bitsPerPixel;
        EXPECT_EQ(FG_Zoom_BitsPerSample(f.bitsPerPixel), f.bitsPerSample) << f.bitsPerPixel;
    }
    EXPECT_EQ(zoomRowBytes(10, 1), 2u);
    EXPECT_EQ(zoomRowBytes(3, 48), 18u);
}

TEST(FG_Zoom, DefaultTypeWithoutReductionIsRefused) {
    // Type 0 becomes bilinear only through a reduction, a small source or 1 bit; else the
    // bilinear filter refuses it, and the filter stays attached until Close.
    FG_Zoom zoom;
    EXPECT_EQ(zoom.Open(20, 20, 10, 10, 24, kZoomTypeDefault), kZoomBadParameter);
    EXPECT_EQ(zoom.Open(20, 20, 10, 10, 24, kZoomTypeBicubic), kZoomBadState);
    zoom.Close();
    EXPECT_EQ(zoom.Open(20, 20, 10, 10, 24, kZoomTypeBicubic), kZoomDone);
}

TEST(FG_Zoom, DefaultTypeReducingOpens) {
    FG_Zoom zoom;
    EXPECT_EQ(zoom.Open(5, 10, 10, 10, 24, kZoomTypeDefault), kZoomDone);
    EXPECT_EQ(zoom.IsEnable(), 1);
}

TEST(FG_Zoom, OpeningTwiceKeepsTheFirstFilter) {
    FG_Zoom zoom;
    ASSERT_EQ(zoom.Open(20, 20, 10, 10, 24, kZoomTypeLanczos3), kZoomDone);
    EXPECT_EQ(zoom.Open(5, 5, 10, 10, 8, kZoomTypeBilinear), kZoomBadState);
    EXPECT_EQ(zoom.type(), kZoomTypeLanczos3);
    std::vector<std::uint8_t> row(30);
    EXPECT_EQ(zoom.Send(row.data()), kZoomDone);  // still the 24-bit 10-pixel source
}

TEST(FG_Zoom, UnknownTypeIsRefused) {
    FG_Zoom zoom;
    EXPECT_EQ(zoom.Open(20, 20, 10, 10, 24, 6), kZoomBadParameter);
    EXPECT_EQ(zoom.IsEnable(), 0);
}

TEST(FG_Zoom, ClosedFrontRefusesRowsAndClosesAgain) {
    FG_Zoom zoom;
    std::vector<std::uint8_t> row(64);
    EXPECT_EQ(zoom.Send(row.data()), kZoomBadState);
    EXPECT_EQ(zoom.Read(row.data()), kZoomBadState);
    EXPECT_EQ(zoom.CheckData(), 0);
    EXPECT_EQ(zoom.IsEnable(), 0);
    zoom.Close();
    ASSERT_EQ(zoom.Open(20, 20, 10, 10, 8, kZoomTypeBicubic), kZoomDone);
    zoom.Close();
    zoom.Close();
    EXPECT_EQ(zoom.type(), 0);
    EXPECT_EQ(zoom.Send(row.data()), kZoomBadState);
}

TEST(FG_Zoom, InterpolatingFiltersRefuseReductions) {
    FG_ZoomBicubic bicubic;
    FG_ZoomLWS lanczos;
    FG_ZoomBiquadratic biquadratic;
    for (FG_Zoom* filter : std::vector<FG_Zoom*>{&bicubic, &lanczos, &biquadratic}) {
        EXPECT_EQ(filter->Open(9, 20, 10, 10, 24, 5), kZoomShrinking);
        EXPECT_EQ(filter->Open(20, 9, 10, 10, 24, 5), kZoomShrinking);
        EXPECT_EQ(filter->Open(20, 20, 0, 0, 24, 5), kZoomBadParameter);
    }
}

TEST(FG_Zoom, RowsTooLongToCountAreRefusedAsOutOfMemory) {
    // Four samples a pixel: the destination row holds more samples than an int counts.
    constexpr int kWidth = std::numeric_limits<int>::max() / 4 + 1;
    for (int type :
         {kZoomTypeBilinear, kZoomTypeLanczos3, kZoomTypeBiquadratic, kZoomTypeBicubic}) {
        FG_Zoom zoom;
        EXPECT_EQ(zoom.Open(kWidth, 20, 10, 10, 32, type), kZoomNotPossible) << type;
        EXPECT_EQ(zoom.IsEnable(), 0) << type;
    }
}

// Every filter refuses the calls out of order with the same codes.
class RowProtocol : public ::testing::TestWithParam<int> {};

TEST_P(RowProtocol, RefusesCallsOutOfOrder) {
    FG_Zoom zoom;
    ASSERT_EQ(zoom.Open(9, 9, 6, 6, 16, GetParam()), kZoomDone);
    ASSERT_EQ(zoom.type(), GetParam());
    std::vector<std::uint8_t> source(12, 100), destination(18);
    EXPECT_EQ(zoom.Send(nullptr), kZoomBadParameter);
    EXPECT_EQ(zoom.Read(destination.data()), kZoomBadState);  // nothing pending yet
    int sent = 0;
    int read = 0;
    while (read < 9) {
        if (zoom.CheckData() != 0) {
            EXPECT_EQ(zoom.Send(source.data()), kZoomBadState);  // rows pending
            EXPECT_EQ(zoom.Read(nullptr), kZoomBadParameter);
            ASSERT_EQ(zoom.Read(destination.data()), kZoomDone);
            ++read;
        } else {
            ASSERT_LT(sent, 6);
            ASSERT_EQ(zoom.Send(source.data()), kZoomDone);
            ++sent;
        }
    }
    EXPECT_EQ(sent, 6);
    EXPECT_EQ(zoom.Send(source.data()), kZoomBadState);  // every source row received
    EXPECT_EQ(zoom.Read(destination.data()), kZoomBadState);
}

INSTANTIATE_TEST_SUITE_P(Types, RowProtocol, ::testing::Values(1, 2, 3, 4, 5),
                         [](const auto& info) { return zoomtest::typeName(info.param); });

// Every filter refuses a depth of no known format at Open, on an enlargement as on a reduction
// (which the bilinear filter takes): the nearest-neighbour filter cannot work it (1), the
// others give 44. Nothing is open afterwards: no filter enabled, no rows taken or given.
class UnknownFormat : public ::testing::TestWithParam<std::tuple<int, int, bool>> {};

TEST_P(UnknownFormat, IsRefusedByEveryFilter) {
    const auto [type, bitsPerPixel, enlarges] = GetParam();
    const int side = enlarges ? 20 : 5;
    const bool nearest = enlarges && type == kZoomTypeNearestNeighbor;
    FG_Zoom zoom;
    EXPECT_EQ(zoom.Open(side, side, 10, 10, bitsPerPixel, type),
              nearest ? kZoomNotPossible : kZoomBadParameter);
    EXPECT_EQ(zoom.IsEnable(), 0);
    EXPECT_EQ(zoom.CheckData(), 0);
    std::vector<std::uint8_t> row(64);
    EXPECT_EQ(zoom.Send(row.data()), kZoomBadState);
    EXPECT_EQ(zoom.Read(row.data()), kZoomBadState);
}

std::string unknownFormatName(const ::testing::TestParamInfo<UnknownFormat::ParamType>& info) {
    const auto& [type, bitsPerPixel, enlarges] = info.param;
    const std::string depth =
        bitsPerPixel < 0 ? "minus" + std::to_string(-static_cast<std::int64_t>(bitsPerPixel))
                         : std::to_string(bitsPerPixel);
    return zoomtest::typeName(type) + "_bpp" + depth + (enlarges ? "_enlarging" : "_reducing");
}

INSTANTIATE_TEST_SUITE_P(TypesDepthsAndDirections, UnknownFormat,
                         ::testing::Combine(::testing::Values(0, 1, 2, 3, 4, 5),
                                            ::testing::Values(-8, -1, 0, 2, 12, 65,
                                                              std::numeric_limits<int>::max(),
                                                              std::numeric_limits<int>::min()),
                                            ::testing::Bool()),
                         unknownFormatName);

}  // namespace
