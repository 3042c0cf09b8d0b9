// The discovery entry of one resolved Bonjour service.
#include "discovery/bonjour_entry.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <net/if.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "address/printer_address.h"

namespace {

constexpr std::size_t kTxtSearchBytes = 255;
constexpr std::string_view kProductStart = "product=(";
constexpr char kProductEnd = ')';
constexpr std::string_view kIPv4Signature = "net:";
constexpr std::string_view kIPv6Signature = "net6:";
constexpr char kZoneMark = '%';

bool isLinkLocal(const in6_addr& address) {
    // fe80::/10
    return address.s6_addr[0] == 0xFE && (address.s6_addr[1] & 0xC0) == 0x80;
}

socklen_t sizeOf(const sockaddr_storage& address) {
    return address.ss_family == AF_INET ? sizeof(sockaddr_in) : sizeof(sockaddr_in6);
}

// The first reachable address of a family.
const dnssd::ServiceAddress* firstReachable(const dnssd::ResolvedService& service,
                                            sa_family_t family,
                                            const device::AddressReachable& reachable) {
    for (const dnssd::ServiceAddress& candidate : service.addresses) {
        if (candidate.address.ss_family == family && reachable(candidate.address)) {
            return &candidate;
        }
    }
    return nullptr;
}

}  // namespace

namespace device {

std::optional<std::string> BonjourProductFromTxt(std::span<const std::uint8_t> txtRecord) {
    const std::string_view text(reinterpret_cast<const char*>(txtRecord.data()),
                                std::min(txtRecord.size(), kTxtSearchBytes));
    const std::size_t start = text.find(kProductStart);
    if (start == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view product = text.substr(start + kProductStart.size());
    product = product.substr(0, product.find(kProductEnd));
    if (product.empty()) {
        return std::nullopt;
    }
    return std::string(product);
}

std::string BonjourIPv6Text(const in6_addr& address, std::uint32_t interfaceIndex) {
    char text[INET6_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET6, &address, text, sizeof text);
    std::string result = text;
    if (isLinkLocal(address)) {
        char name[IF_NAMESIZE] = {};
        result += kZoneMark;
        result += ::if_indextoname(interfaceIndex, name) != nullptr
                      ? std::string(name)
                      : std::to_string(interfaceIndex);
    }
    return result;
}

bool BonjourAddressReachable(const sockaddr_storage& address) {
    const int attempt = ::socket(address.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (attempt < 0) {
        return true;
    }
    const int result =
        ::connect(attempt, reinterpret_cast<const sockaddr*>(&address), sizeOf(address));
    const int error = result == 0 ? 0 : errno;
    ::close(attempt);
    return error != EADDRNOTAVAIL && error != EHOSTUNREACH && error != ENETUNREACH;
}

}  // namespace device

std::optional<cf::Value> LocalBonjourEntry(const dnssd::ResolvedService& service,
                                           const device::AddressReachable& reachable) {
    if (service.addresses.empty()) {
        return std::nullopt;
    }
    cf::Value entry = cf::Value::emptyDictionary();
    entry.set(kEntryKeyServiceName, service.name);
    entry.set(kEntryKeyLocation, service.domain);
    if (const auto product = device::BonjourProductFromTxt(service.txtRecord)) {
        entry.set(kAddressKeyName, *product);
    }
    if (const auto* ipv4 = firstReachable(service, AF_INET, reachable)) {
        char text[INET_ADDRSTRLEN] = {};
        const auto& socketAddress = reinterpret_cast<const sockaddr_in&>(ipv4->address);
        ::inet_ntop(AF_INET, &socketAddress.sin_addr, text, sizeof text);
        entry.set(kEntryKeyIPv4, std::string(text));
        entry.set(kEntryKeyPrinterAddress, std::string(kIPv4Signature) + text);
    } else if (const auto* ipv6 = firstReachable(service, AF_INET6, reachable)) {
        const auto& socketAddress = reinterpret_cast<const sockaddr_in6&>(ipv6->address);
        const std::string text =
            device::BonjourIPv6Text(socketAddress.sin6_addr, ipv6->interfaceIndex);
        entry.set(kEntryKeyIPv6, text);
        entry.set(kEntryKeyPrinterAddress, std::string(kIPv6Signature) + text);
    }
    return entry;
}
