// The value rules of the set-up as tables: roll-width codes, blur prevention, SSC levels, option
// bytes and media-detail choices, printer names of pop-up names, depth codes and the caption rule.
#include "setup/setup_rules.h"

#include <gtest/gtest.h>

#include <string>

#include "cf/value.h"
#include "rastercore/core_common_info_tbl.h"

namespace {

using namespace setup;

TEST(SetupRules, RollWidthCodesOfEveryPaperName) {
    const char* names[] = {"PHOTO_8X10", "INCH_10X12", "INCH_14X17", "INCH_16X20", "ANSI_C",
                           "INCH_20",    "ARCH_D",     "ARCH_E1",    "ARCH_E",     "INCH_42X60",
                           "INCH_43",    "INCH_44X62", "INCH_50X70", "INCH_54X76", "INCH_59",
                           "INCH_60X84", "ISO_A0",     "ISO_A1",     "ISO_A2",     "ISO_A3",
                           "JIS_B0",     "JIS_B1",     "JIS_B2",     "JIS_B4",     "MM_300X900",
                           "ISO_A3_PLUS"};
    std::uint16_t code = 1;
    for (const char* name : names) {
        EXPECT_EQ(rollWidthCode(name), code++) << name;
    }
    for (const char* other : {"", "ISO_A4", "CUSTOM", "iso_a0", "ISO_A0 "}) {
        EXPECT_EQ(rollWidthCode(other), 0xFFFE) << "'" << other << "'";
    }
}

TEST(SetupRules, BlurPreventionAndSscLevels) {
    const struct {
        std::int32_t record;
        std::int32_t blurKind;
        std::int32_t sscLevel;
    } cases[] = {{0, -1, 0}, {1, -1, 0}, {2, 0, 0},  {3, 4, 0},  {4, -1, 1},
                 {5, -1, 2}, {6, -1, 3}, {7, -1, 0}, {-1, -1, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(blurPreventionKind(c.record), c.blurKind) << c.record;
        EXPECT_EQ(sscLevel(c.record), c.sscLevel) << c.record;
    }
}

TEST(SetupRules, OptionBytesInTheirSlotsAndWhatTheModelLeavesOut) {
    CoreCommonInfoTbl table{};
    table.pageWaitTime = 11;
    table.bandWaitTime = 12;
    table.tipSpace = 13;
    table.paperThick = 14;
    table.paperSuction = 15;
    table.cutSpeed = 16;
    table.backendSpace = 17;
    const struct {
        const char* name;
        std::int32_t blankBack;
        std::int32_t suction;
        std::array<std::uint8_t, kOptionByteCount> bytes;
    } cases[] = {
        {"all sent", 0, 0, {11, 12, 13, 255, 255, 14, 15, 255, 16, 255, 255, 17, 255}},
        {"suction alone changes nothing",
         0,
         1,
         {11, 12, 13, 255, 255, 14, 15, 255, 16, 255, 255, 17, 255}},
        {"blank back", 1, 0, {11, 12, 13, 255, 255, 255, 15, 255, 16, 255, 255, 255, 255}},
        {"blank back and suction",
         1,
         1,
         {11, 12, 13, 255, 255, 255, 255, 255, 16, 255, 255, 255, 255}},
    };
    for (const auto& c : cases) {
        ModelAtlasTbl model{};
        model.BlankBack_Thickness = c.blankBack;
        model.Printing_Suction = c.suction;
        EXPECT_EQ(optionBytes(table, model), c.bytes) << c.name;
    }
    // The media-detail choices of items 1, 2, 3, 13, 6, 14, 7 and 9 are option bytes 0, 1, 2,
    // 12, 5, none, 6 and 8.
    const std::array<std::uint8_t, kOptionByteCount> options = {1, 2, 3,  4,  5,  6, 7,
                                                                8, 9, 10, 11, 12, 13};
    EXPECT_EQ(mediaDetailChoices(options),
              (std::array<std::uint8_t, kMediaDetailChoiceCount>{1, 2, 3, 13, 6, 255, 7, 9}));
}

TEST(SetupRules, PrinterNameOfThePopUpName) {
    const struct {
        const char* connection;
        const char* popUp;
        const char* printer;
    } cases[] = {
        {"WQS_LPR", "Studio printer 192.0.2.7", "192.0.2.7"},
        {"WQS_LPRV6", "Studio fe80::1", "fe80::1"},
        {"WQS_LPR", "192.0.2.7", "192.0.2.7"},
        {"WQS_LPR", "trailing ", ""},
        {"Rendezvous", "Studio printer 7", "Studio printer 7"},
        {"USB", "SL-7440 (USB)", "SL-7440 (USB)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(printerNameOfPopUp(c.connection, c.popUp), c.printer) << c.popUp;
    }
}

TEST(SetupRules, DepthCodesAndOutputDepths) {
    EXPECT_EQ(workingDepthCode(8, 0), 1);
    EXPECT_EQ(workingDepthCode(8, 1), 2);
    EXPECT_EQ(workingDepthCode(16, 0), 3);
    EXPECT_EQ(workingDepthCode(16, 2), 4);
    EXPECT_EQ(outputDepthOfChoice(0), 0);
    EXPECT_EQ(outputDepthOfChoice(1), 1);
    EXPECT_EQ(outputDepthOfChoice(2), 2);
}

TEST(SetupRules, CaptionNeedsItsFlagAnItemAndTextAndNoBorderlessPrint) {
    const cf::Value text("No. 1  photo.tif");
    const cf::Value empty("");
    CoreCommonInfoTbl table{};
    table.caption = 1;
    table.captionFileName = 1;
    table.captionText = &text;
    EXPECT_TRUE(captionRequested(table, false));
    EXPECT_FALSE(captionRequested(table, true));
    table.captionFileName = 0;
    EXPECT_FALSE(captionRequested(table, false));
    table.captionJobComment = 1;
    EXPECT_TRUE(captionRequested(table, false));
    table.captionText = &empty;
    EXPECT_FALSE(captionRequested(table, false));
    table.captionText = nullptr;
    EXPECT_FALSE(captionRequested(table, false));
}

// Fixed-size names are cut after a whole character, never past their field.
TEST(SetupRules, CutsNamesAfterWholeCharacters) {
    char field[33];
    copyCut(field, sizeof field, std::string(31, 'a') + "\xC3\xA9xyz", 32);
    EXPECT_EQ(std::string(field), std::string(31, 'a'));
    copyCut(field, sizeof field, std::string(40, 'b'), 32);
    EXPECT_EQ(std::string(field), std::string(32, 'b'));
    char small[4];
    copyCut(small, sizeof small, "abcdef", 32);
    EXPECT_EQ(std::string(small), "abc");
}

}  // namespace
