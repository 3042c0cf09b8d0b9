// The texts a USB printer hands out.
#include "usb/usb_descriptor_text.h"

#include <algorithm>
#include <cstring>

#include "bytes/utf16_text.h"

namespace {

constexpr std::size_t kDeviceIdHead = 2;    // big-endian length of the device id
constexpr std::size_t kDescriptorHead = 2;  // bLength, bDescriptorType
constexpr std::size_t kUnitSize = 2;

}  // namespace

namespace device {

std::string UsbDeviceIdFromAnswer(std::span<const std::uint8_t> answer) {
    const std::size_t received = std::min(answer.size(), kUsbDeviceIdRequestSize);
    if (received <= kDeviceIdHead) {
        return {};
    }
    const auto* text = reinterpret_cast<const char*>(answer.data() + kDeviceIdHead);
    return std::string(text, ::strnlen(text, received - kDeviceIdHead));
}

std::string UsbStringFromDescriptor(std::span<const std::uint8_t> descriptor) {
    if (descriptor.size() < kDescriptorHead || descriptor[0] < kDescriptorHead) {
        return {};
    }
    const std::size_t length = std::min<std::size_t>(descriptor[0], descriptor.size());
    std::span<const std::uint8_t> units =
        descriptor.subspan(kDescriptorHead, (length - kDescriptorHead) / kUnitSize * kUnitSize);
    for (std::size_t at = 0; at < units.size(); at += kUnitSize) {
        if (units[at] == 0 && units[at + 1] == 0) {
            units = units.first(at);  // the text is a C string for its users
            break;
        }
    }
    return bytes::utf8FromUtf16(units, bytes::Utf16Order::LittleEndian);
}

}  // namespace device
