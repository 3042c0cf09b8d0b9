// Finding the attached USB printer that a search key names.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "usb/usb.h"

namespace device {

/// The printer found for a search key: its opened (not yet claimed) device, its interface and
/// its completed device id.
struct UsbFoundPrinter {
    std::unique_ptr<usb::DeviceHandle> device;
    usb::InterfaceInfo interface;
    std::string deviceId;
};

/// Looks at every printer-class interface (class 7, subclass 1) in turn: reads its IEEE 1284
/// device id, completes a missing manufacturer, model or serial number from the device's string
/// descriptors, and takes the first whose id matches the decoded search key. 0, or 54 when no
/// printer matches or a device cannot be examined.
std::int32_t UsbFindPrinter(const std::string& searchKey, UsbFoundPrinter& found);

}  // namespace device

/// The text of string descriptor `index` (none for index 0, or when the request fails).
std::string zUsbGetString(usb::DeviceHandle& device, std::uint8_t index);
