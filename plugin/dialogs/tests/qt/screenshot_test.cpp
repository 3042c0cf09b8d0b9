// Shows each dialog window on a private X server and writes it as a PNG into the build folder's
// screenshots/ (SCREENSHOT_DIR), for a person to look at.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <filesystem>
#include <memory>

#include "dialogs/alert.h"
#include "dialogs/progress_window.h"
#include "dialogs/small_views.h"
#include "dialogs/value_controls.h"
#include "qt/xvfb_display.h"
#include "qt_fixture.h"
#include "ui/popup_button.h"

namespace {

using dialogs_qt_test::QtDialogs;
using dialogs_qt_test::SamplePictures;

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

ui::MenuItem item(std::string title, int tag, bool enabled = true) {
    ui::MenuItem made;
    made.title = std::move(title);
    made.tag = tag;
    made.enabled = enabled;
    return made;
}

// The choices: pop-ups (the media menu's categories with submenus, the medium marked with its
// caution picture), radio matrices with a disabled cell, a check box, grey and black labels and
// a multi-line comment. Also the window with its media menu and a submenu open, from the screen.
void shootSampleChoices(QtDialogs& d, const std::filesystem::path& folder) {
    constexpr const char* kWindow = "SampleChoices";
    ASSERT_TRUE(d.port.loadWindow(kWindow));
    ui::MenuItem glossy = item("Glossy Photo Papers", 1);
    glossy.submenu = {item("Premium Glossy 260", 101), item("Photo Glossy 200", 102),
                      item("Baryta Gloss 300", 103, false)};
    ui::MenuItem matte = item("Matte Papers", 2);
    matte.submenu = {item("Archival Matte 190", 201), item("Fine Art Velvet 325", 202)};
    matte.submenu[1].picture = "caution.png";
    matte.submenu[1].checked = true;
    ui::MenuItem marked = matte;  // the closed pop-up shows the marked medium
    marked.title = matte.submenu[1].title;
    marked.picture = "caution.png";
    marked.checked = true;
    d.port.addMenuItem(kWindow, "mediumPopup", glossy);
    d.port.addMenuItem(kWindow, "mediumPopup", ui::menuSeparator());
    d.port.addMenuItem(kWindow, "mediumPopup", marked);
    d.port.selectMenuTag(kWindow, "mediumPopup", 2);
    for (const ui::MenuItem& quality : {item("Fast", 1), item("Standard", 2), item("Fine", 4),
                                        ui::menuSeparator(), item("Finest", 16, false)}) {
        d.port.addMenuItem(kWindow, "printModePop", quality);
    }
    d.port.selectMenuTag(kWindow, "printModePop", 4);
    d.port.selectCell(kWindow, "inputResolutionRadio", {0, 1});
    d.port.setCellEnabled(kWindow, "inputResolutionRadio", {0, 0}, false);
    d.port.selectCell(kWindow, "inputBitRadio", {0, 0});
    d.port.setChecked(kWindow, "proofCheckBox", true);
    d.port.setGreyText(kWindow, "topTitle", true);
    d.port.setGreyText(kWindow, "topRange", true);
    d.port.setText(kWindow, "editField", "Printed for the spring show.\nFrame: oak, 50 × 70 cm.");
    d.port.showWindow(kWindow);
    d.settle(200);
    QWidget* window = d.port.windowWidget(kWindow);
    EXPECT_TRUE(save(window, folder / "SampleChoices.png"));

    auto* popUp = dynamic_cast<ui::PopUpButton*>(d.port.controlWidget(kWindow, "mediumPopup"));
    QMenu* menu = popUp->openMenu();
    d.settle(100);
    QMenu* submenu = menu->actions().value(2)->menu();
    submenu->popup(menu->mapToGlobal(menu->actionGeometry(menu->actions().value(2)).topRight()));
    d.settle(200);
    const QRect shown =
        window->frameGeometry().united(menu->geometry()).united(submenu->geometry());
    EXPECT_TRUE(
        QGuiApplication::primaryScreen()
            ->grabWindow(0, shown.x(), shown.y(), shown.width(), shown.height())
            .save(QString::fromStdString((folder / "SampleChoices_menu.png").string()), "PNG"));
    menu->close();
    d.port.closeWindow(kWindow);
}

// The lists: a table of favourites with pictures, a disabled row and the selection, in a tab
// view whose tab "4" was removed; and the panel placed in tab "2".
void shootSampleLists(QtDialogs& d, const std::filesystem::path& folder) {
    constexpr const char* kWindow = "SampleLists";
    ASSERT_TRUE(d.port.loadWindow(kWindow));
    ASSERT_TRUE(d.port.placePanel("SamplePanel", kWindow, "panelPage"));
    struct Favourite {
        const char* name;
        const char* file;
        const char* date;
    };
    static constexpr Favourite kRows[] = {
        {"Default settings", " ", " "},
        {"Portrait on baryta", "IMG_0412.tif", "2024/03/02 10:14"},
        {"Landscape, fine art velvet with a long name", "DSC_8801.tif", "2024/03/09 16:40"},
        {"Night sky (medium not supported)", "sky_stack_final.tif", "2024/04/21 23:05"},
        {"Studio proofs", "proof_sheet.png", "2024/05/01 09:30"},
    };
    ui::TableSource source;
    source.rowCount = [] { return static_cast<int>(std::size(kRows)); };
    source.cell = [](std::string_view column, int row) {
        const Favourite& favourite = kRows[row];
        if (column == "fname") {
            return ui::TableCell{favourite.name, row == 0 ? "mark.png" : "no_mark.png"};
        }
        return ui::TableCell{column == "ffile" ? favourite.file : favourite.date, ""};
    };
    source.rowEnabled = [](int row) { return row != 3; };
    d.port.setTableSource(kWindow, "favoriteList", source);
    d.port.setRowReordering(kWindow, "favoriteList", "SAMPLEROWS", [](int, int) {});
    d.port.selectRow(kWindow, "favoriteList", 1);
    d.port.removeTab(kWindow, "settingTab", "4");
    d.port.setText("SamplePanel", "captionField", "Spring show");
    d.port.addMenuItem("SamplePanel", "positionPopup", item("Top (header)", 1));
    d.port.addMenuItem("SamplePanel", "positionPopup", item("Bottom (footer)", 2));
    d.port.setChecked("SamplePanel", "dateCheckBox", true);
    d.port.showWindow(kWindow);
    d.port.focus(kWindow, "favoriteList");
    d.settle(200);
    EXPECT_TRUE(save(d.port.windowWidget(kWindow), folder / "SampleLists.png"));
    d.port.selectTab(kWindow, "settingTab", "2");
    d.settle(200);
    EXPECT_TRUE(save(d.port.windowWidget("SamplePanel"), folder / "SamplePanel.png"));
    d.port.closeWindow(kWindow);
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
    {
        SamplePictures pictures;
        QtDialogs d(pictures.folder.path());
        shootSampleChoices(d, folder);
        shootSampleLists(d, folder);
    }
    application.reset();

    expectPicture(folder / "PLProgress.png", {200, 60});
    expectPicture(folder / "SampleControls.png", {200, 100});
    expectPicture(folder / "SampleViews.png", {200, 150});
    expectPicture(folder / "alert.png", {100, 50});
    expectPicture(folder / "SampleChoices.png", {300, 200});
    expectPicture(folder / "SampleChoices_menu.png", {300, 200});
    expectPicture(folder / "SampleLists.png", {300, 200});
    expectPicture(folder / "SamplePanel.png", {200, 60});
}

}  // namespace
