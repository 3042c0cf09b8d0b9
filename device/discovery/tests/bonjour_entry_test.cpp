// The entry of a resolved Bonjour service: its model from the TXT record and its address.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <net/if.h>

#include <set>
#include <string>
#include <vector>

#include "address/printer_address.h"
#include "discovery/bonjour_entry.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes txtRecord(const std::vector<std::string>& strings) {
    Bytes wire;
    for (const std::string& text : strings) {
        wire.push_back(static_cast<std::uint8_t>(text.size()));
        wire.insert(wire.end(), text.begin(), text.end());
    }
    return wire;
}

dnssd::ServiceAddress ipv4(const char* text) {
    dnssd::ServiceAddress address;
    auto& in = reinterpret_cast<sockaddr_in&>(address.address);
    in.sin_family = AF_INET;
    ::inet_pton(AF_INET, text, &in.sin_addr);
    return address;
}

dnssd::ServiceAddress ipv6(const char* text, std::uint32_t interface = 0) {
    dnssd::ServiceAddress address;
    auto& in = reinterpret_cast<sockaddr_in6&>(address.address);
    in.sin6_family = AF_INET6;
    ::inet_pton(AF_INET6, text, &in.sin6_addr);
    address.interfaceIndex = interface;
    return address;
}

std::string textOf(const sockaddr_storage& address) {
    char text[INET6_ADDRSTRLEN] = {};
    if (address.ss_family == AF_INET) {
        ::inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in&>(address).sin_addr, text,
                    sizeof text);
    } else {
        ::inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6&>(address).sin6_addr, text,
                    sizeof text);
    }
    return text;
}

// Reachable unless listed.
device::AddressReachable allBut(std::set<std::string> unreachable) {
    return [unreachable](const sockaddr_storage& address) {
        return unreachable.count(textOf(address)) == 0;
    };
}

std::optional<std::string> text(const cf::Value& entry, std::string_view key) {
    return device::StringValue(entry.find(key));
}

TEST(BonjourEntry, ProductComesFromTheFirst255BytesOfTheTxtRecord) {
    // 1 + 250 + 1 bytes: "product=(" starts within the first 255 bytes but does not fit.
    const std::string filler(250, 'x');
    const struct {
        const char* what;
        Bytes txt;
        std::optional<std::string> product;
    } cases[] = {
        {"named", txtRecord({"txtvers=1", "product=(Stratoline SL-7440)", "pdl=qdxa"}),
         "Stratoline SL-7440"},
        {"no closing parenthesis: to the end", txtRecord({"product=(SL-7440"}), "SL-7440"},
        {"empty", txtRecord({"product=()"}), std::nullopt},
        {"absent", txtRecord({"ty=Stratoline"}), std::nullopt},
        {"beyond 255 bytes", txtRecord({filler, "product=(SL-7440)"}), std::nullopt},
        // 1 + 230 + 1 + 9 bytes before the product: 14 of its bytes are within the 255.
        {"cut at 255 bytes", txtRecord({std::string(230, 'x'), "product=(Stratoline SL-7440)"}),
         "Stratoline SL-"},
        {"no TXT data", Bytes{}, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(device::BonjourProductFromTxt(c.txt), c.product) << c.what;
    }
}

TEST(BonjourEntry, OnlyLinkLocalIPv6AddressesNameTheirZone) {
    in6_addr address{};
    ::inet_pton(AF_INET6, "fe80::21b:21ff:fe3a:1", &address);
    const std::uint32_t loopback = ::if_nametoindex("lo");
    ASSERT_NE(loopback, 0u);
    EXPECT_EQ(device::BonjourIPv6Text(address, loopback), "fe80::21b:21ff:fe3a:1%lo");
    EXPECT_EQ(device::BonjourIPv6Text(address, 999999), "fe80::21b:21ff:fe3a:1%999999");
    ::inet_pton(AF_INET6, "febf::1", &address);  // the top of fe80::/10
    EXPECT_EQ(device::BonjourIPv6Text(address, loopback), "febf::1%lo");
    for (const char* global : {"2001:db8::7", "fec0::1", "::1"}) {
        ::inet_pton(AF_INET6, global, &address);
        EXPECT_EQ(device::BonjourIPv6Text(address, loopback), global);
    }
}

TEST(BonjourEntry, TheFirstReachableIPv4AddressWinsElseTheFirstReachableIPv6) {
    dnssd::ResolvedService service;
    service.name = "Studio Printer";
    service.domain = "local.";
    service.txtRecord = txtRecord({"product=(Stratoline SL-5170)"});
    service.addresses = {ipv6("2001:db8::7"), ipv4("192.0.2.7"), ipv4("192.0.2.8")};

    const struct {
        const char* what;
        std::set<std::string> unreachable;
        const char* key;
        const char* value;
    } cases[] = {
        {"IPv4 before IPv6", {}, "IPv4", "192.0.2.7"},
        {"the next IPv4", {"192.0.2.7"}, "IPv4", "192.0.2.8"},
        {"IPv6 when no IPv4 is reachable", {"192.0.2.7", "192.0.2.8"}, "IPv6", "2001:db8::7"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto entry = LocalBonjourEntry(service, allBut(c.unreachable));
        ASSERT_TRUE(entry);
        EXPECT_EQ(text(*entry, "ServiceName"), "Studio Printer");
        EXPECT_EQ(text(*entry, "Location"), "local.");
        EXPECT_EQ(text(*entry, "MODEL:"), "Stratoline SL-5170");
        EXPECT_EQ(text(*entry, c.key), c.value);
        const std::string signature = std::string(c.key) == "IPv4" ? "net:" : "net6:";
        EXPECT_EQ(text(*entry, "PrinterAddress"), signature + c.value);
    }

    // Nothing reachable: the entry names the service but no address.
    const auto unreachable =
        LocalBonjourEntry(service, allBut({"2001:db8::7", "192.0.2.7", "192.0.2.8"}));
    ASSERT_TRUE(unreachable);
    EXPECT_FALSE(unreachable->find("PrinterAddress"));
    EXPECT_FALSE(unreachable->find("IPv4"));
    EXPECT_FALSE(unreachable->find("IPv6"));

    service.addresses.clear();
    EXPECT_FALSE(LocalBonjourEntry(service, allBut({})));
}

TEST(BonjourEntry, LinkLocalAddressesCarryTheirInterfaceIntoTheEntry) {
    dnssd::ResolvedService service;
    service.name = "Studio Printer";
    service.domain = "local.";
    service.addresses = {ipv6("fe80::1", ::if_nametoindex("lo"))};
    const auto entry = LocalBonjourEntry(service, allBut({}));
    ASSERT_TRUE(entry);
    EXPECT_EQ(text(*entry, "PrinterAddress"), "net6:fe80::1%lo");
    EXPECT_FALSE(entry->find("MODEL:"));
}

TEST(BonjourEntry, AnAddressIsUnreachableOnlyWhenTheAttemptFailsAtOnce) {
    // A loopback port without a listener refuses, which is an answer: reachable.
    sockaddr_storage loopback = ipv4("127.0.0.1").address;
    reinterpret_cast<sockaddr_in&>(loopback).sin_port = htons(9);
    EXPECT_TRUE(device::BonjourAddressReachable(loopback));
    // A link-local address of no interface cannot be used from here.
    sockaddr_storage unusable = ipv4("0.0.0.0").address;
    unusable.ss_family = AF_INET6;
    auto& in6 = reinterpret_cast<sockaddr_in6&>(unusable);
    ::inet_pton(AF_INET6, "::ffff:255.255.255.255", &in6.sin6_addr);
    in6.sin6_port = htons(9);
    EXPECT_FALSE(device::BonjourAddressReachable(unusable));
}

}  // namespace
