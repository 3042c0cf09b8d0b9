// Search keys of USB printers and the IEEE 1284 device ids they are matched against.
//
// A search key names one printer: "<manufacturer>/<model>?serial=<serial number>" or
// "<manufacturer>/<model>?location=<location>", percent-encoded as in a URI. A device id is a
// list of "KEY:value;" fields; its values run to the next ";".
#pragma once

#include <optional>
#include <string>
#include <string_view>

/// The text after the first occurrence of `key` (the whole text without a key); when
/// `delimiters` is given, leading delimiter characters are skipped and the value ends at the
/// next one. Nothing when the key does not occur.
std::optional<std::string> zCreateValueFromSearchKey(std::string_view text,
                                                     std::optional<std::string_view> key,
                                                     std::optional<std::string_view> delimiters);

/// True when either text is missing; otherwise the value of `text1` after `key1` up to
/// `delimiter1` and the value of `text2` after `key2` up to ";" must both exist and be equal.
bool zCompareValue(const char* text1, std::string_view key1,
                   std::optional<std::string_view> delimiter1, const char* text2,
                   std::string_view key2);

namespace device {

/// Decodes "%" and two hexadecimal digits (either case) into one byte; any other character,
/// and a "%" that two hexadecimal digits do not follow, is copied as it is.
std::string UsbPercentDecode(std::string_view text);

/// What a device id lacks: a manufacturer ("MANUFACTURER:" or "MFG:"), a model ("MODEL:" or
/// "MDL:") or a serial number ("SERN:").
struct UsbMissingIdFields {
    bool manufacturer = false;
    bool model = false;
    bool serialNumber = false;
    bool any() const { return manufacturer || model || serialNumber; }
};
UsbMissingIdFields UsbMissingDeviceIdFields(std::string_view deviceId);

/// Appends "<key><value>;" to a device id, with a ";" first when it does not end in one.
void UsbAppendDeviceIdField(std::string& deviceId, std::string_view key, std::string_view value);

/// Whether a printer with this (completed) device id is the one the decoded search key names:
/// the manufacturer and the model equal, and the serial number equal, or the key's serial "0"
/// or empty, or a key with a location and no serial.
bool UsbDeviceIdMatchesSearchKey(std::string_view deviceId, std::string_view searchKey);

}  // namespace device
