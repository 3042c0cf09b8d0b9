// Byte-order change for the wire.
#include "util/change_endian.h"

#include "bytes/byte_order.h"

std::int32_t Plg_Change_Endian(std::int32_t value, std::int16_t mode, std::int16_t size) {
    constexpr std::int16_t kShort = 2;
    constexpr std::int16_t kLong = 4;
    if (mode != kEndianBig || (size != kShort && size != kLong)) {
        return value;
    }
    // The big-endian bytes of the value, read back in this machine's order.
    std::uint8_t wire[kLong] = {};
    if (size == kShort) {
        bytes::storeBE16(wire, static_cast<std::uint16_t>(value));
        return bytes::loadLE16(wire);
    }
    bytes::storeBE32(wire, static_cast<std::uint32_t>(value));
    return static_cast<std::int32_t>(bytes::loadLE32(wire));
}
