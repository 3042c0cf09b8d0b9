// Keyed archiving of printer addresses.
#include "address/printer_address_archive.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "cf/property_list.h"

namespace {

constexpr std::string_view kClassKey = "$class";
constexpr std::string_view kClassName = "CLibPrinterAddress";
constexpr std::string_view kNameKey = "_printerName";
constexpr std::string_view kURIKey = "_deviceURI";
constexpr std::string_view kTypeKey = "_connectionType";

// The string under `key`, or nothing when absent; false when present with another type.
bool decodeString(const cf::Value& archive, std::string_view key, std::optional<std::string>& out) {
    const cf::Value* value = archive.find(key);
    out = device::StringValue(value);
    return value == nullptr || out.has_value();
}

}  // namespace

namespace device {

std::optional<cf::Value> PrinterAddressArchive(const CLibPrinterAddress& address) {
    cf::Value archive = cf::Value::emptyDictionary();
    archive.set(kClassKey, kClassName);
    archive.set(kNameKey, address.printerName());
    if (auto uri = address.storedDeviceURI()) {
        archive.set(kURIKey, std::move(*uri));
    }
    archive.set(kTypeKey, address.connectionType());
    std::vector<std::uint8_t> bytes;
    if (cf::writePropertyList(archive, cf::PropertyListFormat::Binary, bytes) !=
        cf::PlistStatus::Ok) {
        return std::nullopt;
    }
    return cf::Value(std::move(bytes));
}

PrinterAddressRef PrinterAddressUnarchive(const cf::Value& archive) {
    const auto* bytes = archive.data();
    cf::Value decoded;
    if (bytes == nullptr ||
        cf::readPropertyList(std::span(*bytes), decoded) != cf::PlistStatus::Ok ||
        !decoded.isDictionary()) {
        return {};
    }
    const auto type = Int32Value(decoded.find(kTypeKey));
    std::optional<std::string> name;
    std::optional<std::string> uri;
    if (StringValue(decoded.find(kClassKey)) != kClassName || !type ||
        !decodeString(decoded, kNameKey, name) || !decodeString(decoded, kURIKey, uri)) {
        return {};
    }
    return CLibPrinterAddress::initWithConnectionType(*type, std::move(name), std::move(uri));
}

}  // namespace device
