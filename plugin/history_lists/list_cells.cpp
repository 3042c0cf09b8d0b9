#include "history_lists/list_cells.h"

#include <algorithm>

namespace history_lists {

CellTextColor TextColor(const CellState& state) {
    const bool active = state.viewIsFirstResponder && state.highlighted && state.windowIsKey;
    if (active) {
        return state.enabled ? CellTextColor::selectedMenuItemText : CellTextColor::lightGray;
    }
    return state.enabled ? CellTextColor::text : CellTextColor::gray;
}

CellDrawing drawInteriorWithFrame(const ListCell& cell, const ui::TableCell& value, ui::Rect frame,
                                  const CellState& state) {
    CellDrawing drawing;
    const bool hasImage = cell.iconSize && !value.picture.empty();
    if (hasImage) {
        drawing.icon =
            ui::Rect{frame.x + MARGIN_X, frame.y, cell.iconSize->width, cell.iconSize->height};
        drawing.picture = value.picture;
    }
    if (!cell.drawsText || value.text.empty()) {
        return drawing;
    }
    double offset = 0;
    if (cell.iconSize) {
        offset = MARGIN_X + (hasImage ? cell.iconSize->width + MARGIN_X : 0);
    }
    drawing.text = CellText{
        ui::Rect{frame.x + offset, frame.y, std::max(frame.width - offset, 0.0), frame.height},
        value.text, TextColor(state), cell.font, kLineBreakTruncatingTail};
    return drawing;
}

}  // namespace history_lists
