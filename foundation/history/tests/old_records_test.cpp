// Old settings record groups from fixtures written by an independent Python writer
// (make_old_records.py): reading a whole file, byte order, the upgrade of records of version 100
// and 102, and the conversion of version-200 records into history entries with their settings,
// with the profiles they name installed in a temporary profile folder.
#include "history/old_records.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "fixture_profiles.h"
#include "support/python_oracle.h"
#include "support/scoped_variable.h"
#include "support/temporary_folder.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> fileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::uint8_t> fixture(const char* name) {
    return fileBytes(fs::path(OLD_RECORDS_DATA) / name);
}

struct Converted {
    SetDataList entry;
    std::int32_t printerID = -1;
};

// Profiles "My Printer.icc" and "Proof B.icc" installed in the user's profile folder.
class OldRecords : public testing::Test {
  protected:
    OldRecords() {
        profile_test::writeFixtureProfile(folder_ / "data/icc/My Printer.icc",
                                          {.version = 2.1, .description = "My Printer"});
        profile_test::writeFixtureProfile(folder_ / "data/icc/Proof B.icc",
                                          {.version = 2.1, .description = "Proof B"});
    }

    // Every record of a fixture file, read, upgraded and converted.
    std::vector<Converted> convertFile(const char* name, std::int16_t expectedVersion,
                                       const char* encoding = kLegacyTextEncoding) {
        const auto read = ReadOldRegistGroup(fixture(name));
        EXPECT_TRUE(read.has_value()) << name;
        if (!read) {
            return {};
        }
        EXPECT_EQ(read->version, expectedVersion) << name;
        std::vector<Converted> converted(Regist_GetCount(read->group));
        for (std::size_t i = 0; i < converted.size(); ++i) {
            const RegistRec* record = Regist_Get(read->group, static_cast<std::int16_t>(i + 1));
            change_SetDataListFromRegistRec(&converted[i].entry, record, &converted[i].printerID,
                                            encoding);
        }
        return converted;
    }

    std::string installed(const char* name) const { return (folder_ / "data/icc" / name).string(); }

    testsupport::TemporaryFolder folder_;
    testsupport::ScopedVariable home_{"HOME", folder_.path().c_str()};
    testsupport::ScopedVariable data_{"XDG_DATA_HOME", (folder_ / "data").c_str()};
    testsupport::ScopedVariable root_{"STRATOLINE_ROOT", (folder_ / "root").c_str()};
};

TEST_F(OldRecords, CheckedInFixturesAreWhatTheWriterMakes) {
    ASSERT_EQ(testsupport::runPython(OLD_RECORDS_WRITER, {folder_.path().string()}), 0);
    for (const char* name : {"v100_group.bin", "v102_group.bin", "v200_group.bin"}) {
        EXPECT_EQ(fileBytes(folder_ / name), fixture(name)) << name;
    }
}

TEST_F(OldRecords, FileVersionIsTheFirstWhoseRecordsAreThereInFull) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        std::optional<std::int16_t> version;
        std::int16_t count;
    };
    std::vector<std::uint8_t> v200 = fixture("v200_group.bin");
    std::vector<std::uint8_t> v100 = fixture("v100_group.bin");
    std::vector<std::uint8_t> negative = {0xFF, 0xFE, 1, 2, 3};
    const Case cases[] = {
        {"version 200 whole", v200, kRegistVersion200, 3},
        {"version 200 short of one byte reads as 102",
         {v200.begin(), v200.end() - 1},
         kRegistVersion102,
         3},
        {"version 100 whole", v100, kRegistVersion100, 3},
        {"version 100 short of one byte", {v100.begin(), v100.end() - 1}, std::nullopt, 0},
        {"no count", {0x00}, std::nullopt, 0},
        {"negative count", negative, kRegistVersion200, 0},
    };
    for (const Case& c : cases) {
        const auto read = ReadOldRegistGroup(c.bytes);
        ASSERT_EQ(read.has_value(), c.version.has_value()) << c.name;
        if (read) {
            EXPECT_EQ(read->version, *c.version) << c.name;
            EXPECT_EQ(Regist_GetCount(read->group), c.count) << c.name;
            EXPECT_EQ(read->group.size(), kRGroupCountSize + c.count * kRegistRecSize) << c.name;
        }
    }
}

TEST_F(OldRecords, Version100RecordsAreUpgradedWithTheirValueMappings) {
    const auto read = ReadOldRegistGroup(fixture("v100_group.bin"));
    ASSERT_TRUE(read);
    struct Expected {
        std::int16_t mediaType;
        std::uint16_t colorMode;
        std::int16_t nearEnd, cutSpeed, thickness;
    };
    // -120 lies among the retired media; -156 and -104 do not.
    const Expected expected[] = {{0, 1, 3, 3, 3}, {-156, 2, 4, 2, 2}, {-104, 2, 4, 4, 4}};
    for (std::int16_t n = 1; n <= 3; ++n) {
        const RegistRec* rec = Regist_Get(read->group, n);
        ASSERT_NE(rec, nullptr);
        const Expected& e = expected[n - 1];
        EXPECT_EQ(+rec->mediaType, e.mediaType) << n;
        EXPECT_EQ(+rec->colorMode, e.colorMode) << n;
        EXPECT_EQ(+rec->safetyMarginNearEnd, e.nearEnd) << n;
        EXPECT_EQ(+rec->cutSpeed, e.cutSpeed) << n;
        EXPECT_EQ(+rec->mediaThickness, e.thickness) << n;
        EXPECT_EQ(+rec->mediaTypeName.length, 0) << n;
        EXPECT_EQ(+rec->paperSizeName.length, 0) << n;
        EXPECT_EQ(+rec->scale, 100.0) << n;
        EXPECT_EQ(+rec->fromLeftMargin, -20) << n;
        EXPECT_EQ(+rec->rollPaperLayout, 5) << n;
        EXPECT_EQ(+rec->ssc, 1) << n;
    }
}

TEST_F(OldRecords, Version100EntriesAndSettings) {
    const auto converted = convertFile("v100_group.bin", kRegistVersion100);
    ASSERT_EQ(converted.size(), 3u);
    const SetDataList& first = converted[0].entry;
    EXPECT_EQ(converted[0].printerID, 19);
    EXPECT_EQ(first.NameString, "Portr\u00e4t");
    EXPECT_EQ(first.FileNameString, "photo.tif");
    EXPECT_EQ(first.DateString, "2009/05/01");
    EXPECT_EQ(first.ColorSetString, "C0 M0 Y0");
    EXPECT_EQ(first.PrinterNameString, "SL-7440");
    EXPECT_EQ(first.CommentString, "first print");
    EXPECT_EQ(first.listNumber, 3);
    EXPECT_EQ(first.DateCount, 7);
    EXPECT_EQ(first.DefaultFlg, 1);
    EXPECT_EQ(first.PrintFinish, 0);
    ASSERT_TRUE(first.settings);
    const UISave& ui = *first.settings;
    EXPECT_EQ(ui.MediaType, 0);
    EXPECT_EQ(ui.MediaTypeName, std::nullopt);
    EXPECT_EQ(ui.ColorMode, 1);
    EXPECT_EQ(ui.OutputProfile, 0);
    EXPECT_EQ(ui.OutputProfileName, std::nullopt);
    EXPECT_EQ(ui.ScalingValue, 10000);
    EXPECT_EQ(ui.PaperSizeName, std::nullopt);
    EXPECT_EQ(ui.PaperSizeWidth, 0);
    EXPECT_EQ(ui.MatchingMethod, 1);
    EXPECT_EQ(ui.Layout, 2);
    EXPECT_EQ(ui.FromTopMargin, 150);
    EXPECT_EQ(ui.GrayTone, 7);
    EXPECT_EQ(ui.RollPaperWidth, 1118);
    EXPECT_EQ(ui.InkSystem, 3);
    EXPECT_EQ(ui.SafetyMargin_NearEndMargin, 3);
    EXPECT_EQ(ui.CutSpeed, 3);
    EXPECT_EQ(ui.MediaThickness, 3);
    // What older records lack comes from the upgrade's values.
    EXPECT_EQ(ui.RoolPaperLayout, 0);
    EXPECT_EQ(ui.ColorBalance, 2);
    EXPECT_EQ(ui.Curves_Gray_PointNum, 2);
    EXPECT_EQ(ui.Curves_Gray_X[1], 255);
    EXPECT_EQ(ui.Curves_Gray_Y[1], 255);
    EXPECT_EQ(ui.SSCCheck, 0);
    EXPECT_EQ(ui.SSCAdjustment, 1);
    EXPECT_EQ(ui.CalibrationValue, 1);
    EXPECT_EQ(ui.Background, 1);
    EXPECT_EQ(ui.InboxNo, 1);
    EXPECT_EQ(ui.ConversionEngine, 1);
    EXPECT_EQ(ui.ImageEnlargementMethod, 0);

    const UISave& second = *converted[1].entry.settings;
    EXPECT_EQ(converted[1].entry.DefaultFlg, 0);
    EXPECT_EQ(converted[1].entry.PrintFinish, 1);
    EXPECT_EQ(second.MediaType, -156);
    EXPECT_EQ(second.ColorMode, 3);
    // The length byte says 200 of a 63-byte field.
    EXPECT_EQ(converted[2].entry.NameString, std::string(63, 'N'));
    EXPECT_EQ(converted[2].entry.FileNameString, "photo.tif");
}

TEST_F(OldRecords, Version102RecordsKeepTheirPlaceAndMediumName) {
    const auto converted = convertFile("v102_group.bin", kRegistVersion102);
    ASSERT_EQ(converted.size(), 3u);
    const char* names[] = {"one", "two", "three"};
    for (std::size_t i = 0; i < converted.size(); ++i) {
        const SetDataList& entry = converted[i].entry;
        EXPECT_EQ(entry.listNumber, static_cast<std::int32_t>(i + 1));
        EXPECT_EQ(entry.DateCount, static_cast<std::int32_t>(11 + i));
        EXPECT_EQ(entry.NameString, names[i]);
        const UISave& ui = *entry.settings;
        EXPECT_EQ(ui.MediaTypeName, "Glossy " + std::to_string(i + 1));
        // Retired media are a version-100 matter only; thickness is not remapped in 102.
        EXPECT_EQ(ui.MediaType, -120);
        EXPECT_EQ(ui.SafetyMargin_NearEndMargin, 3);
        EXPECT_EQ(ui.CutSpeed, 3);
        EXPECT_EQ(ui.MediaThickness, 2);
    }
}

TEST_F(OldRecords, Version200RecordsConvertWithProfilesAndEnlargementMethod) {
    const auto converted = convertFile("v200_group.bin", kRegistVersion200);
    ASSERT_EQ(converted.size(), 3u);

    // Flags 0x2200: a default favourite of a print that failed; its medium is dropped.
    const SetDataList& first = converted[0].entry;
    EXPECT_EQ(converted[0].printerID, 26);
    EXPECT_EQ(first.DefaultFlg, 1);
    EXPECT_EQ(first.PrintFinish, 0);
    EXPECT_EQ(first.CommentString, "caf\u00e9 print");
    const UISave& ui = *first.settings;
    EXPECT_EQ(ui.ConvertOldVersion, 1);
    EXPECT_EQ(ui.MediaType, 0);
    EXPECT_EQ(ui.MediaTypeName, std::nullopt);
    EXPECT_EQ(ui.ScalingValue, 125);
    EXPECT_EQ(ui.ColorMode, 4);
    EXPECT_EQ(ui.OutputProfile, 7);
    EXPECT_EQ(ui.OutputProfileName, "My Printer");
    EXPECT_EQ(ui.OutputProfilePath, installed("My Printer.icc"));
    // Two bracketed names: the last one, without its folder.
    EXPECT_EQ(ui.Proof, 1);
    EXPECT_EQ(ui.ProofProfile, 3);
    EXPECT_EQ(ui.ProofProfileName, "Proof B");
    EXPECT_EQ(ui.ProofProfilePath, installed("Proof B.icc"));
    EXPECT_EQ(ui.ImageEnlargementMethod, 2);  // 201 selects the field at 4584, which holds 5
    EXPECT_EQ(ui.PrintMode, 0x0A0B0C0D);
    EXPECT_EQ(ui.PaperSizeWidth, 0x01020304);
    EXPECT_EQ(ui.PaperSizeName, "A3+");
    EXPECT_EQ(ui.FromTopMargin, -35);
    EXPECT_EQ(ui.Cyan, -1);
    EXPECT_EQ(ui.GrayTone, -7);
    EXPECT_EQ(ui.Mono_Shadow, 14);
    EXPECT_EQ(ui.Layout, 1);
    EXPECT_EQ(ui.RoolPaperLayout, 1);
    EXPECT_EQ(ui.Enlarged_ReducedPrinting_VPX, 2);
    EXPECT_EQ(ui.CalibrationValue, 2);
    EXPECT_EQ(ui.SSCCheck, 1);
    EXPECT_EQ(ui.SSCAdjustment, 2);
    EXPECT_EQ(ui.DotPlacement, 1);
    EXPECT_EQ(ui.OutputMethod, 2);
    EXPECT_EQ(ui.InkSystem, 1);
    EXPECT_EQ(ui.ConversionEngine, 1);
    EXPECT_EQ(ui.NameOfDataToBeSaved, "saved data");
    EXPECT_EQ(ui.Curves_SelChannel, 2);
    EXPECT_EQ(ui.Curves_RGB_PointNum, 3);
    EXPECT_EQ(ui.Curves_RGB_X, (UISaveCurve{0, 128, 255}));
    EXPECT_EQ(ui.Curves_RGB_Y, (UISaveCurve{0, 140, 255}));
    // 40 points claimed: the 16 slots a curve has.
    EXPECT_EQ(ui.Curves_Gray_PointNum, 16);
    EXPECT_EQ(ui.Curves_Gray_X[15], 150);
    EXPECT_EQ(ui.Curves_Gray_Y[15], 250);
    // What the dialog sets for a converted set, and the test-pattern values of missing keys.
    EXPECT_EQ(ui.Gradation, 4);
    EXPECT_EQ(ui.Gamma, 0);
    EXPECT_EQ(ui.UISaveVersion, 0);
    EXPECT_EQ(ui.CommentChk, 1);
    EXPECT_EQ(ui.PrintHistoryNumber, 1);
    EXPECT_EQ(ui.SelectTab, 1);
    EXPECT_EQ(ui.XAdjustItem_Mono, 8);
    EXPECT_EQ(ui.YAdjustItem_Color, 16);
    EXPECT_EQ(ui.UseSizeName_Color, std::nullopt);

    // "]" before "[" names no profile; a proof profile no longer installed turns the proof off.
    const SetDataList& second = converted[1].entry;
    EXPECT_EQ(converted[1].printerID, 0);
    EXPECT_EQ(second.DefaultFlg, 0);
    EXPECT_EQ(second.PrintFinish, 1);
    const UISave& ui2 = *second.settings;
    EXPECT_EQ(ui2.MediaType, 12);
    EXPECT_EQ(ui2.MediaTypeName, "Matte");
    EXPECT_EQ(ui2.ColorMode, 1);
    EXPECT_EQ(ui2.OutputProfile, 4);
    EXPECT_EQ(ui2.OutputProfileName, std::nullopt);
    EXPECT_EQ(ui2.Proof, 0);
    EXPECT_EQ(ui2.ProofProfilePath, std::nullopt);
    EXPECT_EQ(ui2.ImageEnlargementMethod, 2);  // 5 at 4860 keeps its own field

    const SetDataList& third = converted[2].entry;
    EXPECT_EQ(third.PrintFinish, 0);
    EXPECT_EQ(third.NameString, std::string(63, 'Z'));
    const UISave& ui3 = *third.settings;
    EXPECT_EQ(ui3.ColorMode, 3);
    EXPECT_EQ(ui3.OutputProfile, 0);
    EXPECT_EQ(ui3.OutputProfileName, std::nullopt);
    EXPECT_EQ(ui3.Proof, 0);
    EXPECT_EQ(ui3.ImageEnlargementMethod, 1);  // 199 always takes 4860
}

TEST_F(OldRecords, TextsFollowTheLegacyEncodingSetting) {
    const auto converted = convertFile("v100_group.bin", kRegistVersion100, "CP1252");
    ASSERT_FALSE(converted.empty());
    EXPECT_EQ(converted[0].entry.NameString, "Portr\u0160t");
}

TEST(OldRecordGroups, RecordAccessStaysWithinCountAndBytes) {
    std::vector<std::uint8_t> group(kRGroupCountSize + 2 * kRegistRecSize);
    std::int16_t count = 2;
    std::memcpy(group.data(), &count, sizeof count);
    EXPECT_EQ(Regist_Get(group, 0), nullptr);
    EXPECT_NE(Regist_Get(group, 2), nullptr);
    EXPECT_EQ(Regist_Get(group, 3), nullptr);
    // A count larger than the records there.
    count = 5;
    std::memcpy(group.data(), &count, sizeof count);
    EXPECT_EQ(Regist_GetCount(group), 2);
    EXPECT_EQ(Regist_Get(group, 3), nullptr);
    count = -3;
    std::memcpy(group.data(), &count, sizeof count);
    EXPECT_EQ(Regist_GetCount(group), 0);
    EXPECT_EQ(Regist_Get(group, 1), nullptr);
    EXPECT_EQ(Regist_GetCount(std::span<const std::uint8_t>()), 0);
}

TEST(OldRecordGroups, ByteOrderCoversUnusedNumbersAndLeavesTexts) {
    std::vector<std::uint8_t> group = fixture("v102_group.bin");
    EndianRGroup102(group);
    std::int32_t unused = 0;
    std::memcpy(&unused, group.data() + kRGroupCountSize + 1280, sizeof unused);
    EXPECT_EQ(unused, 0x11223344);
    const auto* text = group.data() + kRGroupCountSize + 1284;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(text + 1), text[0]), "Glossy 1");
}

TEST(OldRecordGroups, UpgradeOfOneRecordOrOfOtherVersions) {
    std::vector<std::uint8_t> old = fixture("v102_group.bin");
    EndianRGroup102(old);
    std::vector<std::uint8_t> group(kRGroupCountSize + 3 * kRegistRecSize);
    for (const std::int16_t version : {kRegistVersion200, std::int16_t{101}}) {
        Convert10XTo200Regist(old, group, version);
        Convert10XTo200RegistOne(old, group, version);
        EXPECT_EQ(group, std::vector<std::uint8_t>(group.size())) << version;
    }
    std::int16_t count = 3;
    std::memcpy(group.data(), &count, sizeof count);
    Convert10XTo200RegistOne(old, group, kRegistVersion102);
    EXPECT_EQ(+Regist_Get(group, 1)->listNumber, 1);
    EXPECT_EQ(+Regist_Get(group, 2)->listNumber, 0);
    // A destination too small for the record is left alone.
    std::vector<std::uint8_t> small(kRGroupCountSize + kRegistRecSize - 1);
    Convert10XTo200Regist(old, small, kRegistVersion102);
    EXPECT_EQ(small, std::vector<std::uint8_t>(small.size()));
}

TEST(OldRecordGroups, NullArgumentsAndOutOfRangeScale) {
    RegistRec rec{};
    change_SetDataListFromRegistRec(nullptr, &rec, nullptr);
    SetDataList entry;
    change_SetDataListFromRegistRec(&entry, nullptr, nullptr);
    EXPECT_FALSE(entry.settings);
    for (const double scale : {1e300, -1e300, std::nan("")}) {
        rec.scale = scale;
        change_SetDataListFromRegistRec(&entry, &rec, nullptr);
        ASSERT_TRUE(entry.settings);
        EXPECT_EQ(entry.settings->ScalingValue,
                  std::isnan(scale) ? 0 : (scale > 0 ? INT32_MAX : INT32_MIN));
    }
    EXPECT_EQ(entry.NameString, std::nullopt);
}

}  // namespace
