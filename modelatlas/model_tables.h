// The bundle's model tables: XML property lists among its resources whose root is an array of
// rows (dictionaries). Root tables lie at the top of Resources, a model's own tables in the folder
// named after the model. Every call reads what it needs anew and keeps nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "cf/bundle.h"
#include "cf/value.h"
#include "helpers/kdict.h"

namespace modelatlas {

inline constexpr std::int32_t kParameterError = -50;
inline constexpr std::int32_t kTableUnreadable = -1;
inline constexpr const char* kTypeKey = "EPrinterTypeID";

/// The bundle this library was loaded from, or null.
std::unique_ptr<cf::Bundle> ownBundle();

/// The rows of a root table, or none when the file is missing, unreadable or not an array.
std::optional<cf::Value> rootTable(const cf::Bundle& bundle, std::string_view name);

/// What a row lacking the searched key does to the search.
enum class RowsWithoutKey { EndSearch, PassOver };

/// The first row whose integer `key` satisfies `match`. Entries that are no dictionary are
/// passed over; a row without the key (or with another type under it) ends the search, or is
/// passed over when `rule` says so.
template <typename Match>
const cf::Value* findRowWhere(const cf::Value& table, const char* key, Match match,
                              RowsWithoutKey rule = RowsWithoutKey::EndSearch) {
    const cf::Value::Array* rows = table.array();
    if (rows == nullptr)
        return nullptr;
    for (const cf::Value& row : *rows) {
        if (!row.isDictionary())
            continue;
        std::int32_t value = 0;
        if (kDict::DictGetSInt32(&row, key, &value) != 0) {
            if (rule == RowsWithoutKey::EndSearch)
                return nullptr;
            continue;
        }
        if (match(value))
            return &row;
    }
    return nullptr;
}

inline const cf::Value* findRow(const cf::Value& table, const char* key, std::int32_t wanted,
                                RowsWithoutKey rule = RowsWithoutKey::EndSearch) {
    return findRowWhere(
        table, key, [wanted](std::int32_t value) { return value == wanted; }, rule);
}

/// The first row whose string `key` equals `wanted` exactly; a row without it ends the search.
const cf::Value* findRowWithText(const cf::Value& table, const char* key, std::string_view wanted);

/// A row's values; a key the row lacks reads as 0 or none.
std::int32_t rowInteger(const cf::Value& row, const char* key);
const std::string* rowString(const cf::Value& row, const char* key);
const cf::Value::Array* rowList(const cf::Value& row, const char* key);

/// An element of a list as a signed 32-bit number (truncated); 0 when it is no number.
std::int32_t listInteger(const cf::Value& element);

/// A terminated copy of `text` from malloc, for the caller to free; null without memory.
char* newText(std::string_view text);

/// A model's row of the support table: its name (also the folder of its tables) and the names
/// of its seven tables, each none when the row lacks it.
struct SupportPrinterInfo {
    std::optional<std::string> PrinterName;
    std::optional<std::string> PrinterFunctionTable;
    std::optional<std::string> PaperInfoFileName;
    std::optional<std::string> SupportSize;
    std::optional<std::string> RollPaperWidthTbl;
    std::optional<std::string> FullBleedSupportTable;
    std::optional<std::string> PrintCommonTable;
    std::optional<std::string> UIDefaultTable;
};
using ModelTable = std::optional<std::string> SupportPrinterInfo::*;

/// The model's row of "SupportPrinterTable" by its printer type id; none when the table cannot
/// be read or has no row for the id before a row without one.
std::optional<SupportPrinterInfo> GetSupportPrinterInfo(const cf::Bundle& bundle,
                                                        std::int32_t printerTypeID);

enum class TableRead { Read, NoModel, Unreadable };

/// One of the model's tables, whole.
TableRead readModelTable(std::int32_t printerTypeID, ModelTable which, cf::Value& table);

/// The model's row of one of its tables (by printer type id), or none.
std::optional<cf::Value> modelRow(std::int32_t printerTypeID, ModelTable which);

/// 1 with a new copy of the list `key` of the model's row in one of its tables (none when the row
/// lacks the list), 0 without that row; the array is cleared first.
std::uint8_t copyRowList(std::int32_t printerTypeID, ModelTable which, const char* key,
                         cf::Value** array);

}  // namespace modelatlas
