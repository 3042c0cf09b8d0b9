// The timing log on the Desktop's "DEBUG_TIME" folder.
#include "diagnostics/debug_time.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "support/temporary_folder.h"

namespace {

namespace fs = std::filesystem;

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class DebugTime : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directory(desktop());
        ::setenv("STRATOLINE_DESKTOP", desktop().c_str(), 1);
    }
    fs::path desktop() const { return home_ / "Desktop"; }
    fs::path log() const { return desktop() / "DEBUG_TIME" / "debug_time.csv"; }

    testsupport::TemporaryFolder home_;
};

TEST_F(DebugTime, OffWithoutTheFolderAndNothingIsWritten) {
    EXPECT_EQ(getDebugTimeMode(), 0);
    TimeProcessRecord* record = nullptr;
    ASSERT_EQ(startTimeProcess(&record, nullptr, "photo.tif", "2026/12/08/07/05/09", "x"), 0);
    EXPECT_EQ(endTimeProcess(record), rastercore::kDebugTimeBadPath);
    EXPECT_FALSE(fs::exists(log()));
    EXPECT_FALSE(fs::exists(desktop() / "DEBUG_TIME"));
}

TEST_F(DebugTime, OffWithoutADesktop) {
    ::setenv("STRATOLINE_DESKTOP", (home_ / "missing").c_str(), 1);
    EXPECT_EQ(getDebugTimeMode(), 0);
    TimeProcessRecord* record = nullptr;
    ASSERT_EQ(startTimeProcess(&record, nullptr, nullptr, "d", "x"), 0);
    EXPECT_EQ(endTimeProcess(record), rastercore::kDebugTimeNoDesktop);
}

TEST_F(DebugTime, FirstJobWritesTheHeaderLaterJobsOnlyAppend) {
    fs::create_directory(desktop() / "DEBUG_TIME");
    EXPECT_EQ(getDebugTimeMode(), 1);
    EXPECT_FALSE(fs::exists(desktop() / "DEBUG_TIME" / "dummy"));
    for (const char* name : {"photo.tif", "second.psd"}) {
        TimeProcessRecord* record = nullptr;
        ASSERT_EQ(startTimeProcess(&record, nullptr, name, "2026/12/08/07/05/09", "print_plugIn"),
                  0);
        EXPECT_EQ(endTimeProcess(record), 0);
    }
    const std::regex expected(
        "name,fileName,date,print Time\\[ms\\]\r\n"
        "print_plugIn,photo\\.tif,2026/12/08/07/05/09,[0-9]+\\.[0-9]{6}\r\n"
        "print_plugIn,second\\.psd,2026/12/08/07/05/09,[0-9]+\\.[0-9]{6}\r\n");
    EXPECT_TRUE(std::regex_match(readText(log()), expected)) << readText(log());
    struct stat status {};
    ASSERT_EQ(::stat(log().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0644u);
}

TEST_F(DebugTime, RecordArguments) {
    EXPECT_EQ(startTimeProcess(nullptr, nullptr, "a", "b", "c"), -1);
    EXPECT_EQ(endTimeProcess(nullptr), 0);
    fs::create_directory(desktop() / "DEBUG_TIME");
    TimeProcessRecord* record = nullptr;
    ASSERT_EQ(startTimeProcess(&record, "other.csv", nullptr, "d", "label"), 0);
    EXPECT_EQ(endTimeProcess(record), 0);
    EXPECT_TRUE(std::regex_match(readText(desktop() / "DEBUG_TIME" / "other.csv"),
                                 std::regex("name,.*\r\nlabel,,d,[0-9.]+\r\n")));
}

}  // namespace
