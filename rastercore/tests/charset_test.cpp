// Character-set conversions.
#include "util/charset.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "util/memory.h"

namespace {

TEST(Charset, Utf16ToUtf8OneUnitAtATime) {
    const std::uint16_t units[] = {0x41, 0xE9, 0x20AC, 0x7FF, 0x800};
    EXPECT_EQ(subConvert_UTF16toUTF8(units, 5, nullptr), 1u + 2 + 3 + 2 + 3);
    char out[16];
    std::memset(out, 0x55, sizeof out);
    ASSERT_EQ(subConvert_UTF16toUTF8(units, 5, out), 11u);
    EXPECT_STREQ(out, "A\xC3\xA9\xE2\x82\xAC\xDF\xBF\xE0\xA0\x80");
}

TEST(Charset, Utf8ToBigEndianUcs2) {
    const char text[] = "A\xC3\xA9\xE2\x82\xAC";
    std::uint16_t units[8] = {};
    std::size_t count = 0;
    EXPECT_EQ(Convert_UTFtoUCS2(text, units, &count), 6u);
    ASSERT_EQ(count, 3u);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(units);
    const std::vector<std::uint8_t> bigEndian(bytes, bytes + 6);
    EXPECT_EQ(bigEndian, (std::vector<std::uint8_t>{0x00, 0x41, 0x00, 0xE9, 0x20, 0xAC}));
    EXPECT_EQ(Convert_UTFtoUCS2(nullptr, units, &count), 0u);
    EXPECT_EQ(Convert_UTFtoUCS2("", units, &count), 0u);
    // A lead byte whose sequence the end of the text cuts is not converted.
    EXPECT_EQ(Convert_UTFtoUCS2("a\xE2\x82", units, &count), 1u);
    EXPECT_EQ(count, 1u);
}

TEST(Charset, MultibyteToWide) {
    std::size_t size = 0;
    wchar_t* wide = Convert_ToUTF16("abc", 2, &size);
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(size, 12u);
    EXPECT_EQ(std::wstring(wide), L"abc");  // terminated inside the buffer
    Dispose_MemoryClear(&wide, kUnusedKind);
    EXPECT_EQ(Convert_ToUTF16(nullptr, 2, &size), nullptr);
    EXPECT_STREQ(localeNameForLanguageKind(5), "deu");
    EXPECT_STREQ(localeNameForLanguageKind(42), "jpn");
}

TEST(Charset, UnavailableConversionsFailAndLeaveTheTextAlone) {
    char out[4] = "xyz";
    EXPECT_EQ(Convert_UTF16toUTF8(L"abc", 12, out), -1);
    EXPECT_STREQ(out, "");
    std::size_t size = 99;
    EXPECT_EQ(Convert_ToUTF8("abc", 2, &size), nullptr);
    EXPECT_EQ(size, 0u);
    char text[] = "keep me";
    std::size_t units = 7;
    EXPECT_EQ(Convert_ToUCS2(text, 2, &units), -1);
    EXPECT_STREQ(text, "keep me");
    EXPECT_EQ(units, 7u);
}

}  // namespace
