// String tables parse their entries, comments and escapes, refuse what is no table, and are
// looked up in the bundle's localization folders in order.
#include "cf/string_table.h"

#include <gtest/gtest.h>

#include <fstream>

#include "cf/property_list.h"
#include "support/temporary_folder.h"

namespace {

namespace fs = std::filesystem;

TEST(StringTable, ReadsEntriesCommentsAndEscapes) {
    const auto table = cf::parseStringTable(
        "\xEF\xBB\xBF/* interface texts */\n"
        "\"STEXT_OK\" = \"OK\";\n"
        "// the media locale\n"
        "STEXT_SET_MDB_LOCALE = ja;\n"
        "\"quoted\"=\"say \\\"hi\\\"\\n\\tback\\\\slash \\x\";\n"
        "\"unicode\" = \"\\U65E5\\U672C \\UD83D\\UDE00\";\n"
        "\"STEXT_OK\" = \"Okay\";   ");
    ASSERT_TRUE(table.has_value());
    const cf::StringTable expected = {
        {"STEXT_OK", "Okay"},
        {"STEXT_SET_MDB_LOCALE", "ja"},
        {"quoted", "say \"hi\"\n\tback\\slash x"},
        {"unicode", "\xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80"},
    };
    EXPECT_EQ(*table, expected);
    EXPECT_EQ(cf::parseStringTable(" /* nothing */ "), cf::StringTable{});
}

TEST(StringTable, RefusesWhatIsNoTable) {
    const char* const broken[] = {
        "\"a\" = \"b\"",           // no semicolon
        "\"a\" \"b\";",            // no equals sign
        "\"a\" = \"b;",            // string never ends
        "\"a\" = \"b\\",           // escape at the end
        "/* comment never ends",   //
        "\"a\" = \"\\U12\";",      // short hex escape
        "\"a\" = \"\\UDE00\";",    // low surrogate alone
        "\"a\" = \"\\UD83D x\";",  // high surrogate alone
        "\"a\" = \"\\U0000\";",    // a zero character
        "= \"b\";",                // no key
        "\"a\" = ;",               // no value
    };
    for (const char* text : broken) {
        EXPECT_FALSE(cf::parseStringTable(text).has_value()) << text;
    }
}

class LocalizedString : public testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(bundle_ / "Resources");
        cf::Value info = cf::Value::emptyDictionary();
        info.set("CFBundleIdentifier", "com.stratoline.test.strings");
        info.set("CFBundleDevelopmentRegion", "en");
        ASSERT_EQ(cf::writePropertyListFile(bundle_ / "Info.plist", info), cf::PlistStatus::Ok);
    }

    void table(const fs::path& folder, const std::string& text) {
        fs::create_directories(bundle_ / "Resources" / folder);
        std::ofstream(bundle_ / "Resources" / folder / "Localizable.strings") << text;
    }

    std::optional<std::string> lookUp(const std::string& key,
                                      const std::vector<std::string>& languages) {
        const auto bundle = cf::Bundle::open(bundle_);
        return bundle ? cf::localizedString(*bundle, key, languages) : std::nullopt;
    }

    testsupport::TemporaryFolder folder_;
    fs::path bundle_ = folder_ / "Texts.bundle";
};

TEST_F(LocalizedString, TakesTheFirstLanguageTheBundleHas) {
    table("ja.lproj", "\"KEY\" = \"japanese\";");
    table("en.lproj", "\"KEY\" = \"english\"; \"ONLY_EN\" = \"x\";");
    table("", "\"KEY\" = \"plain\";");
    EXPECT_EQ(lookUp("KEY", {"fr", "ja"}), "japanese");
    // The development region when no asked language is there.
    EXPECT_EQ(lookUp("KEY", {"fr"}), "english");
    // The table found answers alone: a key it lacks is not looked for elsewhere.
    EXPECT_EQ(lookUp("ONLY_EN", {"ja"}), std::nullopt);
    EXPECT_EQ(lookUp("ABSENT", {"ja"}), std::nullopt);
}

TEST_F(LocalizedString, FallsBackToTheTopTableAndSkipsBrokenOnes) {
    table("de.lproj", "\"KEY\" = broken");
    table("", "\"KEY\" = \"plain\";");
    EXPECT_EQ(lookUp("KEY", {"de", "../Resources"}), "plain");
}

}  // namespace
