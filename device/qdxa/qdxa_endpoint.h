// The QDXA endpoint address: what Reserve returns, Unreserve takes and the bind reads its kind
// from.
//
// On the wire: a 16-bit kind, an 8-bit length of the address bytes and the address bytes.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

/// Address kinds that carry wire bytes.
inline constexpr std::uint16_t kQDXAAddressIPv4 = 1;
inline constexpr std::uint16_t kQDXAAddressShort = 7;
inline constexpr std::uint16_t kQDXAAddressUSB = 15;
inline constexpr std::uint16_t kQDXAAddressIPv6 = 19;

/// The separate block of a kind-19 address.
struct QDXAIPv6AddressBlock {
    std::uint8_t address[16] = {};
    std::uint32_t value = 0;
    std::uint16_t port = 0;
};

/// An endpoint address in memory: the kind and the fields of that kind.
struct QDXAEndpointAddress {
    std::uint16_t kind = 0;
    std::uint8_t ipv4Address[4] = {};            ///< kind 1
    std::uint16_t ipv4Port = 0;                  ///< kind 1
    std::uint16_t shortValue = 0;                ///< kind 7
    std::uint8_t shortBytes[2] = {};             ///< kind 7
    std::uint8_t usbFirst = 0;                   ///< kind 15
    std::uint8_t usbAddress[16] = {};            ///< kind 15
    std::uint8_t usbLast = 0;                    ///< kind 15
    std::unique_ptr<QDXAIPv6AddressBlock> ipv6;  ///< kind 19
};

namespace device {

/// Number of wire address bytes of a kind (0 for kinds written without bytes).
std::uint8_t endpointAddressWireLength(std::uint16_t kind);
/// Appends the wire form: kind, length and the kind's bytes (a kind-19 address without its
/// block, and every kind without address bytes, is written with length 0).
void writeEndpointAddress(std::vector<std::uint8_t>& out, const QDXAEndpointAddress& address);
/// Reads a wire address into `address`: 1, or 2 when the kind is not 1, 7, 15 or 19 or the
/// bytes do not hold the kind's fields. `consumed` receives the bytes read.
std::int32_t readEndpointAddress(std::span<const std::uint8_t> data, QDXAEndpointAddress& address,
                                 std::size_t& consumed);

}  // namespace device
