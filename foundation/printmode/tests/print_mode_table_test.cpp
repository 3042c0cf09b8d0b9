// The print-mode table of every medium of the stand-in's databases, checked entry by entry for
// models with and without optimise level 1 and for regions with and without the region-14 media.
#include "printmode/print_mode_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "foundation_test_support.h"
#include "loaders/media_db_loader.h"
#include "print_mode_expected.h"
#include "support/model_atlas_host.h"
#include "support/scoped_variable.h"

namespace {

using foundationtest::DriverRoot;
using foundationtest::OpenDatabase;
using namespace printmodetest;

constexpr std::int32_t kOptimizeLevelOne = 7440;
constexpr std::int32_t kOptimizeLevelTwo = 5170;
constexpr std::int32_t kOptimizeLevelZero = 2400;

struct TableDeleter {
    void operator()(char** table) const { KMEM::k_DisposHandle(kPrintModeHandleKind, &table); }
};
using Table = std::unique_ptr<char*, TableDeleter>;

Entries entriesOf(PrintModeTbl table) {
    Entries entries;
    for (std::int16_t i = 0; i < PrintModeEntryCount(table); ++i)
        entries.push_back(*PrintModeEntryAt(table, i));
    return entries;
}

struct TableCase {
    const char* name;
    const char* database;
    std::int32_t model;
    const char* language;
    Entries expected;
};

void PrintTo(const TableCase& c, std::ostream* out) {
    *out << c.name;
}

class PrintModeTable : public ::testing::TestWithParam<TableCase> {
  protected:
    void SetUp() override { ASSERT_TRUE(host_.ready()); }
    testsupport::ModelAtlasHost host_{ATLAS_SHIPPED_SHELL};
    DriverRoot root_;
};

TEST_P(PrintModeTable, EntriesOfEveryMediumInDatabaseOrder) {
    const TableCase& c = GetParam();
    testsupport::ScopedVariable language("LANGUAGE", c.language);
    OpenDatabase db(c.database);
    ASSERT_TRUE(db.opened());
    const Table table(MakePrintModeTable(db.data(), c.model));
    ASSERT_NE(table, nullptr);
    std::int16_t count = -1;
    std::memcpy(&count, *table, sizeof count);
    EXPECT_EQ(count, static_cast<std::int16_t>(c.expected.size())) << "word 0";
    EXPECT_EQ(entriesOf(table.get()), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    StandInDatabases, PrintModeTable,
    ::testing::Values(
        TableCase{"SL7000_OptimizeLevelOne", "MDB_SL7000.mdb", kOptimizeLevelOne, "en",
                  join({&k101, &k102, &k103Plain, &k103Optimized, &k104, &k105, &k106, &k107, &k108,
                        &k112})},
        TableCase{"SL7000_OptimizeLevelZero", "MDB_SL7000.mdb", kOptimizeLevelZero, "en",
                  join({&k101, &k102, &k103Plain, &k104, &k105, &k106, &k107, &k108, &k112})},
        TableCase{
            "SL7000_RegionFourteen", "MDB_SL7000.mdb", kOptimizeLevelZero, "ja",
            join({&k101, &k102, &k103Plain, &k104, &k105, &k106, &k107, &k108, &k110, &k112})},
        TableCase{"SL5000_OptimizeLevelOne", "MDB_SL5000.mdb", kOptimizeLevelOne, "en",
                  join({&k201, &k202, &k203, &k204, &k205, &k206Plain, &k206Optimized})},
        TableCase{"SL5000_OptimizeLevelTwo", "MDB_SL5000.mdb", kOptimizeLevelTwo, "en",
                  join({&k201, &k202, &k203, &k204, &k205, &k206Plain})},
        TableCase{"SL5000_RegionFourteen", "MDB_SL5000.mdb", kOptimizeLevelTwo, "ja",
                  join({&k201, &k202, &k203, &k204, &k205, &k206Plain, &k207})},
        TableCase{"Fixture_OptimizeLevelOne", "MDB_FOUNDATION.mdb", kOptimizeLevelOne, "en",
                  join({&k301Plain, &k301Optimized, &k302, &k303, &k206Fixture})},
        TableCase{"Fixture_OptimizeLevelTwo", "MDB_FOUNDATION.mdb", kOptimizeLevelTwo, "en",
                  join({&k301Plain, &k302, &k303, &k206Fixture})}),
    [](const ::testing::TestParamInfo<TableCase>& info) { return std::string(info.param.name); });

TEST_F(PrintModeTable, OptimisedRecordsAreReadOnlyWhileTheTableIsMade) {
    OpenDatabase db("MDB_SL7000.mdb");
    const Table table(MakePrintModeTable(db.data(), kOptimizeLevelOne));
    ASSERT_NE(table, nullptr);
    DEF_RESOLUTION record{};
    ASSERT_EQ(Load_mdb3SupportedResoParam(db.data(), 103, 4, 2, &record), 1);
    EXPECT_EQ(record.words[2], 1440) << "the medium's filter is set back";
}

TEST(PrintModeTableWithoutDatabase, IsEmpty) {
    DriverRoot root;
    const Table none(MakePrintModeTable(nullptr, kOptimizeLevelOne));
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(PrintModeEntryCount(none.get()), 0);
    EXPECT_FALSE(PrintModeEntryAt(none.get(), 0));

    OpenDatabase db("MDB_SL7000.mdb");
    std::filesystem::remove(root.frameworks() / "medab2.framework");
    const Table withoutFramework(MakePrintModeTable(db.data(), kOptimizeLevelOne));
    ASSERT_NE(withoutFramework, nullptr);
    EXPECT_EQ(PrintModeEntryCount(withoutFramework.get()), 0);
    EXPECT_EQ(PrintModeEntryCount(nullptr), 0);
}

}  // namespace
