// UTF-8 checks, cuts on character boundaries and conversion into the printer's encodings.
#include "strings/text_codec.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace textcodec;

TEST(TextCodec, RecognisesWellFormedUtf8) {
    const struct {
        std::string text;
        bool valid;
    } cases[] = {
        {"", true},
        {"photo.tif", true},
        {"caf\xC3\xA9", true},
        {"\xE5\x86\x99\xE7\x9C\x9F", true},  // two three-byte characters
        {"\xF0\x9F\x93\xB7", true},          // a four-byte character
        {"caf\xE9", false},                  // Latin-1, not UTF-8
        {"\xC0\xAF", false},                 // overlong slash
        {"\xED\xA0\x80", false},             // a surrogate
        {"\xF4\x90\x80\x80", false},         // beyond U+10FFFF
        {"\xE5\x86", false},                 // cut short
        {"\x80", false},                     // a lone continuation byte
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isValidUtf8(c.text), c.valid) << c.text;
    }
}

TEST(TextCodec, CutsNeverSplitACharacter) {
    const std::string ascii = "abcdefgh";
    const std::string threeByte = "ab\xE5\x86\x99";     // a character at 2..4
    const std::string fourByte = "a\xF0\x9F\x93\xB7z";  // a character at 1..4
    const struct {
        const std::string& text;
        std::size_t limit;
        std::size_t cut;
    } cases[] = {
        {ascii, 3, 3},     {ascii, 20, 8},    {threeByte, 5, 5}, {threeByte, 4, 2},
        {threeByte, 3, 2}, {threeByte, 2, 2}, {fourByte, 4, 1},  {fourByte, 2, 1},
        {fourByte, 5, 5},  {fourByte, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cutLength(c.text, c.limit), c.cut) << c.text << " at " << c.limit;
    }
    // Bytes that are not UTF-8 are not a split character: the cut stays where it was asked.
    EXPECT_EQ(cutLength("ab\x80\x80\x80\x80\x80", 4), 4u);
}

TEST(TextCodec, EncodesWholeCharactersThatFit) {
    // Shift JIS and Latin-1 bytes as the standard tables give them.
    EXPECT_EQ(encode("\xE5\x86\x99\xE7\x9C\x9F.tif", kEncodingShiftJIS, 255),
              std::string("\x8E\xCA\x90\x5E.tif"));
    EXPECT_EQ(encode("Gr\xC3\xBC\xC3\x9F"
                     "e",
                     kEncodingLatin1, 255),
              std::string("Gr\xFC\xDF"
                          "e"));
    EXPECT_EQ(encode("Ab", kEncodingUnicode, 255), std::string("A\0b\0", 4));
    EXPECT_EQ(encode("photo", kEncodingASCII, 255), std::string("photo"));
    // A two-byte Shift JIS character does not fit in the last byte.
    EXPECT_EQ(encode("\xE5\x86\x99\xE7\x9C\x9F", kEncodingShiftJIS, 3), std::string("\x8E\xCA"));
    // A character outside the BMP is one surrogate pair, kept whole.
    EXPECT_EQ(encode("a\xF0\x9F\x93\xB7", kEncodingUnicode, 5), std::string("a\0", 2));
    EXPECT_EQ(encode("a\xF0\x9F\x93\xB7", kEncodingUnicode, 6)->size(), 6u);
}

TEST(TextCodec, RefusesWhatCannotBeConverted) {
    EXPECT_FALSE(encode("caf\xC3\xA9", kEncodingASCII, 255));
    EXPECT_FALSE(encode("\xE5\x86\x99", kEncodingLatin1, 255));  // no Latin-1 form
    EXPECT_FALSE(encode("caf\xE9", kEncodingLatin1, 255));       // not UTF-8
    EXPECT_FALSE(encode("abc", 0x0500, 255));                    // an encoding we do not know
}

}  // namespace
