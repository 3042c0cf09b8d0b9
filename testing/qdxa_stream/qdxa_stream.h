// Reads a captured stream of QDXA packets back: splits it into packets with their headers
// checked, and takes apart the parameters of the packets a print job sends.
//
// The header is taken apart field by field from the wire format alone (20-byte big-endian header:
// magic CD CA, version 0x10, flags, operation, sequence, parameter length, two identifiers,
// result) rather than through the writers' header code, so that it can catch the writers'
// mistakes rather than repeat them; only the protocol's constants are shared.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "qdxa_protocol/codes.h"
#include "qdxa_protocol/packet_header.h"

namespace qdxastream {

struct Packet {
    std::size_t offset = 0;  ///< where the packet starts in the stream
    std::uint8_t version = 0;
    std::uint8_t flags = 0;
    std::uint16_t operation = 0;
    std::uint16_t sequence = 0;
    std::uint32_t firstId = 0;
    std::uint32_t secondId = 0;
    std::uint16_t result = 0;
    std::vector<std::uint8_t> parameters;
};

struct Stream {
    std::vector<Packet> packets;  ///< the packets read before any error
    std::string error;            ///< empty when the whole stream was read
    std::size_t errorOffset = 0;  ///< where the bad packet starts
    bool ok() const { return error.empty(); }
};

/// Splits `bytes` into packets. A packet whose magic is not CD CA, whose version is not 0x10,
/// whose header is cut off or whose parameters run past the end stops the reading with an error.
Stream splitPackets(std::span<const std::uint8_t> bytes);

/// One attribute: its id and value bytes.
struct Attribute {
    std::uint16_t id = 0;
    std::vector<std::uint8_t> value;
    bool operator==(const Attribute&) const = default;
};

/// The attribute of a set-job, set-binder or set-document packet; nothing for another packet or
/// parameters shorter than an id.
std::optional<Attribute> setAttribute(const Packet& packet);

/// A method execution: object id, method id and the value bytes.
struct MethodCall {
    std::uint32_t object = 0;
    std::uint16_t method = 0;
    std::vector<std::uint8_t> value;
};

/// The method execution of an execute-method packet; nothing for another packet or parameters
/// shorter than object and method ids.
std::optional<MethodCall> methodCall(const Packet& packet);

/// The attribute list of a job-start-2 packet ({uint16 id; uint16 length; value} each); nothing
/// when the list does not hold exactly the attributes its count announces.
std::optional<std::vector<Attribute>> jobStart2Attributes(const Packet& packet);

/// The data of a data packet (after its data-kind byte), with the data kind.
struct DataPiece {
    std::uint8_t kind = 0;
    std::span<const std::uint8_t> data;
};
std::optional<DataPiece> dataPiece(const Packet& packet);

/// The print data of a job: the data of every data packet, joined in order.
std::vector<std::uint8_t> joinedData(const std::vector<Packet>& packets);

/// The operation's name ("JobStart", "SetDocument", ...), or "0x.." for an unknown code.
std::string operationName(std::uint16_t operation);

/// One line per packet: offset, operation, flags, parameter length and, for attributes and
/// methods, their ids.
std::string describe(const std::vector<Packet>& packets);

}  // namespace qdxastream
