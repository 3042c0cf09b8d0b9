#include "helpers/pop_menu.h"

const char* Get_MenuKeyStr(std::int32_t itemKey, const PopMenuTbl* table, std::int64_t tableBytes) {
    if (table == nullptr || tableBytes <= 0)
        return nullptr;
    const std::int64_t rows = tableBytes / static_cast<std::int64_t>(sizeof(PopMenuTbl));
    for (std::int64_t row = 0; row < rows; ++row) {
        if (table[row].key == itemKey && table[row].hidden == 0)
            return table[row].textKey;
    }
    return nullptr;
}
