// The port between a dialog's controller and the window system. A controller holds no toolkit
// type: it names windows by their layout name and controls by their object name, and it hears of
// the user's actions through callbacks. The toolkit's port (ui::QtPort) and the tests' scripted
// port implement it.
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

    // Controls. Numbers are the values of sliders, steppers and progress bars.
    virtual void setText(std::string_view window, std::string_view control, std::string_view) = 0;
    virtual std::string text(std::string_view window, std::string_view control) const = 0;
    virtual void setValue(std::string_view window, std::string_view control, double value) = 0;
    virtual double value(std::string_view window, std::string_view control) const = 0;
    virtual Range range(std::string_view window, std::string_view control) const = 0;
    virtual void setEnabled(std::string_view window, std::string_view control, bool) = 0;
    virtual bool isEnabled(std::string_view window, std::string_view control) const = 0;
    virtual void setHidden(std::string_view window, std::string_view control, bool) = 0;
    virtual void selectText(std::string_view window, std::string_view control) = 0;

    // Events of a control; setting a callback replaces the previous one. Setting a value or a
    // text from the program raises none of them.
    /// A click, a slider's or stepper's change, Return in a field.
    virtual void onAction(std::string_view window, std::string_view control, Callback) = 0;
    /// The user changed a field's text.
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
    virtual void openHelp(std::string_view page) = 0;

    /// Runs `call` on the main thread later, in the order of posting. Any thread.
    virtual void postToMainThread(Callback call) = 0;
    virtual bool onMainThread() const = 0;
};

}  // namespace ui
