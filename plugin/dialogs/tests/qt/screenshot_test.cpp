// Shows each dialog window on a private X server and writes it as a PNG into the build folder's
// screenshots/ (SCREENSHOT_DIR), for a person to look at.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <filesystem>
#include <memory>

#include "dialogs/alert.h"
#include "dialogs/progress_window.h"
#include "dialogs/small_views.h"
#include "dialogs/value_controls.h"
#include "qt/xvfb_display.h"
#include "qt_fixture.h"

namespace {

using dialogs_qt_test::QtDialogs;

// A picture's look: size, and whether it holds more than one colour.
void expectPicture(const std::filesystem::path& file, QSize atLeast) {
    SCOPED_TRACE(file.string());
    const QImage image(QString::fromStdString(file.string()));
    ASSERT_FALSE(image.isNull());
    EXPECT_GE(image.width(), atLeast.width());
    EXPECT_GE(image.height(), atLeast.height());
    const QRgb first = image.pixel(0, 0);
    bool varied = false;
    for (int y = 0; y < image.height() && !varied; y += 3) {
        for (int x = 0; x < image.width() && !varied; x += 3) {
            varied = image.pixel(x, y) != first;
        }
    }
    EXPECT_TRUE(varied);
}

bool save(QWidget* window, const std::filesystem::path& file) {
    return window->grab().save(QString::fromStdString(file.string()), "PNG");
}

TEST(Screenshots, OnePngPerWindow) {
    qt_test::XvfbDisplay display;
    if (display.name().empty()) {
        GTEST_SKIP() << "Xvfb did not start";
    }
    ::setenv("DISPLAY", display.name().c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    // No desktop session here: without a bus address libdbus would start one for the X display.
    ::setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/session-bus", 1);
    int argc = 1;
    char program[] = "screenshot_test";
    char* argv[] = {program, nullptr};
    auto application = std::make_unique<QApplication>(argc, argv);
    const std::filesystem::path folder = SCREENSHOT_DIR;
    std::filesystem::create_directories(folder);
    {
        QtDialogs d;

        kProgress_ZORVEX_common_V600_PS progress(d.port, d.strings);
        progress.setupProgressWindow(kProgress_ZORVEX_common_V600_PS::kKindWait, 1);
        progress.setStatusMessage(rastercore::kProgressStatusPrinting);
        progress.setProgressValue(42);
        d.port.showWindow(kProgress_ZORVEX_common_V600_PS::kWindow);
        d.settle(200);
        EXPECT_TRUE(save(d.port.windowWidget(kProgress_ZORVEX_common_V600_PS::kWindow),
                         folder / "PLProgress.png"));
        progress.stopCursorTimer();
        d.port.closeWindow(kProgress_ZORVEX_common_V600_PS::kWindow);

        ASSERT_TRUE(d.port.loadWindow("SampleControls"));
        mySlider slider{d.port, "SampleControls", "slider", nullptr, nullptr};
        myStepper stepper{d.port, "SampleControls", "stepper", nullptr, nullptr};
        myTextField field{d.port, "SampleControls", "field", d.strings, &stepper, &slider};
        myDoubleStepper scaleStepper{d.port, "SampleControls", "scaleStepper", nullptr};
        magnificationTextField scale{d.port, "SampleControls", "scale", d.strings, &scaleStepper};
        positionTextField position{d.port, "SampleControls", "position", d.strings};
        field.setIntValue(64);
        slider.setIntValue(64);
        stepper.setIntValue(64);
        scale.setDoubleValue(magnificationTextField::kFormat, 150);
        scaleStepper.setDoubleValue(150);
        position.setDoubleValue("%.1f", -12.5);
        d.port.showWindow("SampleControls");
        d.settle(200);
        EXPECT_TRUE(save(d.port.windowWidget("SampleControls"), folder / "SampleControls.png"));

        ASSERT_TRUE(d.port.loadWindow("SampleViews"));
        d.port.showWindow("SampleViews");
        d.settle(50);
        kSmallImageView thumb(d.port, "SampleViews", "thumb");
        std::vector<std::uint8_t> rgb;
        for (int y = 0; y < 90; ++y) {
            for (int x = 0; x < 160; ++x) {
                rgb.insert(rgb.end(), {static_cast<std::uint8_t>(x * 255 / 159),
                                       static_cast<std::uint8_t>(y * 255 / 89), 96});
            }
        }
        thumb.setPreviewImageData(rgb.data(), rgb.size(), 160, 90);
        MyQuartzView swatch(d.port, "SampleViews", "swatch");
        swatch.setColor(0.8, 0.55, 0.3);
        MyMonoImageView picker(d.port, "SampleViews", "picker");
        picker.awakeFromNib(nullptr);
        picker.setValue(30, 10);
        d.settle(200);
        EXPECT_TRUE(save(d.port.windowWidget("SampleViews"), folder / "SampleViews.png"));

        bool alertSaved = false;
        dialogs_qt_test::whenModalAppears([&](QWidget* modal) {
            QCoreApplication::processEvents();
            alertSaved = save(modal, folder / "alert.png");
            for (auto* button : modal->findChildren<QPushButton*>()) {
                if (button->text() == "Cancel") {
                    button->click();
                }
            }
        });
        kAlert_ZORVEX_common_V600_PS::showAlertFromErrCode(0x1A0119, d.port, "", d.strings, 1);
        EXPECT_TRUE(alertSaved);
    }
    application.reset();

    expectPicture(folder / "PLProgress.png", {200, 60});
    expectPicture(folder / "SampleControls.png", {200, 100});
    expectPicture(folder / "SampleViews.png", {200, 150});
    expectPicture(folder / "alert.png", {100, 50});
}

}  // namespace
