// Reading a USB printer's texts from the device.
#include "usb/usb_descriptor_read.h"

#include <algorithm>

#include "usb/usb_descriptor_text.h"

namespace {

constexpr std::size_t kDescriptorHead = 2;  // bLength, bDescriptorType

// An IN request on the default pipe: the bytes received, nothing when it fails.
std::optional<std::vector<std::uint8_t>> requestIn(usb::DeviceHandle& device,
                                                   std::uint8_t requestType, std::uint8_t request,
                                                   std::uint16_t value, std::uint16_t index,
                                                   std::size_t size,
                                                   std::chrono::milliseconds timeout) {
    std::vector<std::uint8_t> answer(size);
    std::size_t received = 0;
    if (device.control(requestType, request, value, index, answer, timeout, received) !=
        usb::Status::ok) {
        return std::nullopt;
    }
    answer.resize(std::min(received, answer.size()));
    return answer;
}

}  // namespace

namespace device {

std::optional<std::string> UsbReadDeviceId(usb::DeviceHandle& device,
                                           const usb::InterfaceInfo& interface,
                                           std::chrono::milliseconds timeout) {
    const auto configurationIndex = static_cast<std::uint16_t>(interface.configurationValue - 1);
    const auto index =
        static_cast<std::uint16_t>(interface.interfaceNumber << 8 | interface.alternateSetting);
    const auto answer =
        requestIn(device, usb::kRequestTypeClassInterfaceIn, usb::kRequestGetDeviceId,
                  configurationIndex, index, kUsbDeviceIdRequestSize, timeout);
    if (!answer) {
        return std::nullopt;
    }
    return UsbDeviceIdFromAnswer(*answer);
}

std::optional<std::vector<std::uint8_t>> UsbReadDeviceDescriptor(
    usb::DeviceHandle& device, std::chrono::milliseconds timeout) {
    return requestIn(device, usb::kRequestTypeStandardIn, usb::kRequestGetDescriptor,
                     usb::kDescriptorValueDevice, 0, usb::kDeviceDescriptorSize, timeout);
}

std::optional<std::string> UsbReadStringDescriptor(usb::DeviceHandle& device, std::uint8_t index,
                                                   std::size_t requestSize,
                                                   std::chrono::milliseconds timeout) {
    if (index == 0) {
        return std::nullopt;
    }
    const auto descriptor =
        requestIn(device, usb::kRequestTypeStandardIn, usb::kRequestGetDescriptor,
                  static_cast<std::uint16_t>(usb::kDescriptorValueString + index),
                  usb::kLanguageEnglishUS, requestSize, timeout);
    if (!descriptor || descriptor->size() < kDescriptorHead) {
        return std::nullopt;
    }
    return UsbStringFromDescriptor(*descriptor);
}

}  // namespace device
