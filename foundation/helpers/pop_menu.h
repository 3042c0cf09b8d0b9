// Static pop-up menu tables: rows of an item key, the string-table key of the item's text and a
// hidden flag, and the lookup of an item's text key. A table is a constant array of rows passed
// with its whole size in bytes.
#pragma once

#include <cstdint>

struct PopMenuTbl {
    std::int32_t key;
    const char* textKey;
    std::int32_t hidden;  ///< 0 visible, any other value hidden
};
static_assert(sizeof(PopMenuTbl) == 24, "tables are measured in rows of 24 bytes");

/// The text key of the first visible row with `itemKey` among the whole rows that fit in
/// `tableBytes`; null for a null table or when no visible row has the key. The text belongs to
/// the table.
const char* Get_MenuKeyStr(std::int32_t itemKey, const PopMenuTbl* table, std::int64_t tableBytes);
