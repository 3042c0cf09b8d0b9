// The 20-byte QDXA packet header, written by the device library, the print core and the test
// printers.
//
// Every request and reply of the printer-control protocol starts with this header; all
// multi-byte fields are big-endian. A packet is the header followed by exactly
// `parameterLength` bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "bytes/byte_order.h"

namespace qdxa {

#pragma pack(push, 1)
struct PacketHeader {
    std::uint8_t magic[2];  ///< 0xCD 0xCA
    std::uint8_t version;   ///< 0x10 in requests; not checked in replies
    std::uint8_t flags;     ///< kFlagReplyWanted, kFlagResultValid, kFlagMore
    std::uint8_t operation[2];
    std::uint8_t sequence[2];         ///< 1 to 65535, never 0
    std::uint8_t parameterLength[2];  ///< bytes after the header
    std::uint8_t firstIdentifier[4];
    std::uint8_t secondIdentifier[4];
    std::uint8_t result[2];  ///< 0 in requests
};
#pragma pack(pop)
static_assert(sizeof(PacketHeader) == 20);
static_assert(offsetof(PacketHeader, operation) == 4);
static_assert(offsetof(PacketHeader, sequence) == 6);
static_assert(offsetof(PacketHeader, parameterLength) == 8);
static_assert(offsetof(PacketHeader, firstIdentifier) == 10);
static_assert(offsetof(PacketHeader, secondIdentifier) == 14);
static_assert(offsetof(PacketHeader, result) == 18);

inline constexpr std::size_t kHeaderSize = sizeof(PacketHeader);
inline constexpr std::uint8_t kMagic0 = 0xCD;
inline constexpr std::uint8_t kMagic1 = 0xCA;
inline constexpr std::uint8_t kVersion = 0x10;
inline constexpr std::uint8_t kFlagResultValid = 0x01;  ///< reply: the result field is valid
inline constexpr std::uint8_t kFlagMore = 0x02;  ///< further packets (or data of one block) follow
inline constexpr std::uint8_t kFlagReplyWanted = 0x04;  ///< request: the printer must answer
inline constexpr std::uint8_t kRequestFlags = kFlagReplyWanted;  ///< every control request

/// The fields of a header as host values.
struct HeaderFields {
    std::uint8_t flags = 0;
    std::uint16_t operation = 0;
    std::uint16_t sequence = 0;
    std::uint16_t parameterLength = 0;
    std::uint32_t firstIdentifier = 0;
    std::uint32_t secondIdentifier = 0;
    std::uint16_t result = 0;
};

/// Writes a header with the magic and version at `out` (20 bytes).
inline void writeHeader(std::uint8_t* out, const HeaderFields& fields) {
    auto* header = reinterpret_cast<PacketHeader*>(out);
    header->magic[0] = kMagic0;
    header->magic[1] = kMagic1;
    header->version = kVersion;
    header->flags = fields.flags;
    bytes::storeBE16(header->operation, fields.operation);
    bytes::storeBE16(header->sequence, fields.sequence);
    bytes::storeBE16(header->parameterLength, fields.parameterLength);
    bytes::storeBE32(header->firstIdentifier, fields.firstIdentifier);
    bytes::storeBE32(header->secondIdentifier, fields.secondIdentifier);
    bytes::storeBE16(header->result, fields.result);
}

/// The fields of the header at the start of `packet`, or nothing when fewer than 20 bytes.
inline std::optional<HeaderFields> readHeader(std::span<const std::uint8_t> packet) {
    if (packet.size() < kHeaderSize) {
        return std::nullopt;
    }
    // Received bytes are read field by field at the offsets of the packed header.
    const std::uint8_t* in = packet.data();
    HeaderFields fields;
    fields.flags = in[offsetof(PacketHeader, flags)];
    fields.operation = bytes::loadBE16(in + offsetof(PacketHeader, operation));
    fields.sequence = bytes::loadBE16(in + offsetof(PacketHeader, sequence));
    fields.parameterLength = bytes::loadBE16(in + offsetof(PacketHeader, parameterLength));
    fields.firstIdentifier = bytes::loadBE32(in + offsetof(PacketHeader, firstIdentifier));
    fields.secondIdentifier = bytes::loadBE32(in + offsetof(PacketHeader, secondIdentifier));
    fields.result = bytes::loadBE16(in + offsetof(PacketHeader, result));
    return fields;
}

}  // namespace qdxa
