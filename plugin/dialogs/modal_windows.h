// Shields and modal windows stacked above a shielded window.
//
// While a print runs, the dialog window that started it stays visible but takes no input and
// never becomes key, while the progress window on top of it stays usable: the window carries a
// shield. Modal windows begun above a window shield it and stack above the shield; when the last
// of them ends, the shield goes.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/port.h"

class FWindow {
  public:
    explicit FWindow(ui::Port& port) : port_(port) {}

    /// A new shield over the window (with `includeFrame` over its frame too); none for an empty
    /// name.
    void setShieldWindow(std::string_view window, bool includeFrame);
    /// Takes the window's first shield away; a window without one is left alone.
    void removeShieldWindow(std::string_view window);
    bool shieldWindow(std::string_view window) const;
    /// Whether the window may become key or main: not while it is shielded.
    bool canBecomeKeyWindow(std::string_view window) const;

    /// Shows `modal` above `parent`, shielding the parent over its whole frame when it has no
    /// shield yet, and makes it key; with an empty parent it is only made key.
    void beginModalWindow(std::string_view modal, std::string_view parent);
    /// Takes `modal` off its parent's list; the parent's last modal window takes the shield
    /// with it. With `orderOut` the window is closed.
    void endModalWindow(std::string_view modal, bool orderOut = true);
    /// The window whose list holds `modal`, or empty.
    std::string behindWindow(std::string_view modal) const;
    /// The modal windows above `window`, in the order they were begun.
    std::vector<std::string> modalWindows(std::string_view window) const;

  private:
    using ModalList = std::pair<std::string, std::vector<std::string>>;
    std::vector<ModalList>::iterator listOf(std::string_view window);

    ui::Port& port_;
    std::vector<ModalList> mModalWindows;  // per shielded window, in the order first begun
};
