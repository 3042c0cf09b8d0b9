// The port on Qt 6 Widgets. Windows are built from their Designer layouts (window_layouts.h) by
// name; every text of a layout is a key of the strings table and shows as its text. Pictures come
// from the resources folder. Every call that touches a widget checks that it runs on the GUI
// thread and aborts the process when it does not: a widget touched from a worker is a bug to
// find at once, never a race to hope about.
#pragma once

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
class QTimer;

namespace ui {

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
    void openHelp(std::string_view page) override;

    void postToMainThread(Callback call) override;
    bool onMainThread() const override;

    /// The hooks of one control, called by the event relay.
    struct Hooks {
        Callback action;
        Callback textChanged;
        Callback tab;
        Callback release;
        EditFilter filter;
        MouseHandler mouse;
    };

  private:
    struct Window;
    class Relay;

    Window* find(std::string_view window) const;
    QWidget* require(std::string_view window, std::string_view control) const;
    Hooks& hooks(std::string_view window, std::string_view control);
    void connectControls(QWidget* window);

    const Strings& strings_;
    const std::filesystem::path resources_;
    std::unique_ptr<Relay> relay_;
    std::map<std::string, std::unique_ptr<Window>, std::less<>> windows_;
    std::map<const QObject*, Hooks> hooks_;
    std::map<int, std::unique_ptr<QTimer>> timers_;
    std::vector<std::string> modalStack_;
    int nextTimer_ = 0;
    bool cursorSet_ = false;
};

}  // namespace ui
