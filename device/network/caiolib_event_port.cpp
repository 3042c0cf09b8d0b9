// The event port: a local socket, bound in a fixed port range, where a printer may send events.
#include <net/if.h>
#include <netinet/in.h>
#include <unistd.h>

#include <climits>
#include <cstring>

#include "network/caiolib_internal.h"

namespace {

bool isLinkLocal(const ResolvedAddress& entry) {
    const auto& in6 = reinterpret_cast<const sockaddr_in6&>(entry.address);
    return entry.family == AF_INET6 && in6.sin6_addr.s6_addr[0] == 0xfe &&
           (in6.sin6_addr.s6_addr[1] & 0xc0) == 0x80;
}

std::uint32_t scopeOf(const ResolvedAddress& entry) {
    return reinterpret_cast<const sockaddr_in6&>(entry.address).sin6_scope_id;
}

// The local host name, with the remote's interface when the remote is IPv6 link-local.
bool localHostFor(const ResolvedAddress& remote, std::string& host) {
    char name[HOST_NAME_MAX + 1] = {};
    if (::gethostname(name, sizeof name - 1) != 0) {
        return false;
    }
    host = name;
    char interfaceName[IF_NAMESIZE] = {};
    if (isLinkLocal(remote) && ::if_indextoname(scopeOf(remote), interfaceName) != nullptr) {
        host.append("%").append(interfaceName);
    }
    return true;
}

// IPv4 suits any IPv4 remote; an IPv6 link-local address suits only a link-local remote of the
// same scope, any other IPv6 address only a remote that is not link-local.
bool suits(const ResolvedAddress& local, const ResolvedAddress& remote) {
    if (local.family != remote.family) {
        return false;
    }
    if (local.family != AF_INET6) {
        return true;
    }
    if (isLinkLocal(remote)) {
        return isLinkLocal(local) && scopeOf(local) == scopeOf(remote);
    }
    return !isLinkLocal(local);
}

void setPort(ResolvedAddress& entry, std::uint16_t port) {
    if (entry.family == AF_INET6) {
        reinterpret_cast<sockaddr_in6&>(entry.address).sin6_port = htons(port);
    } else {
        reinterpret_cast<sockaddr_in&>(entry.address).sin_port = htons(port);
    }
}

// Binds the socket to the first free port of the event range.
bool bindInRange(int socket, ResolvedAddress& entry, std::uint16_t& port) {
    for (std::uint32_t candidate = kEventPortFirst; candidate <= kEventPortLast; ++candidate) {
        port = static_cast<std::uint16_t>(candidate);
        setPort(entry, port);
        if (::bind(socket, reinterpret_cast<const sockaddr*>(&entry.address), entry.length) == 0) {
            return true;
        }
    }
    return false;
}

void fillRecord(const ResolvedAddress& entry, std::uint16_t port, CaioEventAddress& record) {
    record = CaioEventAddress{};
    record.port = port;
    if (entry.family == AF_INET6) {
        const auto& in6 = reinterpret_cast<const sockaddr_in6&>(entry.address);
        record.kind = kEventKindIPv6;
        std::memcpy(record.ipv6Address, in6.sin6_addr.s6_addr, sizeof record.ipv6Address);
        record.ipv6ScopeID = in6.sin6_scope_id;
    } else {
        record.kind = kEventKindIPv4;
        record.ipv4Address = reinterpret_cast<const sockaddr_in&>(entry.address).sin_addr.s_addr;
    }
}

}  // namespace

void caiolibOpenEventPort(CaiolibContext& context, std::int32_t mode, CaioEventAddress& record) {
    const ResolvedAddress& remote = context.remoteAddresses.front();
    CaiolibEventPort& port = context.eventPort;
    std::string host;
    if (localHostFor(remote, host) &&
        zInitSocket(host, 0, mode, true, port.localAddresses) == kCaioNoErr) {
        std::size_t tried = 0;
        for (ResolvedAddress& local : port.localAddresses) {
            if (tried == kMaxEventAddresses) {
                break;
            }
            if (!suits(local, remote)) {
                continue;
            }
            ++tried;
            int socket = kNoSocket;
            if (zDoSocket(host, local, socket) != kCaioNoErr) {
                continue;
            }
            std::uint16_t bound = 0;
            if (bindInRange(socket, local, bound)) {
                port.sockets.push_back(socket);
                fillRecord(local, bound, record);
                port.buffer.assign(kEventBufferSize, 0);
                return;
            }
            ::close(socket);
        }
    }
    zCleanupContextEventPort(context);
    record = CaioEventAddress{};
    record.kind = remote.family == AF_INET6 ? kEventKindIPv6 : kEventKindIPv4;
}

void zCleanupContextEventPort(CaiolibContext& context) {
    CaiolibEventPort& port = context.eventPort;
    for (const int socket : port.sockets) {
        ::close(socket);
    }
    port.sockets.clear();
    port.localAddresses.clear();
    port.buffer.clear();
    port.buffer.shrink_to_fit();
}
