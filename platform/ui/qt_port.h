// The port on Qt 6 Widgets. Windows are built from their Designer layouts (window_layouts.h) by
// name; every text of a layout is a key of the strings table and shows as its text. Pictures come
// from the resources folder. Every call that touches a widget checks that it runs on the GUI
// thread and aborts the process when it does not: a widget touched from a worker is a bug to
// find at once, never a race to hope about.
#pragma once

#include <QIcon>
#include <QPointer>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/port.h"
#include "ui/strings.h"

class QWidget;
class QObject;
class QEventLoop;
class QTabWidget;
class QTimer;

namespace ui {

class PopUpButton;
class TableView;

class QtPort : public Port {
  public:
    /// Needs a QApplication. `resources` is the folder of the pictures.
    QtPort(const Strings& strings, std::filesystem::path resources);
    ~QtPort() override;
    QtPort(const QtPort&) = delete;
    QtPort& operator=(const QtPort&) = delete;

    /// The loaded window of that name, or null (for tests and screenshots).
    QWidget* windowWidget(std::string_view window) const;
    QWidget* controlWidget(std::string_view window, std::string_view control) const;

    bool loadWindow(std::string_view window) override;
    void showWindow(std::string_view window) override;
    void closeWindow(std::string_view window) override;
    bool isVisible(std::string_view window) const override;
    void setTitle(std::string_view window, std::string_view title) override;
    std::string keyWindow() const override;
    void makeKey(std::string_view window) override;
    bool placePanel(std::string_view panel, std::string_view window,
                    std::string_view container) override;
    Rect windowFrame(std::string_view window) const override;
    Rect screenVisibleFrame(std::string_view window) const override;
    bool isResizable(std::string_view window) const override;
    Size minimumSize(std::string_view window) const override;
    void setWindowFrame(std::string_view window, Rect frame) override;
    void setAlphaValue(std::string_view window, double alpha) override;

    int runModal(std::string_view window, std::string_view parent) override;
    void stopModal(std::string_view window, int response) override;
    void beginModalSession(std::string_view window) override;
    void endModalSession(std::string_view window) override;
    std::string modalWindow() const override;
    void processEvents(std::chrono::milliseconds wait) override;

    void addShield(std::string_view window, bool includeFrame) override;
    void removeShield(std::string_view window) override;
    bool hasShield(std::string_view window) const override;
    void stackAbove(std::string_view child, std::string_view parent) override;

    void setText(std::string_view window, std::string_view control, std::string_view) override;
    std::string text(std::string_view window, std::string_view control) const override;
    void setValue(std::string_view window, std::string_view control, double value) override;
    double value(std::string_view window, std::string_view control) const override;
    Range range(std::string_view window, std::string_view control) const override;
    void setEnabled(std::string_view window, std::string_view control, bool) override;
    bool isEnabled(std::string_view window, std::string_view control) const override;
    void setHidden(std::string_view window, std::string_view control, bool) override;
    void selectText(std::string_view window, std::string_view control) override;
    void focus(std::string_view window, std::string_view control) override;
    void setGreyText(std::string_view window, std::string_view control, bool grey) override;
    void setChecked(std::string_view window, std::string_view control, bool) override;
    bool isChecked(std::string_view window, std::string_view control) const override;

    void clearMenu(std::string_view window, std::string_view control) override;
    void addMenuItem(std::string_view window, std::string_view control, MenuItem item) override;
    std::optional<MenuItem> menuItem(std::string_view window, std::string_view control,
                                     const MenuPath& path) const override;
    void setMenuItem(std::string_view window, std::string_view control, const MenuPath& path,
                     MenuItem item) override;
    int menuItemCount(std::string_view window, std::string_view control) const override;
    bool selectMenuTag(std::string_view window, std::string_view control, int tag) override;
    void selectMenuIndex(std::string_view window, std::string_view control, int index) override;
    std::optional<int> selectedMenuTag(std::string_view window,
                                       std::string_view control) const override;
    int selectedMenuIndex(std::string_view window, std::string_view control) const override;
    MenuPath chosenMenuItem(std::string_view window, std::string_view control) const override;

    void selectCell(std::string_view window, std::string_view control, Cell cell) override;
    std::optional<Cell> selectedCell(std::string_view window,
                                     std::string_view control) const override;
    void setCellEnabled(std::string_view window, std::string_view control, Cell cell,
                        bool enabled) override;
    bool isCellEnabled(std::string_view window, std::string_view control, Cell cell) const override;

    void addTab(std::string_view window, std::string_view control, std::string_view identifier,
                std::string_view label) override;
    void removeTab(std::string_view window, std::string_view control,
                   std::string_view identifier) override;
    bool selectTab(std::string_view window, std::string_view control,
                   std::string_view identifier) override;
    std::string selectedTab(std::string_view window, std::string_view control) const override;
    void setTabLabel(std::string_view window, std::string_view control, std::string_view identifier,
                     std::string_view label) override;

    void setTableSource(std::string_view window, std::string_view control,
                        TableSource source) override;
    void reloadTable(std::string_view window, std::string_view control) override;
    void setColumnTitle(std::string_view window, std::string_view control, std::string_view column,
                        std::string_view title) override;
    void selectRow(std::string_view window, std::string_view control, int row) override;
    int selectedRow(std::string_view window, std::string_view control) const override;
    void setEmptySelectionAllowed(std::string_view window, std::string_view control,
                                  bool allowed) override;
    void scrollToRow(std::string_view window, std::string_view control, int row) override;
    void onDoubleAction(std::string_view window, std::string_view control, Callback) override;
    void onSelectionChange(std::string_view window, std::string_view control, Callback) override;
    void setRowReordering(std::string_view window, std::string_view control,
                          std::string_view dragType, RowMoveHandler handler) override;

    void onAction(std::string_view window, std::string_view control, Callback) override;
    void onTextChanged(std::string_view window, std::string_view control, Callback) override;
    void onTab(std::string_view window, std::string_view control, Callback) override;
    void onRelease(std::string_view window, std::string_view control, Callback) override;
    void setEditFilter(std::string_view window, std::string_view control, EditFilter) override;
    void onMouse(std::string_view window, std::string_view control, MouseHandler) override;

    Size viewSize(std::string_view window, std::string_view control) const override;
    void setPicture(std::string_view window, std::string_view control, const RgbImage& picture,
                    Rect where) override;
    void setMarkedPicture(std::string_view window, std::string_view control,
                          const RgbImage& picture, const RgbaImage& marker,
                          Point markerOrigin) override;
    void setSwatchColor(std::string_view window, std::string_view control, double red, double green,
                        double blue) override;
    std::optional<RgbaImage> loadPicture(std::string_view resource) const override;

    int runAlert(const Alert& alert) override;

    int startTimer(std::chrono::milliseconds interval, Callback) override;
    void stopTimer(int id) override;
    void setCursorPicture(std::string_view resource, Point hotSpot) override;
    void restoreCursor() override;

    std::optional<std::string> runSavePanel(std::string_view folder,
                                            std::string_view proposedName) override;
    std::optional<std::string> runOpenPanel(std::string_view folder) override;
    bool openFile(std::string_view path) override;
    bool openHelp(std::string_view page) override;

    void postToMainThread(Callback call) override;
    bool onMainThread() const override;

    /// The hooks of one control, called by the event relay.
    struct Hooks {
        Callback action;
        Callback textChanged;
        Callback tab;
        Callback release;
        Callback doubleAction;
        Callback selectionChange;
        EditFilter filter;
        MouseHandler mouse;
    };

  private:
    struct Window;
    class Relay;

    Window* find(std::string_view window) const;
    QWidget* require(std::string_view window, std::string_view control) const;
    Hooks& hooks(std::string_view window, std::string_view control);
    /// Translates the texts of a new window's or panel's controls and connects their events.
    void connectControls(QWidget* window);
    void call(QObject* control, Callback Hooks::*hook);
    QString translate(const QString& key) const;
    /// A picture of the resources as an icon, loaded once.
    QIcon picture(const std::string& resource) const;
    PopUpButton* popUp(std::string_view window, std::string_view control) const;
    TableView* table(std::string_view window, std::string_view control) const;
    QTabWidget* tabView(std::string_view window, std::string_view control) const;

    const Strings& strings_;
    const std::filesystem::path resources_;
    std::unique_ptr<Relay> relay_;
    std::map<std::string, std::unique_ptr<Window>, std::less<>> windows_;
    std::map<const QObject*, Hooks> hooks_;
    std::map<int, std::unique_ptr<QTimer>> timers_;
    mutable std::map<std::string, QIcon, std::less<>> pictures_;
    // Pages taken out of their tab views, kept for addTab; with their tab view.
    std::vector<std::pair<QPointer<QWidget>, QPointer<QWidget>>> removedTabs_;
    std::vector<std::string> modalStack_;
    int nextTimer_ = 0;
    bool cursorSet_ = false;
};

}  // namespace ui
