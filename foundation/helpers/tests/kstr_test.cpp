#include "helpers/kstr.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "helpers/kmem.h"
#include "helpers/text_encoding.h"

namespace {

std::string prefixedText(const unsigned char* prefixed) {
    return std::string(reinterpret_cast<const char*>(prefixed + 1), prefixed[0]);
}

TEST(KStr, NumbersAsText) {
    EXPECT_EQ(KStr::NumToCFStringEx(5), "+5");
    EXPECT_EQ(KStr::NumToCFStringEx(0), "0");
    EXPECT_EQ(KStr::NumToCFStringEx(-5), "-5");
    EXPECT_EQ(KStr::NumToCFString(-2147483647 - 1), "-2147483648");
    Str255 prefixed{};
    KStr::NumToStringEx(42, prefixed);
    EXPECT_EQ(prefixedText(prefixed), "+42");
    std::int32_t n = -1;
    KStr::StringToNum(prefixed, &n);
    EXPECT_EQ(n, 42);
    KStr::CFStringToNum("12abc", &n);
    EXPECT_EQ(n, 12);
    KStr::CFStringToNum("abc", &n);
    EXPECT_EQ(n, 0);
    char text[16];
    KStr::NumToCString(-17, text);
    EXPECT_STREQ(text, "-17");
}

TEST(KStr, FixedDecimalsTruncateOrRound) {
    EXPECT_EQ(KStr::FrNumToCfStr(2.99, 1), "2.9");
    EXPECT_EQ(KStr::FrNumToCfStr_Round(2.99, 1), "3.0");
    EXPECT_EQ(KStr::FrNumToCfStr(-1.239, 2), "-1.23");
    EXPECT_EQ(KStr::FrNumToCfStr_Round(1.234, 2), "1.23");
}

TEST(KStr, CatenationFitsInTwoHundredFiftyFiveBytes) {
    struct Case {
        int lengthA, lengthB, result;
    };
    for (const Case c : {Case{200, 56, 0}, Case{200, 55, 1}, Case{0, 255, 1}}) {
        Str255 a{}, b{};
        a[0] = static_cast<unsigned char>(c.lengthA);
        b[0] = static_cast<unsigned char>(c.lengthB);
        std::memset(a + 1, 'a', c.lengthA);
        std::memset(b + 1, 'b', c.lengthB);
        EXPECT_EQ(KStr::kStringCat(a, b), c.result) << c.lengthA << "+" << c.lengthB;
        EXPECT_EQ(b[0], c.result ? c.lengthA + c.lengthB : c.lengthB);
    }
}

TEST(KStr, PrefixedAndCStringsAndComparison) {
    Str255 prefixed{};
    const std::string longText(300, 'x');
    KStr::kCToPStr(prefixed, longText.c_str());
    EXPECT_EQ(prefixed[0], 255) << "a C string is cut to 255 bytes";
    char back[256];
    KStr::kPToCStr(back, prefixed);
    EXPECT_EQ(std::strlen(back), 255u);
    char word[] = "mixed Case 9z";
    KStr::ToUpper(word);
    EXPECT_STREQ(word, "MIXED CASE 9Z");
    EXPECT_EQ(KStr::StrComp("abc", "abd", 2), 1);
    EXPECT_EQ(KStr::StrComp("abc", "abd", 3), 0);
    EXPECT_EQ(KStr::StrComp(nullptr, "a", 0), 1);
    EXPECT_EQ(KStr::StrComp(nullptr, "a", 1), 0);
}

TEST(KStr, CharBytesCheckCountsTheConvertedBytes) {
    EXPECT_EQ(KStr::CharBytesCheck("", text_encoding::kMacRoman, 10), -8738);
    EXPECT_EQ(KStr::CharBytesCheck("caf\xC3\xA9", text_encoding::kMacRoman, 4), 0);
    EXPECT_EQ(KStr::CharBytesCheck("caf\xC3\xA9", text_encoding::kUtf8, 4), -1);
    EXPECT_EQ(KStr::CharBytesCheck("\xE4\xB8\xAD", text_encoding::kMacRoman, 10), -8738);
}

TEST(KMEM, HandleHoldsAZeroedBlock) {
    Handle handle = KMEM::k_NewHandle(0, 64);
    ASSERT_NE(handle, nullptr);
    for (int i = 0; i < 64; ++i) {
        ASSERT_EQ((*handle)[i], 0);
    }
    KMEM::k_DisposHandle(0, &handle);
    Handle none = nullptr;
    KMEM::k_DisposHandle(0, &none);
}

}  // namespace
