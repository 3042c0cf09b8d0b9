#include "helpers/char_code.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "helpers/text_encoding.h"
#include "support/scoped_variable.h"

namespace {

using testsupport::ScopedVariable;

TEST(WinToMacTable, EqualsTheCodePageConversionExceptTheListedRows) {
    const std::map<int, int> listed{{0x80, 0x80}, {0xA0, 0xA0}, {0xA4, 0xDB}, {0xBA, 0xBA},
                                    {0xD2, 0xF2}, {0xD9, 0xD9}, {0xF7, 0xF7}};
    for (int i = 0; i < 128; ++i) {
        const int windows = 0x80 + i;
        ASSERT_EQ(table_asciiex[i].windows, windows);
        int expected = windows;
        if (auto row = listed.find(windows); row != listed.end()) {
            expected = row->second;
        } else if (auto mac = text_encoding::convert(std::string(1, static_cast<char>(windows)),
                                                     "CP1252", "MACINTOSH");
                   mac && mac->size() == 1) {
            expected = static_cast<std::uint8_t>((*mac)[0]);
        }
        EXPECT_EQ(table_asciiex[i].mac, expected) << std::hex << windows;
    }
}

TEST(ConvertCharCodeWinToMac, ByRegionAndSystemEncoding) {
    struct Case {
        const char* language;
        int region;
        const char* input;
        const char* expected;
    };
    const Case cases[] = {
        {"en_US", 0, "Caf\xE9 \x81", "Caf\x8E \x81"}, {"ja_JP", 14, "Caf\xE9", "Caf\xE9"},
        {"ko_KR", 51, "\xED\x95\x9C", "\xC7\xD1"},  // UTF-8 to the Korean bytes
        {"zh_CN", 52, "\xE4\xB8\xAD", "\xD6\xD0"},  // UTF-8 to the Chinese bytes
        {"ko_KR", 51, "Caf\xE9", "Caf\xE9"},        // not UTF-8: left as it is
    };
    for (const auto& c : cases) {
        ScopedVariable language("LANGUAGE", c.language);
        char name[kNameBufferBytes] = {};
        std::strcpy(name, c.input);
        ConvertCharCodeWinToMac(name, c.region);
        EXPECT_STREQ(name, c.expected) << c.language << " " << c.input;
    }
}

TEST(ConvertCharCodeWinToMac, AnUnterminatedBufferIsTerminatedInside) {
    ScopedVariable language("LANGUAGE", "en_US");
    char name[kNameBufferBytes + 1];
    std::memset(name, '\xE9', sizeof name);
    ConvertCharCodeWinToMac(name, 0);
    EXPECT_EQ(name[kNameBufferBytes - 1], '\0');
    EXPECT_EQ(name[kNameBufferBytes - 2], '\x8E');
    EXPECT_EQ(name[kNameBufferBytes], '\xE9') << "nothing past the 256-byte buffer is touched";
}

}  // namespace
