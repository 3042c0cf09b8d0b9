// Name resolution and socket creation for the network transport.
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include "network/caiolib_internal.h"

namespace {

struct AddrinfoDeleter {
    void operator()(addrinfo* list) const { ::freeaddrinfo(list); }
};
struct IfaddrsDeleter {
    void operator()(ifaddrs* list) const { ::freeifaddrs(list); }
};

constexpr std::size_t kScopeByte = 2;  // a kernel may embed the scope in bytes 2 and 3

bool isLinkLocal(const in6_addr& address) {
    return address.s6_addr[0] == 0xfe && (address.s6_addr[1] & 0xc0) == 0x80;
}

std::string hostOf(const std::string& address) {
    return address.substr(0, address.find_first_of("%/"));
}

// The interface name after "%" (up to "/"), empty when there is none.
std::string interfaceOf(const std::string& address) {
    const std::size_t percent = address.find('%');
    const std::size_t slash = address.find('/');
    if (percent == std::string::npos || (slash != std::string::npos && slash < percent)) {
        return {};
    }
    const std::size_t end = slash == std::string::npos ? address.size() : slash;
    return address.substr(percent + 1, end - percent - 1);
}

int socketTypeOf(std::int32_t mode) {
    return mode == kCaioModeJobData || mode == kCaioModeControlStream ? SOCK_STREAM : SOCK_DGRAM;
}

void clearEmbeddedScope(ResolvedAddress& entry) {
    if (entry.family != AF_INET6) {
        return;
    }
    auto* in6 = reinterpret_cast<sockaddr_in6*>(&entry.address);
    std::uint8_t bytes[16];
    std::memcpy(bytes, in6->sin6_addr.s6_addr, sizeof bytes);
    std::uint32_t scope = in6->sin6_scope_id;
    zCheckLinkLocalAddressAndMaskScopeID(bytes, scope);
    std::memcpy(in6->sin6_addr.s6_addr, bytes, sizeof bytes);
    in6->sin6_scope_id = scope;
}

// The IPv6 addresses of every interface but the loopback ones, at most kMaxEventAddresses.
std::vector<sockaddr_in6> interfaceAddresses() {
    std::vector<sockaddr_in6> found;
    ifaddrs* raw = nullptr;
    if (::getifaddrs(&raw) != 0) {
        return found;
    }
    std::unique_ptr<ifaddrs, IfaddrsDeleter> list(raw);
    for (ifaddrs* entry = raw; entry != nullptr && found.size() < kMaxEventAddresses;
         entry = entry->ifa_next) {
        if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET6 ||
            (entry->ifa_flags & IFF_LOOPBACK) != 0) {
            continue;
        }
        sockaddr_in6 address;
        std::memcpy(&address, entry->ifa_addr, sizeof address);
        if (IN6_IS_ADDR_LOOPBACK(&address.sin6_addr)) {
            continue;
        }
        std::uint8_t bytes[16];
        std::memcpy(bytes, address.sin6_addr.s6_addr, sizeof bytes);
        std::uint32_t scope = address.sin6_scope_id;
        zCheckLinkLocalAddressAndMaskScopeID(bytes, scope);
        std::memcpy(address.sin6_addr.s6_addr, bytes, sizeof bytes);
        address.sin6_scope_id = scope;
        found.push_back(address);
    }
    return found;
}

// Appends each interface address that the result lacks, shaped like the result's IPv6 entries.
void appendInterfaceAddresses(std::uint16_t port, std::int32_t mode, AddressList& result) {
    ResolvedAddress shape;
    shape.flags = AI_PASSIVE;
    shape.family = AF_INET6;
    shape.socketType = socketTypeOf(mode);
    shape.protocol = 0;  // the type's own protocol
    const auto firstIPv6 = std::find_if(result.begin(), result.end(),
                                        [](const auto& entry) { return entry.family == AF_INET6; });
    if (firstIPv6 != result.end()) {
        shape.flags = firstIPv6->flags;
        shape.socketType = firstIPv6->socketType;
        shape.protocol = firstIPv6->protocol;
    }
    for (sockaddr_in6 address : interfaceAddresses()) {
        const bool known = std::any_of(result.begin(), result.end(), [&](const auto& entry) {
            const auto* in6 = reinterpret_cast<const sockaddr_in6*>(&entry.address);
            return entry.family == AF_INET6 &&
                   std::memcmp(&in6->sin6_addr, &address.sin6_addr, sizeof address.sin6_addr) == 0;
        });
        if (known) {
            continue;
        }
        address.sin6_port = htons(port);
        ResolvedAddress entry = shape;
        std::memcpy(&entry.address, &address, sizeof address);
        entry.length = sizeof address;
        result.push_back(entry);
    }
}

}  // namespace

void zCheckLinkLocalAddressAndMaskScopeID(std::uint8_t (&address)[16], std::uint32_t& scope) {
    if (address[0] != 0xfe || (address[1] & 0xc0) != 0x80) {
        return;
    }
    const std::uint32_t embedded =
        static_cast<std::uint32_t>(address[kScopeByte]) << 8 | address[kScopeByte + 1];
    if (embedded != 0) {
        scope = embedded;
        address[kScopeByte] = 0;
        address[kScopeByte + 1] = 0;
    }
}

std::int32_t zInitSocket(const std::string& address, std::uint16_t port, std::int32_t mode,
                         bool passive, AddressList& result) {
    result.clear();
    const std::string host = hostOf(address);
    const std::string service = std::to_string(port);

    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = socketTypeOf(mode);
    if (mode != kCaioModeJobData && mode != kCaioModeControlDatagram &&
        mode != kCaioModeControlStream) {
        hints.ai_flags = AI_PASSIVE;
    }
    addrinfo* raw = nullptr;
    errno = 0;
    const int status =
        ::getaddrinfo(host.c_str(), port == 0 ? nullptr : service.c_str(), &hints, &raw);
    if (status != 0) {
        // Only a system failure carries an errno; a name that does not resolve has no code.
        return status == EAI_SYSTEM ? caiolibCodeFromCurrentErrno() : kCaioFailure;
    }
    std::unique_ptr<addrinfo, AddrinfoDeleter> list(raw);
    for (const addrinfo* entry = raw; entry != nullptr; entry = entry->ai_next) {
        if (entry->ai_addr == nullptr || entry->ai_addrlen > sizeof(sockaddr_storage)) {
            continue;
        }
        ResolvedAddress resolved;
        resolved.flags = entry->ai_flags;
        resolved.family = entry->ai_family;
        resolved.socketType = entry->ai_socktype;
        resolved.protocol = entry->ai_protocol;
        std::memcpy(&resolved.address, entry->ai_addr, entry->ai_addrlen);
        resolved.length = entry->ai_addrlen;
        result.push_back(resolved);
    }
    if (passive) {
        std::for_each(result.begin(), result.end(), clearEmbeddedScope);
        appendInterfaceAddresses(port, mode, result);
    }
    return result.empty() ? kCaioFailure : kCaioNoErr;
}

std::int32_t zDoSocket(const std::string& address, ResolvedAddress& entry, int& socketOut) {
    if (entry.family == AF_INET6) {
        auto* in6 = reinterpret_cast<sockaddr_in6*>(&entry.address);
        if (!isLinkLocal(in6->sin6_addr)) {
            in6->sin6_scope_id = 0;
        } else if (const std::string name = interfaceOf(address); !name.empty()) {
            in6->sin6_scope_id = ::if_nametoindex(name.c_str());
        }
    }
    const int made = ::socket(entry.family, entry.socketType | SOCK_CLOEXEC, entry.protocol);
    if (made < 0) {
        return errno == 0 ? kCaioFailure : caiolibCodeFromCurrentErrno();
    }
    socketOut = made;
    return kCaioNoErr;
}
