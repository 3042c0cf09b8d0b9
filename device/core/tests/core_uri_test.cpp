// Device URIs: scheme types and their translation into channel addresses.
#include <gtest/gtest.h>

#include <string>

#include "core/core_context.h"
#include "core/core_link_local_zone.h"
#include "core/core_uri.h"
#include "support/python_oracle.h"

namespace {

// Link-local addresses that name no zone get this one in these tests.
constexpr const char* kTestZone = "eth7";

class DeviceUri : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(CoreSetLinkLocalZone(kTestZone)); }
    void TearDown() override { CoreSetLinkLocalZone(nullptr); }
};

TEST(GetSchemeType, FirstMatchingPrefixDecides) {
    const struct {
        const char* uri;
        int type;
    } cases[] = {
        {"usb://Maker/Model", 0},
        {"usbx://whatever", 0},
        {"lpd://192.0.2.7/", 1},
        {"socket://192.0.2.7:9100", 1},
        {"ipp://192.0.2.7/", 1},
        {"ipps://192.0.2.7/", 1},
        {"dnssd://Printer._pdl-datastream._tcp.local./", 2},
        {"mdns://printer.local", 2},
        {"vqfile:///tmp/x", -2},
        {"vqip://192.0.2.7/", 1},
        {"vqusb://Maker/Model", -2},
        {"multi_usb_ncap://x", 3},
        {"sock_usb_ncap://x", 4},
        {"websrv_ncap://x", 5},
        {"websrv_wv_ncap://x", 6},
        {"USB://Maker/Model", -1},
        {"ftp://host/x", -1},
        {"file:///tmp/x", -1},
        {"", -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetSchemeType(c.uri), c.type) << c.uri;
    }
    EXPECT_EQ(GetSchemeType(nullptr), -1);
}

TEST_F(DeviceUri, TranslatesToTheChannelAddress) {
    const struct {
        const char* uri;
        const char* signature;
    } cases[] = {
        // IPv4 and host names: the host alone, without port or path.
        {"lpd://192.0.2.7/", "net:192.0.2.7"},
        {"lpd://192.0.2.7/queue", "net:192.0.2.7"},
        {"socket://192.0.2.7:9100", "net:192.0.2.7"},
        {"socket://host:9100/x", "net:host"},
        {"lpd://host/queue", "net:host"},
        {"ipp://printer.example", "net:printer.example"},
        {"vqip://192.0.2.9:515/", "net:192.0.2.9"},
        {"websrv_ncap://192.0.2.9/", "net:192.0.2.9"},
        // IPv6 literals.
        {"lpd://[2001:db8::5]/", "net6:2001:db8::5"},
        {"socket://[2001:db8::5%eth1]:9100", "net6:2001:db8::5%eth1"},
        {"ipp://[fe80::1]:631/", "net6:fe80::1%eth7"},
        {"ipp://[FE80::1]/", "net6:FE80::1%eth7"},
        {"ipp://[fe80::1%en3]/", "net6:fe80::1%en3"},
        {"ipp://[fe80::1+en3]/", "net6:fe80::1%en3"},
        {"ipp://[fe80::1%25en3]:631/", "net6:fe80::1%en3"},
        {"ipp://[fe80::1%]/", "net6:fe80::1%eth7"},
        {"lpd://[fe80::1", "net6:fe80::1%eth7"},
        {"ipp://[v1.fe80::1+en1]/", "net6:fe80::1%en1"},
        {"ipp://[v1.2001:db8::7+en1]/", "net6:2001:db8::7%en1"},
        // A "%" or "+" in the path is no zone of the address.
        {"ipp://[fe80::1]/printers/a%20b", "net6:fe80::1%eth7"},
        {"lpd://[fe80::1]/queue+x", "net6:fe80::1%eth7"},
        // A future-format link-local address without a zone gets one as well.
        {"ipp://[v1.fe80::1]/", "net6:fe80::1%eth7"},
        // USB schemes keep everything behind "://".
        {"usb://Maker/Model?serial=7", "usb://Maker/Model?serial=7"},
        {"usbx://abc", "usb://abc"},
        {"vqusb://Maker/Model?serial=7", "usb://Maker/Model?serial=7"},
        {"vqfile:///tmp/x", "usb:///tmp/x"},
        {"multi_usb_ncap://a/b", "usb://a/b"},
        {"sock_usb_ncap://a/b", "usb://a/b"},
        // Bonjour schemes get no prefix.
        {"dnssd://Printer._pdl-datastream._tcp.local./", "Printer._pdl-datastream._tcp.local./"},
        {"mdns://host.local", "host.local"},
        {"websrv_wv_ncap://h", "h"},
        // Everything else is not used.
        {"file:///tmp/x", "notuse:/tmp/x"},
        {"ftp://host/x", "notuse:host/x"},
        {"LPD://192.0.2.7/", "notuse:192.0.2.7/"},
    };
    for (const auto& c : cases) {
        std::string signature;
        EXPECT_EQ(createUriForHxpd(c.uri, &signature), 0) << c.uri;
        EXPECT_EQ(signature, c.signature) << c.uri;
    }
}

TEST_F(DeviceUri, RefusesWhatItCannotTranslateAndKeepsTheOldSignature) {
    const std::string tooLongUri = "usb://" + std::string(1018, 'a');  // 1024 characters
    const std::string longestUri = "usb://" + std::string(1017, 'a');  // 1023 characters
    const std::string growsTooLong = "x://" + std::string(1017, 'a');  // "notuse:" adds 3
    for (const std::string& uri : {std::string("192.0.2.7"), std::string("lpd:/192.0.2.7"),
                                   std::string(""), tooLongUri, growsTooLong}) {
        std::string signature = "before";
        EXPECT_EQ(createUriForHxpd(uri.c_str(), &signature), -1) << uri.substr(0, 20);
        EXPECT_EQ(signature, "before");
    }
    std::string signature;
    EXPECT_EQ(createUriForHxpd(nullptr, &signature), -1);
    EXPECT_EQ(createUriForHxpd("lpd://192.0.2.7/", nullptr), -1);
    EXPECT_EQ(createUriForHxpd(longestUri.c_str(), &signature), 0);
    EXPECT_EQ(signature, longestUri);
}

TEST_F(DeviceUri, ContextKeepsUriAndSignature) {
    CoreContext* context = CoreCreateContext("socket://[fe80::2]:9100");
    ASSERT_NE(context, nullptr);
    EXPECT_EQ(context->deviceURI, "socket://[fe80::2]:9100");
    EXPECT_EQ(context->ioSignature, "net6:fe80::2%eth7");
    EXPECT_EQ(context->admin, nullptr);
    EXPECT_EQ(context->transport, nullptr);
    CoreDeleteContext(context);
    EXPECT_EQ(CoreCreateContext("192.0.2.7"), nullptr);
    EXPECT_EQ(CoreCreateContext(nullptr), nullptr);
    CoreDeleteContext(nullptr);
}

TEST(ZoneMark, LastOccurrenceAfterTheFirstCharacter) {
    constexpr auto none = std::string_view::npos;
    EXPECT_EQ(z_get_ipv6_interfaceId_top_pointer("fe80::1%en0", '%'), 7u);
    EXPECT_EQ(z_get_ipv6_interfaceId_top_pointer("a%b%c", '%'), 3u);
    EXPECT_EQ(z_get_ipv6_interfaceId_top_pointer("%abc", '%'), none);
    EXPECT_EQ(z_get_ipv6_interfaceId_top_pointer("abc", '%'), none);
    EXPECT_EQ(z_get_ipv6_interfaceId_top_pointer("", '%'), none);
}

TEST(LinkLocalZone, RefusesNamesThatCannotBeAZone) {
    ASSERT_TRUE(CoreSetLinkLocalZone("enp0s31f6"));
    for (const char* name : {"sixteen-chars-xx", "a/b", "a%b", "a]b", "a+b", "a b", "a\tb"}) {
        EXPECT_FALSE(CoreSetLinkLocalZone(name)) << name;
        EXPECT_EQ(CoreLinkLocalZone(), "enp0s31f6");
    }
    EXPECT_TRUE(CoreSetLinkLocalZone("fifteen-chars-x"));
    CoreSetLinkLocalZone(nullptr);
}

TEST(LinkLocalZone, DefaultsToTheFirstUpNonLoopbackInterface) {
    CoreSetLinkLocalZone(nullptr);
    const std::string zone = CoreLinkLocalZone();
    EXPECT_EQ(testsupport::runPython(CORE_TEST_DATA_DIR "/first_up_interface.py", {zone}), 0);
    std::string signature;
    const int result = createUriForHxpd("ipp://[fe80::1]/", &signature);
    if (zone.empty()) {
        // Without an interface a link-local address cannot be reached: no signature.
        EXPECT_EQ(result, -1);
    } else {
        EXPECT_EQ(result, 0);
        EXPECT_EQ(signature, "net6:fe80::1%" + zone);
    }
}

}  // namespace
