// Transforms of real profiles agree with lcms2's transicc within one step at 8 bits, in every row
// layout, intent and depth, with and without a proof profile.
#include "color/transform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "support/temporary_folder.h"
#include "test_profiles.h"

namespace {

namespace fs = std::filesystem;
using color::Depth;
using color::Intent;
using color::Layout;

constexpr double kTolerance8 = 1.0;
constexpr double kSteps16Per8 = 257.0;

const std::vector<int> kRgbPixels = {0,   0,   0,   255, 255, 255, 255, 0,   0,  0,
                                     255, 0,   0,   0,   255, 128, 128, 128, 10, 200,
                                     30,  250, 180, 90,  37,  61,  201, 200, 20, 140};
const std::vector<int> kCmykPixels = {0,   0, 0, 0, 255, 0,   0,  0,  0,   255, 0,   0,   0,   0,
                                      255, 0, 0, 0, 0,   255, 40, 90, 160, 20,  128, 128, 128, 0};
const std::vector<int> kGreyPixels = {0, 17, 64, 128, 200, 255};

struct Profiles {
    fs::path grey, rgbPrinter, cmykPrinter;
};

class TransformAgainstTransicc : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        folder_ = new testsupport::TemporaryFolder;
        profiles_ = {*folder_ / "grey.icc", *folder_ / "rgb-printer.icc",
                     *folder_ / "cmyk-printer.icc"};
        color_test::writeGreyProfile(profiles_.grey, "Grey");
        color_test::writeRgbPrinterProfile(profiles_.rgbPrinter, "RGB printer");
        color_test::writeCmykPrinterProfile(profiles_.cmykPrinter, "CMYK printer");
    }
    static void TearDownTestSuite() { delete folder_; }

    static testsupport::TemporaryFolder* folder_;
    static Profiles profiles_;
};
testsupport::TemporaryFolder* TransformAgainstTransicc::folder_ = nullptr;
Profiles TransformAgainstTransicc::profiles_;

const std::vector<int>& pixelsFor(Layout layout) {
    return layout == Layout::Grey ? kGreyPixels
                                  : (layout == Layout::Cmyk ? kCmykPixels : kRgbPixels);
}

// Converts the pixels at both depths and compares each sample with transicc's.
void expectAgreement(color::Transform& transform, const color_test::Oracle& oracle, Layout from,
                     Layout to, const std::string& label) {
    const std::vector<int>& input = pixelsFor(from);
    const std::size_t inSamples = color::samplesPerPixel(from);
    const std::size_t outSamples = color::samplesPerPixel(to);
    const std::size_t pixels = input.size() / inSamples;
    const std::vector<double> expected = color_test::transiccResults(
        oracle, input, static_cast<int>(inSamples), static_cast<int>(outSamples));
    ASSERT_EQ(expected.size(), pixels * outSamples) << label;

    std::vector<std::uint8_t> in8(input.begin(), input.end());
    std::vector<std::uint8_t> out8(pixels * outSamples);
    ASSERT_TRUE(transform.convert(in8.data(), from, out8.data(), to, Depth::Eight, pixels));

    // 16-bit samples as little-endian byte pairs.
    std::vector<std::uint8_t> in16(input.size() * 2);
    for (std::size_t i = 0; i < input.size(); ++i) {
        const unsigned value = static_cast<unsigned>(input[i]) * 257U;
        in16[2 * i] = static_cast<std::uint8_t>(value & 0xFF);
        in16[2 * i + 1] = static_cast<std::uint8_t>(value >> 8);
    }
    std::vector<std::uint8_t> out16(pixels * outSamples * 2);
    ASSERT_TRUE(transform.convert(in16.data(), from, out16.data(), to, Depth::Sixteen, pixels));

    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(out8[i], expected[i], kTolerance8) << label << " sample " << i;
        const double wide = out16[2 * i] | out16[2 * i + 1] << 8;
        EXPECT_NEAR(wide / kSteps16Per8, expected[i], kTolerance8) << label << " 16-bit " << i;
    }
}

struct PairCase {
    const char* name;
    fs::path Profiles::*source;       // null: sRGB
    fs::path Profiles::*destination;  // null: the 1998 wide RGB space
    Layout from;
    Layout to;
};

const fs::path& pick(fs::path Profiles::*member, const Profiles& profiles,
                     const fs::path& fallback) {
    return member != nullptr ? profiles.*member : fallback;
}

const PairCase kPairs[] = {
    {"RgbToRgb", nullptr, nullptr, Layout::Rgb, Layout::Rgb},
    {"RgbToPrinterRgb", nullptr, &Profiles::rgbPrinter, Layout::Rgb, Layout::Rgb},
    {"RgbToCmyk", nullptr, &Profiles::cmykPrinter, Layout::Rgb, Layout::Cmyk},
    {"CmykToRgb", &Profiles::cmykPrinter, nullptr, Layout::Cmyk, Layout::Rgb},
    {"CmykToCmyk", &Profiles::cmykPrinter, &Profiles::cmykPrinter, Layout::Cmyk, Layout::Cmyk},
    {"GreyToRgb", &Profiles::grey, nullptr, Layout::Grey, Layout::Rgb},
    {"GreyToCmyk", &Profiles::grey, &Profiles::cmykPrinter, Layout::Grey, Layout::Cmyk},
};

const Intent kIntents[] = {Intent::Perceptual, Intent::RelativeColorimetric, Intent::Saturation,
                           Intent::AbsoluteColorimetric};

TEST_F(TransformAgainstTransicc, EveryLayoutPairAndIntent) {
    for (const PairCase& pair : kPairs) {
        const fs::path& source = pick(pair.source, profiles_, color_test::kSrgb);
        const fs::path& destination = pick(pair.destination, profiles_, color_test::kRgb1998);
        for (Intent intent : kIntents) {
            auto transform = color::Transform::create(
                color::Profile::openPath(source), color::Profile::openPath(destination), intent);
            ASSERT_NE(transform, nullptr) << pair.name;
            const int code = static_cast<int>(intent);
            expectAgreement(*transform, {source, destination, code, std::nullopt, 0}, pair.from,
                            pair.to, std::string(pair.name) + " intent " + std::to_string(code));
        }
    }
}

TEST_F(TransformAgainstTransicc, ProofingThroughRgbAndCmykPrinters) {
    for (const fs::path& proof : {profiles_.rgbPrinter, profiles_.cmykPrinter}) {
        for (Intent intent : kIntents) {
            for (Intent proofIntent :
                 {Intent::RelativeColorimetric, Intent::AbsoluteColorimetric}) {
                auto transform = color::Transform::createProofing(
                    color::Profile::openPath(color_test::kRgb1998), color::Profile::openPath(proof),
                    color::Profile::openPath(color_test::kSrgb), intent, proofIntent);
                ASSERT_NE(transform, nullptr);
                color_test::Oracle oracle{color_test::kRgb1998, color_test::kSrgb,
                                          static_cast<int>(intent), proof,
                                          static_cast<int>(proofIntent)};
                expectAgreement(*transform, oracle, Layout::Rgb, Layout::Rgb,
                                proof.filename().string() + " " +
                                    std::to_string(static_cast<int>(intent)) + "/" +
                                    std::to_string(static_cast<int>(proofIntent)));
            }
        }
    }
}

TEST_F(TransformAgainstTransicc, InPlaceAndAlphaFirstRowsMatchPlainRows) {
    auto transform = color::Transform::create(color::Profile::openPath(color_test::kSrgb),
                                              color::Profile::openPath(profiles_.rgbPrinter),
                                              Intent::Perceptual);
    ASSERT_NE(transform, nullptr);
    std::vector<std::uint8_t> plain(kRgbPixels.begin(), kRgbPixels.end());
    const std::size_t pixels = plain.size() / 3;
    std::vector<std::uint8_t> expected(plain.size());
    ASSERT_TRUE(transform->convert(plain.data(), Layout::Rgb, expected.data(), Layout::Rgb,
                                   Depth::Eight, pixels));
    ASSERT_TRUE(transform->convert(plain.data(), Layout::Rgb, plain.data(), Layout::Rgb,
                                   Depth::Eight, pixels));
    EXPECT_EQ(plain, expected);

    std::vector<std::uint8_t> alpha(pixels * 4);
    for (std::size_t p = 0; p < pixels; ++p) {
        alpha[4 * p] = static_cast<std::uint8_t>(p * 11);
        std::copy_n(&kRgbPixels[3 * p], 3, &alpha[4 * p + 1]);
    }
    std::vector<std::uint8_t> alphaOut(alpha.size());
    ASSERT_TRUE(transform->convert(alpha.data(), Layout::AlphaRgb, alphaOut.data(),
                                   Layout::AlphaRgb, Depth::Eight, pixels));
    for (std::size_t p = 0; p < pixels; ++p) {
        EXPECT_EQ(alphaOut[4 * p], p * 11);
        EXPECT_EQ(0, std::memcmp(&alphaOut[4 * p + 1], &expected[3 * p], 3)) << p;
    }
}

// An owner may free the RGB lattice once its rows stop needing it; the next RGB conversion
// samples it again, to the same bytes, before or after any conversion and with a proof profile.
TEST_F(TransformAgainstTransicc, AReleasedRgbLatticeComesBackTheSame) {
    std::vector<std::unique_ptr<color::Transform>> transforms;
    transforms.push_back(color::Transform::create(color::Profile::openPath(color_test::kSrgb),
                                                  color::Profile::openPath(profiles_.rgbPrinter),
                                                  Intent::Perceptual));
    transforms.push_back(
        color::Transform::createProofing(color::Profile::openPath(color_test::kRgb1998),
                                         color::Profile::openPath(profiles_.cmykPrinter),
                                         color::Profile::openPath(color_test::kSrgb),
                                         Intent::Perceptual, Intent::RelativeColorimetric));
    const std::vector<std::uint8_t> in8(kRgbPixels.begin(), kRgbPixels.end());
    const std::size_t pixels = in8.size() / 3;
    const auto convert = [&](color::Transform& transform, Depth depth) {
        const std::size_t width = depth == Depth::Eight ? 1 : 2;
        std::vector<std::uint8_t> in(in8.size() * width), out(in.size());
        for (std::size_t i = 0; i < in8.size(); ++i) {
            in[i * width] = in8[i];
            in[i * width + width - 1] = in8[i];
        }
        EXPECT_TRUE(
            transform.convert(in.data(), Layout::Rgb, out.data(), Layout::Rgb, depth, pixels));
        return out;
    };
    for (const auto& transform : transforms) {
        ASSERT_NE(transform, nullptr);
        const auto before8 = convert(*transform, Depth::Eight);
        const auto before16 = convert(*transform, Depth::Sixteen);
        transform->releaseRgbLattice();
        transform->releaseRgbLattice();
        EXPECT_EQ(convert(*transform, Depth::Sixteen), before16);
        transform->releaseRgbLattice();
        ASSERT_TRUE(transform->prepare(Layout::Rgb, Layout::Rgb, Depth::Eight));
        EXPECT_EQ(convert(*transform, Depth::Eight), before8);
    }
    expectAgreement(*transforms[0], {color_test::kSrgb, profiles_.rgbPrinter, 0, std::nullopt, 0},
                    Layout::Rgb, Layout::Rgb, "released");
}

TEST_F(TransformAgainstTransicc, LayoutsThatDoNotFitTheProfilesAreRefused) {
    auto rgb = color::Transform::create(color::Profile::openPath(color_test::kSrgb),
                                        color::Profile::openPath(color_test::kRgb1998),
                                        Intent::Perceptual);
    ASSERT_NE(rgb, nullptr);
    std::uint8_t row[8] = {};
    EXPECT_FALSE(rgb->convert(row, Layout::Cmyk, row, Layout::Rgb, Depth::Eight, 1));
    EXPECT_FALSE(rgb->convert(row, Layout::Rgb, row, Layout::Grey, Depth::Sixteen, 1));
    EXPECT_FALSE(rgb->convert(nullptr, Layout::Rgb, row, Layout::Rgb, Depth::Eight, 1));
    EXPECT_EQ(color::Transform::create(nullptr, color::Profile::openPath(color_test::kSrgb),
                                       Intent::Perceptual),
              nullptr);
}

}  // namespace
