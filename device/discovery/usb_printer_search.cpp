// The USB search.
#include "discovery/usb_printer_search.h"

#include <memory>
#include <vector>

#include "address/printer_address.h"
#include "discovery/search_status.h"
#include "usb/usb.h"
#include "usb/usb_descriptor_read.h"

namespace {

// Every request of the search gives up after this long.
constexpr std::chrono::milliseconds kRequestTimeout{5000};
// Bytes asked for with a string descriptor request.
constexpr std::size_t kStringRequestSize = 256;

// The device id keys the search reads. The serial number goes by "SREN", not the "SERN" of the
// entry: a printer that names it otherwise has it read from its serial-number string.
constexpr std::string_view kIdKeyManufacturer = "MFG";
constexpr std::string_view kIdKeyModel = "MDL";
constexpr std::string_view kIdKeySerialNumber = "SREN";
constexpr char kIdKeyEnd = ':';
constexpr char kIdValueEnd = ';';

constexpr std::string_view kSerialQuery = "?serial=";

// The manufacturer, model and serial number of one interface.
struct PrinterTexts {
    std::optional<std::string> manufacturer;
    std::optional<std::string> model;
    std::optional<std::string> serialNumber;
    bool complete() const { return manufacturer && model && serialNumber; }
};

// The values the device id lacks, from the string descriptors the device descriptor names.
void completeFromDescriptors(usb::DeviceHandle& device, PrinterTexts& texts) {
    const auto descriptor = device::UsbReadDeviceDescriptor(device, kRequestTimeout);
    if (!descriptor) {
        return;
    }
    const auto stringAt = [&](std::size_t at) -> std::optional<std::string> {
        if (descriptor->size() <= at) {
            return std::nullopt;
        }
        return device::UsbReadStringDescriptor(device, (*descriptor)[at], kStringRequestSize,
                                               kRequestTimeout);
    };
    if (!texts.manufacturer) {
        texts.manufacturer = stringAt(usb::kManufacturerIndexAt);
    }
    if (!texts.model) {
        texts.model = stringAt(usb::kProductIndexAt);
    }
    if (!texts.serialNumber) {
        texts.serialNumber = stringAt(usb::kSerialNumberIndexAt);
    }
}

PrinterTexts printerTexts(usb::DeviceHandle& device, const usb::InterfaceInfo& interface) {
    PrinterTexts texts;
    if (const auto id = device::UsbReadDeviceId(device, interface, kRequestTimeout)) {
        texts.manufacturer = LocalGetStringForKey(*id, kIdKeyManufacturer);
        texts.model = LocalGetStringForKey(*id, kIdKeyModel);
        texts.serialNumber = LocalGetStringForKey(*id, kIdKeySerialNumber);
    }
    if (!texts.complete()) {
        completeFromDescriptors(device, texts);
    }
    return texts;
}

cf::Value entryOf(const PrinterTexts& texts) {
    cf::Value entry = cf::Value::emptyDictionary();
    entry.set(kEntryKeyManufacturer, *texts.manufacturer);
    entry.set(kAddressKeyName, *texts.model);
    entry.set(kEntryKeySerialNumber, *texts.serialNumber);
    entry.set(kEntryKeyPrinterAddress, device::UsbPrinterAddressText(
                                           *texts.manufacturer, *texts.model, *texts.serialNumber));
    return entry;
}

}  // namespace

std::optional<std::string> LocalGetStringForKey(std::string_view deviceId, std::string_view key) {
    const std::string field = std::string(key) + kIdKeyEnd;
    const std::size_t at = deviceId.find(field);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view rest = deviceId.substr(at + field.size());
    const std::size_t end = rest.find(kIdValueEnd);
    if (end == std::string_view::npos) {
        return std::nullopt;
    }
    return std::string(rest.substr(0, end));
}

namespace device {

std::string UsbPrinterAddressText(std::string_view manufacturer, std::string_view model,
                                  std::string_view serialNumber) {
    return std::string(manufacturer) + "/" + std::string(model) + std::string(kSerialQuery) +
           std::string(serialNumber);
}

}  // namespace device

std::int32_t SearchUSBPrinterAddressList(cf::Value& entries) {
    std::vector<usb::InterfaceInfo> interfaces;
    if (usb::listInterfaces(interfaces) != usb::Status::ok) {
        return kSearchSystemErr;
    }
    for (const usb::InterfaceInfo& interface : interfaces) {
        if (!usb::isPrinterInterface(interface)) {
            continue;
        }
        std::unique_ptr<usb::DeviceHandle> device;
        if (usb::DeviceHandle::open(interface, device) != usb::Status::ok) {
            continue;
        }
        const PrinterTexts texts = printerTexts(*device, interface);
        if (texts.complete()) {
            entries.append(entryOf(texts));
        }
    }
    return kSearchNoErr;
}
