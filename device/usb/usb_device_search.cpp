// Finding the attached USB printer that a search key names.
#include "usb/usb_device_search.h"

#include <array>
#include <vector>

#include "transport/caio.h"
#include "usb/usb_descriptor_text.h"
#include "usb/usb_search_key.h"

namespace {

// USB 2.0 chapter 9 and the printer class (1.1, 4.2.1).
constexpr std::uint8_t kRequestTypeStandardIn = 0x80;
constexpr std::uint8_t kRequestTypeClassInterfaceIn = 0xA1;
constexpr std::uint8_t kGetDeviceId = 0;
constexpr std::uint8_t kGetDescriptor = 6;
constexpr std::uint16_t kDeviceDescriptor = 0x0100;
constexpr std::uint16_t kStringDescriptor = 0x0300;
constexpr std::uint16_t kLanguageEnglishUS = 0x0409;
constexpr std::size_t kManufacturerIndexAt = 14;
constexpr std::size_t kProductIndexAt = 15;
constexpr std::size_t kSerialIndexAt = 16;
constexpr std::chrono::milliseconds kRequestTimeout{60000};

constexpr std::string_view kMfgKey = "MFG:";
constexpr std::string_view kMdlKey = "MDL:";
constexpr std::string_view kSerialKey = "SERN:";

bool isPrinter(const usb::InterfaceInfo& interface) {
    return interface.interfaceClass == usb::kClassPrinter &&
           interface.interfaceSubclass == usb::kSubclassPrinter;
}

// The device id of the interface, completed from the string descriptors; nothing when a request
// fails.
std::optional<std::string> completedDeviceId(usb::DeviceHandle& device,
                                             const usb::InterfaceInfo& interface) {
    std::vector<std::uint8_t> answer(kUsbDeviceIdRequestSize);
    auto length = static_cast<std::uint32_t>(answer.size());
    const auto configIndex = static_cast<std::uint16_t>(interface.configurationValue - 1);
    const auto index =
        static_cast<std::uint16_t>(interface.interfaceNumber << 8 | interface.alternateSetting);
    if (zDeviceRequest(device, kRequestTypeClassInterfaceIn, kGetDeviceId, configIndex, index,
                       answer.data(), &length) != usb::Status::ok) {
        return std::nullopt;
    }
    std::string id = UsbDeviceIdFromAnswer({answer.data(), length});
    const UsbMissingIdFields missing = UsbMissingDeviceIdFields(id);
    if (!missing.any()) {
        return id;
    }
    std::array<std::uint8_t, usb::kDeviceDescriptorSize> descriptor{};
    length = static_cast<std::uint32_t>(descriptor.size());
    if (zDeviceRequest(device, kRequestTypeStandardIn, kGetDescriptor, kDeviceDescriptor, 0,
                       descriptor.data(), &length) != usb::Status::ok) {
        return std::nullopt;
    }
    const auto stringAt = [&](std::size_t at) {
        return length > at ? zUsbGetString(device, descriptor[at]) : std::string();
    };
    if (missing.manufacturer) {
        UsbAppendDeviceIdField(id, kMfgKey, stringAt(kManufacturerIndexAt));
    }
    if (missing.model) {
        UsbAppendDeviceIdField(id, kMdlKey, stringAt(kProductIndexAt));
    }
    if (missing.serialNumber) {
        UsbAppendDeviceIdField(id, kSerialKey, stringAt(kSerialIndexAt));
    }
    return id;
}

}  // namespace

usb::Status zDeviceRequest(usb::DeviceHandle& device, std::uint8_t requestType,
                           std::uint8_t request, std::uint16_t value, std::uint16_t index,
                           std::uint8_t* buffer, std::uint32_t* length) {
    std::size_t transferred = 0;
    const usb::Status status = device.control(requestType, request, value, index, {buffer, *length},
                                              kRequestTimeout, transferred);
    if (status == usb::Status::ok) {
        *length = static_cast<std::uint32_t>(transferred);
    }
    return status;
}

std::string zUsbGetString(usb::DeviceHandle& device, std::uint8_t index) {
    if (index == 0) {
        return {};
    }
    std::vector<std::uint8_t> descriptor(kUsbStringRequestSize);
    auto length = static_cast<std::uint32_t>(descriptor.size());
    if (zDeviceRequest(device, kRequestTypeStandardIn, kGetDescriptor,
                       static_cast<std::uint16_t>(kStringDescriptor + index), kLanguageEnglishUS,
                       descriptor.data(), &length) != usb::Status::ok ||
        length == 0) {
        return {};
    }
    return UsbStringFromDescriptor({descriptor.data(), length});
}

std::int32_t UsbFindPrinter(const std::string& searchKey, UsbFoundPrinter& found) {
    std::vector<usb::InterfaceInfo> interfaces;
    if (usb::listInterfaces(interfaces) != usb::Status::ok) {
        return kCaioCodeReset;
    }
    for (const usb::InterfaceInfo& interface : interfaces) {
        if (!isPrinter(interface)) {
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
