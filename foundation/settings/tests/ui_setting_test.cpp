// A printer's settings loaded and saved in its folder, the model's defaults from the model
// bundle, and every written settings file checked by an independent reader (Python's plistlib).
#include "settings/ui_setting.h"

#include <gtest/gtest.h>

#include "cf/property_list.h"
#include "settings/connect_printer_file.h"
#include "settings/custom_paper_file.h"
#include "settings/settings_files.h"
#include "settings/settings_folders.h"
#include "settings_test_support.h"
#include "support/model_atlas_host.h"
#include "support/python_oracle.h"

namespace {

namespace fs = std::filesystem;

class UISetting : public testing::Test {
  protected:
    fs::path file(const char* product, const char* printer) const {
        return preferences_.printerFolder(product, printer) / "ui3.xml";
    }
    void writeFile(const char* printer, const std::string& text) {
        fs::create_directories(preferences_.printerFolder(kProductFolderStratoline, printer));
        settingstest::writeText(file(kProductFolderStratoline, printer), text);
    }
    static int oracle(const std::string& command, const fs::path& path,
                      std::vector<std::string> more = {}) {
        more.insert(more.begin(), {command, path.string()});
        return testsupport::runPython(SETTINGS_ORACLE, more);
    }
    settingstest::PreferencesFolder preferences_;
};

TEST_F(UISetting, FirstRunHasNoSettings) {
    EXPECT_EQ(LoadUISetting(0, "SL-7440"), nullptr);
    EXPECT_TRUE(fs::is_directory(preferences_.printerFolder(kProductFolderStratoline, "SL-7440")));
}

TEST_F(UISetting, SavedSettingsLoadBackFromTheHostsProductFolder) {
    UISavePtr record(CreateUISave());
    record->Copies = 4;
    record->MediaTypeName = "Matte";
    record->Curves_RGB_PointNum = 2;
    record->Curves_RGB_X = {0, 255};
    record->Curves_RGB_Y = {10, 245};
    SaveUISetting("SL-2400", record.get(), kProductFolderVPX);
    EXPECT_TRUE(fs::exists(file(kProductFolderVPX, "SL-2400")));

    EXPECT_EQ(UISavePtr(LoadUISetting(0, "SL-2400")), nullptr);  // the other host's folder
    UISavePtr loaded(LoadUISetting(1, "SL-2400"));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->UISaveVersion, 101);
    loaded->UISaveVersion = 0;
    EXPECT_EQ(*loaded, *record);

    SaveUISetting("SL-2400", nullptr, kProductFolderStratoline);
    EXPECT_FALSE(fs::exists(file(kProductFolderStratoline, "SL-2400")));
}

TEST_F(UISetting, FilesOfAnotherShapeGiveNoSettingsOrAnEmptyRecord) {
    writeFile("Garbage", "not a property list");
    writeFile("Cut",
              "<?xml version=\"1.0\"?><plist version=\"1.0\"><array><dict>"
              "<key>Copies</key><integer>2</integer></dict>");
    writeFile("Dictionary", "<plist version=\"1.0\"><dict/></plist>");
    for (const char* printer : {"Garbage", "Cut", "Dictionary"})
        EXPECT_EQ(UISavePtr(GetUISetting(printer, kProductFolderStratoline)), nullptr) << printer;

    // A root array without a dictionary still gives a record, all zero.
    writeFile("EmptyArray", "<plist version=\"1.0\"><array><string>x</string></array></plist>");
    UISavePtr empty(GetUISetting("EmptyArray", kProductFolderStratoline));
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(*empty, UISave{});
}

TEST(GetUISaveTbl, ReadsTheFirstElementWhenItIsADictionary) {
    cf::Value first = cf::Value::emptyDictionary();
    first.set("Copies", cf::Value(std::int32_t{3}));
    cf::Value second = first;
    second.set("Copies", cf::Value(std::int32_t{5}));
    const cf::Value rows(cf::Value::Array{first, second});
    UISave record;
    EXPECT_EQ(GetUISaveTbl(&record, &rows), 1);
    EXPECT_EQ(record.Copies, 3);
    EXPECT_EQ(record.Gamma, 22);

    const cf::Value notFirst(cf::Value::Array{cf::Value("x"), second});
    const cf::Value empty = cf::Value::emptyArray();
    const cf::Value* const kNotRead[] = {&notFirst, &empty, &first, nullptr};
    for (const cf::Value* array : kNotRead) EXPECT_EQ(GetUISaveTbl(&record, array), 0);
    EXPECT_EQ(GetUISaveTbl(nullptr, &rows), 0);
    EXPECT_EQ(record.Copies, 3);
    EXPECT_EQ(SetUISaveTbl(nullptr), std::nullopt);
}

// The shipped model tables give each model's defaults through the bundle's loader.
class UIDefaultShipped : public testing::Test {
  protected:
    testsupport::ModelAtlasHost host_{ATLAS_SHIPPED_SHELL};
};

TEST_F(UIDefaultShipped, EveryShippedModelHasDefaults) {
    ASSERT_TRUE(host_.ready());
    UISavePtr large(GetUIDefault(7440));
    ASSERT_NE(large, nullptr);
    EXPECT_EQ(large->MediaType, 103);
    EXPECT_EQ(large->MediaTypeName, "Premium Glossy Photo");
    EXPECT_EQ(large->Copies, 1);
    EXPECT_EQ(large->Curves_RGB_PointNum, 2);
    EXPECT_EQ(large->Curves_RGB_X[1], 255);
    for (const std::int32_t model : {2400, 5170})
        EXPECT_NE(UISavePtr(GetUIDefault(model)), nullptr) << model;
    EXPECT_EQ(GetUIDefault(4711), nullptr);  // a model the bundle does not serve
}

class UIDefaultFixture : public testing::Test {
  protected:
    testsupport::ModelAtlasHost host_{ATLAS_FIXTURE_SHELL};
};

TEST_F(UIDefaultFixture, SparseRowTakesTheDefaultsOfMissingKeysAndBrokenTablesGiveNone) {
    ASSERT_TRUE(host_.ready());
    constexpr std::int32_t kSparseRow = 11;     // a table whose one row holds only "Copies"
    constexpr std::int32_t kTableNoArray = 13;  // a table whose root is no array
    UISavePtr sparse(GetUIDefault(kSparseRow));
    ASSERT_NE(sparse, nullptr);
    EXPECT_EQ(sparse->Copies, 1);
    EXPECT_EQ(sparse->Gamma, 22);
    EXPECT_EQ(sparse->XAdjustItem_Mono, 8);
    EXPECT_EQ(GetUIDefault(kTableNoArray), nullptr);
}

TEST(GetUIDefault, NoModelBundleGivesNone) {
    testsupport::TemporaryFolder empty;
    testsupport::ScopedVariable temporary("TMPDIR", empty.path().c_str());
    EXPECT_EQ(GetUIDefault(7440), nullptr);
}

// A settings file with every key read by the record and written back: the independent reader
// finds exactly what it wrote, so no key is lost, misspelt or of another type on the way, also
// through a copy.
TEST_F(UISetting, EveryKeySurvivesReadingCopyingAndWriting) {
    writeFile("Full", "");
    ASSERT_EQ(oracle("write-full", file(kProductFolderStratoline, "Full")), 0);
    UISavePtr read(GetUISetting("Full", kProductFolderStratoline));
    ASSERT_NE(read, nullptr);
    UISavePtr copy(CreateUISave());
    CopyUISaves(read.get(), copy.get());
    read.reset();
    SaveUISetting("Copy", copy.get(), kProductFolderStratoline);
    EXPECT_EQ(oracle("check-full", file(kProductFolderStratoline, "Copy")), 0);
}

TEST_F(UISetting, FreshRecordWritesEveryKeyButItsAbsentStrings) {
    UISavePtr fresh(CreateUISave());
    fresh->Curves_G_PointNum = 5;
    SaveUISetting("Fresh", fresh.get(), kProductFolderStratoline);
    EXPECT_EQ(oracle("check-ui", file(kProductFolderStratoline, "Fresh"),
                     {"MediaTypeName", "OutputProfileName", "OutputProfilePath", "ProofProfileName",
                      "ProofProfilePath", "NameOfDataToBeSaved", "PaperSizeName", "CommentDetails",
                      "UseSizeName_Color", "UseSizeName_Mono"}),
              0);
}

TEST_F(UISetting, SmallFilesHaveTheirKeysAndTypes) {
    SaveConnectPrinterFile(1, "LPR", "SL-5170 (Network)", "SL_5170", "MDB_SL5000.mdb", 5170,
                           kProductFolderStratoline);
    EXPECT_EQ(
        oracle("check-connect",
               preferences_.printerFolder(kProductFolderStratoline, "SL_5170") / "connect3.xml"),
        0);

    MenuDataArray papers = nullptr;
    KMenu::NewMenuData(&papers);
    KMenu::AddMenuData(papers, "Poster", 9001, 6100, 9140, 1);
    KMenu::AddMenuData(papers, "Banner", 9002, 3300, 20000, 1);
    SaveCustomPaperFile(papers);
    KMenu::DisposeMenuData(&papers);
    EXPECT_EQ(oracle("check-custom", preferences_.preferences() / "Stratoline Common" / "user3.xml",
                     {"2"}),
              0);

    cf::Value entry = cf::Value::emptyDictionary();
    entry.set("NameString", cf::Value("first"));
    entry.set("listNumber", cf::Value(std::int32_t{1}));
    cf::Value history = cf::Value::emptyDictionary();
    history.set("Version", cf::Value(std::int32_t{100}));
    history.set("Jobs", cf::Value(cf::Value::Array{entry}));
    SaveJobHistoryFile("SL_5170", &history, kProductFolderStratoline);
    const fs::path job =
        preferences_.printerFolder(kProductFolderStratoline, "SL_5170") / "job3.xml";
    EXPECT_EQ(oracle("check-job", job), 0);
    cf::Value read;
    EXPECT_EQ(LoadJobHistoryFile("SL_5170", &read, kProductFolderStratoline), 0);
    EXPECT_EQ(read, history);
    cf::Value array = cf::Value::emptyArray();
    SaveJobHistoryFile("SL_5170", &array, kProductFolderStratoline);  // not a dictionary: kept
    EXPECT_EQ(LoadJobHistoryFile("SL_5170", &read, kProductFolderStratoline), 0);
    EXPECT_EQ(read, history);
}

}  // namespace
