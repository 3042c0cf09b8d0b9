#include "loaders/device_framework_loader.h"

#include "DovoCommonLib/ios_library.h"
#include "DovoCommonLib/ios_printer_address.h"
#include "DovoCommonLib/ios_ticket.h"
#include "loaders/framework_loader.h"

static_assert(kDeviceFrameworkMissing == kIOS_ErrInternal);

namespace {

constexpr std::uint16_t kNoVersion = 0;
constexpr std::int32_t kNoElements = 0;

}  // namespace

#define DEVICE_CALL(function, failure, ...)                                 \
    callKeptFramework<decltype(function)>(deviceFrameworkPath(), #function, \
                                          failure __VA_OPT__(, ) __VA_ARGS__)
#define DEVICE_STATUS(function, ...) \
    DEVICE_CALL(function, kDeviceFrameworkMissing __VA_OPT__(, ) __VA_ARGS__)

std::uint32_t Load_IOS_Initialize() {
    return DEVICE_STATUS(IOS_Initialize);
}

void Load_IOS_Terminate() {
    auto* function = reinterpret_cast<decltype(IOS_Terminate)*>(
        GetProcPtr(keptBundle(deviceFrameworkPath()), "IOS_Terminate"));
    if (function != nullptr) {
        function();
    }
}

std::uint16_t Load_IOS_GetVersion() {
    return DEVICE_CALL(IOS_GetVersion, kNoVersion);
}

std::uint32_t Load_IOS_PrinterAddressCreate(const char* iomName, const char* printerName,
                                            const char* serviceType, const char* domain,
                                            void** address) {
    return DEVICE_STATUS(IOS_PrinterAddressCreate, iomName, printerName, serviceType, domain,
                         address);
}

std::uint32_t Load_IOS_PrinterAddressDispose(void* address) {
    return DEVICE_STATUS(IOS_PrinterAddressDispose, address);
}

std::uint32_t Load_IOS_PrinterAddressSetDefaultOfPrintMonitorForTARNCUPS(void* address) {
    return DEVICE_STATUS(IOS_PrinterAddressSetDefaultOfPrintMonitorForTARNCUPS, address);
}

std::uint32_t Load_IOS_JobOpen(void** context, void* address, void* options,
                               std::uint32_t* subCode) {
    return DEVICE_STATUS(IOS_JobOpen, context, address, options, subCode);
}

std::uint32_t Load_IOS_JobSend(void* context, const void* data, std::uint32_t* length,
                               std::uint8_t flag, std::uint32_t* subCode) {
    return DEVICE_STATUS(IOS_JobSend, context, data, length, flag, subCode);
}

std::uint32_t Load_IOS_JobCancel(void** context) {
    return DEVICE_STATUS(IOS_JobCancel, context);
}

std::uint32_t Load_IOS_JobClose(void* context, std::uint8_t flag, std::uint32_t* subCode) {
    return DEVICE_STATUS(IOS_JobClose, context, flag, subCode);
}

std::uint32_t Load_IOS_AdminOpen(void** context, void* address) {
    return DEVICE_STATUS(IOS_AdminOpen, context, address);
}

std::uint32_t Load_IOS_AdminGetInfo(void* context, void* request, void* response) {
    return DEVICE_STATUS(IOS_AdminGetInfo, context, request, response);
}

std::uint32_t Load_IOS_AdminSetInfo(void* context, void* request, void* response) {
    return DEVICE_STATUS(IOS_AdminSetInfo, context, request, response);
}

std::uint32_t Load_IOS_AdminControlInfo(void* context, void* request, void* response) {
    return DEVICE_STATUS(IOS_AdminControlInfo, context, request, response);
}

std::uint32_t Load_IOS_AdminClose(void* context) {
    return DEVICE_STATUS(IOS_AdminClose, context);
}

std::uint32_t Load_IOS_TicketCreate(void** ticket) {
    return DEVICE_STATUS(IOS_TicketCreate, ticket);
}

std::uint32_t Load_IOS_TicketDispose(void* ticket) {
    return DEVICE_STATUS(IOS_TicketDispose, ticket);
}

std::uint32_t Load_IOS_TicketSetAttribute(void* ticket, const char* key, std::uint32_t typeCode) {
    return DEVICE_STATUS(IOS_TicketSetAttribute, ticket, key, typeCode);
}

std::uint32_t Load_IOS_TicketSet2ClassAttribute(void* ticket, const char* classKey, const char* key,
                                                std::uint32_t typeCode) {
    return DEVICE_STATUS(IOS_TicketSet2ClassAttribute, ticket, classKey, key, typeCode);
}

std::uint32_t Load_IOS_TicketSetSInt32(void* ticket, const char* key, std::int32_t value) {
    return DEVICE_STATUS(IOS_TicketSetSInt32, ticket, key, value);
}

std::uint32_t Load_IOS_TicketGetSInt32(void* ticket, const char* key, std::int32_t* value) {
    return DEVICE_STATUS(IOS_TicketGetSInt32, ticket, key, value);
}

std::uint32_t Load_IOS_TicketGetArray(void* ticket, const char* key, void** array) {
    return DEVICE_STATUS(IOS_TicketGetArray, ticket, key, array);
}

std::uint32_t Load_IOS_TicketGet2ClassSInt32(void* ticket, const char* classKey, const char* key,
                                             std::int32_t* value) {
    return DEVICE_STATUS(IOS_TicketGet2ClassSInt32, ticket, classKey, key, value);
}

std::uint32_t Load_IOS_TicketGet2ClassArray(void* ticket, const char* classKey, const char* key,
                                            void** array) {
    return DEVICE_STATUS(IOS_TicketGet2ClassArray, ticket, classKey, key, array);
}

std::int32_t Load_IOS_ArrayGetCount(void* array) {
    return DEVICE_CALL(IOS_ArrayGetCount, kNoElements, array);
}

std::uint32_t Load_IOS_ArrayDispose(void* array) {
    return DEVICE_STATUS(IOS_ArrayDispose, array);
}

std::uint32_t Load_IOS_ArrayGetCString(void* array, std::int32_t index, char* buffer,
                                       std::uint32_t size) {
    return DEVICE_STATUS(IOS_ArrayGetCString, array, index, buffer, size);
}

std::uint32_t Load_IOS_ArrayGetSInt32(void* array, std::int32_t index, std::int32_t* value) {
    return DEVICE_STATUS(IOS_ArrayGetSInt32, array, index, value);
}
