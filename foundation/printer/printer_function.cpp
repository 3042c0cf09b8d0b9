#include "printer/printer_function.h"

#include <array>
#include <memory>
#include <new>
#include <string_view>

#include "helpers/kdict.h"
#include "loaders/model_atlas_loader.h"

namespace {

constexpr const char* kTypeKey = "EPrinterTypeID";
constexpr std::int32_t kAbsentFlag = -1;  // stored truncated: 255 or 65535
constexpr std::int32_t kAbsentZero = 0;
constexpr std::int32_t kAbsentBackend = 1;

// What an accessor gives when no record can be built.
constexpr std::uint16_t kNoRecordSeries = kSeriesF;
constexpr std::uint16_t kNoRecordFormat = kMediumFormat;
constexpr std::uint16_t kNoRecordOrderType = 1;
constexpr std::int32_t kNoRecordBackend = 1;

using StringMember = std::optional<std::string> PrinterFunction::*;
template <typename T>
struct IntegerField {
    const char* key;
    T PrinterFunction::*member;
    std::int32_t absent;
};

#define STRING_FIELD(name) std::pair<const char*, StringMember>(#name, &PrinterFunction::name)
#define INTEGER_FIELD(name, absent) \
    { #name, &PrinterFunction::name, absent }

const std::array kStringFields{
    STRING_FIELD(VersionNumber),
    STRING_FIELD(DriverVersion),
    STRING_FIELD(SupportURLName),
    STRING_FIELD(BasicSetupSeetHelp),
    STRING_FIELD(PageSetupSeetHelp),
    STRING_FIELD(ColorSetupSeetHelp),
    STRING_FIELD(HistorySetupSeetHelp),
    STRING_FIELD(MaintenanceSeetHelp),
    STRING_FIELD(SupportSetupSeetHelp),
    STRING_FIELD(RollOptionDLGHelp),
    STRING_FIELD(MediaDetailDLGHelp),
    STRING_FIELD(InkChangeDLGHelp),
    STRING_FIELD(EnvironmentDLGHelp),
    STRING_FIELD(CustomPaperDLGHelp),
    STRING_FIELD(ColorSetupMonoSeetHelp),
    STRING_FIELD(ToneCurveDLGHelp),
    STRING_FIELD(JobHistoriyDLGHelp),
    STRING_FIELD(FavoriteDLGHelp),
    STRING_FIELD(ICCOptionDLGHelp),
    STRING_FIELD(AdobeCMMDLGHelp),
    STRING_FIELD(PreviewHelp),
    STRING_FIELD(PatternHelp),
    STRING_FIELD(MdbDBName),
    STRING_FIELD(PrinterName),
};

const IntegerField<std::uint16_t> kShortFields[] = {
    INTEGER_FIELD(AgeType, kAbsentFlag),          INTEGER_FIELD(PaperSourceOrderTYPE, kAbsentFlag),
    INTEGER_FIELD(MachingOrderTYPE, kAbsentFlag), INTEGER_FIELD(VGM, kAbsentFlag),
    INTEGER_FIELD(BoxMaxNum, kAbsentZero),
};

const IntegerField<std::uint8_t> kFlagFields[] = {
    INTEGER_FIELD(cassette, kAbsentFlag),
    INTEGER_FIELD(manual3mm, kAbsentFlag),
    INTEGER_FIELD(LargePrinter, kAbsentFlag),
    INTEGER_FIELD(LargePanel, kAbsentFlag),
    INTEGER_FIELD(InkChange, kAbsentFlag),
    INTEGER_FIELD(FarEndMargin, kAbsentFlag),
    INTEGER_FIELD(MediaThickness, kAbsentFlag),
    INTEGER_FIELD(VacuumStrength, kAbsentFlag),
    INTEGER_FIELD(CutSpeed, kAbsentFlag),
    INTEGER_FIELD(SSCAdjustment, kAbsentFlag),
    INTEGER_FIELD(CalibrationValue, kAbsentFlag),
    INTEGER_FIELD(UnidirectionalPrinting, kAbsentFlag),
    INTEGER_FIELD(InkImpact, kAbsentFlag),
    INTEGER_FIELD(HDD, kAbsentFlag),
    INTEGER_FIELD(HDDDataAutoDelete, kAbsentFlag),
    INTEGER_FIELD(SupportLaboratory, kAbsentFlag),
    INTEGER_FIELD(FastModeShift, kAbsentZero),
    INTEGER_FIELD(SupportPatternPrint, kAbsentZero),
};

const IntegerField<std::int32_t> kWideFields[] = {
    INTEGER_FIELD(OptimizeLevel, kAbsentZero),
    INTEGER_FIELD(UseBackend, kAbsentBackend),
};

#undef STRING_FIELD
#undef INTEGER_FIELD

constexpr std::pair<std::string_view, std::uint16_t> kFormatWords[] = {
    {"SMALL_FORMAT", kSmallFormat},
    {"LARGE_FORMAT", kLargeFormat},
    {"MEDIUM_FORMAT", kMediumFormat}};
constexpr std::pair<std::string_view, std::uint16_t> kSeriesWords[] = {
    {"A_MODEL", kSeriesA},
    {"F_MODEL", kSeriesF},
    {"LEGACY_MODEL", kSeriesLegacy},
    {"S_MODEL", kSeriesS}};

template <std::size_t N>
std::uint16_t fromWord(const cf::Value& row, const char* key,
                       const std::pair<std::string_view, std::uint16_t> (&words)[N],
                       std::uint16_t otherwise) {
    const std::string* word = nullptr;
    if (kDict::DictGetCFString(&row, key, &word) == 0) {
        for (const auto& [text, value] : words) {
            if (*word == text)
                return value;
        }
    }
    return otherwise;
}

template <typename T, std::size_t N>
void readIntegers(const cf::Value& row, const IntegerField<T> (&fields)[N], PrinterFunction& out) {
    for (const auto& field : fields) {
        std::int32_t value = 0;
        if (kDict::DictGetSInt32(&row, field.key, &value) != 0)
            value = field.absent;
        out.*field.member = static_cast<T>(value);
    }
}

// The model's row: rows that are no dictionary are passed over; a row without the id ends the
// search.
const cf::Value* modelRow(const cf::Value& table, std::int32_t printerTypeID) {
    const cf::Value::Array* rows = table.array();
    if (rows == nullptr)
        return nullptr;
    for (const cf::Value& row : *rows) {
        if (!row.isDictionary())
            continue;
        std::int32_t id = 0;
        if (kDict::DictGetSInt32(&row, kTypeKey, &id) != 0)
            return nullptr;
        if (id == printerTypeID)
            return &row;
    }
    return nullptr;
}

using Record = std::unique_ptr<PrinterFunction, decltype(&TerminatePrinterFunctionInfo)>;

Record build(std::int32_t printerTypeID) {
    return Record(GetPrinterFunctionInfo(printerTypeID), &TerminatePrinterFunctionInfo);
}

template <typename T>
T field(std::int32_t printerTypeID, T PrinterFunction::*member, T noRecord) {
    const Record record = build(printerTypeID);
    return record == nullptr ? noRecord : (*record).*member;
}

}  // namespace

PrinterFunction* GetPrinterFunctionInfo(std::int32_t printerTypeID) {
    cf::Value* array = nullptr;
    const std::int32_t status = Load_GetPrinterFunctionInfoArray(printerTypeID, &array);
    const std::unique_ptr<cf::Value> table(array);
    if (status != 0 || table == nullptr)
        return nullptr;
    const cf::Value* row = modelRow(*table, printerTypeID);
    if (row == nullptr)
        return nullptr;
    auto* record = new (std::nothrow) PrinterFunction;
    if (record == nullptr)
        return nullptr;
    for (const auto& [key, member] : kStringFields) {
        const std::string* text = nullptr;
        if (kDict::DictGetCFString(row, key, &text) == 0)
            record->*member = *text;
    }
    // An unknown or missing word reads like a model without a record.
    record->prFormat = fromWord(*row, "prFormat", kFormatWords, kNoRecordFormat);
    record->prSeries = fromWord(*row, "prSeries", kSeriesWords, kNoRecordSeries);
    readIntegers(*row, kShortFields, *record);
    readIntegers(*row, kFlagFields, *record);
    readIntegers(*row, kWideFields, *record);
    return record;
}

void TerminatePrinterFunctionInfo(PrinterFunction* record) {
    delete record;
}

std::uint16_t GerPrinterType(std::int32_t id) {
    return field(id, &PrinterFunction::prSeries, kNoRecordSeries);
}
std::uint16_t GerPrinterModelYear(std::int32_t id) {
    return field<std::uint16_t>(id, &PrinterFunction::AgeType, 0);
}
std::uint16_t GetPrinterFormat(std::int32_t id) {
    return field(id, &PrinterFunction::prFormat, kNoRecordFormat);
}
std::uint16_t GetPaperSourceOrderTYPE(std::int32_t id) {
    return field(id, &PrinterFunction::PaperSourceOrderTYPE, kNoRecordOrderType);
}
std::uint8_t Check_UnidirectionalPrinting_Printer(std::int32_t id) {
    return field<std::uint8_t>(id, &PrinterFunction::UnidirectionalPrinting, 0);
}
std::uint8_t Check_FarEndMargin_Printer(std::int32_t id) {
    return field<std::uint8_t>(id, &PrinterFunction::FarEndMargin, 0);
}
std::uint8_t Check_MediaThickness_Printer(std::int32_t id) {
    return field<std::uint8_t>(id, &PrinterFunction::MediaThickness, 0);
}
std::uint8_t Check_VacuumStrength_Printer(std::int32_t id) {
    return field<std::uint8_t>(id, &PrinterFunction::VacuumStrength, 0);
}
std::uint8_t Check_CutSpeed_Printer(std::int32_t id) {
    return field<std::uint8_t>(id, &PrinterFunction::CutSpeed, 0);
}
std::uint8_t Check_SSC_Printer(std::int32_t id) {
    return field<std::uint8_t>(id, &PrinterFunction::SSCAdjustment, 0);
}
std::uint8_t Check_Calibration_Printer(std::int32_t id) {
    return field<std::uint8_t>(id, &PrinterFunction::CalibrationValue, 0);
}
std::uint8_t Check_Cassette_Printer(std::int32_t id) {
    return field<std::uint8_t>(id, &PrinterFunction::cassette, 0);
}
std::uint8_t Check_Manual3mm_Printer(std::int32_t id) {
    return field<std::uint8_t>(id, &PrinterFunction::manual3mm, 0);
}
std::uint8_t Check_SupportInkChange_Printer(std::int32_t id) {
    return field<std::uint8_t>(id, &PrinterFunction::InkChange, 0);
}
std::uint8_t Check_HDD_Printer(std::int32_t id) {
    return field<std::uint8_t>(id, &PrinterFunction::HDD, 0);
}
std::uint8_t Check_HDDDataAutoDelete_Printer(std::int32_t id) {
    return field<std::uint8_t>(id, &PrinterFunction::HDDDataAutoDelete, 0);
}
std::uint16_t Check_VGM_Printer(std::int32_t id) {
    return field<std::uint16_t>(id, &PrinterFunction::VGM, 0);
}
std::uint8_t Check_InkImpact_Printer(std::int32_t id) {
    return field<std::uint8_t>(id, &PrinterFunction::InkImpact, 0);
}
std::uint8_t Check_SupportLaboratory_Printer(std::int32_t id) {
    return field<std::uint8_t>(id, &PrinterFunction::SupportLaboratory, 0);
}
std::uint16_t GerBoxMaxNum(std::int32_t id) {
    return field<std::uint16_t>(id, &PrinterFunction::BoxMaxNum, 0);
}
std::uint8_t Check_FastModeShift_Printer(std::int32_t id) {
    return field<std::uint8_t>(id, &PrinterFunction::FastModeShift, 0);
}
std::int32_t GetOptimizeLevelFlag(std::int32_t id) {
    return field(id, &PrinterFunction::OptimizeLevel, 0);
}
std::int32_t GetUseBackendFlag(std::int32_t id) {
    return field(id, &PrinterFunction::UseBackend, kNoRecordBackend);
}
std::uint8_t Check_SupportPatternPrint(std::int32_t id) {
    return field<std::uint8_t>(id, &PrinterFunction::SupportPatternPrint, 0);
}

std::uint8_t CheckPrinterTypeM105_107(std::int32_t id) {
    return GerPrinterType(id) == kSeriesLegacy ? 1 : 0;
}
