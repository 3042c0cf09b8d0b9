#include "cf/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace cf {

const char* fileReadStatusText(FileReadStatus status) {
    switch (status) {
        case FileReadStatus::Ok:
            return "read";
        case FileReadStatus::Missing:
            return "no such file";
        case FileReadStatus::NotRegular:
            return "not a regular file";
        case FileReadStatus::TooLarge:
            return "file too large";
        case FileReadStatus::Unreadable:
            return "cannot be read";
    }
    return "cannot be read";
}

RegularFile::RegularFile(const std::filesystem::path& path) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        status_ = errno == ENOENT || errno == ENOTDIR ? FileReadStatus::Missing
                  : errno == ENXIO                    ? FileReadStatus::NotRegular  // a socket
                                                      : FileReadStatus::Unreadable;
        return;
    }
    struct stat info {};
    if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
        status_ = FileReadStatus::NotRegular;
        ::close(descriptor);
        return;
    }
    descriptor_ = descriptor;
    status_ = FileReadStatus::Ok;
    size_ = static_cast<std::uintmax_t>(info.st_size);
}

RegularFile::~RegularFile() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
}

bool RegularFile::readExactly(std::uint8_t* out, std::size_t count) const {
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = ::read(descriptor_, out + done, count - done);
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

int RegularFile::release() {
    const int descriptor = descriptor_;
    if (descriptor >= 0) {
        ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
        descriptor_ = -1;
    }
    return descriptor;
}

std::optional<std::uintmax_t> regularFileSize(const std::filesystem::path& path) {
    const RegularFile file(path);
    if (!file.isOpen()) {
        return std::nullopt;
    }
    return file.size();
}

std::optional<std::vector<std::uint8_t>> readRegularFileStart(const std::filesystem::path& path,
                                                              std::size_t size) {
    const RegularFile file(path);
    if (!file.isOpen() || file.size() < size) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(size);
    if (!file.readExactly(bytes.data(), size)) {
        return std::nullopt;
    }
    return bytes;
}

FileReadStatus readRegularFile(const std::filesystem::path& path, std::size_t largest,
                               std::vector<std::uint8_t>& out) {
    const RegularFile file(path);
    if (!file.isOpen()) {
        return file.status();
    }
    if (file.size() > largest) {
        return FileReadStatus::TooLarge;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(file.size()));
    if (!file.readExactly(bytes.data(), bytes.size())) {
        return FileReadStatus::Unreadable;
    }
    out = std::move(bytes);
    return FileReadStatus::Ok;
}

}  // namespace cf
