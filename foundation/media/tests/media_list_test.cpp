// The media menu and the medium check over the stand-in's databases: listing rules by hint,
// optimise-mode hint and region, names from the database in the bundle's media locale, from the
// model-information bundle, or made up from the id.
#include "media/media_list.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "foundation_test_support.h"
#include "loaders/media_db_loader.h"
#include "support/model_atlas_host.h"
#include "support/scoped_variable.h"

namespace {

using foundationtest::DriverRoot;
using foundationtest::Menu;
using foundationtest::MenuRow;
using foundationtest::OpenDatabase;
using Rows = std::vector<MenuRow>;

constexpr std::int32_t kRegionEnglish = 0;
constexpr std::int32_t kRegionJapan = 14;

class MediaList : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(host_.ready());
        ASSERT_TRUE(sl7000_.opened());
        ASSERT_TRUE(fixture_.opened());
        ASSERT_NE(strings_, nullptr);
    }

    Rows list(std::uint8_t* db, std::int32_t region, std::int32_t onlyEnabled,
              std::uint8_t markByHint, std::int16_t expectedCount) {
        Menu menu;
        EXPECT_EQ(
            ConstructMediaList(db, strings_.get(), region, onlyEnabled, markByHint, menu.get()),
            expectedCount);
        return menu.rows();
    }

    testsupport::ScopedVariable language_{"LANGUAGE", "en"};
    testsupport::ModelAtlasHost host_{ATLAS_SHIPPED_SHELL};
    DriverRoot root_;
    OpenDatabase sl7000_{"MDB_SL7000.mdb"};
    OpenDatabase fixture_{"MDB_FOUNDATION.mdb"};
    std::unique_ptr<cf::Bundle> strings_ = foundationtest::pluginStrings();
};

// The listable media of the SL7000 database for a region other than 14: 109 is hidden (and
// filtered out when the database opens), 110 is for region 14 only, 111 lacks an optimise-mode
// hint bit, 112 has no name anywhere.
const Rows kSL7000{
    {"Plain Paper", 101, 3, 1, true},
    {"Coated Paper", 102, 36, 1, true},
    {"Premium Glossy Photo", 103, 39, 1, true},
    {"Proofing Paper", 104, 104, 2, true},
    {"Fine Art Velvet", 105, 52, 1, true},
    {"Canvas Cloth", 106, 45, 1, true},
    {"Custom Paper \u00e0 la carte", 107, 50, 3, true},
    {"Na\u00efve Board", 108, 5, 1, true},
    {"UnKnown Paper : 112", 112, 4, 1, true},
};

TEST_F(MediaList, ListsTheListableMediaInDatabaseOrder) {
    EXPECT_EQ(list(sl7000_.data(), kRegionEnglish, 0, 0, 9), kSL7000);
}

TEST_F(MediaList, RegionFourteenAlsoListsItsOwnMedia) {
    const Rows rows = list(sl7000_.data(), kRegionJapan, 0, 0, 10);
    std::vector<std::int32_t> ids;
    for (const auto& row : rows) ids.push_back(row.value1);
    EXPECT_EQ(ids, (std::vector<std::int32_t>{101, 102, 103, 104, 105, 106, 107, 108, 110, 112}));
    EXPECT_EQ(rows[8], (MenuRow{"Washi Paper", 110, 40, 1, true}));
}

TEST_F(MediaList, MarkedByHintAndOnlyEnabledRowsWhileEveryListableMediumCounts) {
    // In the fixture database 302 lacks the hint bit 0x04; 206 has no name in the database and
    // is named by the model-information bundle.
    const Rows all{{"Optimised Gloss", 301, 39, 1, true},
                   {"Plain Gloss", 302, 39, 1, true},
                   {"Manual Sheet", 303, 3, 1, true},
                   {"Semimatte Proof", 206, 5, 1, true}};
    EXPECT_EQ(list(fixture_.data(), kRegionEnglish, 0, 0, 4), all);
    Rows marked = all;
    marked[1].enabled = false;
    EXPECT_EQ(list(fixture_.data(), kRegionEnglish, 0, 1, 4), marked);
    EXPECT_EQ(list(fixture_.data(), kRegionEnglish, 1, 1, 4), (Rows{all[0], all[2], all[3]}));
    EXPECT_EQ(list(fixture_.data(), kRegionEnglish, 1, 0, 4), all);
}

TEST_F(MediaList, HiddenMediaAreSkippedEvenWhenTheDatabaseShowsThem) {
    // Loaded without the filter the framework shows 109 (hint 0x10); the list still skips it.
    const std::int32_t size =
        Load_mdb3GetMediaData((root_.frameworks() / "MDB_SL7000.mdb").c_str(), nullptr);
    ASSERT_GT(size, 0);
    std::vector<std::uint8_t> unfiltered(static_cast<std::size_t>(size));
    ASSERT_EQ(
        Load_mdb3GetMediaData((root_.frameworks() / "MDB_SL7000.mdb").c_str(), unfiltered.data()),
        size);
    ASSERT_EQ(Load_mdb3MediumCount(unfiltered.data()), 12);
    EXPECT_EQ(list(unfiltered.data(), kRegionEnglish, 0, 0, 9), kSL7000);
}

TEST_F(MediaList, NamesFollowTheBundlesMediaLocale) {
    testsupport::ScopedVariable french("LANGUAGE", "fr");
    const Rows rows = list(sl7000_.data(), kRegionEnglish, 0, 0, 9);
    ASSERT_EQ(rows.size(), 9u);
    EXPECT_EQ(rows[0].name, "Papier ordinaire");
    EXPECT_EQ(rows[6].name, "Papier personnalis\u00e9");
    EXPECT_EQ(rows[8].name, "UnKnown Paper : 112");
}

TEST_F(MediaList, WithoutDatabaseTheOneMediumNamedByTheModelInformation) {
    EXPECT_EQ(list(nullptr, kRegionEnglish, 0, 0, 1), (Rows{{"Plain Paper", 256, 3, 1, true}}));
    Menu menu;
    EXPECT_EQ(ConstructMediaList(sl7000_.data(), nullptr, kRegionEnglish, 0, 0, menu.get()), 0);
    EXPECT_EQ(ConstructMediaList(sl7000_.data(), strings_.get(), kRegionEnglish, 0, 0, nullptr), 0);
    EXPECT_TRUE(menu.rows().empty());
}

TEST(MediaListWithoutModelInformation, NamesFromTheDatabaseOrMadeUp) {
    foundationtest::NoModelAtlas none;
    testsupport::ScopedVariable language("LANGUAGE", "en");
    DriverRoot root;
    OpenDatabase fixture("MDB_FOUNDATION.mdb");
    const auto strings = foundationtest::pluginStrings();
    Menu menu;
    EXPECT_EQ(ConstructMediaList(fixture.data(), strings.get(), kRegionEnglish, 0, 0, menu.get()),
              4);
    EXPECT_EQ(menu.rows().back(), (MenuRow{"UnKnown Paper : 206", 206, 5, 1, true}));
    Menu none256;
    EXPECT_EQ(ConstructMediaList(nullptr, strings.get(), kRegionEnglish, 0, 0, none256.get()), 1);
    EXPECT_TRUE(none256.rows().empty());
}

class SupportedMedia : public MediaList {};

TEST_F(SupportedMedia, NamesAreComparedOnlyForNonStandardAndCustomQdxaIDs) {
    struct Case {
        std::uint8_t* db;
        std::int16_t medium;
        const char* name;
        std::uint8_t expected;
    };
    const Case cases[] = {
        // 107: QDXA id 50, standard but named by the user.
        {sl7000_.data(), 107, nullptr, 1},
        {sl7000_.data(), 107, "", 1},
        {sl7000_.data(), 107, "Custom Paper \u00e0 la carte", 1},
        {sl7000_.data(), 107, "Custom Paper", 0},
        // 108: QDXA id 5, not standard.
        {sl7000_.data(), 108, "Na\u00efve Board", 1},
        {sl7000_.data(), 108, "Naive Board", 0},
        {sl7000_.data(), 108, nullptr, 1},
        // 112 (QDXA id 4) and 101 (3) are standard: any name.
        {sl7000_.data(), 101, "Another Name", 1},
        {sl7000_.data(), 112, "Another Name", 1},
        // Region-14 media exist in every region; unknown and hidden media do not.
        {sl7000_.data(), 110, nullptr, 1},
        {sl7000_.data(), 109, nullptr, 0},
        {sl7000_.data(), 999, nullptr, 0},
        // 206: QDXA id 5, named by the model-information bundle.
        {fixture_.data(), 206, "Semimatte Proof", 1},
        {fixture_.data(), 206, "Something Else", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckSupportedMedia(c.db, "en", kRegionEnglish, c.medium, c.name), c.expected)
            << c.medium << " named " << (c.name == nullptr ? "(none)" : c.name);
    }
}

TEST_F(SupportedMedia, TheNameIsTheOneOfTheGivenLocale) {
    EXPECT_EQ(
        CheckSupportedMedia(sl7000_.data(), "fr", kRegionEnglish, 107, "Papier personnalis\u00e9"),
        1);
    EXPECT_EQ(CheckSupportedMedia(sl7000_.data(), "fr", kRegionEnglish, 107,
                                  "Custom Paper \u00e0 la carte"),
              0);
}

TEST_F(SupportedMedia, NothingIsSupportedWithoutTheFramework) {
    std::filesystem::remove(root_.frameworks() / "medab2.framework");
    EXPECT_EQ(CheckSupportedMedia(sl7000_.data(), "en", kRegionEnglish, 101, nullptr), 0);
    EXPECT_EQ(list(sl7000_.data(), kRegionEnglish, 0, 0, 0), Rows{});
}

}  // namespace
