// The cells of the history dialog's and the custom paper dialog's lists: where a cell puts its
// icon and its text inside its frame, and in which colour and font it writes. A cell keeps no
// state: its picture and text are what the table's source gives for the row (ui::TableCell).
#pragma once

#include <optional>
#include <string>

#include "ui/control_types.h"
#include "ui/pictures.h"

namespace history_lists {

inline constexpr int ICON_SIZE_WIDTH = 16;
inline constexpr int ICON_SIZE_HEIGHT = 16;
inline constexpr int ICON2_SIZE_WIDTH = 11;
inline constexpr int ICON2_SIZE_HEIGHT = 11;
inline constexpr int MARGIN_X = 3;

/// How a text too wide for its rectangle is cut: at its end, which shows an ellipsis.
inline constexpr int kLineBreakTruncatingTail = 4;

enum class CellTextColor { selectedMenuItemText, lightGray, text, gray };
enum class CellFont {
    smallSystem,  ///< the system font at the size of small controls
    textDefault,  ///< no font of its own: the text drawing's default
};

/// What decides the colour of a cell's text.
struct CellState {
    bool viewIsFirstResponder = false;  ///< the table is its window's first responder
    bool highlighted = false;           ///< the cell's row is selected
    bool windowIsKey = false;
    bool enabled = true;
};

/// One kind of list cell.
struct ListCell {
    std::optional<ui::Size> iconSize;  ///< none: the cell draws no icon
    bool drawsText = true;
    CellFont font = CellFont::textDefault;
    bool smallControlSize = false;    ///< the cell sets its control size to small
    bool showsFirstResponder = true;  ///< the cell draws the focus ring of its table
};

/// The text of a cell, as it is drawn.
struct CellText {
    ui::Rect rect;
    std::string text;
    CellTextColor color = CellTextColor::text;
    CellFont font = CellFont::textDefault;
    int lineBreakMode = kLineBreakTruncatingTail;
};

/// What a cell draws inside its frame.
struct CellDrawing {
    std::optional<ui::Rect> icon;  ///< the picture scaled to this rectangle, opaque, over the row
    std::string picture;
    std::optional<CellText> text;
};

inline constexpr ListCell favoriteIconedCell{ui::Size{ICON_SIZE_WIDTH, ICON_SIZE_HEIGHT}, true,
                                             CellFont::smallSystem, true, false};
inline constexpr ListCell jobIconedCell{ui::Size{ICON2_SIZE_WIDTH, ICON2_SIZE_HEIGHT}, false,
                                        CellFont::smallSystem, true, true};
inline constexpr ListCell favoriteTextCell{std::nullopt, true, CellFont::smallSystem, false, true};
inline constexpr ListCell IconedCell{ui::Size{ICON_SIZE_WIDTH, ICON_SIZE_HEIGHT}, true,
                                     CellFont::textDefault, false, true};
inline constexpr ListCell textCell{std::nullopt, true, CellFont::textDefault, false, true};

/// The colour of the text: the selected-item colour (or light grey when disabled) only while the
/// row is highlighted in the first responder of the key window, else the text colour (or grey).
CellTextColor TextColor(const CellState& state);

/// What `cell` draws in `frame` for the row's `value` (an empty picture: the cell has no image;
/// an empty text: nothing to write). An iconed cell puts its icon at (frame x + MARGIN_X, frame y)
/// and starts its text MARGIN_X + icon width + MARGIN_X in, or MARGIN_X in without an image; a
/// cell without an icon writes over its whole frame.
CellDrawing drawInteriorWithFrame(const ListCell& cell, const ui::TableCell& value, ui::Rect frame,
                                  const CellState& state);

}  // namespace history_lists
