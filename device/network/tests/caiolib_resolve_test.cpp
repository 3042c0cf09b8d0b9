// Resolving transport addresses: hosts with interface and queue suffixes, IPv6 scopes.
#include <arpa/inet.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

#include "network/caiolib_internal.h"
#include "network_fixture.h"

namespace networktest {
namespace {

ResolvedAddress ipv6Entry(const char* literal) {
    ResolvedAddress entry;
    entry.family = AF_INET6;
    entry.socketType = SOCK_DGRAM;
    auto* in6 = reinterpret_cast<sockaddr_in6*>(&entry.address);
    in6->sin6_family = AF_INET6;
    in6->sin6_scope_id = 77;
    inet_pton(AF_INET6, literal, &in6->sin6_addr);
    entry.length = sizeof(sockaddr_in6);
    return entry;
}

std::uint32_t scopeOf(const ResolvedAddress& entry) {
    return reinterpret_cast<const sockaddr_in6*>(&entry.address)->sin6_scope_id;
}

TEST(Resolve, HostEndsAtInterfaceOrQueueAndPortIsFilledIn) {
    for (const std::string address : {"127.0.0.1", "127.0.0.1/Queue", "127.0.0.1%lo/Queue"}) {
        AddressList list;
        ASSERT_EQ(zInitSocket(address, 515, kCaioModeJobData, false, list), kCaioNoErr) << address;
        ASSERT_FALSE(list.empty());
        const auto* in = reinterpret_cast<const sockaddr_in*>(&list.front().address);
        EXPECT_EQ(list.front().family, AF_INET);
        EXPECT_EQ(list.front().socketType, SOCK_STREAM);
        EXPECT_EQ(ntohl(in->sin_addr.s_addr), INADDR_LOOPBACK);
        EXPECT_EQ(ntohs(in->sin_port), 515);
    }
    AddressList list;
    ASSERT_EQ(zInitSocket("::1", 47545, kCaioModeControlDatagram, false, list), kCaioNoErr);
    EXPECT_EQ(list.front().family, AF_INET6);
    EXPECT_EQ(list.front().socketType, SOCK_DGRAM);
}

TEST(Resolve, LinkLocalSocketTakesTheScopeOfTheNamedInterface) {
    const std::uint32_t loopbackIndex = if_nametoindex("lo");
    ASSERT_NE(loopbackIndex, 0u);
    const struct {
        const char* literal;
        std::string address;
        std::uint32_t scope;
    } cases[] = {
        {"fe80::1", "fe80::1%lo/Queue", loopbackIndex},
        {"fe80::1", "fe80::1", 77},  // no interface named: the scope stays
        {"2001:db8::1", "2001:db8::1%lo", 0},
    };
    for (const auto& c : cases) {
        ResolvedAddress entry = ipv6Entry(c.literal);
        int socket = kNoSocket;
        ASSERT_EQ(zDoSocket(c.address, entry, socket), kCaioNoErr) << c.address;
        close(socket);
        EXPECT_EQ(scopeOf(entry), c.scope) << c.address;
    }
}

TEST(Resolve, EmbeddedLinkLocalScopeIsTakenOut) {
    std::uint8_t address[16] = {0xfe, 0x80, 0x00, 0x04, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    std::uint32_t scope = 0;
    zCheckLinkLocalAddressAndMaskScopeID(address, scope);
    EXPECT_EQ(scope, 4u);
    EXPECT_EQ(address[2], 0);
    EXPECT_EQ(address[3], 0);

    std::uint8_t global[16] = {0x20, 0x01, 0x0d, 0xb8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    scope = 9;
    zCheckLinkLocalAddressAndMaskScopeID(global, scope);
    EXPECT_EQ(scope, 9u);
    EXPECT_EQ(global[2], 0x0d);
}

// A raw job to an IPv6 literal, received by a plain listener on [::1].
TEST(Resolve, RawJobReachesAnIPv6Literal) {
    const int listener = socket(AF_INET6, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in6 address{};
    address.sin6_family = AF_INET6;
    address.sin6_addr = in6addr_loopback;
    socklen_t length = sizeof address;
    if (bind(listener, reinterpret_cast<sockaddr*>(&address), length) != 0) {
        close(listener);
        GTEST_SKIP() << "this machine has no IPv6 loopback";
    }
    ASSERT_EQ(listen(listener, 1), 0);
    ASSERT_EQ(getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);

    Handle handle = makeHandle("::1");
    ASSERT_EQ(caiolibOpen(handle.get(), kCaioModeJobData, ntohs(address.sin6_port), 1, nullptr,
                          nullptr, 500),
              kCaioNoErr);
    const std::vector<std::uint8_t> data = patternBytes(1000);
    ASSERT_EQ(writeAll(handle.get(), kCaioModeJobData, data, 500), kCaioNoErr);
    caiolibClose(handle.get(), kCaioModeJobData);

    const int accepted = accept(listener, nullptr, nullptr);
    ASSERT_GE(accepted, 0);
    std::vector<std::uint8_t> received(2 * data.size());
    std::size_t total = 0;
    for (ssize_t n = 1; n > 0 && total < received.size(); total += static_cast<std::size_t>(n)) {
        n = recv(accepted, received.data() + total, received.size() - total, 0);
        if (n < 0) {
            break;
        }
    }
    received.resize(total);
    close(accepted);
    close(listener);
    EXPECT_EQ(received, data);
}

}  // namespace
}  // namespace networktest
