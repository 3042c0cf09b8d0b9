// A copy of a small system program run under a chosen path for one test, ended with the test.
#pragma once

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>

extern char** environ;

namespace testsupport {

class RunningProgram {
  public:
    /// Copies the system's sleep program to `file` (making its folder; a copy already there, which
    /// may be running, is kept) and runs the copy for far longer than a test lasts; waits, within
    /// a bounded time, until the process runs it.
    explicit RunningProgram(const std::filesystem::path& file) {
        std::error_code error;
        std::filesystem::create_directories(file.parent_path(), error);
        std::filesystem::copy_file(kProgram, file, std::filesystem::copy_options::skip_existing,
                                   error);
        if (error) {
            return;
        }
        std::string name = file.filename().string();
        std::string duration = kSleepSeconds;
        char* arguments[] = {name.data(), duration.data(), nullptr};
        if (::posix_spawn(&pid_, file.c_str(), nullptr, nullptr, arguments, environ) != 0) {
            pid_ = 0;
            return;
        }
        const std::filesystem::path link = "/proc/" + std::to_string(pid_) + "/exe";
        for (int step = 0; step < kWaitSteps && !running_; ++step) {
            running_ = std::filesystem::read_symlink(link, error) == file;
            if (!running_) {
                std::this_thread::sleep_for(kWaitStep);
            }
        }
    }
    ~RunningProgram() { stop(); }
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    /// True once the process runs the copy.
    bool running() const { return running_; }

    /// Ends the process and waits for it.
    void stop() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            int status = 0;
            ::waitpid(pid_, &status, 0);
            pid_ = 0;
            running_ = false;
        }
    }

  private:
    static constexpr const char* kProgram = "/bin/sleep";
    static constexpr const char* kSleepSeconds = "600";
    static constexpr int kWaitSteps = 500;
    static constexpr std::chrono::milliseconds kWaitStep{10};

    pid_t pid_ = 0;
    bool running_ = false;
};

}  // namespace testsupport
