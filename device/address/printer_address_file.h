// Printer addresses in property-list files: the form that spool folders keep.
#pragma once

#include <cstdint>
#include <filesystem>

#include "address/printer_address.h"

namespace device {

/// Writes the address's property-list form to `path` atomically: 0, or kIOS_ErrInternal.
std::uint32_t PrinterAddressWriteFile(const CLibPrinterAddress& address,
                                      const std::filesystem::path& path);

/// The address of the file at `path` ("connectionType", "MODEL:", "printer URI"); null when the
/// file is no property-list dictionary or its values make no address.
PrinterAddressRef PrinterAddressReadFile(const std::filesystem::path& path);

}  // namespace device
