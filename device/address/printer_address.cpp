// Printer addresses: their kinds, names and device URIs.
#include "address/printer_address.h"

#include <array>
#include <climits>
#include <cstdio>

#include "address/printer_discovery.h"

namespace {

constexpr std::string_view kLPRScheme = "lpd://";
constexpr std::string_view kUSBScheme = "usb://";
constexpr std::string_view kBonjourScheme = "dnssd://";

struct IomKind {
    std::string_view name;
    std::int32_t connectionType;
};
constexpr std::array<IomKind, 4> kIomKinds{{
    {kIomNameUSB, kCLibConnectionUSB},
    {kIomNameLPR, kCLibConnectionLPR},
    {kIomNameLPRv6, kCLibConnectionLPRv6},
    {kIomNameBonjour, kCLibConnectionBonjour},
}};

}  // namespace

namespace device {

std::string DottedIPv4Address(std::uint32_t address) {
    char text[sizeof "255.255.255.255"];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", (address >> 24) & 0xFFu,
                  (address >> 16) & 0xFFu, (address >> 8) & 0xFFu, address & 0xFFu);
    return text;
}

std::optional<std::string> StringValue(const cf::Value* value) {
    if (value == nullptr || value->string() == nullptr) {
        return std::nullopt;
    }
    return *value->string();
}

std::optional<std::int32_t> Int32Value(const cf::Value* value) {
    const auto number = value != nullptr ? value->integer() : std::nullopt;
    if (!number || *number < INT32_MIN || *number > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*number);
}

}  // namespace device

CLibPrinterAddress::CLibPrinterAddress(std::int32_t connectionType, std::string printerName,
                                       std::optional<std::string> deviceURI)
    : connectionType_(connectionType),
      printerName_(std::move(printerName)),
      deviceURI_(std::move(deviceURI)) {}

void CLibPrinterAddress::release() const {
    if (references_.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        delete this;
    }
}

device::PrinterAddressRef CLibPrinterAddress::initWithIOMName(std::string_view iomName,
                                                              const char* printerName, const char*,
                                                              const char*) {
    const std::int32_t type = localPrinterConnectionTypeWithIOMName(iomName);
    auto uri = deviceURIWithConnectionType(type, printerName);
    if (printerName == nullptr || (!uri && iomName != kIomNameBonjour)) {
        return {};
    }
    return device::PrinterAddressRef::adopt(
        new CLibPrinterAddress(type, printerName, std::move(uri)));
}

device::PrinterAddressRef CLibPrinterAddress::initWithIOMNameAddress(std::string_view iomName,
                                                                     const cf::Value& entry) {
    const std::int32_t type = localPrinterConnectionTypeWithIOMName(iomName);
    auto name = device::StringValue(
        entry.find(iomName == kIomNameBonjour ? kEntryKeyServiceName : kAddressKeyName));
    auto uri = deviceURIWithConnectionTypeAddress(type, entry.find(kEntryKeyPrinterAddress));
    if (!name || !uri) {
        return {};
    }
    return device::PrinterAddressRef::adopt(
        new CLibPrinterAddress(type, std::move(*name), std::move(uri)));
}

device::PrinterAddressRef CLibPrinterAddress::initWithConnectionType(
    std::int32_t connectionType, std::optional<std::string> printerName,
    std::optional<std::string> deviceURI) {
    if (!printerName || (!deviceURI && connectionType != kCLibConnectionBonjour)) {
        return {};
    }
    return device::PrinterAddressRef::adopt(
        new CLibPrinterAddress(connectionType, std::move(*printerName), std::move(deviceURI)));
}

std::optional<std::string> CLibPrinterAddress::deviceURIWithIPv4PrinterName(const char* name) {
    if (name == nullptr) {
        return std::nullopt;
    }
    return std::string(kLPRScheme) + name + "/";
}

std::optional<std::string> CLibPrinterAddress::deviceURIWithIPv6PrinterName(const char* name) {
    if (name == nullptr) {
        return std::nullopt;
    }
    return std::string(kLPRScheme) + "[" + name + "]/";
}

std::optional<std::string> CLibPrinterAddress::deviceURIWithConnectionType(
    std::int32_t connectionType, const char* name) {
    switch (connectionType) {
        case kCLibConnectionLPR:
            return deviceURIWithIPv4PrinterName(name);
        case kCLibConnectionLPRv6:
            return deviceURIWithIPv6PrinterName(name);
        default:
            return std::nullopt;
    }
}

std::optional<std::string> CLibPrinterAddress::deviceURIWithConnectionTypeAddress(
    std::int32_t connectionType, const cf::Value* printerAddress) {
    if (printerAddress == nullptr) {
        return std::nullopt;
    }
    const auto text = device::StringValue(printerAddress);
    switch (connectionType) {
        case kCLibConnectionUSB:
            return text ? std::optional(std::string(kUSBScheme) + *text) : std::nullopt;
        case kCLibConnectionLPR: {
            const auto number = printerAddress->integer();
            if (!number) {
                return std::nullopt;
            }
            const std::string dotted =
                device::DottedIPv4Address(static_cast<std::uint32_t>(*number));
            return deviceURIWithIPv4PrinterName(dotted.c_str());
        }
        case kCLibConnectionBonjour:
            return text ? std::optional(std::string(kBonjourScheme) + *text) : std::nullopt;
        default:
            return std::nullopt;
    }
}

std::int32_t CLibPrinterAddress::localPrinterConnectionTypeWithIOMName(std::string_view iomName) {
    for (const auto& kind : kIomKinds) {
        if (kind.name == iomName) {
            return kind.connectionType;
        }
    }
    return kCLibConnectionInvalid;
}

std::optional<std::string_view> CLibPrinterAddress::iomNameForConnectionType(
    std::int32_t connectionType) {
    for (const auto& kind : kIomKinds) {
        if (kind.connectionType == connectionType) {
            return kind.name;
        }
    }
    return std::nullopt;
}

std::string CLibPrinterAddress::printerName() const {
    std::lock_guard guard(mutex_);
    return printerName_;
}

std::optional<std::string> CLibPrinterAddress::deviceURI() {
    std::string serviceName;
    {
        std::lock_guard guard(mutex_);
        if (deviceURI_ || connectionType_ != kCLibConnectionBonjour) {
            return deviceURI_;
        }
        serviceName = printerName_;
    }
    // The look-up takes seconds: it runs without the lock.
    const auto entry = device::printerDiscoverySeam().current().bonjourPrinterAddress(serviceName);
    if (!entry) {
        return std::nullopt;
    }
    auto uri = deviceURIWithConnectionTypeAddress(kCLibConnectionBonjour,
                                                  entry->find(kEntryKeyPrinterAddress));
    if (uri) {
        setDeviceURI(uri);
    }
    return uri;
}

std::optional<std::string> CLibPrinterAddress::storedDeviceURI() const {
    std::lock_guard guard(mutex_);
    return deviceURI_;
}

void CLibPrinterAddress::setDeviceURI(std::optional<std::string> deviceURI) {
    std::lock_guard guard(mutex_);
    deviceURI_ = std::move(deviceURI);
}

cf::Value CLibPrinterAddress::printerAddress() const {
    std::lock_guard guard(mutex_);
    cf::Value form = cf::Value::emptyDictionary();
    form.set(kAddressKeyName, printerName_);
    if (deviceURI_) {
        form.set(kAddressKeyURI, *deviceURI_);
    }
    form.set(kAddressKeyConnectionType, connectionType_);
    return form;
}
