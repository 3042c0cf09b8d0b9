// The first colour-space conversion agrees with lcms2's transicc within one 8-bit step, from both
// working spaces into a medium's printer profile in every intent, at both depths; "through"
// parts leave rows alone; malformed parts and missing profiles make no object.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "color/installed_profiles.h"
#include "color/standard_profiles.h"
#include "support/scoped_variable.h"
#include "support/temporary_folder.h"
#include "test_profiles.h"
#include "tonara2_test_support.h"

namespace {

using tonara2test::kHint16;
using tonara2test::kHint8;

constexpr char kPrinterProfile[] = "SL7K_GLOSSY.icc";
constexpr std::uint32_t kSpaceAdobeRgb = 1;
constexpr std::uint32_t kSpaceSrgb = 2;

const std::vector<int> kPixels = {0,   0,   0,   255, 255, 255, 128, 128, 128, 200, 30,  40,
                                  30,  180, 60,  40,  70,  200, 240, 220, 90,  90,  60,  30,
                                  180, 200, 220, 17,  17,  17,  230, 120, 140, 100, 160, 120};

TEST(Csc1, MatchesTransiccInEveryIntentFromBothWorkingSpaces) {
    const auto printer = color::driverProfileFolder() / kPrinterProfile;
    for (const std::uint32_t space : {kSpaceSrgb, kSpaceAdobeRgb}) {
        const auto working =
            color::standardProfilePath(space == kSpaceSrgb ? color::StandardProfile::Srgb
                                                           : color::StandardProfile::AdobeRgb1998);
        for (std::uint32_t intent = 0; intent <= 3; ++intent) {
            const std::string label =
                "space " + std::to_string(space) + " intent " + std::to_string(intent);
            const std::vector<double> expected = color_test::transiccResults(
                {working, printer, static_cast<int>(intent), std::nullopt, 0}, kPixels, 3, 3);
            ASSERT_EQ(expected.size(), kPixels.size()) << label;
            const auto part = tonara2test::csc1Part(intent, space, kPrinterProfile);
            auto eight = tonara2test::makeCsc1(part, kHint8);
            auto sixteen = tonara2test::makeCsc1(part, kHint16);
            ASSERT_NE(eight.get(), nullptr) << label;
            ASSERT_NE(sixteen.get(), nullptr) << label;
            std::vector<std::uint8_t> row8(kPixels.begin(), kPixels.end());
            std::vector<std::uint16_t> row16;
            for (const int v : kPixels) {
                row16.push_back(static_cast<std::uint16_t>(v * 257));
            }
            const auto pixels = static_cast<std::uint32_t>(kPixels.size() / 3);
            ASSERT_EQ(tnr2_xform_csc1(eight.get(), row8.data(), 0, pixels, row8.data()), kTnr2Ok);
            ASSERT_EQ(tnr2_xform_csc1(sixteen.get(), row16.data(), 0, pixels, row16.data()),
                      kTnr2Ok);
            for (std::size_t i = 0; i < kPixels.size(); ++i) {
                EXPECT_NEAR(row8[i], expected[i], 1.0) << label << " sample " << i;
                EXPECT_NEAR(row16[i] / 257.0, expected[i], 1.0) << label << " 16-bit " << i;
            }
        }
    }
}

TEST(Csc1, ThroughPartsLeaveRowsAlone) {
    auto object = tonara2test::makeCsc1(tonara2test::csc1Part(1, 0, kPrinterProfile), kHint16);
    ASSERT_NE(object.get(), nullptr);
    std::uint32_t form = 0;
    ASSERT_EQ(tnr2_query_csc1_hint(object.get(), &form), kTnr2Ok);
    EXPECT_EQ(tnr2_set_csc1_rgb(object.get(), 0, form), kTnr2Ok);
    EXPECT_EQ(tnr2_set_csc1_rgb(object.get(), 0, form ^ 1), kTnr2BadArgument);
    const std::vector<std::uint16_t> in = {1, 2, 3, 65535, 0, 40000};
    std::vector<std::uint16_t> out(in.size());
    ASSERT_EQ(tnr2_xform_csc1(object.get(), in.data(), 0, 2, out.data()), kTnr2Ok);
    EXPECT_EQ(out, in);
}

TEST(Csc1, MalformedPartsAndMissingProfilesMakeNoObject) {
    std::vector<std::uint8_t> unterminated = tonara2test::csc1Part(0, 2, kPrinterProfile);
    unterminated.pop_back();
    const std::vector<std::vector<std::uint8_t>> parts = {
        unterminated,
        tonara2test::csc1Part(0, 2, "../Frameworks/x.icc"),
        tonara2test::csc1Part(0, 2, ""),
        tonara2test::csc1Part(4, 2, kPrinterProfile),
        tonara2test::csc1Part(0, 3, kPrinterProfile),
        tonara2test::csc1Part(0, 2, "SL7K_NOWHERE.icc"),
        {1, 0, 0},
    };
    for (const auto& part : parts) {
        EXPECT_EQ(tonara2test::makeCsc1(part, kHint8).get(), nullptr)
            << std::string(part.begin(), part.end());
    }
}

TEST(Csc1, OnlyRgbPrinterProfilesAreConvertedInto) {
    // A driver folder whose "printer" profile is a display profile.
    testsupport::TemporaryFolder root;
    const auto profiles = root / "Orvane/TARN/Profiles";
    std::filesystem::create_directories(profiles);
    std::filesystem::copy_file(color::standardProfilePath(color::StandardProfile::Srgb),
                               profiles / "DISPLAY.icc");
    testsupport::ScopedVariable driverRoot("STRATOLINE_ROOT", root.path().c_str());
    EXPECT_EQ(tonara2test::makeCsc1(tonara2test::csc1Part(0, 2, "DISPLAY.icc"), kHint8).get(),
              nullptr);
}

}  // namespace
