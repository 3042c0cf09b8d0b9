// The capability record and its accessors, over the shipped model tables and over fixture rows
// that lack keys, carry unknown words or hide behind a row without an id.
#include "printer/printer_function.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/model_atlas_host.h"

namespace {

constexpr std::int32_t kUnknownModel = 4711;

struct Expected {
    const char* label;
    std::int32_t id;
    std::uint16_t series, year, format, orderType, vgm, boxes;
    std::uint8_t unidirectional, farEnd, thickness, vacuum, cutSpeed, ssc, calibration, cassette,
        manual3mm, inkChange, hdd, autoDelete, inkImpact, laboratory, fastShift, pattern;
    std::int32_t optimize, backend;
    std::uint8_t legacy;
    const char* database;
};

const Expected kShipped[] = {
    {"LargeFormat",
     7440,
     kSeriesF,
     2024,
     kLargeFormat,
     1,
     1,
     29,  //
     1,
     1,
     1,
     1,
     1,
     1,
     1,
     0,
     0,
     1,
     1,
     1,
     1,
     0,
     1,
     1,
     1,
     1,
     0,
     "MDB_SL7000.mdb"},
    {"Legacy",
     2400,
     kSeriesLegacy,
     2012,
     kLargeFormat,
     0,
     0,
     0,  //
     1,
     0,
     0,
     0,
     1,
     0,
     0,
     0,
     0,
     0,
     0,
     0,
     0,
     0,
     0,
     0,
     0,
     0,
     1,
     "MDB_SL7000.mdb"},
    {"MediumFormat",
     5170,
     kSeriesA,
     2022,
     kMediumFormat,
     2,
     1,
     9,  //
     1,
     0,
     1,
     0,
     0,
     0,
     1,
     1,
     1,
     0,
     1,
     0,
     1,
     1,
     0,
     1,
     2,
     1,
     0,
     "MDB_SL5000.mdb"},
    // No record: series 1, format 2, order type 1, the back-end flag 1, everything else 0.
    {"Unknown",
     kUnknownModel,
     kSeriesF,
     0,
     kMediumFormat,
     1,
     0,
     0,  //
     0,
     0,
     0,
     0,
     0,
     0,
     0,
     0,
     0,
     0,
     0,
     0,
     0,
     0,
     0,
     0,
     0,
     1,
     0,
     nullptr},
};

class ShippedCapabilities : public ::testing::TestWithParam<Expected> {
  protected:
    void SetUp() override { ASSERT_TRUE(host_.ready()); }
    testsupport::ModelAtlasHost host_{ATLAS_SHIPPED_SHELL};
};

TEST_P(ShippedCapabilities, AccessorsAnswerTheModelsRow) {
    const Expected& e = GetParam();
    const std::int32_t id = e.id;
    EXPECT_EQ(GerPrinterType(id), e.series);
    EXPECT_EQ(GerPrinterModelYear(id), e.year);
    EXPECT_EQ(GetPrinterFormat(id), e.format);
    EXPECT_EQ(GetPaperSourceOrderTYPE(id), e.orderType);
    EXPECT_EQ(Check_VGM_Printer(id), e.vgm);
    EXPECT_EQ(GerBoxMaxNum(id), e.boxes);
    EXPECT_EQ(Check_UnidirectionalPrinting_Printer(id), e.unidirectional);
    EXPECT_EQ(Check_FarEndMargin_Printer(id), e.farEnd);
    EXPECT_EQ(Check_MediaThickness_Printer(id), e.thickness);
    EXPECT_EQ(Check_VacuumStrength_Printer(id), e.vacuum);
    EXPECT_EQ(Check_CutSpeed_Printer(id), e.cutSpeed);
    EXPECT_EQ(Check_SSC_Printer(id), e.ssc);
    EXPECT_EQ(Check_Calibration_Printer(id), e.calibration);
    EXPECT_EQ(Check_Cassette_Printer(id), e.cassette);
    EXPECT_EQ(Check_Manual3mm_Printer(id), e.manual3mm);
    EXPECT_EQ(Check_SupportInkChange_Printer(id), e.inkChange);
    EXPECT_EQ(Check_HDD_Printer(id), e.hdd);
    EXPECT_EQ(Check_HDDDataAutoDelete_Printer(id), e.autoDelete);
    EXPECT_EQ(Check_InkImpact_Printer(id), e.inkImpact);
    EXPECT_EQ(Check_SupportLaboratory_Printer(id), e.laboratory);
    EXPECT_EQ(Check_FastModeShift_Printer(id), e.fastShift);
    EXPECT_EQ(Check_SupportPatternPrint(id), e.pattern);
    EXPECT_EQ(GetOptimizeLevelFlag(id), e.optimize);
    EXPECT_EQ(GetUseBackendFlag(id), e.backend);
    EXPECT_EQ(CheckPrinterTypeM105_107(id), e.legacy);

    const std::unique_ptr<PrinterFunction, decltype(&TerminatePrinterFunctionInfo)> record(
        GetPrinterFunctionInfo(id), &TerminatePrinterFunctionInfo);
    if (e.database == nullptr) {
        EXPECT_EQ(record, nullptr);
        return;
    }
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->MdbDBName, e.database);
    EXPECT_EQ(record->SupportSetupSeetHelp, "support.html");
    EXPECT_TRUE(record->PrinterName.has_value());
}

INSTANTIATE_TEST_SUITE_P(Models, ShippedCapabilities, ::testing::ValuesIn(kShipped),
                         [](const auto& info) { return std::string(info.param.label); });

class FixtureCapabilities : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(host_.ready()); }
    testsupport::ModelAtlasHost host_{ATLAS_FIXTURE_SHELL};
};

TEST_F(FixtureCapabilities, MissingKeysAndUnknownWordsReadAsDefaults) {
    constexpr std::int32_t kSparseRow = 12;  // only a format word nobody knows, VGM and a level
    const std::unique_ptr<PrinterFunction, decltype(&TerminatePrinterFunctionInfo)> record(
        GetPrinterFunctionInfo(kSparseRow), &TerminatePrinterFunctionInfo);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->PrinterName, "FX-Twin");  // present although SupportURLName is not
    EXPECT_FALSE(record->SupportURLName.has_value());
    EXPECT_FALSE(record->MdbDBName.has_value());
    EXPECT_EQ(record->prFormat, kMediumFormat);
    EXPECT_EQ(record->prSeries, kSeriesF);
    EXPECT_EQ(record->VGM, 70000 & 0xFFFF);  // stored truncated to its width

    EXPECT_EQ(Check_SSC_Printer(kSparseRow), 255);
    EXPECT_EQ(Check_Cassette_Printer(kSparseRow), 255);
    EXPECT_EQ(GerPrinterModelYear(kSparseRow), 65535);
    EXPECT_EQ(GetPaperSourceOrderTYPE(kSparseRow), 65535);
    EXPECT_EQ(GerBoxMaxNum(kSparseRow), 0);
    EXPECT_EQ(Check_FastModeShift_Printer(kSparseRow), 0);
    EXPECT_EQ(Check_SupportPatternPrint(kSparseRow), 0);
    EXPECT_EQ(GetOptimizeLevelFlag(kSparseRow), 3);
    EXPECT_EQ(GetUseBackendFlag(kSparseRow), 1);
}

TEST_F(FixtureCapabilities, TwinRowsStayApart) {
    constexpr std::int32_t kTwin = 11;
    EXPECT_EQ(GerPrinterType(kTwin), kSeriesS);
    EXPECT_EQ(GetPrinterFormat(kTwin), kLargeFormat);
    EXPECT_EQ(Check_SSC_Printer(kTwin), 1);
    EXPECT_EQ(GetUseBackendFlag(kTwin), 0);
}

TEST_F(FixtureCapabilities, RowWithoutIdBeforeTheModelGivesNoRecord) {
    constexpr std::int32_t kBehindGap = 13;
    EXPECT_EQ(GetPrinterFunctionInfo(kBehindGap), nullptr);
    EXPECT_EQ(GerPrinterType(kBehindGap), kSeriesF);
    EXPECT_EQ(GetPrinterFormat(kBehindGap), kMediumFormat);
    EXPECT_EQ(GetPaperSourceOrderTYPE(kBehindGap), 1);
    EXPECT_EQ(GetUseBackendFlag(kBehindGap), 1);
    EXPECT_EQ(Check_SSC_Printer(kBehindGap), 0);
    TerminatePrinterFunctionInfo(nullptr);
}

}  // namespace
