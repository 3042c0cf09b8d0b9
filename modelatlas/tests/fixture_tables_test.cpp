// The bundle's reading rules on broken and unusual tables: two models sharing one folder, a row
// without an id, a missing, a malformed and a non-array table, a paper-source order longer than
// the record.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "helpers/kmenu.h"
#include "loaders/model_atlas_loader.h"
#include "support/model_atlas_host.h"

namespace {

constexpr std::int32_t kTwin = 11;
constexpr std::int32_t kSecondTwin = 12;
constexpr std::int32_t kMissingFiles = 13;
constexpr std::int32_t kBehindGap = 15;
constexpr std::int32_t kUntouched = -7;

std::int32_t rollMax(std::int32_t id) {
    std::int32_t l[13];
    std::fill(std::begin(l), std::end(l), kUntouched);
    if (Load_GetPrinterSupportPaperSize(id, &l[0], &l[1], &l[2], &l[3], &l[4], &l[5], &l[6], &l[7],
                                        &l[8], &l[9], &l[10], &l[11], &l[12]) != 1)
        return kUntouched;
    return l[1];
}

class FixtureBundle : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(host_.ready()); }
    testsupport::ModelAtlasHost host_{ATLAS_FIXTURE_SHELL};
};

TEST_F(FixtureBundle, ModelsSharingAFolderAnswerFromTheirOwnRows) {
    std::int32_t id = 0;
    EXPECT_EQ(Load_GetEPrinterTypeID("FX-Twin", &id), 0);
    EXPECT_EQ(id, kTwin);  // the first row with the name
    EXPECT_EQ(rollMax(kTwin), 1000);
    EXPECT_EQ(rollMax(kSecondTwin), 2000);
    EXPECT_EQ(Load_GetDafaultRollWithQDXAID(kTwin), 106);
    EXPECT_EQ(Load_GetDafaultRollWithQDXAID(kSecondTwin), 123);
    EXPECT_EQ(Load_FullBleedSupportChk(kTwin, 103), 1);
    EXPECT_EQ(Load_FullBleedSupportChk(kSecondTwin, 123), 0);  // its row has no list

    cf::Value* cassette = reinterpret_cast<cf::Value*>(1);
    EXPECT_EQ(Load_GetCasetteSupportPaperIDArray(kTwin, &cassette), 1);  // row found, no list
    EXPECT_EQ(cassette, nullptr);
    EXPECT_EQ(Load_GetCasetteSupportPaperIDArray(kSecondTwin, &cassette), 1);
    std::unique_ptr<cf::Value> own(cassette);
    ASSERT_NE(cassette, nullptr);
    EXPECT_EQ(cassette->array()->size(), 1u);
}

TEST_F(FixtureBundle, RowWithoutIdHidesTheModelsAfterIt) {
    EXPECT_EQ(rollMax(kBehindGap), kUntouched);
    cf::Value* array = reinterpret_cast<cf::Value*>(1);
    EXPECT_EQ(Load_GetPrinterFunctionInfoArray(kBehindGap, &array), 0);
    EXPECT_EQ(array, nullptr);
    // The name look-up walks names, not ids, and still finds the row.
    std::int32_t id = 0;
    EXPECT_EQ(Load_GetEPrinterTypeID("FX-Hidden", &id), 0);
    EXPECT_EQ(id, kBehindGap);
    // The gap row itself has a name but no id: the id reads 0 and the answer is not 0.
    EXPECT_NE(Load_GetEPrinterTypeID("FX-Gap", &id), 0);
    EXPECT_EQ(id, 0);
}

TEST_F(FixtureBundle, MissingMalformedAndNonArrayTablesFailAlone) {
    EXPECT_EQ(rollMax(kMissingFiles), 1300);  // its size table answers
    cf::Value* array = reinterpret_cast<cf::Value*>(1);
    EXPECT_EQ(Load_GetSupportRollWidthIDArray(kMissingFiles, &array), 0);  // file absent
    EXPECT_EQ(array, nullptr);
    EXPECT_EQ(Load_GetDafaultRollWithQDXAID(kMissingFiles), 0);
    EXPECT_EQ(Load_RollWidthSupportChk(kMissingFiles, 103), 0);
    EXPECT_EQ(Load_GetPrintCommonArray(kMissingFiles, &array), -1);  // not well-formed
    EXPECT_EQ(array, nullptr);
    EXPECT_EQ(Load_GetUIDefaultTableArray(kMissingFiles, &array), -1);  // root is no array
    EXPECT_EQ(array, nullptr);
    EXPECT_EQ(Load_GetSupportPaperIDArray(kMissingFiles, &array), 0);  // not named in its row
    EXPECT_EQ(array, nullptr);

    char* name = Load_GetRollPaperSizeName(103);  // root is no array
    EXPECT_EQ(name, nullptr);
    name = Load_GetPaperSizeName(2);  // not well-formed
    EXPECT_EQ(name, nullptr);
    std::int32_t width = kUntouched, height = kUntouched;
    EXPECT_EQ(Load_GetPaperSizeInfo(2, &width, &height), 0);  // no such table
    EXPECT_EQ(width, kUntouched);
    EXPECT_EQ(Load_get_MediumName_FromMediumID(101), nullptr);
}

TEST_F(FixtureBundle, PaperSourceOrder) {
    // The order type comes from the first function-table row with the model's id, past rows
    // without one; its 12 codes fill the record's 10 slots and no more.
    struct Guarded {
        PaperSourceNumRec record{};
        std::int16_t after = kUntouched;
    } guarded;
    Load_GetPaperSourceNumber(kMissingFiles, &guarded.record);
    EXPECT_EQ(guarded.record.count, 10u);
    EXPECT_EQ(guarded.record.codes[9], 8192);
    EXPECT_EQ(guarded.after, kUntouched);

    // An order type without a row leaves the record as it was.
    PaperSourceNumRec record{3, {16, 128, 512}};
    Load_GetPaperSourceNumber(kTwin, &record);
    EXPECT_EQ(record.count, 3u);
    EXPECT_EQ(record.codes[2], 512);
}

TEST_F(FixtureBundle, PrinterListSkipsIncompleteRowsAndReportsTheLastRow) {
    MenuDataArray menu = nullptr;
    ASSERT_EQ(KMenu::NewMenuData(&menu), 0);
    // The last row lacks its default table: it is left out and makes the result -50.
    EXPECT_EQ(Load_GetSupportPrinterList(menu), -50);
    std::vector<std::int32_t> ids;
    for (std::int32_t index = 1; index <= static_cast<std::int32_t>(menu->array()->size());
         ++index) {
        const char* strings[8] = {};
        std::int32_t id = kUntouched;
        KMenu::GetMenuData3(menu, strings, &id, nullptr, index);
        ids.push_back(id);
    }
    EXPECT_EQ(ids, (std::vector<std::int32_t>{kTwin, kSecondTwin, kMissingFiles, 0}));
    KMenu::DisposeMenuData(&menu);
}

}  // namespace
