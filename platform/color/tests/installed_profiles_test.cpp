// The installed-profile walk visits the user, system and driver folders and stops when told.
#include "color/installed_profiles.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/scoped_variable.h"
#include "support/temporary_folder.h"
#include "test_profiles.h"

namespace {

namespace fs = std::filesystem;

class InstalledProfiles : public testing::Test {
  protected:
    InstalledProfiles()
        : home_("HOME", folder_.path().c_str()),
          data_("XDG_DATA_HOME", (folder_ / "data").c_str()),
          root_("STRATOLINE_ROOT", (folder_ / "root").c_str()) {}

    fs::path made(const fs::path& file) {
        fs::create_directories(file.parent_path());
        return file;
    }

    testsupport::TemporaryFolder folder_;
    testsupport::ScopedVariable home_;
    testsupport::ScopedVariable data_;
    testsupport::ScopedVariable root_;
};

TEST_F(InstalledProfiles, FoldersFollowTheEnvironment) {
    const std::vector<fs::path> folders = color::installedProfileFolders();
    const std::vector<fs::path> expected = {folder_ / "data/icc", folder_ / ".color/icc",
                                            "/usr/share/color/icc",
                                            folder_ / "root/Orvane/TARN/Profiles"};
    EXPECT_EQ(folders, expected);
}

TEST_F(InstalledProfiles, WalkFindsEveryFolderAndSkipsWhatIsNoProfile) {
    color_test::writeGreyProfile(made(folder_ / "data/icc/sub/grey.icc"), "User grey");
    color_test::writeRgbPrinterProfile(made(folder_ / ".color/icc/rgb.icc"), "Old-place RGB");
    color_test::writeCmykPrinterProfile(made(folder_ / "root/Orvane/TARN/Profiles/paper.icc"),
                                        "Driver paper");
    std::ofstream(folder_ / "data/icc/notes.txt") << "not a profile";

    std::vector<std::string> seen;
    bool sawSystemRgb1998 = false;
    EXPECT_TRUE(
        color::forEachInstalledProfile([&](const color::Profile& profile, const fs::path& file) {
            seen.push_back(profile.description());
            sawSystemRgb1998 |= file == color_test::kRgb1998;
            return true;
        }));
    ASSERT_GE(seen.size(), 4U);
    EXPECT_EQ(seen[0], "User grey");
    EXPECT_EQ(seen[1], "Old-place RGB");
    EXPECT_EQ(seen.back(), "Driver paper");
    EXPECT_TRUE(sawSystemRgb1998);
}

TEST_F(InstalledProfiles, WalkStopsWhereTheVisitorSays) {
    color_test::writeGreyProfile(made(folder_ / "data/icc/a.icc"), "First");
    color_test::writeGreyProfile(made(folder_ / "data/icc/b.icc"), "Second");
    std::vector<std::string> seen;
    EXPECT_FALSE(
        color::forEachInstalledProfile([&](const color::Profile& profile, const fs::path&) {
            seen.push_back(profile.description());
            return profile.description() != "Second";
        }));
    EXPECT_EQ(seen, (std::vector<std::string>{"First", "Second"}));
}

}  // namespace
