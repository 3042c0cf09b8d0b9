// The USB search and list builder against emulated USB printers: the three texts from the device
// id or the string descriptors, printers without them left out, and addresses that the USB
// transport finds again.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "DovoCommonLib/ios_printer_address.h"
#include "address/printer_address.h"
#include "discovery/search_status.h"
#include "discovery/usb_printer_search.h"
#include "discovery_printers.h"
#include "transport/caio.h"
#include "umockdev_usb_bed.h"
#include "usb/usb_device_search.h"
#include "usb/usb_search_key.h"

namespace {

using namespace discoverytest;
using usb_test::UsbPrinterIdentity;

struct Texts {
    std::string manufacturer;
    std::string model;
    std::string serialNumber;
    std::string printerAddress;
    auto operator<=>(const Texts&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Texts& texts) {
    return out << texts.printerAddress;
}

std::vector<Texts> search() {
    cf::Value entries = cf::Value::emptyArray();
    EXPECT_EQ(SearchUSBPrinterAddressList(entries), kSearchNoErr);
    std::vector<Texts> found;
    for (const cf::Value& entry : *entries.array()) {
        found.push_back({*device::StringValue(entry.find("MANUFACTURER:")),
                         *device::StringValue(entry.find("MODEL:")),
                         *device::StringValue(entry.find("SERN:")),
                         *device::StringValue(entry.find("PrinterAddress"))});
    }
    std::sort(found.begin(), found.end());
    return found;
}

UsbPrinterIdentity identity(std::string product, std::string serialNumber, std::string deviceId) {
    UsbPrinterIdentity printer;
    printer.product = std::move(product);
    printer.serialNumber = std::move(serialNumber);
    printer.deviceId = std::move(deviceId);
    return printer;
}

TEST(LocalGetStringForKey, AValueRunsFromTheKeyToTheNextSemicolon) {
    const std::string id = "MFG:Orvane;CMD:QDXA,PJL;MDL:SL-7440;SREN:;DES:x";
    EXPECT_EQ(LocalGetStringForKey(id, "MFG"), "Orvane");
    EXPECT_EQ(LocalGetStringForKey(id, "MDL"), "SL-7440");
    EXPECT_EQ(LocalGetStringForKey(id, "SREN"), "");
    EXPECT_EQ(LocalGetStringForKey(id, "DES"), std::nullopt);  // no ";" follows
    EXPECT_EQ(LocalGetStringForKey(id, "SERN"), std::nullopt);
}

class UsbDiscovery : public ::testing::Test {
  protected:
    PrivateRegistry registry;
    usb_test::UmockdevUsbBed bed;
};

TEST_F(UsbDiscovery, TextsComeFromTheDeviceIdElseFromTheStringDescriptors) {
    // "SERN" is not the key the search reads: the serial number comes from its string.
    bed.addPrinter(
        identity("Stratoline X9", "S-STRING", "MFG:Orvane;MDL:Stratoline X9;SERN:S-ID;"));
    bed.addPrinter(identity("Not read", "Not read", "MFG:Orvane;MDL:SL-7440;SREN:77;"));
    // The model is the last field, without its ";": the product string names it.
    bed.addPrinter(identity("Stratoline SL-2400", "Not read", "MFG:Orvane;SREN:5;MDL:SL-2400"));
    // No device id at all: everything from the strings.
    usb_test::UsbPrinterModel& silent = bed.addPrinter(identity("SL-5170", "9", ""));
    silent.setRawDeviceIdAnswer(usb_test::Bytes{});

    EXPECT_EQ(search(),
              (std::vector<Texts>{
                  {"Orvane", "SL-5170", "9", "Orvane/SL-5170?serial=9"},
                  {"Orvane", "SL-7440", "77", "Orvane/SL-7440?serial=77"},
                  {"Orvane", "Stratoline SL-2400", "5", "Orvane/Stratoline SL-2400?serial=5"},
                  {"Orvane", "Stratoline X9", "S-STRING", "Orvane/Stratoline X9?serial=S-STRING"},
              }));
}

TEST_F(UsbDiscovery, APrinterWithoutASerialNumberStringIsLeftOut) {
    // The device descriptor names string 0 for the serial number: that is the table of language
    // ids, not a serial number.
    bed.addPrinter(identity("Stratoline X9", "", "MFG:Orvane;MDL:Stratoline X9;"));
    bed.addPrinter(identity("SL-7440", "", "MFG:Orvane;MDL:SL-7440;SREN:;"));
    EXPECT_EQ(search(), (std::vector<Texts>{{"Orvane", "SL-7440", "", "Orvane/SL-7440?serial="}}));
}

TEST_F(UsbDiscovery, TheAddressOfTheFirstMatchingPrinterLeadsTheTransportBackToIt) {
    bed.addPrinter(identity("SL-7440", "1", "MFG:Orvane;MDL:SL-7440;SREN:1;"));
    bed.addPrinter(identity("Not read", "2", "MFG:Orvane;MDL:Stratoline X9;SREN:2;"));
    void* address = nullptr;
    ASSERT_EQ(IOS_PrinterAddressCreate("USB", "X9", nullptr, nullptr, &address), kIOS_NoErr);
    auto* printer = static_cast<CLibPrinterAddress*>(address);
    EXPECT_EQ(printer->printerName(), "Stratoline X9");
    const auto uri = printer->deviceURI();
    ASSERT_TRUE(uri);
    EXPECT_EQ(*uri, "usb://Orvane/Stratoline X9?serial=2");
    device::UsbFoundPrinter found;
    ASSERT_EQ(device::UsbFindPrinter(
                  device::UsbPercentDecode(uri->substr(std::string_view("usb://").size())), found),
              kCaioNoErr);
    EXPECT_NE(found.deviceId.find("SREN:2;"), std::string::npos);
    IOS_PrinterAddressDispose(address);
}

TEST_F(UsbDiscovery, TheListHoldsThePrintersWhoseModelMatchesAKey) {
    bed.addPrinter(identity("SL-7440", "1", "MFG:Orvane;MDL:Stratoline SL-7440;SREN:1;"));
    bed.addPrinter(identity("SL-5170", "2", "MFG:Orvane;MDL:Stratoline SL-5170;SREN:2;"));
    bed.addPrinter(identity("Other", "3", "MFG:Elsewhere;MDL:Photo 12;SREN:3;"));
    auto found = findPrinters("USB", nullptr, Keys{"SL-5170", "Photo"});
    std::sort(found.begin(), found.end(),
              [](const Found& a, const Found& b) { return a.name < b.name; });
    EXPECT_EQ(found, (std::vector<Found>{
                         {"Photo 12", "usb://Elsewhere/Photo 12?serial=3"},
                         {"Stratoline SL-5170", "usb://Orvane/Stratoline SL-5170?serial=2"},
                     }));
}

TEST_F(UsbDiscovery, NoMatchAfterFiveSearchesIsAnEmptyListAndNoAddress) {
    bed.addPrinter();
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    std::uint32_t status = 1;
    EXPECT_TRUE(findPrinters("USB", nullptr, Keys{"SL-9999"}, &status).empty());
    EXPECT_EQ(status, kIOS_NoErr);
    // Four pauses of 300 ms between the five searches.
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(1200));
    void* address = reinterpret_cast<void*>(1);
    EXPECT_EQ(IOS_PrinterAddressCreate("USB", "SL-9999", nullptr, nullptr, &address),
              kIOS_ErrNoUSBPrinter);
    EXPECT_EQ(address, nullptr);
}

}  // namespace
