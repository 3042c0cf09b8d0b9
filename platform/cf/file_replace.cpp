// Atomic replacement of whole files.
#include "cf/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>

namespace cf {
namespace {

// A name in the target's folder that no other writer of this process or another one uses.
std::filesystem::path temporarySibling(const std::filesystem::path& path) {
    static std::atomic<unsigned> counter{0};
    auto name = "." + path.filename().string() + "." + std::to_string(::getpid()) + "." +
                std::to_string(counter++) + ".tmp";
    return path.parent_path() / name;
}

// The replacement of an existing file takes over its permission bits. Anything else at the
// name, a symbolic link among them, is replaced by a file of the ordinary mode: the bits of a
// link's target, which may lie anywhere, say nothing about this file.
bool keepModeOfTarget(int fd, const std::filesystem::path& path) {
    struct stat target {};
    if (::lstat(path.c_str(), &target) != 0 || !S_ISREG(target.st_mode)) {
        return true;
    }
    constexpr mode_t kPermissionBits = 07777;
    return ::fchmod(fd, target.st_mode & kPermissionBits) == 0;
}

// Makes the rename itself durable; a folder that cannot be synced still holds the new file.
void syncFolderOf(const std::filesystem::path& path) {
    const auto folder = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool writeAll(int fd, std::span<const std::uint8_t> bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

bool replaceFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    const auto temporary = temporarySibling(path);
    constexpr mode_t kFileMode = 0666;  // narrowed by the process's creation mask
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kFileMode);
    if (fd < 0) {
        return false;
    }
    const bool written = keepModeOfTarget(fd, path) && writeAll(fd, bytes) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.c_str(), path.c_str()) != 0) {
        const int savedErrno = errno;
        ::unlink(temporary.c_str());
        errno = savedErrno;
        return false;
    }
    syncFolderOf(path);
    return true;
}

}  // namespace cf
