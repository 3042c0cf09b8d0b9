// The favourites table on Qt: rows dropped in a real table move in the controller and the
// settings model, a drop below the rows appends, and the same row index from elsewhere is
// refused without touching the model.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <memory>

#include "cf/notification_center.h"
#include "dialogs/plugin_strings.h"
#include "favorites_fixture.h"
#include "qt/table_drops.h"
#include "support/temporary_folder.h"
#include "ui/qt_port.h"
#include "ui/table_view.h"
#include "ui/window_layouts.h"
#include "ui_FavoritesSample.h"

namespace {

using namespace history_lists;
using namespace history_lists_test;

constexpr char kWindow[] = "FavoritesSample";
constexpr char kTable[] = "favoriteList";

class QtFavorites : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(favorites.ready());
        ui::registerWindowLayout(kWindow, ui::buildLayout<Ui::FavoritesSample>);
        ASSERT_TRUE(port.loadWindow(kWindow));
        view = dynamic_cast<ui::TableView*>(port.controlWidget(kWindow, kTable));
        ASSERT_NE(view, nullptr);
        port.showWindow(kWindow);
        controller.connectTable();
        favorites.give();
        favorites.fill(controller);
        port.reloadTable(kWindow, kTable);
        QCoreApplication::processEvents();
    }
    void TearDown() override { port.closeWindow(kWindow); }

    Strings shownNames() const {
        Strings names;
        for (int row = 0; row < view->model()->rowCount(); ++row) {
            names.push_back(view->model()->index(row, 0).data().toString().toStdString());
        }
        return names;
    }
    QPoint above(int row) const {
        return {10, view->rowViewportPosition(row) + view->rowHeight(row) / 4};
    }
    QPoint belowTheRows() const { return qttest::belowTheRows(view); }
    bool drop(const QMimeData* data, QPoint where) const {
        return qttest::dropOnTable(view, data, where);
    }

    Favorites favorites;
    dialogs::PlugInStrings strings{nullptr};
    testsupport::TemporaryFolder resources;
    ui::QtPort port{strings, resources.path()};
    ui::TableView* view = nullptr;
    kFavoriteArrayController controller{port, kWindow, kTable};
    int posts = 0;
    cf::NotificationCenter::Observer observer = cf::NotificationCenter::defaultCenter().addObserver(
        kSwapFavoriteListNotification, nullptr, [this](const cf::Notification&) { ++posts; });
};

TEST_F(QtFavorites, DroppedRowsMoveInTheTableAndTheModel) {
    ASSERT_EQ(shownNames(), (Strings{kDefaultName, "1", "2", "3", "4"}));
    std::unique_ptr<QMimeData> row2(view->makeRowDrag(2));
    EXPECT_TRUE(drop(row2.get(), above(4)));
    EXPECT_EQ(shownNames(), (Strings{kDefaultName, "1", "3", "2", "4"}));
    EXPECT_EQ(favorites.modelNames(), shownNames());
    EXPECT_EQ(port.selectedRow(kWindow, kTable), 3);
    EXPECT_EQ(posts, 1);

    std::unique_ptr<QMimeData> row1(view->makeRowDrag(1));
    EXPECT_TRUE(drop(row1.get(), belowTheRows()));  // appended, not put first
    EXPECT_EQ(shownNames(), (Strings{kDefaultName, "3", "2", "4", "1"}));
    EXPECT_EQ(favorites.modelNames(), shownNames());
    EXPECT_EQ(posts, 2);
}

TEST_F(QtFavorites, TheRowIndexFromElsewhereIsRefused) {
    QMimeData foreign;
    foreign.setData(QByteArray("application/x-") + kFavoriteDragType, "2");
    EXPECT_FALSE(drop(&foreign, above(0)));
    std::unique_ptr<QMimeData> beyond(view->makeRowDrag(kFavorites + 2));
    EXPECT_FALSE(drop(beyond.get(), above(0)));
    EXPECT_EQ(shownNames(), (Strings{kDefaultName, "1", "2", "3", "4"}));
    EXPECT_EQ(favorites.modelNames(), shownNames());
    EXPECT_EQ(posts, 0);
}

}  // namespace
