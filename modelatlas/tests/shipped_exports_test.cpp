// Every export of the shipped bundle, through the plug-in's loaders, for each shipped model and
// for a model the bundle does not serve.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "helpers/kmenu.h"
#include "loaders/model_atlas_loader.h"
#include "support/model_atlas_host.h"

namespace {

constexpr std::int32_t kUnknownModel = 4711;
constexpr std::int32_t kUntouched = -7;

struct Model {
    const char* label;
    std::int32_t id;
    const char* name;
    std::vector<std::int32_t> limits;   // the 13 size limits, in the order of the export
    std::vector<std::int32_t> margins;  // type, four margins, four manual-feed margins
    std::vector<std::int32_t> papers;
    std::vector<std::int32_t> cassettePapers;  // empty: the row has no cassette list
    std::vector<std::int32_t> rolls;
    std::int32_t defaultRoll;
    std::vector<std::int32_t> borderless;
    std::vector<std::int16_t> sources;
    std::int32_t mediumFromDefaults;
    std::int32_t printerSizeFromCommon;
    std::int32_t marginKindFromCommon;
};

const Model kModels[] = {
    {"LargeFormat",
     7440,
     "SL-7440",
     {1800000, 1800000, 20320, 111760, 20320, 160000, 20320, 111760, 20320, 0, 0, 0, 0},
     {3, 50, 50, 50, 50, 50, 50, 230, 50},
     {30, 31, 32, 1, 2, 6, 13, 12, 11, 71, 101, 123, 122, 127, 135},
     {},
     {122, 103, 106, 107, 110, 118, 119},
     119,
     {103, 106, 110, 119},
     {512, 128, 8192},
     103,
     1,
     3},
    {"Legacy",
     2400,
     "SL-2400",
     {1800000, 1800000, 20320, 61000, 20320, 160000, 27900, 61000, 20320, 0, 0, 0, 0},
     {2, 200, 50, 230, 50, 200, 50, 230, 50},
     {31, 32, 1, 2, 6, 13, 12, 11, 71, 101, 123, 122, 127, 135},
     {},
     {106, 103, 123},
     106,  // no default in the table: the first listed width
     {106},
     {512, 128},
     101,
     1,
     2},
    {"MediumFormat",
     5170,
     "SL-5170",
     {1800000, 1800000, 20320, 43200, 20320, 160000, 27900, 43200, 20320, 59400, 25400, 43200,
      20320},
     {4, 30, 30, 30, 30, 30, 30, 230, 30},
     {32, 1, 2, 6, 13, 12, 11, 71, 101, 123, 122, 127, 135},
     {2, 1, 6, 13, 12, 11, 71, 101, 123},
     {103, 122, 123, 101},
     103,
     {103, 123},
     {2, 1, 512, 16, 128, 8192},
     204,
     1,
     4},
};

std::vector<std::int32_t> numbers(const cf::Value* array) {
    std::vector<std::int32_t> out;
    if (array != nullptr && array->array() != nullptr) {
        for (const auto& element : *array->array())
            out.push_back(static_cast<std::int32_t>(element.integer().value_or(-1)));
    }
    return out;
}

std::int32_t firstRowInteger(const cf::Value* table, const char* key) {
    if (table == nullptr || table->array() == nullptr || table->array()->empty())
        return kUntouched;
    const cf::Value* value = table->array()->front().find(key);
    return value == nullptr ? kUntouched : static_cast<std::int32_t>(value->integer().value_or(-1));
}

std::string taken(char* text) {
    const std::string copy = text == nullptr ? "(none)" : text;
    std::free(text);
    return copy;
}

class ShippedBundle : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(host_.ready()); }
    testsupport::ModelAtlasHost host_{ATLAS_SHIPPED_SHELL};
};

class ShippedModel : public ShippedBundle, public ::testing::WithParamInterface<Model> {};

TEST_P(ShippedModel, SizeLimitsMarginsAndPaperLists) {
    const Model& m = GetParam();
    std::vector<std::int32_t> l(13, kUntouched);
    EXPECT_EQ(Load_GetPrinterSupportPaperSize(m.id, &l[0], &l[1], &l[2], &l[3], &l[4], &l[5], &l[6],
                                              &l[7], &l[8], &l[9], &l[10], &l[11], &l[12]),
              1);
    EXPECT_EQ(l, m.limits);
    std::vector<std::int32_t> g(9, kUntouched);
    EXPECT_EQ(Load_GetPrinterSupportMarginSize(m.id, &g[0], &g[1], &g[2], &g[3], &g[4], &g[5],
                                               &g[6], &g[7], &g[8]),
              1);
    EXPECT_EQ(g, m.margins);

    cf::Value* papers = nullptr;
    EXPECT_EQ(Load_GetSupportPaperIDArray(m.id, &papers), 1);
    std::unique_ptr<cf::Value> ownPapers(papers);
    EXPECT_EQ(numbers(papers), m.papers);
    cf::Value* cassette = nullptr;
    EXPECT_EQ(Load_GetCasetteSupportPaperIDArray(m.id, &cassette), 1);
    std::unique_ptr<cf::Value> ownCassette(cassette);
    EXPECT_EQ(cassette == nullptr, m.cassettePapers.empty());
    EXPECT_EQ(numbers(cassette), m.cassettePapers);

    // Every paper the model offers has a name and a size.
    for (const std::int32_t id : m.papers) {
        std::int32_t width = 0, height = 0;
        EXPECT_EQ(Load_GetPaperSizeInfo(id, &width, &height), 1) << id;
        EXPECT_GT(width, 0);
        EXPECT_GE(height, width) << id;
        EXPECT_NE(taken(Load_GetPaperSizeName(id)), "(none)") << id;
    }
}

TEST_P(ShippedModel, RollWidthsDefaultAndBorderless) {
    const Model& m = GetParam();
    cf::Value* rolls = nullptr;
    EXPECT_EQ(Load_GetSupportRollWidthIDArray(m.id, &rolls), 1);
    std::unique_ptr<cf::Value> ownRolls(rolls);
    EXPECT_EQ(numbers(rolls), m.rolls);
    EXPECT_EQ(Load_GetDafaultRollWithQDXAID(m.id), m.defaultRoll);
    for (const std::int32_t id : m.rolls) {
        EXPECT_EQ(Load_RollWidthSupportChk(m.id, id), 1) << id;
        const bool borderless =
            std::find(m.borderless.begin(), m.borderless.end(), id) != m.borderless.end();
        EXPECT_EQ(Load_FullBleedSupportChk(m.id, id), borderless ? 1 : 0) << id;
        EXPECT_NE(taken(Load_GetRollPaperSizeName(id)), "(none)") << id;
        std::int32_t width = 0, length = 0;
        EXPECT_EQ(Load_GetPaperSizeInfo(id, &width, &length), 1) << id;
    }
    EXPECT_EQ(Load_RollWidthSupportChk(m.id, 2), 0);  // a paper size, not a roll width
    EXPECT_EQ(Load_FullBleedSupportChk(m.id, 2), 0);
}

TEST_P(ShippedModel, IdSourcesAndWholeTables) {
    const Model& m = GetParam();
    std::int32_t id = kUntouched;
    EXPECT_EQ(Load_GetEPrinterTypeID(m.name, &id), 0);
    EXPECT_EQ(id, m.id);

    PaperSourceNumRec record{};
    Load_GetPaperSourceNumber(m.id, &record);
    EXPECT_EQ(std::vector<std::int16_t>(record.codes, record.codes + record.count), m.sources);

    cf::Value* function = nullptr;
    EXPECT_EQ(Load_GetPrinterFunctionInfoArray(m.id, &function), 0);
    std::unique_ptr<cf::Value> ownFunction(function);
    EXPECT_EQ(firstRowInteger(function, "EPrinterTypeID"), m.id);

    cf::Value* defaults = nullptr;
    EXPECT_EQ(Load_GetUIDefaultTableArray(m.id, &defaults), 0);
    std::unique_ptr<cf::Value> ownDefaults(defaults);
    EXPECT_EQ(firstRowInteger(defaults, "MediaType"), m.mediumFromDefaults);
    EXPECT_EQ(firstRowInteger(defaults, "RollPaperWidth"), m.defaultRoll);

    cf::Value* common = nullptr;
    EXPECT_EQ(Load_GetPrintCommonArray(m.id, &common), 0);
    std::unique_ptr<cf::Value> ownCommon(common);
    EXPECT_EQ(firstRowInteger(common, "PrinterSize"), m.printerSizeFromCommon);
    EXPECT_EQ(firstRowInteger(common, "MarginSize"), m.marginKindFromCommon);
}

INSTANTIATE_TEST_SUITE_P(Models, ShippedModel, ::testing::ValuesIn(kModels),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(ShippedBundle, UnknownModelGetsEveryFailureValue) {
    std::vector<std::int32_t> l(13, kUntouched);
    EXPECT_EQ(
        Load_GetPrinterSupportPaperSize(kUnknownModel, &l[0], &l[1], &l[2], &l[3], &l[4], &l[5],
                                        &l[6], &l[7], &l[8], &l[9], &l[10], &l[11], &l[12]),
        0);
    EXPECT_EQ(l, std::vector<std::int32_t>(13, kUntouched));
    std::int32_t t = kUntouched;
    EXPECT_EQ(Load_GetPrinterSupportMarginSize(kUnknownModel, &t, &t, &t, &t, &t, &t, &t, &t, &t),
              0);
    EXPECT_EQ(t, kUntouched);

    // Arrays are cleared: the status 0 of an unknown model never passes for a table.
    for (auto* wholeTable : {&Load_GetPrinterFunctionInfoArray, &Load_GetUIDefaultTableArray,
                             &Load_GetPrintCommonArray}) {
        cf::Value* array = reinterpret_cast<cf::Value*>(1);
        EXPECT_EQ(wholeTable(kUnknownModel, &array), 0);
        EXPECT_EQ(array, nullptr);
    }
    for (auto* list : {&Load_GetSupportPaperIDArray, &Load_GetCasetteSupportPaperIDArray,
                       &Load_GetSupportRollWidthIDArray}) {
        cf::Value* array = reinterpret_cast<cf::Value*>(1);
        EXPECT_EQ(list(kUnknownModel, &array), 0);
        EXPECT_EQ(array, nullptr);
    }
    EXPECT_EQ(Load_FullBleedSupportChk(kUnknownModel, 106), 0);
    EXPECT_EQ(Load_RollWidthSupportChk(kUnknownModel, 106), 0);
    EXPECT_EQ(Load_GetDafaultRollWithQDXAID(kUnknownModel), 0);

    // The paper sources of an unknown model are those of order type 0.
    PaperSourceNumRec record{};
    Load_GetPaperSourceNumber(kUnknownModel, &record);
    EXPECT_EQ(std::vector<std::int16_t>(record.codes, record.codes + record.count),
              (std::vector<std::int16_t>{512, 128}));
}

TEST_F(ShippedBundle, PrinterIdByName) {
    std::int32_t id = kUntouched;
    EXPECT_EQ(Load_GetEPrinterTypeID("SL-7440", nullptr), -50);
    EXPECT_EQ(Load_GetEPrinterTypeID(nullptr, &id), -50);
    EXPECT_NE(Load_GetEPrinterTypeID("SL-9999", &id), 0);
    EXPECT_EQ(id, 0);
    EXPECT_NE(Load_GetEPrinterTypeID("sl-7440", &id), 0);  // names compare exactly
    EXPECT_EQ(id, 0);
}

TEST_F(ShippedBundle, SupportedPrinterList) {
    MenuDataArray menu = nullptr;
    ASSERT_EQ(KMenu::NewMenuData(&menu), 0);
    EXPECT_EQ(Load_GetSupportPrinterList(menu), 0);
    ASSERT_EQ(menu->array()->size(), std::size(kModels));
    for (std::size_t i = 0; i < std::size(kModels); ++i) {
        const char* strings[8] = {};
        std::int32_t id = 0;
        bool enabled = false;
        ASSERT_EQ(
            KMenu::GetMenuData3(menu, strings, &id, &enabled, static_cast<std::int32_t>(i + 1)), 0);
        EXPECT_STREQ(strings[0], kModels[i].name);
        EXPECT_EQ(id, kModels[i].id);
        EXPECT_TRUE(enabled);
        for (const char* name : strings) EXPECT_NE(name, nullptr);
    }
    KMenu::DisposeMenuData(&menu);
    EXPECT_EQ(Load_GetSupportPrinterList(nullptr), -50);
}

TEST_F(ShippedBundle, PaperAndRollNamesAndSizes) {
    std::int32_t width = kUntouched, height = kUntouched;
    EXPECT_EQ(Load_GetPaperSizeInfo(2, &width, &height), 1);
    EXPECT_EQ(width, 2100);
    EXPECT_EQ(height, 2970);
    EXPECT_EQ(taken(Load_GetPaperSizeName(2)), "A4");
    EXPECT_EQ(taken(Load_GetPaperSizeName(11)), "Tabloid");
    EXPECT_EQ(Load_GetPaperSizeInfo(119, &width, &height), 1);  // a roll width has a size too
    EXPECT_EQ(width, 11176);
    EXPECT_EQ(taken(Load_GetRollPaperSizeName(119)), "44 in (1118 mm)");

    width = height = kUntouched;
    EXPECT_EQ(Load_GetPaperSizeInfo(9999, &width, &height), 0);
    EXPECT_EQ(width, kUntouched);
    EXPECT_EQ(taken(Load_GetPaperSizeName(9999)), "(none)");
    EXPECT_EQ(taken(Load_GetRollPaperSizeName(2)), "(none)");
}

}  // namespace
