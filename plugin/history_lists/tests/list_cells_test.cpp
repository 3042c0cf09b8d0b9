// The list cells' layout: the icon at the margin, the text 22 points in beside an icon and 3
// without, text-only cells over the whole frame, and the text colour by state.
#include "history_lists/list_cells.h"

#include <gtest/gtest.h>

namespace {

using namespace history_lists;

constexpr ui::Rect kFrame{10, 20, 200, 17};

TEST(ListCells, IconAndTextTakeTheirPlacesInTheFrame) {
    struct Case {
        const char* name;
        ListCell cell;
        ui::TableCell value;
        std::optional<ui::Rect> icon;
        std::optional<ui::Rect> text;
        CellFont font;
    };
    const Case cases[] = {
        {"favourite with icon",
         favoriteIconedCell,
         {"Studio", "mark.tiff"},
         ui::Rect{13, 20, 16, 16},
         ui::Rect{32, 20, 178, 17},
         CellFont::smallSystem},
        {"favourite without icon",
         favoriteIconedCell,
         {"Studio", ""},
         std::nullopt,
         ui::Rect{13, 20, 197, 17},
         CellFont::smallSystem},
        {"paper with icon",
         IconedCell,
         {"A4", "paper.tiff"},
         ui::Rect{13, 20, 16, 16},
         ui::Rect{32, 20, 178, 17},
         CellFont::textDefault},
        {"paper without icon",
         IconedCell,
         {"A4", ""},
         std::nullopt,
         ui::Rect{13, 20, 197, 17},
         CellFont::textDefault},
        {"job mark: icon only",
         jobIconedCell,
         {"7", "mark2.tiff"},
         ui::Rect{13, 20, 11, 11},
         std::nullopt,
         CellFont::smallSystem},
        {"job mark without icon",
         jobIconedCell,
         {"7", ""},
         std::nullopt,
         std::nullopt,
         CellFont::smallSystem},
        {"favourite text",
         favoriteTextCell,
         {"x.tif", "ignored.tiff"},
         std::nullopt,
         kFrame,
         CellFont::smallSystem},
        {"paper size", textCell, {"210 x 297", ""}, std::nullopt, kFrame, CellFont::textDefault},
        {"no text",
         favoriteIconedCell,
         {"", "mark.tiff"},
         ui::Rect{13, 20, 16, 16},
         std::nullopt,
         CellFont::smallSystem},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CellDrawing drawing = drawInteriorWithFrame(c.cell, c.value, kFrame, CellState{});
        EXPECT_EQ(drawing.icon, c.icon);
        EXPECT_EQ(drawing.picture, c.icon ? c.value.picture : "");
        ASSERT_EQ(drawing.text.has_value(), c.text.has_value());
        if (c.text) {
            EXPECT_EQ(drawing.text->rect, *c.text);
            EXPECT_EQ(drawing.text->text, c.value.text);
            EXPECT_EQ(drawing.text->font, c.font);
            EXPECT_EQ(drawing.text->lineBreakMode, kLineBreakTruncatingTail);
        }
    }
}

TEST(ListCells, AColumnNarrowerThanTheIconLeavesNoRoomForText) {
    const CellDrawing drawing =
        drawInteriorWithFrame(favoriteIconedCell, {"Studio", "mark.tiff"}, {0, 0, 12, 17}, {});
    ASSERT_TRUE(drawing.text);
    EXPECT_EQ(drawing.text->rect.width, 0);
    EXPECT_EQ(drawing.text->rect.x, 22);
}

TEST(ListCells, TheSelectionColourNeedsTheFocusedTableOfTheKeyWindow) {
    struct Case {
        CellState state;  // first responder, highlighted, key window, enabled
        CellTextColor color;
    };
    const Case cases[] = {
        {{true, true, true, true}, CellTextColor::selectedMenuItemText},
        {{true, true, true, false}, CellTextColor::lightGray},
        {{false, false, false, true}, CellTextColor::text},
        {{false, false, false, false}, CellTextColor::gray},
        {{false, true, true, true}, CellTextColor::text},   // the table is not first responder
        {{true, true, false, true}, CellTextColor::text},   // the window is not key
        {{true, false, true, false}, CellTextColor::gray},  // not highlighted
    };
    for (const Case& c : cases) {
        const CellDrawing drawing = drawInteriorWithFrame(textCell, {"text", ""}, kFrame, c.state);
        ASSERT_TRUE(drawing.text);
        EXPECT_EQ(drawing.text->color, c.color);
    }
    EXPECT_FALSE(favoriteIconedCell.showsFirstResponder);
    EXPECT_TRUE(favoriteIconedCell.smallControlSize);
    EXPECT_FALSE(IconedCell.smallControlSize);
}

}  // namespace
