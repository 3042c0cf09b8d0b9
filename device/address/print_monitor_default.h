// The print monitor's current printer, kept in its preferences domain
// "orvane.CUPSZel.Printmonitor": a property-list file in the user's Preferences folder.
//
// The domain holds one printer list per connection kind ("USBPrinterList", "LPRPrinterList",
// "LPRv6PrinterList", "BonjourPrinterList"): entries with "QueueName", "PrinterName", "Address"
// (the keyed archive of the address) and "NetworkType"; "CurrentPrinter" names the queue the
// monitor shows. The monitor lies outside the library; only these keys are shared with it.
#pragma once

#include <cstdint>
#include <filesystem>

#include "address/printer_address.h"

namespace device {

/// The file of the print monitor's preferences domain.
std::filesystem::path PrintMonitorPreferencesPath();

/// Makes `address` the monitor's current printer, adding it to its kind's list when the list has
/// no entry of that name and network type. 0; kIOS_ErrParam for a kind outside 0 to 3;
/// kIOS_ErrInternal when the domain cannot be read (it is then left as it is) or written.
std::uint32_t PrintMonitorSetDefaultPrinter(const CLibPrinterAddress& address);

}  // namespace device
