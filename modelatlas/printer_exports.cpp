// Exports about the supported printers: the list, a model's id by name, its paper-source order
// and its whole function, default-settings and print-common tables.
#include <algorithm>
#include <array>
#include <new>

#include "exports.h"
#include "model_tables.h"

using namespace modelatlas;

namespace {

constexpr const char* kSupportPrinterTable = "SupportPrinterTable";
constexpr const char* kPaperSourceOrderTable = "PaperSourceOrderTbl";
constexpr const char* kOrderTypeKey = "PaperSourceOrderTYPE";
constexpr std::int32_t kNotFound = -1;
constexpr std::uint16_t kDefaultOrderType = 0;
constexpr std::int32_t kOrderTypeAbsent = -1;  // read truncated to 16 bits
constexpr std::int32_t kMenuEnabled = 1;

// The eight names of a support-table row, in the order of the menu's eight strings.
constexpr std::array<const char*, 8> kSupportNames{
    "PrinterName",       "PrinterFunctionTable",  "PaperInfoFileName", "SupportSize",
    "RollPaperWidthTbl", "FullBleedSupportTable", "PrintCommonTable",  "UIDefaultTable"};

// 0 with a copy of the model's whole table; 0 and no array for a model the bundle does not
// serve; -1 when the table cannot be read. The array is cleared first, so that the 0 of an
// unknown model never passes for a table.
std::int32_t wholeTable(std::int32_t printerTypeID, ModelTable which, cf::Value** array) {
    if (array == nullptr)
        return kParameterError;
    *array = nullptr;
    cf::Value table;
    switch (readModelTable(printerTypeID, which, table)) {
        case TableRead::NoModel:
            return 0;
        case TableRead::Unreadable:
            return kTableUnreadable;
        case TableRead::Read:
            break;
    }
    *array = new (std::nothrow) cf::Value(std::move(table));
    return *array == nullptr ? kTableUnreadable : 0;
}

// The model's order type: the PaperSourceOrderTYPE of the first row of its function table that
// carries its id (rows without an id are passed over); 0 for a model the bundle does not serve.
std::uint16_t orderTypeOf(std::int32_t printerTypeID) {
    cf::Value table;
    if (readModelTable(printerTypeID, &SupportPrinterInfo::PrinterFunctionTable, table) !=
        TableRead::Read) {
        return kDefaultOrderType;
    }
    const cf::Value* row = findRow(table, kTypeKey, printerTypeID, RowsWithoutKey::PassOver);
    if (row == nullptr)
        return kDefaultOrderType;
    std::int32_t type = 0;
    if (kDict::DictGetSInt32(row, kOrderTypeKey, &type) != 0)
        type = kOrderTypeAbsent;
    return static_cast<std::uint16_t>(type);
}

}  // namespace

std::int32_t GetPrinterFunctionInfoArray(std::int32_t printerTypeID, cf::Value** array) {
    return wholeTable(printerTypeID, &SupportPrinterInfo::PrinterFunctionTable, array);
}

std::int32_t GetUIDefaultTableArray(std::int32_t printerTypeID, cf::Value** array) {
    return wholeTable(printerTypeID, &SupportPrinterInfo::UIDefaultTable, array);
}

std::int32_t GetPrintCommonArray(std::int32_t printerTypeID, cf::Value** array) {
    return wholeTable(printerTypeID, &SupportPrinterInfo::PrintCommonTable, array);
}

void GetPaperSourceNumber(std::int32_t printerTypeID, PaperSourceNumRec* record,
                          std::uint32_t capacity) {
    if (record == nullptr)
        return;
    const auto bundle = ownBundle();
    if (bundle == nullptr)
        return;
    const std::uint16_t orderType = orderTypeOf(printerTypeID);
    const auto orders = rootTable(*bundle, kPaperSourceOrderTable);
    if (!orders)
        return;
    const cf::Value* row = findRow(*orders, kOrderTypeKey, orderType);
    if (row == nullptr)
        return;
    const cf::Value::Array* codes = rowList(*row, "MDB_PaperSource_ID");
    const std::size_t room = std::min<std::size_t>(capacity, kPaperSourceSlots);
    const std::size_t count = codes == nullptr ? 0 : std::min(codes->size(), room);
    for (std::size_t i = 0; i < count; ++i)
        record->codes[i] = static_cast<std::int16_t>(listInteger((*codes)[i]));
    record->count = static_cast<std::uint32_t>(count);
}

std::int32_t GetEPrinterTypeID(const char* printerName, std::int32_t* printerTypeID) {
    if (printerName == nullptr || printerTypeID == nullptr)
        return kParameterError;
    *printerTypeID = 0;
    const auto bundle = ownBundle();
    const auto table = bundle == nullptr ? std::nullopt : rootTable(*bundle, kSupportPrinterTable);
    if (!table)
        return kTableUnreadable;
    const cf::Value* row = findRowWithText(*table, "PrinterName", printerName);
    if (row == nullptr)
        return kNotFound;
    return kDict::DictGetSInt32(row, kTypeKey, printerTypeID);
}

std::int32_t GetSupportPrinterList(MenuDataArray menu) {
    if (menu == nullptr)
        return kParameterError;
    const auto bundle = ownBundle();
    const auto table = bundle == nullptr ? std::nullopt : rootTable(*bundle, kSupportPrinterTable);
    if (!table)
        return kTableUnreadable;
    std::int32_t result = 0;
    for (const cf::Value& row : *table->array()) {
        if (!row.isDictionary())
            continue;
        std::array<const char*, kSupportNames.size()> names{};
        bool complete = true;
        for (std::size_t i = 0; i < names.size(); ++i) {
            const std::string* name = rowString(row, kSupportNames[i]);
            complete = complete && name != nullptr;
            names[i] = name == nullptr ? nullptr : name->c_str();
        }
        if (complete)
            KMenu::AddMenuData3(menu, names.data(), rowInteger(row, kTypeKey), kMenuEnabled);
        result = rowString(row, "UIDefaultTable") == nullptr ? kParameterError : 0;
    }
    return result;
}
