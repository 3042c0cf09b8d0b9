// The pre-processing object: neutral settings leave every sample as it is, each adjustment moves
// pixels the way its name says, and the size-then-fill and form calls hold their contract.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "tonara2_test_support.h"

namespace {

using tonara2test::kHint16;
using tonara2test::kHint8;

std::vector<std::uint16_t> ramp16() {
    std::vector<std::uint16_t> row;
    for (std::uint32_t v = 0; v < 65536; v += 97) {
        row.insert(row.end(), {static_cast<std::uint16_t>(v), static_cast<std::uint16_t>(65535 - v),
                               static_cast<std::uint16_t>(v * 7)});
    }
    row.insert(row.end(), {65535, 65535, 65535, 0, 0, 0});
    return row;
}

TEST(Preproc, NeutralSettingsLeaveEverySampleAsItIs) {
    auto eight = tonara2test::makePreproc(kHint8);
    ASSERT_NE(eight.get(), nullptr);
    std::vector<std::uint8_t> row8;
    for (int v = 0; v < 256; ++v) {
        row8.insert(row8.end(), {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(255 - v),
                                 static_cast<std::uint8_t>(v * 3)});
    }
    std::vector<std::uint8_t> out8(row8.size());
    ASSERT_EQ(tnr2_xform_preproc(eight.get(), row8.data(), 0, 256, out8.data()), kTnr2Ok);
    EXPECT_EQ(out8, row8);

    auto sixteen = tonara2test::makePreproc(kHint16);
    ASSERT_NE(sixteen.get(), nullptr);
    const std::vector<std::uint16_t> original = ramp16();
    std::vector<std::uint16_t> row16 = original;
    ASSERT_EQ(tnr2_xform_preproc(sixteen.get(), row16.data(), 0,
                                 static_cast<std::uint32_t>(row16.size() / 3), row16.data()),
              kTnr2Ok);
    EXPECT_EQ(row16, original);
}

// How a pixel changes under one adjustment, at both depths.
struct AdjustCase {
    const char* name;
    tnr2_balance_t balance;
    std::int32_t saturation, contrast, brightness, greyTone;
    std::array<std::uint8_t, 3> in;
    std::array<int, 3> direction;  // -1 lower, 0 unchanged, 1 higher
};

const AdjustCase kAdjustCases[] = {
    {"Brighter", {}, 0, 0, 20, 0, {100, 100, 100}, {1, 1, 1}},
    {"Darker", {}, 0, 0, -20, 0, {100, 100, 100}, {-1, -1, -1}},
    {"MoreContrast", {}, 0, 25, 0, 0, {60, 128, 200}, {-1, 0, 1}},
    {"MoreCyanLessRed", {20, 0, 0}, 0, 0, 0, 0, {128, 128, 128}, {-1, 0, 0}},
    {"LessYellowMoreBlue", {0, 0, -20}, 0, 0, 0, 0, {128, 128, 128}, {0, 0, 1}},
    {"WarmGreyTone", {}, 0, 0, 0, 30, {128, 128, 128}, {1, 0, -1}},
    {"MoreSaturated", {}, 20, 0, 0, 0, {180, 120, 60}, {1, -1, -1}},
    {"LessSaturated", {}, -20, 0, 0, 0, {180, 120, 60}, {-1, 1, 1}},
    {"GreysKeepTheirSaturation", {}, 30, 0, 0, 0, {90, 90, 90}, {0, 0, 0}},
};

int directionOf(int before, int after) {
    return after > before ? 1 : (after < before ? -1 : 0);
}

TEST(Preproc, EachAdjustmentMovesPixelsItsWay) {
    for (const AdjustCase& c : kAdjustCases) {
        for (const std::uint32_t hint : {kHint8, kHint16}) {
            auto object = tonara2test::makePreproc(hint, c.balance, c.saturation, c.contrast,
                                                   c.brightness, c.greyTone);
            ASSERT_NE(object.get(), nullptr) << c.name;
            std::array<int, 3> after{};
            if (hint == kHint8) {
                std::array<std::uint8_t, 3> out{};
                tnr2_xform_preproc(object.get(), c.in.data(), 0, 1, out.data());
                after = {out[0], out[1], out[2]};
            } else {
                const std::array<std::uint16_t, 3> in = {static_cast<std::uint16_t>(c.in[0] * 257),
                                                         static_cast<std::uint16_t>(c.in[1] * 257),
                                                         static_cast<std::uint16_t>(c.in[2] * 257)};
                std::array<std::uint16_t, 3> out{};
                tnr2_xform_preproc(object.get(), in.data(), 0, 1, out.data());
                after = {out[0] / 257, out[1] / 257, out[2] / 257};
            }
            for (int s = 0; s < 3; ++s) {
                EXPECT_EQ(directionOf(c.in[s], after[s]), c.direction[s])
                    << c.name << " sample " << s << " hint " << hint << ": " << +c.in[s] << " -> "
                    << after[s];
            }
        }
    }
}

TEST(Preproc, CurvesApplyMasterThenChannel) {
    // Master: x -> x / 2; red: its own inversion. Red comes out as 1 - x / 2.
    std::vector<std::uint16_t> half(4096), invert(4096);
    for (int i = 0; i < 4096; ++i) {
        half[i] = static_cast<std::uint16_t>(i * 65535 / 4095 / 2);
        invert[i] = static_cast<std::uint16_t>(65535 - i * 65535 / 4095);
    }
    const tnr2_tonecurve_t curves = {{half.data(), invert.data(), nullptr, nullptr}};
    auto object = tonara2test::makePreproc(kHint8, {}, 0, 0, 0, 0, &curves);
    ASSERT_NE(object.get(), nullptr);
    const std::uint8_t in[3] = {200, 200, 200};
    std::uint8_t out[3] = {};
    tnr2_xform_preproc(object.get(), in, 0, 1, out);
    EXPECT_NEAR(out[0], 255 - 100, 1);
    EXPECT_NEAR(out[1], 100, 1);
    EXPECT_NEAR(out[2], 100, 1);
}

TEST(Preproc, FormsAreAnsweredAndConfirmed) {
    auto object = tonara2test::makePreproc(kHint16);
    ASSERT_NE(object.get(), nullptr);
    std::uint32_t source = 0, destination = 0;
    ASSERT_EQ(tnr2_query_preproc_hint(object.get(), &source, &destination), kTnr2Ok);
    EXPECT_EQ(source, 0x030302u);  // two-byte samples, three of them each side
    EXPECT_EQ(destination, 0x030302u);
    EXPECT_EQ(tnr2_set_preproc_rgb(object.get(), 0, source, destination), kTnr2Ok);
    EXPECT_EQ(tnr2_set_preproc_rgb(object.get(), 0, 0, 0), kTnr2Ok);
    EXPECT_EQ(tnr2_set_preproc_rgb(object.get(), 0, 0x030301, destination), kTnr2BadArgument);
    EXPECT_EQ(tnr2_set_preproc_rgb(object.get(), kTnr2OutputGrey, source, destination),
              kTnr2BadArgument);
    // Wrong kinds, null arguments and freed objects are refused.
    auto monochrome = tonara2test::makeMonochrome(kHint16);
    EXPECT_EQ(tnr2_query_preproc_hint(monochrome.get(), &source, &destination), kTnr2BadArgument);
    EXPECT_EQ(tnr2_create_preproc2(nullptr, nullptr, 0, 0, 0, 0, 2.2, kHint8, nullptr), 0u);
    std::uint16_t pixel[3] = {};
    EXPECT_EQ(tnr2_xform_preproc(object.get(), nullptr, 0, 1, pixel), kTnr2BadArgument);
    ASSERT_EQ(tnr2_free_preproc(object.get()), kTnr2Ok);
    EXPECT_EQ(tnr2_free_preproc(object.get()), kTnr2BadArgument);
    EXPECT_EQ(tnr2_xform_preproc(object.get(), pixel, 0, 1, pixel), kTnr2BadArgument);
}

}  // namespace
