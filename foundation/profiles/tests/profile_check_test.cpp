// Checks of chosen profiles by URL string, path, bytes: existence, printer class and version.
#include "profiles/profile_check.h"

#include <gtest/gtest.h>

#include <fstream>

#include "fixture_profiles.h"
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
    EXPECT_EQ(DisplayProfileVersionCheck(), kDefaultProfileVersion);
}

}  // namespace
