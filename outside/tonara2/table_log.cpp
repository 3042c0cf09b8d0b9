// Cutting named parts out of the media database's tables.
#include <cstring>
#include <span>

#include "medab2/table_parts.h"
#include "object_header.h"

extern "C" {

TONARA2_EXPORT std::uint32_t tnr2_log(const std::uint8_t* table, std::uint8_t* part,
                                      const char* name) {
    if (table == nullptr || name == nullptr) {
        return 0;
    }
    // The table states its own length; every read of it stays within that length.
    const std::uint32_t length = medab2::declaredTableLength(table);
    const std::span<const std::uint8_t> found =
        medab2::findPart(std::span<const std::uint8_t>(table, length), name);
    if (found.empty()) {
        return 0;
    }
    if (part != nullptr) {
        std::memcpy(part, found.data(), found.size());
    }
    return static_cast<std::uint32_t>(found.size());
}

}  // extern "C"
