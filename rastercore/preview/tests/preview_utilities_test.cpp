// The preview's small parts: CMYK inversion, the image-mode classes and the tone-curve request.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "preview/cmyk_xor.h"
#include "preview/image_modes.h"
#include "preview/preview_tone_curves.h"
#include "preview_fixture.h"
#include "record/color_info.h"

namespace {

using Point = previewtest::CurvePoint;

TEST(ConvertCmykXor, InvertsEightAndSixteenBitSamplesAndRefusesOtherDepths) {
    const std::array<std::uint8_t, 9> in = {0x00, 0xFF, 0x12, 0x80, 0x7F, 0x01, 0xFE, 0x55, 0xAA};
    struct Case {
        std::int32_t bits;
        std::int32_t result;
    };
    for (const Case c : {Case{8, 0}, Case{16, 0}, Case{1, 40002}, Case{4, 40002}, Case{12, 40002},
                         Case{32, 40002}, Case{0, 40002}}) {
        // Eight samples, after one byte so that the 16-bit samples sit at an odd address.
        std::array<std::uint8_t, 17> out{};
        out.fill(0x5A);
        EXPECT_EQ(convertCMYKXOR(in.data() + 1, out.data() + 1, 4, c.bits), c.result) << c.bits;
        const std::size_t touched = c.bits == 8 ? 4 : (c.bits == 16 ? 8 : 0);
        for (std::size_t i = 0; i < out.size(); ++i) {
            const bool inverted = i >= 1 && i <= touched;
            EXPECT_EQ(out[i], inverted ? static_cast<std::uint8_t>(~in[i]) : 0x5A)
                << c.bits << " bits, byte " << i;
        }
    }
    // In place, at 16 bits: each sample of the machine's order is inverted whole.
    std::array<std::uint16_t, 4> samples = {0x0000, 0xFFFF, 0x1234, 0x8001};
    ASSERT_EQ(convertCMYKXOR(samples.data(), samples.data(), 4, 16), 0);
    EXPECT_EQ(samples, (std::array<std::uint16_t, 4>{0xFFFF, 0x0000, 0xEDCB, 0x7FFE}));
}

TEST(ImageModes, ClassesAndTheModesThatAreNotRgb) {
    struct Case {
        std::int32_t mode;
        color::Layout image;
        bool rgbByMode;
        bool changeRgb;
    };
    const Case cases[] = {
        {1, color::Layout::Grey, false, true},
        {10, color::Layout::Grey, false, true},
        {3, color::Layout::Rgb, true, false},
        {11, color::Layout::Rgb, true, false},
        {4, color::Layout::Cmyk, false, true},
        {13, color::Layout::Cmyk, false, true},
        // Modes of no class of their own count as RGB data, but are not RGB by their mode.
        {0, color::Layout::Rgb, false, false},
        {2, color::Layout::Rgb, false, false},
        {5, color::Layout::Rgb, false, false},
        {12, color::Layout::Rgb, false, false},
        {16, color::Layout::Rgb, false, false},
        {-1, color::Layout::Rgb, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(imageLayoutOf(c.mode), c.image) << c.mode;
        EXPECT_EQ(isRgbImageMode(c.mode), c.rgbByMode) << c.mode;
        EXPECT_EQ(isChangeRGB(c.mode), c.changeRgb) << c.mode;
    }
}

// Where an 8-bit control input lands in the 12-bit table.
int scaledAt(int x) {
    return x * 16 + x / 16;
}

class ToneCurveRequest : public testing::Test {
  protected:
    ToneCurveRequest() {
        record_.commonInfo = &host_;
        for (int row = 0; row < kToneCurveChannels; ++row) {
            setCurve(false, row, {{0, 0}, {255, 255}});
            setCurve(true, row, {{0, 0}, {255, 255}});
        }
    }

    void setCurve(bool second, int row, const std::vector<Point>& points) {
        previewtest::setCurve(record_, second, row, points);
    }

    const tnr2_tonecurve_t* request(std::int32_t colorMode) {
        return GettcurveData(PreviewJob{record_, host_, colorMode}, request_);
    }

    CommonInfoTable host_{};
    CoreCommonInfoTbl record_{};
    tcurveRec request_;
};

TEST_F(ToneCurveRequest, DefaultCurvesPassNoCurveRecord) {
    for (const std::int32_t mode :
         {kColorModeColor, kColorModeFixedRgb, kColorModeMonochromePhoto, 5}) {
        for (const std::int16_t set : {0, 1}) {
            record_.useCurve2 = set;
            EXPECT_EQ(request(mode), nullptr) << "colour mode " << mode << ", set " << set;
        }
    }
    // A zeroed record (no points at all) counts as the default too.
    CoreCommonInfoTbl zeroed{};
    zeroed.commonInfo = &host_;
    EXPECT_EQ(GettcurveData(PreviewJob{zeroed, host_, kColorModeColor}, request_), nullptr);
}

TEST_F(ToneCurveRequest, SixteenPointsAreAllKept) {
    std::vector<Point> points;
    for (int i = 0; i < kToneCurvePoints; ++i) {
        const int x = i * 17;
        // A wavy curve: a point the spline dropped would be missed by far.
        points.push_back({x, i % 2 == 0 ? x * 3 / 4 : std::min(255, x + 20)});
    }
    setCurve(false, 2, points);
    const tnr2_tonecurve_t* curves = request(kColorModeColor);
    ASSERT_NE(curves, nullptr);
    for (const Point& p : points) {
        EXPECT_NEAR(curves->curve[2][scaledAt(p.x)], p.y * 257, 1) << p.x;
    }
    // The other colour curves are built too, as straight lines.
    for (const int row : {0, 1, 3}) {
        ASSERT_NE(curves->curve[row], nullptr);
        EXPECT_NEAR(curves->curve[row][2048], 2048 * 65535.0 / 4095.0, 1.0) << row;
    }
}

TEST_F(ToneCurveRequest, TheSelectedSetDecides) {
    const std::vector<Point> bent = {{0, 0}, {128, 200}, {255, 255}};
    struct Case {
        const char* label;
        bool firstBent;
        bool secondBent;
        std::int16_t selector;
        bool expected;
    };
    const Case cases[] = {
        {"first set bent and selected", true, false, 0, true},
        {"first set bent, second selected", true, false, 1, false},
        {"second set bent and selected", false, true, 1, true},
        {"second set bent, first selected", false, true, 0, false},
        {"a selector other than 1 takes the first", false, true, 2, false},
    };
    for (const Case& c : cases) {
        for (const bool monochrome : {false, true}) {
            const int row = monochrome ? 4 : 1;
            setCurve(false, row, c.firstBent ? bent : std::vector<Point>{{0, 0}, {255, 255}});
            setCurve(true, row, c.secondBent ? bent : std::vector<Point>{{0, 0}, {255, 255}});
            record_.useCurve2 = c.selector;
            const tnr2_tonecurve_t* curves =
                request(monochrome ? kColorModeMonochromePhoto : kColorModeColor);
            ASSERT_EQ(curves != nullptr, c.expected) << c.label << (monochrome ? ", grey" : "");
            if (curves != nullptr) {
                const std::uint16_t* table = curves->curve[monochrome ? 0 : row];
                EXPECT_NEAR(table[scaledAt(128)], 200 * 257, 1) << c.label;
            }
            setCurve(false, row, {{0, 0}, {255, 255}});
            setCurve(true, row, {{0, 0}, {255, 255}});
        }
    }
}

TEST_F(ToneCurveRequest, MonochromeTakesTheGreyCurveAlone) {
    setCurve(false, 0, {{0, 0}, {100, 30}, {255, 255}});  // master: not monochrome's
    EXPECT_EQ(request(kColorModeMonochromePhoto), nullptr);
    setCurve(false, 4, {{0, 40}, {255, 215}});
    const tnr2_tonecurve_t* curves = request(kColorModeMonochromePhoto);
    ASSERT_NE(curves, nullptr);
    EXPECT_EQ(curves->curve[0][0], 40 * 257);
    EXPECT_EQ(curves->curve[0][4095], 215 * 257);
    for (const int slot : {1, 2, 3}) {
        EXPECT_EQ(curves->curve[slot], nullptr) << slot;
    }
    // And colour modes leave the grey curve alone.
    setCurve(false, 0, {{0, 0}, {255, 255}});
    EXPECT_EQ(request(kColorModeColor), nullptr);
}

TEST_F(ToneCurveRequest, HostilePointCountsReadNoFurtherThanTheRow) {
    for (const std::int32_t count : {-1, 0, 1, 17, 1000}) {
        auto* base = reinterpret_cast<unsigned char*>(&record_);
        std::memcpy(base + offsetof(CoreCommonInfoTbl, curvePointCount), &count, sizeof count);
        EXPECT_EQ(request(kColorModeColor), nullptr) << count;
    }
}

}  // namespace
