// A call that may hang or run away, run in a child process for a bounded time, so that a test of
// it fails instead of holding the test program for good.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <thread>

namespace testsupport {

enum class BoundedOutcome { kTrue, kFalse, kTimedOut };

/// Runs `call` in a forked child and gives what it returned, or kTimedOut when the child had not
/// ended after `limit` (it is then killed). Only for tests that run no other thread.
inline BoundedOutcome runBounded(const std::function<bool()>& call,
                                 std::chrono::milliseconds limit) {
    constexpr int kTrueStatus = 0;
    constexpr int kFalseStatus = 1;
    constexpr std::chrono::milliseconds kPoll{10};
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(call() ? kTrueStatus : kFalseStatus);
    }
    if (child < 0) {
        return BoundedOutcome::kFalse;
    }
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            return BoundedOutcome::kTimedOut;
        }
        std::this_thread::sleep_for(kPoll);
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == kTrueStatus ? BoundedOutcome::kTrue
                                                                   : BoundedOutcome::kFalse;
}

}  // namespace testsupport
