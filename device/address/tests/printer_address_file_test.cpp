// Printer addresses in property-list files and in their keyed-archive form.
#include <gtest/gtest.h>

#include <fstream>

#include "address/file_url.h"
#include "address/printer_address_archive.h"
#include "address/tests/address_test_support.h"
#include "cf/property_list.h"
#include "support/python_oracle.h"

namespace {

using namespace addresstest;

const std::string kOracle = ADDRESS_TEST_DIR "/address_plist_oracle.py";

class PrinterAddressFile : public ::testing::Test {
  protected:
    std::string path(const char* name) const { return (folders_.path() / name).string(); }

    // Writes and reads back `address`; the address read, or null.
    AddressHandle roundTrip(void* address, const char* name) {
        EXPECT_EQ(IOS_WritePrinterAddressToFile(address, path(name).c_str()), kIOS_NoErr);
        void* read = nullptr;
        EXPECT_EQ(IOS_ReadPrinterAddressFromFile(&read, path(name).c_str()), kIOS_NoErr);
        return AddressHandle(read);
    }

    PrivateFolders folders_;
};

TEST_F(PrinterAddressFile, WrittenFileIsAPropertyListThatPythonReads) {
    auto address = createAddress("WQS_LPRV6", "fe80::1");
    ASSERT_EQ(IOS_WritePrinterAddressToFile(address.get(), path("printerAddress").c_str()),
              kIOS_NoErr);
    EXPECT_EQ(testsupport::runPython(
                  kOracle, {"address", path("printerAddress"), "fe80::1", "lpd://[fe80::1]/", "2"}),
              0);
}

TEST_F(PrinterAddressFile, AddressSurvivesWriteAndRead) {
    const struct {
        std::int32_t type;
        const char* name;
        std::optional<std::string> uri;
    } cases[] = {
        {0, "Stratoline X9", "usb://Orvane/Stratoline X9?serial=00A1"},
        {1, "192.0.2.7", "lpd://192.0.2.7/"},
        {2, "2001:db8::5", "lpd://[2001:db8::5]/"},
        {3, "Studio X9", std::nullopt},  // Bonjour, not resolved yet
        {3, "Studio X9", "dnssd://net:192.0.2.44"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto address = CLibPrinterAddress::initWithConnectionType(c.type, c.name, c.uri);
        AddressHandle read = roundTrip(address.get(), "file");
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(object(read).connectionType(), c.type);
        EXPECT_EQ(object(read).printerName(), c.name);
        EXPECT_EQ(object(read).storedDeviceURI(), c.uri);

        const auto archive = device::PrinterAddressArchive(*address);
        ASSERT_TRUE(archive);
        auto unarchived = device::PrinterAddressUnarchive(*archive);
        ASSERT_TRUE(unarchived);
        EXPECT_EQ(unarchived->printerAddress(), address->printerAddress());
    }
}

TEST_F(PrinterAddressFile, FilesThatHoldNoAddress) {
    std::ofstream(path("text")) << "not a property list";
    cf::Value array = cf::Value::emptyArray();
    array.append("x");
    cf::writePropertyListFile(path("array"), array);
    cf::Value noURI = cf::Value::emptyDictionary();  // only Bonjour addresses may lack a URI
    noURI.set("MODEL:", "X9");
    noURI.set("connectionType", std::int32_t{1});
    cf::writePropertyListFile(path("noURI"), noURI);
    cf::Value noType = noURI;
    noType.set("printer URI", "lpd://192.0.2.7/");
    noType.erase("connectionType");
    cf::writePropertyListFile(path("noType"), noType);

    for (const char* name : {"missing", "text", "array", "noURI", "noType"}) {
        SCOPED_TRACE(name);
        void* address = reinterpret_cast<void*>(1);
        EXPECT_EQ(IOS_ReadPrinterAddressFromFile(&address, path(name).c_str()), kIOS_ErrInternal);
        EXPECT_EQ(address, nullptr);
    }
}

TEST_F(PrinterAddressFile, FileURLsAndArguments) {
    std::filesystem::create_directories(folders_.path() / "spool folder");
    const std::string file = path("spool folder") + "/printerAddress";
    const std::string url = "file://" + path("spool%20folder") + "/printerAddress";
    auto address = createAddress("WQS_LPR", "192.0.2.7");
    ASSERT_EQ(IOS_WritePrinterAddressToFile(address.get(), url.c_str()), kIOS_NoErr);
    EXPECT_TRUE(std::filesystem::exists(file));
    void* read = nullptr;
    ASSERT_EQ(IOS_ReadPrinterAddressFromFile(&read, file.c_str()), kIOS_NoErr);
    IOS_PrinterAddressDispose(read);

    EXPECT_EQ(device::PathFromFileURL("file://localhost/tmp/a%2Fb"),
              std::filesystem::path("/tmp/a/b"));
    EXPECT_EQ(device::PathFromFileURL("file://host/tmp/a"), std::nullopt);
    EXPECT_EQ(device::PathFromFileURL("file:///tmp/a%2"), std::nullopt);
    EXPECT_EQ(device::PathFromFileURL(""), std::nullopt);

    EXPECT_EQ(IOS_WritePrinterAddressToFile(nullptr, file.c_str()), kIOS_ErrParam);
    EXPECT_EQ(IOS_WritePrinterAddressToFile(address.get(), nullptr), kIOS_ErrParam);
    EXPECT_EQ(IOS_ReadPrinterAddressFromFile(nullptr, file.c_str()), kIOS_ErrParam);
    EXPECT_EQ(IOS_ReadPrinterAddressFromFile(&read, nullptr), kIOS_ErrParam);
    EXPECT_EQ(IOS_WritePrinterAddressToFile(address.get(), path("no/such/folder/x").c_str()),
              kIOS_ErrInternal);
}

TEST_F(PrinterAddressFile, ArchivesOfAnotherClassOrTypeDecodeToNothing) {
    auto address = CLibPrinterAddress::initWithConnectionType(1, "192.0.2.7", "lpd://192.0.2.7/");
    const auto archive = device::PrinterAddressArchive(*address);
    ASSERT_TRUE(archive);
    cf::Value decoded;
    ASSERT_EQ(cf::readPropertyList(*archive->data(), decoded), cf::PlistStatus::Ok);

    const auto encode = [](const cf::Value& dictionary) {
        std::vector<std::uint8_t> bytes;
        cf::writePropertyList(dictionary, cf::PropertyListFormat::Binary, bytes);
        return cf::Value(std::move(bytes));
    };
    cf::Value otherClass = decoded;
    otherClass.set("$class", "NSString");
    cf::Value nameAsNumber = decoded;
    nameAsNumber.set("_printerName", std::int32_t{7});
    cf::Value typeAsString = decoded;
    typeAsString.set("_connectionType", "1");
    for (const cf::Value& bad : {otherClass, nameAsNumber, typeAsString}) {
        EXPECT_FALSE(device::PrinterAddressUnarchive(encode(bad)));
    }
    EXPECT_FALSE(device::PrinterAddressUnarchive(cf::Value("not data")));
    EXPECT_TRUE(device::PrinterAddressUnarchive(encode(decoded)));
}

}  // namespace
