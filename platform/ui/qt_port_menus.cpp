// The Qt port's pop-up buttons: the items live in the button (popup_button.h), which shows every
// change at once and makes its menu anew each time it opens.
#include "ui/popup_button.h"
#include "ui/qt_port.h"
#include "ui/qt_port_internal.h"

namespace ui {

PopUpButton* QtPort::popUp(std::string_view window, std::string_view control) const {
    return dynamic_cast<PopUpButton*>(require(window, control));
}

void QtPort::clearMenu(std::string_view window, std::string_view control) {
    if (PopUpButton* button = popUp(window, control)) {
        button->items().clear();
        button->itemsChanged();
    }
}

void QtPort::addMenuItem(std::string_view window, std::string_view control, MenuItem item) {
    PopUpButton* button = popUp(window, control);
    if (button == nullptr) {
        return;
    }
    const bool first = button->selected() < 0 && !item.separator;
    button->items().push_back(std::move(item));
    button->itemsChanged();
    if (first) {
        button->select(static_cast<int>(button->items().size()) - 1);
    }
}

std::optional<MenuItem> QtPort::menuItem(std::string_view window, std::string_view control,
                                         const MenuPath& path) const {
    const PopUpButton* button = popUp(window, control);
    const MenuItem* item = button == nullptr ? nullptr : findMenuItem(button->items(), path);
    return item == nullptr ? std::nullopt : std::optional(*item);
}

void QtPort::setMenuItem(std::string_view window, std::string_view control, const MenuPath& path,
                         MenuItem item) {
    PopUpButton* button = popUp(window, control);
    MenuItem* old = button == nullptr ? nullptr : findMenuItem(button->items(), path);
    if (old != nullptr) {
        *old = std::move(item);
        button->itemsChanged();
    }
}

int QtPort::menuItemCount(std::string_view window, std::string_view control) const {
    const PopUpButton* button = popUp(window, control);
    return button == nullptr ? 0 : static_cast<int>(button->items().size());
}

bool QtPort::selectMenuTag(std::string_view window, std::string_view control, int tag) {
    PopUpButton* button = popUp(window, control);
    const MenuItem* item = button == nullptr ? nullptr : findMenuItem(button->items(), {tag});
    if (item == nullptr) {
        return false;
    }
    button->select(static_cast<int>(item - button->items().data()));
    return true;
}

void QtPort::selectMenuIndex(std::string_view window, std::string_view control, int index) {
    if (PopUpButton* button = popUp(window, control)) {
        button->select(index);
    }
}

std::optional<int> QtPort::selectedMenuTag(std::string_view window,
                                           std::string_view control) const {
    const PopUpButton* button = popUp(window, control);
    if (button == nullptr || button->selected() < 0) {
        return std::nullopt;
    }
    return button->items()[button->selected()].tag;
}

int QtPort::selectedMenuIndex(std::string_view window, std::string_view control) const {
    const PopUpButton* button = popUp(window, control);
    return button == nullptr ? -1 : button->selected();
}

MenuPath QtPort::chosenMenuItem(std::string_view window, std::string_view control) const {
    const PopUpButton* button = popUp(window, control);
    return button == nullptr ? MenuPath() : button->chosen();
}

}  // namespace ui
