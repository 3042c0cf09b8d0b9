// Starting a program detached: it runs in a session of its own, is not the caller's child, gets
// none of the caller's descriptors, and a program that cannot be run is reported.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "events/process_launch.h"
#include "support/temporary_folder.h"

namespace {

std::string waitForFile(const std::filesystem::path& file) {
    for (int i = 0; i < 1000; ++i) {
        std::ifstream in(file);
        std::stringstream text;
        text << in.rdbuf();
        if (text.str().find("end") != std::string::npos) {
            return text.str();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return {};
}

TEST(ProcessLaunch, AProgramRunsDetachedFromItsCaller) {
    const testsupport::TemporaryFolder folder;
    const auto out = folder / "out";
    // Descriptors without close-on-exec, at numbers the shell never uses itself: they must not
    // reach the program all the same.
    int pipes[2];
    ASSERT_EQ(::pipe(pipes), 0);
    const int kept[] = {::fcntl(pipes[0], F_DUPFD, 100), ::fcntl(pipes[1], F_DUPFD, 100)};
    const std::string script = "cut -d' ' -f6 /proc/$$/stat > '" + out.string() +
                               "'; ls /proc/$$/fd >> '" + out.string() + "'; echo end >> '" +
                               out.string() + "'";
    ASSERT_EQ(events::launchDetached("/bin/sh", {"-c", script}), 0);
    const std::string text = waitForFile(out);
    ASSERT_FALSE(text.empty());
    std::istringstream lines(text);
    std::string session;
    std::getline(lines, session);
    EXPECT_NE(std::stol(session), static_cast<long>(::getsid(0))) << text;
    std::string descriptor;
    while (lines >> descriptor && descriptor != "end") {
        EXPECT_NE(std::stoi(descriptor), kept[0]) << text;
        EXPECT_NE(std::stoi(descriptor), kept[1]) << text;
    }
    int status = 0;
    EXPECT_EQ(::waitpid(-1, &status, WNOHANG), -1);  // no child of ours left
    for (const int fd : {pipes[0], pipes[1], kept[0], kept[1]}) {
        ::close(fd);
    }
}

TEST(ProcessLaunch, AProgramThatCannotRunIsReported) {
    EXPECT_EQ(events::launchDetached("/nonexistent/program", {}), ENOENT);
    const testsupport::TemporaryFolder folder;
    std::ofstream(folder / "data") << "not a program";
    EXPECT_EQ(events::launchDetached(folder / "data", {}), EACCES);
}

}  // namespace
