// Detached start of a program: fork, a new session, fork again, exec. The middle process exits at
// once, so the program is adopted by init and never becomes the caller's zombie; a close-on-exec
// pipe carries the errno of a failing step back, and closes unread when the exec succeeds. Between
// fork and exec only async-signal-safe calls are made.
#include "events/process_launch.h"

#include <fcntl.h>
#include <linux/close_range.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace events {
namespace {

[[noreturn]] void failInChild(int report) {
    const int error = errno;
    [[maybe_unused]] const ssize_t ignored = ::write(report, &error, sizeof(error));
    ::_exit(127);
}

[[noreturn]] void runDetached(const char* program, char* const* argv, int report) {
    if (::setsid() < 0) {
        failInChild(report);
    }
    const pid_t grandchild = ::fork();
    if (grandchild < 0) {
        failInChild(report);
    }
    if (grandchild > 0) {
        ::_exit(0);
    }
    const int null = ::open("/dev/null", O_RDWR);
    if (null < 0 || ::dup2(null, STDIN_FILENO) < 0 || ::dup2(null, STDOUT_FILENO) < 0 ||
        ::dup2(null, STDERR_FILENO) < 0) {
        failInChild(report);
    }
    if (null > STDERR_FILENO) {
        ::close(null);
    }
    // Nothing else of the caller's (its sockets, its files) goes over to the program.
    ::close_range(STDERR_FILENO + 1, ~0U, CLOSE_RANGE_CLOEXEC);
    ::execv(program, argv);
    failInChild(report);
}

}  // namespace

int launchDetached(const std::filesystem::path& program,
                   const std::vector<std::string>& arguments) {
    std::vector<std::string> texts{program.string()};
    texts.insert(texts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& text : texts) {
        argv.push_back(text.data());
    }
    argv.push_back(nullptr);

    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) {
        return errno;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        const int error = errno;
        ::close(report[0]);
        ::close(report[1]);
        return error;
    }
    if (child == 0) {
        ::close(report[0]);
        runDetached(argv[0], argv.data(), report[1]);
    }
    ::close(report[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t got = 0;
    do {
        got = ::read(report[0], &error, sizeof(error));
    } while (got < 0 && errno == EINTR);
    ::close(report[0]);
    return got == static_cast<ssize_t>(sizeof(error)) ? error : 0;
}

}  // namespace events
