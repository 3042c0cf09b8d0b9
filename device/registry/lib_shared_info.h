// The shared device registry: the block of shared memory in which the library's processes
// record the printers they use, and the registry lock that guards it.
//
// Every read and write of the block's header and of the records' identities happens with the
// registry lock held; the lock is taken before any device lock and released as soon as the
// device lock is held. The block lives from the first registry object of any process until the
// last one is released, which unlinks it and deletes the ticket folders. Beside the block a
// ledger names the processes holding its attachments (registry/attach_ledger.h); whenever a
// registry object is made or released, and whenever a printer's record is looked up, the
// attachments of processes that ended without releasing them are given back.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "registry/attach_ledger.h"
#include "registry/lib_device_info.h"
#include "registry/lib_lock.h"
#include "registry/registry_error.h"
#include "registry/shared_block.h"
#include "registry/shared_memory.h"

class CLibSharedInfo {
  public:
    static constexpr double kRegistryLockTimeout = 60;  // seconds
    static constexpr std::string_view kRegistryLockName = "SharedInfo.lock";

    /// Maps the group's block (creating it when no process has it) and counts this object in its
    /// header. Null when the group is empty, the lock cannot be made, the block cannot be opened,
    /// or the registry lock is held by a live process beyond its time-out.
    static std::unique_ptr<CLibSharedInfo> initWithGroupName(std::string_view groupName,
                                                             bool onSandbox);

    /// Uncounts this object; the last one unlinks the block and deletes the ticket folders.
    ~CLibSharedInfo();
    CLibSharedInfo(const CLibSharedInfo&) = delete;
    CLibSharedInfo& operator=(const CLibSharedInfo&) = delete;

    /// The registry lock, taken over from a dead holder after its time-out. Registry codes.
    std::uint32_t lock();
    std::uint32_t unlock();

    /// A view on the record of `deviceURI` (UTF-8), registering a new record of the printer
    /// address's connection type (0 USB, 1 LPR over IPv4, 2 LPR over IPv6, 3 Bonjour) when there
    /// is none. Device URIs are kept and matched on their first 255 bytes. Null when the URI is
    /// missing or empty, all records are in use, or the view cannot be made. Registry lock held.
    std::unique_ptr<CLibDeviceInfo> deviceInfoForPrinterAddress(
        const char* deviceURI, std::uint32_t printerConnectionType);

    /// Clears the whole record of the view's identifier: kCLibSharedInfoNoDevice without a view,
    /// kCLibSharedInfoNotFound when no record matches. Registry lock held.
    std::uint32_t unregisterDevice(const CLibDeviceInfo* device);

    /// Records in use with the registry connection type `connectionType`. Registry lock held.
    std::uint32_t deviceCountForConnectionType(std::uint32_t connectionType) const;

    std::string memoryName() const { return device::SharedMemoryName(groupName_); }
    static constexpr std::size_t memorySize() { return kSharedInfoBlockSize; }
    /// The registry type of a printer address's connection type: that type plus one, 0 when
    /// it is unknown.
    static std::uint32_t connectionTypeForPrinterConnectionType(std::uint32_t connectionType);
    /// A random UUID as 36 upper-case characters.
    static std::string uuidCString();
    /// Lock results to registry codes: 0 → 0, time-out → 3, misuse → 2, others → 4.
    static std::uint32_t errorForLockError(std::uint32_t lockError);

    /// The mapped block.
    SharedInfoBlock* contents() const;

  private:
    CLibSharedInfo(std::string_view groupName, bool onSandbox, std::unique_ptr<CLibLock> lock);
    bool openSharedMemory();
    bool attachHeader(std::uint32_t lockResult);
    bool reclaimDeadHolders();
    bool reclaimRecordShare(std::size_t record, std::uint32_t& share);
    void clearRecord(std::size_t record);

    std::string groupName_;
    bool appSandbox_;
    std::unique_ptr<CLibLock> lock_;
    std::shared_ptr<device::SharedMemoryMapping> sharedInfo_;
    std::shared_ptr<device::AttachLedger> ledger_;
    bool attached_ = false;
};
