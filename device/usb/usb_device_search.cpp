// Finding the attached USB printer that a search key names.
#include "usb/usb_device_search.h"

#include "transport/caio.h"
#include "usb/usb_descriptor_read.h"
#include "usb/usb_descriptor_text.h"
#include "usb/usb_search_key.h"

namespace {

constexpr std::chrono::milliseconds kRequestTimeout{60000};

constexpr std::string_view kMfgKey = "MFG:";
constexpr std::string_view kMdlKey = "MDL:";
constexpr std::string_view kSerialKey = "SERN:";

// The device id of the interface, completed from the string descriptors; nothing when a request
// fails.
std::optional<std::string> completedDeviceId(usb::DeviceHandle& device,
                                             const usb::InterfaceInfo& interface) {
    std::optional<std::string> id = device::UsbReadDeviceId(device, interface, kRequestTimeout);
    if (!id) {
        return std::nullopt;
    }
    const device::UsbMissingIdFields missing = device::UsbMissingDeviceIdFields(*id);
    if (!missing.any()) {
        return id;
    }
    const auto descriptor = device::UsbReadDeviceDescriptor(device, kRequestTimeout);
    if (!descriptor) {
        return std::nullopt;
    }
    const auto stringAt = [&](std::size_t at) {
        return descriptor->size() > at ? zUsbGetString(device, (*descriptor)[at]) : std::string();
    };
    if (missing.manufacturer) {
        device::UsbAppendDeviceIdField(*id, kMfgKey, stringAt(usb::kManufacturerIndexAt));
    }
    if (missing.model) {
        device::UsbAppendDeviceIdField(*id, kMdlKey, stringAt(usb::kProductIndexAt));
    }
    if (missing.serialNumber) {
        device::UsbAppendDeviceIdField(*id, kSerialKey, stringAt(usb::kSerialNumberIndexAt));
    }
    return id;
}

}  // namespace

std::string zUsbGetString(usb::DeviceHandle& device, std::uint8_t index) {
    return device::UsbReadStringDescriptor(device, index, device::kUsbStringRequestSize,
                                           kRequestTimeout)
        .value_or(std::string());
}

namespace device {

std::int32_t UsbFindPrinter(const std::string& searchKey, UsbFoundPrinter& found) {
    std::vector<usb::InterfaceInfo> interfaces;
    if (usb::listInterfaces(interfaces) != usb::Status::ok) {
        return kCaioCodeReset;
    }
    for (const usb::InterfaceInfo& interface : interfaces) {
        if (!usb::isPrinterInterface(interface)) {
            continue;
        }
        std::unique_ptr<usb::DeviceHandle> device;
        if (usb::DeviceHandle::open(interface, device) != usb::Status::ok) {
            return kCaioCodeReset;
        }
        const auto id = completedDeviceId(*device, interface);
        if (!id) {
            return kCaioCodeReset;
        }
        if (UsbDeviceIdMatchesSearchKey(*id, searchKey)) {
            found = {std::move(device), interface, *id};
            return kCaioNoErr;
        }
    }
    return kCaioCodeReset;
}

}  // namespace device
