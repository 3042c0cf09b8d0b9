// Profiles open from files, URLs and borrowed bytes and report their header and description.
#include "color/profile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <lcms2.h>
#include <sys/stat.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "support/bounded_call.h"
#include "support/temporary_folder.h"
#include "test_profiles.h"

namespace {

using color::Profile;

std::vector<std::byte> fileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<char> chars((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::byte> bytes(chars.size());
    std::memcpy(bytes.data(), chars.data(), chars.size());
    return bytes;
}

struct HeaderCase {
    const char* name;
    std::function<void(const std::filesystem::path&)> write;
    color::Signature space;
    color::Signature deviceClass;
    const char* description;
};

class ProfileHeader : public testing::TestWithParam<HeaderCase> {};

TEST_P(ProfileHeader, PathUrlAndBytesAgree) {
    testsupport::TemporaryFolder folder;
    const std::filesystem::path file = folder / "with space%.icc";
    GetParam().write(file);
    const std::vector<std::byte> bytes = fileBytes(file);

    std::string url = "file://" + (folder.path() / "with%20space%25.icc").string();
    for (const std::shared_ptr<Profile>& profile :
         {Profile::openPath(file), Profile::openUrl(url), Profile::openBytes(bytes)}) {
        ASSERT_NE(profile, nullptr);
        EXPECT_EQ(profile->colorSpace(), GetParam().space);
        EXPECT_EQ(profile->deviceClass(), GetParam().deviceClass);
        EXPECT_EQ(profile->description(), GetParam().description);
        EXPECT_GE(profile->version() >> 24, 2U);
    }
}

INSTANTIATE_TEST_SUITE_P(
    MadeProfiles, ProfileHeader,
    testing::Values(HeaderCase{"Grey", [](auto& f) { color_test::writeGreyProfile(f, "Grey 2.2"); },
                               color::kSpaceGrey, color::kClassMonitor, "Grey 2.2"},
                    HeaderCase{"RgbPrinter",
                               [](auto& f) { color_test::writeRgbPrinterProfile(f, "Glossy RGB"); },
                               color::kSpaceRgb, color::kClassPrinter, "Glossy RGB"},
                    HeaderCase{
                        "CmykPrinter",
                        [](auto& f) { color_test::writeCmykPrinterProfile(f, "Proof CMYK"); },
                        color::kSpaceCmyk, color::kClassPrinter, "Proof CMYK"}),
    [](const auto& info) { return info.param.name; });

TEST(Profile, StandardProfilesOfTheSystemFolder) {
    const auto rgb1998 = Profile::openPath(color_test::kRgb1998);
    ASSERT_NE(rgb1998, nullptr);
    EXPECT_EQ(rgb1998->deviceClass(), color::kClassMonitor);
    EXPECT_EQ(rgb1998->colorSpace(), color::kSpaceRgb);
    EXPECT_THAT(rgb1998->description(), testing::EndsWith("RGB (1998)"));
    EXPECT_NE(Profile::openPath(color_test::kSrgb), nullptr);
}

TEST(Profile, BorrowedBytesAreReadInPlaceAndBoundsChecked) {
    std::vector<std::byte> bytes = fileBytes(color_test::kRgb1998);
    ASSERT_GT(bytes.size(), 128U);
    // Tags are read when asked for, from the caller's bytes.
    auto profile = Profile::openBytes(bytes);
    ASSERT_NE(profile, nullptr);
    EXPECT_THAT(profile->description(), testing::EndsWith("RGB (1998)"));

    // A header promising more than is there, a cut header, nothing at all.
    const std::vector<std::byte> header(bytes.begin(), bytes.begin() + 128);
    EXPECT_EQ(Profile::openBytes(header), nullptr);
    EXPECT_EQ(Profile::openBytes(std::span(bytes.data(), 64)), nullptr);
    EXPECT_EQ(Profile::openBytes({}), nullptr);
    std::vector<std::byte> garbage(4096, std::byte{0x5A});
    EXPECT_EQ(Profile::openBytes(garbage), nullptr);
}

TEST(Profile, RawTagsAndDeviceSignatures) {
    testsupport::TemporaryFolder folder;
    const std::filesystem::path file = folder / "rgb.icc";
    color_test::writeRgbPrinterProfile(file, "Raw RGB");
    cmsHPROFILE edited = cmsOpenProfileFromFile(file.c_str(), "r");
    ASSERT_NE(edited, nullptr);
    cmsSetHeaderManufacturer(edited, color::signature("ORVN"));
    cmsSetHeaderModel(edited, color::signature("SL70"));
    ASSERT_TRUE(cmsSaveProfileToFile(edited, (folder / "signed.icc").c_str()));
    cmsCloseProfile(edited);

    const auto profile = Profile::openPath(folder / "signed.icc");
    ASSERT_NE(profile, nullptr);
    EXPECT_EQ(profile->manufacturer(), color::signature("ORVN"));
    EXPECT_EQ(profile->model(), color::signature("SL70"));
    const auto description = profile->rawTag(color::signature("desc"));
    ASSERT_TRUE(description.has_value());
    ASSERT_GE(description->size(), 12U);
    // A version-4 profile describes itself in a multi-localized element.
    EXPECT_EQ(std::memcmp(description->data(), "mluc", 4), 0);
    EXPECT_EQ(profile->rawTag(color::signature("dscm")), std::nullopt);
}

TEST(Profile, FileUrls) {
    struct Case {
        const char* url;
        const char* path;
    };
    for (const Case& c :
         {Case{"file:///a/b.icc", "/a/b.icc"}, Case{"file://localhost/a%20b.icc", "/a b.icc"},
          Case{"file://otherhost/a.icc", ""}, Case{"http://x/a.icc", ""}, Case{"file:///a%2", ""},
          Case{"file:///a%00b", ""}, Case{"file:///a%zz", ""}, Case{"file://", ""}}) {
        EXPECT_EQ(color::pathFromFileUrl(c.url), c.path) << c.url;
    }
    EXPECT_EQ(Profile::openUrl("file:///nowhere/none.icc"), nullptr);
    EXPECT_EQ(Profile::openPath("/nowhere/none.icc"), nullptr);
}

// Settings files name profiles by path: a pipe at that path, directly or through a link, is no
// profile and must not hold the caller, who waited on it for good.
TEST(Profile, OnlyRegularFilesAreOpenedAndNothingIsWaitedOn) {
    testsupport::TemporaryFolder folder;
    const std::filesystem::path pipe = folder / "pipe.icc";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::filesystem::create_symlink(pipe, folder / "link.icc");
    std::filesystem::create_directory(folder / "folder.icc");
    constexpr std::chrono::seconds kLimit{10};
    for (const char* name : {"pipe.icc", "link.icc", "folder.icc"}) {
        const std::filesystem::path path = folder / name;
        EXPECT_EQ(
            testsupport::runBounded([&] { return Profile::openPath(path) == nullptr; }, kLimit),
            testsupport::BoundedOutcome::kTrue)
            << name;
        const std::string url = "file://" + path.string();
        EXPECT_EQ(testsupport::runBounded([&] { return Profile::openUrl(url) == nullptr; }, kLimit),
                  testsupport::BoundedOutcome::kTrue)
            << name;
    }
    std::filesystem::create_symlink(color_test::kSrgb, folder / "srgb.icc");
    EXPECT_NE(Profile::openPath(folder / "srgb.icc"), nullptr) << "a link to a profile opens";
}

}  // namespace
