#include "connect_conversion.h"

#include <array>
#include <cstring>
#include <string_view>
#include <utility>

#include "bytes/byte_order.h"
#include "cf/regular_file.h"
#include "history/old_record_values.h"
#include "legacy_text.h"
#include "settings/connect_printer_file.h"
#include "settings/settings_folders.h"

std::int32_t getConnectionType(const char* name) {
    static constexpr std::array<std::pair<std::string_view, std::int32_t>, 7> kTypes = {{
        {"USB", 2},
        {"FireWire", 3},
        {"WQS_LPRV6", 6},
        {"WQS_LPR", 5},
        {"Rendezvous", 4},
        {"DNSSD", 4},
        {"AppleTalk", 1},
    }};
    if (name == nullptr) {
        return 0;
    }
    for (const auto& [kind, type] : kTypes) {
        if (kind == name) {
            return type;
        }
    }
    return 0;
}

std::optional<OldConnection> readOldConnection(std::span<const std::uint8_t> file) {
    OldConnectRec record;
    if (file.size() < sizeof record) {
        return std::nullopt;
    }
    std::memcpy(&record, file.data(), sizeof record);
    auto kind = converter::zeroTerminatedString(record.connectionKind);
    auto popup = converter::zeroTerminatedString(record.popupName);
    auto db = converter::lengthPrefixedString(record.dbName);
    const auto second = converter::lengthPrefixedString(record.secondName);
    if (!kind || !popup || !db || !second) {
        return std::nullopt;
    }
    OldConnection connection;
    connection.printerID =
        changePrinterID(static_cast<std::int32_t>(bytes::loadBE32(record.printerID)));
    connection.connectionTypeID = getConnectionType(kind->c_str());
    if (connection.printerID == 0 || connection.connectionTypeID == 0) {
        return std::nullopt;
    }
    connection.connectionTypeName = std::move(*kind);
    connection.popupName = std::move(*popup);
    connection.dbName = std::move(*db);
    return connection;
}

bool convConnect(const char* printerName, const PrinterFolder& printerFolder,
                 const char* productFolder) {
    if (printerName == nullptr || !printerFolder ||
        !mustConvert(*printerFolder, kConnectPrinterFileName, kOldConnectFileName)) {
        return false;
    }
    const auto file =
        cf::readRegularFileStart(*printerFolder / kOldConnectFileName, sizeof(OldConnectRec));
    const auto connection = file ? readOldConnection(*file) : std::nullopt;
    if (!connection) {
        return false;
    }
    SaveConnectPrinterFile(connection->connectionTypeID, connection->connectionTypeName,
                           connection->popupName, printerName, connection->dbName,
                           connection->printerID, productFolder);
    return true;
}
