// "connect3.xml": written in the printer's folder, read back only at version 100.
#include "settings/connect_printer_file.h"

#include <gtest/gtest.h>

#include "cf/property_list.h"
#include "settings/settings_folders.h"
#include "settings/settings_readers_internal.h"
#include "settings_test_support.h"

namespace {

namespace fs = std::filesystem;
using Text = std::optional<std::string>;

// The outputs of one read, each starting from a value the reader must replace or leave.
struct Outputs {
    std::int32_t typeID = -7;
    Text typeName = "old type";
    Text popup = "old popup";
    Text shortName = "old short";
    Text dbName = "old db";
    std::int32_t printerID = -7;

    std::int32_t load(const char* printer) {
        return LoadConnectPrinterFile(printer, &typeID, &typeName, &popup, &shortName, &dbName,
                                      &printerID, kProductFolderVPX);
    }
    bool operator==(const Outputs&) const = default;
};

class ConnectPrinterFile : public testing::Test {
  protected:
    void writeList(const char* printer, const cf::Value& list) {
        const fs::path folder = preferences_.printerFolder(kProductFolderVPX, printer);
        fs::create_directories(folder);
        ASSERT_EQ(cf::writePropertyListFile(folder / "connect3.xml", list,
                                            cf::PropertyListFormat::Binary),
                  cf::PlistStatus::Ok);
    }
    settingstest::PreferencesFolder preferences_;
};

TEST_F(ConnectPrinterFile, SavedPrinterReadsBack) {
    SaveConnectPrinterFile(3, "USB", "SL-7440 (USB)", "SL_7440", "MDB_SL7000.mdb", 7440,
                           kProductFolderVPX);
    EXPECT_TRUE(
        fs::exists(preferences_.printerFolder(kProductFolderVPX, "SL_7440") / "connect3.xml"));
    Outputs out;
    EXPECT_EQ(out.load("SL_7440"), 1);
    EXPECT_EQ(out.typeID, 3);
    EXPECT_EQ(out.typeName, "USB");
    EXPECT_EQ(out.popup, "SL-7440 (USB)");
    EXPECT_EQ(out.shortName, "SL_7440");
    EXPECT_EQ(out.dbName, "MDB_SL7000.mdb");
    EXPECT_EQ(out.printerID, 7440);
}

TEST_F(ConnectPrinterFile, OtherVersionsAndMissingFilesLeaveTheOutputs) {
    cf::Value list = cf::Value::emptyDictionary();
    list.set("ConnectPrinterVers", cf::Value(std::int32_t{99}));
    list.set("PopupName", cf::Value("new popup"));
    writeList("Old", list);
    writeList("Garbage", cf::Value("not a dictionary"));
    for (const char* printer : {"Old", "Garbage", "Absent", static_cast<const char*>(nullptr)}) {
        Outputs out;
        EXPECT_EQ(out.load(printer), 0) << (printer ? printer : "(null)");
        EXPECT_EQ(out, Outputs{}) << (printer ? printer : "(null)");
    }
}

TEST_F(ConnectPrinterFile, MissingKeysReadAsZeroAndNone) {
    cf::Value list = cf::Value::emptyDictionary();
    list.set("ConnectPrinterVers", cf::Value(std::int32_t{100}));
    list.set("ConnectionTypeName", cf::Value("LPR"));
    list.set("DBName", cf::Value(std::int32_t{5}));  // not a string
    writeList("Sparse", list);
    Outputs out;
    EXPECT_EQ(out.load("Sparse"), 1);
    EXPECT_EQ(out.typeName, "LPR");
    EXPECT_EQ(out.popup, std::nullopt);
    EXPECT_EQ(out.shortName, std::nullopt);
    EXPECT_EQ(out.dbName, std::nullopt);
    EXPECT_EQ(out.typeID, 0);
    EXPECT_EQ(out.printerID, 0);

    // Outputs the caller does not want are passed as null.
    EXPECT_EQ(LoadConnectPrinterFile("Sparse", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                     kProductFolderVPX),
              1);
}

TEST(ReadConnectPrinterList, VersionMustBeOneHundred) {
    const std::pair<cf::Value, bool> kVersions[] = {{cf::Value(std::int32_t{100}), true},
                                                    {cf::Value(std::int32_t{101}), false},
                                                    {cf::Value("100"), false},
                                                    {cf::Value(), false}};
    for (const auto& [version, accepted] : kVersions) {
        cf::Value list = cf::Value::emptyDictionary();
        if (!version.isNull())
            list.set("ConnectPrinterVers", version);
        EXPECT_EQ(ReadConnectPrinterList(list).has_value(), accepted);
    }
    EXPECT_FALSE(ReadConnectPrinterList(cf::Value::emptyArray()).has_value());
}

}  // namespace
