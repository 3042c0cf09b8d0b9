// The sub-dialog base on real widgets, offscreen: the sample dialog comes up centred on its
// screen, modal above the key window, answers by its buttons or by Escape, and the window that
// was key before is key again afterwards.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <cstring>

#include "qt_fixture.h"
#include "sample_sub_dialog.h"
#include "ui/window_layouts.h"
#include "ui_PLSampleSubDialog.h"

namespace {

using dialogs_qt_test::QtDialogs;
using dialogs_qt_test::whenModalAppears;
using namespace subdialogs_test;

constexpr char kMainWindow[] = "SampleControls";

class QtSubDialog : public testing::Test {
  protected:
    QtSubDialog() {
        d.port.loadWindow(kMainWindow);
        d.port.showWindow(kMainWindow);
        d.port.makeKey(kMainWindow);
        d.settle();
    }
    /// Runs the dialog; `acts` get its window once it is up.
    std::uint8_t run(std::function<void(QDialog*)> acts) {
        whenModalAppears([this, acts = std::move(acts)](QWidget* modal) {
            EXPECT_EQ(modal, d.port.windowWidget(kSampleDialog));
            seenFrame = modal->frameGeometry();
            seenOpacity = modal->windowOpacity();
            acts(static_cast<QDialog*>(modal));
        });
        return dialog.show(d.strings, "SL-7440", 7440, &record);
    }
    template <typename Widget>
    static Widget* child(QDialog* window, const char* name) {
        return window->findChild<Widget*>(name);
    }

    static bool registerSample() {
        ui::registerWindowLayout(kSampleDialog, ui::buildLayout<Ui::PLSampleSubDialog>);
        return true;
    }

    const bool registered_ = registerSample();  // before the dialog loads its layout
    QtDialogs d;
    SampleSubDialog dialog{d.port};
    SampleRecord record{7, 1};
    const SampleRecord before = record;
    QRect seenFrame;
    double seenOpacity = -1;
};

TEST_F(QtSubDialog, CancelAnswers0CentredAboveTheKeyWindowWhichIsKeyAgain) {
    ASSERT_EQ(d.port.keyWindow(), kMainWindow);
    const std::uint8_t answer = run([](QDialog* window) {
        EXPECT_EQ(child<QLineEdit>(window, kCopiesField)->text(), "7");
        EXPECT_TRUE(child<QCheckBox>(window, kSharpenCheck)->isChecked());
        child<QLineEdit>(window, kCopiesField)->setText("3");
        child<QPushButton>(window, subdialogs::kCancelButton)->click();
    });
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(std::memcmp(&record, &before, sizeof record), 0);
    const QRect screen = d.port.windowWidget(kSampleDialog)->screen()->availableGeometry();
    EXPECT_EQ(seenOpacity, 1.0);
    // Centred to the pixel: half a pixel may round either way.
    EXPECT_NEAR(seenFrame.x(), screen.x() + (screen.width() - seenFrame.width()) / 2.0, 1);
    EXPECT_NEAR(seenFrame.y(), screen.y() + (screen.height() - seenFrame.height()) / 2.0, 1);
    EXPECT_FALSE(d.port.isVisible(kSampleDialog));
    d.settle();
    EXPECT_EQ(d.port.keyWindow(), kMainWindow);
}

TEST_F(QtSubDialog, OkAnswers1WithTheControlsValues) {
    const std::uint8_t answer = run([](QDialog* window) {
        child<QLineEdit>(window, kCopiesField)->setText("12");
        child<QCheckBox>(window, kSharpenCheck)->setChecked(false);
        child<QPushButton>(window, subdialogs::kOkButton)->click();
    });
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(record.copies, 12);
    EXPECT_EQ(record.sharpen, 0);
    d.settle();
    EXPECT_EQ(d.port.keyWindow(), kMainWindow);
}

TEST_F(QtSubDialog, EscapeEndsTheRunAsCancel) {
    const std::uint8_t answer = run([](QDialog* window) {
        child<QLineEdit>(window, kCopiesField)->setText("3");
        QTest::keyClick(window, Qt::Key_Escape);
    });
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(std::memcmp(&record, &before, sizeof record), 0);
    d.settle();
    EXPECT_EQ(d.port.keyWindow(), kMainWindow);
}

}  // namespace
