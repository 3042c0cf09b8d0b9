// Wire form of the QDXA endpoint address.
#include "qdxa/qdxa_endpoint.h"

#include <algorithm>

#include "bytes/byte_order.h"
#include "qdxa/qdxa_error.h"

namespace {

// Address bytes by kind: IPv4 address and port; a 16-bit value and two bytes; a byte, 16 bytes
// and a byte; 16 address bytes, a 32-bit value and a port.
constexpr std::uint8_t kIPv4WireLength = 6;
constexpr std::uint8_t kShortWireLength = 4;
constexpr std::uint8_t kUSBWireLength = 18;
constexpr std::uint8_t kIPv6WireLength = 22;

void copyFrom(std::span<const std::uint8_t> run, std::uint8_t* out) {
    std::copy(run.begin(), run.end(), out);
}

bool readFields(bytes::ByteReader& reader, QDXAEndpointAddress& address) {
    switch (address.kind) {
        case kQDXAAddressIPv4: {
            auto ip = reader.take(4);
            auto port = reader.u16be();
            if (!ip || !port) {
                return false;
            }
            copyFrom(*ip, address.ipv4Address);
            address.ipv4Port = *port;
            return true;
        }
        case kQDXAAddressShort: {
            auto value = reader.u16be();
            auto run = reader.take(2);
            if (!value || !run) {
                return false;
            }
            address.shortValue = *value;
            copyFrom(*run, address.shortBytes);
            return true;
        }
        case kQDXAAddressUSB: {
            auto first = reader.u8();
            auto run = reader.take(16);
            auto last = reader.u8();
            if (!first || !run || !last) {
                return false;
            }
            address.usbFirst = *first;
            copyFrom(*run, address.usbAddress);
            address.usbLast = *last;
            return true;
        }
        case kQDXAAddressIPv6: {
            auto run = reader.take(16);
            auto value = reader.u32be();
            auto port = reader.u16be();
            if (!run || !value || !port) {
                return false;
            }
            address.ipv6 = std::make_unique<QDXAIPv6AddressBlock>();
            copyFrom(*run, address.ipv6->address);
            address.ipv6->value = *value;
            address.ipv6->port = *port;
            return true;
        }
        default:
            return false;
    }
}

}  // namespace

namespace device {

std::uint8_t endpointAddressWireLength(std::uint16_t kind) {
    switch (kind) {
        case kQDXAAddressIPv4:
            return kIPv4WireLength;
        case kQDXAAddressShort:
            return kShortWireLength;
        case kQDXAAddressUSB:
            return kUSBWireLength;
        case kQDXAAddressIPv6:
            return kIPv6WireLength;
        default:
            return 0;
    }
}

void writeEndpointAddress(std::vector<std::uint8_t>& out, const QDXAEndpointAddress& address) {
    bytes::ByteWriter writer(out);
    writer.u16be(address.kind);
    const bool hasBytes = address.kind != kQDXAAddressIPv6 || address.ipv6 != nullptr;
    const std::uint8_t length = hasBytes ? endpointAddressWireLength(address.kind) : 0;
    writer.u8(length);
    if (length == 0) {
        return;
    }
    switch (address.kind) {
        case kQDXAAddressIPv4:
            writer.bytes(address.ipv4Address);
            writer.u16be(address.ipv4Port);
            break;
        case kQDXAAddressShort:
            writer.u16be(address.shortValue);
            writer.bytes(address.shortBytes);
            break;
        case kQDXAAddressUSB:
            writer.u8(address.usbFirst);
            writer.bytes(address.usbAddress);
            writer.u8(address.usbLast);
            break;
        default:
            writer.bytes(address.ipv6->address);
            writer.u32be(address.ipv6->value);
            writer.u16be(address.ipv6->port);
            break;
    }
}

std::int32_t readEndpointAddress(std::span<const std::uint8_t> data, QDXAEndpointAddress& address,
                                 std::size_t& consumed) {
    bytes::ByteReader reader(data);
    const auto kind = reader.u16be();
    const auto length = reader.u8();
    if (!kind || !length) {
        return kQDXABadReply;
    }
    // The length byte must cover the kind's fields, and the fields must have arrived.
    address.kind = *kind;
    const std::uint8_t needed = endpointAddressWireLength(*kind);
    auto run = reader.take(*length);
    if (needed == 0 || *length < needed || !run) {
        return kQDXABadReply;
    }
    bytes::ByteReader fields(*run);
    if (!readFields(fields, address)) {
        return kQDXABadReply;
    }
    consumed = reader.position();
    return kQDXASuccess;
}

}  // namespace device
