// The pop-up button a dialog layout places (as a promoted widget): it shows its selected item
// like a closed combo box and opens its menu, with separators, submenus, pictures and on-state
// marks, on a click or from the keyboard.
//
// The button keeps its items as values and makes a new menu from them each time it opens, so the
// items may be replaced at any time, even from inside the handler of a choice: the open menu,
// which is still delivering that choice, is left alone and deleted later. A choice from a menu
// whose items were replaced while it was open is dropped: its positions name other items now.
#pragma once

#include <QIcon>
#include <QMenu>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "ui/control_types.h"

namespace ui {

class PopUpButton : public QWidget {
  public:
    using PictureLoader = std::function<QIcon(const std::string& resource)>;
    /// Told that the user chose an item (chosen() names it).
    using ChoiceHandler = std::function<void()>;

    explicit PopUpButton(QWidget* parent = nullptr);

    void setPictureLoader(PictureLoader loader);
    void setChoiceHandler(ChoiceHandler handler);

    std::vector<MenuItem>& items() { return items_; }
    const std::vector<MenuItem>& items() const { return items_; }
    /// Shows a change of the items (the selection is kept when its position still exists); a menu
    /// open at that time chooses nothing any more.
    void itemsChanged();
    /// The selected top-level position, or -1; a position outside the items selects none.
    void select(int position);
    int selected() const { return selected_; }
    /// The item the user chose last, by its tags from the top.
    const MenuPath& chosen() const { return chosen_; }

    /// Opens the menu below the button; answers it (it lives until the menu opens again).
    QMenu* openMenu();
    QMenu* openedMenu() const { return menu_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void fill(QMenu* menu, const std::vector<MenuItem>& items, const std::vector<int>& above);
    void choose(const std::vector<int>& positions, unsigned generation);
    QIcon picture(const std::string& resource) const;

    std::vector<MenuItem> items_;
    int selected_ = -1;
    MenuPath chosen_;
    unsigned generation_ = 0;  // counts the changes of the items
    PictureLoader loader_;
    ChoiceHandler onChoice_;
    QPointer<QMenu> menu_;
};

}  // namespace ui
