// The running processes' executables: a program started by the test is listed under its path
// while it runs, also once its file has been removed, and is gone once it has ended.
#include "processes/running_processes.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/running_program.h"
#include "support/temporary_folder.h"

namespace {

namespace fs = std::filesystem;

long occurrences(const fs::path& executable) {
    const auto executables = processes::runningExecutables();
    return std::count(executables.begin(), executables.end(), executable);
}

TEST(RunningProcesses, ListsEachRunningCopyUnderItsPathUntilItEnds) {
    const testsupport::TemporaryFolder folder;
    const fs::path program = folder / "strato program";
    testsupport::RunningProgram first(program);
    testsupport::RunningProgram second(program);
    ASSERT_TRUE(first.running());
    ASSERT_TRUE(second.running());
    EXPECT_EQ(occurrences(program), 2);
    first.stop();
    EXPECT_EQ(occurrences(program), 1);
    second.stop();
    EXPECT_EQ(occurrences(program), 0);
}

TEST(RunningProcesses, AProgramWhoseFileWasRemovedKeepsItsPath) {
    const testsupport::TemporaryFolder folder;
    const fs::path program = folder / "removed";
    testsupport::RunningProgram running(program);
    ASSERT_TRUE(running.running());
    fs::remove(program);
    EXPECT_EQ(occurrences(program), 1);
}

TEST(RunningProcesses, ListsThisProcess) {
    // Other tests of this program may run beside this one.
    EXPECT_GE(occurrences(fs::read_symlink("/proc/self/exe")), 1);
}

}  // namespace
