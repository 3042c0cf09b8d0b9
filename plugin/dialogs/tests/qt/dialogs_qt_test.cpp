// The dialogs on Qt, offscreen: alerts, the progress window, shields, the value controls and the
// small views, driven through real widgets and events.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <thread>

#include "cf/notification_center.h"
#include "dialogs/alert.h"
#include "dialogs/modal_windows.h"
#include "dialogs/progress_window.h"
#include "dialogs/small_views.h"
#include "dialogs/value_controls.h"
#include "qt_fixture.h"

namespace {

using Alert = kAlert_ZORVEX_common_V600_PS;
using Progress = kProgress_ZORVEX_common_V600_PS;
using dialogs_qt_test::QtDialogs;
using dialogs_qt_test::whenModalAppears;

QAbstractButton* buttonTitled(QWidget* box, const QString& title) {
    for (auto* button : box->findChildren<QAbstractButton*>()) {
        if (button->text() == title) {
            return button;
        }
    }
    return nullptr;
}

template <typename Widget>
Widget* child(QtDialogs& d, const char* window, const char* name) {
    return qobject_cast<Widget*>(d.port.controlWidget(window, name));
}

TEST(QtAlert, KindsButtonsAndTextsByKey) {
    QtDialogs d;
    struct Seen {
        QMessageBox::Icon icon;
        QString text, informative;
        int buttons;
    } seen{};
    whenModalAppears([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        seen = {box->icon(), box->text(), box->informativeText(),
                static_cast<int>(box->buttons().size())};
        buttonTitled(box, "Cancel")->click();
    });
    EXPECT_EQ(Alert::showAlertFromErrCode(0x50104, d.port, "", d.strings, 1),
              ui::kAlertSecondButtonReturn);
    EXPECT_EQ(seen.icon, QMessageBox::Information);
    EXPECT_EQ(seen.text, "Printing was cancelled.");
    EXPECT_EQ(seen.informative, "");
    EXPECT_EQ(seen.buttons, 2);

    whenModalAppears([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        seen = {box->icon(), box->text(), box->informativeText(),
                static_cast<int>(box->buttons().size())};
        buttonTitled(box, "OK")->click();
    });
    EXPECT_EQ(
        Alert::showAlertFromKey(d.port, "", d.strings, "MESS_NO_SUCH_KEY", "MESS_INVALID_VALUE", 2),
        ui::kAlertFirstButtonReturn);
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.text, "MESS_NO_SUCH_KEY");  // a missing key shows itself
    EXPECT_EQ(seen.informative, "The value is out of range.");
    EXPECT_EQ(seen.buttons, 1);
}

TEST(QtAlert, TheKeyWindowIsRestored) {
    QtDialogs d;
    ASSERT_TRUE(d.port.loadWindow("SampleControls"));
    ASSERT_TRUE(d.port.loadWindow("SampleViews"));
    d.port.showWindow("SampleControls");
    d.port.showWindow("SampleViews");
    d.port.makeKey("SampleControls");
    d.settle();
    ASSERT_EQ(d.port.keyWindow(), "SampleControls");
    whenModalAppears([&](QWidget* modal) {
        d.port.makeKey("SampleViews");  // key status moves on while the alert is up
        buttonTitled(modal, "OK")->click();
    });
    Alert::showCriticalAlertFromKey(d.port, "SampleControls", d.strings, "MESS_ERR_MEM_ALLOC",
                                    nullptr, 0);
    d.settle();
    EXPECT_EQ(d.port.keyWindow(), "SampleControls");
}

TEST(QtProgress, CancelLatchesForTheImageEditor) {
    QtDialogs d;
    Progress progress(d.port, d.strings);
    progress.setupProgressWindow(Progress::kKindWait, Progress::kHostImageEditor);
    progress.showProgressWindow();
    auto* window = d.port.windowWidget(Progress::kWindow);
    ASSERT_TRUE(window->isVisible());
    EXPECT_EQ(child<QLabel>(d, Progress::kWindow, "statusText")->text(),
              "Waiting for the printer…");
    EXPECT_EQ(child<QPushButton>(d, Progress::kWindow, "cancelButton")->text(), "Cancel");
    EXPECT_FALSE(progress.idleProgress());
    QTest::mouseClick(child<QPushButton>(d, Progress::kWindow, "cancelButton"), Qt::LeftButton);
    EXPECT_TRUE(progress.idleProgress());
    EXPECT_TRUE(progress.idleProgressJobOpen());
    progress.hideProgressWindow();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(QtProgress, WorkerThreadReportsReachTheWidgetsOnTheGuiThread) {
    QtDialogs d;
    Progress progress(d.port, d.strings);
    progress.setupProgressWindow(Progress::kKindWait, Progress::kHostImageEditor);
    progress.showProgressWindow();
    // The port aborts when a widget is touched off the GUI thread, so this run also checks that
    // nothing from the worker reaches a widget directly.
    std::thread worker([&] {
        for (int percent = 0; percent <= 42; ++percent) {
            progress.setProgressValue(percent);
        }
        progress.setStatusMessage(rastercore::kProgressStatusOffline);
    });
    worker.join();
    d.settle();
    EXPECT_EQ(child<QProgressBar>(d, Progress::kWindow, "progressBar")->value(), 42);
    EXPECT_EQ(child<QLabel>(d, Progress::kWindow, "parText")->text(), "42%");
    EXPECT_EQ(child<QLabel>(d, Progress::kWindow, "statusText")->text(), "The printer is offline.");
    progress.hideProgressWindow();
}

TEST(QtProgress, PhotoApplicationCancelPostsTheNotificationAndEndsTheRun) {
    QtDialogs d;
    Progress progress(d.port, d.strings);
    progress.setupProgressWindow(Progress::kKindReadImage, Progress::kHostPhotoApplication);
    EXPECT_EQ(d.port.windowWidget(Progress::kWindow)->windowTitle(), "Reading the Image");
    int cancels = 0;
    auto observer = cf::NotificationCenter::localCenter().addObserver(
        rastercore::kRasterCoreCancelNotification, nullptr,
        [&](const cf::Notification&) { ++cancels; });
    whenModalAppears([&](QWidget* modal) {
        EXPECT_EQ(modal->objectName(), Progress::kWindow);
        EXPECT_EQ(progress.checkShowProgressWindow(), 1);
        QTest::mouseClick(modal->findChild<QPushButton*>("cancelButton"), Qt::LeftButton);
    });
    progress.showProgressWindow_forVPX("");
    EXPECT_EQ(cancels, 1);
    EXPECT_EQ(progress.checkShowProgressWindow(), 0);
    EXPECT_FALSE(d.port.isVisible(Progress::kWindow));
}

TEST(QtShield, BlocksItsWindowWhileTheProgressWindowStaysUsable) {
    QtDialogs d;
    FWindow windows(d.port);
    ASSERT_TRUE(d.port.loadWindow("SampleControls"));
    d.port.showWindow("SampleControls");
    int prints = 0;
    d.port.onAction("SampleControls", "printButton", [&] { ++prints; });
    auto* print = child<QPushButton>(d, "SampleControls", "printButton");
    d.settle();
    QTest::mouseClick(print, Qt::LeftButton);
    ASSERT_EQ(prints, 1);

    windows.setShieldWindow("SampleControls", true);
    Progress progress(d.port, d.strings);
    progress.setupProgressWindow(Progress::kKindWait, Progress::kHostImageEditor);
    d.port.showWindow(Progress::kWindow);
    d.settle();
    QTest::mouseClick(print, Qt::LeftButton);
    EXPECT_EQ(prints, 1);
    EXPECT_FALSE(windows.canBecomeKeyWindow("SampleControls"));
    d.port.makeKey("SampleControls");
    EXPECT_NE(d.port.keyWindow(), "SampleControls");
    // The frame is covered too: the window cannot be closed.
    d.port.windowWidget("SampleControls")->close();
    EXPECT_TRUE(d.port.isVisible("SampleControls"));

    QTest::mouseClick(child<QPushButton>(d, Progress::kWindow, "cancelButton"), Qt::LeftButton);
    EXPECT_FALSE(d.port.isEnabled(Progress::kWindow, Progress::kCancelButton));

    windows.removeShieldWindow("SampleControls");
    d.settle();
    QTest::mouseClick(print, Qt::LeftButton);
    EXPECT_EQ(prints, 2);
    progress.hideProgressWindow();
    d.port.closeWindow(Progress::kWindow);
}

TEST(QtShield, ModalChildWindowsStackAboveTheShieldedWindow) {
    QtDialogs d;
    FWindow windows(d.port);
    ASSERT_TRUE(d.port.loadWindow("SampleControls"));
    ASSERT_TRUE(d.port.loadWindow("SampleViews"));
    d.port.showWindow("SampleControls");
    windows.beginModalWindow("SampleViews", "SampleControls");
    d.settle();
    QWidget* parent = d.port.windowWidget("SampleControls");
    QWidget* modal = d.port.windowWidget("SampleViews");
    EXPECT_EQ(modal->windowHandle()->transientParent(), parent->windowHandle());
    EXPECT_EQ(d.port.keyWindow(), "SampleViews");
    EXPECT_TRUE(d.port.hasShield("SampleControls"));
    windows.endModalWindow("SampleViews");
    EXPECT_FALSE(modal->isVisible());
    EXPECT_FALSE(d.port.hasShield("SampleControls"));
    EXPECT_EQ(modal->windowHandle()->transientParent(), nullptr);
}

struct QtValueControls : ::testing::Test {
    QtValueControls() {
        d.port.loadWindow(kWindow);
        for (kValueControl* control :
             std::initializer_list<kValueControl*>{&slider, &stepper, &field}) {
            control->awakeFromNib([this] { ++handled; });
        }
        scale.awakeFromNib([this] { ++scaled; });
        scaleStepper.awakeFromNib(nullptr);
        comment.awakeFromNib(nullptr);
        d.port.showWindow(kWindow);
        d.port.makeKey(kWindow);
        d.settle();
    }
    static constexpr const char* kWindow = "SampleControls";
    QtDialogs d;
    int handled = 0;
    int scaled = 0;
    myTextField field{d.port, kWindow, "field", d.strings, &stepper, &slider};
    mySlider slider{d.port, kWindow, "slider", &field, &stepper};
    myStepper stepper{d.port, kWindow, "stepper", &field, &slider};
    magnificationTextField scale{d.port, kWindow, "scale", d.strings, &scaleStepper};
    myDoubleStepper scaleStepper{d.port, kWindow, "scaleStepper", &scale};
    commonTextField comment{d.port, kWindow, "comment", d.strings};
};

TEST_F(QtValueControls, TypingIsClampedAndMovesTheLinks) {
    auto* edit = child<QLineEdit>(d, kWindow, "field");
    QTest::keyClicks(edit, "150");
    EXPECT_EQ(edit->text(), "100");
    EXPECT_EQ(child<QSlider>(d, kWindow, "slider")->value(), 100);
    EXPECT_EQ(child<QSpinBox>(d, kWindow, "stepper")->value(), 100);
    EXPECT_EQ(handled, 3);  // one per keystroke
}

TEST_F(QtValueControls, SliderDragMovesTheLinksAndTheHandlerRunsOnceOnRelease) {
    auto* bar = child<QSlider>(d, kWindow, "slider");
    const int y = bar->height() / 2;
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, y));
    for (int x = bar->width() / 2; x < bar->width() - 2; x += 10) {
        QTest::mouseMove(bar, QPoint(x, y));
    }
    EXPECT_EQ(handled, 0);
    EXPECT_EQ(child<QLineEdit>(d, kWindow, "field")->text().toInt(), bar->value());
    EXPECT_EQ(child<QSpinBox>(d, kWindow, "stepper")->value(), bar->value());
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(bar->width() - 3, y));
    d.settle();
    EXPECT_EQ(handled, 1);
}

TEST_F(QtValueControls, DecimalFilterAndTabInTheMagnificationField) {
    auto* edit = child<QLineEdit>(d, kWindow, "scale");
    QTest::keyClicks(edit, ".5x.2.");
    EXPECT_EQ(edit->text(), "5.2");
    EXPECT_DOUBLE_EQ(child<QDoubleSpinBox>(d, kWindow, "scaleStepper")->value(), 5.2);
    QTest::keyClicks(edit, "999");
    EXPECT_EQ(edit->text(), "5.2999");
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_EQ(edit->text(), "5.29");
    EXPECT_GT(scaled, 0);
}

TEST_F(QtValueControls, CommonFieldRefusesPastedLineBreaks) {
    auto* edit = child<QLineEdit>(d, kWindow, "comment");
    QGuiApplication::clipboard()->setText("two\nlines");
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), "");
    QGuiApplication::clipboard()->setText("one line");
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), "one line");
}

struct QtSmallViews : ::testing::Test {
    QtSmallViews() {
        d.port.loadWindow(kWindow);
        d.port.showWindow(kWindow);
        picker.awakeFromNib([this] { ++released; });
        d.settle();
    }
    QImage shot(const char* name) {
        return d.port.controlWidget(kWindow, name)
            ->grab()
            .toImage()
            .convertToFormat(QImage::Format_RGB888);
    }
    static constexpr const char* kWindow = "SampleViews";
    QtDialogs d;
    MyMonoImageView picker{d.port, kWindow, "picker"};
    int released = 0;
};

TEST_F(QtSmallViews, CmykThumbnailIsConvertedAndCentred) {
    kSmallImageView thumb(d.port, kWindow, "thumb");
    // A 200 × 100 picture of full cyan: drawn 94 × 47 in the middle of the 100 × 80 view.
    std::vector<std::uint8_t> cmyk;
    for (int i = 0; i < 200 * 100; ++i) {
        cmyk.insert(cmyk.end(), {255, 0, 0, 0});
    }
    thumb.setPreviewImageData(cmyk.data(), cmyk.size(), 200, 100);
    d.settle();
    const QImage image = shot("thumb");
    EXPECT_EQ(image.pixelColor(50, 40), QColor(0, 255, 255));
    EXPECT_EQ(image.pixelColor(50, 8), QColor(180, 180, 180));  // the ground above it
}

TEST_F(QtSmallViews, SwatchShowsItsColour) {
    MyQuartzView swatch(d.port, kWindow, "swatch");
    swatch.setColor(1.0, 0.5, 0.0);
    EXPECT_EQ(shot("swatch").pixelColor(20, 20), QColor(255, 128, 0));
}

TEST_F(QtSmallViews, TonePickerFollowsTheMouseAndHidesTheMarkersMagenta) {
    auto* view = d.port.controlWidget(kWindow, "picker");
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(0, view->height() - 1));
    std::int32_t x = 0, y = 0;
    picker.getValue(&x, &y);
    EXPECT_EQ(std::pair(x, y), std::pair(-100, -40));
    EXPECT_EQ(released, 1);

    picker.setValue(0, 0);
    d.settle();
    const QImage image = shot("picker");
    // The marker's corner is magenta in its picture and shows the tones under it.
    std::int32_t rgb = 0;
    ASSERT_EQ(picker.getPixelRGB(95, 40 - 5, 201, 81, &rgb), 0);
    EXPECT_EQ(image.pixelColor(95, 35), QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
    EXPECT_NE(image.pixelColor(95, 35), QColor(255, 0, 255));
}

}  // namespace
