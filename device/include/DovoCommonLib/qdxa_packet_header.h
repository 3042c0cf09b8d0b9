// The 20-byte QDXA packet header, written by the device library and by the print core.
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

#pragma pack(push, 1)
struct QDXAPacketHeader {
    std::uint8_t magic[2];  ///< 0xCD 0xCA
    std::uint8_t version;   ///< 0x10 in requests; not checked in replies
    std::uint8_t flags;     ///< requests 0x04; replies: kQDXAFlagResultValid, kQDXAFlagMore
    std::uint8_t operation[2];
    std::uint8_t sequence[2];         ///< 1 to 65535, never 0
    std::uint8_t parameterLength[2];  ///< bytes after the header
    std::uint8_t firstIdentifier[4];
    std::uint8_t secondIdentifier[4];
    std::uint8_t result[2];  ///< 0 in requests
};
#pragma pack(pop)
static_assert(sizeof(QDXAPacketHeader) == 20);
static_assert(offsetof(QDXAPacketHeader, operation) == 4);
static_assert(offsetof(QDXAPacketHeader, sequence) == 6);
static_assert(offsetof(QDXAPacketHeader, parameterLength) == 8);
static_assert(offsetof(QDXAPacketHeader, firstIdentifier) == 10);
static_assert(offsetof(QDXAPacketHeader, secondIdentifier) == 14);
static_assert(offsetof(QDXAPacketHeader, result) == 18);

inline constexpr std::size_t kQDXAHeaderSize = sizeof(QDXAPacketHeader);
inline constexpr std::uint8_t kQDXAMagic0 = 0xCD;
inline constexpr std::uint8_t kQDXAMagic1 = 0xCA;
inline constexpr std::uint8_t kQDXAVersion = 0x10;
inline constexpr std::uint8_t kQDXARequestFlags = 0x04;
inline constexpr std::uint8_t kQDXAFlagResultValid = 0x01;  ///< reply: the result field is valid
inline constexpr std::uint8_t kQDXAFlagMore = 0x02;         ///< reply: further packets follow

/// The fields of a header as host values.
struct QDXAHeaderFields {
    std::uint8_t flags = 0;
    std::uint16_t operation = 0;
    std::uint16_t sequence = 0;
    std::uint16_t parameterLength = 0;
    std::uint32_t firstIdentifier = 0;
    std::uint32_t secondIdentifier = 0;
    std::uint16_t result = 0;
};

/// Writes a header with the magic and version at `out` (20 bytes).
inline void writeQDXAHeader(std::uint8_t* out, const QDXAHeaderFields& fields) {
    auto* header = reinterpret_cast<QDXAPacketHeader*>(out);
    header->magic[0] = kQDXAMagic0;
    header->magic[1] = kQDXAMagic1;
    header->version = kQDXAVersion;
    header->flags = fields.flags;
    bytes::storeBE16(header->operation, fields.operation);
    bytes::storeBE16(header->sequence, fields.sequence);
    bytes::storeBE16(header->parameterLength, fields.parameterLength);
    bytes::storeBE32(header->firstIdentifier, fields.firstIdentifier);
    bytes::storeBE32(header->secondIdentifier, fields.secondIdentifier);
    bytes::storeBE16(header->result, fields.result);
}

/// The fields of the header at the start of `packet`, or nothing when fewer than 20 bytes.
inline std::optional<QDXAHeaderFields> readQDXAHeader(std::span<const std::uint8_t> packet) {
    if (packet.size() < kQDXAHeaderSize) {
        return std::nullopt;
    }
    // Received bytes are read field by field at the offsets of the packed header.
    const std::uint8_t* in = packet.data();
    QDXAHeaderFields fields;
    fields.flags = in[offsetof(QDXAPacketHeader, flags)];
    fields.operation = bytes::loadBE16(in + offsetof(QDXAPacketHeader, operation));
    fields.sequence = bytes::loadBE16(in + offsetof(QDXAPacketHeader, sequence));
    fields.parameterLength = bytes::loadBE16(in + offsetof(QDXAPacketHeader, parameterLength));
    fields.firstIdentifier = bytes::loadBE32(in + offsetof(QDXAPacketHeader, firstIdentifier));
    fields.secondIdentifier = bytes::loadBE32(in + offsetof(QDXAPacketHeader, secondIdentifier));
    fields.result = bytes::loadBE16(in + offsetof(QDXAPacketHeader, result));
    return fields;
}
