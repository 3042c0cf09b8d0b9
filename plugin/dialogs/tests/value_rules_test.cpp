#include "dialogs/value_rules.h"

#include <gtest/gtest.h>

#include <string>

#include "scripted_port.h"

namespace {

using dialogs::AcceptDecimalEdit;
using dialogs_test::TableStrings;

struct EditCase {
    const char* name;
    std::u32string text;
    std::size_t location, length;
    std::u32string typed;
    char32_t separator;
    std::size_t limit;
    bool minus;
    bool accepted;
};

TEST(DecimalFilter, KeystrokeRules) {
    const EditCase cases[] = {
        {"separator first", U"", 0, 0, U".", U'.', 6, false, false},
        {"digit", U"", 0, 0, U"5", U'.', 6, false, true},
        {"separator after a digit", U"5", 1, 0, U".", U'.', 6, false, true},
        {"second separator", U"5.2", 3, 0, U".", U'.', 6, false, false},
        {"separator over the old one", U"5.2", 1, 1, U".", U'.', 6, false, true},
        {"comma mark", U"5", 1, 0, U",", U',', 6, false, true},
        {"point under a comma mark", U"5", 1, 0, U".", U',', 6, false, false},
        {"second comma", U"5,2", 3, 0, U",", U',', 6, false, false},
        {"letter", U"5", 1, 0, U"a", U'.', 6, false, false},
        {"pasted digits with a letter", U"", 0, 0, U"12x", U'.', 6, false, false},
        {"full field", U"123.45", 6, 0, U"6", U'.', 6, false, false},
        {"full field, selection replaced", U"123.45", 0, 1, U"99", U'.', 6, false, true},
        {"longer than the limit", U"1234.567", 8, 0, U"8", U'.', 6, false, true},
        {"deletion", U"123.45", 2, 2, U"", U'.', 6, false, true},
        {"minus first", U"", 0, 0, U"-", U'.', 7, true, true},
        {"minus after a digit", U"1", 1, 0, U"-", U'.', 7, true, false},
        {"minus where not allowed", U"", 0, 0, U"-", U'.', 7, false, false},
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(AcceptDecimalEdit({c.text, c.location, c.length, c.typed}, c.separator, c.limit,
                                    c.minus),
                  c.accepted);
    }
}

TEST(SingleLineFilter, RefusesAnyLineBreak) {
    EXPECT_TRUE(dialogs::AcceptSingleLineEdit({U"ab", 2, 0, U"cd"}));
    EXPECT_FALSE(dialogs::AcceptSingleLineEdit({U"ab", 2, 0, U"c\nd"}));
    EXPECT_FALSE(dialogs::AcceptSingleLineEdit({U"ab", 0, 2, U"\r"}));
}

TEST(SeparatorExchange, ReadsAndWritesThroughTheMark) {
    EXPECT_DOUBLE_EQ(dialogs::ReadDecimal("12,5", ","), 12.5);
    EXPECT_DOUBLE_EQ(dialogs::ReadDecimal("12.5", "."), 12.5);
    EXPECT_DOUBLE_EQ(dialogs::ReadDecimal("-3,25mm", ","), -3.25);
    EXPECT_DOUBLE_EQ(dialogs::ReadDecimal("", ","), 0);
    EXPECT_DOUBLE_EQ(dialogs::ReadDecimal("abc", ","), 0);
    const TableStrings strings;
    EXPECT_EQ(dialogs::FormatDecimal(strings, "%3.2f", 5, ","), "5,00");
    EXPECT_EQ(dialogs::FormatDecimal(strings, "%.1f", 12.25, "."), "12.2");
}

TEST(SeparatorExchange, TheMarkComesFromTheTableAndAMissingKeyIsAPoint) {
    EXPECT_EQ(dialogs::DecimalSeparator(TableStrings({{"STEXT_PRIOD", ","}})), ",");
    EXPECT_EQ(dialogs::DecimalSeparator(TableStrings()), ".");
    EXPECT_EQ(dialogs::FirstCharacter("\xc2\xb7x"), U'\u00b7');
}

TEST(SeparatorExchange, FormatsFromTheTableAreCheckedBeforeUse) {
    const TableStrings strings({{"%3.2f", "%.3f"}, {"bad", "%s%n"}, {"two", "%f %f"}});
    EXPECT_EQ(dialogs::FormatDecimal(strings, "%3.2f", 1.5, "."), "1.500");
    EXPECT_EQ(dialogs::FormatDecimal(strings, "bad", 1.5, "."), "1.5");
    EXPECT_EQ(dialogs::FormatDecimal(strings, "two", 1.5, "."), "1.5");
    EXPECT_EQ(dialogs::FormatDecimal(strings, "%d%%", 1.5, "."), "1.5");
    EXPECT_EQ(dialogs::FormatDecimal(strings, "%.1f%%", 1.5, "."), "1.5%");
}

TEST(SeparatorExchange, TableFormatsAskForSmallFieldsOnly) {
    // printf makes the whole text before it cuts it to the buffer: a huge width or precision
    // from the table would take hundreds of megabytes, so past 64 the table's format is refused.
    struct Case {
        const char* format;
        std::string expected;
    };
    const Case cases[] = {
        {"%.400030030f", "1.5"},
        {"%400030030.1f", "1.5"},
        {"%99999999999999999999f", "1.5"},
        {"%.65f", "1.5"},
        {"%65.1f", "1.5"},
        {"%.64f", "1.5" + std::string(60, '0')},  // cut to the 64-byte buffer
        {"%-64.1f", "1.5" + std::string(60, ' ')},
        {"%08.2f mm", "00001.50 mm"},
    };
    for (const Case& c : cases) {
        const TableStrings strings({{"key", c.format}});
        EXPECT_EQ(dialogs::FormatDecimal(strings, "key", 1.5, "."), c.expected) << c.format;
    }
}

TEST(Truncation, MagnificationAndPositionKeepWhatWasTyped) {
    EXPECT_DOUBLE_EQ(dialogs::TruncateMagnification(1.159), 1.15);
    EXPECT_DOUBLE_EQ(dialogs::TruncateMagnification(1.15), 1.15);
    EXPECT_DOUBLE_EQ(dialogs::TruncatePosition(12.349, "%.2f"), 12.34);
    EXPECT_DOUBLE_EQ(dialogs::TruncatePosition(12.349, "%.1f"), 12.3);
    EXPECT_DOUBLE_EQ(dialogs::TruncatePosition(4.35, "%.2f"), 4.35);
    EXPECT_DOUBLE_EQ(dialogs::TruncatePosition(-12.349, "%.1f"), -12.3);
    EXPECT_DOUBLE_EQ(dialogs::TruncatePosition(12.349, "%g"), 12.349);
}

}  // namespace
