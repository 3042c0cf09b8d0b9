// Counting a process's contexts on a printer's registry record.
#include "interface/lib_device_use.h"

#include "DovoCommonLib/ios_status.h"
#include "interface/lib_error.h"

std::uint32_t LocalAttachDevice(CLibSharedInfo& registry, const std::string& deviceURI,
                                std::int32_t connectionType,
                                std::unique_ptr<CLibDeviceInfo>& device) {
    if (const std::uint32_t status = registry.lock(); status != kCLibSharedInfoNoErr) {
        return LocalConvertSharedInfoError(status);
    }
    auto found = registry.deviceInfoForPrinterAddress(deviceURI.c_str(),
                                                      static_cast<std::uint32_t>(connectionType));
    if (!found) {
        registry.unlock();
        return kIOS_ErrNoDeviceSlot;
    }
    const std::uint32_t status = found->lock();
    registry.unlock();
    if (status != kCLibDeviceInfoNoErr) {
        return LocalConvertDeviceInfoError(status);
    }
    found->attach();
    device = std::move(found);
    return kIOS_NoErr;
}

void LocalDetachDeviceLocked(CLibSharedInfo& registry, CLibDeviceInfo& device) {
    if (device.detach() == 0) {
        registry.unregisterDevice(&device);
    }
}

void LocalDetachDevice(CLibSharedInfo& registry, CLibDeviceInfo& device) {
    device::RegistryAndDeviceLock locks(registry, device);
    if (locks.lock() == kIOS_NoErr) {
        LocalDetachDeviceLocked(registry, device);
    }
}

namespace device {

RegistryAndDeviceLock::~RegistryAndDeviceLock() {
    if (deviceLocked_) {
        device_.unlock();
    }
    if (registryLocked_) {
        registry_.unlock();
    }
}

std::uint32_t RegistryAndDeviceLock::lock() {
    if (const std::uint32_t status = registry_.lock(); status != kCLibSharedInfoNoErr) {
        return LocalConvertSharedInfoError(status);
    }
    registryLocked_ = true;
    if (const std::uint32_t status = device_.lock(); status != kCLibDeviceInfoNoErr) {
        registry_.unlock();
        registryLocked_ = false;
        return LocalConvertDeviceInfoError(status);
    }
    deviceLocked_ = true;
    return kIOS_NoErr;
}

}  // namespace device
