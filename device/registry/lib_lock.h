// Cross-process locks: a lock file with a time-out, and the take-over of a lock whose holder
// has died.
//
// The lock named N is the file "DistributedLock/N" of the group's work directory. Whoever holds a
// lock writes its process identifier into an owner field in shared memory; a process that times
// out on the lock reads that field to learn whether the holder still runs. Recoveries of one lock
// are serialised by the guard "N_Recover" beside it, an advisory lock that the kernel drops when
// its holder dies. Lock files are never removed by the library.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "registry/distributed_lock.h"
#include "registry/registry_error.h"

class CLibLock {
  public:
    /// The lock `name` of the group's folder; null when the group is empty, the name is not a
    /// plain file name (empty, ".", "..", or holding "/" or NUL) or the folder cannot be made.
    /// `timeout` is in seconds. The lock is not held.
    static std::unique_ptr<CLibLock> initWithName(std::string_view name, std::string_view groupName,
                                                  double timeout, bool onSandbox);

    /// Releasing the object leaves a held lock file in place.
    ~CLibLock() = default;
    CLibLock(const CLibLock&) = delete;
    CLibLock& operator=(const CLibLock&) = delete;

    /// Takes the lock, polling at the settings' tryLockInterval until the time-out has passed.
    /// kCLibLockNoErr, kCLibLockTimeout, or kCLibLockAlreadyHeld when this object holds it.
    std::uint32_t lock();

    /// Releases the lock: kCLibLockNoErr, or kCLibLockNotHeld when this object does not hold it.
    std::uint32_t unlock();

    /// Takes the lock over when its holder, named by `owner` (a process identifier field in
    /// shared memory), no longer runs. True when this object now holds the lock; `owner` then
    /// names this process. False without an owner field, while another process recovers the same
    /// lock, or while the holder runs.
    bool recoverWithOwnerReference(std::uint32_t* owner);

    /// lock(), then on a time-out recoverWithOwnerReference(owner); whenever the lock is taken,
    /// `owner` is set to this process, so it always names the last holder. The lock results.
    std::uint32_t lockWithOwnerReference(std::uint32_t* owner);

    /// The file-system lock of `name` in the group's folder, which is created when missing; null
    /// when the group is empty, the name is not a plain file name or the folder cannot be made.
    static std::unique_ptr<DistributedLock> distributedLockWithName(std::string_view name,
                                                                    std::string_view groupName,
                                                                    bool onSandbox);

    bool isLocking() const { return locking_; }
    const std::string& name() const { return name_; }

  private:
    CLibLock(std::string_view name, double timeout,
             std::unique_ptr<DistributedLock> distributedLock);
    bool takeOnce();
    void markHeldBy(std::uint32_t* owner);

    std::string name_;
    double timeout_;
    std::unique_ptr<DistributedLock> distributedLock_;
    bool locking_ = false;
};
