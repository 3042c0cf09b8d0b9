// The job attribute values: texts with their character sets, limits and byte order, the client
// job record, the date words (checked against Python's calendar), the tray, cutting and
// detail-media tables and the job-start-2 values.
#include "qdxa/attribute_values.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "qdxa_test_support.h"
#include "support/python_oracle.h"

namespace {

using namespace qdxatest;

std::string textOf(const QDXA_TextValue& value) {
    return std::string(reinterpret_cast<const char*>(value.text), value.length);
}

// `units` UTF-16 units in host byte order, written into a prepared text buffer.
std::uint16_t putUtf16(char* buffer, const std::vector<std::uint16_t>& units) {
    std::memcpy(buffer, units.data(), units.size() * 2);
    return static_cast<std::uint16_t>(units.size() * 2);
}

std::vector<std::uint16_t> unitsFrom(std::uint16_t first, std::size_t count) {
    std::vector<std::uint16_t> units(count);
    for (std::size_t i = 0; i < count; ++i) {
        units[i] = static_cast<std::uint16_t>(first + i);
    }
    return units;
}

TEST(JobName, OneByteTextIsCutTo32WithTheLanguagesCharacterSet) {
    const struct {
        std::int16_t language;
        std::uint16_t charSet;
    } cases[] = {{0, 4}, {2, 4}, {1, 17}, {10, 4}};
    const std::string forty = "0123456789abcdefghijklmnopqrstuvwxyzABCD";
    for (const auto& c : cases) {
        Record record;
        record.info->languageCode = c.language;
        EXPECT_EQ(PLG_Get_JobName(record.info, forty.c_str()), 0);
        EXPECT_EQ(record.info->jobName.charSet, c.charSet);
        EXPECT_EQ(textOf(record.info->jobName), forty.substr(0, 32));
    }
    Record record;
    PLG_Get_JobName(record.info, forty.c_str());
    EXPECT_EQ(tarn_QDXA_SetJob_Name(record.info, nullptr, 0, nullptr), 0);
    Bytes sent = hex("0004 20");
    sent.insert(sent.end(), forty.begin(), forty.begin() + 32);
    EXPECT_EQ(qdxastream::setAttribute(record.services.packets().at(0))->value, sent);
    PLG_Get_JobName(record.info, "");
    EXPECT_EQ(record.info->jobName.length, 0);
    EXPECT_EQ(PLG_Get_JobName(nullptr, "x"), rastercore::kPacketBadArgument);
}

TEST(JobName, Utf16TextIsCutAndWrittenBigEndian) {
    for (const std::int16_t language : {7, 8, 9}) {
        Record record;
        record.info->languageCode = language;
        const auto units = unitsFrom(0x4E00, 35);  // 70 bytes
        record.info->jobNameUnicodeBytes = putUtf16(record.info->jobNameText, units);
        EXPECT_EQ(PLG_Get_JobName(record.info, record.info->jobNameText), 0);
        const QDXA_TextValue& name = record.info->jobName;
        EXPECT_EQ(name.charSet, kCharSetUtf16);
        ASSERT_EQ(name.length, 32);
        for (std::size_t i = 0; i < 16; ++i) {
            EXPECT_EQ(name.text[2 * i], 0x4E);
            EXPECT_EQ(name.text[2 * i + 1], i);
        }
        EXPECT_EQ(tarn_QDXA_SetJob_Name(record.info, nullptr, 0, nullptr), 0);
        const Bytes sent = qdxastream::setAttribute(record.services.packets().at(0))->value;
        EXPECT_EQ(Bytes(sent.begin(), sent.begin() + 7), hex("03E8 20 4E00 4E01"));
        EXPECT_EQ(sent.size(), 3u + 32u);
        // The prepared text stays in host order, so encoding it again gives the same value.
        PLG_Get_JobName(record.info, record.info->jobNameText);
        EXPECT_EQ(std::memcmp(record.info->jobName.text, name.text, 32), 0);
        EXPECT_EQ(std::memcmp(record.info->jobNameText, units.data(), 70), 0);
    }
}

TEST(JobOwner, CutSoThatTheLengthByteHoldsIt) {
    Record record;
    std::memset(record.info->ownerText, 'o', kQdxaTextBuffer - 1);
    EXPECT_EQ(PLG_Get_JobOwner(record.info, record.info->ownerText), 0);
    EXPECT_EQ(record.info->owner.length, 255);
    EXPECT_EQ(record.info->owner.charSet, kCharSetOneByte);

    // UTF-16 keeps whole units: 128 units (256 bytes) become 127 (254 bytes).
    record.info->languageCode = 8;
    record.info->ownerUnicodeBytes = putUtf16(record.info->ownerText, unitsFrom(0xAC00, 128));
    PLG_Get_JobOwner(record.info, record.info->ownerText);
    EXPECT_EQ(record.info->owner.length, 254);
    EXPECT_EQ(record.info->owner.text[252], 0xAC);
    EXPECT_EQ(record.info->owner.text[253], 126);

    // A byte count past the buffer is held to the buffer; an odd one to whole units.
    record.info->ownerUnicodeBytes = 5;
    PLG_Get_JobOwner(record.info, record.info->ownerText);
    EXPECT_EQ(record.info->owner.length, 4);
    record.info->ownerUnicodeBytes = 60000;
    PLG_Get_JobOwner(record.info, record.info->ownerText);
    EXPECT_EQ(record.info->owner.length, 254);
}

TEST(PanelMessage, LimitAndCharacterSetFollowTheModel) {
    const struct {
        std::int16_t language;
        std::int32_t unicode;  // model value 9
        std::int32_t longer;   // model value 10
        std::uint16_t charSet;
        std::uint8_t length;
    } cases[] = {
        {0, 0, 0, 4, 32},    {0, 0, 2, 4, 40},    {1, 0, 0, 17, 32}, {0, 2, 0, 3, 32},
        {8, 1, 2, 1000, 40}, {8, 1, 0, 1000, 32}, {8, 0, 0, 4, 32},  {9, 2, 2, 3, 40},
    };
    for (const auto& c : cases) {
        Record record;
        record.info->languageCode = c.language;
        record.model().Unicode = c.unicode;
        record.model().PanelMessageMaxNum = c.longer;
        std::memset(record.info->panelMessageText, 'm', 60);
        record.info->panelMessageUnicodeBytes = 60;
        EXPECT_EQ(PLG_Get_PanelMessage(record.info, record.info->panelMessageText), 0);
        EXPECT_EQ(record.info->panelMessage.charSet, c.charSet) << c.language << c.unicode;
        EXPECT_EQ(record.info->panelMessage.length, c.length) << c.language << c.unicode;
    }
    Record record;
    record.info->context = nullptr;
    EXPECT_EQ(PLG_Get_PanelMessage(record.info, "x"), rastercore::kPacketBadArgument);
}

TEST(ClientIdentifier, IdentifierAndClientJobRecord) {
    Record record;
    std::strcpy(record.info->jobIdentifier, "workstation-0123456");  // 19 characters
    EXPECT_EQ(PLG_Get_JobID(record.info, record.info->jobIdentifier), 0);
    EXPECT_EQ(record.info->identifierOnClient.length, 19);
    EXPECT_EQ(PLG_Get_ClientJobID(record.info), 0);
    const std::uint8_t* client = record.info->jobStart2.clientJobRecord;
    EXPECT_EQ(Bytes(client, client + 16), hex("8BF23A27 2E1E 44D4 B21F573297D793AB"));
    EXPECT_EQ(Bytes(client + 16, client + 32), Bytes(16, 0));
    for (const std::size_t slot : {32u, 48u}) {
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(client + slot)), "workstation-012");
    }
    PLG_Get_JobID(record.info, "");
    EXPECT_EQ(record.info->identifierOnClient.length, 0);
}

TEST(SubmissionTime, HandComputedWords) {
    // Sunday 31 December 2023, 23:59:59 UTC.
    const QDXA_DateWords words = qdxaDateWords(1704067199);
    EXPECT_EQ(words.date, (2023u << 20) | (12u << 16) | (31u << 11) | (7u << 8));
    EXPECT_EQ(words.time, (23u << 24) | (59u << 16) | 59000u);
    // Monday 1 January 2024, 00:00:00 UTC.
    EXPECT_EQ(qdxaDateWords(1704067200).date, (2024u << 20) | (1u << 16) | (1u << 11) | (1u << 8));
    EXPECT_EQ(qdxaDateWords(1704067200).time, 0u);
}

TEST(SubmissionTime, WordsAgreeWithPythonsCalendar) {
    std::vector<std::string> arguments;
    for (const std::time_t seconds :
         {std::time_t{0}, std::time_t{951782400}, std::time_t{1709251199}, std::time_t{1719792000},
          std::time_t{2147483647}, std::time_t{4102444799}, std::time(nullptr)}) {
        const QDXA_DateWords words = qdxaDateWords(seconds);
        arguments.push_back(std::to_string(seconds) + ":" + std::to_string(words.date) + ":" +
                            std::to_string(words.time));
    }
    for (std::time_t seconds = 1600000000; seconds < 1700000000; seconds += 2345677) {
        const QDXA_DateWords words = qdxaDateWords(seconds);
        arguments.push_back(std::to_string(seconds) + ":" + std::to_string(words.date) + ":" +
                            std::to_string(words.time));
    }
    EXPECT_EQ(testsupport::runPython(QDXA_TEST_DIR "/date_words_oracle.py", arguments), 0);
}

TEST(SubmissionTime, TakesTheCurrentTime) {
    Record record;
    const QDXA_DateWords before = qdxaDateWords(std::time(nullptr));
    EXPECT_EQ(PLG_Get_SubnissionTimeOnClient(record.info), 0);
    const QDXA_DateWords after = qdxaDateWords(std::time(nullptr));
    EXPECT_GE(record.info->submissionTime.date, before.date);
    EXPECT_LE(record.info->submissionTime.date, after.date);
}

TEST(InputTrayPriorityArray, TrayCodeByModelAndPaperSource) {
    const struct {
        std::int32_t rule;  // model value 11
        std::uint16_t source;
        std::uint8_t tray;
    } cases[] = {
        {2, 128, 18}, {2, 1, 201},   {2, 512, 201}, {3, 1, 101}, {3, 8, 101}, {3, 16, 20},
        {3, 128, 20}, {3, 8192, 20}, {3, 256, 211}, {4, 2, 101}, {4, 4, 101}, {4, 256, 201},
        {5, 128, 18}, {5, 8192, 18}, {5, 2, 201},   {0, 1, 11},  {0, 2, 13},  {7, 1, 11},
    };
    for (const auto& c : cases) {
        Record record;
        record.model().Tray_Array_Priority = c.rule;
        EXPECT_EQ(PLG_Get_InputTrayPriorityArray(record.info, c.source), 0);
        EXPECT_EQ(record.info->trayArray.count, 1);
        EXPECT_EQ(record.info->trayArray.entries[0].trayCode, c.tray)
            << "rule " << c.rule << " source " << c.source;
        EXPECT_EQ(record.info->trayArray.entries[0].name.length, 0);
    }
}

TEST(CuttingAndDrying, SmallTables) {
    Record record;
    const std::pair<std::int32_t, std::uint8_t> cutting[] = {
        {1, 2}, {2, 1}, {3, 3}, {0, 4}, {9, 4}};
    for (const auto& [choice, type] : cutting) {
        EXPECT_EQ(PLG_Get_CuttingType(record.info, choice), 0);
        EXPECT_EQ(record.info->cuttingType, type) << choice;
    }
    PLG_Get_InkDryType(record.info);
    EXPECT_EQ(record.info->inkDryingType, 1);
    record.model().MarkerColorantDryingType = 1;
    PLG_Get_InkDryType(record.info);
    EXPECT_EQ(record.info->inkDryingType, 2);
}

TEST(DetailMedia, PairsFromTheChoices) {
    constexpr std::uint16_t kSheet = 0x0001;
    constexpr std::uint16_t kRoll = 0x0100;
    const struct {
        const char* name;
        std::uint16_t source;
        std::int32_t thickness;  // model value 38
        std::int32_t suction;    // model value 39
        std::array<std::uint8_t, 8> choices;
        std::string pairs;
    } cases[] = {
        {"nothing set", kRoll, 0, 0, {255, 255, 255, 255, 255, 255, 255, 255}, ""},
        {"choice 1 is unset too", kRoll, 0, 0, {1, 1, 1, 1, 1, 1, 1, 1}, ""},
        {"every item on roll",
         kRoll,
         1,
         1,
         {3, 7, 2, 3, 4, 6, 5, 4},
         "0121 020E 0323 0D1D 0618 0E16 0719 091B"},
        {"sheet keeps the first, second, fifth and seventh",
         kSheet,
         0,
         0,
         {2, 2, 2, 2, 2, 2, 2, 2},
         "0103 0203 0617 071E"},
        {"sheet with thickness and suction set by the model",
         kSheet,
         1,
         1,
         {9, 3, 2, 2, 3, 2, 3, 2},
         "0109 020A"},
        {"choices outside the tables give 0",
         kRoll,
         0,
         0,
         {0, 8, 5, 4, 5, 7, 6, 5},
         "0100 0200 0300 0D00 0600 0E00 0700 0920"},
    };
    for (const auto& c : cases) {
        Record record;
        record.info->paperSource = c.source;
        record.model().DetailMedia_Paper_Thickness_set = c.thickness;
        record.model().DetailMedia_Paper_Suction_set = c.suction;
        std::memcpy(record.info->mediaDetailChoices, c.choices.data(), c.choices.size());
        EXPECT_EQ(PLG_Get_Detail_Media(record.info, &record.context), 0);
        const QDXA_DetailMedia& media = record.info->detailMedia;
        EXPECT_EQ(Bytes(&media.pairs[0][0], &media.pairs[0][0] + 2 * media.count), hex(c.pairs))
            << c.name;
    }
}

TEST(Calibration, ListOnlyWhenTheJobCalibrates) {
    Record record;
    record.info->calibration = 3;
    PLG_Get_Calibration(record.info, &record.context);
    EXPECT_EQ(record.info->calibrationList.count, 0);
    record.info->calibration = 0;
    PLG_Get_Calibration(record.info, &record.context);
    ASSERT_EQ(record.info->calibrationList.count, 3);
    EXPECT_EQ(record.info->calibrationList.entries[0].item, 7);
    EXPECT_EQ(record.info->calibrationList.entries[2].item, 9);
}

TEST(JobStart2Values, ByOutputMethodAndModel) {
    const struct {
        const char* name;
        std::int32_t hdd;  // model value 6
        std::int32_t method;
        std::uint8_t afterReception;
        std::uint8_t jobKind;
        std::uint16_t ranges;
        std::uint16_t rangeValue;
        std::uint8_t subKind;  // 0: not sent
        const char* jobName;
    } cases[] = {
        {"plain printer", 0, 0, 0, 1, 0, 0, 0, "document"},
        {"print", 1, 0, 0, 2, 1, 0, 4, "document"},
        {"print and delete", 1, 1, 1, 1, 1, 0, 7, "document"},
        {"store", 1, 2, 0, 3, 1, 42, 4, "stored"},
        {"store and print after reception", 1, 2, 1, 2, 1, 42, 7, "stored"},
    };
    for (const auto& c : cases) {
        Record record;
        record.model().HDD = c.hdd;
        record.info->outputMethod = c.method;
        record.info->printAfterReception = c.afterReception;
        record.info->boxNumber = 42;
        std::strcpy(record.info->jobNameText, "document");
        std::strcpy(record.info->dataNameText, "stored");
        std::strcpy(record.info->ownerText, "owner");
        std::strcpy(record.info->jobIdentifier, "host");
        EXPECT_EQ(PLG_Get_JobStart2(record.info, &record.context), 0);
        const QDXA_JobStart2Values& values = record.info->jobStart2;
        EXPECT_EQ(values.jobKind, c.jobKind) << c.name;
        EXPECT_EQ(values.printKind, 3) << c.name;
        EXPECT_EQ(values.copyRangeCount, c.ranges) << c.name;
        EXPECT_EQ(values.copyRangeValue, c.rangeValue) << c.name;
        EXPECT_EQ(values.hasSubKind != 0, c.subKind != 0) << c.name;
        EXPECT_EQ(values.subKind, c.subKind) << c.name;
        EXPECT_EQ(textOf(values.name), c.jobName) << c.name;
        EXPECT_EQ(values.hasOwner, 1) << c.name;
        EXPECT_EQ(textOf(values.owner), "owner") << c.name;
        EXPECT_EQ(values.clientJobRecord[32], 'h') << c.name;
        EXPECT_NE(values.submissionTime.date, 0u) << c.name;
    }
}

TEST(JobStart2Values, OwnerOnlyWhenThereIsOne) {
    const char* saved = std::getenv("LANGUAGE");
    const std::string restore = saved != nullptr ? saved : "";
    const struct {
        const char* language;
        bool unicodeOwner;
        std::uint8_t hasOwner;
    } cases[] = {
        {"en", false, 0}, {"en", true, 0}, {"ko", true, 1}, {"zh-Hans", true, 1}, {"ko", false, 0}};
    for (const auto& c : cases) {
        setenv("LANGUAGE", c.language, 1);
        Record record;
        record.info->languageCode = 8;
        // A UTF-16 owner whose first byte is 0 in host order reads as an empty text.
        record.info->ownerUnicodeBytes = c.unicodeOwner ? 2 : 0;
        record.info->ownerText[1] = c.unicodeOwner ? 0x4E : 0;
        PLG_Get_JobStart2(record.info, &record.context);
        EXPECT_EQ(record.info->jobStart2.hasOwner, c.hasOwner) << c.language;
    }
    if (saved != nullptr) {
        setenv("LANGUAGE", restore.c_str(), 1);
    } else {
        unsetenv("LANGUAGE");
    }
}

}  // namespace
