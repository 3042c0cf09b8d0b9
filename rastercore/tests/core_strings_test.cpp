// Length-prefixed and NUL-terminated string helpers.
#include "util/core_strings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A length-prefixed string holding `text`.
struct PString {
    unsigned char bytes[256] = {};
    explicit PString(const std::string& text) { myCToPStr(bytes, text.c_str()); }
    std::string text() const {
        return std::string(reinterpret_cast<const char*>(bytes + 1), bytes[0]);
    }
};

TEST(CoreStrings, ConversionsBetweenForms) {
    PString empty("");
    EXPECT_EQ(empty.bytes[0], 0);
    PString hello("hello");
    char c[256];
    myPToCStr(c, hello.bytes);
    EXPECT_STREQ(c, "hello");
    PString longest(std::string(300, 'x'));  // a longer source keeps its first 255 bytes
    EXPECT_EQ(longest.bytes[0], 255);
}

TEST(CoreStrings, JoinsRefuseToPass255) {
    const struct {
        std::size_t first;
        std::size_t second;
        std::int32_t result;
    } cases[] = {{200, 56, 0}, {200, 55, 1}, {0, 255, 1}, {255, 1, 0}, {0, 0, 1}};
    for (const auto& c : cases) {
        for (auto join : {pstrcat, StringCat}) {
            PString source(std::string(c.first, 'a'));
            PString destination(std::string(c.second, 'b'));
            EXPECT_EQ(join(source.bytes, destination.bytes), c.result);
            const std::string expected =
                c.result == 1 ? std::string(c.second, 'b') + std::string(c.first, 'a')
                              : std::string(c.second, 'b');
            EXPECT_EQ(destination.text(), expected) << c.first << "+" << c.second;
        }
    }
}

TEST(CoreStrings, CstrcatStaysInsideTheBuffer) {
    char buffer[8] = "abc";
    EXPECT_EQ(cstrcat("defg", buffer, sizeof buffer), 1);
    EXPECT_STREQ(buffer, "abcdefg");
    EXPECT_EQ(cstrcat("h", buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "abcdefg");
}

TEST(CoreStrings, CompareAndOrder) {
    EXPECT_TRUE(StringCompare("abcd", "abcx", 3));
    EXPECT_FALSE(StringCompare("abcd", "abcx", 4));
    EXPECT_FALSE(StringCompare(nullptr, "abc", 1));
    const struct {
        const char* first;
        const char* second;
        bool secondFirst;
    } cases[] = {{"b", "a", true},     {"a", "b", false},   {"abc", "ab", true},
                 {"ab", "abc", false}, {"ab", "ab", false}, {"", "", false}};
    for (const auto& c : cases) {
        EXPECT_EQ(ChkStrOrder(PString(c.first).bytes, PString(c.second).bytes), c.secondFirst)
            << c.first << " / " << c.second;
    }
}

TEST(CoreStrings, NumbersInDecimal) {
    unsigned char number[256];
    NumToStringUseCFString(-1234567890L, number);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(number + 1), number[0]), "-1234567890");
    char digits[24];
    EXPECT_EQ(HexToString(255, digits), 3);
    EXPECT_EQ(std::string(digits, 3), "255");
}

TEST(CoreStrings, InsertStringEdits) {
    const std::string text = "hello";
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const auto* xy = reinterpret_cast<const unsigned char*>("XY");
    const struct {
        std::int16_t kind;
        std::int16_t caret;
        std::int16_t resume;
        const char* result;
    } cases[] = {
        {1, 2, 2, "heXYllo"}, {1, 1, 4, "hXYo"},  {1, 5, 5, "helloXY"},
        {2, 2, 2, "hllo"},    {4, 0, 0, "hello"}, {2, 1, 3, "hlo"},
        {5, 2, 2, "helo"},    {5, 5, 5, "hello"}, {5, 1, 3, "hlo"},
    };
    for (const auto& c : cases) {
        unsigned char result[256] = {};
        EXPECT_EQ(GetInsertStr(result, c.kind, bytes, xy, 5, 2, c.caret, c.resume), 1);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(result + 1), result[0]), c.result)
            << c.kind << " " << c.caret << " " << c.resume;
    }
    unsigned char untouched[256] = {3, 'a', 'b', 'c'};
    EXPECT_EQ(GetInsertStr(untouched, 1, bytes, xy, 5, 2, 4, 2), 0);  // caret after resume
    EXPECT_EQ(GetInsertStr(untouched, 1, bytes, xy, 5, 2, 0, 6), 0);  // resume past the text
    const std::string big(250, 'z');
    const auto* bigBytes = reinterpret_cast<const unsigned char*>(big.data());
    EXPECT_EQ(GetInsertStr(untouched, 1, bigBytes, bigBytes, 250, 10, 0, 0), 0);  // 260 bytes
    EXPECT_EQ(std::string(reinterpret_cast<char*>(untouched + 1), untouched[0]), "abc");
}

}  // namespace
