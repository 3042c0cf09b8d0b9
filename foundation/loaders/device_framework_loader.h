// Wrappers that bind functions of the device framework by name at the moment of the call: its
// life cycle and version, printer addresses, print jobs, administration contexts, tickets and
// arrays. The framework stays loaded once found, so that the handles made through one call serve
// the next. The framework missing, or the function missing from it, gives
// kDeviceFrameworkMissing from the status calls and 0 from the calls that answer a number;
// nothing is printed and the outputs are left as they were.
#pragma once

#include <cstdint>

#include "loaders/loader_codes.h"

std::uint32_t Load_IOS_Initialize();
void Load_IOS_Terminate();
std::uint16_t Load_IOS_GetVersion();

std::uint32_t Load_IOS_PrinterAddressCreate(const char* iomName, const char* printerName,
                                            const char* serviceType, const char* domain,
                                            void** address);
std::uint32_t Load_IOS_PrinterAddressDispose(void* address);
std::uint32_t Load_IOS_PrinterAddressSetDefaultOfPrintMonitorForTARNCUPS(void* address);

std::uint32_t Load_IOS_JobOpen(void** context, void* address, void* options,
                               std::uint32_t* subCode);
std::uint32_t Load_IOS_JobSend(void* context, const void* data, std::uint32_t* length,
                               std::uint8_t flag, std::uint32_t* subCode);
std::uint32_t Load_IOS_JobCancel(void** context);
std::uint32_t Load_IOS_JobClose(void* context, std::uint8_t flag, std::uint32_t* subCode);

std::uint32_t Load_IOS_AdminOpen(void** context, void* address);
std::uint32_t Load_IOS_AdminGetInfo(void* context, void* request, void* response);
std::uint32_t Load_IOS_AdminSetInfo(void* context, void* request, void* response);
std::uint32_t Load_IOS_AdminControlInfo(void* context, void* request, void* response);
std::uint32_t Load_IOS_AdminClose(void* context);

std::uint32_t Load_IOS_TicketCreate(void** ticket);
std::uint32_t Load_IOS_TicketDispose(void* ticket);
std::uint32_t Load_IOS_TicketSetAttribute(void* ticket, const char* key, std::uint32_t typeCode);
std::uint32_t Load_IOS_TicketSet2ClassAttribute(void* ticket, const char* classKey, const char* key,
                                                std::uint32_t typeCode);
std::uint32_t Load_IOS_TicketSetSInt32(void* ticket, const char* key, std::int32_t value);
std::uint32_t Load_IOS_TicketGetSInt32(void* ticket, const char* key, std::int32_t* value);
std::uint32_t Load_IOS_TicketGetArray(void* ticket, const char* key, void** array);
std::uint32_t Load_IOS_TicketGet2ClassSInt32(void* ticket, const char* classKey, const char* key,
                                             std::int32_t* value);
std::uint32_t Load_IOS_TicketGet2ClassArray(void* ticket, const char* classKey, const char* key,
                                            void** array);

std::int32_t Load_IOS_ArrayGetCount(void* array);
std::uint32_t Load_IOS_ArrayDispose(void* array);
std::uint32_t Load_IOS_ArrayGetCString(void* array, std::int32_t index, char* buffer,
                                       std::uint32_t size);
std::uint32_t Load_IOS_ArrayGetSInt32(void* array, std::int32_t index, std::int32_t* value);
