// A scripted port for the dialog controllers' tests: it keeps every window's and control's state,
// records what the controller asked for, and lets a test act as the user (click, type, drag,
// choose menu items, cells, tabs and rows, answer file panels). Calls posted from other threads
// wait until the test runs them on its own thread. A layout's contents are unknown here: a test
// seeds what a layout would hold (a tab view's tabs) through control().
#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "ui/port.h"
#include "ui/row_drag.h"
#include "ui/strings.h"

namespace dialogs_test {

class ScriptedPort : public ui::Port {
  public:
    struct Control {
        std::string text;
        double value = 0;
        ui::Range range{0, 100};
        bool enabled = true;
        bool hidden = false;
        int selections = 0;
        Callback action, textChanged, tab, release;
        EditFilter filter;
        MouseHandler mouse;
        ui::Size size{201, 81};
        ui::RgbImage picture;
        ui::Rect where;
        ui::RgbaImage marker;
        ui::Point markerOrigin;
        double swatch[3] = {-1, -1, -1};
        int drawings = 0;
        bool checked = false;
        bool greyText = false;
        // A pop-up button.
        std::vector<ui::MenuItem> menu;
        int selectedItem = -1;
        ui::MenuPath chosen;
        // A radio matrix.
        std::optional<ui::Cell> cell;
        std::vector<ui::Cell> disabledCells;
        // A tab view: (identifier, label) in order, and the removed ones.
        std::vector<std::pair<std::string, std::string>> tabs, removedTabs;
        std::string selectedTab;
        // A table; rowCount is the source's count at the last reload.
        ui::TableSource source;
        int rowCount = 0;
        int reloads = 0;
        int selectedRow = ui::kNoRow;
        bool emptySelectionAllowed = true;
        int scrolledTo = ui::kNoRow;
        std::map<std::string, std::string, std::less<>> columnTitles;
        Callback doubleAction, selectionChange;
        std::string dragType;
        ui::RowMoveHandler rowMove;
    };
    struct Window {
        bool visible = false;
        std::string title;
        std::vector<bool> shields;  // includeFrame of each
        std::string stackedAbove;
        std::string focus;                // the control with the keyboard focus
        std::string placedIn, container;  // a panel's window and container
        std::map<std::string, Control, std::less<>> controls;
        ui::Rect frame;
        ui::Rect visibleFrame;  // of its screen
        bool resizable = false;
        ui::Size minimumSize;
        double alpha = 1;
    };

    std::set<std::string, std::less<>> layouts{"PLProgress"};
    std::map<std::string, Window, std::less<>> windows;
    std::map<std::string, ui::RgbaImage, std::less<>> pictures;
    std::vector<ui::Alert> alerts;
    std::deque<int> alertResponses;  // empty: the first button
    std::string key;
    std::vector<std::string> modal;
    std::vector<std::string> log;
    std::vector<std::string> cursors;  // "" for the arrow
    std::map<int, Callback> timers;
    std::function<void()> userDuringModalRun;       // acts while runModal runs
    std::function<void()> userDuringProcessEvents;  // acts when processEvents turns
    std::vector<std::chrono::milliseconds> waits;
    std::deque<std::optional<std::string>> savePanelAnswers;  // empty: cancelled
    std::deque<std::optional<std::string>> openPanelAnswers;  // empty: cancelled
    bool workspaceOpens = true;                               // what openFile and openHelp answer
    std::thread::id mainThread = std::this_thread::get_id();

    Control& control(std::string_view window, std::string_view name) {
        return windows[std::string(window)].controls[std::string(name)];
    }

    // The user's acts.
    void click(std::string_view window, std::string_view name) {
        fire(control(window, name).action);
    }
    /// Types `text` over the whole field through its filter; answers whether it was taken.
    bool type(std::string_view window, std::string_view name, std::u32string typed,
              std::size_t location, std::size_t length) {
        Control& field = control(window, name);
        std::u32string text = toU32(field.text);
        if (field.filter && !field.filter(ui::TextEdit{text, location, length, typed})) {
            return false;
        }
        text.replace(location, length, typed);
        field.text = toUtf8(text);
        fire(field.textChanged);
        return true;
    }
    void setTextByUser(std::string_view window, std::string_view name, std::string text) {
        control(window, name).text = std::move(text);
        fire(control(window, name).textChanged);
    }
    void tab(std::string_view window, std::string_view name) { fire(control(window, name).tab); }
    void moveByUser(std::string_view window, std::string_view name, double value) {
        control(window, name).value = value;
        fire(control(window, name).action);
    }
    void release(std::string_view window, std::string_view name) {
        fire(control(window, name).release);
    }
    void mouse(std::string_view window, std::string_view name, ui::MousePhase phase,
               ui::Point point) {
        if (auto handler = control(window, name).mouse) {
            handler(phase, point);
        }
    }
    /// Chooses the item at `path` from the pop-up's menu; false for a missing, disabled or
    /// separator item, which raises nothing.
    bool chooseMenuItem(std::string_view window, std::string_view name, const ui::MenuPath& path) {
        Control& popUp = control(window, name);
        const ui::MenuItem* item = ui::findMenuItem(popUp.menu, path);
        if (item == nullptr || !item->enabled) {
            return false;
        }
        if (path.size() == 1) {
            popUp.selectedItem = static_cast<int>(item - popUp.menu.data());
        }
        popUp.chosen = path;
        fire(popUp.action);
        return true;
    }
    /// Clicks a cell of a radio matrix; false for a disabled cell, which raises nothing.
    bool clickCell(std::string_view window, std::string_view name, ui::Cell cell) {
        Control& matrix = control(window, name);
        if (std::find(matrix.disabledCells.begin(), matrix.disabledCells.end(), cell) !=
            matrix.disabledCells.end()) {
            return false;
        }
        matrix.cell = cell;
        fire(matrix.action);
        return true;
    }
    void clickCheckBox(std::string_view window, std::string_view name) {
        control(window, name).checked = !control(window, name).checked;
        fire(control(window, name).action);
    }
    /// Chooses another tab; false when the view has no such tab or it is already selected.
    bool chooseTab(std::string_view window, std::string_view name, std::string_view identifier) {
        Control& view = control(window, name);
        if (view.selectedTab == identifier || tabAt(view.tabs, identifier) == view.tabs.end()) {
            return false;
        }
        view.selectedTab = identifier;
        fire(view.action);
        return true;
    }
    /// Clicks a row (kNoRow: beside the rows), with the control key or not: the selection
    /// changes as on the screen, then the action follows a click on a row.
    void clickRow(std::string_view window, std::string_view name, int row,
                  bool controlKey = false) {
        Control& table = control(window, name);
        const bool onRow = row >= 0 && row < table.rowCount;
        int selected = onRow ? row : ui::kNoRow;
        if (onRow && controlKey && row == table.selectedRow) {
            selected = ui::kNoRow;
        }
        if (selected == ui::kNoRow && !table.emptySelectionAllowed) {
            selected = table.selectedRow;
        }
        selectRowByUser(table, selected);
        if (onRow) {
            fire(table.action);
        }
    }
    void doubleClickRow(std::string_view window, std::string_view name, int row) {
        clickRow(window, name, row);
        fire(control(window, name).doubleAction);
    }
    /// Moves the selection with the keyboard to a row the table has.
    void keyToRow(std::string_view window, std::string_view name, int row) {
        Control& table = control(window, name);
        if (row >= 0 && row < table.rowCount) {
            selectRowByUser(table, row);
        }
    }
    /// Drags `sourceRow` and drops it where the pointer proposes `proposedRow` (−1: below the
    /// last row), under the rules of every port; false when the table takes no such drop.
    bool dragRow(std::string_view window, std::string_view name, int sourceRow, int proposedRow) {
        Control& table = control(window, name);
        const auto dragged = ui::draggedRow(ui::rowDragData(sourceRow), table.rowCount);
        if (!table.rowMove || !dragged) {
            return false;
        }
        ui::RowMoveHandler handler = table.rowMove;
        handler(*dragged, ui::dropInsertionRow(proposedRow, table.rowCount));
        return true;
    }
    /// What a table shows in a cell, as the port would ask it.
    ui::TableCell shownCell(std::string_view window, std::string_view name, std::string_view column,
                            int row) {
        const Control& table = control(window, name);
        return row < table.rowCount && table.source.cell ? table.source.cell(column, row)
                                                         : ui::TableCell{};
    }
    /// Runs the calls posted from other threads; answers how many ran.
    std::size_t runPosted() {
        std::vector<Callback> calls;
        {
            std::lock_guard lock(postedMutex_);
            calls.swap(posted_);
        }
        for (auto& call : calls) {
            call();
        }
        return calls.size();
    }
    void tick(int timer) { fire(timers.at(timer)); }

    // The port.
    bool loadWindow(std::string_view window) override {
        checkThread();
        if (!layouts.contains(window)) {
            return false;
        }
        windows[std::string(window)];
        return true;
    }
    void showWindow(std::string_view window) override {
        windows[std::string(window)].visible = true;
    }
    void closeWindow(std::string_view window) override {
        windows[std::string(window)].visible = false;
        log.push_back("close " + std::string(window));
    }
    bool isVisible(std::string_view window) const override {
        const auto found = windows.find(window);
        return found != windows.end() && found->second.visible;
    }
    void setTitle(std::string_view window, std::string_view title) override {
        windows[std::string(window)].title = title;
    }
    std::string keyWindow() const override { return key; }
    void makeKey(std::string_view window) override {
        if (!hasShield(window)) {
            key = window;
        }
    }
    bool placePanel(std::string_view panel, std::string_view window,
                    std::string_view container) override {
        const auto placed = windows.find(panel);
        if (!layouts.contains(panel) || !windows.contains(window) ||
            (placed != windows.end() && !placed->second.placedIn.empty())) {
            return false;
        }
        Window& entry = windows[std::string(panel)];
        entry.placedIn = window;
        entry.container = container;
        entry.visible = true;
        return true;
    }
    ui::Rect windowFrame(std::string_view window) const override {
        const auto found = windows.find(window);
        return found == windows.end() ? ui::Rect{} : found->second.frame;
    }
    ui::Rect screenVisibleFrame(std::string_view window) const override {
        const auto found = windows.find(window);
        return found == windows.end() ? ui::Rect{} : found->second.visibleFrame;
    }
    bool isResizable(std::string_view window) const override {
        const auto found = windows.find(window);
        return found != windows.end() && found->second.resizable;
    }
    ui::Size minimumSize(std::string_view window) const override {
        const auto found = windows.find(window);
        return found == windows.end() ? ui::Size{} : found->second.minimumSize;
    }
    void setWindowFrame(std::string_view window, ui::Rect frame) override {
        log.push_back("frame " + std::string(window));
        windows[std::string(window)].frame = frame;
    }
    void setAlphaValue(std::string_view window, double alpha) override {
        windows[std::string(window)].alpha = alpha;
    }
    int runModal(std::string_view window, std::string_view) override {
        log.push_back("runModal " + std::string(window));
        modal.emplace_back(window);
        windows[std::string(window)].visible = true;
        stopped_ = false;
        if (userDuringModalRun) {
            userDuringModalRun();
        }
        std::erase(modal, window);
        windows[std::string(window)].visible = false;
        return stopped_ ? response_ : -1;
    }
    void stopModal(std::string_view window, int response) override {
        log.push_back("stopModal " + std::string(window));
        stopped_ = true;
        response_ = response;
    }
    void beginModalSession(std::string_view window) override {
        log.push_back("begin " + std::string(window));
        windows[std::string(window)].visible = true;
        modal.emplace_back(window);
    }
    void endModalSession(std::string_view window) override {
        log.push_back("end " + std::string(window));
        std::erase(modal, window);
    }
    std::string modalWindow() const override { return modal.empty() ? "" : modal.back(); }
    void processEvents(std::chrono::milliseconds wait) override {
        checkThread();
        waits.push_back(wait);
        if (userDuringProcessEvents) {
            userDuringProcessEvents();
        }
    }
    void addShield(std::string_view window, bool includeFrame) override {
        windows[std::string(window)].shields.push_back(includeFrame);
    }
    void removeShield(std::string_view window) override {
        auto& shields = windows[std::string(window)].shields;
        if (!shields.empty()) {
            shields.erase(shields.begin());
        }
    }
    bool hasShield(std::string_view window) const override {
        const auto found = windows.find(window);
        return found != windows.end() && !found->second.shields.empty();
    }
    void stackAbove(std::string_view child, std::string_view parent) override {
        windows[std::string(child)].stackedAbove = parent;
    }
    void setText(std::string_view window, std::string_view name, std::string_view text) override {
        checkThread();
        control(window, name).text = text;
    }
    std::string text(std::string_view window, std::string_view name) const override {
        return find(window, name).text;
    }
    void setValue(std::string_view window, std::string_view name, double value) override {
        checkThread();
        control(window, name).value = value;
    }
    double value(std::string_view window, std::string_view name) const override {
        return find(window, name).value;
    }
    ui::Range range(std::string_view window, std::string_view name) const override {
        return find(window, name).range;
    }
    void setEnabled(std::string_view window, std::string_view name, bool enabled) override {
        control(window, name).enabled = enabled;
    }
    bool isEnabled(std::string_view window, std::string_view name) const override {
        return find(window, name).enabled;
    }
    void setHidden(std::string_view window, std::string_view name, bool hidden) override {
        control(window, name).hidden = hidden;
    }
    void selectText(std::string_view window, std::string_view name) override {
        ++control(window, name).selections;
    }
    void focus(std::string_view window, std::string_view name) override {
        windows[std::string(window)].focus = name;
    }
    void setGreyText(std::string_view window, std::string_view name, bool grey) override {
        control(window, name).greyText = grey;
    }
    void setChecked(std::string_view window, std::string_view name, bool checked) override {
        control(window, name).checked = checked;
    }
    bool isChecked(std::string_view window, std::string_view name) const override {
        return find(window, name).checked;
    }
    void clearMenu(std::string_view window, std::string_view name) override {
        control(window, name).menu.clear();
        control(window, name).selectedItem = -1;
    }
    void addMenuItem(std::string_view window, std::string_view name, ui::MenuItem item) override {
        Control& popUp = control(window, name);
        popUp.menu.push_back(std::move(item));
        if (popUp.selectedItem < 0 && !popUp.menu.back().separator) {
            popUp.selectedItem = static_cast<int>(popUp.menu.size()) - 1;
        }
    }
    std::optional<ui::MenuItem> menuItem(std::string_view window, std::string_view name,
                                         const ui::MenuPath& path) const override {
        const ui::MenuItem* item = ui::findMenuItem(find(window, name).menu, path);
        return item == nullptr ? std::nullopt : std::optional(*item);
    }
    void setMenuItem(std::string_view window, std::string_view name, const ui::MenuPath& path,
                     ui::MenuItem item) override {
        if (ui::MenuItem* old = ui::findMenuItem(control(window, name).menu, path)) {
            *old = std::move(item);
        }
    }
    int menuItemCount(std::string_view window, std::string_view name) const override {
        return static_cast<int>(find(window, name).menu.size());
    }
    bool selectMenuTag(std::string_view window, std::string_view name, int tag) override {
        Control& popUp = control(window, name);
        const ui::MenuItem* item = ui::findMenuItem(popUp.menu, {tag});
        if (item == nullptr) {
            return false;
        }
        popUp.selectedItem = static_cast<int>(item - popUp.menu.data());
        return true;
    }
    void selectMenuIndex(std::string_view window, std::string_view name, int index) override {
        Control& popUp = control(window, name);
        popUp.selectedItem = index >= 0 && index < static_cast<int>(popUp.menu.size()) ? index : -1;
    }
    std::optional<int> selectedMenuTag(std::string_view window,
                                       std::string_view name) const override {
        const Control& popUp = find(window, name);
        if (popUp.selectedItem < 0 || popUp.selectedItem >= static_cast<int>(popUp.menu.size())) {
            return std::nullopt;
        }
        return popUp.menu[popUp.selectedItem].tag;
    }
    int selectedMenuIndex(std::string_view window, std::string_view name) const override {
        return find(window, name).selectedItem;
    }
    ui::MenuPath chosenMenuItem(std::string_view window, std::string_view name) const override {
        return find(window, name).chosen;
    }
    void selectCell(std::string_view window, std::string_view name, ui::Cell cell) override {
        control(window, name).cell = cell;
    }
    std::optional<ui::Cell> selectedCell(std::string_view window,
                                         std::string_view name) const override {
        return find(window, name).cell;
    }
    void setCellEnabled(std::string_view window, std::string_view name, ui::Cell cell,
                        bool enabled) override {
        auto& disabled = control(window, name).disabledCells;
        std::erase(disabled, cell);
        if (!enabled) {
            disabled.push_back(cell);
        }
    }
    bool isCellEnabled(std::string_view window, std::string_view name,
                       ui::Cell cell) const override {
        const auto& disabled = find(window, name).disabledCells;
        return std::find(disabled.begin(), disabled.end(), cell) == disabled.end();
    }
    void addTab(std::string_view window, std::string_view name, std::string_view identifier,
                std::string_view label) override {
        Control& view = control(window, name);
        if (tabAt(view.tabs, identifier) != view.tabs.end()) {
            return;
        }
        std::erase_if(view.removedTabs,
                      [identifier](const auto& tab) { return tab.first == identifier; });
        view.tabs.emplace_back(identifier, label);
        if (view.selectedTab.empty()) {
            view.selectedTab = identifier;
        }
    }
    void removeTab(std::string_view window, std::string_view name,
                   std::string_view identifier) override {
        Control& view = control(window, name);
        const auto tab = tabAt(view.tabs, identifier);
        if (tab == view.tabs.end()) {
            return;
        }
        // As on the screen, the selection moves to the tab that takes the removed one's place,
        // else to the last one.
        const auto index = tab - view.tabs.begin();
        view.removedTabs.push_back(*tab);
        view.tabs.erase(tab);
        if (view.selectedTab == identifier) {
            view.selectedTab = view.tabs.empty()               ? std::string()
                               : index < std::ssize(view.tabs) ? view.tabs[index].first
                                                               : view.tabs.back().first;
        }
    }
    bool selectTab(std::string_view window, std::string_view name,
                   std::string_view identifier) override {
        Control& view = control(window, name);
        if (tabAt(view.tabs, identifier) == view.tabs.end()) {
            return false;
        }
        view.selectedTab = identifier;
        return true;
    }
    std::string selectedTab(std::string_view window, std::string_view name) const override {
        return find(window, name).selectedTab;
    }
    void setTabLabel(std::string_view window, std::string_view name, std::string_view identifier,
                     std::string_view label) override {
        Control& view = control(window, name);
        if (const auto tab = tabAt(view.tabs, identifier); tab != view.tabs.end()) {
            tab->second = label;
        }
    }
    void setTableSource(std::string_view window, std::string_view name,
                        ui::TableSource source) override {
        control(window, name).source = std::move(source);
        reloadTable(window, name);
    }
    void reloadTable(std::string_view window, std::string_view name) override {
        Control& table = control(window, name);
        table.rowCount = table.source.rowCount ? table.source.rowCount() : 0;
        ++table.reloads;
        if (table.selectedRow >= table.rowCount) {
            table.selectedRow = ui::kNoRow;
        }
    }
    void setColumnTitle(std::string_view window, std::string_view name, std::string_view column,
                        std::string_view title) override {
        control(window, name).columnTitles[std::string(column)] = title;
    }
    void selectRow(std::string_view window, std::string_view name, int row) override {
        Control& table = control(window, name);
        table.selectedRow = row >= 0 && row < table.rowCount ? row : ui::kNoRow;
    }
    int selectedRow(std::string_view window, std::string_view name) const override {
        return find(window, name).selectedRow;
    }
    void setEmptySelectionAllowed(std::string_view window, std::string_view name,
                                  bool allowed) override {
        control(window, name).emptySelectionAllowed = allowed;
    }
    void scrollToRow(std::string_view window, std::string_view name, int row) override {
        control(window, name).scrolledTo = row;
    }
    void onDoubleAction(std::string_view window, std::string_view name,
                        Callback callback) override {
        control(window, name).doubleAction = std::move(callback);
    }
    void onSelectionChange(std::string_view window, std::string_view name,
                           Callback callback) override {
        control(window, name).selectionChange = std::move(callback);
    }
    void setRowReordering(std::string_view window, std::string_view name, std::string_view dragType,
                          ui::RowMoveHandler handler) override {
        Control& table = control(window, name);
        table.dragType = handler ? std::string(dragType) : std::string();
        table.rowMove = std::move(handler);
    }
    void onAction(std::string_view window, std::string_view name, Callback callback) override {
        control(window, name).action = std::move(callback);
    }
    void onTextChanged(std::string_view window, std::string_view name, Callback callback) override {
        control(window, name).textChanged = std::move(callback);
    }
    void onTab(std::string_view window, std::string_view name, Callback callback) override {
        control(window, name).tab = std::move(callback);
    }
    void onRelease(std::string_view window, std::string_view name, Callback callback) override {
        control(window, name).release = std::move(callback);
    }
    void setEditFilter(std::string_view window, std::string_view name, EditFilter filter) override {
        control(window, name).filter = std::move(filter);
    }
    void onMouse(std::string_view window, std::string_view name, MouseHandler handler) override {
        control(window, name).mouse = std::move(handler);
    }
    ui::Size viewSize(std::string_view window, std::string_view name) const override {
        return find(window, name).size;
    }
    void setPicture(std::string_view window, std::string_view name, const ui::RgbImage& picture,
                    ui::Rect where) override {
        Control& view = control(window, name);
        view.picture = picture;
        view.where = where;
        ++view.drawings;
    }
    void setMarkedPicture(std::string_view window, std::string_view name,
                          const ui::RgbImage& picture, const ui::RgbaImage& marker,
                          ui::Point origin) override {
        Control& view = control(window, name);
        view.picture = picture;
        view.marker = marker;
        view.markerOrigin = origin;
        ++view.drawings;
    }
    void setSwatchColor(std::string_view window, std::string_view name, double red, double green,
                        double blue) override {
        Control& view = control(window, name);
        view.swatch[0] = red;
        view.swatch[1] = green;
        view.swatch[2] = blue;
    }
    std::optional<ui::RgbaImage> loadPicture(std::string_view resource) const override {
        const auto found = pictures.find(resource);
        return found == pictures.end() ? std::nullopt : std::optional(found->second);
    }
    int runAlert(const ui::Alert& alert) override {
        alerts.push_back(alert);
        key.clear();  // the alert is key while it runs
        if (alertResponses.empty()) {
            return ui::kAlertFirstButtonReturn;
        }
        const int response = alertResponses.front();
        alertResponses.pop_front();
        return response;
    }
    int startTimer(std::chrono::milliseconds, Callback callback) override {
        timers[nextTimer_] = std::move(callback);
        return nextTimer_++;
    }
    void stopTimer(int id) override { timers.erase(id); }
    void setCursorPicture(std::string_view resource, ui::Point) override {
        cursors.emplace_back(resource);
    }
    void restoreCursor() override { cursors.emplace_back(); }
    std::optional<std::string> runSavePanel(std::string_view folder,
                                            std::string_view proposedName) override {
        log.push_back("savePanel " + std::string(folder) + " " + std::string(proposedName));
        return nextAnswer(savePanelAnswers);
    }
    std::optional<std::string> runOpenPanel(std::string_view folder) override {
        log.push_back("openPanel " + std::string(folder));
        return nextAnswer(openPanelAnswers);
    }
    bool openFile(std::string_view path) override {
        log.push_back("open " + std::string(path));
        return workspaceOpens;
    }
    bool openHelp(std::string_view page) override {
        log.push_back("help " + std::string(page));
        return workspaceOpens;
    }
    void postToMainThread(Callback call) override {
        std::lock_guard lock(postedMutex_);
        posted_.push_back(std::move(call));
    }
    bool onMainThread() const override { return std::this_thread::get_id() == mainThread; }

    /// Widget operations seen off the main thread.
    int offThreadCalls = 0;

  private:
    static void fire(const Callback& callback) {
        if (callback) {
            Callback copy = callback;
            copy();
        }
    }
    void checkThread() {
        if (!onMainThread()) {
            ++offThreadCalls;
        }
    }
    const Control& find(std::string_view window, std::string_view name) const {
        static const Control kNone;
        const auto w = windows.find(window);
        if (w == windows.end()) {
            return kNone;
        }
        const auto c = w->second.controls.find(name);
        return c == w->second.controls.end() ? kNone : c->second;
    }
    using Tabs = std::vector<std::pair<std::string, std::string>>;
    static Tabs::iterator tabAt(Tabs& tabs, std::string_view identifier) {
        return std::find_if(tabs.begin(), tabs.end(),
                            [identifier](const auto& tab) { return tab.first == identifier; });
    }
    static std::optional<std::string> nextAnswer(std::deque<std::optional<std::string>>& answers) {
        if (answers.empty()) {
            return std::nullopt;
        }
        auto answer = std::move(answers.front());
        answers.pop_front();
        return answer;
    }
    static void selectRowByUser(Control& table, int row) {
        if (row != table.selectedRow) {
            table.selectedRow = row;
            fire(table.selectionChange);
        }
    }
    static std::u32string toU32(const std::string& text) {
        return std::u32string(text.begin(), text.end());  // the tests type ASCII
    }
    static std::string toUtf8(const std::u32string& text) {
        std::string out;
        for (char32_t c : text) {
            out.push_back(static_cast<char>(c));
        }
        return out;
    }

    std::mutex postedMutex_;
    std::vector<Callback> posted_;
    bool stopped_ = false;
    int response_ = 0;
    int nextTimer_ = 0;
};

/// A strings table in memory; a key it lacks shows as the key.
class TableStrings : public ui::Strings {
  public:
    TableStrings() = default;
    TableStrings(std::initializer_list<std::pair<const std::string, std::string>> texts)
        : texts_(texts) {}
    std::string text(std::string_view key) const override {
        const auto found = texts_.find(key);
        return found == texts_.end() ? std::string(key) : found->second;
    }

  private:
    std::map<std::string, std::string, std::less<>> texts_;
};

}  // namespace dialogs_test
