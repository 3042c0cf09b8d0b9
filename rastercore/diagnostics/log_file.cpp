// File helpers of the timing log.
#include "diagnostics/log_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int open_logFile2(const char* path, int* fd, int flags, bool create) {
    if (path == nullptr || fd == nullptr) {
        return -1;
    }
    if (create) {
        flags |= O_CREAT | O_TRUNC;
    }
    const int opened = ::open(path, flags | O_CLOEXEC, kLogFileMode);
    if (opened < 0) {
        return -1;
    }
    if (create) {
        ::fchmod(opened, kLogFileMode);
    }
    *fd = opened;
    return 0;
}

int open_logFile(const char* path, int* fd, bool create) {
    return open_logFile2(path, fd, O_RDWR, create);
}

int close_logFile(int fd) {
    return ::close(fd) == 0 ? 0 : -1;
}

int remove_logFile(const char* path) {
    if (path == nullptr) {
        return -1;
    }
    return ::unlink(path) == 0 ? 0 : -1;
}

bool write_logText(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written <= 0) {
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}
