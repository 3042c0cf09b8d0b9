// Length-prefixed string helpers.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "qdxa/qdxa_strings.h"

namespace {

std::vector<std::uint8_t> pstring(const std::string& text, std::size_t size = 256) {
    std::vector<std::uint8_t> out(size, 0xEE);
    out[0] = static_cast<std::uint8_t>(text.size());
    std::memcpy(out.data() + 1, text.data(), text.size());
    return out;
}

std::string text(const std::uint8_t* string) {
    return {reinterpret_cast<const char*>(string + 1), string[0]};
}

TEST(LengthPrefixedStrings, CopyString8ClipsTheSourceInPlace) {
    auto source = pstring("abcdefgh");
    auto destination = pstring("", 16);
    CopyString8(source.data(), destination.data(), 5);
    EXPECT_EQ(text(destination.data()), "abcde");
    EXPECT_EQ(source[0], 5);
    CopyString8(nullptr, destination.data(), 5);
    EXPECT_EQ(destination[0], 0);
}

TEST(LengthPrefixedStrings, CompareFromTheLengthByteThroughTheLastCharacterOfTheFirst) {
    auto a = pstring("abc");
    auto b = pstring("abd");
    EXPECT_EQ(WQS_Utl_PLstrcmp(a.data(), b.data()), 'c' - 'd');
    EXPECT_EQ(WQS_Utl_PLstrcmp(a.data(), a.data()), 0);
    auto longer = pstring("abcd");
    EXPECT_EQ(WQS_Utl_PLstrcmp(a.data(), longer.data()), 3 - 4);
    EXPECT_EQ(WQS_Utl_PLstrcmp(nullptr, b.data()), 0);
    EXPECT_EQ(WQS_Utl_PLstrcmp(a.data(), nullptr), 0);
}

TEST(LengthPrefixedStrings, CopyAndAppend) {
    auto destination = pstring("", 256);
    auto source = pstring("head");
    WQS_Utl_PLstrcpy(destination.data(), source.data());
    EXPECT_EQ(text(destination.data()), "head");
    auto tail = pstring("-tail");
    WQS_Utl_PLstrcat(destination.data(), tail.data());
    EXPECT_EQ(text(destination.data()), "head-tail");
    WQS_Utl_catString(tail.data(), destination.data());
    EXPECT_EQ(text(destination.data()), "head-tail-tail");
    WQS_Utl_copyString(tail.data(), destination.data());
    EXPECT_EQ(text(destination.data()), "-tail");
}

TEST(LengthPrefixedStrings, AppendBeyond255CharactersIsRefused) {
    const struct {
        std::size_t first, second;
        std::size_t result;
    } cases[] = {{200, 55, 255}, {200, 56, 200}, {255, 1, 255}, {0, 255, 255}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.second);
        auto destination = pstring(std::string(c.first, 'a'));
        const auto before = destination;
        auto source = pstring(std::string(c.second, 'b'));
        WQS_Utl_PLstrcat(destination.data(), source.data());
        EXPECT_EQ(destination[0], c.result);
        if (c.result == c.first) {
            EXPECT_EQ(destination, before);
        }
    }
}

TEST(LengthPrefixedStrings, CToPascalInPlace) {
    char text1[300] = "printer";
    auto* result = WQS_Utl_c2pstr(text1);
    EXPECT_EQ(text(result), "printer");

    std::vector<char> exact(256, 'x');
    exact[255] = '\0';
    EXPECT_EQ(WQS_Utl_c2pstr(exact.data())[0], 255);

    std::vector<char> unterminated(300, 'x');
    EXPECT_EQ(WQS_Utl_c2pstr(unterminated.data())[0], 0);
}

TEST(LengthPrefixedStrings, NumberToStringFitsElevenBytes) {
    const struct {
        long number;
        const char* expected;
    } cases[] = {
        {0, "0"},           {-5, "-5"},    {2147483647L, "2147483647"}, {-999999999L, "-999999999"},
        {-2147483648L, ""}, {LONG_MAX, ""}};
    for (const auto& c : cases) {
        std::uint8_t destination[kQDXANumberStringSize + 1];
        destination[kQDXANumberStringSize] = 0xEE;
        WQS_Utl_NumToString(c.number, destination);
        EXPECT_EQ(text(destination), c.expected);
        EXPECT_EQ(destination[kQDXANumberStringSize], 0xEE);  // nothing written past 11 bytes
    }
}

}  // namespace
