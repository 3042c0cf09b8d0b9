// The installed-PPD walk visits the driver's folder first and stops when told.
#include "printing/installed_ppds.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/scoped_variable.h"
#include "support/temporary_folder.h"

namespace {

namespace fs = std::filesystem;

const fs::path kAttributes = fs::path(PRINTING_TEST_DATA_DIR) / "attributes.ppd";

class InstalledPpds : public testing::Test {
  protected:
    fs::path driverFile(const std::string& name) {
        const fs::path file = folder_ / "root/PPDs/Contents/Resources" / name;
        fs::create_directories(file.parent_path());
        return file;
    }

    testsupport::TemporaryFolder folder_;
    testsupport::ScopedVariable root_{"STRATOLINE_ROOT", (folder_ / "root").c_str()};
    testsupport::ScopedVariable data_{"CUPS_DATADIR", (folder_ / "cups").c_str()};
};

TEST_F(InstalledPpds, FoldersFollowTheEnvironment) {
    const std::vector<fs::path> expected = {folder_ / "root/PPDs/Contents/Resources",
                                            folder_ / "cups/model", "/usr/share/ppd",
                                            "/usr/local/share/ppd"};
    EXPECT_EQ(printing::installedPpdFolders(), expected);
}

TEST_F(InstalledPpds, WalkTakesTheDriverFolderFirstAndSkipsWhatIsNoPpd) {
    fs::copy_file(kAttributes, driverFile("b/second.ppd"));
    fs::copy_file(kAttributes, driverFile("a.ppd"));
    std::ofstream(driverFile("readme.txt")) << "not a PPD";
    fs::create_directories(folder_ / "cups/model");
    fs::copy_file(kAttributes, folder_ / "cups/model/model.ppd");

    std::vector<fs::path> seen;
    EXPECT_TRUE(printing::forEachInstalledPpd([&](const printing::Ppd& ppd, const fs::path& file) {
        EXPECT_EQ(ppd.modelName(), "Stratoline Attribute Test");
        seen.push_back(file);
        return true;
    }));
    ASSERT_GE(seen.size(), 3U);
    EXPECT_EQ(seen[0], driverFile("a.ppd"));
    EXPECT_EQ(seen[1], driverFile("b/second.ppd"));
    EXPECT_EQ(seen[2], folder_ / "cups/model/model.ppd");
}

TEST_F(InstalledPpds, WalkStopsWhereTheVisitorSays) {
    fs::copy_file(kAttributes, driverFile("a.ppd"));
    fs::copy_file(kAttributes, driverFile("b.ppd"));
    int visits = 0;
    EXPECT_FALSE(printing::forEachInstalledPpd([&](const printing::Ppd&, const fs::path&) {
        ++visits;
        return false;
    }));
    EXPECT_EQ(visits, 1);
}

}  // namespace
