// Medium names: from the media database in the language of the bundle's locale text, else from
// the bundle's name tables.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "loaders/model_atlas_loader.h"
#include "mediadb/media_db.h"
#include "support/model_atlas_host.h"
#include "support/scoped_variable.h"

namespace {

constexpr std::int32_t kWesternRegion = 0;
constexpr std::int16_t kGlossyQdxaID = 39;  // medium 103 of MDB_SL7000.mdb
constexpr std::int16_t kGlossyMedium = 103;
constexpr std::int16_t kNamelessMedium = 112;  // no name in the database, none in the bundle
constexpr std::int16_t kNamelessQdxaID = 4;

std::string taken(char* text) {
    const std::string copy = text == nullptr ? "(none)" : text;
    std::free(text);
    return copy;
}

class MediumNames : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(host_.ready());
        ASSERT_TRUE(OpenMediaDB("MDB_SL7000.mdb", &db_));
    }
    void TearDown() override { CloseMediaDB(&db_); }

    std::string byQdxaID(std::int16_t kind, std::int16_t qdxaID2, std::uint8_t* db) {
        char* name = nullptr;
        EXPECT_EQ(Load_get_MediumName(db, kWesternRegion, kind, qdxaID2, &name), 0);
        return taken(name);
    }

    testsupport::ScopedVariable root_{"STRATOLINE_ROOT", MEDAB2_ROOT};
    testsupport::ModelAtlasHost host_{ATLAS_SHIPPED_SHELL};
    std::uint8_t* db_ = nullptr;
};

TEST_F(MediumNames, DatabaseNameInTheLocaleOfTheUsersLanguage) {
    struct Case {
        const char* language;
        const char* name;
    };
    const Case cases[] = {{"fr_FR.UTF-8", "Photo glacé premium"},
                          {"de", "Fotopapier glänzend"},
                          {"it", "Premium Glossy Photo"}};  // no Italian table: English
    for (const auto& c : cases) {
        testsupport::ScopedVariable language("LANGUAGE", c.language);
        EXPECT_EQ(byQdxaID(0, kGlossyQdxaID, db_), c.name) << c.language;
        EXPECT_EQ(taken(Load_get_MediumName_FromMediumID2(db_, kWesternRegion, kGlossyMedium)),
                  c.name)
            << c.language;
    }
}

TEST_F(MediumNames, BundleTablesAnswerWhatTheDatabaseCannot) {
    testsupport::ScopedVariable language("LANGUAGE", "en");
    // The first-id table answers kinds 1 and -2, with or without a database.
    EXPECT_EQ(byQdxaID(-2, kGlossyQdxaID, nullptr), "Unknown Medium");
    EXPECT_EQ(byQdxaID(1, kGlossyQdxaID, db_), "Printer Setting");
    // A medium without a database name is named by its second QDXA id.
    EXPECT_EQ(byQdxaID(0, kNamelessQdxaID, db_), "Tracing Paper");
    EXPECT_EQ(byQdxaID(0, 999, db_), "(none)");

    EXPECT_EQ(taken(Load_get_MediumName_FromMediumID2(nullptr, kWesternRegion, kGlossyMedium)),
              "Premium Glossy Photo");
    EXPECT_EQ(taken(Load_get_MediumName_FromMediumID(256)), "Plain Paper");
    EXPECT_EQ(taken(Load_get_MediumName_FromMediumID(205)), "Matte Coated");
    // The one medium named nowhere.
    EXPECT_EQ(taken(Load_get_MediumName_FromMediumID2(db_, kWesternRegion, kNamelessMedium)),
              "(none)");
    EXPECT_EQ(taken(Load_get_MediumName_FromMediumID(kNamelessMedium)), "(none)");
}

TEST_F(MediumNames, ParameterErrors) {
    EXPECT_EQ(Load_get_MediumName(db_, kWesternRegion, 0, kGlossyQdxaID, nullptr), -50);
    char* name = nullptr;
    EXPECT_EQ(Load_get_MediumName(nullptr, kWesternRegion, 0, kGlossyQdxaID, &name), -50);
    EXPECT_EQ(name, nullptr);
}

}  // namespace
