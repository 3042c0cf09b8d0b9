// The exported printer-address functions.
#include "DovoCommonLib/ios_printer_address.h"

#include <string>
#include <vector>

#include "address/file_url.h"
#include "address/name_buffer.h"
#include "address/print_monitor_default.h"
#include "address/printer_address.h"
#include "address/printer_address_file.h"
#include "address/printer_discovery.h"

namespace {

CLibPrinterAddress* asAddress(void* handle) {
    return static_cast<CLibPrinterAddress*>(handle);
}

// The first attached USB printer whose model contains `printerName`.
std::uint32_t createUSBAddress(const char* printerName, void** address) {
    PrinterList found;
    const std::uint32_t status = device::printerDiscoverySeam().current().usbPrinterListCreate(
        {std::string(printerName)}, found);
    if (status != kIOS_NoErr) {
        return status;
    }
    if (found.addresses.empty()) {
        return kIOS_ErrNoUSBPrinter;
    }
    if (!found.addresses.front()) {
        return kIOS_ErrMemory;
    }
    *address = device::PrinterAddressRef(found.addresses.front()).leak();
    return kIOS_NoErr;
}

}  // namespace

uint32_t IOS_PrinterAddressCreate(const char* iomName, const char* printerName,
                                  const char* serviceType, const char* domain, void** address) {
    if (iomName == nullptr || printerName == nullptr || address == nullptr) {
        return kIOS_ErrParam;
    }
    *address = nullptr;
    switch (CLibPrinterAddress::localPrinterConnectionTypeWithIOMName(iomName)) {
        case kCLibConnectionUSB:
            return createUSBAddress(printerName, address);
        case kCLibConnectionBonjour:
            if (serviceType == nullptr || domain == nullptr) {
                return kIOS_ErrParam;
            }
            [[fallthrough]];
        case kCLibConnectionLPR:
        case kCLibConnectionLPRv6: {
            auto made =
                CLibPrinterAddress::initWithIOMName(iomName, printerName, serviceType, domain);
            if (!made) {
                return kIOS_ErrMemory;
            }
            *address = made.leak();
            return kIOS_NoErr;
        }
        default:
            return kIOS_ErrConnectionKind;
    }
}

uint32_t IOS_PrinterAddressDispose(void* address) {
    if (address != nullptr) {
        asAddress(address)->release();
    }
    return kIOS_NoErr;
}

uint32_t IOS_GetPrinterName(void* address, char* buffer) {
    if (address == nullptr || buffer == nullptr) {
        return kIOS_ErrParam;
    }
    device::CopyNameToBuffer(asAddress(address)->printerName(), buffer, kIOS_PrinterNameBufferSize);
    return kIOS_NoErr;
}

uint32_t IOS_PrinterAddressGetIomName(void* address, char* buffer) {
    if (address == nullptr || buffer == nullptr) {
        return kIOS_ErrParam;
    }
    const auto name =
        CLibPrinterAddress::iomNameForConnectionType(asAddress(address)->connectionType());
    if (!name) {
        return kIOS_ErrParam;
    }
    device::CopyNameToBuffer(*name, buffer, kIOS_IomNameBufferSize);
    return kIOS_NoErr;
}

uint32_t IOS_PrinterAddressGetPrinterInfo(void) {
    return kIOS_NoErr;
}

uint32_t IOS_WritePrinterAddressToFile(void* address, const char* fileURL) {
    const auto path = fileURL != nullptr ? device::PathFromFileURL(fileURL) : std::nullopt;
    if (address == nullptr || !path) {
        return kIOS_ErrParam;
    }
    return device::PrinterAddressWriteFile(*asAddress(address), *path);
}

uint32_t IOS_ReadPrinterAddressFromFile(void** address, const char* fileURL) {
    const auto path = fileURL != nullptr ? device::PathFromFileURL(fileURL) : std::nullopt;
    if (address == nullptr || !path) {
        return kIOS_ErrParam;
    }
    *address = device::PrinterAddressReadFile(*path).leak();
    return *address != nullptr ? kIOS_NoErr : kIOS_ErrInternal;
}

uint32_t IOS_PrinterAddressSetDefaultOfPrintMonitorForTARNCUPS(void* address) {
    if (address == nullptr) {
        return kIOS_ErrParam;
    }
    return device::PrintMonitorSetDefaultPrinter(*asAddress(address));
}
