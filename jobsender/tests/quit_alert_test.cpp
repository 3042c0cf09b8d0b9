// The quit confirmation on real Qt widgets, offscreen: the application object asks with the texts
// of the program's bundle, and each way of closing the alert gives its answer.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <memory>

#include "alert/quit_alert.h"
#include "alert_answer.h"
#include "app/app_main.h"
#include "cf/bundle.h"
#include "cf/string_table.h"
#include "events/event_dispatcher.h"
#include "protocol/job_sender_events.h"
#include "sender_fixture.h"
#include "ui/qt_port.h"
#include "ui/strings.h"

namespace {

using namespace sendertest;

const QString kMessage =
    "Jobs are waiting to be sent. If you quit now, they are sent when the job sender starts "
    "again. Quit anyway?";
const QString kQuit = "Quit";
const QString kCancel = "Cancel";

class NoTable final : public ui::Strings {
  public:
    std::string text(std::string_view key) const override { return std::string(key); }
};

// The program's services with its bundle as the build lays it out, in English, and the alert on
// a real port.
class BundleServices final : public TestServices {
  public:
    explicit BundleServices(ui::Port& port) : port_(port) {}

    std::string localizedString(std::string_view key) override {
        return cf::localizedString(*bundle_, key, {"en"}).value_or(std::string(key));
    }
    bool runQuitAlert(const std::string& message, const std::string& firstButton,
                      const std::string& secondButton) override {
        return jobsender::confirmQuit(port_, message, firstButton, secondButton);
    }

  private:
    ui::Port& port_;
    std::unique_ptr<cf::Bundle> bundle_ = cf::Bundle::open(JOBSENDER_BUNDLE);
};

struct Look {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString text, informative, accept, reject, defaultButton;
    qsizetype buttons = 0;
};

Look lookOf(QMessageBox& box) {
    Look look{box.icon(), box.text(), box.informativeText(), {}, {}, {}, box.buttons().size()};
    for (QAbstractButton* button : box.buttons()) {
        (box.buttonRole(button) == QMessageBox::AcceptRole ? look.accept : look.reject) =
            button->text();
    }
    if (box.defaultButton() != nullptr) {
        look.defaultButton = box.defaultButton()->text();
    }
    return look;
}

TEST(QuitAlert, AsksWithTheBundleTextsAndQuitsOnlyOnTheFirstButton) {
    struct Case {
        const char* closing;
        std::function<void(QMessageBox&)> close;
        bool quits;
    };
    const Case cases[] = {
        {"Quit clicked", [](QMessageBox& box) { click(box, kQuit); }, true},
        {"Cancel clicked", [](QMessageBox& box) { click(box, kCancel); }, false},
        {"Escape", [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }, false},
    };
    SenderEnvironment environment;
    NoTable strings;
    ui::QtPort port(strings, {});
    BundleServices services(port);
    events::EventDispatcher dispatcher;
    jobsender::CAppMain app(dispatcher, services);
    dispatcher.dispatch(jobsender::stopEvent());  // the job waits in the queue
    dispatcher.dispatch(jobsender::newJobEvent(1));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.closing);
        Look look;
        whenAlertAppears([&](QMessageBox& box) {
            look = lookOf(box);
            c.close(box);
        });
        EXPECT_EQ(app.shouldQuit(), c.quits);
        EXPECT_EQ(look.icon, QMessageBox::Warning);
        EXPECT_EQ(look.text, kMessage);
        EXPECT_EQ(look.informative, "");
        EXPECT_EQ(look.buttons, 2);
        EXPECT_EQ(look.accept, kQuit);
        EXPECT_EQ(look.reject, kCancel);
        EXPECT_EQ(look.defaultButton, kQuit);
    }
}

}  // namespace
