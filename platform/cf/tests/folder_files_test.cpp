// The files of a folder tree: every depth, sorted, nothing larger than asked, no folders.
#include "cf/folder_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "support/temporary_folder.h"

namespace {

namespace fs = std::filesystem;

TEST(RegularFilesBelow, EveryDepthSortedAndNoLargerThanAsked) {
    testsupport::TemporaryFolder folder;
    fs::create_directories(folder / "b/deep/er");
    fs::create_directories(folder / "empty");
    std::ofstream(folder / "c.txt") << "1234";
    std::ofstream(folder / "b/deep/er/a.txt") << "12";
    std::ofstream(folder / "a.txt") << std::string(10, 'x');

    const std::vector<fs::path> all = {folder / "a.txt", folder / "b/deep/er/a.txt",
                                       folder / "c.txt"};
    EXPECT_EQ(cf::regularFilesBelow(folder.path()), all);
    const std::vector<fs::path> small = {folder / "b/deep/er/a.txt", folder / "c.txt"};
    EXPECT_EQ(cf::regularFilesBelow(folder.path(), 4), small);
    EXPECT_TRUE(cf::regularFilesBelow(folder / "missing").empty());
    EXPECT_TRUE(cf::regularFilesBelow(folder / "c.txt").empty());
}

}  // namespace
