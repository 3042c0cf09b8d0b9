// The exported administration functions: open a context, run get, set and control requests on
// it, close it.
#include <memory>

#include "DovoCommonLib/ios_library.h"
#include "interface/lib_connector.h"
#include "interface/lib_context.h"
#include "interface/lib_device_use.h"
#include "interface/lib_error.h"
#include "interface/lib_open.h"
#include "interface/lib_queue.h"
#include "interface/lib_state.h"

namespace {

using LibConnectorRequest = std::uint32_t (*)(CoreContext*, const TktLibTicket*, TktLibTicket*);

CLibContext* asContext(void* handle) {
    return static_cast<CLibContext*>(handle);
}

// Opens the administration connection for a context on the attached printer; called with the
// device lock held, which it releases.
std::uint32_t openAdmin(CLibDeviceInfo& device, CLibPrinterAddress& address, CoreContext** core) {
    if (device.shouldUseQueue()) {
        // Requests go through the queue; this process serves it when no live owner does.
        const std::uint32_t status = libQueueSeam().current().startQueuing(&device, &address, true);
        device.unlock();
        return status;
    }
    device.unlock();
    return LibConnectorAdminOpen(core, &address);
}

// A request on a USB printer: queued, and answered by the queue owner's administration thread.
std::uint32_t queueRequest(CLibContext& context, std::uint32_t operation, TktLibTicket* request,
                           TktLibTicket* response) {
    CLibDeviceInfo& device = context.deviceInfo();
    if (const std::uint32_t status = device.lock(); status != kCLibDeviceInfoNoErr) {
        return LocalConvertDeviceInfoError(status);
    }
    const LibQueueLayer& queue = libQueueSeam().current();
    // Takes the queue over when its owner has died.
    std::uint32_t status = queue.startQueuing(&device, &context.printerAddress(), false);
    double identifier = 0;
    if (status == kIOS_NoErr) {
        status = queue.enqueue(operation, &device, request, response, &identifier);
    }
    device.unlock();
    if (status != kIOS_NoErr) {
        return status;
    }
    return queue.waitForTaskComplete(&device, response, identifier);
}

std::uint32_t adminRequest(void* handle, void* request, void* response, std::uint32_t operation,
                           LibConnectorRequest direct) {
    if (handle == nullptr || request == nullptr || response == nullptr) {
        return kIOS_ErrParam;
    }
    CLibContext& context = *asContext(handle);
    if (context.type() != CLibContext::kAdmin) {
        return kIOS_ErrContextType;
    }
    auto* requestTicket = static_cast<TktLibTicket*>(request);
    auto* responseTicket = static_cast<TktLibTicket*>(response);
    if (context.deviceInfo().shouldUseQueue()) {
        return queueRequest(context, operation, requestTicket, responseTicket);
    }
    return direct(context.coreContext(), requestTicket, responseTicket);
}

std::uint32_t closeAdmin(CLibContext& context) {
    CLibSharedInfo& registry = *LibProcessState().sharedInfo;
    CLibDeviceInfo& device = context.deviceInfo();
    device::RegistryAndDeviceLock locks(registry, device);
    std::uint32_t status = locks.lock();
    if (status != kIOS_NoErr) {
        return status;
    }
    if (device.shouldUseQueue()) {
        status = libQueueSeam().current().stopQueuing(&device, &context.printerAddress());
    } else {
        // The core context is deleted by the close, whatever it returns.
        CoreContext* core = context.coreContext();
        context.setCoreContext(nullptr);
        status = LibConnectorAdminClose(core);
    }
    if (status == kIOS_NoErr) {
        LocalDetachDeviceLocked(registry, device);
    }
    return status;
}

}  // namespace

uint32_t IOS_AdminOpen(void** context, void* address) {
    return LocalOpenContext(context, address,
                            [](CLibPrinterAddress& printer, std::unique_ptr<CLibDeviceInfo>& device,
                               std::unique_ptr<CLibContext>& made) {
                                CoreContext* core = nullptr;
                                const std::uint32_t status = openAdmin(*device, printer, &core);
                                if (status == kIOS_NoErr) {
                                    made = CLibContext::initAdminContextWithDeviceInfo(
                                        std::move(device),
                                        device::PrinterAddressRef::retain(&printer));
                                    made->setCoreContext(core);
                                }
                                return status;
                            });
}

uint32_t IOS_AdminOpenOnSandbox(void** context, void* address) {
    LibProcessState().appSandbox = true;
    return IOS_AdminOpen(context, address);
}

uint32_t IOS_AdminGetInfo(void* context, void* request, void* response) {
    return adminRequest(context, request, response, kLibQueueGet, LibConnectorAdminGetInfo);
}

uint32_t IOS_AdminSetInfo(void* context, void* request, void* response) {
    return adminRequest(context, request, response, kLibQueueSet, LibConnectorAdminSetInfo);
}

uint32_t IOS_AdminControlInfo(void* context, void* request, void* response) {
    return adminRequest(context, request, response, kLibQueueControl, LibConnectorAdminControlInfo);
}

uint32_t IOS_AdminClose(void* handle) {
    if (handle == nullptr) {
        return kIOS_ErrParam;
    }
    CLibContext* context = asContext(handle);
    if (context->type() != CLibContext::kAdmin) {
        return kIOS_ErrContextType;
    }
    const std::uint32_t status = closeAdmin(*context);
    LocalReleaseContext(context);
    LocalContextClosed();
    return status;
}
