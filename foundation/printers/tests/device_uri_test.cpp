// Device URIs of the maker's backend and of the system's backends: URL type, connection kind and
// printer name; and the connection order of the printer list.
#include <gtest/gtest.h>

#include "printers/make_printer_list.h"
#include "printers/printer_list.h"

namespace {

using List = kMakePrinterList_ZORVEX_common_V600_PS;

struct UriCase {
    const char* uri;
    std::int32_t useBackend;
    UrlType type;
    std::optional<std::string> name;
};

std::ostream& operator<<(std::ostream& out, const UriCase& c) {
    return out << c.uri << " (use backend " << c.useBackend << ")";
}

const UriCase kUriCases[] = {
    // The maker's backend: the option names the connection, the host part the printer.
    {"tarnbe://Printer%20Name/?usb&serial=1", 1, kUrlUsb, "Printer Name"},
    {"TarnBE://Printer/?USB", 0, kUrlUsb, "Printer"},
    {"tarnbe://Fire/?fw", 1, kUrlFireWire, "Fire"},
    {"tarnbe://Six/?ipv6=fe80::2", 1, kUrlIpv6, "Six"},
    {"tarnbe://Lab%20IP/?ip=10.0.0.2", 1, kUrlIp, "Lab IP"},
    {"tarnbe://Studio/?bon", 0, kUrlBonjour, "Studio"},
    {"tarnbe://Nothing/", 1, kUrlUnusable, "Nothing"},
    {"tarnbe://NoPath?usb", 1, kUrlUsb, std::nullopt},
    // Escapes of names: only space, colon, percent sign and parentheses are decoded.
    {"tarnbe://A%2520B%3aC%3AD%25E%28F%29%41/?ip", 1, kUrlIp, "A B:C:D%E(F)%41"},
    // The system's backends.
    {"usb://Orvane/SL-5000?serial=123", 0, kUrlUsb, "SL-5000"},
    {"usb://Orvane/SL-5000?serial=123", 1, kUrlUnusable, std::nullopt},
    {"usb://Other/SL-5000?serial=123", 0, kUrlUsb, std::nullopt},
    {"lpd://%5bfe80::1%5d/queue", 1, kUrlIpv6, "fe80::1"},
    {"LPD://%5Bfe80::1%5D/queue", 1, kUrlIpv6, "fe80::1"},
    {"lpd://%5bfe80::1/queue", 1, kUrlIp, "%5bfe80::1"},
    {"lpd://10.0.0.3/queue", 0, kUrlIp, "10.0.0.3"},
    {"mdns://Studio%20C._printer._tcp.local./", 0, kUrlBonjour, "Studio C"},
    {"mdns://Studio%20C._printer._tcp.local./", 1, kUrlUnusable, std::nullopt},
    {"dnssd://Studio%20%282%29._pdl-datastream._tcp.local./", 0, kUrlDnsSd, "Studio (2)"},
    {"dnssd://Studio._pdl-datastream._tcp.local./", 1, kUrlUnusable, std::nullopt},
    {"mdns://NoService/", 0, kUrlBonjour, std::nullopt},
    {"ipp://host/printers/x", 0, kUrlUnusable, std::nullopt},
    {"socket://10.0.0.2", 0, kUrlUnusable, std::nullopt},
    {"", 0, kUrlUnusable, std::nullopt},
};

class DeviceUri : public testing::TestWithParam<UriCase> {};

TEST_P(DeviceUri, TypeAndPrinterName) {
    const UriCase& c = GetParam();
    EXPECT_EQ(List::getUrlType(c.uri, c.useBackend), c.type);
    EXPECT_EQ(List::getPrinterNameFromDeviceURI(c.uri, c.useBackend), c.name);
}

INSTANTIATE_TEST_SUITE_P(Uris, DeviceUri, testing::ValuesIn(kUriCases),
                         [](const auto& info) { return "Uri" + std::to_string(info.index); });

TEST(DeviceUriName, LongNamesAreCutAtACharacterBoundary) {
    // 510 ASCII bytes and a three-byte character: the character would end past 511 bytes.
    const std::string name = std::string(510, 'n') + "\xE5\x85\x89" + "tail";
    const auto cut = List::getPrinterNameFromDeviceURI("tarnbe://" + name + "/?usb", 1);
    ASSERT_TRUE(cut.has_value());
    EXPECT_EQ(*cut, std::string(510, 'n'));
    EXPECT_EQ(List::getPrinterNameFromDeviceURI("tarnbe://" + std::string(600, 'a') + "/?usb", 1),
              std::string(511, 'a'));
}

TEST(ConnectKinds, FromUrlTypesAndInListOrder) {
    const std::pair<std::int32_t, ConnectKind> kinds[] = {
        {kUrlUnusable, kConnectIp},
        {kUrlBonjour, kConnectBonjour},
        {kUrlDnsSd, kConnectDnsSd},
        {kUrlIp, kConnectIp},
        {kUrlUsb, kConnectUsb},
        {kUrlIpv6, kConnectIpv6},
        {kUrlFireWire, kConnectFireWire},
        {7, kConnectIp},
        {-1, kConnectIp},
    };
    for (const auto& [type, kind] : kinds) {
        EXPECT_EQ(List::getConnectType(type), kind) << type;
    }

    ConnectNumRec order{};
    GetConnectOrderNumber(&order);
    ASSERT_EQ(order.count, 7);
    const std::int16_t expected[] = {5, 3, 4, 7, 1, 2, 6};
    for (int k = 0; k < order.count; ++k) {
        EXPECT_EQ(order.kinds[k], expected[k]) << k;
    }
}

}  // namespace
