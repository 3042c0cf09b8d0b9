// Old connection files from outside: a connection is read only from a whole record, with a
// printer and a connection kind that have current values and names that end inside their fields.
#include <cstddef>
#include <cstdint>
#include <span>

#include "connect_conversion.h"
#include "support/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto connection = readOldConnection(std::span(data, size));
    if (!connection) {
        return 0;
    }
    testsupport::fuzzRequire(size >= sizeof(OldConnectRec), "the whole record was there");
    testsupport::fuzzRequire(connection->printerID != 0, "the printer has a current id");
    testsupport::fuzzRequire(
        getConnectionType(connection->connectionTypeName.c_str()) == connection->connectionTypeID,
        "the kind name gives the type");
    // Each legacy character is at most 3 bytes of UTF-8.
    testsupport::fuzzRequire(connection->popupName.size() <= 511 * 3, "the pop-up name fits");
    testsupport::fuzzRequire(connection->dbName.size() <= 15 * 3, "the database name fits");
    return 0;
}
