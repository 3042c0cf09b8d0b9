// The printer capability record of a model, built on demand from the model's row of its function
// table in the model-information bundle, and its accessors, each of which builds the record anew,
// reads one field and releases it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

/// Printer formats (`prFormat`) and series (`prSeries`), with the words of the function table.
enum PrinterFormat : std::uint16_t { kSmallFormat = 0, kLargeFormat = 1, kMediumFormat = 2 };
enum PrinterSeries : std::uint16_t { kSeriesA = 0, kSeriesF = 1, kSeriesLegacy = 2, kSeriesS = 3 };

/// One model's capabilities. Strings are none when the row lacks their key; integers missing from
/// the row hold the defaults of GetPrinterFunctionInfo.
struct PrinterFunction {
    std::optional<std::string> VersionNumber;
    std::optional<std::string> DriverVersion;
    std::optional<std::string> SupportURLName;
    std::optional<std::string> BasicSetupSeetHelp;
    std::optional<std::string> PageSetupSeetHelp;
    std::optional<std::string> ColorSetupSeetHelp;
    std::optional<std::string> HistorySetupSeetHelp;
    std::optional<std::string> MaintenanceSeetHelp;
    std::optional<std::string> SupportSetupSeetHelp;
    std::optional<std::string> RollOptionDLGHelp;
    std::optional<std::string> MediaDetailDLGHelp;
    std::optional<std::string> InkChangeDLGHelp;
    std::optional<std::string> EnvironmentDLGHelp;
    std::optional<std::string> CustomPaperDLGHelp;
    std::optional<std::string> ColorSetupMonoSeetHelp;
    std::optional<std::string> ToneCurveDLGHelp;
    std::optional<std::string> JobHistoriyDLGHelp;
    std::optional<std::string> FavoriteDLGHelp;
    std::optional<std::string> ICCOptionDLGHelp;
    std::optional<std::string> AdobeCMMDLGHelp;
    std::optional<std::string> PreviewHelp;
    std::optional<std::string> PatternHelp;
    std::optional<std::string> MdbDBName;
    std::uint16_t prFormat = kMediumFormat;
    std::uint16_t prSeries = kSeriesF;
    std::uint16_t AgeType = 0;
    std::uint16_t PaperSourceOrderTYPE = 0;
    std::uint16_t MachingOrderTYPE = 0;
    std::uint8_t cassette = 0;
    std::uint8_t manual3mm = 0;
    std::uint8_t LargePrinter = 0;
    std::uint8_t LargePanel = 0;
    std::uint8_t InkChange = 0;
    std::uint8_t FarEndMargin = 0;
    std::uint8_t MediaThickness = 0;
    std::uint8_t VacuumStrength = 0;
    std::uint8_t CutSpeed = 0;
    std::uint8_t SSCAdjustment = 0;
    std::uint8_t CalibrationValue = 0;
    std::uint8_t UnidirectionalPrinting = 0;
    std::uint8_t InkImpact = 0;
    std::uint16_t VGM = 0;
    std::uint8_t HDD = 0;
    std::uint8_t HDDDataAutoDelete = 0;
    std::uint8_t SupportLaboratory = 0;
    std::uint16_t BoxMaxNum = 0;
    std::uint8_t FastModeShift = 0;
    std::int32_t OptimizeLevel = 0;
    std::int32_t UseBackend = 0;
    std::uint8_t SupportPatternPrint = 0;
    std::optional<std::string> PrinterName;
};

/// The record of the model, or null when the bundle gives no function table, the table has no row
/// for the model before a row without "EPrinterTypeID", or memory runs out. Integer keys the row
/// lacks read as -1 (stored truncated: 255, 65535) from `AgeType` to `SupportLaboratory`, 0 for
/// `BoxMaxNum`, `FastModeShift`, `OptimizeLevel` and `SupportPatternPrint`, 1 for `UseBackend`;
/// a missing or unknown format or series word gives the values a model without a record has
/// (format medium, series F). The caller releases the record with TerminatePrinterFunctionInfo.
PrinterFunction* GetPrinterFunctionInfo(std::int32_t printerTypeID);
void TerminatePrinterFunctionInfo(PrinterFunction* record);

/// Releases a record through TerminatePrinterFunctionInfo.
struct PrinterFunctionRelease {
    void operator()(PrinterFunction* record) const { TerminatePrinterFunctionInfo(record); }
};
using PrinterFunctionPtr = std::unique_ptr<PrinterFunction, PrinterFunctionRelease>;

// Accessors: the field, zero-extended, or the value given when no record can be built.
std::uint16_t GerPrinterType(std::int32_t printerTypeID);           ///< prSeries; 1
std::uint16_t GerPrinterModelYear(std::int32_t printerTypeID);      ///< AgeType; 0
std::uint16_t GetPrinterFormat(std::int32_t printerTypeID);         ///< prFormat; 2
std::uint16_t GetPaperSourceOrderTYPE(std::int32_t printerTypeID);  ///< 1
std::uint8_t Check_UnidirectionalPrinting_Printer(std::int32_t printerTypeID);
std::uint8_t Check_FarEndMargin_Printer(std::int32_t printerTypeID);
std::uint8_t Check_MediaThickness_Printer(std::int32_t printerTypeID);
std::uint8_t Check_VacuumStrength_Printer(std::int32_t printerTypeID);
std::uint8_t Check_CutSpeed_Printer(std::int32_t printerTypeID);
std::uint8_t Check_SSC_Printer(std::int32_t printerTypeID);
std::uint8_t Check_Calibration_Printer(std::int32_t printerTypeID);
std::uint8_t Check_Cassette_Printer(std::int32_t printerTypeID);
std::uint8_t Check_Manual3mm_Printer(std::int32_t printerTypeID);
std::uint8_t Check_SupportInkChange_Printer(std::int32_t printerTypeID);
std::uint8_t Check_HDD_Printer(std::int32_t printerTypeID);
std::uint8_t Check_HDDDataAutoDelete_Printer(std::int32_t printerTypeID);
std::uint16_t Check_VGM_Printer(std::int32_t printerTypeID);
std::uint8_t Check_InkImpact_Printer(std::int32_t printerTypeID);
std::uint8_t Check_SupportLaboratory_Printer(std::int32_t printerTypeID);
std::uint16_t GerBoxMaxNum(std::int32_t printerTypeID);
std::uint8_t Check_FastModeShift_Printer(std::int32_t printerTypeID);
std::int32_t GetOptimizeLevelFlag(std::int32_t printerTypeID);
std::int32_t GetUseBackendFlag(std::int32_t printerTypeID);  ///< 1 without a record
std::uint8_t Check_SupportPatternPrint(std::int32_t printerTypeID);

/// 1 when the model is of the legacy series (GerPrinterType gives 2), else 0.
std::uint8_t CheckPrinterTypeM105_107(std::int32_t printerTypeID);
