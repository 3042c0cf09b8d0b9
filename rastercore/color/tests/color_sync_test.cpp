// Matching agrees with lcms2's transicc within one 8-bit step in every colour mode and
// rendering-intent choice, with and without an RGB or CMYK proof profile, at 8 and 16 bits; and
// the open step, the transform builders and the preview conversion keep their contracts.
#include "color/color_sync.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "cf/value.h"
#include "color/installed_profiles.h"
#include "color/matching_profiles.h"
#include "color/standard_profiles.h"
#include "color_job.h"
#include "support/scoped_variable.h"
#include "support/temporary_folder.h"
#include "test_profiles.h"

namespace {

namespace fs = std::filesystem;
using colortest::ColorJob;

const std::vector<int> kRgbPixels = {0,   0,   0,   255, 255, 255, 255, 0,   0,  0,
                                     255, 0,   0,   0,   255, 128, 128, 128, 10, 200,
                                     30,  250, 180, 90,  37,  61,  201, 200, 20, 140};
// Colours that every printer of the tests reproduces: table transforms (the engine's own and
// its lattices) follow the exact conversion closely inside a printer's gamut, while at its edges,
// where the conversion bends, they may lie a few steps off it.
const std::vector<int> kPrintablePixels = {
    128, 128, 128, 200, 170, 150, 90,  110, 140, 180, 190, 120, 140, 90,  100, 100,
    150, 110, 210, 200, 180, 160, 140, 120, 120, 140, 160, 170, 120, 110, 110, 160,
    150, 150, 150, 100, 190, 160, 190, 100, 100, 100, 175, 175, 175, 150, 130, 170};
const std::vector<int> kCmykPixels = {0,   0, 0,  0,  255, 0,  0,   0,   0,   255, 0,  0,   0,  0,
                                      255, 0, 40, 90, 160, 20, 128, 128, 128, 0,   10, 200, 30, 60};
const std::vector<int> kGreyPixels = {0, 17, 64, 128, 200, 255};

fs::path srgb() {
    return color::standardProfilePath(color::StandardProfile::Srgb);
}
fs::path adobeRgb() {
    return color::standardProfilePath(color::StandardProfile::AdobeRgb1998);
}
fs::path printer(const char* name) {
    return color::driverProfileFolder() / name;
}

const fs::path kWideSource = "/usr/share/color/icc/colord/ProPhotoRGB.icc";
constexpr char kGlossy[] = "SL7K_GLOSSY.icc";
constexpr char kMatte[] = "SL5K_MATTE.icc";

// The installed user profiles of the tests: a grey source and a CMYK proof printer.
class Matching : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        data_ = new testsupport::TemporaryFolder;
        fs::create_directories(*data_ / "icc");
        color_test::writeGreyProfile(greyProfile(), "Grey 2.2");
        color_test::writeCmykPrinterProfile(cmykPrinter(), "CMYK proof printer");
    }
    static void TearDownTestSuite() { delete data_; }

    static fs::path greyProfile() { return *data_ / "icc" / "grey.icc"; }
    static fs::path cmykPrinter() { return *data_ / "icc" / "cmyk-printer.icc"; }

    testsupport::ScopedVariable dataHome_{"XDG_DATA_HOME", data_->path().c_str()};
    static testsupport::TemporaryFolder* data_;
};
testsupport::TemporaryFolder* Matching::data_ = nullptr;

struct MatchSetup {
    std::int32_t colorMode;
    std::int16_t imageMode;  // 8-bit modes; the 16-bit form is the mode + 7 (+ 9 for grey)
    std::int32_t intentChoice;
    std::optional<fs::path> proof;
    std::int32_t proofIntent;
};

struct Expectation {
    fs::path source, destination;
    int oracleIntent;
    std::optional<fs::path> proof;
    int oracleProofIntent;
};

std::int16_t sixteenBitMode(std::int16_t mode) {
    return mode == 1 ? 10 : (mode == 3 ? 11 : 13);
}

int samplesOf(std::int16_t imageMode) {
    return imageMode == 1 ? 1 : (imageMode == 4 ? 4 : 3);
}

// Runs one setup for 8- and 16-bit host samples at 8- and 16-bit output, host rows through the
// bit conversion's matching and RGB rows through the band's, and compares every sample with
// transicc's. The bit conversion hands grey and CMYK rows over widened unless host and output
// are both 8-bit; the band's RGB rows have the output depth.
void expectAgreement(const MatchSetup& setup, const Expectation& expected, const std::string& label,
                     const cf::Value* outputPath, const cf::Value* proofPath) {
    const int inSamples = samplesOf(setup.imageMode);
    const std::vector<int>& input =
        inSamples == 1 ? kGreyPixels
                       : (inSamples == 4 ? kCmykPixels
                                         : (outputPath != nullptr ? kPrintablePixels : kRgbPixels));
    const std::size_t pixels = input.size() / static_cast<std::size_t>(inSamples);
    const std::vector<double> oracle =
        color_test::transiccResults({expected.source, expected.destination, expected.oracleIntent,
                                     expected.proof, expected.oracleProofIntent},
                                    input, inSamples, 3);
    ASSERT_EQ(oracle.size(), pixels * 3) << label;
    struct Depths {
        bool wideHost;
        std::uint8_t output;
    };
    for (const Depths depths : {Depths{false, kOutput8Bit}, Depths{true, kOutput12Bit},
                                Depths{false, kOutput12Bit}, Depths{true, kOutput8Bit}}) {
        ColorJob job;
        job.embedProfile(expected.source);
        job.info->colorMode = setup.colorMode;
        job.info->imageMode = depths.wideHost ? sixteenBitMode(setup.imageMode) : setup.imageMode;
        job.info->renderingIntent = setup.intentChoice;
        job.info->outputDepth = depths.output;
        job.info->matching = 1;
        job.info->outputProfilePath = outputPath;
        job.info->proof = setup.proof ? 1 : 0;
        job.info->proofProfilePath = proofPath;
        job.info->proofIntent = setup.proofIntent;
        ASSERT_EQ(OpenColorSync(job.info), 0) << label;
        const bool wideOutput = depths.output != kOutput8Bit;
        const bool wide = inSamples == 3 ? wideOutput : depths.wideHost || wideOutput;
        std::vector<std::uint8_t> in, out(pixels * 3 * (wide ? 2 : 1));
        for (const int v : input) {
            if (wide) {
                const unsigned value = static_cast<unsigned>(v) * 257U;
                in.push_back(static_cast<std::uint8_t>(value));
                in.push_back(static_cast<std::uint8_t>(value >> 8));
            } else {
                in.push_back(static_cast<std::uint8_t>(v));
            }
        }
        if (inSamples == 3) {
            out = in;
            ASSERT_EQ(ColorMatchProcessing(job.info, static_cast<std::int32_t>(pixels), out.data()),
                      0)
                << label;
        } else {
            ASSERT_EQ(ColorMatchProcessing_2(job.info, static_cast<std::int32_t>(pixels), in.data(),
                                             out.data()),
                      0)
                << label;
        }
        for (std::size_t i = 0; i < oracle.size(); ++i) {
            const double value = wide ? (out[2 * i] | out[2 * i + 1] << 8) / 257.0 : out[i];
            EXPECT_NEAR(value, oracle[i], 1.0)
                << label << (depths.wideHost ? ", 16-bit host" : ", 8-bit host")
                << (wideOutput ? ", 16-bit output" : ", 8-bit output") << ", sample " << i;
        }
    }
}

TEST_F(Matching, FixedProfileModesAgreeWithTransicc) {
    struct Case {
        const char* name;
        MatchSetup setup;
        Expectation expected;
    };
    const Case cases[] = {
        {"colour, RGB image, perceptual", {1, 3, 1, {}, 0}, {kWideSource, adobeRgb(), 0, {}, 0}},
        {"colour, RGB image, saturation", {1, 3, 2, {}, 0}, {kWideSource, adobeRgb(), 2, {}, 0}},
        {"colour, RGB image, relative", {1, 3, 3, {}, 0}, {kWideSource, adobeRgb(), 1, {}, 0}},
        {"colour, RGB image, absolute", {1, 3, 4, {}, 0}, {kWideSource, adobeRgb(), 3, {}, 0}},
        {"colour, RGB image, choice 5", {1, 3, 5, {}, 0}, {kWideSource, adobeRgb(), 0, {}, 0}},
        {"colour, RGB image, choice 0", {1, 3, 0, {}, 0}, {kWideSource, adobeRgb(), 0, {}, 0}},
        {"colour, RGB image, choice 6", {1, 3, 6, {}, 0}, {kWideSource, adobeRgb(), 0, {}, 0}},
        {"colour, grey image", {1, 1, 1, {}, 0}, {greyProfile(), srgb(), 0, {}, 0}},
        {"colour, CMYK image", {1, 4, 3, {}, 0}, {cmykPrinter(), adobeRgb(), 1, {}, 0}},
        {"fixed RGB, grey image", {2, 1, 1, {}, 0}, {greyProfile(), srgb(), 1, {}, 0}},
        {"fixed RGB, CMYK image", {2, 4, 2, {}, 0}, {cmykPrinter(), adobeRgb(), 1, {}, 0}},
        {"monochrome, RGB image", {3, 3, 2, {}, 0}, {kWideSource, srgb(), 1, {}, 0}},
    };
    for (const Case& c : cases) {
        expectAgreement(c.setup, c.expected, c.name, nullptr, nullptr);
    }
}

TEST_F(Matching, PrinterProfilesWithAndWithoutProofAgreeWithTransicc) {
    const cf::Value output(printer(kGlossy).string());
    const cf::Value rgbProof(printer(kMatte).string());
    const cf::Value cmykProof(cmykPrinter().string());
    const int oracleIntents[] = {0, 2, 1, 3};  // of the choices 1 ... 4
    for (std::int32_t choice = 1; choice <= 4; ++choice) {
        const int intent = oracleIntents[choice - 1];
        const std::string name = "choice " + std::to_string(choice);
        expectAgreement({5, 3, choice, {}, 0}, {kWideSource, printer(kGlossy), intent, {}, 0},
                        name + " without proof", &output, nullptr);
        // Paper simulation: proof intent 1 is absolute colorimetric.
        for (const std::int32_t proofIntent : {1, 0}) {
            const int oracleProof = proofIntent == 1 ? 3 : 1;
            const std::string proofName = name + (proofIntent == 1 ? " absolute" : " relative");
            expectAgreement({5, 3, choice, printer(kMatte), proofIntent},
                            {kWideSource, printer(kGlossy), intent, printer(kMatte), oracleProof},
                            proofName + " RGB proof", &output, &rgbProof);
            expectAgreement({5, 3, choice, cmykPrinter(), proofIntent},
                            {kWideSource, printer(kGlossy), intent, cmykPrinter(), oracleProof},
                            proofName + " CMYK proof", &output, &cmykProof);
        }
    }
}

TEST_F(Matching, CmykProofRowsGoThroughAFourSamplesBuffer) {
    const cf::Value output(printer(kGlossy).string());
    const cf::Value proof(cmykPrinter().string());
    ColorJob job;
    job.embedProfile(srgb());
    job.info->colorMode = 5;
    job.info->outputDepth = kOutput10Bit;
    job.info->outputProfilePath = &output;
    job.info->proof = 1;
    job.info->proofProfilePath = &proof;
    ASSERT_EQ(OpenColorSync(job.info), 0);
    EXPECT_EQ(job.info->proofSpace, color::kSpaceCmyk);
    constexpr std::int32_t kPixels = 37;
    std::vector<std::uint8_t> row(kPixels * 6, 0x80);
    ASSERT_EQ(ColorMatchProcessing(job.info, kPixels, row.data()), 0);
    EXPECT_GE(job.info->matchScratchSize, 8u * kPixels);
}

TEST_F(Matching, ProfilesThatCannotBeOpenedFailTheOpen) {
    const cf::Value nowhere("/nowhere/printer.icc");
    const cf::Value display(srgb().string());  // installed, but no printer profile
    struct Case {
        const char* name;
        std::int32_t colorMode;
        std::int16_t imageMode;
        const cf::Value* output;
        bool embedded;
    };
    const Case cases[] = {
        {"fixed RGB with an RGB image has no profile", 2, 3, nullptr, true},
        {"fixed RGB with a 16-bit RGB image", 2, 11, nullptr, true},
        {"no embedded profile", 1, 3, nullptr, false},
        {"printer profile not installed", 5, 3, &nowhere, true},
        {"the output path names a display profile", 5, 3, &display, true},
    };
    for (const Case& c : cases) {
        ColorJob job;
        if (c.embedded) {
            job.embedProfile(srgb());
        }
        job.info->colorMode = c.colorMode;
        job.info->imageMode = c.imageMode;
        job.info->outputProfilePath = c.output;
        EXPECT_EQ(OpenColorSync(job.info), kColorSyncProfileError) << c.name;
        EXPECT_EQ(job.info->colorSyncReady, 0) << c.name;
    }
}

// A printer profile that opens but from which the engine can make no transform fails the
// open, rather than leaving the rows unmatched as if matching were ready.
TEST_F(Matching, ATransformTheRowsNeedButCannotHaveFailsTheOpen) {
    const fs::path tableless = *data_ / "icc" / "tableless.icc";
    color_test::writeTablelessPrinterProfile(tableless, "Printer without tables");
    const cf::Value output(tableless.string());
    ColorJob job;
    job.embedProfile(srgb());
    job.info->colorMode = 5;
    job.info->imageMode = 3;
    job.info->outputProfilePath = &output;
    EXPECT_EQ(OpenColorSync(job.info), kColorSyncTransformError);
    EXPECT_EQ(job.info->colorSyncReady, 0);
    CloseColorSync(job.info);
}

TEST_F(Matching, PhotoApplicationProfilesComeFromTheirUrlsAndFolders) {
    testsupport::TemporaryFolder root;
    testsupport::ScopedVariable driverRoot("STRATOLINE_ROOT", root.path().c_str());
    const cf::Value sourceUrl("file://" + kWideSource.string());
    ColorJob job;
    job.info->hostType = 2;
    job.info->sourceProfileUrl = &sourceUrl;
    job.info->colorMode = kColorModeMonochromePhoto;
    // Without the photo application's own sRGB profile there is no monochrome working space.
    EXPECT_EQ(OpenColorSync(job.info), kColorSyncProfileError);
    CloseColorSync(job.info);

    const fs::path appProfile = localProfilePath(kPhotoApplicationSrgbPath);
    fs::create_directories(appProfile.parent_path());
    fs::copy_file(srgb(), appProfile);
    ASSERT_EQ(OpenColorSync(job.info), 0);
    CloseColorSync(job.info);

    // Colour mode 1 takes the installed Adobe RGB (1998) display profile when the host names
    // no working space.
    job.info->colorMode = kColorModeColor;
    ASSERT_EQ(OpenColorSync(job.info), 0);
    EXPECT_NE(job.info->destinationProfile->profile->description().find("Adobe RGB (1998)"),
              std::string::npos);
}

TEST(MatchingRows, NothingToMatchLeavesTheRowAlone) {
    ColorJob job;
    std::vector<std::uint8_t> row = {1, 2, 3, 4, 5, 6};
    const std::vector<std::uint8_t> before = row;
    EXPECT_EQ(ColorSyncMatching_2(job.info, row.data(), row.data(), 2, nullptr, kRgbToRgb), 0);
    EXPECT_EQ(ColorMatchProcessing(job.info, 2, row.data()), 0);  // matching not open
    EXPECT_EQ(row, before);
    EXPECT_EQ(ColorMatchProcessing(nullptr, 2, row.data()), kColorSyncTransformError);
}

TEST(TransformBuilders, MissingOutsAreRefusedAndOneEngineServes) {
    auto a = retainProfile(color::Profile::openPath(srgb()));
    auto b = retainProfile(color::Profile::openPath(adobeRgb()));
    color::Transform* one = nullptr;
    color::Transform* two = nullptr;
    color::Transform* three = nullptr;
    EXPECT_EQ(Plg_TransformCreate(nullptr, a, b, color::Intent::Perceptual, kEngineDefault),
              kColorSyncTransformError);
    EXPECT_EQ(Plg_NCWConcatColorWorld_ADOBECMM(&one, nullptr, a, nullptr, b, nullptr,
                                               color::Intent::Perceptual, 0, 0),
              kColorSyncTransformError);
    EXPECT_EQ(Plg_NCWConcatColorWorld_Auto(nullptr, &two, a, b, a, color::Intent::Perceptual,
                                           kEngineDefault),
              kColorSyncTransformError);
    EXPECT_FALSE(rastercore::isAdobeCMMInstalled());

    // Without proof, with an extra profile: the extra step fills the second out.
    ASSERT_EQ(Plg_NCWConcatColorWorld_DEFAULTCMM(&one, &two, &three, a, nullptr, b, a,
                                                 color::Intent::Perceptual, 0, 0),
              0);
    EXPECT_NE(one, nullptr);
    EXPECT_NE(two, nullptr);
    EXPECT_EQ(three, nullptr);
    releaseTransform(&one);
    releaseTransform(&two);
    // With proof and an extra profile: three transforms.
    ASSERT_EQ(Plg_NCWConcatColorWorld_DEFAULTCMM(&one, &two, &three, a, b, a, b,
                                                 color::Intent::Perceptual, 1, 1),
              0);
    EXPECT_NE(three, nullptr);
    for (auto* t : {&one, &two, &three}) {
        releaseTransform(t);
    }
    // A transform the engine cannot link stays empty, and the builder still answers 0.
    EXPECT_EQ(Plg_TransformCreate(&one, a, nullptr, color::Intent::Perceptual, kEnginePreferred),
              0);
    EXPECT_EQ(one, nullptr);
    releaseProfile(&a);
    releaseProfile(&b);
    EXPECT_EQ(a, nullptr);
}

TEST(PreviewMatching, KindsChooseTheirLayouts) {
    auto source = retainProfile(color::Profile::openPath(kWideSource));
    auto destination = retainProfile(color::Profile::openPath(srgb()));
    color::Transform* transform = nullptr;
    ASSERT_EQ(Plg_TransformCreate(&transform, source, destination, color::Intent::Perceptual,
                                  kEngineDefault),
              0);
    const std::vector<std::uint8_t> rgb = {200, 30, 40, 10, 220, 90};
    std::vector<std::uint8_t> plain(6), alpha(8);
    ASSERT_EQ(Prev_ColorSyncMatching(transform, rgb.data(), plain.data(), 1, 2, 1, 1, kRgbToRgb),
              0);
    ASSERT_EQ(Prev_ColorSyncMatching(transform, rgb.data(), alpha.data(), 2, 1, 2, 1, kRgbToRgb),
              0);
    for (int p = 0; p < 2; ++p) {
        for (int s = 0; s < 3; ++s) {
            EXPECT_EQ(alpha[4 * p + 1 + s], plain[3 * p + s]) << p;
        }
    }
    const std::vector<std::uint8_t> argb = {77, 200, 30, 40, 99, 10, 220, 90};
    std::vector<std::uint8_t> argbOut(8);
    ASSERT_EQ(Prev_ColorSyncMatching(transform, argb.data(), argbOut.data(), 3, 2, 1, 1, kRgbToRgb),
              0);
    EXPECT_EQ(argbOut[0], 77);
    EXPECT_EQ(argbOut[4], 99);
    EXPECT_EQ(argbOut[1], plain[0]);
    // Flag 0 or no transform: no work.
    std::vector<std::uint8_t> untouched(6, 5);
    EXPECT_EQ(
        Prev_ColorSyncMatching(transform, rgb.data(), untouched.data(), 1, 2, 1, 0, kRgbToRgb), 0);
    EXPECT_EQ(Prev_ColorSyncMatching(nullptr, rgb.data(), untouched.data(), 1, 2, 1, 1, kRgbToRgb),
              0);
    EXPECT_EQ(untouched, std::vector<std::uint8_t>(6, 5));
    EXPECT_EQ(Prev_ColorSyncMatching(transform, rgb.data(), untouched.data(), 1, 2, 1, 1, 9),
              kColorSyncTransformError);
    releaseTransform(&transform);
    releaseProfile(&source);
    releaseProfile(&destination);
}

}  // namespace
