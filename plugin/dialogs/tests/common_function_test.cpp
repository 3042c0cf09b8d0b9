// Window placement, help paths, free space, the Japanese check and the decimal mark.
#include "dialogs/common_function.h"

#include <gtest/gtest.h>

#include "cf/property_list.h"
#include "scripted_port.h"
#include "support/scoped_variable.h"
#include "support/temporary_folder.h"

namespace {

using dialogs::kCommonFunction;
using dialogs_test::TableStrings;

TEST(WindowCentering, CentresClampsAndShrinksByTheWindowKind) {
    const ui::Rect screen{0, 20, 1000, 700};  // the menu bar below, say
    struct Case {
        const char* name;
        dialogs::WindowPlacement placement;
        ui::Rect expected;
    };
    const Case cases[] = {
        {"smaller than the screen: centred",
         {{5, 5, 400, 300}, screen, false, {}, false},
         {300, 220, 400, 300}},
        {"centred whatever the flip",
         {{900, 900, 400, 300}, screen, false, {}, true},
         {300, 220, 400, 300}},
        {"too wide: left edge, height centred",
         {{300, 100, 1200, 300}, screen, false, {}, false},
         {0, 220, 1200, 300}},
        {"too tall, unflipped: top edge",
         {{100, 100, 400, 900}, screen, false, {}, false},
         {300, -180, 400, 900}},
        {"too tall, flipped: bottom edge",
         {{100, 100, 400, 900}, screen, false, {}, true},
         {300, 20, 400, 900}},
        {"resizable: shrinks to the screen",
         {{0, 0, 1200, 900}, screen, true, {200, 200}, false},
         {0, 20, 1000, 700}},
        {"resizable: not below its minimum",
         {{0, 0, 1200, 900}, screen, true, {1100, 800}, true},
         {0, 20, 1100, 800}},
        {"no screen: pinned to the origin",
         {{50, 50, 400, 300}, {}, false, {}, false},
         {0, -300, 400, 300}},
    };
    for (const Case& each : cases) {
        EXPECT_EQ(kCommonFunction::windowCentering(each.placement), each.expected) << each.name;
    }
}

TEST(WindowCentering, ReadsTheWindowAndItsScreenThroughThePortAndSetsTheFrame) {
    dialogs_test::ScriptedPort port;
    auto& window = port.windows["PLSample"];
    window.frame = {5, 5, 1200, 300};
    window.visibleFrame = {0, 20, 1000, 700};
    window.resizable = true;
    window.minimumSize = {1100, 100};
    kCommonFunction::windowCentering(port, "PLSample");
    EXPECT_EQ(window.frame, (ui::Rect{0, 220, 1100, 300}));

    kCommonFunction::windowCentering(port, "");
    EXPECT_EQ(port.log, std::vector<std::string>{"frame PLSample"});
}

TEST(DecimalMark, ShownAndReadBackThroughTheLanguagesMark) {
    struct Case {
        const char* name;
        TableStrings strings;
        const char* shown;
    };
    const Case cases[] = {
        {"comma", TableStrings({{"STEXT_PRIOD", ","}}), "12,5"},
        {"middle dot", TableStrings({{"STEXT_PRIOD", "\xC2\xB7"}}),
         "12\xC2\xB7"
         "5"},
        {"missing key", TableStrings(), "12.5"},
        {"empty text", TableStrings({{"STEXT_PRIOD", ""}}), "12.5"},
        {"several characters", TableStrings({{"STEXT_PRIOD", ",,"}}), "12.5"},
    };
    for (const Case& each : cases) {
        EXPECT_EQ(kCommonFunction::changePriodForString(each.strings, "12.5"), each.shown)
            << each.name;
        EXPECT_EQ(kCommonFunction::changePriodForNumber(each.strings, each.shown), "12.5")
            << each.name;
        EXPECT_EQ(kCommonFunction::changePriodForString(each.strings, "125"), "125") << each.name;
    }
}

TEST(HelpPath, ManualFolderPrinterLanguageAndPage) {
    testsupport::ScopedVariable root("STRATOLINE_ROOT", "/opt/driver");
    const TableStrings strings({{"STEXT_HELP_RES_LOCALE", "English"}});
    EXPECT_EQ(kCommonFunction::createHelpPath(strings, "SL-7440", "index.html"),
              "/opt/driver/Library/Application Support/Orvane/Zelplugin2/Manual/SL-7440/English/"
              "index.html");
}

TEST(FreeSpace, AnsweredForAFolderAndNoneForAMissingPath) {
    testsupport::TemporaryFolder folder;
    EXPECT_GT(kCommonFunction::freeSpaceBytes(folder.path()).value_or(0), 0u);
    EXPECT_EQ(kCommonFunction::freeSpaceBytes(folder / "missing/deeper"), std::nullopt);
}

// A bundle folder with a strings table in each of `languages`.
std::unique_ptr<cf::Bundle> bundleWith(const std::filesystem::path& folder,
                                       std::initializer_list<const char*> languages) {
    std::filesystem::create_directories(folder);
    cf::Value info = cf::Value::emptyDictionary();
    info.set("CFBundleIdentifier", cf::Value("com.stratoline.test.japanese"));
    cf::writePropertyListFile(folder / "Info.plist", info);
    cf::Value texts = cf::Value::emptyDictionary();
    texts.set("OK", cf::Value("OK"));
    for (const char* language : languages) {
        const auto table = folder / "Resources" / (std::string(language) + ".lproj");
        std::filesystem::create_directories(table);
        cf::writePropertyListFile(table / "Localizable.strings", texts);
    }
    return cf::Bundle::open(folder);
}

TEST(JapaneseLanguage, OnlyWhenTheTextsComeFromTheJapaneseTable) {
    testsupport::TemporaryFolder folder;
    const auto englishOnly = bundleWith(folder / "english.bundle", {"en"});
    const auto both = bundleWith(folder / "both.bundle", {"en", "ja"});
    ASSERT_TRUE(englishOnly && both);
    {
        testsupport::ScopedVariable language("LANGUAGE", "ja");
        EXPECT_FALSE(kCommonFunction::checkJapaneseLanguage(englishOnly.get()));
        EXPECT_TRUE(kCommonFunction::checkJapaneseLanguage(both.get()));
        EXPECT_FALSE(kCommonFunction::checkJapaneseLanguage(nullptr));
    }
    testsupport::ScopedVariable language("LANGUAGE", "fr");
    EXPECT_FALSE(kCommonFunction::checkJapaneseLanguage(both.get()));
}

}  // namespace
