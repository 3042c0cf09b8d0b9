// Reading a USB printer's texts from the device: its IEEE 1284 device id and its string
// descriptors, each with one control request on the default pipe.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "usb/usb.h"

namespace device {

/// The device id of a printer interface (GET_DEVICE_ID: configuration index, interface number
/// and alternate setting, kUsbDeviceIdRequestSize bytes asked for), bounded and terminated as
/// UsbDeviceIdFromAnswer says; nothing when the request fails.
std::optional<std::string> UsbReadDeviceId(usb::DeviceHandle& device,
                                           const usb::InterfaceInfo& interface,
                                           std::chrono::milliseconds timeout);

/// The bytes of the device descriptor that came back; nothing when the request fails.
std::optional<std::vector<std::uint8_t>> UsbReadDeviceDescriptor(usb::DeviceHandle& device,
                                                                 std::chrono::milliseconds timeout);

/// The text of string descriptor `index` in US English, `requestSize` bytes asked for. Nothing
/// for index 0, which names the table of language ids and no string, when the request fails, or
/// when fewer than 2 bytes came back.
std::optional<std::string> UsbReadStringDescriptor(usb::DeviceHandle& device, std::uint8_t index,
                                                   std::size_t requestSize,
                                                   std::chrono::milliseconds timeout);

}  // namespace device
