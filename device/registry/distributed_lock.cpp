// File-system locks: exclusive creation for the distributed lock, flock for the advisory one.
#include "registry/distributed_lock.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "registry/creation_mask.h"

namespace {

constexpr mode_t kSharedFileMode = 0666;  // every user's processes read and remove the file

// The lock folder is writable by every user, so a name in it may have been planted: a link is
// never followed (O_NOFOLLOW makes the open fail instead of creating the link's target).
int openShared(const std::filesystem::path& path, int flags) {
    device::ZeroCreationMask mask;
    return ::open(path.c_str(), flags | O_CREAT | O_NOFOLLOW | O_CLOEXEC, kSharedFileMode);
}

// Only a plain file with no other name is one this library made; a pipe, a device or a second
// name of another file is refused.
bool isOwnSharedFile(int descriptor) {
    struct stat status {};
    return ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) && status.st_nlink == 1;
}

int openGuard(const std::filesystem::path& path) {
    const int descriptor = openShared(path, O_RDWR | O_NONBLOCK);
    if (descriptor >= 0 && !isOwnSharedFile(descriptor)) {
        ::close(descriptor);
        return -1;
    }
    return descriptor;
}

}  // namespace

DistributedLock::Attempt DistributedLock::tryLock() {
    const int descriptor = openShared(path_, O_WRONLY | O_EXCL);
    if (descriptor < 0) {
        return errno == EEXIST ? Attempt::Busy : Attempt::Failed;
    }
    ::close(descriptor);
    return Attempt::Taken;
}

void DistributedLock::unlock() {
    ::unlink(path_.c_str());
}

namespace device {

AdvisoryFileLock::AdvisoryFileLock(const std::filesystem::path& path)
    : descriptor_(openGuard(path)) {
    held_ = descriptor_ >= 0 && ::flock(descriptor_, LOCK_EX | LOCK_NB) == 0;
}

AdvisoryFileLock::~AdvisoryFileLock() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);  // drops the flock with the last reference to the open file
    }
}

}  // namespace device
