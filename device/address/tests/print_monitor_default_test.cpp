// The print monitor's current printer in its preferences domain.
#include "address/print_monitor_default.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "address/printer_address_archive.h"
#include "address/tests/address_test_support.h"
#include "cf/property_list.h"
#include "support/python_oracle.h"

namespace {

using namespace addresstest;

const std::string kOracle = ADDRESS_TEST_DIR "/address_plist_oracle.py";

class PrintMonitorDefault : public ::testing::Test {
  protected:
    cf::Value domain() const {
        cf::Value value;
        EXPECT_EQ(cf::readPropertyListFile(device::PrintMonitorPreferencesPath(), value),
                  cf::PlistStatus::Ok);
        return value;
    }

    PrivateFolders folders_;
};

TEST_F(PrintMonitorDefault, RecordsEachPrinterOnceAndMakesItCurrent) {
    auto first = createAddress("WQS_LPR", "192.0.2.7");
    auto second = createAddress("WQS_LPR", "192.0.2.8");
    EXPECT_EQ(IOS_PrinterAddressSetDefaultOfPrintMonitorForTARNCUPS(first.get()), kIOS_NoErr);
    EXPECT_EQ(IOS_PrinterAddressSetDefaultOfPrintMonitorForTARNCUPS(second.get()), kIOS_NoErr);
    EXPECT_EQ(IOS_PrinterAddressSetDefaultOfPrintMonitorForTARNCUPS(first.get()), kIOS_NoErr);

    const std::string file = device::PrintMonitorPreferencesPath().string();
    EXPECT_EQ(device::PrintMonitorPreferencesPath().filename(),
              "orvane.CUPSZel.Printmonitor.plist");
    EXPECT_EQ(testsupport::runPython(kOracle, {"monitor", file, "LPRPrinterList", "192.0.2.7",
                                               "192.0.2.7", "192.0.2.8"}),
              0);
    // The entry's archive is the address.
    const cf::Value prefs = domain();
    const cf::Value& entry = prefs.find("LPRPrinterList")->array()->front();
    EXPECT_EQ(entry.find("NetworkType")->integer(), 1);
    auto archived = device::PrinterAddressUnarchive(*entry.find("Address"));
    ASSERT_TRUE(archived);
    EXPECT_EQ(archived->printerAddress(), object(first).printerAddress());
}

TEST_F(PrintMonitorDefault, EachKindHasItsListAndNetworkType) {
    const struct {
        AddressHandle address;
        const char* list;
        std::int64_t networkType;
    } cases[] = {
        {createAddress("WQS_LPRV6", "fe80::1"), "LPRv6PrinterList", 6},
        {createAddress("Rendezvous", "Studio", "_pdl-datastream._tcp.", "local."),
         "BonjourPrinterList", 3},
        {AddressHandle(CLibPrinterAddress::initWithConnectionType(0, "X9", "usb://O/X9").leak()),
         "USBPrinterList", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.list);
        ASSERT_EQ(IOS_PrinterAddressSetDefaultOfPrintMonitorForTARNCUPS(c.address.get()),
                  kIOS_NoErr);
        const cf::Value prefs = domain();
        const cf::Value* list = prefs.find(c.list);
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->array()->size(), 1u);
        EXPECT_EQ(list->array()->front().find("NetworkType")->integer(), c.networkType);
        EXPECT_EQ(*prefs.find("CurrentPrinter")->string(), object(c.address).printerName());
    }
}

TEST_F(PrintMonitorDefault, KnownEntryKeepsItsQueueNameAndOtherKeysStay) {
    // The monitor's own entry: same name and network type, another queue name.
    cf::Value entry = cf::Value::emptyDictionary();
    entry.set("QueueName", "Orvane_X9_Queue");
    entry.set("PrinterName", "192.0.2.7");
    entry.set("NetworkType", std::int32_t{1});
    cf::Value list = cf::Value::emptyArray();
    list.append(entry);
    cf::Value prefs = cf::Value::emptyDictionary();
    prefs.set("LPRPrinterList", list);
    prefs.set("WindowFrame", "0 0 400 300");
    std::filesystem::create_directories(device::PrintMonitorPreferencesPath().parent_path());
    ASSERT_EQ(cf::writePropertyListFile(device::PrintMonitorPreferencesPath(), prefs),
              cf::PlistStatus::Ok);

    auto address = createAddress("WQS_LPR", "192.0.2.7");
    EXPECT_EQ(IOS_PrinterAddressSetDefaultOfPrintMonitorForTARNCUPS(address.get()), kIOS_NoErr);
    EXPECT_EQ(*domain().find("CurrentPrinter")->string(), "Orvane_X9_Queue");
    EXPECT_EQ(*domain().find("LPRPrinterList"), list);
    EXPECT_EQ(*domain().find("WindowFrame")->string(), "0 0 400 300");
}

TEST_F(PrintMonitorDefault, UnreadableDomainIsLeftAlone) {
    std::filesystem::create_directories(device::PrintMonitorPreferencesPath().parent_path());
    std::ofstream(device::PrintMonitorPreferencesPath()) << "<plist><dict><key>Cur";
    auto address = createAddress("WQS_LPR", "192.0.2.7");
    EXPECT_EQ(IOS_PrinterAddressSetDefaultOfPrintMonitorForTARNCUPS(address.get()),
              kIOS_ErrInternal);
    std::stringstream content;
    content << std::ifstream(device::PrintMonitorPreferencesPath()).rdbuf();
    EXPECT_EQ(content.str(), "<plist><dict><key>Cur");
}

TEST_F(PrintMonitorDefault, RefusesMissingAddressAndUnknownKind) {
    EXPECT_EQ(IOS_PrinterAddressSetDefaultOfPrintMonitorForTARNCUPS(nullptr), kIOS_ErrParam);
    for (std::int32_t kind : {4, -1}) {
        auto address = CLibPrinterAddress::initWithConnectionType(kind, "X", "lpd://h/");
        EXPECT_EQ(IOS_PrinterAddressSetDefaultOfPrintMonitorForTARNCUPS(address.get()),
                  kIOS_ErrParam);
    }
    EXPECT_FALSE(std::filesystem::exists(device::PrintMonitorPreferencesPath()));
}

}  // namespace
