#include "alert/quit_alert.h"

#include <QApplication>
#include <cstdlib>
#include <string_view>

#include "ui/qt_port.h"
#include "ui/strings.h"

namespace jobsender {
namespace {

// The platforms tried in turn: the user's choice, X11, Wayland, and last the offscreen platform,
// which always starts, so that Qt never aborts for want of a platform. Ending up on it means that
// no display could be reached.
constexpr char kDisplayPlatforms[] = "xcb;wayland";
constexpr char kOffscreen[] = "offscreen";
constexpr char kPlatformVariable[] = "QT_QPA_PLATFORM";

bool variableSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0';
}

std::string platformChoice() {
    std::string platforms;
    if (variableSet(kPlatformVariable)) {
        platforms.append(std::getenv(kPlatformVariable)).append(";");
    }
    platforms.append(kDisplayPlatforms).append(";").append(kOffscreen);
    return platforms;
}

// The alert's texts come ready made: the port's table gives every key back as it stands.
class TextsAsGiven final : public ui::Strings {
  public:
    std::string text(std::string_view key) const override { return std::string(key); }
};

}  // namespace

bool confirmQuit(ui::Port& port, const std::string& message, const std::string& firstButton,
                 const std::string& secondButton) {
    const ui::Alert alert{ui::AlertStyle::warning, message, {}, {firstButton, secondButton}};
    return port.runAlert(alert) == ui::kAlertFirstButtonReturn;
}

// The application's arguments live as long as the application, which keeps references to them.
struct QuitAlertService::Session {
    std::string program = "JobSenderAgent";
    std::string platformOption = "-platform";
    std::string platforms = platformChoice();
    int argc = 3;
    char* argv[4] = {program.data(), platformOption.data(), platforms.data(), nullptr};
    QApplication application{argc, argv};
    TextsAsGiven strings;
    ui::QtPort port{strings, {}};
};

QuitAlertService::QuitAlertService() = default;
QuitAlertService::~QuitAlertService() = default;

ui::Port* QuitAlertService::port() {
    if (session_) {
        return &session_->port;
    }
    if (unavailable_ || (!variableSet("DISPLAY") && !variableSet("WAYLAND_DISPLAY"))) {
        return nullptr;
    }
    auto session = std::make_unique<Session>();
    if (QGuiApplication::platformName() == QLatin1StringView(kOffscreen)) {
        unavailable_ = true;
        return nullptr;
    }
    session_ = std::move(session);
    return &session_->port;
}

bool QuitAlertService::run(const std::string& message, const std::string& firstButton,
                           const std::string& secondButton) {
    ui::Port* display = port();
    return display != nullptr && confirmQuit(*display, message, firstButton, secondButton);
}

}  // namespace jobsender
