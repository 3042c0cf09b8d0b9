// Search keys of USB printers and their matching against IEEE 1284 device ids.
#include "usb/usb_search_key.h"

#include "transport/percent_decoding.h"

namespace {

constexpr std::string_view kManufacturerKey = "MANUFACTURER:";
constexpr std::string_view kMfgKey = "MFG:";
constexpr std::string_view kModelKey = "MODEL:";
constexpr std::string_view kMdlKey = "MDL:";
constexpr std::string_view kSerialKey = "SERN:";
constexpr std::string_view kKeySerial = "serial=";
constexpr std::string_view kKeyLocation = "location=";
constexpr std::string_view kFieldEnd = ";";

// The value of a device id field: from after its key to the next ";" (or the end).
std::optional<std::string> idValue(std::string_view deviceId, std::string_view key) {
    return zCreateValueFromSearchKey(deviceId, key, kFieldEnd);
}

// The key's manufacturer or model compared with the id's long key, else its short key.
bool idFieldEquals(std::string_view deviceId, std::string_view longKey, std::string_view shortKey,
                   std::string_view wanted) {
    if (const auto value = idValue(deviceId, longKey)) {
        return *value == wanted;
    }
    const auto value = idValue(deviceId, shortKey);
    return value && *value == wanted;
}

}  // namespace

std::optional<std::string> zCreateValueFromSearchKey(std::string_view text,
                                                     std::optional<std::string_view> key,
                                                     std::optional<std::string_view> delimiters) {
    std::string_view rest = text;
    if (key) {
        const std::size_t at = text.find(*key);
        if (at == std::string_view::npos) {
            return std::nullopt;
        }
        rest = text.substr(at + key->size());
    }
    if (delimiters) {
        const std::size_t start = rest.find_first_not_of(*delimiters);
        rest = start == std::string_view::npos ? std::string_view() : rest.substr(start);
        rest = rest.substr(0, rest.find_first_of(*delimiters));
    }
    return std::string(rest);
}

bool zCompareValue(const char* text1, std::string_view key1,
                   std::optional<std::string_view> delimiter1, const char* text2,
                   std::string_view key2) {
    if (text1 == nullptr || text2 == nullptr) {
        return true;
    }
    const auto value1 = zCreateValueFromSearchKey(text1, key1, delimiter1);
    const auto value2 = zCreateValueFromSearchKey(text2, key2, kFieldEnd);
    return value1 && value2 && *value1 == *value2;
}

namespace device {

std::string UsbPercentDecode(std::string_view text) {
    return percentDecoded(text).text;
}

UsbMissingIdFields UsbMissingDeviceIdFields(std::string_view deviceId) {
    const auto lacks = [&](std::string_view key) {
        return deviceId.find(key) == std::string_view::npos;
    };
    return {lacks(kManufacturerKey) && lacks(kMfgKey), lacks(kModelKey) && lacks(kMdlKey),
            lacks(kSerialKey)};
}

void UsbAppendDeviceIdField(std::string& deviceId, std::string_view key, std::string_view value) {
    if (!deviceId.empty() && deviceId.back() != ';') {
        deviceId += ';';
    }
    deviceId.append(key).append(value).append(kFieldEnd);
}

bool UsbDeviceIdMatchesSearchKey(std::string_view deviceId, std::string_view searchKey) {
    const std::size_t slash = searchKey.find('/');
    if (slash == std::string_view::npos) {
        return false;
    }
    if (!idFieldEquals(deviceId, kManufacturerKey, kMfgKey, searchKey.substr(0, slash))) {
        return false;
    }
    const std::string_view afterSlash = searchKey.substr(slash + 1);
    if (!idFieldEquals(deviceId, kModelKey, kMdlKey, afterSlash.substr(0, afterSlash.find('?')))) {
        return false;
    }
    if (const auto serial = zCreateValueFromSearchKey(searchKey, kKeySerial, std::nullopt)) {
        const auto idSerial = idValue(deviceId, kSerialKey);
        return (idSerial && *idSerial == *serial) || serial->empty() || *serial == "0";
    }
    return searchKey.find(kKeyLocation) != std::string_view::npos;
}

}  // namespace device
