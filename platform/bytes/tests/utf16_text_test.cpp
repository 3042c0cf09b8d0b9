// UTF-16 to UTF-8 in both byte orders: pairs joined, lone surrogates replaced, odd bytes left.
#include "bytes/utf16_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using bytes::Utf16Order;

const std::string kReplaced = "\xEF\xBF\xBD";  // U+FFFD

// The code units in big-endian order, and the same units swapped into little-endian order.
std::vector<std::uint8_t> swapped(std::vector<std::uint8_t> units) {
    for (std::size_t i = 0; i + 1 < units.size(); i += 2) {
        std::swap(units[i], units[i + 1]);
    }
    return units;
}

TEST(Utf16Text, DecodesBothOrders) {
    const struct {
        const char* what;
        std::vector<std::uint8_t> bigEndian;
        std::string text;
    } cases[] = {
        {"ascii", {0, 'A', 0, 'z'}, "Az"},
        {"two and three bytes", {0x00, 0xE9, 0x20, 0xAC}, "\xC3\xA9\xE2\x82\xAC"},
        {"surrogate pair", {0xD8, 0x3D, 0xDE, 0x00}, "\xF0\x9F\x98\x80"},
        {"high surrogate at the end", {0, 'a', 0xD8, 0x3D}, "a" + kReplaced},
        {"high surrogate before no low one", {0xD8, 0x3D, 0, 'b'}, kReplaced + "b"},
        {"low surrogate alone", {0xDE, 0x00, 0, 'c'}, kReplaced + "c"},
        {"zero unit kept", {0, 'a', 0, 0, 0, 'b'}, std::string("a\0b", 3)},
        {"odd last byte", {0, 'a', 0}, "a"},
        {"empty", {}, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(bytes::utf8FromUtf16(c.bigEndian, Utf16Order::BigEndian), c.text) << c.what;
        EXPECT_EQ(bytes::utf8FromUtf16(swapped(c.bigEndian), Utf16Order::LittleEndian), c.text)
            << c.what;
    }
}

}  // namespace
