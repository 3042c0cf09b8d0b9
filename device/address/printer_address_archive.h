// The keyed-archive form of a printer address, as the print monitor's preferences and the
// printing system's printer-information files carry it.
//
// The archive is a binary property list: a dictionary whose "$class" names the archived class
// ("CLibPrinterAddress") beside the keys "_printerName" (string), "_deviceURI" (string, absent
// for a Bonjour address not resolved yet) and "_connectionType" (integer). Decoding is
// class-checked: another class, or a key of another type, decodes to nothing.
#pragma once

#include <optional>

#include "address/printer_address.h"
#include "cf/value.h"

namespace device {

/// The archive of `address` as a data value.
std::optional<cf::Value> PrinterAddressArchive(const CLibPrinterAddress& address);

/// The address that `archive` (a data value) holds, made with initWithConnectionType; null when
/// the data is no archive of a printer address or makes no address.
PrinterAddressRef PrinterAddressUnarchive(const cf::Value& archive);

}  // namespace device
