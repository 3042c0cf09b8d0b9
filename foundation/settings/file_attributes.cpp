// The immutable flag from the file system's inode flags.
#include "settings/file_attributes.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

bool readImmutableFlag(const std::filesystem::path& path) {
    // Opening for reading is enough for the flags; O_NONBLOCK keeps a FIFO from blocking.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    int flags = 0;
    const bool read = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    ::close(fd);
    return read && (flags & FS_IMMUTABLE_FL) != 0;
}

const FileAttributeServices& productionServices() {
    static const FileAttributeServices services{.isImmutable = readImmutableFlag};
    return services;
}

}  // namespace

seam::Seam<FileAttributeServices>& fileAttributeServices() {
    static seam::Seam<FileAttributeServices> seam(productionServices());
    return seam;
}
