// String tables: which language's table answers, and what a table that cannot answer gives.
#include "cf/string_table.h"

#include <gtest/gtest.h>

#include <fstream>

#include "cf/property_list.h"
#include "support/temporary_folder.h"

namespace {

class StringTable : public ::testing::Test {
  protected:
    void SetUp() override {
        const cf::Value info(cf::Value::Dictionary{{"CFBundleIdentifier", "com.test.strings"}});
        ASSERT_EQ(cf::writePropertyListFile(folder_ / "Info.plist", info), cf::PlistStatus::Ok);
    }

    void table(const std::string& relative, cf::Value contents) {
        const auto path = folder_ / ("Resources/" + relative);
        std::filesystem::create_directories(path.parent_path());
        ASSERT_EQ(cf::writePropertyListFile(path, contents), cf::PlistStatus::Ok);
    }

    std::optional<std::string> text(const char* key, std::vector<std::string> languages) {
        const auto bundle = cf::Bundle::open(folder_.path());
        return bundle == nullptr ? std::nullopt : cf::localizedString(*bundle, key, languages);
    }

    testsupport::TemporaryFolder folder_;
};

cf::Value texts(const char* key, const char* value) {
    return cf::Value(cf::Value::Dictionary{{key, value}});
}

TEST_F(StringTable, FirstLanguageWithATableAnswersElseEnglishElseTheTopTable) {
    table("Localizable.strings", texts("K", "top"));
    EXPECT_EQ(text("K", {"fr"}), "top");
    table("en.lproj/Localizable.strings", texts("K", "english"));
    EXPECT_EQ(text("K", {"fr"}), "english");
    table("fr.lproj/Localizable.strings", texts("K", "french"));
    EXPECT_EQ(text("K", {"de", "fr"}), "french");
    EXPECT_EQ(text("K", {}), "english");
}

TEST_F(StringTable, OnlyTheChosenTableIsAsked) {
    table("en.lproj/Localizable.strings", texts("Other", "english"));
    table("fr.lproj/Localizable.strings", texts("K", "french"));
    EXPECT_EQ(text("K", {"en"}), std::nullopt);
    EXPECT_EQ(text("Absent", {"fr"}), std::nullopt);
}

TEST_F(StringTable, ALanguageNeverLeadsOutOfResources) {
    table("en.lproj/Localizable.strings", texts("K", "english"));
    std::filesystem::create_directories(folder_ / "Escape.lproj");
    ASSERT_EQ(cf::writePropertyListFile(folder_ / "Escape.lproj/Localizable.strings",
                                        texts("K", "outside")),
              cf::PlistStatus::Ok);
    EXPECT_EQ(text("K", {"../Escape", "/absolute"}), "english");
}

TEST_F(StringTable, TablesThatCannotAnswer) {
    EXPECT_EQ(text("K", {"en"}), std::nullopt);  // no table at all
    table("en.lproj/Localizable.strings", texts("K", "x"));
    table("de.lproj/Localizable.strings", cf::Value(cf::Value::Array{texts("K", "array root")}));
    EXPECT_EQ(text("K", {"de"}), std::nullopt);
    table("it.lproj/Localizable.strings",
          cf::Value(cf::Value::Dictionary{{"K", cf::Value(std::int32_t{7})}}));
    EXPECT_EQ(text("K", {"it"}), std::nullopt);
    std::filesystem::create_directories(folder_ / "Resources/es.lproj");
    std::ofstream(folder_ / "Resources/es.lproj/Localizable.strings")
        << "\"K\" = \"old text form\";";
    EXPECT_EQ(text("K", {"es"}), std::nullopt);
}

}  // namespace
