// The 20-byte QDXA packet header and the operation codes of the printer-control protocol.
//
// Every request and reply starts with this header; all multi-byte fields of header and
// parameters are big-endian. A packet is the header followed by exactly `parameterLength` bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#pragma pack(push, 1)
struct QDXAPacketHeader {
    std::uint8_t magic[2];            ///< 0xCD 0xCA
    std::uint8_t version;             ///< 0x10 in requests; not checked in replies
    std::uint8_t flags;               ///< requests 0x04; replies: kQDXAFlagResultValid, kQDXAFlagMore
    std::uint8_t operation[2];
    std::uint8_t sequence[2];         ///< 1 to 65535, never 0
    std::uint8_t parameterLength[2];  ///< bytes after the header
    std::uint8_t firstIdentifier[4];
    std::uint8_t secondIdentifier[4];
    std::uint8_t result[2];           ///< 0 in requests
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

/// Operation codes.
inline constexpr std::uint16_t kQDXAOpEcho = 0x0001;
inline constexpr std::uint16_t kQDXAOpReserve = 0x0002;
inline constexpr std::uint16_t kQDXAOpDelete = 0x000B;
inline constexpr std::uint16_t kQDXAOpExecuteMethod = 0x001D;
inline constexpr std::uint16_t kQDXAOpCancelJob = 0x001F;
inline constexpr std::uint16_t kQDXAOpPauseJob = 0x0020;
inline constexpr std::uint16_t kQDXAOpResumeJob = 0x0021;
inline constexpr std::uint16_t kQDXAOpPromoteJob = 0x0022;
inline constexpr std::uint16_t kQDXAOpAcquireResource = 0x0031;
inline constexpr std::uint16_t kQDXAOpListEx = 0x0038;
inline constexpr std::uint16_t kQDXAOpUnreserve = 0x003F;
inline constexpr std::uint16_t kQDXAOpChangeFileBoxPassword = 0x0047;
inline constexpr std::uint16_t kQDXAOpDeleteFiles = 0x005F;
inline constexpr std::uint16_t kQDXAOpReplaceFiles = 0x0061;
inline constexpr std::uint16_t kQDXAOpGet2 = 0x0066;
inline constexpr std::uint16_t kQDXAOpGetListElement = 0x0067;
inline constexpr std::uint16_t kQDXAOpSet2 = 0x0069;
inline constexpr std::uint16_t kQDXAOpExecuteFile2 = 0x0070;
inline constexpr std::uint16_t kQDXAOpListObjects2 = 0x0072;

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
void writeQDXAHeader(std::uint8_t* out, const QDXAHeaderFields& fields);
/// The fields of the header at the start of `packet`, or nothing when fewer than 20 bytes.
std::optional<QDXAHeaderFields> readQDXAHeader(std::span<const std::uint8_t> packet);

/// True when `length` is at least 20, the magic is 0xCD 0xCA and, when `expectedSequence` is
/// given, the sequence matches. Stores the sequence and parameter length where asked (also when
/// the sequence does not match).
bool z_CheckQDXAHeader(const std::uint8_t* packet, std::size_t length,
                       const std::uint16_t* expectedSequence, std::uint16_t* sequence,
                       std::uint16_t* parameterLength);
