// A scripted port for the dialog controllers' tests: it keeps every window's and control's state,
// records what the controller asked for, and lets a test act as the user (click, type, drag).
// Calls posted from other threads wait until the test runs them on its own thread.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "ui/port.h"
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
    };
    struct Window {
        bool visible = false;
        std::string title;
        std::vector<bool> shields;  // includeFrame of each
        std::string stackedAbove;
        std::map<std::string, Control, std::less<>> controls;
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
    void openHelp(std::string_view page) override { log.push_back("help " + std::string(page)); }
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
