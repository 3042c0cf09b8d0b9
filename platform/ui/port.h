// The port between a dialog's controller and the window system. A controller holds no toolkit
// type: it names windows by their layout name and controls by their object name, and it hears of
// the user's actions through callbacks. The toolkit's port (ui::QtPort) and the tests' scripted
// port implement it.
//
// A panel is a layout placed inside a window (placePanel); its controls are addressed with the
// panel's name in place of the window's. A sub-dialog is a window of its own, run modally above
// the key window (runModal).
//
// Every call is made on the main (GUI) thread, except postToMainThread and onMainThread, which
// any thread may call. View coordinates have their origin at the lower-left corner, y upward.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/control_types.h"
#include "ui/pictures.h"

namespace ui {

enum class AlertStyle : int { warning = 0, informational = 1, critical = 2 };

/// The response of an alert that its first button ended; the n-th button answers this plus n - 1.
inline constexpr int kAlertFirstButtonReturn = 1000;
inline constexpr int kAlertSecondButtonReturn = 1001;

/// An application-modal alert: texts as shown, buttons left to right.
struct Alert {
    AlertStyle style = AlertStyle::warning;
    std::string message;
    std::string informative;
    std::vector<std::string> buttons;
};

/// A pending change of a text field's text, in characters: `length` characters from `location`
/// become `replacement`.
struct TextEdit {
    std::u32string text;  ///< the text before the change
    std::size_t location = 0;
    std::size_t length = 0;
    std::u32string replacement;
};

enum class MousePhase { down, dragged, up };

class Port {
  public:
    using Callback = std::function<void()>;
    using EditFilter = std::function<bool(const TextEdit&)>;  ///< false refuses the edit
    using MouseHandler = std::function<void(MousePhase, Point)>;

    virtual ~Port() = default;

    // Windows. A window exists once loaded; an unknown name loads nothing and answers false.
    virtual bool loadWindow(std::string_view window) = 0;
    virtual void showWindow(std::string_view window) = 0;
    virtual void closeWindow(std::string_view window) = 0;  ///< orders it out; it stays loaded
    virtual bool isVisible(std::string_view window) const = 0;
    virtual void setTitle(std::string_view window, std::string_view title) = 0;
    /// The key window's name, or empty.
    virtual std::string keyWindow() const = 0;
    /// Makes the window key and brings it to the front; a shielded window refuses.
    virtual void makeKey(std::string_view window) = 0;
    /// Builds the layout `panel` inside the control `container` of `window` (a plain view or a
    /// tab's page), filling it. Its controls are then addressed as (panel, control), and
    /// showWindow, closeWindow and isVisible show, hide and tell of the panel inside its window.
    /// A panel is placed once; an unknown layout or container places nothing and answers false.
    virtual bool placePanel(std::string_view panel, std::string_view window,
                            std::string_view container) = 0;

    // Window frames, in screen coordinates: the origin at the lower-left corner of the primary
    // screen, y upward. A window not loaded answers the zero rectangle and size.
    virtual Rect windowFrame(std::string_view window) const = 0;
    /// The part of the window's screen that windows may take (without the desktop's panels); the
    /// zero rectangle when the window has no screen.
    virtual Rect screenVisibleFrame(std::string_view window) const = 0;
    /// Whether the user may resize the window.
    virtual bool isResizable(std::string_view window) const = 0;
    /// The smallest frame the window takes.
    virtual Size minimumSize(std::string_view window) const = 0;
    /// Moves and sizes the window.
    virtual void setWindowFrame(std::string_view window, Rect frame) = 0;
    /// The window's opacity, from 0 (on screen but unseen) to 1 (opaque).
    virtual void setAlphaValue(std::string_view window, double alpha) = 0;

    // Modal runs. runModal shows the window application-modally above `parent` (empty: the key
    // window) and returns the response given to stopModal; the window is ordered out then. A modal
    // session keeps the window application-modal while the caller turns the event loop with
    // processEvents.
    virtual int runModal(std::string_view window, std::string_view parent) = 0;
    virtual void stopModal(std::string_view window, int response) = 0;
    virtual void beginModalSession(std::string_view window) = 0;
    virtual void endModalSession(std::string_view window) = 0;
    /// The window of the innermost modal run or session, or empty.
    virtual std::string modalWindow() const = 0;
    /// Delivers the waiting events; with none waiting, waits up to `wait` for one.
    virtual void processEvents(std::chrono::milliseconds wait) = 0;

    // Shields: an invisible cover that takes every mouse and key event of its window (with
    // `includeFrame` also the frame's: the window cannot be closed), which then cannot become
    // key. A window may carry several; removeShield takes the first one away.
    virtual void addShield(std::string_view window, bool includeFrame) = 0;
    virtual void removeShield(std::string_view window) = 0;
    virtual bool hasShield(std::string_view window) const = 0;
    /// Keeps `child` stacked above `parent` (empty: releases it).
    virtual void stackAbove(std::string_view child, std::string_view parent) = 0;

    // Controls. Numbers are the values of sliders, steppers and progress bars. Texts are those of
    // labels, buttons, fields, multi-line text views and a box's title.
    virtual void setText(std::string_view window, std::string_view control, std::string_view) = 0;
    virtual std::string text(std::string_view window, std::string_view control) const = 0;
    virtual void setValue(std::string_view window, std::string_view control, double value) = 0;
    virtual double value(std::string_view window, std::string_view control) const = 0;
    virtual Range range(std::string_view window, std::string_view control) const = 0;
    virtual void setEnabled(std::string_view window, std::string_view control, bool) = 0;
    virtual bool isEnabled(std::string_view window, std::string_view control) const = 0;
    virtual void setHidden(std::string_view window, std::string_view control, bool) = 0;
    /// Selects the whole text of a field or a text view.
    virtual void selectText(std::string_view window, std::string_view control) = 0;
    /// Gives the control the keyboard focus in its window.
    virtual void focus(std::string_view window, std::string_view control) = 0;
    /// Draws a label's (or a field's) text grey, or again in the normal black.
    virtual void setGreyText(std::string_view window, std::string_view control, bool grey) = 0;
    /// The state of a check box or of a single radio button.
    virtual void setChecked(std::string_view window, std::string_view control, bool) = 0;
    virtual bool isChecked(std::string_view window, std::string_view control) const = 0;

    // Pop-up buttons. The closed button shows its selected top-level item; its menu may hold
    // separators and items with submenus. Choosing an enabled item raises the button's action
    // (onAction); chosenMenuItem then tells which item it was. A top-level item chosen becomes the
    // selected item; an item chosen in a submenu leaves the selection to the controller. The menu
    // may be rebuilt from inside that action: what the port answers follows the rebuild at once,
    // and the menu the user is closing is never torn down while it still delivers the choice.
    virtual void clearMenu(std::string_view window, std::string_view control) = 0;
    /// Appends a top-level item (with its submenu) or a separator (menuSeparator()). The first
    /// item added to a pop-up without a selection becomes the selected one.
    virtual void addMenuItem(std::string_view window, std::string_view control, MenuItem item) = 0;
    /// The item at `path`, or none.
    virtual std::optional<MenuItem> menuItem(std::string_view window, std::string_view control,
                                             const MenuPath& path) const = 0;
    /// Replaces the item at `path` whole (its submenu too); no item there changes nothing. The
    /// selection stays on the same position.
    virtual void setMenuItem(std::string_view window, std::string_view control,
                             const MenuPath& path, MenuItem item) = 0;
    /// The number of top-level items, separators included.
    virtual int menuItemCount(std::string_view window, std::string_view control) const = 0;
    /// Selects the first top-level item with `tag`; false, and the selection unchanged, when none
    /// has it.
    virtual bool selectMenuTag(std::string_view window, std::string_view control, int tag) = 0;
    /// Selects the top-level item at `index` (separators count); one outside the menu selects
    /// none.
    virtual void selectMenuIndex(std::string_view window, std::string_view control, int index) = 0;
    /// The tag of the selected item, or none.
    virtual std::optional<int> selectedMenuTag(std::string_view window,
                                               std::string_view control) const = 0;
    /// The position of the selected item (separators count), or -1.
    virtual int selectedMenuIndex(std::string_view window, std::string_view control) const = 0;
    /// The item the user chose last, by its tags from the top; empty before the first choice.
    virtual MenuPath chosenMenuItem(std::string_view window, std::string_view control) const = 0;

    // Radio matrices: a view whose radio buttons are its cells, placed in its grid. Clicking an
    // enabled cell selects it and raises the matrix's action (onAction on the matrix).
    virtual void selectCell(std::string_view window, std::string_view control, Cell cell) = 0;
    /// The selected cell, or none.
    virtual std::optional<Cell> selectedCell(std::string_view window,
                                             std::string_view control) const = 0;
    /// A disabled cell cannot be clicked; it can still be selected by the program.
    virtual void setCellEnabled(std::string_view window, std::string_view control, Cell cell,
                                bool enabled) = 0;
    virtual bool isCellEnabled(std::string_view window, std::string_view control,
                               Cell cell) const = 0;

    // Tab views. A tab is named by its identifier (the layout gives each page one). The user's
    // choice of another tab raises the tab view's action (onAction).
    /// Appends a tab with `label`: the page it had when it was removed, else a new, empty page
    /// named after the identifier (a container for placePanel). A tab that is there stays.
    virtual void addTab(std::string_view window, std::string_view control,
                        std::string_view identifier, std::string_view label) = 0;
    /// Takes the tab out of the view; its page is kept for addTab.
    virtual void removeTab(std::string_view window, std::string_view control,
                           std::string_view identifier) = 0;
    /// False, and the selection unchanged, when the view has no such tab.
    virtual bool selectTab(std::string_view window, std::string_view control,
                           std::string_view identifier) = 0;
    /// The selected tab's identifier, or empty.
    virtual std::string selectedTab(std::string_view window, std::string_view control) const = 0;
    virtual void setTabLabel(std::string_view window, std::string_view control,
                             std::string_view identifier, std::string_view label) = 0;

    // Tables: columns named by identifiers (the layout's), rows asked of the controller (see
    // TableSource), one selected row at most. A click on a row raises the table's action
    // (onAction), a double click its double action; a selection that the user changed (mouse or
    // keys) raises onSelectionChange before the action.
    virtual void setTableSource(std::string_view window, std::string_view control,
                                TableSource source) = 0;
    /// Asks the source for the row count and every shown cell again. The selected row stays
    /// selected when the table still has it, else there is none.
    virtual void reloadTable(std::string_view window, std::string_view control) = 0;
    virtual void setColumnTitle(std::string_view window, std::string_view control,
                                std::string_view column, std::string_view title) = 0;
    /// Selects `row` alone; kNoRow, or a row the table does not have, selects none.
    virtual void selectRow(std::string_view window, std::string_view control, int row) = 0;
    /// The selected row, or kNoRow.
    virtual int selectedRow(std::string_view window, std::string_view control) const = 0;
    /// Whether the user may leave the table with no row selected (a click beside the rows, or on
    /// the selected row with the control key); allowed unless set otherwise.
    virtual void setEmptySelectionAllowed(std::string_view window, std::string_view control,
                                          bool allowed) = 0;
    virtual void scrollToRow(std::string_view window, std::string_view control, int row) = 0;
    virtual void onDoubleAction(std::string_view window, std::string_view control, Callback) = 0;
    virtual void onSelectionChange(std::string_view window, std::string_view control, Callback) = 0;
    /// Lets the user drag a row to another place of the same table under the private drag type
    /// `dragType`; the handler hears of each drop (see RowMoveHandler) and decides what moves.
    /// Only a drag that this table started is taken, carrying one row index that the table has;
    /// a drop from another table or another program is refused. An empty handler ends
    /// reordering.
    virtual void setRowReordering(std::string_view window, std::string_view control,
                                  std::string_view dragType, RowMoveHandler handler) = 0;

    // Events of a control; setting a callback replaces the previous one. Setting a value, a text,
    // a state or a selection from the program raises none of them.
    /// A click (of a button, a check box, a radio matrix's cell, a table's row), a slider's or
    /// stepper's change, Return in a field, the choice of a pop-up's item or of another tab.
    virtual void onAction(std::string_view window, std::string_view control, Callback) = 0;
    /// The user changed the text of a field or a text view.
    virtual void onTextChanged(std::string_view window, std::string_view control, Callback) = 0;
    /// Tab or Backtab in a field; the focus still moves on.
    virtual void onTab(std::string_view window, std::string_view control, Callback) = 0;
    /// The mouse was released after tracking a slider or a stepper.
    virtual void onRelease(std::string_view window, std::string_view control, Callback) = 0;
    virtual void setEditFilter(std::string_view window, std::string_view control, EditFilter) = 0;
    virtual void onMouse(std::string_view window, std::string_view control, MouseHandler) = 0;

    // Pictures.
    virtual Size viewSize(std::string_view window, std::string_view control) const = 0;
    /// A picture view: grey ground, framed; `picture` drawn into `where` and framed when not empty.
    virtual void setPicture(std::string_view window, std::string_view control,
                            const RgbImage& picture, Rect where) = 0;
    /// A picture view showing `picture` at its origin and `marker` with its lower-left corner at
    /// `markerOrigin`.
    virtual void setMarkedPicture(std::string_view window, std::string_view control,
                                  const RgbImage& picture, const RgbaImage& marker,
                                  Point markerOrigin) = 0;
    /// A swatch: filled with the colour (0 to 1 each), black outline.
    virtual void setSwatchColor(std::string_view window, std::string_view control, double red,
                                double green, double blue) = 0;
    /// A picture of the resources ("name.type"), or none when it is missing or unreadable.
    virtual std::optional<RgbaImage> loadPicture(std::string_view resource) const = 0;

    virtual int runAlert(const Alert& alert) = 0;

    /// A repeating timer, also firing during modal runs; answers its id.
    virtual int startTimer(std::chrono::milliseconds interval, Callback) = 0;
    virtual void stopTimer(int id) = 0;
    /// The mouse cursor: a picture of the resources with its hot spot, or the arrow.
    virtual void setCursorPicture(std::string_view resource, Point hotSpot) = 0;
    virtual void restoreCursor() = 0;

    // File panels, application-modal above the key window, with no file type restriction.
    /// A save panel opened in `folder` with `proposedName` as the file name; the chosen path,
    /// or none when the user cancelled.
    virtual std::optional<std::string> runSavePanel(std::string_view folder,
                                                    std::string_view proposedName) = 0;
    /// An open panel opened in `folder`; the chosen existing file, or none when cancelled.
    virtual std::optional<std::string> runOpenPanel(std::string_view folder) = 0;

    // The workspace: files and pages opened in the desktop's default application.
    /// False when the file does not exist or no application could be started for it.
    virtual bool openFile(std::string_view path) = 0;
    /// A help page by its path or URL; false when it could not be opened.
    virtual bool openHelp(std::string_view page) = 0;

    /// Runs `call` on the main thread later, in the order of posting. Any thread.
    virtual void postToMainThread(Callback call) = 0;
    virtual bool onMainThread() const = 0;
};

}  // namespace ui
