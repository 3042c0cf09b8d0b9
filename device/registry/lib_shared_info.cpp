// Creating, attaching and releasing the registry block, and finding and registering records.
#include "registry/lib_shared_info.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <random>

namespace {

constexpr std::size_t kIdentifierMaxLength = kSharedStringSize - 1;  // and the terminator
constexpr std::uint32_t kLastPrinterConnectionType = 3;              // Bonjour

// RFC 4122: version 4 (random) in the high nibble of byte 6, variant 10 in byte 8.
constexpr std::uint8_t kVersionMask = 0x0F;
constexpr std::uint8_t kVersionRandom = 0x40;
constexpr std::uint8_t kVariantMask = 0x3F;
constexpr std::uint8_t kVariantRFC4122 = 0x80;

std::string_view storedForm(std::string_view uri) {
    return uri.substr(0, std::min(uri.size(), kIdentifierMaxLength));
}

template <std::size_t N>
void copyString(char (&field)[N], std::string_view text) {
    const std::size_t length = std::min(text.size(), N - 1);
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

}  // namespace

CLibSharedInfo::CLibSharedInfo(std::string_view groupName, bool onSandbox,
                               std::unique_ptr<CLibLock> lock)
    : groupName_(groupName), appSandbox_(onSandbox), lock_(std::move(lock)) {}

std::unique_ptr<CLibSharedInfo> CLibSharedInfo::initWithGroupName(std::string_view groupName,
                                                                  bool onSandbox) {
    if (groupName.empty()) {
        return nullptr;
    }
    auto lock =
        CLibLock::initWithName(kRegistryLockName, groupName, kRegistryLockTimeout, onSandbox);
    if (!lock) {
        return nullptr;
    }
    std::unique_ptr<CLibSharedInfo> registry(
        new CLibSharedInfo(groupName, onSandbox, std::move(lock)));
    if (!registry->attachHeader(registry->lock_->lock())) {
        return nullptr;
    }
    return registry;
}

// Opens the block and counts this object in its header, with the registry lock taken (result
// 0) or, after a time-out, taken over from its dead holder.
bool CLibSharedInfo::attachHeader(std::uint32_t lockResult) {
    if (lockResult != kCLibLockNoErr && lockResult != kCLibLockTimeout) {
        return false;
    }
    if (!openSharedMemory()) {
        if (lockResult == kCLibLockNoErr) {
            lock_->unlock();
        }
        return false;
    }
    SharedInfoBlock* block = contents();
    if (lockResult == kCLibLockNoErr) {
        block->lockOwner = static_cast<std::uint32_t>(::getpid());
    } else if (!lock_->recoverWithOwnerReference(&block->lockOwner)) {
        sharedInfo_.reset();
        return false;
    }
    const bool reclaimed = reclaimDeadHolders();
    if (block->attachCount == 0) {
        ledger_->clear();  // no process holds an attachment of this block
        if (reclaimed) {
            CLibDeviceInfo::clearTicketFilesWithGroupName(groupName_, appSandbox_);
        }
    }
    ++block->attachCount;
    ledger_->addBlockAttachment(+1);
    attached_ = true;
    lock_->unlock();
    return true;
}

CLibSharedInfo::~CLibSharedInfo() {
    if (attached_ && lock_->lock() == kCLibLockNoErr) {
        SharedInfoBlock* block = contents();
        block->lockOwner = static_cast<std::uint32_t>(::getpid());
        reclaimDeadHolders();
        if (block->attachCount > 0) {
            --block->attachCount;
            ledger_->addBlockAttachment(-1);
        }
        if (block->attachCount == 0) {
            device::SharedMemoryMapping::unlink(memoryName());
            device::SharedMemoryMapping::unlink(device::AttachLedgerName(groupName_));
            CLibDeviceInfo::clearTicketFilesWithGroupName(groupName_, appSandbox_);
        }
        lock_->unlock();
    }
}

bool CLibSharedInfo::openSharedMemory() {
    sharedInfo_ = device::SharedMemoryMapping::open(memoryName(), memorySize());
    ledger_ = device::AttachLedger::open(groupName_);
    return sharedInfo_ != nullptr && ledger_ != nullptr;
}

// Gives back the attachments of processes that ended without releasing them: their shares of
// the records' counts, then, once every record share is back, their share of the header's
// count. A record share whose device lock a running process holds waits for a later pass.
// True when anything was given back. Registry lock held.
bool CLibSharedInfo::reclaimDeadHolders() {
    SharedInfoBlock* block = contents();
    bool reclaimed = false;
    for (device::AttachHolder& holder : ledger_->holders()) {
        if (holder.process == 0 || !ledger_->holderIsGone(holder)) {
            continue;
        }
        bool settled = true;
        for (std::size_t record = 0; record < kSharedDeviceCount; ++record) {
            std::uint32_t& share = holder.deviceAttachments[record];
            settled = (share == 0 || reclaimRecordShare(record, share)) && settled;
        }
        if (settled) {
            block->attachCount -= std::min(block->attachCount, holder.blockAttachments);
            device::AttachLedger::release(holder);
            reclaimed = true;
        }
    }
    return reclaimed;
}

// Takes `share` off the record's attach count under its device lock, taken at once or from a
// dead holder, and unregisters the record when no user is left; `share` is then 0. False when
// the lock cannot be taken.
bool CLibSharedInfo::reclaimRecordShare(std::size_t record, std::uint32_t& share) {
    SharedDeviceRecord& device = contents()->devices[record];
    if (device.identifier[0] == '\0') {
        share = 0;
        return true;
    }
    constexpr double kNoWait = 0;
    auto deviceLock = CLibLock::initWithName(device::SharedString(device.deviceLockName),
                                             groupName_, kNoWait, appSandbox_);
    if (!deviceLock ||
        deviceLock->lockWithOwnerReference(&device.deviceLockOwner) != kCLibLockNoErr) {
        return false;
    }
    device.attachCount -= std::min(device.attachCount, share);
    share = 0;
    if (device.attachCount == 0) {
        clearRecord(record);
    }
    deviceLock->unlock();
    return true;
}

// Frees the record: every byte zero, and no process's share of it left in the ledger.
void CLibSharedInfo::clearRecord(std::size_t record) {
    std::memset(&contents()->devices[record], 0, sizeof(SharedDeviceRecord));
    ledger_->forgetRecord(record);
}

SharedInfoBlock* CLibSharedInfo::contents() const {
    return sharedInfo_ ? static_cast<SharedInfoBlock*>(sharedInfo_->address()) : nullptr;
}

std::uint32_t CLibSharedInfo::lock() {
    return errorForLockError(lock_->lockWithOwnerReference(&contents()->lockOwner));
}

std::uint32_t CLibSharedInfo::unlock() {
    return errorForLockError(lock_->unlock());
}

std::unique_ptr<CLibDeviceInfo> CLibSharedInfo::deviceInfoForPrinterAddress(
    const char* deviceURI, std::uint32_t printerConnectionType) {
    if (deviceURI == nullptr || *deviceURI == '\0') {
        return nullptr;
    }
    reclaimDeadHolders();
    const std::string_view identifier = storedForm(deviceURI);
    auto& devices = contents()->devices;
    auto* record = std::find_if(std::begin(devices), std::end(devices), [&](const auto& device) {
        return device::SharedString(device.identifier) == identifier;
    });
    if (record == std::end(devices)) {
        record = std::find_if(std::begin(devices), std::end(devices),
                              [](const auto& device) { return device.identifier[0] == '\0'; });
        if (record == std::end(devices)) {
            return nullptr;
        }
        // Every other byte of a free record is zero already: records are cleared when they are
        // unregistered and the block when it is created.
        copyString(record->identifier, identifier);
        record->connectionType = connectionTypeForPrinterConnectionType(printerConnectionType);
        record->attachCount = 0;
        copyString(record->deviceLockName, uuidCString());
        record->deviceLockOwner = kSharedNoProcess;
        record->useQueue = record->connectionType == kSharedConnectionUSB ? 1 : 0;
        record->queueOwner = kSharedNoProcess;
        for (auto& slot : record->queue) {
            slot.taskIdentifier = 0.0;
        }
        copyString(record->queueLockName, uuidCString());
        for (auto& slot : record->completeList) {
            slot.slot.taskIdentifier = 0.0;
        }
        copyString(record->completeListLockName, uuidCString());
    }
    const auto index = static_cast<std::size_t>(record - std::begin(devices));
    return CLibDeviceInfo::initWithContents(record, groupName_, appSandbox_, sharedInfo_,
                                            device::AttachShare{ledger_, index});
}

std::uint32_t CLibSharedInfo::unregisterDevice(const CLibDeviceInfo* device) {
    if (device == nullptr) {
        return kCLibSharedInfoNoDevice;
    }
    const std::string identifier = device->identifier();
    auto& devices = contents()->devices;
    auto* record = std::find_if(std::begin(devices), std::end(devices), [&](const auto& entry) {
        return entry.identifier[0] != '\0' && device::SharedString(entry.identifier) == identifier;
    });
    if (record == std::end(devices)) {
        return kCLibSharedInfoNotFound;
    }
    clearRecord(static_cast<std::size_t>(record - std::begin(devices)));
    return kCLibSharedInfoNoErr;
}

std::uint32_t CLibSharedInfo::deviceCountForConnectionType(std::uint32_t connectionType) const {
    const auto& devices = contents()->devices;
    return static_cast<std::uint32_t>(
        std::count_if(std::begin(devices), std::end(devices), [&](const auto& device) {
            return device.identifier[0] != '\0' && device.connectionType == connectionType;
        }));
}

std::uint32_t CLibSharedInfo::connectionTypeForPrinterConnectionType(std::uint32_t connectionType) {
    return connectionType <= kLastPrinterConnectionType ? connectionType + 1
                                                        : kSharedConnectionOther;
}

std::string CLibSharedInfo::uuidCString() {
    std::random_device source;  // the kernel's random source
    std::array<std::uint8_t, 16> bytes{};
    for (std::size_t i = 0; i < bytes.size(); i += sizeof(std::uint32_t)) {
        const std::uint32_t word = source();
        std::memcpy(bytes.data() + i, &word, sizeof word);
    }
    bytes[6] = static_cast<std::uint8_t>((bytes[6] & kVersionMask) | kVersionRandom);
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & kVariantMask) | kVariantRFC4122);
    char text[kSharedUUIDLength + 1];
    std::snprintf(text, sizeof text,
                  "%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X", bytes[0],
                  bytes[1], bytes[2], bytes[3], bytes[4], bytes[5], bytes[6], bytes[7], bytes[8],
                  bytes[9], bytes[10], bytes[11], bytes[12], bytes[13], bytes[14], bytes[15]);
    return text;
}

std::uint32_t CLibSharedInfo::errorForLockError(std::uint32_t lockError) {
    switch (lockError) {
        case kCLibLockNoErr:
            return kCLibSharedInfoNoErr;
        case kCLibLockTimeout:
            return kCLibSharedInfoLockTimeout;
        case kCLibLockAlreadyHeld:
        case kCLibLockNotHeld:
            return kCLibSharedInfoLockMisuse;
        default:
            return kCLibSharedInfoNotFound;
    }
}
