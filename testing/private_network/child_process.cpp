// A program that a test starts and stops by its process id.
#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <thread>

extern char** environ;

namespace nettest {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds kStopGrace{5000};
constexpr std::chrono::milliseconds kStopPoll{10};
constexpr int kExecFailed = 127;

// Variables of the test program that must not reach the programs it starts: the preload list
// (the USB test bed's library among it) and the test bed's own.
constexpr std::string_view kDroppedVariables[] = {
    "LD_PRELOAD=", "UMOCKDEV_DIR=", "STRATOLINE_UMOCKDEV_RESTARTED="};

std::vector<std::string> childEnvironment() {
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view text(*entry);
        bool dropped = false;
        for (const std::string_view prefix : kDroppedVariables) {
            dropped = dropped || text.starts_with(prefix);
        }
        if (!dropped) {
            environment.emplace_back(text);
        }
    }
    return environment;
}

// The program's path: as given when it has a "/", else the first match on PATH or in the
// administrators' folders.
std::string programPath(const std::string& name) {
    if (name.find('/') != std::string::npos) {
        return name;
    }
    std::string folders = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
    folders += ":/usr/sbin:/sbin";
    std::size_t start = 0;
    while (start <= folders.size()) {
        const std::size_t end = std::min(folders.find(':', start), folders.size());
        const std::string candidate = folders.substr(start, end - start) + "/" + name;
        if (end > start && ::access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
        start = end + 1;
    }
    return {};
}

std::vector<char*> pointers(std::vector<std::string>& texts) {
    std::vector<char*> result;
    for (std::string& text : texts) {
        result.push_back(text.data());
    }
    result.push_back(nullptr);
    return result;
}

// Runs in the child between fork and exec: only system calls, nothing that allocates.
[[noreturn]] void becomeProgram(const char* path, char* const* arguments, char* const* environment,
                                int output, int log, const char* runFolder) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    ::dup2(output, STDOUT_FILENO);
    ::dup2(log, STDERR_FILENO);
    const int input = ::open("/dev/null", O_RDONLY);
    ::dup2(input, STDIN_FILENO);
    ::close_range(STDERR_FILENO + 1, ~0U, 0);
    if (runFolder != nullptr &&
        (::unshare(CLONE_NEWNS) != 0 ||
         ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
         ::mount(runFolder, "/run", nullptr, MS_BIND, nullptr) != 0)) {
        ::_exit(kExecFailed);
    }
    ::execve(path, arguments, environment);
    ::_exit(kExecFailed);
}

}  // namespace

bool ChildProcess::start(const Options& options) {
    std::vector<std::string> arguments = options.arguments;
    if (arguments.empty()) {
        error_ = "no program";
        return false;
    }
    const std::string path = programPath(arguments.front());
    if (path.empty()) {
        error_ = "program not found: " + arguments.front();
        return false;
    }
    std::vector<std::string> environment = childEnvironment();
    const std::vector<char*> argumentPointers = pointers(arguments);
    const std::vector<char*> environmentPointers = pointers(environment);
    const std::string log = options.log.string();
    const std::string runFolder = options.runFolder.string();

    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
        error_ = std::string("cannot make a pipe: ") + std::strerror(errno);
        return false;
    }
    const int logFile = log.empty()
                            ? ::dup(pipeEnds[1])
                            : ::open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (logFile < 0) {
        error_ = "cannot open " + log + ": " + std::strerror(errno);
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        return false;
    }
    pid_ = ::fork();
    if (pid_ == 0) {
        becomeProgram(path.c_str(), argumentPointers.data(), environmentPointers.data(),
                      pipeEnds[1], logFile, runFolder.empty() ? nullptr : runFolder.c_str());
    }
    ::close(pipeEnds[1]);
    ::close(logFile);
    if (pid_ < 0) {
        error_ = std::string("cannot fork: ") + std::strerror(errno);
        ::close(pipeEnds[0]);
        return false;
    }
    outputPipe_ = pipeEnds[0];
    return true;
}

bool ChildProcess::waitForOutput(std::string_view text, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (output_.find(text) == std::string::npos) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (outputPipe_ < 0 || left.count() <= 0) {
            return false;
        }
        pollfd wait{outputPipe_, POLLIN, 0};
        if (::poll(&wait, 1, static_cast<int>(left.count())) <= 0) {
            continue;
        }
        char chunk[512];
        const ssize_t got = ::read(outputPipe_, chunk, sizeof chunk);
        if (got <= 0) {
            ::close(outputPipe_);
            outputPipe_ = -1;
            return false;
        }
        output_.append(chunk, static_cast<std::size_t>(got));
    }
    return true;
}

void ChildProcess::stop() {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        const auto deadline = Clock::now() + kStopGrace;
        while (::waitpid(pid_, nullptr, WNOHANG) == 0) {
            if (Clock::now() >= deadline) {
                ::kill(pid_, SIGKILL);
                ::waitpid(pid_, nullptr, 0);
                break;
            }
            std::this_thread::sleep_for(kStopPoll);
        }
        pid_ = -1;
    }
    if (outputPipe_ >= 0) {
        ::close(outputPipe_);
        outputPipe_ = -1;
    }
}

}  // namespace nettest
