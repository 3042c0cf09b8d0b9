// Reading captured QDXA packet streams.
#include "qdxa_stream/qdxa_stream.h"

#include <cstdio>

#include "bytes/byte_order.h"

namespace qdxastream {

namespace {

constexpr std::uint8_t kMagicHigh = 0xCD;
constexpr std::uint8_t kMagicLow = 0xCA;
constexpr std::uint8_t kVersion = 0x10;

std::vector<std::uint8_t> copy(std::span<const std::uint8_t> run) {
    return {run.begin(), run.end()};
}

// Reads one packet at the reader's position; an error text when it is malformed.
std::optional<std::string> readPacket(bytes::ByteReader& reader, Packet& packet) {
    packet.offset = reader.position();
    if (reader.remaining() < qdxa::kHeaderSize) {
        return "header cut off: " + std::to_string(reader.remaining()) + " bytes left";
    }
    const std::uint8_t high = *reader.u8();
    const std::uint8_t low = *reader.u8();
    if (high != kMagicHigh || low != kMagicLow) {
        return "bad magic";
    }
    packet.version = *reader.u8();
    if (packet.version != kVersion) {
        return "bad version " + std::to_string(packet.version);
    }
    packet.flags = *reader.u8();
    packet.operation = *reader.u16be();
    packet.sequence = *reader.u16be();
    const std::uint16_t length = *reader.u16be();
    packet.firstId = *reader.u32be();
    packet.secondId = *reader.u32be();
    packet.result = *reader.u16be();
    const auto parameters = reader.take(length);
    if (!parameters) {
        return "parameters cut off: length " + std::to_string(length) + ", " +
               std::to_string(reader.remaining()) + " bytes left";
    }
    packet.parameters = copy(*parameters);
    return std::nullopt;
}

}  // namespace

Stream splitPackets(std::span<const std::uint8_t> bytes) {
    Stream stream;
    bytes::ByteReader reader(bytes);
    while (reader.remaining() > 0) {
        Packet packet;
        if (auto error = readPacket(reader, packet)) {
            stream.error = *error;
            stream.errorOffset = packet.offset;
            break;
        }
        stream.packets.push_back(std::move(packet));
    }
    return stream;
}

std::optional<Attribute> setAttribute(const Packet& packet) {
    if (packet.operation != qdxa::kOpSetJob && packet.operation != qdxa::kOpSetBinder &&
        packet.operation != qdxa::kOpSetDocument) {
        return std::nullopt;
    }
    bytes::ByteReader reader(packet.parameters);
    const auto id = reader.u16be();
    if (!id) {
        return std::nullopt;
    }
    return Attribute{*id, copy(*reader.take(reader.remaining()))};
}

std::optional<MethodCall> methodCall(const Packet& packet) {
    if (packet.operation != qdxa::kOpExecuteMethod) {
        return std::nullopt;
    }
    bytes::ByteReader reader(packet.parameters);
    const auto object = reader.u32be();
    const auto method = reader.u16be();
    if (!object || !method) {
        return std::nullopt;
    }
    return MethodCall{*object, *method, copy(*reader.take(reader.remaining()))};
}

std::optional<std::vector<Attribute>> jobStart2Attributes(const Packet& packet) {
    if (packet.operation != qdxa::kOpJobStart2) {
        return std::nullopt;
    }
    bytes::ByteReader reader(packet.parameters);
    const auto count = reader.u16be();
    if (!count) {
        return std::nullopt;
    }
    std::vector<Attribute> attributes;
    for (std::uint16_t i = 0; i < *count; ++i) {
        const auto id = reader.u16be();
        const auto length = reader.u16be();
        const auto value = length ? reader.take(*length) : std::nullopt;
        if (!id || !value) {
            return std::nullopt;
        }
        attributes.push_back({*id, copy(*value)});
    }
    if (reader.remaining() != 0) {
        return std::nullopt;
    }
    return attributes;
}

std::optional<DataPiece> dataPiece(const Packet& packet) {
    if (packet.operation != qdxa::kOpSendData || packet.parameters.empty()) {
        return std::nullopt;
    }
    return DataPiece{packet.parameters[0], std::span(packet.parameters).subspan(1)};
}

std::vector<std::uint8_t> joinedData(const std::vector<Packet>& packets) {
    std::vector<std::uint8_t> data;
    for (const Packet& packet : packets) {
        if (const auto piece = dataPiece(packet)) {
            data.insert(data.end(), piece->data.begin(), piece->data.end());
        }
    }
    return data;
}

std::string operationName(std::uint16_t operation) {
    switch (operation) {
        case qdxa::kOpGet:
            return "Get";
        case qdxa::kOpJobStart:
            return "JobStart";
        case qdxa::kOpSetJob:
            return "SetJob";
        case qdxa::kOpJobEnd:
            return "JobEnd";
        case qdxa::kOpBinderStart:
            return "BinderStart";
        case qdxa::kOpSetBinder:
            return "SetBinder";
        case qdxa::kOpBinderEnd:
            return "BinderEnd";
        case qdxa::kOpDocumentStart:
            return "DocumentStart";
        case qdxa::kOpSetDocument:
            return "SetDocument";
        case qdxa::kOpDocumentEnd:
            return "DocumentEnd";
        case qdxa::kOpSendData:
            return "Data";
        case qdxa::kOpExecuteMethod:
            return "ExecuteMethod";
        case qdxa::kOpJobStart2:
            return "JobStart2";
        default: {
            char code[8];
            std::snprintf(code, sizeof code, "0x%02X", operation);
            return code;
        }
    }
}

std::string describe(const std::vector<Packet>& packets) {
    std::string text;
    for (const Packet& packet : packets) {
        char line[128];
        std::snprintf(line, sizeof line, "%8zu %-13s flags %02X length %5zu", packet.offset,
                      operationName(packet.operation).c_str(), packet.flags,
                      packet.parameters.size());
        text += line;
        if (const auto attribute = setAttribute(packet)) {
            text += " attribute " + std::to_string(attribute->id);
        } else if (const auto call = methodCall(packet)) {
            std::snprintf(line, sizeof line, " method 0x%04X", call->method);
            text += line;
        }
        text += '\n';
    }
    return text;
}

}  // namespace qdxastream
