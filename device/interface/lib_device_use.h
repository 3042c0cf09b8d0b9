// Counting a process's contexts on a printer's registry record.
//
// Locks are taken registry first, then the printer's record; the registry is released as soon as
// the record is locked, except around a close, which holds both.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "registry/lib_device_info.h"
#include "registry/lib_shared_info.h"

/// Finds or registers the record of `deviceURI` (connection type of the printer address) and
/// counts one more user. On success `device` is the view with its device lock held. 10555 when
/// all records are in use; lock failures converted.
std::uint32_t LocalAttachDevice(CLibSharedInfo& registry, const std::string& deviceURI,
                                std::int32_t connectionType,
                                std::unique_ptr<CLibDeviceInfo>& device);

/// Counts one user fewer and removes the record when none is left; both locks must be held.
void LocalDetachDeviceLocked(CLibSharedInfo& registry, CLibDeviceInfo& device);

/// Undoes an attach: takes both locks, detaches, releases both. Nothing when a lock cannot be
/// taken.
void LocalDetachDevice(CLibSharedInfo& registry, CLibDeviceInfo& device);

namespace device {

/// The registry lock and then the record's device lock, released in reverse order when the
/// object ends.
class RegistryAndDeviceLock {
  public:
    RegistryAndDeviceLock(CLibSharedInfo& registry, CLibDeviceInfo& device)
        : registry_(registry), device_(device) {}
    ~RegistryAndDeviceLock();
    RegistryAndDeviceLock(const RegistryAndDeviceLock&) = delete;
    RegistryAndDeviceLock& operator=(const RegistryAndDeviceLock&) = delete;

    /// Takes both locks; lock failures converted. A failure leaves neither held.
    std::uint32_t lock();

  private:
    CLibSharedInfo& registry_;
    CLibDeviceInfo& device_;
    bool registryLocked_ = false;
    bool deviceLocked_ = false;
};

}  // namespace device
