// A favourite exported to and imported from a file of its own: what is written (read back by
// plistlib), the printer and version checks, the fields an import leaves alone, and the
// permission and write failures.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "history/print_jobs.h"
#include "history_test_support.h"
#include "settings/settings_codes.h"
#include "settings_test_support.h"
#include "support/temporary_folder.h"

namespace {

namespace fs = std::filesystem;
using historytest::fullEntry;
using historytest::oracle;

constexpr std::int32_t kModel23 = 23;
constexpr std::int32_t kModel26 = 26;

class FavoriteFile : public testing::Test {
  protected:
    std::string path(const char* name) const { return (folder_ / name).string(); }

    testsupport::TemporaryFolder folder_;
};

TEST_F(FavoriteFile, ExportedFileReadsBackForItsPrinter) {
    SetDataList favorite = fullEntry("Portrait", 3);
    favorite.ColorSetString.reset();
    const std::string file = path("portrait.pjb2");
    ASSERT_EQ(WriteFavoriteFile(file.c_str(), kModel23, favorite), 0);
    EXPECT_EQ(oracle("check", file, R"({
        "Version": 100, "PrinterID": 23, "NameString": "Portrait", "ColorSetString": null,
        "CommentString": "caf\u00e9 Portrait", "listNumber": 3, "DateCount": 13,
        "DefaultFlg": 1, "PrintFinish": 1, "UISaveVersion": 101, "Copies": 3,
        "MediaTypeName": "Glossy Portrait", "Curves_RGB_X": [0, 255]})"),
              0);

    SetDataList imported;
    imported.DateCount = 42;
    ASSERT_EQ(LoadFavoriteFile(file.c_str(), "unused", kModel23, &imported), 0);
    SetDataList expected = favorite;
    expected.DateCount = 42;  // the day's running number is never imported
    EXPECT_EQ(imported, expected);
}

TEST_F(FavoriteFile, ImportKeepsTheCallersDateCount) {
    const std::string file = path("oracle.pjb2");
    ASSERT_EQ(oracle("write", file,
                     R"({"Version": 100, "PrinterID": 26, "DateCount": 7, "NameString": "Fav",
                         "listNumber": 2, "Copies": 5})"),
              0);
    SetDataList imported = fullEntry("before", 1);
    imported.DateCount = 3;
    ASSERT_EQ(LoadFavoriteFile(file.c_str(), nullptr, kModel26, &imported), 0);
    EXPECT_EQ(imported.DateCount, 3);
    EXPECT_EQ(imported.NameString, "Fav");
    EXPECT_EQ(imported.FileNameString, std::nullopt);
    EXPECT_EQ(imported.listNumber, 2);
    EXPECT_EQ(imported.DefaultFlg, 0);
    EXPECT_EQ(imported.PrintFinish, 0);
    ASSERT_TRUE(imported.settings);
    EXPECT_EQ(imported.settings->Copies, 5);
    EXPECT_EQ(imported.settings->MediaTypeName, std::nullopt);
}

TEST_F(FavoriteFile, FilesNotForThisPrinterAreRefusedAndTheEntryKept) {
    struct Case {
        const char* name;
        const char* json;  // null: the file holds no property list
    };
    const Case cases[] = {
        {"made for model 23", R"({"Version": 100, "PrinterID": 23})"},
        {"version 101", R"({"Version": 101, "PrinterID": 26})"},
        {"no version", R"({"PrinterID": 26})"},
        {"no printer", R"({"Version": 100})"},
        {"printer as text", R"({"Version": 100, "PrinterID": "26"})"},
        {"root array", R"([{"Version": 100, "PrinterID": 26}])"},
        {"not a property list", nullptr},
    };
    for (const Case& c : cases) {
        const std::string file = path("refused.pjb2");
        if (c.json != nullptr) {
            ASSERT_EQ(oracle("write", file, c.json), 0) << c.name;
        } else {
            settingstest::writeText(file, "<plist><dict><key>Vers");
        }
        SetDataList entry = fullEntry("kept", 4);
        EXPECT_EQ(LoadFavoriteFile(file.c_str(), nullptr, kModel26, &entry),
                  kFavoriteFileNotForPrinter)
            << c.name;
        EXPECT_EQ(entry, fullEntry("kept", 4)) << c.name;
    }
    // A favourite exported for one model and imported for another.
    const std::string exported = path("model23.pjb2");
    ASSERT_EQ(WriteFavoriteFile(exported.c_str(), kModel23, fullEntry("x", 1)), 0);
    SetDataList entry;
    EXPECT_EQ(LoadFavoriteFile(exported.c_str(), nullptr, kModel26, &entry), 0x450145);
    EXPECT_EQ(LoadFavoriteFile(exported.c_str(), nullptr, kModel23, nullptr), kSettingsBadArgument);
}

TEST_F(FavoriteFile, UnaddressableOrUnreadableFiles) {
    const std::string file = path("unreadable.pjb2");
    ASSERT_EQ(WriteFavoriteFile(file.c_str(), kModel23, fullEntry("x", 1)), 0);
    ::chmod(file.c_str(), 0200);
    SetDataList entry;
    EXPECT_EQ(LoadFavoriteFile(file.c_str(), nullptr, kModel23, &entry), 0x450144);
    EXPECT_EQ(LoadFavoriteFile("", nullptr, kModel23, &entry), kFavoriteFileNotRead);
    EXPECT_EQ(LoadFavoriteFile(nullptr, nullptr, kModel23, &entry), kFavoriteFileNotRead);
    EXPECT_EQ(LoadFavoriteFile(path("missing.pjb2").c_str(), nullptr, kModel23, &entry),
              kFavoriteFileNotForPrinter);
    EXPECT_EQ(entry, SetDataList{});
}

TEST_F(FavoriteFile, ExportOverAReadOnlyFileLeavesItAsItWas) {
    const std::string file = path("locked.pjb2");
    settingstest::writeText(file, "earlier favourite");
    ::chmod(file.c_str(), 0444);
    EXPECT_EQ(WriteFavoriteFile(file.c_str(), kModel23, fullEntry("x", 1)), 1009);
    EXPECT_EQ(settingstest::fileText(file), "earlier favourite");
}

TEST_F(FavoriteFile, TargetsThatCannotBeWritten) {
    fs::create_directory(folder_ / "a folder");
    for (const std::string& target :
         {path("a folder"), path("no such folder/fav.pjb2"), std::string()}) {
        EXPECT_EQ(WriteFavoriteFile(target.c_str(), kModel23, fullEntry("x", 1)), 0x350134)
            << target;
    }
    EXPECT_EQ(WriteFavoriteFile(nullptr, kModel23, fullEntry("x", 1)), kFavoriteFileNotWritten);
    EXPECT_TRUE(fs::is_directory(folder_ / "a folder"));
}

}  // namespace
