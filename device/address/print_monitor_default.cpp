// The print monitor's current printer.
#include "address/print_monitor_default.h"

#include <optional>
#include <string_view>
#include <system_error>

#include "DovoCommonLib/ios_status.h"
#include "address/printer_address_archive.h"
#include "cf/folders.h"
#include "cf/property_list.h"

namespace {

constexpr std::string_view kDomain = "orvane.CUPSZel.Printmonitor";
constexpr std::string_view kCurrentPrinterKey = "CurrentPrinter";
constexpr std::string_view kQueueNameKey = "QueueName";
constexpr std::string_view kPrinterNameKey = "PrinterName";
constexpr std::string_view kAddressKey = "Address";
constexpr std::string_view kNetworkTypeKey = "NetworkType";

struct MonitorList {
    std::string_view key;
    std::int32_t networkType;  // the monitor's own numbering of the connection kinds
};

std::optional<MonitorList> monitorListFor(std::int32_t connectionType) {
    switch (connectionType) {
        case kCLibConnectionUSB:
            return MonitorList{"USBPrinterList", 2};
        case kCLibConnectionLPR:
            return MonitorList{"LPRPrinterList", 1};
        case kCLibConnectionLPRv6:
            return MonitorList{"LPRv6PrinterList", 6};
        case kCLibConnectionBonjour:
            return MonitorList{"BonjourPrinterList", 3};
        default:
            return std::nullopt;
    }
}

// The domain's dictionary: empty when there is no file yet, nothing when a file is there that
// does not read as a dictionary (so that it is not overwritten).
std::optional<cf::Value> readDomain(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        return cf::Value::emptyDictionary();
    }
    cf::Value domain;
    if (cf::readPropertyListFile(path, domain) != cf::PlistStatus::Ok || !domain.isDictionary()) {
        return std::nullopt;
    }
    return domain;
}

// The queue name of the entry for this printer name and network type, if the list has one.
std::optional<std::string> knownQueueName(const cf::Value* list, const std::string& printerName,
                                          std::int32_t networkType) {
    if (list == nullptr || list->array() == nullptr) {
        return std::nullopt;
    }
    for (const cf::Value& entry : *list->array()) {
        if (device::Int32Value(entry.find(kNetworkTypeKey)) == networkType &&
            device::StringValue(entry.find(kPrinterNameKey)) == printerName) {
            return device::StringValue(entry.find(kQueueNameKey));
        }
    }
    return std::nullopt;
}

}  // namespace

namespace device {

std::filesystem::path PrintMonitorPreferencesPath() {
    return cf::Folders::preferences() / (std::string(kDomain) + ".plist");
}

std::uint32_t PrintMonitorSetDefaultPrinter(const CLibPrinterAddress& address) {
    const auto monitorList = monitorListFor(address.connectionType());
    if (!monitorList) {
        return kIOS_ErrParam;
    }
    const auto path = PrintMonitorPreferencesPath();
    auto domain = readDomain(path);
    if (!domain) {
        return kIOS_ErrInternal;
    }
    const std::string printerName = address.printerName();
    cf::Value* list = domain->find(monitorList->key);
    if (const auto queueName = knownQueueName(list, printerName, monitorList->networkType)) {
        domain->set(kCurrentPrinterKey, *queueName);
    } else {
        const auto archive = PrinterAddressArchive(address);
        if (!archive) {
            return kIOS_ErrInternal;
        }
        cf::Value entry = cf::Value::emptyDictionary();
        entry.set(kQueueNameKey, printerName);
        entry.set(kPrinterNameKey, printerName);
        entry.set(kAddressKey, *archive);
        entry.set(kNetworkTypeKey, monitorList->networkType);
        cf::Value entries = list != nullptr && list->isArray() ? *list : cf::Value::emptyArray();
        entries.append(std::move(entry));
        domain->set(monitorList->key, std::move(entries));
        domain->set(kCurrentPrinterKey, printerName);
    }
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    return cf::writePropertyListFile(path, *domain) == cf::PlistStatus::Ok ? kIOS_NoErr
                                                                           : kIOS_ErrInternal;
}

}  // namespace device
