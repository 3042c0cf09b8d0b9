// Printer lists read from the printer-information folder, and the IOM list.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "address/printer_address_archive.h"
#include "address/printer_info_folder.h"
#include "address/tests/address_test_support.h"
#include "cf/property_list.h"

namespace {

using namespace addresstest;

struct ListDisposer {
    void operator()(void* list) const { IOS_PrinterListDispose(list); }
};
using ListHandle = std::unique_ptr<void, ListDisposer>;

class PrinterInfoList : public ::testing::Test {
  protected:
    // A printer-information file as the printing system leaves it.
    void writeInfoFile(std::string_view iomName, const char* fileName,
                       const CLibPrinterAddress& address) {
        cf::Value item = cf::Value::emptyDictionary();
        item.set(kAddressKey, *device::PrinterAddressArchive(address));
        cf::Value items = cf::Value::emptyArray();
        items.append(item);
        cf::Value ticket = cf::Value::emptyDictionary();
        ticket.set("com.apple.print.ticket.itemArray", items);
        cf::Value info = cf::Value::emptyDictionary();
        info.set(kAddressKey, ticket);
        info.set("com.apple.print.PrinterInfo.PMPrinterName", address.printerName());
        ASSERT_EQ(cf::writePropertyListFile(folder(iomName) / fileName, info), cf::PlistStatus::Ok);
    }
    static std::filesystem::path folder(std::string_view iomName) {
        const auto path = device::PrinterInfoFolder(iomName);
        std::filesystem::create_directories(path);
        return path;
    }
    static ListHandle readList(const char* iomName, std::uint32_t expected = kIOS_NoErr) {
        void* list = nullptr;
        EXPECT_EQ(IOS_PrinterListCreateFromPreference(iomName, &list), expected);
        return ListHandle(list);
    }
    static std::string nameAt(const ListHandle& list, std::int32_t index) {
        char name[kIOS_PrinterNameBufferSize] = {};
        EXPECT_EQ(IOS_PrinterListGetAddress(list.get(), index, name, nullptr), kIOS_NoErr);
        return name;
    }

    static constexpr const char* kAddressKey = "com.apple.print.PrinterInfo.PMPrinterAddress";
    PrivateFolders folders_;
};

TEST_F(PrinterInfoList, AddressesInFileNameOrderAndBadFilesSkipped) {
    auto second = CLibPrinterAddress::initWithConnectionType(1, "192.0.2.8", "lpd://192.0.2.8/");
    auto first = CLibPrinterAddress::initWithConnectionType(1, "192.0.2.7", "lpd://192.0.2.7/");
    writeInfoFile("WQS_LPR", "b_printer", *second);
    writeInfoFile("WQS_LPR", "a_printer", *first);
    std::ofstream(folder("WQS_LPR") / "c_broken") << "not a property list";

    ListHandle list = readList("WQS_LPR");
    ASSERT_EQ(IOS_PrinterListGetCount(list.get()), 2);
    EXPECT_EQ(nameAt(list, 0), "192.0.2.7");
    EXPECT_EQ(nameAt(list, 1), "192.0.2.8");

    void* address = nullptr;
    ASSERT_EQ(IOS_PrinterListGetAddress(list.get(), 1, nullptr, &address), kIOS_NoErr);
    AddressHandle kept(address);
    list.reset();  // the handed-out address outlives its list
    EXPECT_EQ(object(kept).deviceURI(), "lpd://192.0.2.8/");
}

TEST_F(PrinterInfoList, BonjourAddressesComeFromTheDNSSDFolder) {
    auto studio = CLibPrinterAddress::initWithConnectionType(3, "Studio X9", std::nullopt);
    writeInfoFile("Rendezvous", "studio", *studio);
    EXPECT_EQ(device::PrinterInfoFolder("Rendezvous").filename(), "DNSSD");
    ListHandle list = readList("Rendezvous");
    ASSERT_EQ(IOS_PrinterListGetCount(list.get()), 1);
    EXPECT_EQ(nameAt(list, 0), "Studio X9");
}

TEST_F(PrinterInfoList, EmptyMissingAndUnusableFolders) {
    EXPECT_EQ(IOS_PrinterListGetCount(readList("USB").get()), 0);  // no folder
    folder("WQS_LPRV6");
    EXPECT_EQ(IOS_PrinterListGetCount(readList("WQS_LPRV6").get()), 0);  // empty folder
    EXPECT_EQ(IOS_PrinterListGetCount(readList("..").get()), 0);

    // Files, but none holds an address.
    std::ofstream(folder("WQS_LPR") / "broken") << "not a property list";
    cf::Value noTicket = cf::Value::emptyDictionary();
    noTicket.set("com.apple.print.PrinterInfo.PMPrinterName", "X9");
    cf::writePropertyListFile(folder("WQS_LPR") / "noTicket", noTicket);
    EXPECT_EQ(readList("WQS_LPR", kIOS_ErrInternal), nullptr);

    void* list = nullptr;
    EXPECT_EQ(IOS_PrinterListCreateFromPreference(nullptr, &list), kIOS_ErrParam);
    EXPECT_EQ(IOS_PrinterListCreateFromPreference("USB", nullptr), kIOS_ErrParam);
}

TEST_F(PrinterInfoList, GetAddressArguments) {
    auto printer = CLibPrinterAddress::initWithConnectionType(1, "192.0.2.7", "lpd://192.0.2.7/");
    writeInfoFile("WQS_LPR", "printer", *printer);
    ListHandle list = readList("WQS_LPR");
    char name[kIOS_PrinterNameBufferSize];
    void* address = nullptr;
    EXPECT_EQ(IOS_PrinterListGetAddress(list.get(), 5, nullptr, nullptr), kIOS_NoErr);
    for (std::int32_t index : {1, -1}) {  // 1 is the count
        EXPECT_EQ(IOS_PrinterListGetAddress(list.get(), index, name, &address), kIOS_ErrParam);
    }
    EXPECT_EQ(IOS_PrinterListGetAddress(nullptr, 0, name, nullptr), kIOS_ErrParam);
    EXPECT_EQ(address, nullptr);
    EXPECT_EQ(IOS_PrinterListGetCount(nullptr), 0);
    EXPECT_EQ(IOS_PrinterListDispose(nullptr), kIOS_NoErr);
}

TEST(IOMList, FourKindsInOrder) {
    void* list = nullptr;
    ASSERT_EQ(IOS_IOMListCreate(&list), kIOS_NoErr);
    ASSERT_EQ(IOS_IOMListGetCount(list), 4);
    const char* expected[] = {"USB", "Rendezvous", "WQS_LPR", "WQS_LPRV6"};
    char name[kIOS_IomNameBufferSize];
    for (std::int32_t i = 0; i < 4; ++i) {
        ASSERT_EQ(IOS_IOMListGetName(list, i, name), kIOS_NoErr);
        EXPECT_STREQ(name, expected[i]);
    }
    EXPECT_EQ(IOS_IOMListGetName(list, 4, name), kIOS_ErrParam);
    EXPECT_EQ(IOS_IOMListGetName(list, -1, name), kIOS_ErrParam);
    EXPECT_EQ(IOS_IOMListGetName(list, 0, nullptr), kIOS_ErrParam);
    EXPECT_EQ(IOS_IOMListGetName(nullptr, 0, name), kIOS_ErrParam);
    EXPECT_EQ(IOS_IOMListCreate(nullptr), kIOS_ErrParam);
    EXPECT_EQ(IOS_IOMListGetCount(nullptr), 0);
    EXPECT_EQ(IOS_IOMListDispose(list), kIOS_NoErr);
}

}  // namespace
