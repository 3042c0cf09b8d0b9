// The favourites table over a settings model with the media database of a shipped printer: the
// rows and their enabling, and reordering by drag through the scripted port, where the model
// moves the same entry, the notification comes once, and drops on the row's own place or naming
// rows the list does not have change nothing.
#include "history_lists/favorite_array_controller.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "cf/notification_center.h"
#include "favorites_fixture.h"
#include "scripted_port.h"

namespace {

using namespace history_lists;
using namespace history_lists_test;

constexpr char kWindow[] = "PLPrintHistory";
constexpr char kTable[] = "favoriteList";
constexpr std::int16_t kUnknownMedium = 9999;

class FavoriteArrayController : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(favorites_.ready());
        controller_.connectTable();
    }

    void giveFavorites() { favorites_.give(); }
    void build() {
        favorites_.fill(controller_);
        port_.reloadTable(kWindow, kTable);
    }

    // What the table shows in the name column, and the model's names, in order.
    Strings shownNames() {
        Strings names;
        for (int row = 0; row < port_.control(kWindow, kTable).rowCount; ++row) {
            names.push_back(port_.shownCell(kWindow, kTable, "fname", row).text);
        }
        return names;
    }
    Strings modelNames() const { return favorites_.modelNames(); }

    Favorites favorites_;
    modeltest::Model* model_ = &favorites_.model();
    dialogs_test::ScriptedPort port_;
    kFavoriteArrayController controller_{port_, kWindow, kTable};
    int swapPosts_ = 0;
    cf::NotificationCenter::Observer observer_ =
        cf::NotificationCenter::defaultCenter().addObserver(
            kSwapFavoriteListNotification, nullptr,
            [this](const cf::Notification&) { ++swapPosts_; });
};

TEST_F(FavoriteArrayController, RowsShowTheDefaultEntryItsIconsBlanksAndEnabling) {
    giveFavorites();
    auto list = std::make_unique<PrintJobs>(*model_->getFavoriteData());
    list->entries[0].NameString = "stored name";  // the default entry always shows its text
    list->entries[1].NameString.reset();
    list->entries[1].CommentString.reset();
    list->entries[2].settings->MediaType = kUnknownMedium;
    list->entries[3].settings.reset();
    model_->setFavoriteData(std::move(list));
    build();

    EXPECT_EQ(port_.control(kWindow, kTable).dragType, kFavoriteDragType);
    EXPECT_EQ(port_.shownCell(kWindow, kTable, "fname", 0),
              (ui::TableCell{kDefaultName, "mark.tiff"}));
    EXPECT_EQ(port_.shownCell(kWindow, kTable, "fname", 1), (ui::TableCell{" ", "no_mark.tiff"}));
    EXPECT_EQ(port_.shownCell(kWindow, kTable, "fcomment", 1).text, " ");
    EXPECT_EQ(port_.shownCell(kWindow, kTable, "ffile", 4), (ui::TableCell{"image4.tif", ""}));
    EXPECT_EQ(port_.shownCell(kWindow, kTable, "fdate", 4).text, "2024/03/05 14:07");
    EXPECT_EQ(port_.shownCell(kWindow, kTable, "fcolor", 4).text, "C:0 M:0 Y:0");
    EXPECT_EQ(port_.shownCell(kWindow, kTable, "fprinter", 4).text, "SL-7440 Studio");
    EXPECT_EQ(port_.shownCell(kWindow, kTable, "hdate", 4).text, "");
    EXPECT_EQ(controller_.getEnableArray(),
              (Strings{"Enable", "Enable", "Disable", "Disable", "Enable"}));
    const ui::TableSource& source = port_.control(kWindow, kTable).source;
    EXPECT_TRUE(source.rowEnabled(1));
    EXPECT_FALSE(source.rowEnabled(2));
    EXPECT_FALSE(source.rowEnabled(kFavorites));  // no such row
}

TEST_F(FavoriteArrayController, AModelWithoutFavoritesGivesAnEmptyTable) {
    build();
    EXPECT_EQ(port_.control(kWindow, kTable).rowCount, 0);
    EXPECT_FALSE(port_.dragRow(kWindow, kTable, 0, 1));
    giveFavorites();
    build();
    EXPECT_EQ(port_.control(kWindow, kTable).rowCount, kFavorites);
    controller_.listArrayTerminate();
    EXPECT_EQ(controller_.numberOfRows(), 0);
    EXPECT_EQ(controller_.objectValue("fname", 0), std::nullopt);
}

TEST_F(FavoriteArrayController, ADraggedRowMovesInTheTableAndTheModelAlike) {
    struct Case {
        int source;
        int insertion;  // as the port reports it
        Strings order;
        int selected;
    };
    const Case cases[] = {
        {2, 4, {kDefaultName, "1", "3", "2", "4"}, 3},
        {2, 0, {"2", kDefaultName, "1", "3", "4"}, 0},
        {1, 5, {kDefaultName, "2", "3", "4", "1"}, 4},  // after the last row
        {4, 1, {kDefaultName, "4", "1", "2", "3"}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.source) + " above " + std::to_string(c.insertion));
        giveFavorites();
        build();
        swapPosts_ = 0;
        ASSERT_TRUE(port_.dragRow(kWindow, kTable, c.source, c.insertion));
        EXPECT_EQ(shownNames(), c.order);
        EXPECT_EQ(modelNames(), c.order);
        EXPECT_EQ(port_.control(kWindow, kTable).selectedRow, c.selected);
        EXPECT_EQ(port_.control(kWindow, kTable).scrolledTo, c.selected);
        EXPECT_EQ(swapPosts_, 1);
        // The moved entry keeps its own columns and enabling.
        EXPECT_EQ(controller_.objectValue("ffile", c.selected),
                  "image" + std::to_string(c.source) + ".tif");
        EXPECT_EQ(controller_.getEnableArray()[static_cast<std::size_t>(c.selected)], "Enable");
    }
}

TEST_F(FavoriteArrayController, TheObserverRebuildsTheSameRowsFromTheModel) {
    giveFavorites();
    build();
    Strings rebuilt;
    const auto observer = cf::NotificationCenter::defaultCenter().addObserver(
        kSwapFavoriteListNotification, nullptr, [&](const cf::Notification&) {
            const Strings moved = shownNames();
            build();
            rebuilt = shownNames();
            EXPECT_EQ(rebuilt, moved);
        });
    ASSERT_TRUE(port_.dragRow(kWindow, kTable, 3, 0));
    EXPECT_EQ(rebuilt, (Strings{"3", kDefaultName, "1", "2", "4"}));
    std::vector<std::int32_t> numbers;
    for (const SetDataList& entry : model_->getFavoriteData()->entries) {
        numbers.push_back(entry.listNumber);
    }
    EXPECT_EQ(numbers, (std::vector<std::int32_t>{1, 2, 3, 4, 5}));
}

TEST_F(FavoriteArrayController, DropsOnTheOwnPlaceOrNamingNoRowChangeNothing) {
    giveFavorites();
    build();
    const Strings before = shownNames();
    const int reloads = port_.control(kWindow, kTable).reloads;
    // Above itself and just below itself.
    EXPECT_TRUE(port_.dragRow(kWindow, kTable, 2, 2));
    EXPECT_TRUE(port_.dragRow(kWindow, kTable, 2, 3));
    EXPECT_TRUE(controller_.acceptDrop(4, kFavorites));
    // Rows the list does not have: the port refuses them, and so does the controller.
    EXPECT_FALSE(port_.dragRow(kWindow, kTable, kFavorites, 0));
    EXPECT_FALSE(controller_.acceptDrop(kFavorites, 0));
    EXPECT_FALSE(controller_.acceptDrop(-1, 0));
    EXPECT_FALSE(controller_.acceptDrop(1000, 2));
    EXPECT_EQ(shownNames(), before);
    EXPECT_EQ(modelNames(), before);
    EXPECT_EQ(port_.control(kWindow, kTable).reloads, reloads);
    EXPECT_EQ(port_.control(kWindow, kTable).selectedRow, ui::kNoRow);
    EXPECT_EQ(swapPosts_, 0);
}

TEST_F(FavoriteArrayController, ADropBelowTheRowsAppendsAndATooLargeRowIsTakenAsTheEnd) {
    for (const int insertion : {-1, kFavorites + 7}) {
        SCOPED_TRACE(insertion);
        giveFavorites();
        build();
        EXPECT_TRUE(controller_.acceptDrop(1, insertion));
        EXPECT_EQ(modelNames(), (Strings{kDefaultName, "2", "3", "4", "1"}));
        EXPECT_EQ(shownNames(), modelNames());
    }
    // The last row dropped after the end stays where it is.
    swapPosts_ = 0;
    EXPECT_TRUE(controller_.acceptDrop(kFavorites - 1, -1));
    EXPECT_EQ(swapPosts_, 0);
}

TEST(FavoriteArrayControllerLifetime, TheTableLosesItsSourceAndReorderingWithTheController) {
    dialogs_test::ScriptedPort port;
    {
        kFavoriteArrayController controller(port, kWindow, kTable);
        controller.connectTable();
        EXPECT_TRUE(port.control(kWindow, kTable).rowMove);
    }
    EXPECT_FALSE(port.control(kWindow, kTable).rowMove);
    EXPECT_FALSE(port.control(kWindow, kTable).source.rowCount);
}

}  // namespace
