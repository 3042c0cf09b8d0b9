// The exported job functions: open, send, cancel and close a print job.
#include <memory>
#include <string>

#include "DovoCommonLib/ios_library.h"
#include "interface/lib_connector.h"
#include "interface/lib_context.h"
#include "interface/lib_device_use.h"
#include "interface/lib_open.h"
#include "interface/lib_printer_status.h"
#include "interface/lib_queue.h"
#include "interface/lib_state.h"

namespace {

// LPR on port 515, or USB channel 16: the job channel that the transports choose themselves.
constexpr std::uint32_t kDefaultJobChannel = 0xFFFFFFFF;

struct JobChannel {
    std::uint32_t channel = kDefaultJobChannel;
    bool useChannel = false;
    std::uint32_t networkPort = 0;
    std::uint32_t usbChannel = 0;

    std::uint32_t forType(std::int32_t connectionType) const {
        if (!useChannel) {
            return channel;
        }
        return connectionType == kCLibConnectionUSB ? usbChannel : networkPort;
    }
};

CLibContext* asContext(void* handle) {
    return static_cast<CLibContext*>(handle);
}

// Opens the core job and makes the job context; the refusal's sub-code on failure.
std::uint32_t openCoreJob(std::unique_ptr<CLibDeviceInfo>& device, CLibPrinterAddress& address,
                          const JobChannel& channel, std::uint32_t* subCode,
                          std::unique_ptr<CLibContext>& context) {
    CoreContext* core = nullptr;
    const std::uint32_t status = LibConnectorJobOpen(
        &core, &address, channel.forType(address.connectionType()), channel.useChannel);
    if (status == kIOS_ErrPrinterRefused) {
        return LocalRefusalWithSubCode(LibSubCodePoint::kJobOpen, device.get(), &address, subCode);
    }
    if (status != kIOS_NoErr) {
        return status;
    }
    // The view moves into the context only on success: a failed open still needs it to undo.
    context = CLibContext::initJobContextWithDeviceInfo(
        std::move(device), device::PrinterAddressRef::retain(&address));
    context->setCoreContext(core);
    return kIOS_NoErr;
}

// A USB printer: this process becomes its queue owner for the job. Called with the device lock
// held, which it releases.
std::uint32_t openUSBJob(std::unique_ptr<CLibDeviceInfo>& device, CLibPrinterAddress& address,
                         const TktLibTicket* options, const JobChannel& channel,
                         std::uint32_t* subCode, std::unique_ptr<CLibContext>& context) {
    CLibDeviceInfo& view = *device;  // stays valid: the context that takes the view owns it
    const LibQueueLayer& queue = libQueueSeam().current();
    std::uint32_t status = kIOS_ErrBusy;
    if (!view.queueOwnerExists()) {
        status = queue.startQueuing(&view, &address, true);
        if (status == kIOS_NoErr) {
            status = LocalShouldJobOpenConsideringOffline(&view, &address, options, subCode);
            if (status == kIOS_NoErr) {
                status = openCoreJob(device, address, channel, subCode, context);
            }
            if (status != kIOS_NoErr) {
                queue.stopQueuing(&view, &address);
            }
        }
    }
    view.unlock();
    return status;
}

// A network printer: every process opens it directly. Called with the device lock held, which
// it releases first.
std::uint32_t openNetworkJob(std::unique_ptr<CLibDeviceInfo>& device, CLibPrinterAddress& address,
                             const TktLibTicket* options, const JobChannel& channel,
                             std::uint32_t* subCode, std::unique_ptr<CLibContext>& context) {
    device->unlock();
    const std::uint32_t status =
        LocalShouldJobOpenConsideringOffline(device.get(), &address, options, subCode);
    if (status != kIOS_NoErr) {
        return status;
    }
    return openCoreJob(device, address, channel, subCode, context);
}

std::uint32_t LocalJobOpen(void** context, void* address, void* options, std::uint32_t* subCode,
                           const JobChannel& channel) {
    const auto* optionsTicket = static_cast<const TktLibTicket*>(options);
    return LocalOpenContext(
        context, address,
        [&](CLibPrinterAddress& printer, std::unique_ptr<CLibDeviceInfo>& device,
            std::unique_ptr<CLibContext>& made) {
            return device->shouldUseQueue()
                       ? openUSBJob(device, printer, optionsTicket, channel, subCode, made)
                       : openNetworkJob(device, printer, optionsTicket, channel, subCode, made);
        });
}

// Runs `transfer` with this process's administration thread paused when the printer is a USB
// printer; 22998 without running it when the pause fails.
template <class Transfer>
std::uint32_t withAdminThreadPaused(CLibContext& context, Transfer transfer) {
    if (!context.deviceInfo().shouldUseQueue()) {
        return transfer();
    }
    const LibQueueLayer& queue = libQueueSeam().current();
    const std::string uri = context.deviceInfo().identifier();
    if (!queue.pauseAdminThread(uri)) {
        return kIOS_ErrInternal;
    }
    const std::uint32_t status = transfer();
    queue.resumeAdminThread(uri);
    return status;
}

// Ends the core job. A core close is made once: after any attempt the core context is gone, and
// a repeated close (after 10501) finds nothing left to end.
std::uint32_t closeCoreJob(CLibContext& context) {
    CoreContext* core = context.coreContext();
    if (core == nullptr) {
        return kIOS_NoErr;
    }
    context.setCoreContext(nullptr);
    return LibConnectorJobClose(core);
}

std::uint32_t closeJob(CLibContext& context, std::uint32_t* subCode) {
    CLibSharedInfo& registry = *LibProcessState().sharedInfo;
    CLibDeviceInfo& device = context.deviceInfo();
    device::RegistryAndDeviceLock locks(registry, device);
    std::uint32_t status = locks.lock();
    if (status != kIOS_NoErr) {
        return status;
    }
    status = withAdminThreadPaused(context, [&] { return closeCoreJob(context); });
    if (status == kIOS_ErrPrinterRefused) {
        // Asked once the administration thread runs again: a USB printer answers through it.
        return LocalRefusalWithSubCode(LibSubCodePoint::kJobClose, &device,
                                       &context.printerAddress(), subCode);
    }
    if (status == kIOS_NoErr && device.shouldUseQueue()) {
        status = libQueueSeam().current().stopQueuing(&device, &context.printerAddress());
    }
    if (status == kIOS_NoErr) {
        LocalDetachDeviceLocked(registry, device);
    }
    return status;
}

}  // namespace

uint32_t IOS_JobOpen(void** context, void* address, void* options, uint32_t* subCode) {
    return LocalJobOpen(context, address, options, subCode, JobChannel{});
}

uint32_t IOS_JobOpen2(void** context, void* address, void* options, uint32_t* subCode,
                      uint32_t networkPort, uint32_t usbChannel) {
    return LocalJobOpen(context, address, options, subCode,
                        JobChannel{kDefaultJobChannel, true, networkPort, usbChannel});
}

uint32_t IOS_JobOpenOnSandbox(void** context, void* address, void* options, uint32_t* subCode) {
    LibProcessState().appSandbox = true;
    return IOS_JobOpen(context, address, options, subCode);
}

uint32_t IOS_JobOpen2OnSandbox(void** context, void* address, void* options, uint32_t* subCode,
                               uint32_t networkPort, uint32_t usbChannel) {
    LibProcessState().appSandbox = true;
    return IOS_JobOpen2(context, address, options, subCode, networkPort, usbChannel);
}

uint32_t IOS_JobSend(void* handle, const void* data, uint32_t* length, uint8_t, uint32_t* subCode) {
    if (handle == nullptr || data == nullptr || length == nullptr) {
        return kIOS_ErrParam;
    }
    CLibContext& context = *asContext(handle);
    if (context.type() != CLibContext::kJob) {
        return kIOS_ErrContextType;
    }
    if (context.bAbort()) {
        return kIOS_ErrJobAborted;
    }
    bool sent = false;
    const std::uint32_t status = withAdminThreadPaused(context, [&] {
        sent = true;
        return LibConnectorJobSend(context.coreContext(), data, length);
    });
    if (!sent) {
        *length = 0;  // nothing was taken
        return status;
    }
    // Nothing taken: a refusal, or a printer that stopped taking data, is explained by its
    // status; any other failure stands.
    if (*length == 0 && (status == kIOS_NoErr || status == kIOS_ErrPrinterRefused)) {
        return LocalRefusalWithSubCode(LibSubCodePoint::kJobSend, &context.deviceInfo(),
                                       &context.printerAddress(), subCode);
    }
    return status;
}

uint32_t IOS_JobCancel(void** context) {
    if (context == nullptr || *context == nullptr) {
        return kIOS_ErrParam;
    }
    asContext(*context)->setBAbort(true);
    return kIOS_NoErr;
}

uint32_t IOS_JobClose(void* handle, uint8_t, uint32_t* subCode) {
    if (handle == nullptr) {
        return kIOS_ErrParam;
    }
    CLibContext* context = asContext(handle);
    if (context->type() != CLibContext::kJob) {
        return kIOS_ErrContextType;
    }
    const std::uint32_t status = closeJob(*context, subCode);
    if (status == kIOS_ErrOffline || status == kIOS_ErrBusy) {
        return status;  // the context stays open for the caller's retry
    }
    LocalReleaseContext(context);
    LocalContextClosed();
    return status;
}
