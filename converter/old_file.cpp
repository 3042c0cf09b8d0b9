#include "old_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace converter {
namespace {

// An open descriptor of a regular file, closed on leaving. The file is opened without waiting,
// so that a pipe or a device in the old file's place cannot hold the program.
class OldFile {
  public:
    explicit OldFile(const std::filesystem::path& path)
        : fd_(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {
        struct stat status {};
        if (fd_ >= 0 && (::fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode))) {
            ::close(fd_);
            fd_ = -1;
        }
        size_ = fd_ >= 0 ? static_cast<std::uintmax_t>(status.st_size) : 0;
    }
    ~OldFile() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    OldFile(const OldFile&) = delete;
    OldFile& operator=(const OldFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    std::uintmax_t size() const { return size_; }

    bool readAll(std::uint8_t* out, std::size_t count) const {
        std::size_t done = 0;
        while (done < count) {
            const ssize_t got = ::read(fd_, out + done, count - done);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                return false;
            }
            done += static_cast<std::size_t>(got);
        }
        return true;
    }

  private:
    int fd_;
    std::uintmax_t size_ = 0;
};

}  // namespace

std::optional<std::uintmax_t> oldFileSize(const std::filesystem::path& path) {
    const OldFile file(path);
    if (!file.isOpen()) {
        return std::nullopt;
    }
    return file.size();
}

std::optional<std::vector<std::uint8_t>> readOldFile(const std::filesystem::path& path,
                                                     std::size_t size) {
    const OldFile file(path);
    if (!file.isOpen() || file.size() < size) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(size);
    if (!file.readAll(bytes.data(), size)) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace converter
