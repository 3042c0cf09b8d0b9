// Printer addresses: kinds, device URIs, the exported create and name functions.
#include "address/printer_address.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "address/tests/address_test_support.h"

namespace {

using namespace addresstest;

std::optional<std::string> createAddressURI(const char* iomName, const char* name) {
    auto address = createAddress(iomName, name);
    return address ? object(address).deviceURI() : std::nullopt;
}

TEST(PrinterAddress, IomNamesMapToConnectionTypesAndBack) {
    const struct {
        const char* iomName;
        std::int32_t type;
    } cases[] = {{"USB", 0},       {"WQS_LPR", 1}, {"WQS_LPRV6", 2}, {"Rendezvous", 3},
                 {"AppleTalk", 4}, {"usb", 4},     {"", 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.iomName);
        EXPECT_EQ(CLibPrinterAddress::localPrinterConnectionTypeWithIOMName(c.iomName), c.type);
        const auto back = CLibPrinterAddress::iomNameForConnectionType(c.type);
        EXPECT_EQ(back.has_value(), c.type != 4);
        if (back && std::strcmp(c.iomName, "usb") != 0) {
            EXPECT_EQ(*back, c.iomName);
        }
    }
}

TEST(PrinterAddress, DeviceURIsOfEachKind) {
    EXPECT_EQ(createAddressURI("WQS_LPR", "192.168.1.5"), "lpd://192.168.1.5/");
    EXPECT_EQ(createAddressURI("WQS_LPRV6", "fe80::1"), "lpd://[fe80::1]/");

    cf::Value lpr = cf::Value::emptyDictionary();
    lpr.set("PrinterAddress", std::int32_t{static_cast<std::int32_t>(0xC0A80105)});  // 192.168.1.5
    lpr.set("MODEL:", "Stratoline X9 (192.168.1.5)");
    auto fromNumber = CLibPrinterAddress::initWithIOMNameAddress("WQS_LPR", lpr);
    ASSERT_TRUE(fromNumber);
    EXPECT_EQ(fromNumber->deviceURI(), "lpd://192.168.1.5/");
    EXPECT_EQ(fromNumber->printerName(), "Stratoline X9 (192.168.1.5)");

    cf::Value usb = cf::Value::emptyDictionary();
    usb.set("PrinterAddress", "Orvane/Stratoline X9?serial=00A1");
    usb.set("MODEL:", "Stratoline X9");
    auto usbAddress = CLibPrinterAddress::initWithIOMNameAddress("USB", usb);
    ASSERT_TRUE(usbAddress);
    EXPECT_EQ(usbAddress->deviceURI(), "usb://Orvane/Stratoline X9?serial=00A1");

    cf::Value bonjour = cf::Value::emptyDictionary();
    bonjour.set("PrinterAddress", "net6:fe80::2%en0");
    bonjour.set("ServiceName", "Studio X9");
    bonjour.set("MODEL:", "Stratoline X9");
    auto bonjourAddress = CLibPrinterAddress::initWithIOMNameAddress("Rendezvous", bonjour);
    ASSERT_TRUE(bonjourAddress);
    EXPECT_EQ(bonjourAddress->printerName(), "Studio X9");
    EXPECT_EQ(bonjourAddress->deviceURI(), "dnssd://net6:fe80::2%en0");
}

TEST(PrinterAddress, ObjectsThatCannotBeMade) {
    EXPECT_FALSE(CLibPrinterAddress::initWithIOMName("WQS_LPR", nullptr, nullptr, nullptr));
    EXPECT_FALSE(CLibPrinterAddress::initWithIOMName("USB", "Stratoline X9", nullptr, nullptr));
    EXPECT_FALSE(CLibPrinterAddress::initWithIOMName("AppleTalk", "X9", nullptr, nullptr));
    EXPECT_TRUE(CLibPrinterAddress::initWithIOMName("Rendezvous", "Studio", "_t._tcp.", "local."));

    EXPECT_FALSE(CLibPrinterAddress::initWithConnectionType(1, std::nullopt, "lpd://h/"));
    EXPECT_FALSE(CLibPrinterAddress::initWithConnectionType(1, "h", std::nullopt));
    EXPECT_TRUE(CLibPrinterAddress::initWithConnectionType(3, "Studio", std::nullopt));

    cf::Value noAddress = cf::Value::emptyDictionary();
    noAddress.set("MODEL:", "X9");
    EXPECT_FALSE(CLibPrinterAddress::initWithIOMNameAddress("USB", noAddress));
    cf::Value noName = cf::Value::emptyDictionary();
    noName.set("PrinterAddress", "net:192.0.2.1");
    noName.set("MODEL:", "X9");  // a Bonjour entry is named by its service name
    EXPECT_FALSE(CLibPrinterAddress::initWithIOMNameAddress("Rendezvous", noName));
}

TEST(PrinterAddress, BonjourURIIsResolvedOnFirstUseAndKept) {
    ScriptedDiscovery discovery;
    auto address = CLibPrinterAddress::initWithConnectionType(3, "Studio X9", std::nullopt);
    ASSERT_TRUE(address);
    EXPECT_EQ(address->deviceURI(), std::nullopt);  // nothing found: tried again next time

    cf::Value entry = cf::Value::emptyDictionary();
    entry.set("PrinterAddress", "net:192.0.2.44");
    discovery.bonjourEntry = entry;
    EXPECT_EQ(address->deviceURI(), "dnssd://net:192.0.2.44");
    EXPECT_EQ(address->printerIdentifier(), "dnssd://net:192.0.2.44");
    EXPECT_EQ(discovery.bonjourNames, (std::vector<std::string>{"Studio X9", "Studio X9"}));
}

TEST(PrinterAddress, CreateByConnectionKind) {
    const struct {
        const char* iomName;
        const char* service;
        const char* domain;
        std::uint32_t status;
    } cases[] = {
        {"WQS_LPR", nullptr, nullptr, kIOS_NoErr},
        {"WQS_LPRV6", nullptr, nullptr, kIOS_NoErr},
        {"Rendezvous", "_pdl-datastream._tcp.", "local.", kIOS_NoErr},
        {"Rendezvous", nullptr, "local.", kIOS_ErrParam},
        {"Rendezvous", "_pdl-datastream._tcp.", nullptr, kIOS_ErrParam},
        {"AppleTalk", "TARN", nullptr, kIOS_ErrConnectionKind},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.iomName);
        void* address = reinterpret_cast<void*>(1);
        EXPECT_EQ(IOS_PrinterAddressCreate(c.iomName, "Printer", c.service, c.domain, &address),
                  c.status);
        EXPECT_EQ(address != nullptr, c.status == kIOS_NoErr);
        IOS_PrinterAddressDispose(address);
    }
    void* address = nullptr;
    EXPECT_EQ(IOS_PrinterAddressCreate(nullptr, "P", nullptr, nullptr, &address), kIOS_ErrParam);
    EXPECT_EQ(IOS_PrinterAddressCreate("WQS_LPR", nullptr, nullptr, nullptr, &address),
              kIOS_ErrParam);
    EXPECT_EQ(IOS_PrinterAddressCreate("WQS_LPR", "P", nullptr, nullptr, nullptr), kIOS_ErrParam);
}

TEST(PrinterAddress, CreateUSBSearchesByTheName) {
    void* address = nullptr;
    ScriptedDiscovery discovery;
    EXPECT_EQ(IOS_PrinterAddressCreate("USB", "X9", nullptr, nullptr, &address),
              kIOS_ErrNoUSBPrinter);
    discovery.usbStatus = kIOS_ErrParam;
    EXPECT_EQ(IOS_PrinterAddressCreate("USB", "X9", nullptr, nullptr, &address), kIOS_ErrParam);

    discovery.usbStatus = kIOS_NoErr;
    discovery.usbPrinters = {
        CLibPrinterAddress::initWithConnectionType(0, "Stratoline X9", "usb://O/X9?serial=1"),
        CLibPrinterAddress::initWithConnectionType(0, "Stratoline X9", "usb://O/X9?serial=2")};
    EXPECT_EQ(IOS_PrinterAddressCreate("USB", "X9", nullptr, nullptr, &address), kIOS_NoErr);
    AddressHandle first(address);
    discovery.usbPrinters.clear();  // the caller's reference keeps the address alive
    EXPECT_EQ(object(first).deviceURI(), "usb://O/X9?serial=1");
    EXPECT_EQ(discovery.usbSearchKeys.back(), std::vector<std::string>{"X9"});
}

TEST(PrinterAddress, NamesAreCopiedIntoBoundedBuffers) {
    char buffer[kIOS_PrinterNameBufferSize + 16];
    std::memset(buffer, 'Z', sizeof buffer);
    // 254 ASCII bytes, then a two-byte character that would end at byte 256.
    const std::string name = std::string(254, 'a') + "\xC3\xA9" + "tail";
    auto address = CLibPrinterAddress::initWithConnectionType(1, name, "lpd://h/");
    ASSERT_TRUE(address);
    EXPECT_EQ(IOS_GetPrinterName(address.get(), buffer), kIOS_NoErr);
    EXPECT_EQ(std::string(buffer), std::string(254, 'a'));
    EXPECT_EQ(buffer[kIOS_PrinterNameBufferSize], 'Z');  // nothing past the 256 bytes

    auto shortName = createAddress("WQS_LPRV6", "fe80::1");
    EXPECT_EQ(IOS_GetPrinterName(shortName.get(), buffer), kIOS_NoErr);
    EXPECT_STREQ(buffer, "fe80::1");
    EXPECT_EQ(IOS_GetPrinterName(nullptr, buffer), kIOS_ErrParam);
    EXPECT_EQ(IOS_GetPrinterName(shortName.get(), nullptr), kIOS_ErrParam);
}

TEST(PrinterAddress, IomNameOfAnAddress) {
    char buffer[kIOS_IomNameBufferSize];
    for (const char* iomName : {"WQS_LPR", "WQS_LPRV6"}) {
        auto address = createAddress(iomName, "192.0.2.1");
        EXPECT_EQ(IOS_PrinterAddressGetIomName(address.get(), buffer), kIOS_NoErr);
        EXPECT_STREQ(buffer, iomName);
    }
    auto bonjour = createAddress("Rendezvous", "Studio", "_pdl-datastream._tcp.", "local.");
    EXPECT_EQ(IOS_PrinterAddressGetIomName(bonjour.get(), buffer), kIOS_NoErr);
    EXPECT_STREQ(buffer, "Rendezvous");
    auto unknown = CLibPrinterAddress::initWithConnectionType(4, "X", "lpd://h/");
    EXPECT_EQ(IOS_PrinterAddressGetIomName(unknown.get(), buffer), kIOS_ErrParam);
    EXPECT_EQ(IOS_PrinterAddressGetIomName(nullptr, buffer), kIOS_ErrParam);
    EXPECT_EQ(IOS_PrinterAddressGetPrinterInfo(), kIOS_NoErr);
}

TEST(PrinterAddress, ReferencesOutliveTheCreatorsHandle) {
    device::PrinterAddressRef kept;
    {
        auto address = createAddress("WQS_LPR", "192.0.2.9");
        kept = device::PrinterAddressRef::retain(&object(address));
    }
    EXPECT_EQ(kept->deviceURI(), "lpd://192.0.2.9/");
    EXPECT_EQ(IOS_PrinterAddressDispose(nullptr), kIOS_NoErr);
}

}  // namespace
