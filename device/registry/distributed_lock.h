// File-system locks shared between processes.
#pragma once

#include <filesystem>

/// A lock that is held while its file exists: taken by creating the file exclusively, released
/// by removing it. Nothing ties the file to its holder, so a holder that dies leaves the lock
/// taken until someone breaks it.
class DistributedLock {
  public:
    enum class Attempt {
        Taken,   ///< the file was created: the caller holds the lock
        Busy,    ///< the file exists: someone holds the lock
        Failed,  ///< the file could not be created for another reason (folder gone, no access)
    };

    explicit DistributedLock(std::filesystem::path path) : path_(std::move(path)) {}

    /// One attempt; the file is created under a zero creation mask so every user can remove it.
    Attempt tryLock();

    /// Removes the file; used both to release a held lock and to break another holder's.
    void unlock();

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

namespace device {

/// An exclusive advisory lock (flock) on a file, tried once on construction and held while the
/// object lives. The kernel drops it when its process dies, so a holder that dies leaves nothing
/// to break; the file itself stays. A link, or anything but a plain file with a single name, in
/// the file's place is refused: the lock is then not held.
class AdvisoryFileLock {
  public:
    explicit AdvisoryFileLock(const std::filesystem::path& path);
    ~AdvisoryFileLock();
    AdvisoryFileLock(const AdvisoryFileLock&) = delete;
    AdvisoryFileLock& operator=(const AdvisoryFileLock&) = delete;

    bool held() const { return held_; }

  private:
    int descriptor_ = -1;
    bool held_ = false;
};

}  // namespace device
