// A program that a test starts and stops by its process id: its standard output comes back
// through a pipe, its standard error too or into a log file.
//
// The program gets this process's environment without the preload and test-bed variables that
// belong to the test program itself. It dies with the thread that started it, so that a test
// that crashes leaves no program behind.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace nettest {

class ChildProcess {
  public:
    struct Options {
        std::vector<std::string> arguments;  ///< the program (found on PATH, or in /usr/sbin)
        std::filesystem::path log;           ///< standard error; none: with the output
        /// When set, the program gets a mount namespace of its own in which this folder stands in
        /// for /run (for daemons that keep fixed files there).
        std::filesystem::path runFolder;
    };

    ChildProcess() = default;
    ~ChildProcess() { stop(); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    /// Starts the program; false with error() set when it cannot be started.
    bool start(const Options& options);
    const std::string& error() const { return error_; }
    pid_t pid() const { return pid_; }

    /// Reads standard output until a line contains `text`; false when the program ends or
    /// `timeout` passes first.
    bool waitForOutput(std::string_view text, std::chrono::milliseconds timeout);
    /// What the program wrote to standard output so far (as far as read).
    const std::string& output() const { return output_; }

    /// Ends the program: SIGTERM, then SIGKILL when it has not ended within 5 s; waits for it.
    void stop();

  private:
    pid_t pid_ = -1;
    int outputPipe_ = -1;
    std::string output_;
    std::string error_;
};

}  // namespace nettest
