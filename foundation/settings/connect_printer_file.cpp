// The last connected printer's file.
#include "settings/connect_printer_file.h"

#include "cf/property_list.h"
#include "helpers/kdict.h"
#include "settings/property_list_file.h"
#include "settings/settings_folders.h"
#include "settings/settings_readers_internal.h"

namespace {

constexpr std::int32_t kConnectPrinterVersion = 100;

std::optional<std::string> stringOf(const cf::Value& dict, const char* key) {
    const std::string* text = nullptr;
    kDict::DictGetCFString(&dict, key, &text);
    return text != nullptr ? std::optional<std::string>(*text) : std::nullopt;
}

template <typename T>
void give(T* out, T value) {
    if (out != nullptr) {
        *out = std::move(value);
    }
}

}  // namespace

std::optional<ConnectPrinterRecord> ReadConnectPrinterList(const cf::Value& root) {
    std::int32_t version = 0;
    if (kDict::DictGetSInt32(&root, "ConnectPrinterVers", &version) != 0 ||
        version != kConnectPrinterVersion) {
        return std::nullopt;
    }
    ConnectPrinterRecord record;
    kDict::DictGetSInt32(&root, "ConnectionTypeID", &record.connectionTypeID);
    kDict::DictGetSInt32(&root, "PrinterID", &record.printerID);
    record.connectionTypeName = stringOf(root, "ConnectionTypeName");
    record.popupName = stringOf(root, "PopupName");
    record.shortName = stringOf(root, "PrinterShortName");
    record.dbName = stringOf(root, "DBName");
    return record;
}

std::int32_t LoadConnectPrinterFile(const char* printerShortName, std::int32_t* connectionTypeID,
                                    std::optional<std::string>* connectionTypeName,
                                    std::optional<std::string>* popupName,
                                    std::optional<std::string>* shortName,
                                    std::optional<std::string>* dbName, std::int32_t* printerID,
                                    const char* productFolder) {
    if (printerShortName == nullptr) {
        return 0;
    }
    const auto url =
        PrinterSettingsFileURL(productFolder, printerShortName, kConnectPrinterFileName);
    cf::Value root;
    if (!url || cf::readPropertyListFile(*url, root) != cf::PlistStatus::Ok) {
        return 0;
    }
    auto record = ReadConnectPrinterList(root);
    if (!record) {
        return 0;
    }
    give(connectionTypeID, record->connectionTypeID);
    give(connectionTypeName, std::move(record->connectionTypeName));
    give(popupName, std::move(record->popupName));
    give(shortName, std::move(record->shortName));
    give(dbName, std::move(record->dbName));
    give(printerID, record->printerID);
    return 1;
}

void SaveConnectPrinterFile(std::int32_t connectionTypeID, std::string_view connectionTypeName,
                            std::string_view popupName, std::string_view shortName,
                            std::string_view dbName, std::int32_t printerID,
                            const char* productFolder) {
    cf::Value dict = cf::Value::emptyDictionary();
    setDicNumber(&dict, &kConnectPrinterVersion, kNumberSInt32, "ConnectPrinterVers");
    setDicNumber(&dict, &printerID, kNumberSInt32, "PrinterID");
    setDicNumber(&dict, &connectionTypeID, kNumberSInt32, "ConnectionTypeID");
    dict.set("ConnectionTypeName", cf::Value(connectionTypeName));
    dict.set("PopupName", cf::Value(popupName));
    dict.set("PrinterShortName", cf::Value(shortName));
    dict.set("DBName", cf::Value(dbName));
    const std::string folder(shortName);
    if (const auto url =
            PrinterSettingsFileURL(productFolder, folder.c_str(), kConnectPrinterFileName)) {
        WritePropertyListToFile(&dict, &*url);
    }
}
