// Questions on the print-mode tables of the stand-in's databases: default modes, methods of a
// mode, the quality menu, and the input resolutions and bit depths a medium supports.
#include "printmode/print_mode_query.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "foundation_test_support.h"
#include "helpers/pop_menu.h"
#include "loaders/media_db_loader.h"
#include "printmode/print_mode_menu.h"
#include "support/model_atlas_host.h"
#include "support/scoped_variable.h"

namespace {

using foundationtest::DriverRoot;
using foundationtest::Menu;
using foundationtest::MenuRow;
using foundationtest::OpenDatabase;
using Rows = std::vector<MenuRow>;

constexpr std::int32_t kOptimizeLevelOne = 7440;  // also shifts to a fast mode
constexpr std::int32_t kOptimizeLevelTwo = 5170;
constexpr std::int32_t kNoFastModeShift = 2400;
constexpr std::int16_t kUntouched = -7;

struct TableDeleter {
    void operator()(char** table) const { KMEM::k_DisposHandle(kPrintModeHandleKind, &table); }
};
using Table = std::unique_ptr<char*, TableDeleter>;

class PrintModeQuery : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(host_.ready());
        ASSERT_TRUE(sl7000_.opened());
        ASSERT_TRUE(fixture_.opened());
        ASSERT_NE(sl7000Table_, nullptr);
        ASSERT_NE(strings_, nullptr);
    }

    testsupport::ScopedVariable language_{"LANGUAGE", "en"};
    testsupport::ModelAtlasHost host_{ATLAS_SHIPPED_SHELL};
    DriverRoot root_;
    OpenDatabase sl7000_{"MDB_SL7000.mdb"};
    OpenDatabase fixture_{"MDB_FOUNDATION.mdb"};
    Table sl7000Table_{MakePrintModeTable(sl7000_.data(), kOptimizeLevelOne)};
    std::unique_ptr<cf::Bundle> strings_ = foundationtest::pluginStrings();
};

TEST_F(PrintModeQuery, DefaultIsTheFlaggedEntryElseTheFirstOfTheGroup) {
    struct Case {
        std::int16_t medium, resolutionCode, bitCode;
        bool found;
        std::array<std::int16_t, 4> expected;  // mode, method, resolution id, halftone
    };
    const Case cases[] = {
        {103, 1, 0, true, {2, 2, 1, 1}},  // no flagged entry in the group
        {103, 2, 0, true, {4, 4, 2, 1}},
        {103, 2, 2, true, {4, 4, 2, 1}},
        {102, 1, 0, true, {2, 1, 1, 1}},  // no flagged entry: the method-1 entry comes first
        {102, 1, 1, true, {4, 2, 1, 1}},  // the 16-bit entry of the coarser method 2
        {101, 1, 0, true, {1, 1, 1, 1}},
        {103, 1, 1, false, {kUntouched, kUntouched, kUntouched, kUntouched}},
        {999, 1, 0, false, {kUntouched, kUntouched, kUntouched, kUntouched}},
    };
    for (const auto& c : cases) {
        std::array<std::int16_t, 4> out{kUntouched, kUntouched, kUntouched, kUntouched};
        EXPECT_EQ(GetDefaultPrintMode(sl7000Table_.get(), c.medium, c.resolutionCode, c.bitCode,
                                      &out[0], &out[1], &out[2], &out[3]),
                  c.found);
        EXPECT_EQ(out, c.expected) << c.medium << "/" << c.resolutionCode << "/" << c.bitCode;
    }
}

TEST_F(PrintModeQuery, MethodOfAModeIsTheFirstEntryWithIt) {
    std::array<std::int16_t, 3> out{kUntouched, kUntouched, kUntouched};
    EXPECT_TRUE(GetPrintMethodResIDHT(sl7000_.data(), sl7000Table_.get(), 103, 2, 2, 16, &out[0],
                                      &out[1], &out[2]));
    EXPECT_EQ(out, (std::array<std::int16_t, 3>{4, 2, 1}));
    EXPECT_TRUE(GetPrintMethodResIDHT(sl7000_.data(), sl7000Table_.get(), 102, 1, 0, 4, &out[0],
                                      &out[1], &out[2]));
    EXPECT_EQ(out, (std::array<std::int16_t, 3>{2, 1, 1}));
    out = {kUntouched, kUntouched, kUntouched};
    EXPECT_FALSE(GetPrintMethodResIDHT(sl7000_.data(), sl7000Table_.get(), 102, 1, 0, 1, &out[0],
                                       &out[1], &out[2]));
    EXPECT_FALSE(
        GetPrintMethodResIDHT(sl7000_.data(), nullptr, 102, 1, 0, 4, &out[0], &out[1], &out[2]));
    EXPECT_EQ(out, (std::array<std::int16_t, 3>{kUntouched, kUntouched, kUntouched}));
}

Rows modeMenu(std::int32_t model, PrintModeTbl table, const cf::Bundle* strings,
              std::int16_t medium, std::int16_t resolutionCode, std::int16_t bitCode) {
    Menu menu;
    EXPECT_EQ(ConstructPrintModeList(nullptr, strings, model, medium, 0, resolutionCode, bitCode,
                                     table, menu.get()),
              PrintModeEntryCount(table));
    return menu.rows();
}

TEST_F(PrintModeQuery, ModeMenuListsEachModeOnceInAscendingOrder) {
    // The group (2, 2) of 103 holds the modes 4, 4, 16, 8, 8, 16 in this order; quality 16 has
    // no text in the strings and shows the default text.
    EXPECT_EQ(
        modeMenu(kOptimizeLevelOne, sl7000Table_.get(), strings_.get(), 103, 2, 2),
        (Rows{{"High", 4, 0, 0, true}, {"Highest", 8, 0, 0, true}, {"PrintMode", 16, 0, 0, true}}));
    // Quality 1 reads "Fast" on models that shift to a fast mode and "Draft" on the others.
    EXPECT_EQ(modeMenu(kOptimizeLevelOne, sl7000Table_.get(), strings_.get(), 101, 1, 0),
              (Rows{{"Fast", 1, 0, 0, true}}));
    EXPECT_EQ(modeMenu(kNoFastModeShift, sl7000Table_.get(), strings_.get(), 101, 1, 0),
              (Rows{{"Draft", 1, 0, 0, true}}));
    EXPECT_EQ(modeMenu(kOptimizeLevelOne, sl7000Table_.get(), strings_.get(), 102, 1, 0),
              (Rows{{"Standard", 2, 0, 0, true}, {"High", 4, 0, 0, true}}));
    // The 16-bit group of a coarser method lists its method's quality; groups without entries
    // list nothing.
    EXPECT_EQ(modeMenu(kOptimizeLevelOne, sl7000Table_.get(), strings_.get(), 102, 1, 1),
              (Rows{{"High", 4, 0, 0, true}}));
    EXPECT_TRUE(modeMenu(kOptimizeLevelOne, sl7000Table_.get(), strings_.get(), 999, 1, 0).empty());
    EXPECT_TRUE(modeMenu(kOptimizeLevelOne, nullptr, strings_.get(), 101, 1, 0).empty());
    EXPECT_EQ(modeMenu(kOptimizeLevelOne, sl7000Table_.get(), nullptr, 101, 1, 0),
              (Rows{{"PrintMode", 1, 0, 0, true}}));
}

// The inputs ("medium/resolution code/bit code") that a listed medium (one with entries in the
// model's table) supports but whose quality menu is empty.
std::vector<std::string> supportedInputsWithoutQuality(std::uint8_t* db, std::int32_t model) {
    constexpr std::int16_t kResolutionCodes[] = {1, 2};
    constexpr std::int16_t kBitCodes[] = {0, 1, 2};
    const Table table(MakePrintModeTable(db, model));
    std::set<std::int16_t> listed;
    for (std::int16_t i = 0; i < PrintModeEntryCount(table.get()); ++i) {
        listed.insert(PrintModeEntryAt(table.get(), i)->mediumID);
    }
    std::vector<std::string> missing;
    for (const std::int16_t medium : listed) {
        for (const std::int16_t resolutionCode : kResolutionCodes) {
            for (const std::int16_t bitCode : kBitCodes) {
                if (CheckSupportBit(db, model, medium, 0, resolutionCode, bitCode) == 1 &&
                    modeMenu(model, table.get(), nullptr, medium, resolutionCode, bitCode)
                        .empty()) {
                    missing.push_back(std::to_string(medium) + "/" +
                                      std::to_string(resolutionCode) + "/" +
                                      std::to_string(bitCode));
                }
            }
        }
    }
    return missing;
}

// What the dialog offers and what it prints agree: every input resolution and depth that a listed
// medium supports has a quality in its menu, on every model of every database.
TEST_F(PrintModeQuery, EverySupportedInputOfAListedMediumHasAQuality) {
    const OpenDatabase sl5000("MDB_SL5000.mdb");
    ASSERT_TRUE(sl5000.opened());
    for (std::uint8_t* db : {sl7000_.data(), sl5000.data(), fixture_.data()}) {
        for (const std::int32_t model : {kOptimizeLevelOne, kOptimizeLevelTwo, kNoFastModeShift}) {
            EXPECT_EQ(supportedInputsWithoutQuality(db, model), std::vector<std::string>{})
                << "model " << model;
        }
    }
}

TEST(PrintModeMenus, TablesDifferOnlyInTheTextOfQualityOne) {
    EXPECT_EQ(sizeof PRINTMODE_MENU, 120u);
    EXPECT_STREQ(Get_MenuKeyStr(1, PRINTMODE_MENU, sizeof PRINTMODE_MENU), "QUAL1_KEY");
    EXPECT_STREQ(Get_MenuKeyStr(1, PRINTMODE_DRAFT_MENU, sizeof PRINTMODE_DRAFT_MENU),
                 "QUAL1_DRAFT_KEY");
    const char* const keys[] = {"QUAL2_KEY", "QUAL3_KEY", "QUAL4_KEY", "QUAL5_KEY"};
    const std::int32_t modes[] = {2, 4, 8, 16};
    for (int i = 0; i < 4; ++i) {
        EXPECT_STREQ(Get_MenuKeyStr(modes[i], PRINTMODE_MENU, sizeof PRINTMODE_MENU), keys[i]);
        EXPECT_STREQ(Get_MenuKeyStr(modes[i], PRINTMODE_DRAFT_MENU, sizeof PRINTMODE_DRAFT_MENU),
                     keys[i]);
    }
}

TEST_F(PrintModeQuery, SupportedInputResolutions) {
    struct Case {
        std::int16_t medium, resolutionCode;
        std::uint8_t expected;
    };
    const Case cases[] = {
        {103, 1, 1}, {103, 2, 1}, {101, 1, 1}, {101, 2, 0}, {104, 1, 0}, {999, 1, 0}, {101, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckSupportResolution(sl7000_.data(), c.medium, 0, c.resolutionCode), c.expected)
            << c.medium << "/" << c.resolutionCode;
    }
    EXPECT_EQ(CheckSupportResolution(nullptr, 101, 0, 1), 0);
}

TEST_F(PrintModeQuery, SupportedInputBitsCountOptimisedRecordsOnOptimiseLevelOne) {
    struct Case {
        std::uint8_t* db;
        std::int32_t model;
        std::int16_t medium, resolutionCode, bitCode;
        std::uint8_t expected;
    };
    const Case cases[] = {
        {sl7000_.data(), kOptimizeLevelOne, 102, 1, 0, 1},
        {sl7000_.data(), kOptimizeLevelOne, 102, 1, 1, 1},
        {sl7000_.data(), kOptimizeLevelOne, 102, 1, 2, 0},
        {sl7000_.data(), kOptimizeLevelOne, 102, 2, 1, 0},
        {sl7000_.data(), kOptimizeLevelOne, 103, 2, 2, 1},
        {sl7000_.data(), kOptimizeLevelOne, 103, 2, 1, 0},  // its optimised record is (2, 2) too
        // 301 reads 16-bit input only in its optimised record; 302 has no hint offering it.
        {fixture_.data(), kOptimizeLevelOne, 301, 2, 1, 1},
        {fixture_.data(), kOptimizeLevelTwo, 301, 2, 1, 0},
        {fixture_.data(), kOptimizeLevelOne, 301, 2, 0, 1},
        {fixture_.data(), kOptimizeLevelOne, 302, 2, 1, 0},
        {fixture_.data(), kOptimizeLevelOne, 999, 2, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckSupportBit(c.db, c.model, c.medium, 0, c.resolutionCode, c.bitCode),
                  c.expected)
            << c.model << ": " << c.medium << "/" << c.resolutionCode << "/" << c.bitCode;
    }
    // Every optimised read is undone: the plain records are read again afterwards.
    for (const auto& [db, medium] : {std::pair{sl7000_.data(), std::int16_t{103}},
                                     std::pair{fixture_.data(), std::int16_t{301}}}) {
        DEF_RESOLUTION record{};
        ASSERT_EQ(Load_mdb3SupportedResoParam(db, medium, 4, 2, &record), 1);
        EXPECT_EQ(record.words[2], 1440) << medium;
    }
    EXPECT_EQ(CheckSupportBit(nullptr, kOptimizeLevelOne, 101, 0, 1, 0), 0);
}

}  // namespace
