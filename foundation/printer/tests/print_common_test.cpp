// The print-common values of the shipped models and of fixture rows, read back at their offsets
// in the core's record.
#include "printer/print_common.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>

#include "loaders/model_atlas_loader.h"
#include "rastercore/core_common_info_tbl.h"
#include "support/model_atlas_host.h"

namespace {

constexpr std::int32_t kFill = 0x5A5A5A5A;

// The record's keys, position by position.
constexpr std::array<const char*, 46> kKeys{
    "PrinterSize",
    "SSC_Ink_RollWidth",
    "OutputColorSpace",
    "Tonara",
    "Medab",
    "OpenQDXA",
    "HDD",
    "JobPriority",
    "JobStartProcessing",
    "Unicode",
    "PanelMessageMaxNum",
    "Tray_Array_Priority",
    "MarkerColorantDryingType",
    "DPIType",
    "MarginSize",
    "CODEType",
    "Message_check_2byte",
    "MaxLineNum",
    "MediaMaxMin",
    "BlankBack_Thickness",
    "Printing_Suction",
    "Borderless_RollWidth",
    "Tonara2Curve",
    "JobStart2",
    "Copies",
    "GroupID",
    "CuttingType_MarkerColorantDryingType",
    "Optimize_Nup_OnePassPrint_DetailMediaInfo",
    "BorderlessPrint_RollWidth",
    "MediaCalibration",
    "VGM",
    "PathMode",
    "Impressions",
    "Graytone",
    "TNR2_T_RGB_Y",
    "IngammaTbl_bit",
    "h_mono_photo",
    "CreateTable",
    "DetailMedia_Paper_Thickness_set",
    "DetailMedia_Paper_Suction_set",
    "Create_CSC1_AUTO_MONO",
    "INKTYPE_ROLLWIDTH",
    "SINGLE_SSC",
    "PrintCentered",
    "PrintMode",
    "MonoCapColorProcessing",
};

// The value at a position, read from the record's bytes at its offset.
std::int32_t at(const ModelAtlasTbl& table, std::size_t index) {
    std::int32_t value = 0;
    std::memcpy(&value, reinterpret_cast<const std::uint8_t*>(&table) + index * sizeof value,
                sizeof value);
    return value;
}

ModelAtlasTbl filled() {
    ModelAtlasTbl table;
    std::memset(&table, 0x5A, sizeof table);
    return table;
}

cf::Value dictionaryOf(std::initializer_list<std::pair<const char*, cf::Value>> entries) {
    cf::Value dictionary = cf::Value::emptyDictionary();
    for (const auto& [key, value] : entries) dictionary.set(key, value);
    return dictionary;
}

cf::Value everyKey() {
    cf::Value dictionary = cf::Value::emptyDictionary();
    for (std::size_t i = 0; i < kKeys.size(); ++i)
        dictionary.set(kKeys[i], cf::Value(static_cast<std::int32_t>(100 + i)));
    return dictionary;
}

TEST(PrintCommon, ShippedModelsFillEveryPositionFromItsKey) {
    testsupport::ModelAtlasHost host(ATLAS_SHIPPED_SHELL);
    ASSERT_TRUE(host.ready());
    for (const std::int32_t model : {7440, 2400, 5170}) {
        cf::Value* raw = nullptr;
        ASSERT_EQ(Load_GetPrintCommonArray(model, &raw), 0) << model;
        const std::unique_ptr<cf::Value> array(raw);
        const cf::Value& row = array->array()->front();
        ModelAtlasTbl table = filled();
        EXPECT_EQ(SetArrayToPrintCommon(&table, array.get()), 0);
        for (std::size_t i = 0; i < kKeys.size(); ++i)
            EXPECT_EQ(at(table, i), row.find(kKeys[i])->integer().value()) << kKeys[i];
        if (model == 7440) {
            EXPECT_EQ(table.Tonara, 3);
            EXPECT_EQ(table.PathMode, 2);
            EXPECT_EQ(table.MonoCapColorProcessing, 1);
        }
    }
}

TEST(PrintCommon, DistinctValuesLandAtTheirOwnOffsets) {
    const cf::Value array(cf::Value::Array{everyKey()});
    ModelAtlasTbl table = filled();
    EXPECT_EQ(SetArrayToPrintCommon(&table, &array), 0);
    for (std::size_t i = 0; i < kKeys.size(); ++i)
        EXPECT_EQ(at(table, i), static_cast<std::int32_t>(100 + i)) << kKeys[i];
}

TEST(PrintCommon, OnlyTheLastKeyDecidesTheResult) {
    testsupport::ModelAtlasHost host(ATLAS_FIXTURE_SHELL);
    ASSERT_TRUE(host.ready());
    // The fixture's model 11 has only "PrinterSize": every other key is missing.
    cf::Value* raw = nullptr;
    ASSERT_EQ(Load_GetPrintCommonArray(11, &raw), 0);
    const std::unique_ptr<cf::Value> array(raw);
    ModelAtlasTbl table = filled();
    testing::internal::CaptureStdout();
    EXPECT_EQ(SetArrayToPrintCommon(&table, array.get()), -1);
    const std::string console = testing::internal::GetCapturedStdout();
    EXPECT_EQ(table.PrinterSize, 1);
    for (std::size_t i = 1; i < kKeys.size(); ++i) EXPECT_EQ(at(table, i), 0) << kKeys[i];
    EXPECT_NE(console.find("DictGetInt: SSC_Ink_RollWidth\n"), std::string::npos);
    EXPECT_TRUE(console.ends_with("SetArrayToPrintCommon err=-1\n")) << console;

    // A missing key before the last leaves the result 0; a last key that is no number gives -2.
    cf::Value gap = everyKey();
    gap.erase("VGM");
    const cf::Value gapArray(cf::Value::Array{gap});
    table = filled();
    testing::internal::CaptureStdout();
    EXPECT_EQ(SetArrayToPrintCommon(&table, &gapArray), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "DictGetInt: VGM\n");
    EXPECT_EQ(table.VGM, 0);
    EXPECT_EQ(table.PathMode, 131);

    cf::Value text = everyKey();
    text.set("MonoCapColorProcessing", cf::Value("1"));
    const cf::Value textArray(cf::Value::Array{text});
    testing::internal::CaptureStdout();
    EXPECT_EQ(SetArrayToPrintCommon(&table, &textArray), -2);
    EXPECT_TRUE(testing::internal::GetCapturedStdout().ends_with("SetArrayToPrintCommon err=-2\n"));
    EXPECT_EQ(table.MonoCapColorProcessing, 0);
}

TEST(PrintCommon, TheFirstDictionaryIsReadAndAnArrayWithoutOneSetsNothing) {
    const cf::Value array(
        cf::Value::Array{cf::Value(7), dictionaryOf({{"PrinterSize", 9}}), everyKey()});
    ModelAtlasTbl table = filled();
    testing::internal::CaptureStdout();
    EXPECT_EQ(SetArrayToPrintCommon(&table, &array), -1);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(table.PrinterSize, 9);
    EXPECT_EQ(table.Tonara, 0);

    table = filled();
    const cf::Value empty = cf::Value::emptyArray();
    EXPECT_EQ(SetArrayToPrintCommon(&table, &empty), 0);
    for (std::size_t i = 0; i < kKeys.size(); ++i) EXPECT_EQ(at(table, i), kFill);

    EXPECT_EQ(SetArrayToPrintCommon(nullptr, &empty), -50);
    EXPECT_EQ(SetArrayToPrintCommon(&table, nullptr), -50);
    const cf::Value notAnArray = everyKey();
    EXPECT_EQ(SetArrayToPrintCommon(&table, &notAnArray), -50);
}

}  // namespace
