// The USB search: every attached printer-class interface with its manufacturer, model and serial
// number, as discovery entries.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "cf/value.h"

/// Keys of a USB discovery entry besides "MODEL:" and "PrinterAddress".
inline constexpr std::string_view kEntryKeyManufacturer = "MANUFACTURER:";
inline constexpr std::string_view kEntryKeySerialNumber = "SERN:";

/// The value of device id field `key` ("MFG"): from just after the key and a ":" up to the next
/// ";". Nothing when the key is missing or no ";" follows.
std::optional<std::string> LocalGetStringForKey(std::string_view deviceId, std::string_view key);

namespace device {

/// The entry's "PrinterAddress": "<manufacturer>/<model>?serial=<serial number>", the search key
/// by which the USB transport finds the printer again.
std::string UsbPrinterAddressText(std::string_view manufacturer, std::string_view model,
                                  std::string_view serialNumber);

}  // namespace device

/// Appends to the array `entries` one entry ("MANUFACTURER:", "MODEL:", "SERN:",
/// "PrinterAddress") per printer interface whose three values can be had: from the IEEE 1284
/// device id ("MFG", "MDL", "SREN"), else from the string descriptors that the device descriptor
/// names. Interfaces that cannot be opened or read are skipped. kSearchNoErr, or
/// kSearchSystemErr when the attached devices cannot be listed.
std::int32_t SearchUSBPrinterAddressList(cf::Value& entries);
