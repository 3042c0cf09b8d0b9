// The preview's profiles: the embedded profile of the host's record, installed profiles found by
// file name and printer profiles found by path, and the source profile of each colour mode, host
// and image mode.
#include "preview/preview_profiles.h"

#include <gtest/gtest.h>

#include "color/color_sync.h"
#include "preview_fixture.h"

namespace {

using namespace previewtest;

std::string describe(const ProfileRef& profile) {
    return profile != nullptr ? profile->description() : "(none)";
}

class PreviewProfileRules : public PreviewProfiles {
  protected:
    PreviewProfileRules() {
        // The photo application's own sRGB profiles, under the driver root's Applications.
        const auto write = [&](const char* path, const char* description) {
            const fs::path file = root_ / fs::path(path).relative_path();
            fs::create_directories(file.parent_path());
            color_test::writeGreyProfile(file, description);
        };
        write(
            "/Applications/Orvane Utilities/Vantor Studio 4/Vantor Studio 4.app/Contents/"
            "PlugIns/VpxCore.bundle/Contents/Resources/icc/sRGB Color Space Profile.icm",
            "Photo application 4 sRGB");
        write(
            "/Applications/Orvane Utilities/Vantor Studio/Vantor Studio.app/Contents/"
            "Frameworks/VPX.framework/Versions/A/Resources/sRGB Color Space Profile.icm",
            "Photo application sRGB");
        color_test::writeRgbPrinterProfile(root_ / "output.icc", "Output");
        color_test::writeRgbPrinterProfile(root_ / "embedded.icc", "Embedded");
    }

    testsupport::TemporaryFolder root_;
    testsupport::ScopedVariable driverRoot_{"STRATOLINE_ROOT", root_.path().c_str()};
};

TEST_F(PreviewProfileRules, SourceProfileOfEachColourModeHostAndImage) {
    const std::string srgb = color::Profile::openPath(kSrgb)->description();
    const std::string adobe = color::Profile::openPath(kAdobeRgb)->description();
    struct Case {
        std::int32_t colorMode;
        std::int32_t previewProof;
        std::uint8_t hostType;
        std::uint32_t hostVersion;
        std::uint16_t imageMode;
        std::string expected;
    };
    const Case cases[] = {
        // Colour mode 2: the output profile with proof, else the photo application's image
        // profile, else by the image's mode.
        {kFixedRgb, 1, 1, 0, kGrey, "Output"},
        {kFixedRgb, 1, 2, 4, kCmyk, "Output"},
        {kFixedRgb, 0, 2, 4, kGrey, "Embedded"},
        {kFixedRgb, 0, 1, 0, kGrey16, srgb},
        {kFixedRgb, 0, 1, 0, kCmyk16, adobe},
        // Colour mode 3: the photo application's sRGB by its version, the installed sRGB.
        {kMonochrome, 0, 2, 4, kRgb, "Photo application 4 sRGB"},
        {kMonochrome, 1, 2, 7, kGrey, "Photo application 4 sRGB"},
        {kMonochrome, 0, 2, 3, kRgb, "Photo application sRGB"},
        {kMonochrome, 0, 1, 0, kCmyk, srgb},
        {kMonochrome, 0, 0, 0, kRgb, "Embedded"},  // an unknown host: by the image's mode
        // Other colour modes: the photo application's image profile, else by the image's mode.
        {kColor, 0, 2, 4, kCmyk, "Embedded"},
        {kIcc, 1, 2, 4, kGrey, "Embedded"},
        {kColor, 0, 1, 0, kGrey, srgb},
        {kIcc, 0, 1, 0, kRgb16, "Embedded"},
        {kColor, 1, 1, 0, kCmyk, adobe},
        {kColor, 0, 1, 0, 2, "(none)"},
        {kIcc, 0, 1, 0, 16, "(none)"},
    };
    for (const Case& c : cases) {
        PreviewRecords records;
        records.embed(root_ / "embedded.icc");
        records.output(root_ / "output.icc");
        records.record.colorMode = 99;  // the call's own colour mode is the one that counts
        records.record.previewProof = c.previewProof;
        records.host.hostType = c.hostType;
        records.host.hostMajorVersion = c.hostVersion;
        records.host.imageMode = c.imageMode;
        const PreviewJob job{records.record, records.host, c.colorMode};
        EXPECT_EQ(describe(CreatePrevSrcProfile(job)), c.expected)
            << "colour mode " << c.colorMode << ", proof " << c.previewProof << ", host "
            << int{c.hostType} << " version " << c.hostVersion << ", image mode " << c.imageMode;
    }
}

TEST_F(PreviewProfileRules, SourceProfileIsNoneWhenItsFileIsMissing) {
    PreviewRecords records;
    records.output(root_ / "missing.icc");
    records.record.previewProof = 1;
    EXPECT_EQ(CreatePrevSrcProfile(PreviewJob{records.record, records.host, kFixedRgb}), nullptr);
    // No embedded profile for an RGB image.
    EXPECT_EQ(CreatePrevSrcProfile(PreviewJob{records.record, records.host, kColor}), nullptr);
}

TEST_F(PreviewProfileRules, EmbeddedProfileFromBytesThenUrl) {
    const std::vector<std::uint8_t> bytes = readFile(root_ / "embedded.icc");
    const std::vector<std::uint8_t> garbage(200, 0x41);
    const cf::Value url("file://" + (root_ / "output.icc").string());
    const cf::Value otherScheme("http://example.invalid/output.icc");
    struct Case {
        const char* label;
        const void* data;
        std::uint32_t length;
        const cf::Value* fileUrl;
        std::string expected;
    };
    const Case cases[] = {
        {"bytes", bytes.data(), static_cast<std::uint32_t>(bytes.size()), &url, "Embedded"},
        {"bytes without length", bytes.data(), 0, &url, "Output"},
        {"length without bytes", nullptr, 100, &url, "Output"},
        {"URL alone", nullptr, 0, &url, "Output"},
        {"bytes that hold no profile", garbage.data(), 200, &url, "(none)"},
        {"a URL of another scheme", nullptr, 0, &otherScheme, "(none)"},
        {"nothing", nullptr, 0, nullptr, "(none)"},
    };
    for (const Case& c : cases) {
        const ProfileTable table{c.data, c.length, c.fileUrl};
        std::int32_t error = -7;
        const ProfileRef profile = ColorSyncProfileCreateWithProfileTable(&table, &error);
        EXPECT_EQ(describe(profile), c.expected) << c.label;
        EXPECT_EQ(error, profile != nullptr ? 0 : kColorSyncProfileError) << c.label;
    }
    EXPECT_EQ(ColorSyncProfileCreateWithProfileTable(nullptr, nullptr), nullptr);
}

TEST_F(PreviewProfileRules, ColourSpaceOfAHeader) {
    EXPECT_EQ(GetProfileColorSpace(color::Profile::openPath(greyProfile()).get()),
              color::kSpaceGrey);
    EXPECT_EQ(GetProfileColorSpace(color::Profile::openPath(cmykProof()).get()), color::kSpaceCmyk);
    EXPECT_EQ(GetProfileColorSpace(color::Profile::openPath(kSrgb).get()), color::kSpaceRgb);
    EXPECT_EQ(GetProfileColorSpace(nullptr), 0U);
}

TEST_F(PreviewProfileRules, InstalledProfileByFileName) {
    ProfileRef found;
    EXPECT_EQ(ProfileGetByFileName(&found, "grey.icc"), 0);
    EXPECT_EQ(describe(found), "Grey 2.2");
    EXPECT_EQ(ProfileGetByFileName(&found, "sRGB.icc"), 0);
    EXPECT_EQ(found->colorSpace(), color::kSpaceRgb);
    // The whole last component, not a part of it nor a path.
    EXPECT_EQ(ProfileGetByFileName(&found, "grey"), -1);
    EXPECT_EQ(found, nullptr);
    EXPECT_EQ(ProfileGetByFileName(&found, "icc/grey.icc"), -1);
    EXPECT_EQ(ProfileGetByFileName(&found, "sRGB Color Space Profile.icm"), -1);
    EXPECT_EQ(ProfileGetByFileName(nullptr, "grey.icc"), -1);
    EXPECT_EQ(ProfileGetByFileName(&found, nullptr), -1);
}

TEST_F(PreviewProfileRules, PrinterProfilesByTheirWholePath) {
    struct Case {
        const char* label;
        PrevProfileSearch::Mode mode;
        std::string path;
        std::string expected;
        color::Signature space;
    };
    const std::string cmyk = cmykProof().string();
    const std::string rgb = rgbProof().string();
    const Case cases[] = {
        {"an RGB printer as output", PrevProfileSearch::kOutput, rgb, "RGB proof printer", 0},
        {"a CMYK printer is no output", PrevProfileSearch::kOutput, cmyk, "(none)", 0},
        {"a CMYK printer as proof", PrevProfileSearch::kProof, cmyk, "CMYK proof printer",
         color::kSpaceCmyk},
        {"an RGB printer as proof", PrevProfileSearch::kProof, rgb, "RGB proof printer",
         color::kSpaceRgb},
        {"a display profile is no printer", PrevProfileSearch::kProof, greyProfile().string(),
         "(none)", 0},
        {"the path is compared exactly", PrevProfileSearch::kProof,
         (data_->path() / "icc/./cmyk-proof.icc").string(), "(none)", 0},
        {"a file that is not installed", PrevProfileSearch::kOutput,
         (root_ / "output.icc").string(), "(none)", 0},
    };
    for (const Case& c : cases) {
        PrevProfileSearch search;
        search.mode = c.mode;
        (c.mode == PrevProfileSearch::kOutput ? search.outputPath : search.proofPath) = c.path;
        searchInstalledPrinterProfile(search);
        const ProfileRef& found =
            c.mode == PrevProfileSearch::kOutput ? search.output : search.proof;
        EXPECT_EQ(describe(found), c.expected) << c.label;
        EXPECT_EQ(search.proofSpace, c.space) << c.label;
        EXPECT_EQ(c.mode == PrevProfileSearch::kOutput ? search.proof : search.output, nullptr)
            << c.label;
    }
}

}  // namespace
