// The folder tree under Preferences: found, made one level at a time, never made above.
#include "settings/settings_folders.h"

#include <gtest/gtest.h>

#include "settings/custom_paper_file.h"
#include "settings/settings_files.h"
#include "settings/ui_setting.h"
#include "settings_test_support.h"

namespace {

namespace fs = std::filesystem;
using settingstest::PreferencesFolder;

TEST(SettingsFolders, PreferencesIsFoundOnlyWhenItExists) {
    PreferencesFolder folder;
    EXPECT_EQ(GetPreferencesFolderURLRef(), folder.preferences());
    fs::remove(folder.preferences());
    EXPECT_EQ(GetPreferencesFolderURLRef(), std::nullopt);
    EXPECT_FALSE(fs::exists(folder.preferences()));
}

TEST(SettingsFolders, FolderIsMadeOnlyWithTheCreateFlagAndOneLevelAtATime) {
    PreferencesFolder folder;
    const fs::path parent = folder.preferences();

    EXPECT_EQ(GetFolderURLRef(0, parent, "Product"), parent / "Product");
    EXPECT_FALSE(fs::exists(parent / "Product"));

    EXPECT_EQ(GetFolderURLRef(1, parent, "Product"), parent / "Product");
    EXPECT_TRUE(fs::is_directory(parent / "Product"));
    EXPECT_EQ(GetFolderURLRef(1, parent, "Product"), parent / "Product");  // already there

    EXPECT_EQ(GetFolderURLRef(1, parent / "absent", "Printer"), std::nullopt);
    EXPECT_FALSE(fs::exists(parent / "absent"));

    settingstest::writeText(parent / "plain file", "x");
    EXPECT_EQ(GetFolderURLRef(1, parent, "plain file"), std::nullopt);
}

TEST(SettingsFolders, NamesThatLeaveTheParentAreRefused) {
    PreferencesFolder folder;
    const fs::path parent = folder.preferences() / "Product";
    fs::create_directory(parent);
    for (const char* name : {"", ".", "..", "a/b", "../escape", "/etc"}) {
        EXPECT_EQ(GetFolderURLRef(1, parent, name), std::nullopt) << name;
        EXPECT_EQ(GetFolderURLRef(0, parent, name), std::nullopt) << name;
    }
    EXPECT_EQ(GetFolderURLRef(1, parent, nullptr), std::nullopt);
    EXPECT_FALSE(fs::exists(folder.preferences() / "escape"));
    EXPECT_FALSE(fs::exists(parent / "a"));
}

TEST(SettingsFolders, FirstReadMakesTheProductAndPrinterFoldersAndFails) {
    PreferencesFolder folder;
    cf::Value array(std::int32_t{1});
    EXPECT_EQ(LoadUISettingFile("SL-7440", &array, kProductFolderStratoline), -1);
    EXPECT_TRUE(array.isNull());
    EXPECT_TRUE(fs::is_directory(folder.printerFolder(kProductFolderStratoline, "SL-7440")));
    EXPECT_FALSE(fs::exists(folder.printerFolder(kProductFolderStratoline, "SL-7440") / "ui3.xml"));
}

// Without Preferences every load fails and every save leaves the disk as it was.
TEST(SettingsFolders, MissingPreferencesIsNeverMade) {
    PreferencesFolder folder;
    fs::remove(folder.preferences());

    cf::Value read;
    EXPECT_EQ(LoadUISettingFile("P", &read, kProductFolderVPX), -1);
    EXPECT_EQ(LoadJobHistoryFile("P", &read, kProductFolderVPX), -1);
    EXPECT_EQ(LoadUISetting(1, "P"), nullptr);
    MenuDataArray papers = nullptr;
    ASSERT_EQ(KMenu::NewMenuData(&papers), 0);
    LoadCustomPaperFile(papers);
    EXPECT_TRUE(papers->array()->empty());

    UISavePtr record(CreateUISave());
    SaveUISetting("P", record.get(), kProductFolderVPX);
    const cf::Value history = cf::Value::emptyDictionary();
    SaveJobHistoryFile("P", &history, kProductFolderVPX);
    SaveCustomPaperFile(papers);
    KMenu::DisposeMenuData(&papers);

    EXPECT_EQ(CommonSettingsFileURL(kCustomPaperFileName), std::nullopt);
    EXPECT_EQ(PrinterSettingsFileURL(kProductFolderVPX, "P", kUISettingFileName), std::nullopt);
    EXPECT_FALSE(fs::exists(folder.preferences()));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.home()), {}), 0);
}

TEST(SettingsFolders, FilesLieInTheirFolders) {
    PreferencesFolder folder;
    EXPECT_EQ(PrinterSettingsFileURL(kProductFolderVPX, "SL-2400", kJobHistoryFileName),
              folder.preferences() / "VPX Print Plug-In" / "SL-2400" / "job3.xml");
    EXPECT_EQ(CommonSettingsFileURL(kCustomPaperFileName),
              folder.preferences() / "Stratoline Common" / "user3.xml");
    EXPECT_EQ(PrinterSettingsFileURL(kProductFolderVPX, "..", kJobHistoryFileName), std::nullopt);
}

}  // namespace
