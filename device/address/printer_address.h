// CLibPrinterAddress: the handle by which the library names one printer.
//
// An address holds a connection kind, the printer's display name and its device URI, from which
// jobs, administration sessions and the shared registry's records are made. Addresses are
// reference counted and do not change after creation, apart from the device URI of a Bonjour
// printer, which is resolved on first use. Every member may be called from any thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "address/retained_ptr.h"
#include "cf/value.h"

/// Connection kinds of a printer address.
enum CLibConnectionType : std::int32_t {
    kCLibConnectionUSB = 0,
    kCLibConnectionLPR = 1,    ///< LPR over IPv4
    kCLibConnectionLPRv6 = 2,  ///< LPR over IPv6
    kCLibConnectionBonjour = 3,
    kCLibConnectionInvalid = 4,  ///< an IOM name the library does not know
};

/// The IOM names of the connection kinds.
inline constexpr std::string_view kIomNameUSB = "USB";
inline constexpr std::string_view kIomNameLPR = "WQS_LPR";
inline constexpr std::string_view kIomNameLPRv6 = "WQS_LPRV6";
inline constexpr std::string_view kIomNameBonjour = "Rendezvous";

/// Keys of the property-list form and of the discovery entries.
inline constexpr std::string_view kAddressKeyName = "MODEL:";
inline constexpr std::string_view kAddressKeyURI = "printer URI";
inline constexpr std::string_view kAddressKeyConnectionType = "connectionType";
inline constexpr std::string_view kEntryKeyPrinterAddress = "PrinterAddress";
inline constexpr std::string_view kEntryKeyServiceName = "ServiceName";

class CLibPrinterAddress;

namespace device {

/// A 32-bit IPv4 address, most significant byte first, as dotted text.
std::string DottedIPv4Address(std::uint32_t address);

/// The text of a string value; nothing for a missing value or another type.
std::optional<std::string> StringValue(const cf::Value* value);
/// The number of an integer value that fits a signed 32-bit integer; nothing otherwise.
std::optional<std::int32_t> Int32Value(const cf::Value* value);

using PrinterAddressRef = RetainedPtr<CLibPrinterAddress>;

}  // namespace device

class CLibPrinterAddress {
  public:
    /// An address of `iomName`'s kind named `printerName`: the LPR kinds take the printer's IP
    /// address text as the name and get its URI; USB and Bonjour get none here (the service type
    /// and domain do not enter the URI). Null without a name, or without a URI for any kind but
    /// Bonjour.
    static device::PrinterAddressRef initWithIOMName(std::string_view iomName,
                                                     const char* printerName,
                                                     const char* serviceType, const char* domain);

    /// An address made from a discovery entry: the name from "ServiceName" for Bonjour, else from
    /// "MODEL:"; the URI from "PrinterAddress". Null when either is missing.
    static device::PrinterAddressRef initWithIOMNameAddress(std::string_view iomName,
                                                            const cf::Value& entry);

    /// An address with the three values as they are. Null without a name, or without a URI for
    /// any kind but Bonjour.
    static device::PrinterAddressRef initWithConnectionType(std::int32_t connectionType,
                                                            std::optional<std::string> printerName,
                                                            std::optional<std::string> deviceURI);

    /// "lpd://<name>/" and "lpd://[<name>]/"; nothing for a null name.
    static std::optional<std::string> deviceURIWithIPv4PrinterName(const char* name);
    static std::optional<std::string> deviceURIWithIPv6PrinterName(const char* name);
    /// The URI of kind 1 or 2 for a name; nothing for the other kinds.
    static std::optional<std::string> deviceURIWithConnectionType(std::int32_t connectionType,
                                                                  const char* name);
    /// The URI of a discovery entry's "PrinterAddress": USB "usb://" and the text, LPR the
    /// 32-bit number in dotted form, Bonjour "dnssd://" and the text.
    static std::optional<std::string> deviceURIWithConnectionTypeAddress(
        std::int32_t connectionType, const cf::Value* printerAddress);

    /// The kind of an IOM name; kCLibConnectionInvalid for names the library does not know.
    static std::int32_t localPrinterConnectionTypeWithIOMName(std::string_view iomName);
    /// The IOM name of a kind; nothing for kinds outside 0 to 3.
    static std::optional<std::string_view> iomNameForConnectionType(std::int32_t connectionType);

    std::int32_t connectionType() const { return connectionType_; }
    std::string printerName() const;

    /// The device URI. A Bonjour address without one looks its service name up first and keeps
    /// what it finds; nothing when that fails (the next call tries again).
    std::optional<std::string> deviceURI();
    /// The URI as it is now, without any look-up.
    std::optional<std::string> storedDeviceURI() const;
    void setDeviceURI(std::optional<std::string> deviceURI);

    /// The device URI as UTF-8: the registry's key of this printer.
    std::optional<std::string> printerIdentifier() { return deviceURI(); }

    /// The property-list form: "MODEL:", "printer URI" (when there is one), "connectionType".
    cf::Value printerAddress() const;

    void retain() const { references_.fetch_add(1, std::memory_order_relaxed); }
    void release() const;

  private:
    CLibPrinterAddress(std::int32_t connectionType, std::string printerName,
                       std::optional<std::string> deviceURI);
    ~CLibPrinterAddress() = default;

    const std::int32_t connectionType_;
    mutable std::mutex mutex_;  // guards the name and the URI
    std::string printerName_;
    std::optional<std::string> deviceURI_;
    mutable std::atomic<std::uint32_t> references_{1};
};
