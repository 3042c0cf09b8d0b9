// Pop-up buttons filled from what the dialogs keep their menus in: a menu data array built at run
// time, or one of the fixed menu tables. Either way the pop-up is emptied first, and its items
// carry their values as tags, by which the dialogs select them.
#pragma once

#include <cstdint>
#include <string_view>

#include "helpers/kmenu.h"
#include "helpers/pop_menu.h"
#include "ui/port.h"
#include "ui/strings.h"

namespace dialogs {

/// One item per entry of `menu`, in order, titled by its "menuName", tagged with its "menuValue1"
/// and enabled as its "menuEnable" says (enabled when it says nothing); an entry without a name
/// gives no item. Answers 0; KMenu::kBadArgument, with the pop-up left as it was, for no array.
std::int32_t fillPopUpFromMenuData(ui::Port& port, std::string_view window, std::string_view popUp,
                                   MenuDataArray menu);

/// The keys to build a fixed pop-up from: every key of the range, both ends included.
struct MenuKeyRange {
    std::int32_t first = 0;
    std::int32_t last = 0;
};

/// One item per key of `keys`, ascending, whose visible row of the table (`tableBytes` its whole
/// size) has a text in `strings`, titled by that text and tagged with the key; a key without a
/// visible row or without a text gives no item.
void fillPopUpFromTable(ui::Port& port, std::string_view window, std::string_view popUp,
                        const ui::Strings& strings, const PopMenuTbl* table,
                        std::int64_t tableBytes, MenuKeyRange keys);

}  // namespace dialogs
