// The library interface's wrappers of the job and administration core.
#include "interface/lib_connector.h"

#include "DovoCommonLib/ios_status.h"
#include "core/core_admin.h"
#include "core/core_error.h"
#include "core/core_job.h"
#include "interface/lib_error.h"

namespace {

// A new core context for the address's device URI, or null.
CoreContext* createContext(CLibPrinterAddress& address) {
    const auto uri = address.deviceURI();
    return uri ? CoreCreateContext(uri->c_str()) : nullptr;
}

std::uint32_t adminOperate(CoreContext* context, std::uint32_t kind, const TktLibTicket* request,
                           TktLibTicket* response) {
    if (context == nullptr || request == nullptr || response == nullptr) {
        return kIOS_ErrParam;
    }
    return LocalConvertCoreError(CoreAdminOperate(context, kind, request, response));
}

}  // namespace

std::uint32_t LibConnectorJobOpen(CoreContext** context, CLibPrinterAddress* address,
                                  std::uint32_t channel, bool useChannel) {
    if (context == nullptr || address == nullptr) {
        return kIOS_ErrParam;
    }
    CoreContext* made = createContext(*address);
    if (made == nullptr) {
        return kIOS_ErrMemory;
    }
    std::uint32_t result = CoreJobInitialize(made);
    if (result == kCoreNoErr) {
        result = CoreJobStart(made, channel, useChannel ? 1 : 0);
    }
    if (result != kCoreNoErr) {
        CoreDeleteContext(made);
        return LocalConvertCoreError(result);
    }
    *context = made;
    return kIOS_NoErr;
}

std::uint32_t LibConnectorJobSend(CoreContext* context, const void* data, std::uint32_t* length) {
    if (context == nullptr || data == nullptr || length == nullptr) {
        return kIOS_ErrParam;
    }
    return LocalConvertCoreError(CoreJobWrite(context, data, length));
}

std::uint32_t LibConnectorJobClose(CoreContext* context) {
    if (context == nullptr) {
        return kIOS_ErrParam;
    }
    const std::uint32_t result = CoreJobEnd(context);
    CoreJobTerminate(context);
    CoreDeleteContext(context);
    return LocalConvertCoreError(result);
}

std::uint32_t LibConnectorAdminOpen(CoreContext** context, CLibPrinterAddress* address) {
    if (context == nullptr || address == nullptr) {
        return kIOS_ErrParam;
    }
    CoreContext* made = createContext(*address);
    if (made == nullptr) {
        return kIOS_ErrMemory;
    }
    std::uint32_t result = CoreAdminInitialize(made);
    if (result == kCoreNoErr) {
        result = CoreAdminStart(made);
    }
    if (result != kCoreNoErr) {
        CoreAdminTerminate(made);
        CoreDeleteContext(made);
        return LocalConvertCoreError(result);
    }
    *context = made;
    return kIOS_NoErr;
}

std::uint32_t LibConnectorAdminGetInfo(CoreContext* context, const TktLibTicket* request,
                                       TktLibTicket* response) {
    return adminOperate(context, kCoreAdminGet, request, response);
}

std::uint32_t LibConnectorAdminSetInfo(CoreContext* context, const TktLibTicket* request,
                                       TktLibTicket* response) {
    return adminOperate(context, kCoreAdminSet, request, response);
}

std::uint32_t LibConnectorAdminControlInfo(CoreContext* context, const TktLibTicket* request,
                                           TktLibTicket* response) {
    return adminOperate(context, kCoreAdminControl, request, response);
}

std::uint32_t LibConnectorAdminClose(CoreContext* context) {
    if (context == nullptr) {
        return kIOS_ErrParam;
    }
    const std::uint32_t result = CoreAdminEnd(context);
    CoreAdminTerminate(context);
    CoreDeleteContext(context);
    return LocalConvertCoreError(result);
}
