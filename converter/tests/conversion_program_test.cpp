// The program converts each old file of data/ into its new file, which xmllint finds well-formed
// and Python's plistlib reads back with the values the old file must give; an old file it refuses
// gives no new file and stays waiting.
#include <gtest/gtest.h>

#include "converter_test_support.h"

namespace {

using namespace convertertest;

enum class Place { Common, Printer };

struct OldFileCase {
    const char* name;     // test name
    const char* fixture;  // file of data/
    Place place;
    const char* oldName;
    const char* newName;
    const char* oracleCase;  // null: nothing is converted
};

std::ostream& operator<<(std::ostream& out, const OldFileCase& c) {
    return out << c.name;
}

// clang-format off
const OldFileCase kCases[] = {
    {"UserPapers", "user.pref", Place::Common, "user.pref", "user3.xml", "user"},
    {"UserPapersCountTooLarge", "user_count4.pref", Place::Common, "user.pref", "user3.xml", nullptr},
    {"UserPaperNameLongerThanItsField", "user_name255.pref", Place::Common, "user.pref", "user3.xml", "user_name255"},
    {"UserPaperNamesWithControlCharacters", "user_bell.pref", Place::Common, "user.pref", "user3.xml", "user_bell"},
    {"Connection", "connect.pref", Place::Printer, "connect.pref", "connect3.xml", "connect"},
    {"ConnectionWithTail", "connect_900.pref", Place::Printer, "connect.pref", "connect3.xml", "connect_900"},
    {"ConnectionOneByteShort", "connect_803.pref", Place::Printer, "connect.pref", "connect3.xml", nullptr},
    {"ConnectionKindUnterminated", "connect_kind_open.pref", Place::Printer, "connect.pref", "connect3.xml", nullptr},
    {"ConnectionPopupUnterminated", "connect_popup_open.pref", Place::Printer, "connect.pref", "connect3.xml", nullptr},
    {"ConnectionDatabaseNameLongerThanItsField", "connect_db255.pref", Place::Printer, "connect.pref", "connect3.xml", nullptr},
    {"ConnectionOldPrinterWithoutId", "connect_printer14.pref", Place::Printer, "connect.pref", "connect3.xml", nullptr},
    {"ConnectionUnknownKind", "connect_usb_space.pref", Place::Printer, "connect.pref", "connect3.xml", nullptr},
    {"DialogSettings", "ui2.pref", Place::Printer, "ui2.pref", "ui3.xml", "ui2"},
    {"DialogSettingsEarlierRecord", "ui2_4544.pref", Place::Printer, "ui2.pref", "ui3.xml", "ui2_4544"},
    {"DialogSettingsBetweenSizes", "ui2_4700.pref", Place::Printer, "ui2.pref", "ui3.xml", "ui2_4544"},
    {"DialogSettingsCurveCountsOutOfRange", "ui2_curve1000.pref", Place::Printer, "ui2.pref", "ui3.xml", "ui2_curve1000"},
    {"DialogSettingsNaNScaleAndProfileWithoutBracket", "ui2_nan_scale.pref", Place::Printer, "ui2.pref", "ui3.xml", "ui2_nan_scale"},
    {"DialogSettingsProofProfileNotInstalled", "ui2_proof_missing.pref", Place::Printer, "ui2.pref", "ui3.xml", "ui2_proof_missing"},
    {"DialogSettingsTextsWithControlCharacters", "ui2_bell.pref", Place::Printer, "ui2.pref", "ui3.xml", "ui2_bell"},
    {"History", "Job.pref", Place::Printer, "Job.pref", "job3.xml", "job"},
    {"HistoryVersion102", "Job_v102.pref", Place::Printer, "Job.pref", "job3.xml", "job_v10x"},
    {"HistoryVersion100", "Job_v100.pref", Place::Printer, "Job.pref", "job3.xml", "job_v10x"},
    {"HistoryOnlyFavorites", "Job_favorites_only.pref", Place::Printer, "Job.pref", "job3.xml", "job_favorites_only"},
    {"HistoryNegativeCount", "Job_negative.pref", Place::Printer, "Job.pref", "job3.xml", nullptr},
};
// clang-format on

class OldFile : public testing::TestWithParam<OldFileCase> {
  protected:
    fs::path folder() const {
        return GetParam().place == Place::Common ? folders_.common() : folders_.printer();
    }

    Folders folders_;
};

TEST_P(OldFile, ConvertsOnceIntoItsNewFile) {
    const OldFileCase& c = GetParam();
    Folders::place(c.fixture, folder(), c.oldName);
    const auto oldBytes = settingstest::fileText(folder() / c.oldName);

    EXPECT_EQ(check(), 1);
    EXPECT_EQ(convert(), 0);
    const fs::path converted = folder() / c.newName;
    if (c.oracleCase == nullptr) {
        EXPECT_FALSE(fs::exists(converted));
        EXPECT_EQ(check(), 1) << "the old file still waits";
    } else {
        ASSERT_TRUE(fs::exists(converted));
        EXPECT_EQ(oracle(c.oracleCase, converted, folders_), 0);
        EXPECT_EQ(check(), 0) << "a converted file is not converted again";
    }
    EXPECT_EQ(settingstest::fileText(folder() / c.oldName), oldBytes) << "the old file stays";
}

INSTANTIATE_TEST_SUITE_P(Converter, OldFile, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
