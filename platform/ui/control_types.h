// The values that pop-up buttons, radio matrices and tables exchange with dialog controllers.
#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ui {

/// An item of a pop-up button's menu: a plain item, an item with a submenu, or a separator line.
struct MenuItem {
    std::string title;
    int tag = 0;             ///< the controller's value; tags need not be unique or in order
    bool enabled = true;     ///< a disabled item shows grey and cannot be chosen
    bool checked = false;    ///< the on-state mark before the title
    std::string picture;     ///< a picture of the resources ("name.type") before the title, or none
    bool separator = false;  ///< a separator line; its other fields are not used
    std::vector<MenuItem> submenu;  ///< the items of its submenu; empty for a plain item
    friend bool operator==(const MenuItem&, const MenuItem&) = default;
};

/// A separator line for a menu or a submenu.
inline MenuItem menuSeparator() {
    MenuItem separator;
    separator.separator = true;
    return separator;
}

/// An item by the tags on the way to it: {tag} is the first top-level item with that tag, {tag,
/// subTag} the first item with subTag in that item's submenu. Separators have no tag.
using MenuPath = std::vector<int>;

/// The item at `path` in `items`: at each level the first item, separators aside, with the tag;
/// null when there is none or the path is empty.
inline const MenuItem* findMenuItem(const std::vector<MenuItem>& items, const MenuPath& path) {
    const std::vector<MenuItem>* level = &items;
    const MenuItem* found = nullptr;
    for (const int tag : path) {
        const auto item = std::find_if(level->begin(), level->end(), [tag](const MenuItem& i) {
            return !i.separator && i.tag == tag;
        });
        if (item == level->end()) {
            return nullptr;
        }
        found = &*item;
        level = &item->submenu;
    }
    return found;
}

inline MenuItem* findMenuItem(std::vector<MenuItem>& items, const MenuPath& path) {
    return const_cast<MenuItem*>(findMenuItem(std::as_const(items), path));
}

/// A cell of a radio matrix, by its row and column in the matrix's grid (from 0).
struct Cell {
    int row = 0;
    int column = 0;
    friend bool operator==(const Cell&, const Cell&) = default;
};

/// "No row": the selected row of a table without a selection.
inline constexpr int kNoRow = -1;

/// What one cell of a table shows.
struct TableCell {
    std::string text;     ///< cut at the end with an ellipsis when it is wider than its column
    std::string picture;  ///< a picture of the resources ("name.type") before the text, or none
    friend bool operator==(const TableCell&, const TableCell&) = default;
};

/// What a table shows, asked of the controller whenever the table is drawn: the table keeps no
/// copy of the rows. The row count is taken again only by a reload (Port::reloadTable), so a
/// controller reloads after its rows changed; a row the controller no longer has shows empty.
struct TableSource {
    std::function<int()> rowCount;
    /// The cell of the column with that identifier (the identifiers are the layout's) at `row`,
    /// 0 <= row < rowCount().
    std::function<TableCell(std::string_view column, int row)> cell;
    /// Whether the row shows enabled; a disabled row is drawn grey and can still be selected.
    /// Not set: every row is enabled.
    std::function<bool(int row)> rowEnabled;
};

/// A row moved by dragging it within its table: the row that was dragged, and the insertion
/// point it was dropped at, 0 <= insertionRow <= the row count: above row `insertionRow`, or
/// after the last row when it equals the count. The port reports a drop that lands where the row
/// already is (insertionRow equal to sourceRow or sourceRow + 1) as well; the controller decides
/// what moves.
using RowMoveHandler = std::function<void(int sourceRow, int insertionRow)>;

}  // namespace ui
