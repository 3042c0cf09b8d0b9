// The printer addresses that the printing system leaves in the shared printer-information folder
// "Orvane/TARN/PrinterInfo" of the machine-wide caches folder: one subfolder per connection kind
// ("DNSSD" for Bonjour, else the IOM name), one property-list file per printer.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "address/printer_list.h"

namespace device {

/// The subfolder of a connection kind.
std::filesystem::path PrinterInfoFolder(std::string_view iomName);

/// The addresses of the kind's subfolder, in the order of the file names. A missing or empty
/// folder, and a name that would lead out of the folder, give an empty list; entries that hold no
/// address are skipped, but when there are entries and none holds one the result is
/// kIOS_ErrInternal and `list` is left as it was.
std::uint32_t PrinterInfoFolderReadList(std::string_view iomName, PrinterList& list);

}  // namespace device
