// The texts a USB printer hands out: its IEEE 1284 device id and its string descriptors.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace device {

/// Bytes asked for with GET_DEVICE_ID and with a string descriptor request.
inline constexpr std::size_t kUsbDeviceIdRequestSize = 1024;
inline constexpr std::size_t kUsbStringRequestSize = 1024;

/// The device id text of a GET_DEVICE_ID answer: the two-byte length head is dropped and at most
/// min(received, 1024) - 2 bytes follow, up to the first NUL. The head's own count is not
/// trusted: it is the printer's word, while the bytes received are known.
std::string UsbDeviceIdFromAnswer(std::span<const std::uint8_t> answer);

/// The text of a string descriptor: (L - 2) / 2 UTF-16LE characters after the two-byte head,
/// where L is the descriptor's length byte, bounded by the bytes received; as UTF-8 (unpaired
/// surrogates become U+FFFD), ending at a NUL character. Empty when L or the bytes received are
/// below 2.
std::string UsbStringFromDescriptor(std::span<const std::uint8_t> descriptor);

}  // namespace device
