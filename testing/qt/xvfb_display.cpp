#include "qt/xvfb_display.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace qt_test {
namespace {

constexpr int kStartTimeoutMs = 10000;
constexpr const char* kScreen = "1024x768x24";

}  // namespace

XvfbDisplay::XvfbDisplay() {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) {
        return;
    }
    pid_ = ::fork();
    if (pid_ == 0) {
        ::close(pipeFds[0]);
        const std::string fd = std::to_string(pipeFds[1]);
        // -displayfd: the server picks a free display and writes its number to the pipe.
        ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", kScreen, "-nolisten",
                 "tcp", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    if (pid_ < 0) {
        ::close(pipeFds[0]);
        return;
    }
    std::string number;
    pollfd ready{pipeFds[0], POLLIN, 0};
    char c = 0;
    while (::poll(&ready, 1, kStartTimeoutMs) > 0 && ::read(pipeFds[0], &c, 1) == 1 && c != '\n') {
        number.push_back(c);
    }
    ::close(pipeFds[0]);
    if (!number.empty()) {
        name_ = ":" + number;
    }
}

XvfbDisplay::~XvfbDisplay() {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
}

}  // namespace qt_test
