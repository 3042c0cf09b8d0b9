// The record of a multi-localized element chosen for the user's language and country, and
// elements whose counts, offsets or lengths do not fit.
#include "profiles/profile_tag_name.h"

#include <gtest/gtest.h>

#include "bytes/byte_order.h"
#include "fixture_profiles.h"

namespace {

using profile_test::LocalizedText;
using profile_test::mlucElement;

const std::vector<LocalizedText> kThreeRecords = {
    {"fr", "FR", u"Papier brillant"},
    {"en", "US", u"Glossy paper"},
    {"ja", "JP", u"\u5149\u6CA2\u7D19"},
};

struct ChoiceCase {
    const char* name;
    std::vector<LocalizedText> records;
    const char* language;
    const char* country;
    const char* expected;
};

class TagNameChoice : public testing::TestWithParam<ChoiceCase> {};

TEST_P(TagNameChoice, PicksTheRecordOfTheUser) {
    const ChoiceCase& c = GetParam();
    EXPECT_EQ(GetProfileTagName(mlucElement(c.records), c.language, c.country), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Records, TagNameChoice,
    testing::Values(
        // The language wins over the country.
        ChoiceCase{"LanguageBeforeCountry", kThreeRecords, "ja", "US",
                   "\xE5\x85\x89\xE6\xB2\xA2\xE7\xB4\x99"},
        ChoiceCase{"LanguageAndCountry", kThreeRecords, "fr", "FR", "Papier brillant"},
        ChoiceCase{"CountryAlone", kThreeRecords, "de", "US", "Glossy paper"},
        ChoiceCase{"EnglishWhenNothingFits", kThreeRecords, "de", "DE", "Glossy paper"},
        ChoiceCase{"FirstRecordWithoutEnglish",
                   {{"fr", "FR", u"Mat"}, {"ja", "JP", u"Matte-ja"}},
                   "de",
                   "CH",
                   "Mat"},
        // A later record of both beats an earlier one of the language alone.
        ChoiceCase{"BothBeatsAnEarlierLanguage",
                   {{"ja", "JP", u"Japan"}, {"ja", "US", u"Japanese in US"}},
                   "ja",
                   "US",
                   "Japanese in US"},
        // A region-qualified language compares by its two letters.
        ChoiceCase{"ScriptOfTheLanguageIgnored",
                   {{"en", "US", u"English"}, {"zh", "CN", u"Chinese"}},
                   "zh-Hans",
                   "",
                   "Chinese"},
        ChoiceCase{"SurrogatePairsJoined",
                   {{"en", "US", u"A\U0001F600"}},
                   "en",
                   "US",
                   "A\xF0\x9F\x98\x80"},
        ChoiceCase{"UnpairedSurrogateReplaced",
                   {{"en", "US",
                     u"A\xD800"
                     u"B"}},
                   "en",
                   "US",
                   "A\xEF\xBF\xBD"
                   "B"}),
    [](const auto& info) { return info.param.name; });

std::vector<std::byte> patched(std::vector<std::byte> element, std::size_t offset,
                               std::uint32_t value) {
    bytes::storeBE32(reinterpret_cast<std::uint8_t*>(element.data()) + offset, value);
    return element;
}

// Offsets of the first record's fields: records start at 16, length at +4, offset at +8.
constexpr std::size_t kCount = 8;
constexpr std::size_t kRecordSize = 12;
constexpr std::size_t kFirstLength = 20;
constexpr std::size_t kFirstOffset = 24;

TEST(TagNameHostile, BadRecordsArePassedOverAndBadElementsGiveNothing) {
    const std::vector<std::byte> good = mlucElement(kThreeRecords);
    // The French record (first) is broken in each way; the English one answers for a French user.
    for (const auto& broken : {
             patched(good, kFirstLength, 3),                               // odd length
             patched(good, kFirstOffset, 0xFFFFFFF0),                      // offset past the end
             patched(good, kFirstLength, 0xFFFFFFFE),                      // length past the end
             patched(good, kFirstOffset, std::uint32_t(good.size() - 2)),  // runs over the end
         }) {
        EXPECT_EQ(GetProfileTagName(broken, "fr", "FR"), "Glossy paper");
    }
    // A count far beyond the element reads only the records inside it.
    EXPECT_EQ(GetProfileTagName(patched(good, kCount, 0xFFFFFFFF), "ja", "JP"),
              "\xE5\x85\x89\xE6\xB2\xA2\xE7\xB4\x99");

    std::vector<std::byte> wrongType = good;
    wrongType[0] = std::byte{'d'};
    const std::vector<std::byte> header(good.begin(), good.begin() + 15);
    for (const auto& bad : {wrongType, header, patched(good, kRecordSize, 8),
                            patched(good, kCount, 0), std::vector<std::byte>{}}) {
        EXPECT_EQ(GetProfileTagName(bad, "en", "US"), std::nullopt);
    }
}

}  // namespace
