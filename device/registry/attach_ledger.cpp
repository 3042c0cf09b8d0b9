// The ledger of attachment holders: claiming this process's entry, its shares, dead holders.
#include "registry/attach_ledger.h"

#include <unistd.h>

#include <atomic>
#include <cstring>
#include <limits>
#include <mutex>

#include "registry/lib_settings.h"

namespace {

constexpr const char* kLedgerSuffix = ".holders";

std::atomic_ref<std::uint32_t> processField(device::AttachHolder& holder) {
    return std::atomic_ref<std::uint32_t>(holder.process);
}

void addWithinRange(std::uint32_t& share, int delta) {
    constexpr std::uint32_t kMost = std::numeric_limits<std::uint32_t>::max();
    if (delta < 0) {
        const auto less = static_cast<std::uint32_t>(-static_cast<std::int64_t>(delta));
        share = share > less ? share - less : 0;
    } else {
        const auto more = static_cast<std::uint32_t>(delta);
        share = kMost - share > more ? share + more : kMost;
    }
}

// One claim at a time in this process, so that its threads never claim two entries.
std::mutex& claimMutex() {
    static std::mutex mutex;
    return mutex;
}

}  // namespace

namespace device {

std::string AttachLedgerName(std::string_view groupName) {
    return SharedMemoryName(groupName) + kLedgerSuffix;
}

std::unique_ptr<AttachLedger> AttachLedger::open(std::string_view groupName) {
    auto mapping =
        SharedMemoryMapping::open(AttachLedgerName(groupName), sizeof(AttachLedgerBlock));
    if (!mapping) {
        return nullptr;
    }
    return std::unique_ptr<AttachLedger>(new AttachLedger(std::move(mapping)));
}

AttachLedgerBlock& AttachLedger::contents() const {
    return *static_cast<AttachLedgerBlock*>(mapping_->address());
}

std::span<AttachHolder> AttachLedger::holders() {
    return contents().holders;
}

void AttachLedger::clear() {
    for (AttachHolder& holder : holders()) {
        release(holder);
    }
}

void AttachLedger::release(AttachHolder& holder) {
    holder.blockAttachments = 0;
    holder.startTime = 0;
    std::memset(holder.deviceAttachments, 0, sizeof holder.deviceAttachments);
    processField(holder).store(0, std::memory_order_release);
}

void AttachLedger::forgetRecord(std::size_t record) {
    for (AttachHolder& holder : holders()) {
        holder.deviceAttachments[record] = 0;
    }
}

bool AttachLedger::holderIsGone(const AttachHolder& holder) const {
    const auto pid = static_cast<std::int32_t>(holder.process);
    if (!CLibSettings::isProcessRunningByPID(pid)) {
        return true;
    }
    // A start time that cannot be read proves nothing; one that differs names another process.
    const std::uint64_t started = CLibSettings::processStartTime(pid);
    return holder.startTime != 0 && started != 0 && started != holder.startTime;
}

AttachHolder* AttachLedger::ownHolder() {
    const auto pid = static_cast<std::uint32_t>(::getpid());
    const std::uint64_t started = CLibSettings::processStartTime(static_cast<std::int32_t>(pid));
    const std::lock_guard claiming(claimMutex());
    for (AttachHolder& holder : holders()) {
        if (processField(holder).load(std::memory_order_acquire) == pid &&
            holder.startTime == started) {
            return &holder;
        }
    }
    for (AttachHolder& holder : holders()) {
        std::uint32_t free = 0;
        if (processField(holder).compare_exchange_strong(free, pid, std::memory_order_acq_rel)) {
            holder.blockAttachments = 0;
            std::memset(holder.deviceAttachments, 0, sizeof holder.deviceAttachments);
            holder.startTime = started;
            return &holder;
        }
    }
    return nullptr;
}

void AttachLedger::addBlockAttachment(int delta) {
    if (AttachHolder* holder = ownHolder()) {
        addWithinRange(holder->blockAttachments, delta);
    }
}

void AttachLedger::addDeviceAttachment(std::size_t record, int delta) {
    if (AttachHolder* holder = ownHolder(); holder != nullptr && record < kSharedDeviceCount) {
        addWithinRange(holder->deviceAttachments[record], delta);
    }
}

}  // namespace device
