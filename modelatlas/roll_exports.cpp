// Exports about roll paper: a model's roll widths, its default and borderless ones, and the
// display names of roll widths.
#include "exports.h"
#include "model_tables.h"

using namespace modelatlas;

namespace {

constexpr const char* kRollListKey = "qdxaMEDIUM_SIZE_ID";

bool listHolds(const cf::Value::Array* list, std::int32_t id) {
    if (list == nullptr)
        return false;
    for (const cf::Value& element : *list) {
        if (listInteger(element) == id)
            return true;
    }
    return false;
}

}  // namespace

std::uint8_t FullBleedSupportChk(std::int32_t printerTypeID, std::int32_t sizeID) {
    const auto row = modelRow(printerTypeID, &SupportPrinterInfo::FullBleedSupportTable);
    return row && listHolds(rowList(*row, kRollListKey), sizeID) ? 1 : 0;
}

char* GetRollPaperSizeName(std::int32_t sizeID) {
    const auto bundle = ownBundle();
    const auto table = bundle == nullptr ? std::nullopt : rootTable(*bundle, "RollWidthName");
    const cf::Value* row = table ? findRow(*table, "QDXAMediumSizeID", sizeID) : nullptr;
    const std::string* name = row == nullptr ? nullptr : rowString(*row, "Name");
    return name == nullptr ? nullptr : newText(*name);
}

std::uint8_t GetSupportRollWidthIDArray(std::int32_t printerTypeID, cf::Value** array) {
    return copyRowList(printerTypeID, &SupportPrinterInfo::RollPaperWidthTbl, kRollListKey, array);
}

std::uint8_t RollWidthSupportChk(std::int32_t printerTypeID, std::int32_t sizeID) {
    const auto row = modelRow(printerTypeID, &SupportPrinterInfo::RollPaperWidthTbl);
    return row && listHolds(rowList(*row, kRollListKey), sizeID) ? 1 : 0;
}

std::int32_t GetDafaultRollWithQDXAID(std::int32_t printerTypeID) {
    const auto row = modelRow(printerTypeID, &SupportPrinterInfo::RollPaperWidthTbl);
    if (!row)
        return 0;
    if (const std::int32_t id = rowInteger(*row, "DefaultRollWidthID"); id != 0)
        return id;
    const cf::Value::Array* list = rowList(*row, kRollListKey);
    return list == nullptr || list->empty() ? 0 : listInteger(list->front());
}
