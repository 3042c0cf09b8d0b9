// The host stand-in as a program: an image it cannot print ends it at once with one line that
// names the file and the reason and the usage exit status, never with an uncaught exception, a
// wait for a writer, a read without end or a kill by a file-size limit.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

#include "image_file.h"
#include "image_fixtures.h"
#include "support/temporary_folder.h"

namespace {

constexpr int kExitUsage = 2;
constexpr std::chrono::seconds kLongestRun{30};
constexpr std::chrono::milliseconds kPollStep{50};

struct HostRun {
    bool ended = false;  ///< within kLongestRun, else killed
    int exitStatus = -1;
    int signal = 0;      ///< the signal that ended it, if one did
    std::string errors;  ///< what it wrote to its standard error (when that is the pipe)
};

// Runs the host program on `image`, its standard error into a pipe or into `errorFile`, under
// the file-size limit `fileSizeLimit` when given; kills it after kLongestRun.
HostRun runHost(const std::filesystem::path& image, int errorFile = -1,
                std::optional<rlim_t> fileSizeLimit = std::nullopt) {
    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0) {
        return {};
    }
    const pid_t child = ::fork();
    if (child == 0) {
        if (fileSizeLimit) {
            const rlimit limit{*fileSizeLimit, *fileSizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        ::dup2(errorFile >= 0 ? errorFile : pipe[1], STDERR_FILENO);
        ::execl(HOST_PROGRAM, "stratoline-host", image.c_str(), nullptr);
        ::_exit(127);
    }
    ::close(pipe[1]);
    HostRun run;
    const auto deadline = std::chrono::steady_clock::now() + kLongestRun;
    int status = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd ready{pipe[0], POLLIN, 0};
        if (::poll(&ready, 1, static_cast<int>(kPollStep.count())) > 0) {
            char buffer[512];
            const ssize_t got = ::read(pipe[0], buffer, sizeof buffer);
            if (got > 0) {
                run.errors.append(buffer, static_cast<std::size_t>(got));
                continue;
            }
        }
        if (::waitpid(child, &status, WNOHANG) == child) {
            run.ended = true;
            break;
        }
    }
    if (!run.ended) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
    }
    ::close(pipe[0]);
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return run;
}

void writeBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

TEST(HostProgram, EndsOnAnImageItCannotPrintWithOneLineNamingTheFileAndTheReason) {
    const testsupport::TemporaryFolder folder;
    std::filesystem::create_directory(folder / "folder.png");
    ASSERT_EQ(::mkfifo((folder / "fifo.tif").c_str(), 0600), 0);
    writeBytes(folder / "huge.png", hosttest::pngWithOneRow(32768, 32768));
    writeBytes(folder / "wide.png", hosttest::pngWithOneRow(100000, 10000));
    hosttest::writeTiffWithOneStrip(folder / "huge.tif", 32768, 32768, COMPRESSION_NONE, 16);
    hosttest::writeTiffWithOneStrip(folder / "wide.tif", 100000, 10000, COMPRESSION_NONE, 16);
    writeBytes(folder / "profile.png", hosttest::pngWithProfile(hosttest::garbageProfile()));
    host::Image rgb;
    rgb.width = rgb.height = 2;
    rgb.channels = 3;
    rgb.bits = 8;
    rgb.samples.assign(2 * 2 * 3, 0x40);
    rgb.iccProfile = hosttest::garbageProfile();
    ASSERT_TRUE(host::writeTiff(rgb, folder / "profile.tif", nullptr));

    constexpr const char* kTooShort = "the file is too short for the image size in its header";
    constexpr const char* kBadProfile = "the image's embedded profile cannot be read";
    const struct {
        std::filesystem::path image;
        const char* reason;
    } cases[] = {
        {folder / "folder.png", "not a regular file"},
        {folder / "fifo.tif", "not a regular file"},
        {"/dev/zero", "not a regular file"},
        {folder / "missing.tif", "no such file"},
        {folder / "huge.png", kTooShort},
        {folder / "wide.png", kTooShort},
        {folder / "huge.tif", kTooShort},
        {folder / "wide.tif", kTooShort},
        {folder / "profile.png", kBadProfile},
        {folder / "profile.tif", kBadProfile},
    };
    for (const auto& c : cases) {
        const HostRun run = runHost(c.image);
        EXPECT_TRUE(run.ended) << c.image;
        EXPECT_EQ(run.signal, 0) << c.image;
        EXPECT_EQ(run.exitStatus, kExitUsage) << c.image;
        EXPECT_EQ(run.errors, "stratoline-host: " + c.image.string() + ": " + c.reason + "\n");
    }
}

// A file-size limit makes writes fail instead of killing the program: here the limit cuts its
// message short, and it still ends with its own exit status.
TEST(HostProgram, EndsWithItsExitStatusUnderAFileSizeLimit) {
    const testsupport::TemporaryFolder folder;
    std::filesystem::create_directory(folder / "folder.png");
    constexpr rlim_t kLimit = 8;
    const int errors =
        ::open((folder / "errors.txt").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(errors, 0);
    const HostRun run = runHost(folder / "folder.png", errors, kLimit);
    ::close(errors);
    EXPECT_TRUE(run.ended);
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.exitStatus, kExitUsage);
    EXPECT_EQ(std::filesystem::file_size(folder / "errors.txt"), kLimit);
}

}  // namespace
