// The quit confirmation on the window system. The job sender is a background program with its
// own poll loop and no windows: the Qt application is made only when an alert is needed, on the
// thread that asks (the program's main thread), and kept for later alerts.
#pragma once

#include <memory>
#include <string>

namespace ui {
class Port;
}

namespace jobsender {

/// Shows the quit confirmation through `port`: a modal warning alert with `message` and the
/// buttons `firstButton` (quit) and `secondButton` (keep running); true when the first was
/// chosen. Escape answers as the second button.
bool confirmQuit(ui::Port& port, const std::string& message, const std::string& firstButton,
                 const std::string& secondButton);

class QuitAlertService {
  public:
    QuitAlertService();
    ~QuitAlertService();
    QuitAlertService(const QuitAlertService&) = delete;
    QuitAlertService& operator=(const QuitAlertService&) = delete;

    /// The port on the display, opened on the first call; null when no display can be opened
    /// (none named in $DISPLAY or $WAYLAND_DISPLAY, or no platform of Qt reaches it).
    ui::Port* port();

    /// The quit confirmation on the display; false (keep running, which loses nothing) when no
    /// display can be opened.
    bool run(const std::string& message, const std::string& firstButton,
             const std::string& secondButton);

  private:
    struct Session;
    std::unique_ptr<Session> session_;
    bool unavailable_ = false;  ///< Qt started without a display; it cannot start again
};

}  // namespace jobsender
