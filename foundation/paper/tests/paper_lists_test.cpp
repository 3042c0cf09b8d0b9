// Roll-width and output-paper menus of the shipped models and of the paper-rule fixture model,
// whose cut-sheet limits are exactly the sizes of its largest and smallest listed papers.
#include "paper/paper_lists.h"

#include <gtest/gtest.h>

#include "foundation_test_support.h"
#include "support/model_atlas_host.h"

namespace {

using foundationtest::Menu;
using foundationtest::MenuRow;
using Rows = std::vector<MenuRow>;

constexpr std::int32_t kLargeFormat = 7440;
constexpr std::int32_t kLegacy = 2400;
constexpr std::int32_t kMediumFormat = 5170;
constexpr std::int32_t kPaperFixture = 21;

Rows rollWidths(std::int32_t model, std::uint8_t borderlessOnly) {
    Menu menu;
    EXPECT_EQ(ConstructRollPaperWidthList(model, borderlessOnly, menu.get()), 0);
    return menu.rows();
}

Rows outputPapers(std::int32_t model, std::int32_t source) {
    Menu menu;
    EXPECT_EQ(ConstructOutPutPaperList(model, source, menu.get()), 0);
    return menu.rows();
}

MenuRow roll(const char* name, std::int32_t id) {
    return {name, id, 0, 0, true};
}

MenuRow paper(const char* name, std::int32_t id, std::int32_t width, std::int32_t height) {
    return {name, id, width, height, true};
}

const MenuRow kA2 = paper("A2", 32, 4200, 5940);
const MenuRow kA3 = paper("A3", 1, 2970, 4200);
const MenuRow kA4 = paper("A4", 2, 2100, 2970);
const MenuRow kB4 = paper("B4", 6, 2570, 3640);
const MenuRow kLetter = paper("Letter", 13, 2159, 2794);
const MenuRow kLegal = paper("Legal", 12, 2159, 3556);
const MenuRow kTabloid = paper("Tabloid", 11, 2794, 4318);
const MenuRow kSuperA3 = paper("Super A3", 71, 3290, 4830);
const MenuRow k8x10 = paper("8 x 10 in", 101, 2032, 2540);
const MenuRow k10x12 = paper("10 x 12 in", 123, 2540, 3048);
const MenuRow k14x17 = paper("14 x 17 in", 122, 3556, 4318);
const MenuRow k16x20 = paper("16 x 20 in", 127, 4064, 5080);
const MenuRow k17x24 = paper("17 x 24 in", 135, 4318, 6096);

class ShippedLists : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(host_.ready()); }
    testsupport::ModelAtlasHost host_{ATLAS_SHIPPED_SHELL};
};

TEST_F(ShippedLists, RollWidthsInTheModelsOrderAndTheBorderlessOnes) {
    EXPECT_EQ(rollWidths(kMediumFormat, 0),
              (Rows{roll("17 in (432 mm)", 103), roll("14 in (356 mm)", 122),
                    roll("10 in (254 mm)", 123), roll("8 in (203 mm)", 101)}));
    EXPECT_EQ(rollWidths(kMediumFormat, 1),
              (Rows{roll("17 in (432 mm)", 103), roll("10 in (254 mm)", 123)}));
    EXPECT_EQ(rollWidths(kLargeFormat, 1),
              (Rows{roll("17 in (432 mm)", 103), roll("24 in (610 mm)", 106),
                    roll("36 in (914 mm)", 110), roll("44 in (1118 mm)", 119)}));
    EXPECT_EQ(rollWidths(kLargeFormat, 0).size(), 7u);
    EXPECT_EQ(CheckNoMarginRollWidth(106, kLegacy), 1);
    EXPECT_EQ(CheckNoMarginRollWidth(103, kLegacy), 0);
    EXPECT_EQ(ConstructRollPaperWidthList(kLegacy, 0, nullptr), KMenu::kBadArgument);
}

TEST_F(ShippedLists, ManualFeedListsOnlyPapersWithinTheCutSheetLimits) {
    // Cut sheets 27900 to 160000 long and 20320 to 43200 wide: 8 x 10 in is too short, Letter
    // (27940) and 17 x 24 in (43180 wide) just fit.
    const Rows manual{kA2,      kA3,      kA4,    kB4,    kLetter, kLegal,
                      kTabloid, kSuperA3, k10x12, k14x17, k16x20,  k17x24};
    for (const std::int32_t source : {16, 128, 8192})
        EXPECT_EQ(outputPapers(kMediumFormat, source), manual) << source;
}

TEST_F(ShippedLists, CassetteOfACassetteModelListsItsCassettePapersInTheModelsOrder) {
    EXPECT_EQ(outputPapers(kMediumFormat, 2),
              (Rows{kA3, kA4, kB4, kLetter, kLegal, kTabloid, kSuperA3, k8x10, k10x12}));
    // Rolls list every paper of the model, and so does the cassette of a model without one.
    const Rows all{kA2,      kA3,   kA4,    kB4,    kLetter, kLegal, kTabloid,
                   kSuperA3, k8x10, k10x12, k14x17, k16x20,  k17x24};
    EXPECT_EQ(outputPapers(kMediumFormat, 512), all);
    const Rows legacy = outputPapers(kLegacy, 2);
    EXPECT_EQ(legacy.size(), 14u);
    EXPECT_EQ(legacy.front(), paper("A1", 31, 5940, 8410));
}

TEST(FixtureLists, PapersExactlyAtTheLimitsAreListedAndNamelessIDsAreNot) {
    testsupport::ModelAtlasHost host(ATLAS_PAPER_SHELL);
    ASSERT_TRUE(host.ready());
    // Limits: 36400 to 42000 long, 25700 to 29700 wide; A3 is the largest, B4 the smallest, A4
    // too short, and paper 999 lies within but has no name.
    EXPECT_EQ(outputPapers(kPaperFixture, 128), (Rows{kA3, kB4}));
    EXPECT_EQ(outputPapers(kPaperFixture, 16), (Rows{kA3, kB4}));
    EXPECT_EQ(outputPapers(kPaperFixture, 2), (Rows{kA4}));
    EXPECT_EQ(outputPapers(kPaperFixture, 512), (Rows{kA3, kA4, kB4}));
    // Roll width 998 has no name.
    EXPECT_EQ(rollWidths(kPaperFixture, 0),
              (Rows{roll("17 in (432 mm)", 103), roll("24 in (610 mm)", 106)}));
    EXPECT_EQ(rollWidths(kPaperFixture, 1), (Rows{roll("24 in (610 mm)", 106)}));
}

TEST(ListsWithoutBundle, AddNothing) {
    foundationtest::NoModelAtlas none;
    EXPECT_TRUE(rollWidths(kLargeFormat, 0).empty());
    EXPECT_TRUE(outputPapers(kLargeFormat, 512).empty());
    EXPECT_TRUE(outputPapers(kLargeFormat, 128).empty());
    EXPECT_EQ(ConstructOutPutPaperList(kLargeFormat, 512, nullptr), KMenu::kBadArgument);
}

}  // namespace
