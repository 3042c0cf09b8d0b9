#include "loaders/media_db_loader.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/scoped_variable.h"
#include "support/temporary_folder.h"

namespace {

using testsupport::ScopedVariable;

const std::string kDatabase = std::string(MEDAB2_ROOT) + "/Orvane/TARN/Frameworks/MDB_SL7000.mdb";

std::vector<std::uint8_t> loadDatabase() {
    std::vector<std::uint8_t> image(
        static_cast<std::size_t>(std::max(0, Load_mdb3GetMediaData(kDatabase.c_str(), nullptr))));
    if (!image.empty()) {
        Load_mdb3GetMediaData(kDatabase.c_str(), image.data());
    }
    return image;
}

TEST(MediaDatabaseLoader, CallsTheFrameworkAtTheDriverRoot) {
    ScopedVariable root("STRATOLINE_ROOT", MEDAB2_ROOT);
    auto image = loadDatabase();
    ASSERT_FALSE(image.empty());
    EXPECT_EQ(Load_mdb3MediumCount(image.data()), 12);
    std::int16_t id = 0;
    EXPECT_EQ(Load_mdb3MediumID(image.data(), 2, &id), 1);
    EXPECT_EQ(id, 102);
    DEF_QDXAID qdxa{};
    EXPECT_EQ(Load_mdb3QdxaID(image.data(), id, &qdxa), 1);
    EXPECT_EQ(qdxa.qdxaID1, 36);
}

TEST(MediaDatabaseLoader, FrameworkAbsentGivesZeroClearedOutputsAndNoOutput) {
    ScopedVariable root("STRATOLINE_ROOT", MEDAB2_ROOT);
    auto image = loadDatabase();
    ASSERT_FALSE(image.empty());
    testsupport::TemporaryFolder empty;
    ScopedVariable absent("STRATOLINE_ROOT", empty.path().c_str());
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(Load_mdb3MediumCount(image.data()), 0);
    std::int16_t id = 77;
    std::uint32_t hint = 77;
    DEF_RESOLUTION record{{9, 9, 9, 9, 9}};
    char name[kMdbNameBytes] = "stale";
    EXPECT_EQ(Load_mdb3MediumID(image.data(), 1, &id), 0);
    EXPECT_EQ(Load_mdb3MediumHint(image.data(), 101, &hint), 0);
    EXPECT_EQ(Load_mdb3SupportedResoParam(image.data(), 101, 1, 1, &record), 0);
    EXPECT_EQ(Load_mdb3MediumString(image.data(), 101, "en", name), 0);
    EXPECT_EQ(Load_mdb3GetMediaData(kDatabase.c_str(), nullptr), 0);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(id, 0);
    EXPECT_EQ(hint, 0u);
    EXPECT_EQ(record.words[0] | record.words[4], 0);
    EXPECT_STREQ(name, "");
}

TEST(MediaDatabaseLoader, MissingExportGivesZeroWhileTheOthersAnswer) {
    ScopedVariable root("STRATOLINE_ROOT", MEDAB2_LACKING_ROOT);
    auto image = loadDatabase();
    ASSERT_FALSE(image.empty());
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(Load_mdb3MediumCount(image.data()), 0);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    std::int16_t id = 0;
    EXPECT_EQ(Load_mdb3MediumID(image.data(), 1, &id), 1);
    EXPECT_EQ(id, 101);
}

}  // namespace
