// The preview colour functions through the core's exports: the pre-conversion into RGB and the
// colour management with and without proof agree with lcms2's transicc; the record is never
// written; failures leave the pixels to the caller.
#include <gtest/gtest.h>

#include "preview_fixture.h"

namespace {

using namespace previewtest;

struct Result {
    std::int32_t code;
    std::vector<std::uint8_t> pixels;
};

// The pre-conversion of `pixels` of the host's image mode.
Result preConvert(const CoreCommonInfoTbl& record, const std::vector<int>& pixels) {
    Pixels p(bytesOf(pixels), samplesOf(record.commonInfo->imageMode));
    const std::int32_t code = RasterCore_Prev_PreColorManagement(&record, &p.data);
    return {code, p.destination};
}

// The colour management of RGB pixels into a fresh destination.
Result manage(const CoreCommonInfoTbl& record, const std::vector<std::uint8_t>& rgb,
              PtnProfileInfoTbl* profiles = nullptr) {
    Pixels p(rgb, 3);
    const std::int32_t code = RasterCore_Prev_ColorManagement(&record, &p.data, profiles);
    EXPECT_EQ(p.source, rgb) << "the caller's source pixels are never changed";
    return {code, p.destination};
}

std::vector<int> intsOf(const std::vector<std::uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

class PreviewColorManagement : public PreviewProfiles {};

TEST_F(PreviewColorManagement, RgbImagesAreCopiedByteForByte) {
    const std::vector<int> pixels = {0, 1, 2, 250, 128, 7, 33, 255, 90};
    for (const std::uint16_t mode : {kRgb, kRgb16}) {
        for (const std::int32_t colorMode : {kColor, kFixedRgb, kMonochrome, kIcc}) {
            PreviewRecords records;
            records.host.imageMode = mode;
            records.embed(greyProfile());  // a profile that does not even fit: never used
            records.record.colorMode = colorMode;
            records.record.previewProof = 1;
            const Result result = preConvert(records.record, pixels);
            EXPECT_EQ(result.code, 0);
            EXPECT_EQ(intsOf(result.pixels), pixels) << mode << ", colour mode " << colorMode;
        }
    }
}

TEST_F(PreviewColorManagement, GreyAndCmykImagesIntoRgbLikeTransicc) {
    struct Case {
        const char* label;
        std::uint16_t imageMode;
        fs::path embedded;
        std::int32_t colorMode;
        std::int32_t previewProof;
        std::int32_t matchingMethod;
        Stage expected;
    };
    const Case cases[] = {
        {"grey, proof off", kGrey, greyProfile(), kColor, 0, 0, {greyProfile(), kSrgb, 1}},
        {"16-bit grey, ICC without proof",
         kGrey16,
         greyProfile(),
         kIcc,
         0,
         4,
         {greyProfile(), kSrgb, 1}},
        {"CMYK, proof off", kCmyk, cmykProof(), kColor, 0, 0, {cmykProof(), kAdobeRgb, 1}},
        {"16-bit CMYK, colour mode 2 with proof",
         kCmyk16,
         cmykProof(),
         kFixedRgb,
         1,
         2,
         {cmykProof(), kAdobeRgb, 1}},
        {"grey, monochrome", kGrey, greyProfile(), kMonochrome, 0, 2, {greyProfile(), kSrgb, 1}},
        {"CMYK, monochrome with proof",
         kCmyk,
         cmykProof(),
         kMonochrome,
         1,
         2,
         {cmykProof(), kSrgb, 1}},
        // Colour mode 1 with proof: the intent of the matching method.
        {"CMYK, colour with proof, saturation",
         kCmyk,
         cmykProof(),
         kColor,
         1,
         2,
         {cmykProof(), kAdobeRgb, 2}},
        {"grey, colour with proof, perceptual",
         kGrey,
         greyProfile(),
         kColor,
         1,
         1,
         {greyProfile(), kSrgb, 0}},
        {"CMYK, colour with proof, absolute",
         kCmyk,
         cmykProof(),
         kColor,
         1,
         4,
         {cmykProof(), kAdobeRgb, 3}},
    };
    for (const Case& c : cases) {
        PreviewRecords records;
        records.host.imageMode = c.imageMode;
        records.embed(c.embedded);
        records.record.colorMode = c.colorMode;
        records.record.previewProof = c.previewProof;
        records.record.matchingMethod = c.matchingMethod;
        const std::vector<int>& input = samplesOf(c.imageMode) == 1 ? kGreyPixels : kCmykPixels;
        const Result result = preConvert(records.record, input);
        ASSERT_EQ(result.code, 0) << c.label;
        expectNear(result.pixels, chainOracle({c.expected}, input), 1, c.label);
    }
}

// The ICC preview with proof converts into the output printer's RGB, through the proof printer
// when one is asked for; the colour management then matches the printer's RGB for the display
// (grey and CMYK images run as colour mode 2 there, whose source is the output profile).
TEST_F(PreviewColorManagement, ProofChainsThroughThePrinterProfiles) {
    struct Case {
        const char* label;
        std::int32_t engine;
        bool proof;
        fs::path proofProfile;
        std::int32_t paperColor;
    };
    const Case cases[] = {
        {"system engine, CMYK proof, paper colour", 1, true, cmykProof(), 1},
        {"system engine, CMYK proof", 1, true, cmykProof(), 0},
        {"system engine, RGB proof, paper colour", 1, true, rgbProof(), 1},
        {"preferred engine, CMYK proof, paper colour", 2, true, cmykProof(), 1},
        {"preferred engine, RGB proof", 2, true, rgbProof(), 0},
        {"no proof profile", 1, false, {}, 1},
    };
    for (const Case& c : cases) {
        for (const std::uint16_t imageMode : {kGrey, kCmyk}) {
            PreviewRecords records;
            records.host.imageMode = imageMode;
            const fs::path embedded = imageMode == kGrey ? greyProfile() : cmykProof();
            records.embed(embedded);
            records.record.colorMode = kIcc;
            records.record.previewProof = 1;
            records.record.matchingMethod = 3;
            records.record.conversionEngine = c.engine;
            records.record.simulatePaperColor = c.paperColor;
            records.output(printer());
            if (c.proof) {
                records.proof(c.proofProfile);
            }
            const int proofIntent = c.paperColor == 1 ? 3 : 1;
            std::vector<Stage> stages;
            if (!c.proof) {
                stages = {{embedded, printer(), 1}};
            } else if (c.engine == 2) {
                stages = {{embedded, printer(), 1, c.proofProfile, proofIntent}};
            } else {
                stages = {{embedded, c.proofProfile, 1}, {c.proofProfile, printer(), proofIntent}};
            }
            const std::string label =
                std::string(c.label) + (imageMode == kGrey ? ", grey" : ", CMYK");
            const std::vector<int>& input = imageMode == kGrey ? kPrintableGreyPixels : kCmykPixels;
            const Result converted = preConvert(records.record, input);
            ASSERT_EQ(converted.code, 0) << label;
            expectNear(converted.pixels, chainOracle(stages, input), 2, label);

            // The two calls hand over 8-bit RGB, so each is held to its own part of the chain.
            const Result shown = manage(records.record, converted.pixels);
            ASSERT_EQ(shown.code, 0) << label;
            expectNear(shown.pixels,
                       chainOracle({{printer(), kDisplay, 1}}, intsOf(converted.pixels)), 1,
                       label + ", display step");
        }
    }
}

TEST_F(PreviewColorManagement, ProofOnChainsOfAnRgbImage) {
    struct Case {
        const char* label;
        std::int32_t colorMode;
        std::int32_t engine;
        bool proof;
        fs::path proofProfile;
        std::int32_t paperColor;
    };
    const Case cases[] = {
        {"ICC, system engine, CMYK proof, paper colour", kIcc, 1, true, cmykProof(), 1},
        {"ICC, system engine, RGB proof", kIcc, 1, true, rgbProof(), 0},
        {"ICC, preferred engine, CMYK proof, paper colour", kIcc, 2, true, cmykProof(), 1},
        {"ICC, system engine, no proof", kIcc, 1, false, {}, 0},
        {"ICC, preferred engine, no proof", kIcc, 2, false, {}, 0},
        {"colour mode 1", kColor, 2, false, {}, 0},
    };
    for (const Case& c : cases) {
        PreviewRecords records;
        records.embed(kAdobeRgb);
        records.record.colorMode = c.colorMode;
        records.record.previewProof = 1;
        records.record.matchingMethod = 2;
        records.record.conversionEngine = c.engine;
        records.record.simulatePaperColor = c.paperColor;
        records.output(printer());
        if (c.proof) {
            records.proof(c.proofProfile);
        }
        const int proofIntent = c.paperColor == 1 ? 3 : 1;
        std::vector<Stage> stages;
        if (!c.proof) {
            stages = {{kAdobeRgb, printer(), 2}};
        } else if (c.engine == 2) {
            stages = {{kAdobeRgb, printer(), 2, c.proofProfile, proofIntent}};
        } else {
            stages = {{kAdobeRgb, c.proofProfile, 2}, {c.proofProfile, printer(), proofIntent}};
        }
        stages.push_back({printer(), kDisplay, 1});
        const Result shown = manage(records.record, bytesOf(kRgbPixels));
        ASSERT_EQ(shown.code, 0) << c.label;
        expectNear(shown.pixels, chainOracle(stages, kRgbPixels), 2, c.label);
    }
}

TEST_F(PreviewColorManagement, ProofOffMatchesTheSourceProfileForTheDisplay) {
    struct Case {
        const char* label;
        std::uint16_t imageMode;
        std::int32_t colorMode;
        fs::path source;
    };
    const Case cases[] = {
        {"RGB image, colour mode 1", kRgb, kColor, kAdobeRgb},
        {"RGB image, ICC", kRgb16, kIcc, kAdobeRgb},
        {"grey image, pre-converted to sRGB", kGrey, kFixedRgb, kSrgb},
        {"CMYK image, pre-converted to Adobe RGB", kCmyk, kIcc, kAdobeRgb},
    };
    for (const Case& c : cases) {
        PreviewRecords records;
        records.host.imageMode = c.imageMode;
        records.embed(kAdobeRgb);
        records.record.colorMode = c.colorMode;
        const Result shown = manage(records.record, bytesOf(kRgbPixels));
        ASSERT_EQ(shown.code, 0) << c.label;
        expectNear(shown.pixels, chainOracle({{c.source, kDisplay, 1}}, kRgbPixels), 1, c.label);
    }
}

TEST_F(PreviewColorManagement, PreviewProofOtherThanOffOrOnDoesNothing) {
    for (const std::int32_t proof : {2, -1, 100}) {
        PreviewRecords records;
        records.embed(kAdobeRgb);
        records.record.previewProof = proof;
        Pixels p(bytesOf(kRgbPixels), 3);
        std::fill(p.destination.begin(), p.destination.end(), 0x77);
        EXPECT_EQ(RasterCore_Prev_ColorManagement(&records.record, &p.data, nullptr), 0) << proof;
        EXPECT_EQ(p.destination, std::vector<std::uint8_t>(p.destination.size(), 0x77)) << proof;
        EXPECT_EQ(p.source, bytesOf(kRgbPixels)) << proof;
    }
}

TEST_F(PreviewColorManagement, WithoutADisplayProfileProofOffLeavesTheDestination) {
    testsupport::ScopedVariable display("STRATOLINE_DISPLAY_PROFILE", "/nonexistent/display.icc");
    PreviewRecords records;
    records.embed(kAdobeRgb);
    records.record.brightness = 20;
    Pixels p(bytesOf(kRgbPixels), 3);
    std::fill(p.destination.begin(), p.destination.end(), 0x77);
    EXPECT_EQ(RasterCore_Prev_ColorManagement(&records.record, &p.data, nullptr), 0);
    EXPECT_EQ(p.destination, std::vector<std::uint8_t>(p.destination.size(), 0x77));
}

TEST_F(PreviewColorManagement, MonochromeGammaFollowsTheGradation) {
    std::vector<std::vector<std::uint8_t>> shown;
    for (std::int32_t gradation = 0; gradation <= 6; ++gradation) {
        PreviewRecords records;
        records.embed(kSrgb);
        records.record.colorMode = kMonochrome;
        records.record.grayGradation = gradation;
        const Result result = manage(records.record, bytesOf(kRgbPixels));
        ASSERT_EQ(result.code, 0) << gradation;
        shown.push_back(result.pixels);
    }
    // 1 ... 5: gamma 1.6, 1.8, 2.0, 2.2, 2.4; any other value 1.8.
    EXPECT_EQ(shown[0], shown[2]);
    EXPECT_EQ(shown[6], shown[2]);
    for (const int a : {1, 2, 3, 4, 5}) {
        for (int b = a + 1; b <= 5; ++b) {
            EXPECT_NE(shown[a], shown[b]) << a << " and " << b;
        }
    }
    // A darker gamma gives darker greys.
    EXPECT_LT(shown[5][0], shown[1][0]);
}

TEST_F(PreviewColorManagement, ProcessingFollowsTheAdjustmentsAndTheSelectedCurves) {
    PreviewRecords records;
    records.embed(kAdobeRgb);
    const Result plain = manage(records.record, bytesOf(kRgbPixels));
    ASSERT_EQ(plain.code, 0);
    // Unadjusted, the processing changes nothing: the result is the matching alone.
    expectNear(plain.pixels, chainOracle({{kAdobeRgb, kDisplay, 1}}, kRgbPixels), 1, "plain");

    records.record.brightness = 20;
    const Result brighter = manage(records.record, bytesOf(kRgbPixels));
    ASSERT_EQ(brighter.code, 0);
    EXPECT_GT(brighter.pixels[0], plain.pixels[0] + 5);
    records.record.brightness = 0;

    // A bent master curve in the first set counts only while the first set is selected.
    setCurve(records.record, false, 0, {{0, 0}, {128, 200}, {255, 255}});
    const Result curved = manage(records.record, bytesOf(kRgbPixels));
    ASSERT_EQ(curved.code, 0);
    EXPECT_GT(curved.pixels[0], plain.pixels[0] + 20);
    records.record.useCurve2 = 1;  // the second set: all at their defaults
    const Result second = manage(records.record, bytesOf(kRgbPixels));
    ASSERT_EQ(second.code, 0);
    EXPECT_EQ(second.pixels, plain.pixels);
}

TEST_F(PreviewColorManagement, WithoutTheColourFrameworkOnlyTheMatchingRuns) {
    testsupport::TemporaryFolder emptyRoot;
    testsupport::ScopedVariable root("STRATOLINE_ROOT", emptyRoot.path().c_str());
    PreviewRecords records;
    records.embed(kAdobeRgb);
    records.record.brightness = 20;
    records.record.saturation = -30;
    for (const std::int32_t colorMode : {kColor, kMonochrome}) {
        records.record.colorMode = colorMode;
        const Result shown = manage(records.record, bytesOf(kRgbPixels));
        ASSERT_EQ(shown.code, 0) << colorMode;
        // Monochrome first brings the image into the installed sRGB.
        const std::vector<Stage> stages =
            colorMode == kColor ? std::vector<Stage>{{kAdobeRgb, kDisplay, 1}}
                                : std::vector<Stage>{{kAdobeRgb, kSrgb, 0}, {kSrgb, kDisplay, 1}};
        expectNear(shown.pixels, chainOracle(stages, kRgbPixels), 1,
                   "colour mode " + std::to_string(colorMode));
    }
}

// Grey and CMYK images with proof run as colour mode 2 unless the colour mode is 1 or 2, and the
// caller's record is never written: it lies on a read-only page here, where any write would end
// the program.
TEST_F(PreviewColorManagement, GreyAndCmykImagesWithProofRunAsColourModeTwo) {
    for (const std::uint16_t imageMode : {kGrey, kCmyk16}) {
        for (const std::int32_t colorMode : {kMonochrome, kIcc}) {
            PreviewRecords records;
            records.host.imageMode = imageMode;
            records.record.previewProof = 1;
            records.record.brightness = 10;
            records.output(printer());
            records.record.colorMode = kFixedRgb;
            const Result asModeTwo = manage(records.record, bytesOf(kRgbPixels));
            ASSERT_EQ(asModeTwo.code, 0);

            records.record.colorMode = colorMode;
            const ReadOnlyRecords readOnly(records);
            const Result result = manage(*readOnly.record(), bytesOf(kRgbPixels));
            EXPECT_EQ(result.code, 0) << imageMode << ", colour mode " << colorMode;
            EXPECT_EQ(result.pixels, asModeTwo.pixels)
                << imageMode << ", colour mode " << colorMode;
            EXPECT_EQ(+readOnly.record()->colorMode, colorMode);
        }
    }
    // Also on failure: colour mode 2 with proof takes the output profile, and there is none.
    PreviewRecords records;
    records.host.imageMode = kGrey;
    records.record.previewProof = 1;
    records.record.colorMode = kIcc;
    const ReadOnlyRecords readOnly(records);
    EXPECT_EQ(manage(*readOnly.record(), bytesOf(kRgbPixels)).code, kFailure);
    EXPECT_EQ(+readOnly.record()->colorMode, kIcc);
}

// The colour management counts grey and CMYK images (modes 1, 4, 10, 13) as not RGB; the pattern
// profile search counts every mode but 3 and 11. An image mode of no class tells them apart.
TEST_F(PreviewColorManagement, TheTwoMeaningsOfNotRgb) {
    PreviewRecords records;
    records.host.imageMode = 2;
    records.embed(kAdobeRgb);
    records.record.previewProof = 1;
    records.record.colorMode = kIcc;
    records.output(printer());
    // Stays in colour mode 5, whose source profile for such a mode is none.
    EXPECT_EQ(manage(records.record, bytesOf(kRgbPixels)).code, kFailure);
    // Runs as colour mode 2: the display transform alone.
    PtnProfileInfoTbl profiles{};
    EXPECT_EQ(RasterCore_PatternProfileSearch_Open(&records.record, &profiles), 0);
    EXPECT_TRUE(profiles.T0 != nullptr && profiles.T1 == nullptr);
    RasterCore_PatternProfileSearch_Close(&profiles);
}

// In-place matching reads the destination's 3-byte RGB pixels, so a source profile of another
// colour space is refused rather than read 4 bytes a pixel; the caller keeps its pixels.
TEST_F(PreviewColorManagement, ASourceProfileThatIsNotRgbIsRefused) {
    struct Case {
        const char* label;
        std::uint8_t hostType;
        std::uint16_t imageMode;
        fs::path embedded;
        std::int32_t previewProof;
        std::int32_t colorMode;
    };
    const Case cases[] = {
        {"CMYK profile of an RGB image, proof on", kHostTypeImageEditor, kRgb, cmykProof(), 1,
         kColor},
        {"CMYK profile of an RGB image, ICC proof", kHostTypeImageEditor, kRgb, cmykProof(), 1,
         kIcc},
        {"CMYK profile of an RGB image, proof off", kHostTypeImageEditor, kRgb, cmykProof(), 0,
         kColor},
        {"the photo application's grey image", kHostTypePhotoApplication, kGrey, greyProfile(), 0,
         kColor},
    };
    for (const Case& c : cases) {
        PreviewRecords records;
        records.host.hostType = c.hostType;
        records.host.imageMode = c.imageMode;
        records.embed(c.embedded);
        records.record.previewProof = c.previewProof;
        records.record.colorMode = c.colorMode;
        records.output(printer());
        records.proof(cmykProof());
        Pixels p(bytesOf(kRgbPixels), 3);
        std::fill(p.destination.begin(), p.destination.end(), 0x77);
        EXPECT_EQ(RasterCore_Prev_ColorManagement(&records.record, &p.data, nullptr), kFailure)
            << c.label;
        EXPECT_EQ(p.destination, std::vector<std::uint8_t>(p.destination.size(), 0x77)) << c.label;
    }
}

TEST_F(PreviewColorManagement, NothingToConvertLeavesTheDestination) {
    struct Case {
        const char* label;
        bool embedded;
        bool pattern;
    };
    for (const Case c :
         {Case{"no embedded profile", false, false}, Case{"a test-pattern record", true, true}}) {
        PreviewRecords records;
        records.host.imageMode = kCmyk;
        if (c.embedded) {
            records.embed(cmykProof());
        }
        records.record.patternPrint = c.pattern ? 1 : 0;
        Pixels p(bytesOf(kCmykPixels), 4);
        std::fill(p.destination.begin(), p.destination.end(), 0x77);
        EXPECT_EQ(RasterCore_Prev_PreColorManagement(&records.record, &p.data), 0) << c.label;
        EXPECT_EQ(p.destination, std::vector<std::uint8_t>(p.destination.size(), 0x77)) << c.label;
    }
}

TEST_F(PreviewColorManagement, FailuresAreReportedAsOneCode) {
    PreviewRecords good;
    good.host.imageMode = kGrey;
    good.embed(greyProfile());
    Pixels p(bytesOf(kGreyPixels), 1);
    EXPECT_EQ(RasterCore_Prev_PreColorManagement(&good.record, &p.data), 0);

    // Unusable calls.
    EXPECT_EQ(RasterCore_Prev_PreColorManagement(nullptr, &p.data), kFailure);
    EXPECT_EQ(RasterCore_Prev_PreColorManagement(&good.record, nullptr), kFailure);
    EXPECT_EQ(RasterCore_Prev_ColorManagement(nullptr, &p.data, nullptr), kFailure);
    ColorDataRec small = p.data;
    small.destinationSize -= 1;
    EXPECT_EQ(RasterCore_Prev_PreColorManagement(&good.record, &small), kFailure);
    EXPECT_EQ(RasterCore_Prev_ColorManagement(&good.record, &small, nullptr), kFailure);
    ColorDataRec noSource = p.data;
    noSource.source = nullptr;
    EXPECT_EQ(RasterCore_Prev_ColorManagement(&good.record, &noSource, nullptr), kFailure);
    CoreCommonInfoTbl noHost{};
    EXPECT_EQ(RasterCore_Prev_PreColorManagement(&noHost, &p.data), kFailure);
    CoreCommonInfoTbl patternWithoutTable = good.record;
    patternWithoutTable.patternPrint = 1;
    EXPECT_EQ(RasterCore_Prev_ColorManagement(&patternWithoutTable, &p.data, nullptr), kFailure);

    // Profiles the settings name but that cannot be found.
    struct Case {
        const char* label;
        std::int32_t colorMode;
        std::uint16_t imageMode;
        fs::path output;
        std::optional<fs::path> proof;
    };
    const Case cases[] = {
        {"ICC: the output profile is not an installed printer profile", kIcc, kGrey,
         rgbProof().parent_path() / "missing.icc", std::nullopt},
        {"ICC: the proof profile is not installed", kIcc, kCmyk, printer(),
         rgbProof().parent_path() / "missing.icc"},
        {"colour mode 1: an image mode of no class has no source profile", kColor, 2, printer(),
         std::nullopt},
    };
    for (const Case& c : cases) {
        PreviewRecords records;
        records.host.imageMode = c.imageMode;
        records.embed(c.imageMode == kCmyk ? cmykProof() : greyProfile());
        records.record.colorMode = c.colorMode;
        records.record.previewProof = 1;
        records.output(c.output);
        if (c.proof) {
            records.proof(*c.proof);
        }
        EXPECT_EQ(
            preConvert(records.record, samplesOf(c.imageMode) == 4 ? kCmykPixels : kGreyPixels)
                .code,
            kFailure)
            << c.label;
    }
}

}  // namespace
