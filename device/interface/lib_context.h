// CLibContext: the handle of an open job or administration context.
//
// A context holds the printer's device view in the shared registry, the printer address and,
// except for administration on a USB printer (whose requests go through the operation queue),
// the core's context. Releasing a context releases the view and the address; ending the core's
// work is the close functions' job.
#pragma once

#include <cstdint>
#include <memory>

#include "address/printer_address.h"
#include "core/core_context.h"
#include "registry/lib_device_info.h"

class CLibContext {
  public:
    enum Type : std::uint32_t { kAdmin = 0, kJob = 1 };

    /// A context of `type`; null when the device view or the address is missing.
    static std::unique_ptr<CLibContext> initWithType(Type type,
                                                     std::unique_ptr<CLibDeviceInfo> deviceInfo,
                                                     device::PrinterAddressRef printerAddress);
    static std::unique_ptr<CLibContext> initAdminContextWithDeviceInfo(
        std::unique_ptr<CLibDeviceInfo> deviceInfo, device::PrinterAddressRef printerAddress) {
        return initWithType(kAdmin, std::move(deviceInfo), std::move(printerAddress));
    }
    static std::unique_ptr<CLibContext> initJobContextWithDeviceInfo(
        std::unique_ptr<CLibDeviceInfo> deviceInfo, device::PrinterAddressRef printerAddress) {
        return initWithType(kJob, std::move(deviceInfo), std::move(printerAddress));
    }

    CLibContext(const CLibContext&) = delete;
    CLibContext& operator=(const CLibContext&) = delete;

    Type type() const { return type_; }
    CLibDeviceInfo& deviceInfo() const { return *deviceInfo_; }
    CLibPrinterAddress& printerAddress() const { return *printerAddress_; }
    CoreContext* coreContext() const { return coreContext_; }
    void setCoreContext(CoreContext* coreContext) { coreContext_ = coreContext; }
    bool bAbort() const { return bAbort_; }
    void setBAbort(bool abort) { bAbort_ = abort; }

  private:
    CLibContext(Type type, std::unique_ptr<CLibDeviceInfo> deviceInfo,
                device::PrinterAddressRef printerAddress)
        : type_(type),
          deviceInfo_(std::move(deviceInfo)),
          printerAddress_(std::move(printerAddress)) {}

    Type type_;
    std::unique_ptr<CLibDeviceInfo> deviceInfo_;
    device::PrinterAddressRef printerAddress_;
    CoreContext* coreContext_ = nullptr;
    bool bAbort_ = false;
};

/// Releases a context whose close is done: core work that the close left behind (a close that
/// stopped before its core close) is ended first, so that no channel outlives its context.
void LocalReleaseContext(CLibContext* context);
