// Writing and checking the QDXA packet header.
#include "qdxa/qdxa_header.h"

#include "bytes/byte_order.h"

void writeQDXAHeader(std::uint8_t* out, const QDXAHeaderFields& fields) {
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

std::optional<QDXAHeaderFields> readQDXAHeader(std::span<const std::uint8_t> packet) {
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

bool z_CheckQDXAHeader(const std::uint8_t* packet, std::size_t length,
                       const std::uint16_t* expectedSequence, std::uint16_t* sequence,
                       std::uint16_t* parameterLength) {
    if (packet == nullptr || length < kQDXAHeaderSize) {
        return false;
    }
    const auto fields = readQDXAHeader({packet, length});
    if (sequence != nullptr) {
        *sequence = fields->sequence;
    }
    if (parameterLength != nullptr) {
        *parameterLength = fields->parameterLength;
    }
    if (packet[0] != kQDXAMagic0 || packet[1] != kQDXAMagic1) {
        return false;
    }
    return expectedSequence == nullptr || *expectedSequence == fields->sequence;
}
