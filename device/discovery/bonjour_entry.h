// The discovery entry of one resolved Bonjour service: its name and domain, the model its TXT
// record names, and the first reachable address.
#pragma once

#include <netinet/in.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "cf/value.h"
#include "dnssd/dnssd.h"

/// Keys of a Bonjour discovery entry besides "ServiceName", "MODEL:" and "PrinterAddress".
inline constexpr std::string_view kEntryKeyLocation = "Location";
inline constexpr std::string_view kEntryKeyIPv4 = "IPv4";
inline constexpr std::string_view kEntryKeyIPv6 = "IPv6";

namespace device {

/// Whether a printer can be reached at an address (and port).
using AddressReachable = std::function<bool(const sockaddr_storage& address)>;

/// The model a TXT record names: in its first 255 bytes, the text after "product=(" up to the
/// next ")" or the end of those bytes; nothing when absent or empty.
std::optional<std::string> BonjourProductFromTxt(std::span<const std::uint8_t> txtRecord);

/// An IPv6 address as text; a link-local address (fe80::/10) names its zone after a "%": the
/// interface's name, else its index.
std::string BonjourIPv6Text(const in6_addr& address, std::uint32_t interfaceIndex);

/// Whether a non-blocking TCP connection attempt to the address does not fail at once with
/// "address not available", "host unreachable" or "network unreachable". A socket that cannot
/// be made counts as reachable. The attempt is abandoned at once.
bool BonjourAddressReachable(const sockaddr_storage& address);

}  // namespace device

/// The entry of a resolved service (LocalResolveCallback): "ServiceName", "Location", "MODEL:"
/// when the TXT record names a product, and for the first reachable IPv4 address, else the
/// first reachable IPv6 address, "IPv4" or "IPv6" with its text and "PrinterAddress" with
/// "net:" or "net6:" before it. Nothing when the service carries no address.
std::optional<cf::Value> LocalBonjourEntry(const dnssd::ResolvedService& service,
                                           const device::AddressReachable& reachable);
