// Checks of chosen profiles by URL string, path, bytes: existence, printer class and version;
// the version of the main display's profile.
#include "profiles/profile_check.h"

#include <gtest/gtest.h>

#include <fstream>

#include "fixture_profiles.h"
#include "support/scoped_variable.h"
#include "support/temporary_folder.h"

namespace {

namespace fs = std::filesystem;
using profile_test::FixtureProfile;

TEST(ProfileCheck, ExistenceClassAndVersionByUrlString) {
    testsupport::TemporaryFolder folder;
    profile_test::writeFixtureProfile(folder / "printer 2.icc", {.version = 2.1});
    profile_test::writeFixtureProfile(folder / "monitor.icc",
                                      {.deviceClass = color::kClassMonitor, .version = 4.3});
    std::ofstream(folder / "text.icc") << "no profile";
    const std::string printerUrl = "file://" + (folder.path() / "printer%202.icc").string();
    const std::string monitorPath = (folder / "monitor.icc").string();

    struct Case {
        std::string url;
        int exists;
        int printer;
        std::uint32_t version;
    };
    for (const Case& c : {
             Case{printerUrl, 1, 1, 0x02100000},
             Case{monitorPath, 1, 0, 0x04300000},
             Case{(folder / "text.icc").string(), 0, 0, kDefaultProfileVersion},
             Case{(folder / "absent.icc").string(), 0, 0, kDefaultProfileVersion},
             Case{"printer 2.icc", 0, 0, kDefaultProfileVersion},
             Case{"http://host/monitor.icc", 0, 0, kDefaultProfileVersion},
             Case{"", 0, 0, kDefaultProfileVersion},
         }) {
        EXPECT_EQ(ProfileExistsCheck(c.url.c_str()), c.exists) << c.url;
        EXPECT_EQ(OutPutProfileCheckForPreviewProof(c.url.c_str()), c.printer) << c.url;
        EXPECT_EQ(ProfileVersionCheck(c.url.c_str()), c.version) << c.url;
    }
    EXPECT_EQ(ProfileExistsCheck(nullptr), 0);
    EXPECT_EQ(ProfileVersionCheck(nullptr), kDefaultProfileVersion);
}

TEST(ProfileCheck, VersionFromFileAndBytes) {
    testsupport::TemporaryFolder folder;
    profile_test::writeFixtureProfile(folder / "v4.icc", {.version = 4.2});
    EXPECT_EQ(ProfileVersionCheckFromURL(folder / "v4.icc"), 0x04200000U);
    EXPECT_EQ(ProfileVersionCheckFromURL(folder / "absent.icc"), kDefaultProfileVersion);

    const std::vector<std::byte> bytes = profile_test::fileBytes(folder / "v4.icc");
    EXPECT_EQ(ProfileVersionCheckFromBuffer(bytes.data(), bytes.size()), 0x04200000U);
    EXPECT_EQ(ProfileVersionCheckFromBuffer(bytes.data(), 100), kDefaultProfileVersion);
    EXPECT_EQ(ProfileVersionCheckFromBuffer(nullptr, 0), kDefaultProfileVersion);
}

// The big-endian version field at byte 8 of a profile file, read without the colour module.
std::uint32_t headerVersion(const fs::path& file) {
    const std::vector<std::byte> bytes = profile_test::fileBytes(file);
    std::uint32_t version = 0;
    for (std::size_t index = 8; index < 12 && index < bytes.size(); ++index) {
        version = (version << 8) | std::to_integer<std::uint32_t>(bytes[index]);
    }
    return version;
}

TEST(ProfileCheck, DisplayProfileVersionIsTheConfiguredDisplayProfiles) {
    testsupport::TemporaryFolder folder;
    profile_test::writeFixtureProfile(folder / "display2.icc",
                                      {.deviceClass = color::kClassMonitor, .version = 2.1});
    profile_test::writeFixtureProfile(folder / "display4.icc",
                                      {.deviceClass = color::kClassMonitor, .version = 4.3});
    std::ofstream(folder / "text.icc") << "no profile";
    const fs::path desktopSrgb = "/usr/share/color/icc/colord/sRGB.icc";

    struct Case {
        const char* display;  // STRATOLINE_DISPLAY_PROFILE, null for none
        std::uint32_t version;
    };
    const std::string v2 = (folder / "display2.icc").string();
    const std::string v4 = (folder / "display4.icc").string();
    const std::string text = (folder / "text.icc").string();
    const std::string absent = (folder / "absent.icc").string();
    for (const Case& c : {
             Case{v2.c_str(), 0x02100000},
             Case{v4.c_str(), 0x04300000},
             Case{text.c_str(), kDefaultProfileVersion},
             Case{absent.c_str(), kDefaultProfileVersion},
             Case{nullptr, headerVersion(desktopSrgb)},
             Case{"", headerVersion(desktopSrgb)},
         }) {
        testsupport::ScopedVariable display("STRATOLINE_DISPLAY_PROFILE", c.display);
        EXPECT_EQ(DisplayProfileVersionCheck(), c.version) << (c.display ? c.display : "(none)");
    }
    // The desktop's sRGB profile is of version 4, so the answer without a setting is read too.
    EXPECT_GE(headerVersion(desktopSrgb), 0x04000000U);
}

}  // namespace
