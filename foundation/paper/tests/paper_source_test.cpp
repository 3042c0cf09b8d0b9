// Paper source checks, menu keys, the source a medium can use and the feed menus of the shipped
// models and of a fixture model whose source order lists the 3 mm feed without the flag for it.
#include "paper/paper_source.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation_test_support.h"
#include "support/model_atlas_host.h"
#include "support/scoped_variable.h"

namespace {

using foundationtest::DriverRoot;
using foundationtest::Menu;
using foundationtest::MenuRow;
using foundationtest::OpenDatabase;

constexpr std::int32_t kLargeFormat = 7440;
constexpr std::int32_t kLegacy = 2400;
constexpr std::int32_t kMediumFormat = 5170;
constexpr std::int32_t kTenSourcesNo3mmFlag = 13;  // fixture: medium format, flag unset

TEST(PaperSource, ChecksOfTheCodes) {
    struct Case {
        std::int32_t code;
        bool manual, manual3mm, roll;
    };
    const Case cases[] = {
        {0, false, false, false},         {1, false, false, false},    {2, false, false, false},
        {4, false, false, false},         {16, false, true, false},    {128, true, false, false},
        {256, false, false, true},        {512, false, false, true},   {1024, false, false, true},
        {2048, false, false, true},       {4096, false, false, false}, {8192, true, false, false},
        {128 | 512, false, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SelectManualFeed(c.code), c.manual) << c.code;
        EXPECT_EQ(SelectManualFeed3mm(c.code), c.manual3mm) << c.code;
        EXPECT_EQ(SelectRoll(c.code), c.roll) << c.code;
    }
}

struct KeyCase {
    std::int32_t model;
    std::int32_t code;
    const char* key;  // null: no menu item
};

void expectKeys(std::initializer_list<KeyCase> cases) {
    for (const auto& c : cases) {
        const char* key = "untouched";
        EXPECT_EQ(AddPaperSourceMenu(c.model, c.code, &key), c.key != nullptr ? 1 : 0)
            << c.model << "/" << c.code;
        EXPECT_STREQ(key, c.key) << c.model << "/" << c.code;
    }
}

TEST(PaperSourceMenuKeys, ShippedModels) {
    testsupport::ModelAtlasHost host(ATLAS_SHIPPED_SHELL);
    ASSERT_TRUE(host.ready());
    expectKeys({
        {kLargeFormat, 1, "FEED_CASSETTE_AUTO"},
        {kLargeFormat, 2, "FEED_CASSETTE"},
        {kLargeFormat, 4, "FEED_CASSETTE_2"},
        {kLargeFormat, 16, nullptr},  // no 3 mm flag
        {kLargeFormat, 128, "FEED_CUTPAPER"},
        {kLargeFormat, 8192, "FEED_CUTPAPER"},
        {kLargeFormat, 512, "FEED_ROLLPAPER"},
        {kLargeFormat, 256, nullptr},
        {kLargeFormat, 1024, nullptr},
        {kLargeFormat, 2048, nullptr},
        {kLargeFormat, 0, nullptr},
        {kLegacy, 128, "FEED_CUTPAPER"},
        {kMediumFormat, 16, "FEED_MANUAL3MM"},
        {kMediumFormat, 128, "FEED_MANUAL"},
        {kMediumFormat, 8192, "FEED_MANUAL"},
    });
}

TEST(PaperSourceMenuKeys, ThreeMillimetreFeedNeedsTheFlagSetToOne) {
    testsupport::ModelAtlasHost host(ATLAS_FIXTURE_SHELL);
    ASSERT_TRUE(host.ready());
    // The fixture model lacks the flag (read as 255) and the format word (read as medium format).
    expectKeys({{kTenSourcesNo3mmFlag, 16, nullptr}, {kTenSourcesNo3mmFlag, 128, "FEED_MANUAL"}});
}

TEST(ValidatePaperSource, RequestedSourceElseTheManualFeedTheMediumTakesElseItsDefault) {
    DriverRoot root;
    OpenDatabase sl7000("MDB_SL7000.mdb");
    OpenDatabase fixture("MDB_FOUNDATION.mdb");
    ASSERT_TRUE(sl7000.opened());
    ASSERT_TRUE(fixture.opened());
    struct Case {
        std::uint8_t* db;
        std::int16_t medium;
        std::uint16_t requested, expected;
    };
    const Case cases[] = {
        // 303 takes 16 and 8192, its default 16.
        {fixture.data(), 303, 128, 8192},
        {fixture.data(), 303, 512, 16},
        {fixture.data(), 303, 8192, 8192},
        {fixture.data(), 303, 16, 16},
        // 102 takes 512, 128 and 16.
        {sl7000.data(), 102, 8192, 128},
        {sl7000.data(), 102, 512, 512},
        {sl7000.data(), 102, 2, 16},
        // 105 takes 128 and 8192, its default 128; 101 only 512.
        {sl7000.data(), 105, 8192, 8192},
        {sl7000.data(), 105, 512, 128},
        {sl7000.data(), 101, 128, 512},
        // An unknown medium has neither sources nor a default.
        {sl7000.data(), 999, 512, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(validatePaperSource(c.db, c.medium, c.requested), c.expected)
            << c.medium << " asked for " << c.requested;
    }
}

class FeedList : public ::testing::Test {
  protected:
    DriverRoot root_;
    std::unique_ptr<cf::Bundle> strings_ = foundationtest::pluginStrings();
    testsupport::ScopedVariable language_{"LANGUAGE", "en"};
};

TEST_F(FeedList, RowsFollowTheModelsOrderAndTheMediumsSources) {
    testsupport::ModelAtlasHost host(ATLAS_SHIPPED_SHELL);
    ASSERT_TRUE(host.ready());
    OpenDatabase sl7000("MDB_SL7000.mdb");
    OpenDatabase sl5000("MDB_SL5000.mdb");
    struct Case {
        std::int32_t model;
        std::uint8_t* db;
        std::int16_t medium;
        std::vector<MenuRow> rows;
    };
    const Case cases[] = {
        // Order 512, 128, 8192; medium 103 takes 16, 128, 512 and 8192.
        {kLargeFormat,
         sl7000.data(),
         103,
         {{"Roll Paper", 512, 0, 0, true},
          {"Cut Sheet", 128, 0, 0, true},
          {"Cut Sheet", 8192, 0, 0, true}}},
        // Order 512, 128.
        {kLegacy,
         sl7000.data(),
         103,
         {{"Roll Paper", 512, 0, 0, true}, {"Cut Sheet", 128, 0, 0, true}}},
        // Order 2, 1, 512, 16, 128, 8192; medium 204 takes 16, 128 and 512, medium 201 2 and 512.
        {kMediumFormat,
         sl5000.data(),
         204,
         {{"Roll Paper", 512, 0, 0, true},
          {"Manual Feed (3 mm)", 16, 0, 0, true},
          {"Manual Feed", 128, 0, 0, true}}},
        {kMediumFormat,
         sl5000.data(),
         201,
         {{"Cassette", 2, 0, 0, true}, {"Roll Paper", 512, 0, 0, true}}},
        // A medium the database does not know supports nothing.
        {kMediumFormat, sl5000.data(), 999, {}},
    };
    for (const auto& c : cases) {
        Menu menu;
        EXPECT_EQ(ConstructFeedList(c.db, c.model, strings_.get(), c.medium, 0, menu.get()),
                  static_cast<std::int16_t>(c.rows.size()));
        EXPECT_EQ(menu.rows(), c.rows) << "model " << c.model << " medium " << c.medium;
    }
}

TEST_F(FeedList, ThreeMillimetreFeedIsLeftOutWithoutTheFlag) {
    testsupport::ModelAtlasHost host(ATLAS_FIXTURE_SHELL);
    ASSERT_TRUE(host.ready());
    OpenDatabase sl7000("MDB_SL7000.mdb");
    // The fixture model's order holds twelve codes (16 among the first ten, 128 twice); the
    // record keeps the first ten, so 16 and 128 each come once.
    Menu menu;
    EXPECT_EQ(
        ConstructFeedList(sl7000.data(), kTenSourcesNo3mmFlag, strings_.get(), 103, 0, menu.get()),
        3);
    EXPECT_EQ(menu.rows(), (std::vector<MenuRow>{{"Manual Feed", 128, 0, 0, true},
                                                 {"Roll Paper", 512, 0, 0, true},
                                                 {"Manual Feed", 8192, 0, 0, true}}));
}

TEST_F(FeedList, WithoutDatabaseOnlyTheManualFeedInTheUsersLanguage) {
    foundationtest::NoModelAtlas none;
    Menu english;
    EXPECT_EQ(ConstructFeedList(nullptr, kLargeFormat, strings_.get(), 101, 0, english.get()), 1);
    EXPECT_EQ(english.rows(), (std::vector<MenuRow>{{"Manual Feed", 128, 0, 0, true}}));

    testsupport::ScopedVariable french("LANGUAGE", "fr");
    Menu menu;
    EXPECT_EQ(ConstructFeedList(nullptr, kLargeFormat, strings_.get(), 101, 0, menu.get()), 1);
    EXPECT_EQ(menu.rows(), (std::vector<MenuRow>{{"Alimentation manuelle", 128, 0, 0, true}}));

    // A bundle without the text shows the key.
    Menu keyOnly;
    ConstructFeedList(nullptr, kLargeFormat, nullptr, 101, 0, keyOnly.get());
    EXPECT_EQ(keyOnly.rows(), (std::vector<MenuRow>{{"FEED_MANUAL", 128, 0, 0, true}}));

    EXPECT_EQ(ConstructFeedList(nullptr, kLargeFormat, strings_.get(), 101, 0, nullptr), 0);
}

TEST_F(FeedList, WithoutModelInformationNoSourceIsOffered) {
    foundationtest::NoModelAtlas none;
    OpenDatabase sl7000("MDB_SL7000.mdb");
    Menu menu;
    EXPECT_EQ(ConstructFeedList(sl7000.data(), kLargeFormat, strings_.get(), 103, 0, menu.get()),
              0);
    EXPECT_TRUE(menu.rows().empty());
}

}  // namespace
