// The quit confirmation as the program shows it: the Qt application made on the first alert and
// kept for the next, on a private X server; and the answer "keep running", without a crash, when
// no display can be opened.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <string>

#include "alert/quit_alert.h"
#include "alert_answer.h"
#include "qt/xvfb_display.h"
#include "support/scoped_variable.h"
#include "unserved_display.h"

namespace {

using sendertest::whenAlertAppears;
using testsupport::ScopedVariable;

// No desktop session here: without a bus address libdbus would start one for the X display.
constexpr const char* kNoBus = "unix:path=/nonexistent/session-bus";

struct Unreachable {
    const char* name;
    const char* display;  // null: unset; "dead": a display nobody serves
    const char* wayland;
    const char* platform;  // the user's QT_QPA_PLATFORM
};

class NoDisplay : public ::testing::TestWithParam<Unreachable> {};

TEST_P(NoDisplay, AnswersKeepRunning) {
    const Unreachable& c = GetParam();
    const std::string dead = sendertest::unservedXDisplay();
    const bool isDead = c.display != nullptr && std::string(c.display) == "dead";
    ScopedVariable display("DISPLAY", isDead ? dead.c_str() : c.display);
    ScopedVariable wayland("WAYLAND_DISPLAY", c.wayland);
    ScopedVariable platform("QT_QPA_PLATFORM", c.platform);
    ScopedVariable bus("DBUS_SESSION_BUS_ADDRESS", kNoBus);
    jobsender::QuitAlertService service;
    for (int attempt = 0; attempt < 2; ++attempt) {  // and again, once it knows
        EXPECT_EQ(service.port(), nullptr);
        EXPECT_FALSE(service.run("Quit anyway?", "Quit", "Cancel"));
    }
    if (c.display == nullptr && c.wayland == nullptr) {
        EXPECT_EQ(QCoreApplication::instance(), nullptr);  // Qt is not even started
    }
}

INSTANTIATE_TEST_SUITE_P(
    QuitAlertService, NoDisplay,
    ::testing::Values(Unreachable{"NoneNamed", nullptr, nullptr, nullptr},
                      Unreachable{"EmptyNames", "", "", nullptr},
                      Unreachable{"DeadX", "dead", nullptr, nullptr},
                      Unreachable{"DeadWayland", nullptr, "stratoline-no-such-socket", nullptr},
                      Unreachable{"DeadXWithTheUsersPlatform", "dead", nullptr, "xcb"},
                      Unreachable{"UnknownPlatform", "dead", nullptr, "no-such-platform"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(QuitAlertService, OpensTheDisplayOnceAndAsksOnIt) {
    qt_test::XvfbDisplay server;
    if (server.name().empty()) {
        GTEST_SKIP() << "Xvfb did not start";
    }
    ScopedVariable display("DISPLAY", server.name().c_str());
    ScopedVariable wayland("WAYLAND_DISPLAY", nullptr);
    ScopedVariable platform("QT_QPA_PLATFORM", nullptr);
    ScopedVariable bus("DBUS_SESSION_BUS_ADDRESS", kNoBus);
    jobsender::QuitAlertService service;
    ASSERT_NE(service.port(), nullptr);
    EXPECT_EQ(QGuiApplication::platformName(), "xcb");
    const QCoreApplication* application = QCoreApplication::instance();

    const auto answer = [](const char* title) {
        whenAlertAppears([title](QMessageBox& box) { sendertest::click(box, title); });
    };
    answer("Cancel");
    EXPECT_FALSE(service.run("Quit anyway?", "Quit", "Cancel"));
    answer("Quit");
    EXPECT_TRUE(service.run("Quit anyway?", "Quit", "Cancel"));
    EXPECT_EQ(QCoreApplication::instance(), application);  // kept for the second alert
}

}  // namespace
