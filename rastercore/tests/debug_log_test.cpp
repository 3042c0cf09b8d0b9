// The diagnostic logger to a file descriptor.
#include "diagnostics/debug_log.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "support/temporary_folder.h"

namespace {

TEST(DebugLog, WritesFormattedLinesOnlyAtLevelZeroOrBelow) {
    testsupport::TemporaryFolder folder;
    const auto path = folder / "log.txt";
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    debugLogFd(0, fd, "job %d of %s", 3, "photo.tif");
    debugLogFd(1, fd, "hidden");
    debugLogFd(-1, fd, "%s", "");
    ::close(fd);
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    EXPECT_EQ(text.str(), "job 3 of photo.tif\n\n");
}

}  // namespace
