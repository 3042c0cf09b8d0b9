// Exports about paper: a model's size limits, margins and paper lists, and the names and sizes
// of the paper sizes.
#include "exports.h"
#include "model_tables.h"

using namespace modelatlas;

namespace {

constexpr const char* kPaperSizeKey = "PaperSizeID";

void put(std::int32_t* out, const cf::Value& row, const char* key) {
    if (out != nullptr)
        *out = rowInteger(row, key);
}

// The row of a root table for a paper size id.
std::optional<cf::Value> paperRow(const char* tableName, std::int32_t paperSizeID) {
    const auto bundle = ownBundle();
    const auto table = bundle == nullptr ? std::nullopt : rootTable(*bundle, tableName);
    if (!table)
        return std::nullopt;
    const cf::Value* row = findRow(*table, kPaperSizeKey, paperSizeID);
    return row == nullptr ? std::nullopt : std::optional<cf::Value>(*row);
}

}  // namespace

std::uint8_t GetPrinterSupportPaperSize(std::int32_t printerTypeID, std::int32_t* hBannerRollMax,
                                        std::int32_t* hRollMax, std::int32_t* hRollMin,
                                        std::int32_t* wRollMax, std::int32_t* wRollMin,
                                        std::int32_t* hCutMax, std::int32_t* hCutMin,
                                        std::int32_t* wCutMax, std::int32_t* wCutMin,
                                        std::int32_t* hCasetteMax, std::int32_t* hCasetteMin,
                                        std::int32_t* wCasetteMax, std::int32_t* wCasetteMin) {
    const auto row = modelRow(printerTypeID, &SupportPrinterInfo::SupportSize);
    if (!row)
        return 0;
    put(hBannerRollMax, *row, "hBannerRollMax");
    put(hRollMax, *row, "hRollMax");
    put(hRollMin, *row, "hRollMin");
    put(wRollMax, *row, "wRollMax");
    put(wRollMin, *row, "wRollMin");
    put(hCutMax, *row, "hCutMax");
    put(hCutMin, *row, "hCutMin");
    put(wCutMax, *row, "wCutMax");
    put(wCutMin, *row, "wCutMin");
    put(hCasetteMax, *row, "hCasetteMax");
    put(hCasetteMin, *row, "hCasetteMin");
    put(wCasetteMax, *row, "wCasetteMax");
    put(wCasetteMin, *row, "wCasetteMin");
    return 1;
}

std::uint8_t GetPrinterSupportMarginSize(std::int32_t printerTypeID, std::int32_t* marginType,
                                         std::int32_t* top, std::int32_t* left,
                                         std::int32_t* bottom, std::int32_t* right,
                                         std::int32_t* manualTop, std::int32_t* manualLeft,
                                         std::int32_t* manualBottom, std::int32_t* manualRight) {
    const auto row = modelRow(printerTypeID, &SupportPrinterInfo::SupportSize);
    if (!row)
        return 0;
    put(marginType, *row, "MarginSizeTYPE");
    put(top, *row, "TopMargin");
    put(left, *row, "LeftMargin");
    put(bottom, *row, "BottomMargin");
    put(right, *row, "RightMargin");
    put(manualTop, *row, "Manual_TopMargin");
    put(manualLeft, *row, "Manual_LeftMargin");
    put(manualBottom, *row, "Manual_BottomMargin");
    put(manualRight, *row, "Manual_RightMargin");
    return 1;
}

std::uint8_t GetSupportPaperIDArray(std::int32_t printerTypeID, cf::Value** array) {
    return copyRowList(printerTypeID, &SupportPrinterInfo::PaperInfoFileName, "supportPaperSizeID",
                       array);
}

std::uint8_t GetCasetteSupportPaperIDArray(std::int32_t printerTypeID, cf::Value** array) {
    return copyRowList(printerTypeID, &SupportPrinterInfo::PaperInfoFileName,
                       "CasetteSupportPaperSizeID", array);
}

char* GetPaperSizeName(std::int32_t paperSizeID) {
    const auto row = paperRow("PaperSizeName", paperSizeID);
    const std::string* name = row ? rowString(*row, "PaperName") : nullptr;
    return name == nullptr ? nullptr : newText(*name);
}

std::uint8_t GetPaperSizeInfo(std::int32_t paperSizeID, std::int32_t* width, std::int32_t* height) {
    const auto row = paperRow("PaperInfoMain", paperSizeID);
    if (!row)
        return 0;
    put(width, *row, "PaperSizeMM_width");
    put(height, *row, "PaperSizeMM_height");
    return 1;
}
