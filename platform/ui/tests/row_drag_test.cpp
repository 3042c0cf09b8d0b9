// The rules of a row dragged within its table: the drag's data, which data a drop takes, and
// where a drop lands.
#include "ui/row_drag.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

TEST(RowDrag, DataNamesOneRowTheTableHas) {
    struct Case {
        std::string data;
        int rowCount;
        std::optional<int> row;
    };
    const Case cases[] = {
        {ui::rowDragData(0), 5, 0},
        {ui::rowDragData(4), 5, 4},
        {ui::rowDragData(5), 5, std::nullopt},  // past the last row
        {"2", 0, std::nullopt},                 // an empty table
        {"", 5, std::nullopt},
        {"-1", 5, std::nullopt},
        {"+1", 5, std::nullopt},
        {" 1", 5, std::nullopt},
        {"1 2", 5, std::nullopt},  // two rows
        {"1x", 5, std::nullopt},
        {"99999999999999999999", 5, std::nullopt},  // beyond any int
        {"007", 8, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("data \"" + c.data + "\", " + std::to_string(c.rowCount) + " rows");
        EXPECT_EQ(ui::draggedRow(c.data, c.rowCount), c.row);
    }
}

TEST(RowDrag, DropBelowTheRowsAppendsAndEveryDropStaysInTheTable) {
    struct Case {
        int proposed;
        int rowCount;
        int insertion;
    };
    const Case cases[] = {
        {-1, 5, 5},  // below the last row: after it, never before the first
        {-1, 0, 0},  // an empty table
        {0, 5, 0},  {3, 5, 3}, {5, 5, 5}, {9, 5, 5},  // clamped to the end
        {-7, 5, 5},  // any other negative row means the end as well
        {2, -3, 0},  // a source answering a negative count
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.proposed) + " of " + std::to_string(c.rowCount));
        EXPECT_EQ(ui::dropInsertionRow(c.proposed, c.rowCount), c.insertion);
    }
}

}  // namespace
