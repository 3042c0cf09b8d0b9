// The output profile of the medium and quality, the optimise mode it is chosen for, and whether
// the proof preview is possible.
#include <gtest/gtest.h>

#include <filesystem>

#include "model_test_support.h"
#include "profile_optimize.h"

namespace {

namespace fs = std::filesystem;
using modeltest::Model;

constexpr char kSrgb[] = "/usr/share/color/icc/colord/sRGB.icc";
constexpr char kFallbackProfileFile[] = "sRGB v1.20 (Orvane)";  // "QELSRGBA.ICC" as installed

TEST(ProfileOptimizeMode, EachLevelChoosesAsItsRuleSays) {
    struct Case {
        std::int32_t level;
        bool vgm;
        std::int32_t printMode;
        std::uint16_t hint;
        std::uint8_t inkImpact;
        std::int32_t expected;  // the chosen optimise mode is 4
    };
    const Case cases[] = {
        // Level 2: VGM at print mode 16, then ink impact, then the choice.
        {2, true, 16, 0, 1, 1},
        {2, true, 8, 0, 1, 2},
        {2, false, 16, 0, 0, 4},
        {2, false, 16, 0, 1, 2},
        // Level 1: print modes 8 and 16 with an optimised resolution hint.
        {1, false, 8, 0x1000, 0, 1},
        {1, false, 16, 0x2000, 1, 1},
        {1, true, 16, 0x0040, 0, 4},
        {1, false, 4, 0x3000, 1, 2},
        {1, false, 4, 0x3000, 0, 4},
        // Other levels: VGM at print mode 16 gives 2; ink impact does not count.
        {0, true, 16, 0, 0, 2},
        {0, true, 8, 0, 1, 4},
        {0, false, 16, 0x3000, 1, 4},
        {7, true, 16, 0, 0, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "level " << c.level << " vgm " << c.vgm << " mode " << c.printMode
                     << " hint " << c.hint << " impact " << int(c.inkImpact));
        EXPECT_EQ(profileOptimizeMode(c.level, c.vgm, c.printMode, c.hint, c.inkImpact, 4),
                  c.expected);
    }
}

class MediaProfile : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(env_.ready()); }
    // The fallback profile installed under the name the media database's fallback becomes.
    fs::path installFallback() const {
        const fs::path file = env_.iccFolder() / kFallbackProfileFile;
        fs::copy_file(kSrgb, file);
        return file;
    }
    modeltest::ModelEnvironment env_;
};

TEST_F(MediaProfile, TheMediumsProfileForItsQuality) {
    const auto model = modeltest::modelFor(modeltest::kShippedModels[0], env_);
    model->setMediumID(101);
    model->setMethodResolutionHT(1, 1, 1);
    EXPECT_TRUE(model->getMediaICCProfile());
    EXPECT_EQ(model->outputProfileModelID(), 7001);
    ASSERT_TRUE(model->outputProfilePath().has_value());
    EXPECT_EQ(fs::path(*model->outputProfilePath()),
              fs::path(MODEL_DRIVER_ROOT) / "Orvane/TARN/Profiles/SL7K_PLAIN.icc");
    ASSERT_TRUE(model->outputProfileName().has_value());
    EXPECT_FALSE(model->outputProfileName()->empty());

    // No correction chooses the same way; monochrome and profile modes change nothing.
    model->setMediumID(102);
    model->setColorMode(3);
    EXPECT_TRUE(model->getMediaICCProfile());
    EXPECT_EQ(model->outputProfileModelID(), 7002);
    for (const std::int32_t mode : {2, 4}) {
        model->setColorMode(mode);
        model->setMediumID(101);
        EXPECT_FALSE(model->getMediaICCProfile());
        EXPECT_EQ(model->outputProfileModelID(), 7002);
        EXPECT_NE(model->outputProfilePath()->find("SL7K_COATED.icc"), std::string::npos);
    }
}

TEST_F(MediaProfile, WithoutADatabaseTheFallbackProfileIsLookedFor) {
    Model model;
    model.setOutputProfileName(std::string("Kept"));
    model.setOutputProfilePath(std::string("/kept.icc"));
    model.setOutputProfileModelID(9);
    // Not installed: the profile stays as it was, but its model ID is the fallback's 0.
    EXPECT_FALSE(model.getMediaICCProfile());
    EXPECT_EQ(model.outputProfileName(), "Kept");
    EXPECT_EQ(model.outputProfilePath(), "/kept.icc");
    EXPECT_EQ(model.outputProfileModelID(), 0);

    const fs::path installed = installFallback();
    EXPECT_TRUE(model.getMediaICCProfile());
    EXPECT_EQ(model.outputProfilePath(), installed.string());
    EXPECT_NE(model.outputProfileName(), "Kept");

    // A database name that cannot be opened falls back the same way.
    model.setDBName("MDB_NONE.mdb");
    model.setOutputProfilePath(std::string("/kept.icc"));
    EXPECT_TRUE(model.getMediaICCProfile());
    EXPECT_EQ(model.outputProfilePath(), installed.string());
}

TEST_F(MediaProfile, ProofPreviewIsPossibleOnlyWithAPrinterProfile) {
    const auto model = modeltest::modelFor(modeltest::kShippedModels[0], env_);
    model->setMediumID(101);
    model->setMethodResolutionHT(1, 1, 1);
    const fs::path display = installFallback();

    struct Case {
        const char* what;
        std::int32_t colorMode;
        std::int16_t matchingMethod;
        std::optional<std::string> profilePath;  // for colour mode 4
        bool missing;
        bool possible;
    };
    const Case cases[] = {
        {"automatic colour, printer profile", 1, 0, std::nullopt, false, true},
        {"automatic colour, matching method 1", 1, 1, std::nullopt, true, false},
        {"no correction, matching method 1", 3, 1, std::nullopt, false, true},
        {"own profile that exists", 4, 0, display.string(), false, true},
        {"own profile that is missing", 4, 0, std::string("/nowhere/none.icc"), true, false},
        {"no own profile", 4, 0, std::nullopt, false, false},
        {"monochrome", 2, 0, std::nullopt, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        model->setColorMode(c.colorMode);
        model->setMatchingMethod(c.matchingMethod);
        model->setPreviewProofEnable(c.possible ? 0 : 1);
        if (c.colorMode == 4) {
            model->setOutputProfilePath(c.profilePath);
        }
        EXPECT_EQ(model->validatePreviewProof(), c.missing);
        EXPECT_EQ(model->previewProofEnable(), c.possible ? 1 : 0);
    }

    // A display profile chosen for the medium is found but cannot simulate a print.
    model->setColorMode(1);
    model->setMatchingMethod(0);
    model->setDBName("MDB_NONE.mdb");
    EXPECT_FALSE(model->validatePreviewProof());
    EXPECT_EQ(model->previewProofEnable(), 0);
}

}  // namespace
