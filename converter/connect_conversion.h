// A printer's old connection file, "connect.pref" in the printer's folder, into "connect3.xml".
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "conversion_check.h"

#pragma pack(push, 1)
/// The old connection record, the whole file; numbers big-endian.
struct OldConnectRec {
    std::uint8_t printerID[4];         ///< old printer id, signed 32-bit
    std::uint8_t connectionKind[256];  ///< zero-terminated
    std::uint8_t popupName[512];       ///< zero-terminated: the printer's name as listed
    std::uint8_t dbName[16];           ///< length-prefixed, at most 15 characters
    std::uint8_t secondName[16];       ///< length-prefixed, at most 15 characters; not kept
};
#pragma pack(pop)
static_assert(sizeof(OldConnectRec) == 804);
static_assert(offsetof(OldConnectRec, connectionKind) == 4);
static_assert(offsetof(OldConnectRec, popupName) == 260);
static_assert(offsetof(OldConnectRec, dbName) == 772);
static_assert(offsetof(OldConnectRec, secondName) == 788);

/// The connection type id of an old connection kind name, compared exactly; 0 for an unknown
/// name.
std::int32_t getConnectionType(const char* name);

/// What "connect3.xml" gets of an old connection record.
struct OldConnection {
    std::int32_t connectionTypeID = 0;
    std::string connectionTypeName;
    std::string popupName;
    std::string dbName;
    std::int32_t printerID = 0;
};

/// The connection of the first 804 bytes of an old file. None when the file is shorter, the
/// printer id or the connection kind has no current value, or a string runs past its field or
/// does not convert.
std::optional<OldConnection> readOldConnection(std::span<const std::uint8_t> file);

/// Converts the printer's "connect.pref" into its "connect3.xml" unless a good one is there
/// already; the printer name from the command line becomes the printer's short name. True when
/// the new file was written.
bool convConnect(const char* printerName, const PrinterFolder& printerFolder,
                 const char* productFolder);
