// Taking, releasing and recovering the library's cross-process locks.
#include "registry/lib_lock.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "registry/lib_settings.h"
#include "registry/work_directory.h"

namespace {

constexpr std::string_view kRecoverySuffix = "_Recover";

// Lock names come from the shared block, which every user's processes may write: only a plain
// file name, never one that leads out of the lock folder, names a lock file.
bool isPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

using Seconds = std::chrono::duration<double>;

}  // namespace

CLibLock::CLibLock(std::string_view name, double timeout,
                   std::unique_ptr<DistributedLock> distributedLock)
    : name_(name), timeout_(timeout), distributedLock_(std::move(distributedLock)) {}

std::unique_ptr<CLibLock> CLibLock::initWithName(std::string_view name, std::string_view groupName,
                                                 double timeout, bool onSandbox) {
    auto distributedLock = distributedLockWithName(name, groupName, onSandbox);
    if (!distributedLock) {
        return nullptr;
    }
    return std::unique_ptr<CLibLock>(new CLibLock(name, timeout, std::move(distributedLock)));
}

std::unique_ptr<DistributedLock> CLibLock::distributedLockWithName(std::string_view name,
                                                                   std::string_view groupName,
                                                                   bool onSandbox) {
    if (!isPlainFileName(name) || groupName.empty()) {
        return nullptr;
    }
    const auto folder =
        device::WorkDirectoryFolder(groupName, onSandbox, device::WorkFolder::DistributedLock);
    if (!folder) {
        return nullptr;
    }
    return std::make_unique<DistributedLock>(*folder / name);
}

bool CLibLock::takeOnce() {
    locking_ = distributedLock_->tryLock() == DistributedLock::Attempt::Taken;
    return locking_;
}

void CLibLock::markHeldBy(std::uint32_t* owner) {
    locking_ = true;
    *owner = static_cast<std::uint32_t>(::getpid());
}

std::uint32_t CLibLock::lock() {
    if (locking_) {
        return kCLibLockAlreadyHeld;
    }
    // A failure other than "held by someone" counts as a failed first try; on a later try it
    // ends the wait.
    if (takeOnce()) {
        return kCLibLockNoErr;
    }
    const double configured = CLibSettings::sharedSettings().tryLockInterval();
    const Seconds interval(
        CLibSettings::isUsableInterval(configured) ? configured : CLibSettings::kDefaultInterval);
    const Seconds timeout(timeout_);
    const auto start = std::chrono::steady_clock::now();
    for (Seconds waited(0); waited < timeout; waited = std::chrono::steady_clock::now() - start) {
        // The last sleep ends at the time-out, not an interval after it.
        std::this_thread::sleep_for(std::min(interval, timeout - waited));
        const auto attempt = distributedLock_->tryLock();
        if (attempt == DistributedLock::Attempt::Taken) {
            locking_ = true;
            return kCLibLockNoErr;
        }
        if (attempt == DistributedLock::Attempt::Failed) {
            break;
        }
    }
    return kCLibLockTimeout;
}

std::uint32_t CLibLock::unlock() {
    if (!locking_) {
        return kCLibLockNotHeld;
    }
    distributedLock_->unlock();
    locking_ = false;
    return kCLibLockNoErr;
}

bool CLibLock::recoverWithOwnerReference(std::uint32_t* owner) {
    if (owner == nullptr) {
        return false;
    }
    if (locking_ || takeOnce()) {
        markHeldBy(owner);
        return true;
    }
    const auto guardPath =
        distributedLock_->path().parent_path() / (name_ + std::string(kRecoverySuffix));
    const device::AdvisoryFileLock guard(guardPath);
    if (!guard.held()) {
        return false;  // another process is recovering this lock
    }
    if (CLibSettings::isProcessRunningByPID(static_cast<std::int32_t>(*owner))) {
        return false;
    }
    distributedLock_->unlock();
    if (!takeOnce()) {
        return false;
    }
    markHeldBy(owner);
    return true;
}

std::uint32_t CLibLock::lockWithOwnerReference(std::uint32_t* owner) {
    const std::uint32_t result = lock();
    if (result == kCLibLockTimeout && recoverWithOwnerReference(owner)) {
        return kCLibLockNoErr;
    }
    if (result == kCLibLockNoErr && owner != nullptr) {
        *owner = static_cast<std::uint32_t>(::getpid());
    }
    return result;
}
