// File-system locks: exclusive creation for the distributed lock, flock for the advisory one.
#include "registry/distributed_lock.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "registry/creation_mask.h"

namespace {

constexpr mode_t kSharedFileMode = 0666;  // every user's processes read and remove the file

int openShared(const std::filesystem::path& path, int flags) {
    ZeroCreationMask mask;
    return ::open(path.c_str(), flags | O_CREAT | O_CLOEXEC, kSharedFileMode);
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

AdvisoryFileLock::AdvisoryFileLock(const std::filesystem::path& path)
    : descriptor_(openShared(path, O_RDWR)) {
    held_ = descriptor_ >= 0 && ::flock(descriptor_, LOCK_EX | LOCK_NB) == 0;
}

AdvisoryFileLock::~AdvisoryFileLock() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);  // drops the flock with the last reference to the open file
    }
}
