// Job and administration contexts.
#include "interface/lib_context.h"

#include "interface/lib_connector.h"

std::unique_ptr<CLibContext> CLibContext::initWithType(Type type,
                                                       std::unique_ptr<CLibDeviceInfo> deviceInfo,
                                                       device::PrinterAddressRef printerAddress) {
    if (!deviceInfo || !printerAddress) {
        return nullptr;
    }
    return std::unique_ptr<CLibContext>(
        new CLibContext(type, std::move(deviceInfo), std::move(printerAddress)));
}

void LocalReleaseContext(CLibContext* context) {
    if (context == nullptr) {
        return;
    }
    if (CoreContext* core = context->coreContext()) {
        context->setCoreContext(nullptr);
        if (context->type() == CLibContext::kJob) {
            LibConnectorJobClose(core);
        } else {
            LibConnectorAdminClose(core);
        }
    }
    delete context;
}
