// PPD files open plain or compressed, and their attributes are found in file order by exact
// keyword.
#include "printing/ppd.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "support/bounded_call.h"
#include "support/temporary_folder.h"

namespace {

namespace fs = std::filesystem;

const fs::path kAttributes = fs::path(PRINTING_TEST_DATA_DIR) / "attributes.ppd";

TEST(Ppd, AttributesByExactKeywordInFileOrder) {
    const auto ppd = printing::Ppd::openFile(kAttributes);
    ASSERT_NE(ppd, nullptr);
    EXPECT_TRUE(ppd->hasAttributes());
    EXPECT_EQ(ppd->modelName(), "Stratoline Attribute Test");
    EXPECT_EQ(ppd->attribute("VQNote"), "first");
    EXPECT_EQ(ppd->attribute("VQEmpty"), "");
    EXPECT_EQ(ppd->attribute("FileVersion"), "1.0");
    EXPECT_EQ(ppd->attribute("vqnote"), std::nullopt);
    EXPECT_EQ(ppd->attribute("VQAbsent"), std::nullopt);
}

TEST(Ppd, CompressedFilesOpenAndOtherFilesDoNot) {
    testsupport::TemporaryFolder folder;
    const fs::path compressed = folder / "attributes.ppd.gz";
    const std::string command =
        "gzip -c '" + kAttributes.string() + "' > '" + compressed.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const auto ppd = printing::Ppd::openFile(compressed);
    ASSERT_NE(ppd, nullptr);
    EXPECT_EQ(ppd->attribute("VQNote"), "first");

    std::ofstream(folder / "notes.txt") << "*PPD-Adobe is what this is not\n";
    EXPECT_EQ(printing::Ppd::openFile(folder / "notes.txt"), nullptr);
    EXPECT_EQ(printing::Ppd::openFile(folder / "absent.ppd"), nullptr);
}

// A pipe among the PPDs, directly or through a link, is no PPD and must not hold the walk.
TEST(Ppd, OnlyRegularFilesAreOpenedAndNothingIsWaitedOn) {
    testsupport::TemporaryFolder folder;
    ASSERT_EQ(::mkfifo((folder / "pipe.ppd").c_str(), 0600), 0);
    fs::create_symlink(folder / "pipe.ppd", folder / "link.ppd");
    fs::create_directory(folder / "folder.ppd");
    for (const char* name : {"pipe.ppd", "link.ppd", "folder.ppd"}) {
        const fs::path path = folder / name;
        EXPECT_EQ(testsupport::runBounded([&] { return printing::Ppd::openFile(path) == nullptr; },
                                          std::chrono::seconds(10)),
                  testsupport::BoundedOutcome::kTrue)
            << name;
    }
    fs::create_symlink(kAttributes, folder / "attributes.ppd");
    const auto linked = printing::Ppd::openFile(folder / "attributes.ppd");
    ASSERT_NE(linked, nullptr) << "a link to a PPD opens";
    EXPECT_EQ(linked->modelName(), "Stratoline Attribute Test");
}

TEST(Ppd, TestFilesPassTheConformanceTest) {
    if (::access("/usr/bin/cupstestppd", X_OK) != 0) {
        GTEST_SKIP() << "cupstestppd is not installed (Debian package cups-client)";
    }
    for (const auto& entry : fs::directory_iterator(PRINTING_TEST_DATA_DIR)) {
        const std::string command = "cupstestppd -q '" + entry.path().string() + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << entry.path();
    }
}

}  // namespace
