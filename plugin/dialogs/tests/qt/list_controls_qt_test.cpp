// The port's choice and list controls on Qt, offscreen: pop-up buttons with submenus and tags,
// radio matrices and check boxes, tab views with a placed panel, tables with their source,
// selection and drag reordering, text views, grey labels and the file panels.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <fstream>

#include "qt/table_drops.h"
#include "qt_fixture.h"
#include "ui/popup_button.h"
#include "ui/table_view.h"

namespace {

using dialogs_qt_test::QtDialogs;
using dialogs_qt_test::SamplePictures;
using dialogs_qt_test::whenModalAppears;

template <typename Widget>
Widget* child(QtDialogs& d, const char* window, const char* name) {
    return dynamic_cast<Widget*>(d.port.controlWidget(window, name));
}

ui::MenuItem item(std::string title, int tag, bool enabled = true) {
    ui::MenuItem made;
    made.title = std::move(title);
    made.tag = tag;
    made.enabled = enabled;
    return made;
}

QAction* actionTitled(QMenu* menu, const QString& title) {
    for (QAction* action : menu->actions()) {
        if (action->text() == title) {
            return action;
        }
    }
    return nullptr;
}

// Clicks a check box on its box: a wide check box takes no click beside its title.
void clickCheckBox(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->height() / 2, box->height() / 2));
}

// Clicks an item of an open menu as the user does.
void clickItem(QMenu* menu, QAction* action) {
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
}

// ---- Pop-up buttons -------------------------------------------------------------------------

struct QtPopUp : ::testing::Test {
    QtPopUp() {
        d.port.loadWindow(kWindow);
        d.port.showWindow(kWindow);
        button = child<ui::PopUpButton>(d, kWindow, kPopUp);
        d.settle();
    }
    // The media menu's shape: categories with submenus; one medium disabled, one with a picture.
    void buildMediaMenu(int markedMedium) {
        d.port.clearMenu(kWindow, kPopUp);
        ui::MenuItem glossy = item("Glossy", 1);
        glossy.submenu = {item("Photo Glossy", 101), item("Premium Glossy", 102, false)};
        ui::MenuItem matte = item("Matte", 2);
        matte.submenu = {item("Archival & Fine Art Matte", 201)};
        matte.submenu.front().picture = "caution.png";
        d.port.addMenuItem(kWindow, kPopUp, glossy);
        d.port.addMenuItem(kWindow, kPopUp, ui::menuSeparator());
        d.port.addMenuItem(kWindow, kPopUp, matte);
        if (markedMedium != 0) {
            // The category takes the medium's title and picture and the mark, as does the medium.
            const ui::MenuPath path{markedMedium / 100, markedMedium};
            ui::MenuItem medium = *d.port.menuItem(kWindow, kPopUp, path);
            medium.checked = true;
            d.port.setMenuItem(kWindow, kPopUp, path, medium);
            ui::MenuItem category = *d.port.menuItem(kWindow, kPopUp, {path.front()});
            category.title = medium.title;
            category.picture = medium.picture;
            category.checked = true;
            d.port.setMenuItem(kWindow, kPopUp, {path.front()}, category);
            EXPECT_TRUE(d.port.selectMenuTag(kWindow, kPopUp, path.front()));
        }
    }
    QMenu* open() {
        QTest::mouseClick(button, Qt::LeftButton);
        d.settle();
        QMenu* menu = button->openedMenu();
        EXPECT_TRUE(menu != nullptr && menu->isVisible());
        return menu;
    }
    QMenu* openSubmenu(QMenu* menu, const QString& category) {
        QAction* action = actionTitled(menu, category);
        EXPECT_NE(action, nullptr);
        clickItem(menu, action);
        d.settle();
        EXPECT_TRUE(action->menu()->isVisible());
        return action->menu();
    }

    static constexpr const char* kWindow = "SampleChoices";
    static constexpr const char* kPopUp = "mediumPopup";
    SamplePictures pictures;
    QtDialogs d{pictures.folder.path()};
    ui::PopUpButton* button = nullptr;
};

TEST_F(QtPopUp, SubmenuChoiceRebuildsTheMenuFromItsOwnHandler) {
    buildMediaMenu(0);
    EXPECT_EQ(d.port.selectedMenuTag(kWindow, kPopUp), 1);  // the first item added
    int choices = 0;
    ui::MenuPath chosen;
    d.port.onAction(kWindow, kPopUp, [&] {
        ++choices;
        chosen = d.port.chosenMenuItem(kWindow, kPopUp);
        // Rebuilt while Qt still delivers the choice from the menu being closed: that menu and
        // its items must outlive the delivery (the sanitizer watches the rest of it).
        buildMediaMenu(chosen.back());
    });

    QMenu* menu = open();
    QMenu* glossy = openSubmenu(menu, "Glossy");
    clickItem(glossy, actionTitled(glossy, "Premium Glossy"));  // disabled: nothing
    d.settle();
    EXPECT_EQ(choices, 0);
    clickItem(glossy, actionTitled(glossy, "Photo Glossy"));
    d.settle(50);
    EXPECT_EQ(choices, 1);
    EXPECT_EQ(chosen, (ui::MenuPath{1, 101}));
    EXPECT_EQ(d.port.selectedMenuTag(kWindow, kPopUp), 1);
    EXPECT_EQ(d.port.menuItem(kWindow, kPopUp, {1})->title, "Photo Glossy");
    EXPECT_TRUE(d.port.menuItem(kWindow, kPopUp, {1, 101})->checked);

    // The next opening shows the rebuilt menu: the category under the medium's name, marked.
    menu = open();
    QAction* category = actionTitled(menu, "Photo Glossy");
    ASSERT_NE(category, nullptr);
    EXPECT_TRUE(category->isChecked());
    EXPECT_TRUE(actionTitled(category->menu(), "Photo Glossy")->isChecked());
    QMenu* matte = openSubmenu(menu, "Matte");
    QAction* fineArt = actionTitled(matte, "Archival && Fine Art Matte");  // '&' shows as itself
    ASSERT_NE(fineArt, nullptr);
    EXPECT_FALSE(fineArt->icon().isNull());
    clickItem(matte, fineArt);
    d.settle(50);
    EXPECT_EQ(choices, 2);
    EXPECT_EQ(chosen, (ui::MenuPath{2, 201}));
    EXPECT_EQ(d.port.selectedMenuTag(kWindow, kPopUp), 2);
    EXPECT_EQ(d.port.menuItem(kWindow, kPopUp, {1})->title, "Glossy");  // its mark is gone
}

TEST_F(QtPopUp, TagsPositionsAndTheProgramsSelection) {
    constexpr const char* kQuality = "printModePop";
    int choices = 0;
    d.port.onAction(kWindow, kQuality, [&] { ++choices; });
    // Tags need not be in order or unique; separators count in positions.
    for (const ui::MenuItem& quality : {item("Fine", 4), ui::menuSeparator(), item("Fast", 1),
                                        item("Finest", 16, false), item("Fine again", 4)}) {
        d.port.addMenuItem(kWindow, kQuality, quality);
    }
    EXPECT_EQ(d.port.menuItemCount(kWindow, kQuality), 5);
    EXPECT_EQ(d.port.selectedMenuIndex(kWindow, kQuality), 0);
    EXPECT_TRUE(d.port.selectMenuTag(kWindow, kQuality, 16));  // disabled items can be selected
    EXPECT_EQ(d.port.selectedMenuIndex(kWindow, kQuality), 3);
    EXPECT_FALSE(d.port.selectMenuTag(kWindow, kQuality, 99));
    EXPECT_EQ(d.port.selectedMenuIndex(kWindow, kQuality), 3);
    d.port.selectMenuIndex(kWindow, kQuality, 4);
    EXPECT_EQ(d.port.selectedMenuTag(kWindow, kQuality), 4);
    EXPECT_EQ(choices, 0);  // the program's selections raise nothing

    auto* quality = child<ui::PopUpButton>(d, kWindow, kQuality);
    QTest::mouseClick(quality, Qt::LeftButton);
    d.settle();
    QMenu* menu = quality->openedMenu();
    clickItem(menu, actionTitled(menu, "Fast"));
    d.settle();
    EXPECT_EQ(choices, 1);
    EXPECT_EQ(d.port.selectedMenuIndex(kWindow, kQuality), 2);
    EXPECT_EQ(d.port.chosenMenuItem(kWindow, kQuality), (ui::MenuPath{1}));

    // Items replaced while the menu is open: its choice names other items now and is dropped.
    QTest::keyClick(quality, Qt::Key_Space);
    d.settle();
    menu = quality->openedMenu();
    ASSERT_TRUE(menu->isVisible());
    d.port.clearMenu(kWindow, kQuality);
    d.port.addMenuItem(kWindow, kQuality, item("Other", 8));
    clickItem(menu, actionTitled(menu, "Fine"));
    d.settle();
    EXPECT_EQ(choices, 1);
    EXPECT_EQ(d.port.selectedMenuTag(kWindow, kQuality), 8);

    d.port.clearMenu(kWindow, kQuality);
    EXPECT_EQ(d.port.selectedMenuIndex(kWindow, kQuality), -1);
    EXPECT_EQ(d.port.selectedMenuTag(kWindow, kQuality), std::nullopt);
}

// ---- Radio matrices, check boxes, boxes, grey labels, text views ----------------------------

struct QtChoices : ::testing::Test {
    QtChoices() {
        d.port.loadWindow(kWindow);
        d.port.showWindow(kWindow);
        d.settle();
    }
    static constexpr const char* kWindow = "SampleChoices";
    QtDialogs d;
};

TEST_F(QtChoices, RadioMatrixWithADisabledCell) {
    constexpr const char* kMatrix = "inputResolutionRadio";
    int clicks = 0;
    d.port.onAction(kWindow, kMatrix, [&] { ++clicks; });
    auto* cell300 = child<QRadioButton>(d, kWindow, "resolution300");
    auto* cell600 = child<QRadioButton>(d, kWindow, "resolution600");

    d.port.selectCell(kWindow, kMatrix, {0, 1});
    EXPECT_TRUE(cell600->isChecked());
    EXPECT_EQ(d.port.selectedCell(kWindow, kMatrix), (ui::Cell{0, 1}));
    d.port.setCellEnabled(kWindow, kMatrix, {0, 0}, false);
    EXPECT_FALSE(d.port.isCellEnabled(kWindow, kMatrix, {0, 0}));
    EXPECT_TRUE(d.port.isCellEnabled(kWindow, kMatrix, {0, 1}));
    QTest::mouseClick(cell300, Qt::LeftButton);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(d.port.selectedCell(kWindow, kMatrix), (ui::Cell{0, 1}));

    d.port.setCellEnabled(kWindow, kMatrix, {0, 0}, true);
    QTest::mouseClick(cell300, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(d.port.selectedCell(kWindow, kMatrix), (ui::Cell{0, 0}));
    QTest::mouseClick(cell300, Qt::LeftButton);  // the selected cell clicked again
    EXPECT_EQ(clicks, 2);

    // A cell's own state, whatever its matrix's; a grid layout places the cells by row and
    // column; a cell the matrix lacks is neither enabled nor selected.
    d.port.setEnabled(kWindow, kMatrix, false);
    EXPECT_TRUE(d.port.isCellEnabled(kWindow, kMatrix, {0, 0}));
    EXPECT_FALSE(d.port.isCellEnabled(kWindow, kMatrix, {1, 0}));
    d.port.selectCell(kWindow, "inputBitRadio", {0, 1});
    EXPECT_TRUE(child<QRadioButton>(d, kWindow, "bit16")->isChecked());
    d.port.selectCell(kWindow, "inputBitRadio", {3, 3});
    EXPECT_EQ(d.port.selectedCell(kWindow, "inputBitRadio"), (ui::Cell{0, 1}));
}

TEST_F(QtChoices, CheckBoxBoxTitleGreyLabelAndTextView) {
    int clicks = 0;
    d.port.onAction(kWindow, "proofCheckBox", [&] { ++clicks; });
    d.port.setChecked(kWindow, "proofCheckBox", true);
    EXPECT_TRUE(d.port.isChecked(kWindow, "proofCheckBox"));
    EXPECT_EQ(clicks, 0);
    clickCheckBox(child<QCheckBox>(d, kWindow, "proofCheckBox"));
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(d.port.isChecked(kWindow, "proofCheckBox"));
    // The checked radio button of its group can be switched off by the program.
    d.port.setChecked(kWindow, "resolution300", true);
    d.port.setChecked(kWindow, "resolution300", false);
    EXPECT_FALSE(d.port.isChecked(kWindow, "resolution300"));

    d.port.setText(kWindow, "inputResolutionBox", "Resolution");
    EXPECT_EQ(child<QGroupBox>(d, kWindow, "inputResolutionBox")->title(), "Resolution");
    EXPECT_EQ(d.port.text(kWindow, "inputResolutionBox"), "Resolution");

    auto* title = child<QLabel>(d, kWindow, "topTitle");
    const QColor black = title->palette().color(QPalette::WindowText);
    d.port.setGreyText(kWindow, "topTitle", true);
    EXPECT_NE(title->palette().color(QPalette::WindowText), black);
    EXPECT_EQ(title->palette().color(QPalette::WindowText),
              title->palette().color(QPalette::Disabled, QPalette::WindowText));
    d.port.setGreyText(kWindow, "topTitle", false);
    EXPECT_EQ(title->palette().color(QPalette::WindowText), black);

    int edits = 0;
    d.port.onTextChanged(kWindow, "editField", [&] { ++edits; });
    d.port.setText(kWindow, "editField", "first line\nsecond line");
    EXPECT_EQ(edits, 0);
    EXPECT_EQ(d.port.text(kWindow, "editField"), "first line\nsecond line");
    auto* view = child<QPlainTextEdit>(d, kWindow, "editField");
    d.port.focus(kWindow, "editField");
    d.port.selectText(kWindow, "editField");
    EXPECT_EQ(view->textCursor().selectedText().size(), view->toPlainText().size());
    QTest::keyClicks(view, "new");
    EXPECT_EQ(d.port.text(kWindow, "editField"), "new");
    EXPECT_EQ(edits, 3);
}

// ---- Tab views and panels -------------------------------------------------------------------

struct QtTabs : ::testing::Test {
    QtTabs() {
        d.port.loadWindow(kWindow);
        d.port.showWindow(kWindow);
        tabs = child<QTabWidget>(d, kWindow, kTabs);
        d.settle();
    }
    QStringList labels() const {
        QStringList shown;
        for (int i = 0; i < tabs->count(); ++i) {
            shown.append(tabs->tabText(i));
        }
        return shown;
    }
    static constexpr const char* kWindow = "SampleLists";
    static constexpr const char* kTabs = "settingTab";
    QtDialogs d;
    QTabWidget* tabs = nullptr;
};

TEST_F(QtTabs, RemovalByIdentifierKeepsThePageForAddTab) {
    int choices = 0;
    d.port.onAction(kWindow, kTabs, [&] { ++choices; });
    QWidget* maintenance = d.port.controlWidget(kWindow, "maintenancePage");
    EXPECT_EQ(d.port.selectedTab(kWindow, kTabs), "1");

    d.port.removeTab(kWindow, kTabs, "4");
    d.port.removeTab(kWindow, kTabs, "4");  // gone already: nothing
    EXPECT_EQ(labels(), (QStringList{"Favourites", "Caption", "Colour"}));
    EXPECT_FALSE(d.port.selectTab(kWindow, kTabs, "4"));
    EXPECT_EQ(d.port.selectedTab(kWindow, kTabs), "1");

    EXPECT_TRUE(d.port.selectTab(kWindow, kTabs, "2"));
    EXPECT_EQ(choices, 0);                  // the program's choice raises nothing
    d.port.removeTab(kWindow, kTabs, "2");  // the selected one: its neighbour takes over
    EXPECT_EQ(d.port.selectedTab(kWindow, kTabs), "3");
    EXPECT_EQ(choices, 0);

    d.port.addTab(kWindow, kTabs, "4", "Maintenance");
    EXPECT_EQ(tabs->widget(2), maintenance);  // the same page, back at the end
    d.port.addTab(kWindow, kTabs, "5", "Extra");
    EXPECT_EQ(tabs->widget(3)->objectName(), "5");
    d.port.setTabLabel(kWindow, kTabs, "5", "Extras");
    EXPECT_EQ(labels(), (QStringList{"Favourites", "Colour", "Maintenance", "Extras"}));

    QTabBar* bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(0).center());
    EXPECT_EQ(choices, 1);
    EXPECT_EQ(d.port.selectedTab(kWindow, kTabs), "1");
}

TEST_F(QtTabs, PanelPlacedInATabPageIsAddressedByItsOwnName) {
    ASSERT_TRUE(d.port.placePanel("SamplePanel", kWindow, "panelPage"));
    EXPECT_FALSE(d.port.placePanel("SamplePanel", kWindow, "colourPage"));  // placed once
    EXPECT_FALSE(d.port.placePanel("SampleViews", kWindow, "noSuchContainer"));
    EXPECT_FALSE(d.port.placePanel("NoSuchPanel", kWindow, "colourPage"));
    QWidget* panel = d.port.windowWidget("SamplePanel");
    EXPECT_EQ(panel->parentWidget(), d.port.controlWidget(kWindow, "panelPage"));

    int clicks = 0;
    d.port.onAction("SamplePanel", "dateCheckBox", [&] { ++clicks; });
    d.port.setText("SamplePanel", "captionField", "Lake at dawn");
    EXPECT_EQ(child<QLineEdit>(d, "SamplePanel", "captionField")->text(), "Lake at dawn");
    d.port.selectTab(kWindow, kTabs, "2");
    d.settle();
    EXPECT_TRUE(d.port.isVisible("SamplePanel"));
    clickCheckBox(child<QCheckBox>(d, "SamplePanel", "dateCheckBox"));
    EXPECT_EQ(clicks, 1);
    d.port.closeWindow("SamplePanel");
    EXPECT_FALSE(d.port.isVisible("SamplePanel"));
    EXPECT_TRUE(d.port.isVisible(kWindow));
    d.port.showWindow("SamplePanel");
    EXPECT_TRUE(d.port.isVisible("SamplePanel"));
}

// ---- Tables ---------------------------------------------------------------------------------

struct QtTable : ::testing::Test {
    QtTable() {
        d.port.loadWindow(kWindow);
        d.port.showWindow(kWindow);
        view = child<ui::TableView>(d, kWindow, kTable);
        names = {"Default", "Portrait", "Landscape", "Night", "Studio"};
        ui::TableSource source;
        source.rowCount = [this] { return static_cast<int>(names.size()); };
        source.cell = [this](std::string_view column, int row) {
            if (column == "fname") {
                return ui::TableCell{names.at(row), row == 0 ? "mark.png" : "no_mark.png"};
            }
            return ui::TableCell{column == "ffile" ? "IMG_" + std::to_string(row) + ".tif" : "",
                                 ""};
        };
        source.rowEnabled = [](int row) { return row != 3; };
        d.port.setTableSource(kWindow, kTable, source);
        d.settle();
    }
    QString shown(int row, int column = 0) const {
        return view->model()->index(row, column).data().toString();
    }
    QPoint rowPoint(int row, int quarter) const {
        return {view->columnViewportPosition(1) + 5,
                view->rowViewportPosition(row) + view->rowHeight(row) * quarter / 4 + 1};
    }
    void click(int row, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, rowPoint(row, 1));
    }
    bool drop(const QMimeData* data, QPoint where) {
        return qttest::dropOnTable(view, data, where);
    }
    QPoint belowTheRows() const { return qttest::belowTheRows(view); }

    static constexpr const char* kWindow = "SampleLists";
    static constexpr const char* kTable = "favoriteList";
    std::vector<std::string> names;  // the controller's rows outlive its window
    SamplePictures pictures;
    QtDialogs d{pictures.folder.path()};
    ui::TableView* view = nullptr;
};

TEST_F(QtTable, ColumnsRowsAndTheSourcesCells) {
    ASSERT_EQ(view->model()->rowCount(), 5);
    ASSERT_EQ(view->model()->columnCount(), 3);
    EXPECT_EQ(view->model()->headerData(1, Qt::Horizontal).toString(), "File");
    d.port.setColumnTitle(kWindow, kTable, "fdate", "Date");
    EXPECT_EQ(view->model()->headerData(2, Qt::Horizontal).toString(), "Date");
    EXPECT_EQ(shown(1), "Portrait");
    EXPECT_EQ(shown(2, 1), "IMG_2.tif");
    EXPECT_FALSE(view->model()->index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_TRUE(view->model()->index(0, 1).data(Qt::DecorationRole).isNull());

    // A disabled row stays selectable.
    click(3);
    EXPECT_EQ(d.port.selectedRow(kWindow, kTable), 3);

    // The controller's rows shrink: until it reloads, the rows it lost show empty instead of
    // being read past its end.
    names.resize(3);
    EXPECT_EQ(shown(4), "");
    d.port.reloadTable(kWindow, kTable);
    EXPECT_EQ(view->model()->rowCount(), 3);
    EXPECT_EQ(d.port.selectedRow(kWindow, kTable), ui::kNoRow);  // row 3 is gone
    names.push_back("Added");
    d.port.selectRow(kWindow, kTable, 1);
    d.port.reloadTable(kWindow, kTable);
    EXPECT_EQ(shown(3), "Added");
    EXPECT_EQ(d.port.selectedRow(kWindow, kTable), 1);  // kept across the reload
    d.port.scrollToRow(kWindow, kTable, 3);
}

TEST_F(QtTable, SelectionActionsAndTheEmptySelection) {
    std::vector<std::string> events;
    d.port.onAction(kWindow, kTable, [&] { events.push_back("action"); });
    d.port.onDoubleAction(kWindow, kTable, [&] { events.push_back("double"); });
    d.port.onSelectionChange(kWindow, kTable, [&] {
        events.push_back("selection " + std::to_string(d.port.selectedRow(kWindow, kTable)));
    });
    d.port.selectRow(kWindow, kTable, 2);
    d.port.selectRow(kWindow, kTable, 9);  // a row the table lacks: none
    EXPECT_EQ(d.port.selectedRow(kWindow, kTable), ui::kNoRow);
    EXPECT_TRUE(events.empty());  // the program's selections raise nothing

    click(1);
    EXPECT_EQ(events, (std::vector<std::string>{"selection 1", "action"}));
    events.clear();
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, rowPoint(1, 1));
    EXPECT_EQ(events.back(), "double");
    events.clear();
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(events, (std::vector<std::string>{"selection 2"}));

    d.port.setEmptySelectionAllowed(kWindow, kTable, false);
    click(2, Qt::ControlModifier);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, belowTheRows());
    EXPECT_EQ(d.port.selectedRow(kWindow, kTable), 2);
    d.port.setEmptySelectionAllowed(kWindow, kTable, true);
    click(2, Qt::ControlModifier);
    EXPECT_EQ(d.port.selectedRow(kWindow, kTable), ui::kNoRow);
    click(1);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, belowTheRows());
    EXPECT_EQ(d.port.selectedRow(kWindow, kTable), ui::kNoRow);
}

TEST_F(QtTable, DragReordersWithinTheTableAndRefusesEveryOtherDrop) {
    std::vector<std::pair<int, int>> moves;
    d.port.setRowReordering(kWindow, kTable, "SAMPLEROWS",
                            [&](int from, int to) { moves.emplace_back(from, to); });
    EXPECT_TRUE(view->dragEnabled());

    std::unique_ptr<QMimeData> row2(view->makeRowDrag(2));
    EXPECT_TRUE(drop(row2.get(), rowPoint(4, 1)));  // onto row 4: above it
    EXPECT_TRUE(drop(row2.get(), rowPoint(4, 3)));  // its lowest quarter: below it
    EXPECT_TRUE(drop(row2.get(), rowPoint(0, 2)));
    // Below the last row Qt proposes no row: the drop goes to the end, not to the top.
    EXPECT_TRUE(drop(row2.get(), belowTheRows()));
    EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{2, 4}, {2, 5}, {2, 0}, {2, 5}}));
    moves.clear();

    // The same type and index from another table or program, a row the table lacks, another
    // type: all refused.
    QMimeData foreign;
    foreign.setData("application/x-SAMPLEROWS", "2");
    EXPECT_FALSE(drop(&foreign, rowPoint(1, 1)));
    std::unique_ptr<QMimeData> beyond(view->makeRowDrag(7));
    EXPECT_FALSE(drop(beyond.get(), rowPoint(1, 1)));
    std::unique_ptr<QMimeData> lastRow(view->makeRowDrag(4));
    names.resize(3);
    d.port.reloadTable(kWindow, kTable);
    EXPECT_FALSE(drop(lastRow.get(), rowPoint(1, 1)));  // row 4 is gone now
    std::unique_ptr<QMimeData> retyped(view->makeRowDrag(1));
    retyped->setData("application/x-SAMPLEROWS", "x");
    EXPECT_FALSE(drop(retyped.get(), rowPoint(1, 1)));
    EXPECT_TRUE(moves.empty());

    d.port.setRowReordering(kWindow, kTable, "SAMPLEROWS", nullptr);
    std::unique_ptr<QMimeData> after(view->makeRowDrag(1));
    EXPECT_FALSE(drop(after.get(), rowPoint(0, 1)));
    EXPECT_FALSE(view->dragEnabled());
}

// ---- File panels and the workspace ----------------------------------------------------------

TEST(QtFilePanels, SaveAndOpenPanelsAnswerThePathOrNone) {
    QtDialogs d;
    testsupport::TemporaryFolder folder;
    std::ofstream(folder / "curves.acv") << "0\n";
    const QString expectedFolder = QString::fromStdString(folder.path().string());

    QString seenFolder;
    whenModalAppears([&](QWidget* modal) {
        auto* panel = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(panel, nullptr);
        seenFolder = panel->directory().absolutePath();
        EXPECT_EQ(panel->acceptMode(), QFileDialog::AcceptSave);
        static_cast<QDialog*>(panel)->accept();  // as the Save or Open button does
    });
    const auto saved = d.port.runSavePanel(folder.path().string(), "Portrait.fav");
    EXPECT_EQ(seenFolder, expectedFolder);
    EXPECT_EQ(saved, (folder / "Portrait.fav").string());

    whenModalAppears([&](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    EXPECT_EQ(d.port.runSavePanel(folder.path().string(), "Portrait.fav"), std::nullopt);

    whenModalAppears([&](QWidget* modal) {
        auto* panel = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(panel->acceptMode(), QFileDialog::AcceptOpen);
        panel->selectFile("curves.acv");
        static_cast<QDialog*>(panel)->accept();  // as the Save or Open button does
    });
    EXPECT_EQ(d.port.runOpenPanel(folder.path().string()), (folder / "curves.acv").string());

    EXPECT_FALSE(d.port.openFile((folder / "missing.html").string()));
    EXPECT_FALSE(d.port.openHelp((folder / "missing.html").string()));
}

}  // namespace
