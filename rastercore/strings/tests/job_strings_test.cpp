// The names sent to the printer: the pattern-job name, cuts to the model's limits, the encoding
// chosen by region, kind and model, the single-byte check, the copy functions and the language
// codes.
#include "strings/job_strings.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "qdxa/attribute_values.h"
#include "rastercore/core_common_info_tbl.h"
#include "record/qdxa_info.h"
#include "strings/text_codec.h"
#include "support/scoped_variable.h"

namespace {

using Counted = std::array<unsigned char, kCountedStringBuffer>;

Counted counted(const std::string& text) {
    Counted out{};
    out[0] = static_cast<unsigned char>(text.size());
    std::memcpy(out.data() + 1, text.data(), text.size());
    return out;
}

std::string textOf(const Counted& string) {
    return std::string(reinterpret_cast<const char*>(string.data() + 1), string[0]);
}

// The user's language for one scope, with no country that could change the region.
class Language {
  public:
    explicit Language(const char* language)
        : language_("LANGUAGE", language), all_("LC_ALL", "C") {}

  private:
    testsupport::ScopedVariable language_;
    testsupport::ScopedVariable all_;
};

constexpr const char* kPhotoJapanese = "\xE5\x86\x99\xE7\x9C\x9F";  // two three-byte characters
constexpr const char* kCafe = "caf\xC3\xA9";

TEST(PatternPrintName, InsertsBeforeTheLastDot) {
    const struct {
        std::string name;
        std::string expected;
    } cases[] = {
        {"photo.tif", "photo_Pattern-Print.tif"},
        {"a.b.c", "a.b_Pattern-Print.c"},
        {"scan", "scan_Pattern-Print"},
        {".tif", "_Pattern-Print.tif"},
        {"", ""},
        {"bad\xFF.tif", "bad\xFF.tif"},                  // not UTF-8: left alone
        {std::string(250, 'n'), std::string(250, 'n')},  // the result would not fit
    };
    for (const auto& c : cases) {
        Counted name = counted(c.name);
        PLG_ChengePatternPrintName(name.data());
        EXPECT_EQ(textOf(name), c.expected) << c.name;
    }
}

TEST(StringMaxBytes, CutsToTheModelsLimitByKind) {
    const std::string name45(45, 'x');
    const struct {
        std::int32_t panelMessageMaxNum;
        std::int16_t kind;
        std::size_t length;
    } cases[] = {
        {2, kTransferPanelName, 40}, {2, kTransferOwner, 32},         {2, kTransferJobName, 40},
        {0, kTransferPanelName, 32}, {1, kTransferStoredJobName, 32},
    };
    for (const auto& c : cases) {
        ModelAtlasTbl model{};
        model.PanelMessageMaxNum = c.panelMessageMaxNum;
        Counted name = counted(name45);
        PLG_CheckStringMaxBytes_Mac(name.data(), &model, c.kind);
        EXPECT_EQ(textOf(name), name45.substr(0, c.length)) << c.panelMessageMaxNum << c.kind;
    }
}

TEST(StringMaxBytes, ACutThroughACharacterKeepsAValidPrefix) {
    ModelAtlasTbl model{};
    const struct {
        std::string name;
        std::size_t length;
    } cases[] = {
        {std::string(31, 'a') + kPhotoJapanese, 31},            // split after 1 of 3 bytes
        {std::string(30, 'a') + kPhotoJapanese, 30},            // split after 2 of 3 bytes
        {std::string(29, 'a') + kPhotoJapanese, 32},            // ends exactly at the limit
        {std::string(29, 'a') + "\xF0\x9F\x93\xB7" + "z", 29},  // split after 3 of 4 bytes
        {std::string(20, 'a'), 20},                             // shorter: untouched
    };
    for (const auto& c : cases) {
        Counted name = counted(c.name);
        PLG_CheckStringMaxBytes_Mac(name.data(), &model, kTransferJobName);
        EXPECT_EQ(textOf(name), c.name.substr(0, c.length));
        EXPECT_EQ(checkStringPascal(name.data()), 1);
    }
}

TEST(TransferString, EncodingFollowsRegionKindAndModel) {
    const struct {
        const char* language;
        std::int16_t kind;
        std::int32_t codeType;
        std::string name;
        std::string expected;
    } cases[] = {
        {"ja", kTransferJobName, 0, std::string(kPhotoJapanese) + ".tif",
         "\x8E\xCA\x90\x5E.tif"},                                           // Shift JIS
        {"fr", kTransferJobName, 0, kCafe, "caf\xE9"},                      // Latin-1
        {"de", kTransferOwner, 1, kCafe, "caf\xE9"},                        // Latin-1
        {"fr", kTransferPanelName, 0, kCafe, ""},                           // accent: empty panel
        {"fr", kTransferPanelName, 1, kCafe, "caf\xE9"},                    // the model shows it
        {"en", kTransferPanelName, 0, "photo", "photo"},                    // ASCII
        {"ja", kTransferPanelName, 0, kPhotoJapanese, ""},                  // multi-byte: empty
        {"zh-Hans", kTransferJobName, 0, "Ab", std::string("A\0b\0", 4)},   // UTF-16
        {"ko", kTransferStoredJobName, 0, "Ab", std::string("A\0b\0", 4)},  // UTF-16
        {"ko", kTransferPanelName, 0, "Ab", "Ab"},                          // ASCII
        {"fr", kTransferJobName, 0, kPhotoJapanese, ""},  // no Latin-1 form: empty
    };
    for (const auto& c : cases) {
        const Language language(c.language);
        ModelAtlasTbl model{};
        model.CODEType = c.codeType;
        const Counted source = counted(c.name);
        char destination[kCountedStringBuffer];
        std::memset(destination, 0x55, sizeof destination);
        std::uint16_t length = 0xFFFF;
        EXPECT_EQ(PLGTransferString_Mac(source.data(), destination, &length, &model, c.kind), 0);
        EXPECT_EQ(std::string(destination, length), c.expected) << c.language << " " << c.kind;
        EXPECT_EQ(destination[length], '\0');
    }
}

TEST(TransferString, UnicodeNamesReachTheWireBigEndian) {
    const Language language("zh-Hans");
    ModelAtlasTbl model{};
    const Counted source = counted("Ab");
    QDXA_Info info{};
    info.languageCode = PLG_GetLanguageCode_Mac();
    ASSERT_EQ(PLGTransferString_Mac(source.data(), info.jobNameText, &info.jobNameUnicodeBytes,
                                    &model, kTransferJobName),
              0);
    ASSERT_EQ(PLG_Get_JobName(&info, info.jobNameText), 0);
    ASSERT_EQ(info.jobName.length, 4);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(info.jobName.text), 4),
              std::string("\0A\0b", 4));
}

TEST(TransferString, ALongOwnerIsCutAfterItsLastWholeCharacter) {
    const Language language("ko");
    ModelAtlasTbl model{};
    const Counted source = counted(std::string(200, 'o'));
    char destination[kCountedStringBuffer];
    std::uint16_t length = 0;
    PLGTransferString_Mac(source.data(), destination, &length, &model, kTransferOwner);
    EXPECT_EQ(length, 254);  // 127 two-byte units
    EXPECT_EQ(destination[253], '\0');
    EXPECT_EQ(destination[252], 'o');
}

TEST(StringBytes, EmptiesTextTheModelCannotShow) {
    const struct {
        std::int32_t check2Byte;
        std::string text;
        std::string expected;
    } cases[] = {
        {0, "photo.tif", "photo.tif"},
        {0, kCafe, ""},
        {0, kPhotoJapanese, ""},
        {0, "caf\xE9", ""},
        {1, kCafe, kCafe},
        {1, "caf\xE9", "caf\xE9"},
        {0, "", ""},
    };
    for (const auto& c : cases) {
        ModelAtlasTbl model{};
        model.Message_check_2byte = c.check2Byte;
        char text[kCountedStringBuffer] = {};
        std::memcpy(text, c.text.data(), c.text.size());
        PLG_CheckStringBytes_Mac(text, &model);
        EXPECT_EQ(std::string(text), c.expected) << c.check2Byte << " " << c.text;
    }
    // A buffer of 256 bytes without a terminator cannot be read: emptied, nothing read past it.
    ModelAtlasTbl model{};
    char unterminated[kCountedStringBuffer];
    std::memset(unterminated, 'a', sizeof unterminated);
    PLG_CheckStringBytes_Mac(unterminated, &model);
    EXPECT_EQ(unterminated[0], '\0');
}

TEST(EncodingCopy, ConvertsOrLeavesTheDestinationAlone) {
    const Counted photo = counted(kPhotoJapanese);
    Counted destination = counted("old");
    PLGEncodingCopyPascalWithEncoding_Mac(photo.data(), destination.data(), 256,
                                          textcodec::kEncodingShiftJIS);
    EXPECT_EQ(textOf(destination), "\x8E\xCA\x90\x5E");
    // Four bytes of buffer hold the length byte and one two-byte character.
    PLGEncodingCopyPascalWithEncoding_Mac(photo.data(), destination.data(), 4,
                                          textcodec::kEncodingShiftJIS);
    EXPECT_EQ(textOf(destination), "\x8E\xCA");

    for (const std::string& unreadable : {std::string("caf\xE9"), std::string(kPhotoJapanese)}) {
        destination = counted("old");
        PLGEncodingCopyPascalWithEncoding_Mac(counted(unreadable).data(), destination.data(), 256,
                                              textcodec::kEncodingLatin1);
        EXPECT_EQ(textOf(destination), "old");
    }

    char cDestination[8];
    std::memset(cDestination, 0x55, sizeof cDestination);
    // Seven bytes hold two units and the two-byte terminator; the third unit does not fit.
    PLGEncodingCopyCStringWithEncoding_Mac("Abc", cDestination, 7, textcodec::kEncodingUnicode);
    EXPECT_EQ(std::string(cDestination, 8), std::string("A\0b\0\0\0\x55\x55", 8));
    std::memset(cDestination, 0x55, sizeof cDestination);
    PLGEncodingCopyCStringWithEncoding_Mac(kCafe, cDestination, sizeof cDestination,
                                           textcodec::kEncodingLatin1);
    EXPECT_STREQ(cDestination, "caf\xE9");
}

TEST(EncodingCopy, RegionChoosesTheEncoding) {
    const struct {
        const char* language;
        std::string expected;
    } cases[] = {
        {"ja", "\x8E\xCA\x90\x5E"},
        {"ko", "\x99\x51\x1F\x77"},  // U+5199 U+771F, host byte order
        {"zh-Hans", "\x99\x51\x1F\x77"},
    };
    for (const auto& c : cases) {
        const Language language(c.language);
        Counted destination{};
        PLGEncodingCopyPascal_Mac(counted(kPhotoJapanese).data(), destination.data(), 256);
        EXPECT_EQ(textOf(destination), c.expected) << c.language;
        char cDestination[16] = {};
        PLGEncodingCopyCString_Mac(kPhotoJapanese, cDestination, sizeof cDestination);
        EXPECT_EQ(std::string(cDestination, c.expected.size()), c.expected) << c.language;
    }
    const Language french("fr");
    Counted destination{};
    PLGEncodingCopyPascal_Mac(counted(kCafe).data(), destination.data(), 256);
    EXPECT_EQ(textOf(destination), "caf\xE9");
}

TEST(StringChecks, AsciiAndSystemEncoding) {
    EXPECT_EQ(PLG_CheckStringASCII("photo", 5), 1);
    EXPECT_EQ(PLG_CheckStringASCII(kCafe, 5), 0);
    EXPECT_EQ(PLG_CheckStringASCII("caf\xE9", 3), 1);  // only the bytes asked about count
    EXPECT_EQ(checkStringCString(kCafe), 1);
    EXPECT_EQ(checkStringCString("caf\xE9"), 0);
    EXPECT_EQ(checkStringCString(nullptr), 0);
    EXPECT_EQ(checkStringPascal(counted(kPhotoJapanese).data()), 1);
    EXPECT_EQ(checkStringPascal(counted("\xE5\x86").data()), 0);
    EXPECT_EQ(checkStringPascal(nullptr), 0);
}

TEST(LanguageCode, EveryRegion) {
    const struct {
        std::int16_t region;
        std::int16_t code;
    } cases[] = {
        {14, 1}, {1, 3},  {91, 3}, {4, 4},  {3, 5}, {8, 6},  {86, 6},
        {52, 7}, {51, 8}, {0, 2},  {53, 2}, {2, 2}, {-1, 2}, {100, 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(languageCodeForRegion(c.region), c.code) << c.region;
    }
    const Language spanish("es");
    EXPECT_EQ(PLG_GetLanguageCode_Mac(), 6);
    const Language korean("ko");
    EXPECT_EQ(PLG_GetLanguageCode_Mac(), 8);
}

}  // namespace
