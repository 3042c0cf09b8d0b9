#include "dialogs/pop_up_menus.h"

#include <string>

namespace dialogs {
namespace {

ui::MenuItem plainItem(std::string title, int tag, bool enabled) {
    ui::MenuItem item;
    item.title = std::move(title);
    item.tag = tag;
    item.enabled = enabled;
    return item;
}

}  // namespace

std::int32_t fillPopUpFromMenuData(ui::Port& port, std::string_view window, std::string_view popUp,
                                   MenuDataArray menu) {
    if (menu == nullptr || !menu->isArray()) {
        return KMenu::kBadArgument;
    }
    port.clearMenu(window, popUp);
    const auto count = static_cast<std::int32_t>(menu->array()->size());
    for (std::int32_t index = 1; index <= count; ++index) {
        const char* name = nullptr;
        std::int32_t value1 = 0;
        std::int32_t value2 = 0;
        std::int32_t value3 = 0;
        bool enable = true;
        KMenu::GetMenuData(menu, &name, &value1, &value2, &value3, &enable, index);
        if (name != nullptr) {
            port.addMenuItem(window, popUp, plainItem(name, value1, enable));
        }
    }
    return 0;
}

void fillPopUpFromTable(ui::Port& port, std::string_view window, std::string_view popUp,
                        const ui::Strings& strings, const PopMenuTbl* table,
                        std::int64_t tableBytes, MenuKeyRange keys) {
    port.clearMenu(window, popUp);
    for (std::int32_t key = keys.first; key <= keys.last; ++key) {
        const char* textKey = Get_MenuKeyStr(key, table, tableBytes);
        if (textKey == nullptr) {
            continue;
        }
        // A key the strings table lacks shows as itself: that is no text.
        std::string title = strings.text(textKey);
        if (!title.empty() && title != textKey) {
            port.addMenuItem(window, popUp, plainItem(std::move(title), key, true));
        }
    }
}

}  // namespace dialogs
