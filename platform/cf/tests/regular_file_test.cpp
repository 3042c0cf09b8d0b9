// Files that others can put in place: only regular files are read, and never with a wait.
#include "cf/regular_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "support/temporary_folder.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

TEST(RegularFile, ReadsOnlyRegularFilesHoldingEnoughBytes) {
    testsupport::TemporaryFolder folder;
    std::ofstream(folder / "file") << "0123456789";
    EXPECT_EQ(cf::regularFileSize(folder / "file"), 10u);
    EXPECT_EQ(cf::readRegularFileStart(folder / "file", 4), (Bytes{'0', '1', '2', '3'}));
    EXPECT_EQ(cf::readRegularFileStart(folder / "file", 10)->size(), 10u);
    EXPECT_EQ(cf::readRegularFileStart(folder / "file", 11), std::nullopt);
    EXPECT_EQ(cf::readRegularFileStart(folder / "missing", 1), std::nullopt);
    EXPECT_EQ(cf::readRegularFileStart(folder.path(), 0), std::nullopt) << "a folder";
}

TEST(RegularFile, WholeFilesWithTheReasonOfEachRefusal) {
    testsupport::TemporaryFolder folder;
    std::ofstream(folder / "file") << "0123456789";
    ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
    fs::create_symlink(folder / "pipe", folder / "link-to-pipe");
    fs::create_symlink(folder / "gone", folder / "dangling");
    fs::create_symlink(folder / "file", folder / "link-to-file");

    struct Case {
        const char* name;
        fs::path path;
        std::size_t largest;
        cf::FileReadStatus status;
    };
    const Case cases[] = {
        {"regular", folder / "file", 10, cf::FileReadStatus::Ok},
        {"through a link", folder / "link-to-file", 10, cf::FileReadStatus::Ok},
        {"one byte too many", folder / "file", 9, cf::FileReadStatus::TooLarge},
        {"missing", folder / "missing", 10, cf::FileReadStatus::Missing},
        {"dangling link", folder / "dangling", 10, cf::FileReadStatus::Missing},
        {"folder", folder.path(), 10, cf::FileReadStatus::NotRegular},
        {"pipe without a writer", folder / "pipe", 10, cf::FileReadStatus::NotRegular},
        {"link to a pipe", folder / "link-to-pipe", 10, cf::FileReadStatus::NotRegular},
        {"endless device", "/dev/zero", 10, cf::FileReadStatus::NotRegular},
    };
    for (const Case& each : cases) {
        Bytes out = {'k', 'e', 'p', 't'};
        EXPECT_EQ(cf::readRegularFile(each.path, each.largest, out), each.status) << each.name;
        if (each.status == cf::FileReadStatus::Ok) {
            EXPECT_EQ(out, (Bytes{'0', '1', '2', '3', '4', '5', '6', '7', '8', '9'})) << each.name;
        } else {
            EXPECT_EQ(out, (Bytes{'k', 'e', 'p', 't'})) << each.name << ": output untouched";
        }
    }
}

TEST(RegularFile, ReleasedDescriptorBlocksAndStaysOpen) {
    testsupport::TemporaryFolder folder;
    std::ofstream(folder / "file") << "abc";
    cf::RegularFile file(folder / "file");
    ASSERT_TRUE(file.isOpen());
    const int descriptor = file.release();
    EXPECT_FALSE(file.isOpen());
    ASSERT_GE(descriptor, 0);
    char got[3] = {};
    EXPECT_EQ(::read(descriptor, got, sizeof got), 3);
    ::close(descriptor);

    cf::RegularFile folderFile(folder.path());
    EXPECT_EQ(folderFile.release(), -1);
}

}  // namespace
