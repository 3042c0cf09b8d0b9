// The readers of the small settings files on a parsed property list, apart from locating and
// parsing the file, so that tests and the fuzz target can give them any value.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "cf/value.h"
#include "helpers/kmenu.h"

/// What a "connect3.xml" of version 100 holds.
struct ConnectPrinterRecord {
    std::int32_t connectionTypeID = 0;
    std::optional<std::string> connectionTypeName;
    std::optional<std::string> popupName;
    std::optional<std::string> shortName;
    std::optional<std::string> dbName;
    std::int32_t printerID = 0;
};

/// The record of a "connect3.xml" root, or none when its version is not 100.
std::optional<ConnectPrinterRecord> ReadConnectPrinterList(const cf::Value& root);

/// Appends to `menu` one row per named entry of a "user3.xml" root of version 100.
void AppendCustomPaperList(const cf::Value& root, MenuDataArray menu);
