// Printer addresses of the job transport.
#include "transport/printer_address.h"

#include <cstring>

#include "DovoCommonLib/ios_status.h"
#include "rastercore/result_codes.h"
#include "transport/transport_calls.h"

namespace {

bool named(const char* connectionName, const char* kind) {
    return std::strcmp(connectionName, kind) == 0;
}

}  // namespace

std::int32_t PLG_Get_PrinterAddress(const char* connectionName, const char* printerName,
                                    const char* extraText, void** address) {
    if (address == nullptr) {
        return rastercore::kTransportFailure;
    }
    *address = nullptr;
    if (connectionName == nullptr) {
        return rastercore::kTransportFailure;
    }
    const char* kind = connectionName;
    const char* service = nullptr;
    const char* domain = nullptr;
    if (named(connectionName, kConnectionAppleTalk)) {
        service = kAppleTalkService;
        domain = extraText;
    } else if (named(connectionName, kConnectionRendezvous) ||
               named(connectionName, kConnectionDnssd)) {
        kind = kConnectionRendezvous;
        service = kBonjourServiceType;
        domain = kBonjourDomain;
    }
    const std::uint32_t status = transportCalls().current().printerAddressCreate(
        kind, printerName, service, domain, address);
    if (status == kIOS_NoErr && *address != nullptr) {
        return rastercore::kResultOk;
    }
    *address = nullptr;
    return status == static_cast<std::uint32_t>(rastercore::kResultCancelled)
               ? rastercore::kResultCancelled
               : rastercore::kTransportFailure;
}

std::int32_t PLG_Dispose_PrinterAddress(void* address) {
    if (address != nullptr) {
        transportCalls().current().printerAddressDispose(address);
    }
    return rastercore::kResultOk;
}

std::int32_t PLG_CheckPrinter_Rendezvous(void* address) {
    if (address == nullptr) {
        return rastercore::kResultFailure;
    }
    const TransportCalls& calls = transportCalls().current();
    void* admin = nullptr;
    const std::uint32_t status = calls.adminOpen(&admin, address);
    if (status == kIOS_NoErr) {
        calls.adminClose(admin);
    }
    return static_cast<std::int32_t>(status);
}
