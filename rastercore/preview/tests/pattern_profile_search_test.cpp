// The pattern profile search: which transforms each setting makes, that the cells' calls through
// the table give what a preview call gives, and failures, closing twice and the read-only record.
#include <gtest/gtest.h>

#include "preview_fixture.h"

namespace {

using namespace previewtest;

struct Slots {
    bool T0, T1, T2, T3;
    bool operator==(const Slots&) const = default;
};

Slots slotsOf(const PtnProfileInfoTbl& t) {
    return {t.T0 != nullptr, t.T1 != nullptr, t.T2 != nullptr, t.T3 != nullptr};
}

std::ostream& operator<<(std::ostream& out, const Slots& s) {
    return out << "T0 " << s.T0 << ", T1 " << s.T1 << ", T2 " << s.T2 << ", T3 " << s.T3;
}

// Opens and closes a table; the transforms live as long as it.
class OpenedTable {
  public:
    explicit OpenedTable(const CoreCommonInfoTbl& record)
        : result_(RasterCore_PatternProfileSearch_Open(&record, &table_)) {}
    ~OpenedTable() { RasterCore_PatternProfileSearch_Close(&table_); }
    OpenedTable(const OpenedTable&) = delete;
    OpenedTable& operator=(const OpenedTable&) = delete;

    std::int32_t result() const { return result_; }
    PtnProfileInfoTbl& table() { return table_; }

  private:
    PtnProfileInfoTbl table_{};
    std::int32_t result_;
};

class PatternProfileSearch : public PreviewProfiles {};

struct Setting {
    const char* label;
    std::uint16_t imageMode;
    std::int32_t colorMode;
    std::int32_t previewProof;
    std::int32_t engine;
    std::optional<fs::path> proof;
    std::int32_t paperColor;
};

void fill(PreviewRecords& records, const Setting& s, const fs::path& output) {
    records.host.imageMode = s.imageMode;
    records.embed(kAdobeRgb);
    records.record.colorMode = s.colorMode;
    records.record.previewProof = s.previewProof;
    records.record.conversionEngine = s.engine;
    records.record.simulatePaperColor = s.paperColor;
    records.record.matchingMethod = 2;
    records.output(output);
    if (s.proof) {
        records.proof(*s.proof);
    }
}

TEST_F(PatternProfileSearch, TransformsOfEachSettingAndTheCellsThatUseThem) {
    struct Case {
        Setting setting;
        std::int32_t engine;
        Slots slots;
        color::Signature space;
    };
    const Case cases[] = {
        {{"proof off, RGB image", kRgb, kColor, 0, 2, std::nullopt, 0},
         1,
         {true, false, false, false},
         color::kSpaceRgb},
        {{"proof off, ICC", kRgb, kIcc, 0, 2, cmykProof(), 0},
         2,
         {true, false, false, false},
         color::kSpaceRgb},
        // The monochrome photo of an RGB image starts in the source profile's space.
        {{"proof off, monochrome", kRgb, kMonochrome, 0, 1, std::nullopt, 0},
         1,
         {true, true, false, false},
         color::kSpaceRgb},
        {{"colour mode 1", kRgb, kColor, 1, 2, std::nullopt, 0}, 1, {false, true, true, false}, 0},
        {{"colour mode 2", kRgb, kFixedRgb, 1, 2, std::nullopt, 0},
         1,
         {true, false, false, false},
         0},
        {{"monochrome", kRgb, kMonochrome, 1, 2, cmykProof(), 0},
         1,
         {true, false, false, false},
         0},
        {{"ICC, system engine, CMYK proof", kRgb, kIcc, 1, 1, cmykProof(), 1},
         1,
         {false, true, true, true},
         color::kSpaceCmyk},
        {{"ICC, system engine, RGB proof", kRgb16, kIcc, 1, 1, rgbProof(), 0},
         1,
         {false, true, true, true},
         color::kSpaceRgb},
        {{"ICC, preferred engine, CMYK proof", kRgb, kIcc, 1, 2, cmykProof(), 1},
         2,
         {false, true, true, false},
         color::kSpaceCmyk},
        {{"ICC, no proof profile", kRgb, kIcc, 1, 1, std::nullopt, 0},
         1,
         {false, true, true, false},
         0},
        {{"ICC, grey image: as colour mode 2", kGrey, kIcc, 1, 1, cmykProof(), 0},
         1,
         {true, false, false, false},
         0},
    };
    for (const Case& c : cases) {
        PreviewRecords records;
        fill(records, c.setting, printer());
        OpenedTable opened(records.record);
        ASSERT_EQ(opened.result(), 0) << c.setting.label;
        const PtnProfileInfoTbl& t = opened.table();
        // The packed table's fields are read as values, never bound to references.
        EXPECT_EQ(+t.engine, c.engine) << c.setting.label;
        EXPECT_EQ(slotsOf(t), c.slots) << c.setting.label;
        EXPECT_EQ(+t.colorSpace, c.space) << c.setting.label;
        EXPECT_TRUE(t.sourceProfile == nullptr && t.displayProfile == nullptr) << c.setting.label;

        // A cell's call through the table shows what a preview call without it shows.
        const std::vector<std::uint8_t> rgb = bytesOf(kRgbPixels);
        Pixels alone(rgb, 3);
        ASSERT_EQ(RasterCore_Prev_ColorManagement(&records.record, &alone.data, nullptr), 0)
            << c.setting.label;
        records.record.patternPrint = 1;
        Pixels cell(rgb, 3);
        ASSERT_EQ(RasterCore_Prev_ColorManagement(&records.record, &cell.data, &t), 0)
            << c.setting.label;
        EXPECT_EQ(cell.destination, alone.destination) << c.setting.label;
        EXPECT_NE(cell.destination, rgb) << c.setting.label;
    }
}

TEST_F(PatternProfileSearch, FailuresLeaveTheSlotsForClose) {
    struct Case {
        Setting setting;
        fs::path output;
        std::optional<fs::path> embedded;
        color::Signature space;
    };
    const fs::path missing = rgbProof().parent_path() / "missing.icc";
    const Case cases[] = {
        {{"no source profile", kRgb, kColor, 0, 1, std::nullopt, 0},
         printer(),
         std::nullopt,
         color::kSpaceRgb},
        {{"ICC: the output profile is not installed", kRgb, kIcc, 1, 1, std::nullopt, 0},
         missing,
         kAdobeRgb,
         0},
        {{"ICC: the output profile is a CMYK printer", kRgb, kIcc, 1, 1, std::nullopt, 0},
         cmykProof(),
         kAdobeRgb,
         0},
        {{"ICC: the proof profile is not installed", kRgb, kIcc, 1, 1, missing, 0},
         printer(),
         kAdobeRgb,
         0},
        {{"a CMYK source profile", kRgb, kColor, 0, 1, std::nullopt, 0},
         printer(),
         cmykProof(),
         color::kSpaceCmyk},
    };
    for (const Case& c : cases) {
        PreviewRecords records;
        fill(records, c.setting, c.output);
        records.host.profile = {};
        if (c.embedded) {
            records.embed(*c.embedded);
        }
        PtnProfileInfoTbl t{};
        EXPECT_EQ(RasterCore_PatternProfileSearch_Open(&records.record, &t), kFailure)
            << c.setting.label;
        EXPECT_EQ(slotsOf(t), (Slots{false, false, false, false})) << c.setting.label;
        EXPECT_EQ(+t.colorSpace, c.space) << c.setting.label;
        EXPECT_EQ(RasterCore_PatternProfileSearch_Close(&t), 0);
    }
}

TEST_F(PatternProfileSearch, CloseEmptiesTheSlotsAndTwiceIsHarmless) {
    PreviewRecords records;
    fill(records, {"", kRgb, kIcc, 1, 1, cmykProof(), 1}, printer());
    PtnProfileInfoTbl t{};
    ASSERT_EQ(RasterCore_PatternProfileSearch_Open(&records.record, &t), 0);
    ASSERT_EQ(slotsOf(t), (Slots{false, true, true, true}));
    EXPECT_EQ(RasterCore_PatternProfileSearch_Close(&t), 0);
    EXPECT_EQ(slotsOf(t), (Slots{false, false, false, false}));
    EXPECT_EQ(RasterCore_PatternProfileSearch_Close(&t), 0);
    EXPECT_EQ(RasterCore_PatternProfileSearch_Close(nullptr), 0);
    EXPECT_EQ(RasterCore_PatternProfileSearch_Open(nullptr, &t), kFailure);
    EXPECT_EQ(RasterCore_PatternProfileSearch_Open(&records.record, nullptr), kFailure);
}

TEST_F(PatternProfileSearch, GreyImageWithProofSearchesAsColourModeTwoOnAReadOnlyRecord) {
    PreviewRecords records;
    fill(records, {"", kGrey, kIcc, 1, 1, cmykProof(), 1}, printer());
    {
        const ReadOnlyRecords readOnly(records);
        OpenedTable opened(*readOnly.record());
        EXPECT_EQ(opened.result(), 0);
        EXPECT_EQ(slotsOf(opened.table()), (Slots{true, false, false, false}));
        EXPECT_EQ(+readOnly.record()->colorMode, kIcc);
    }
    // Also when the search fails: colour mode 2 with proof needs the output profile.
    records.record.outputProfilePath = nullptr;
    const ReadOnlyRecords readOnly(records);
    OpenedTable opened(*readOnly.record());
    EXPECT_EQ(opened.result(), kFailure);
    EXPECT_EQ(+readOnly.record()->colorMode, kIcc);
}

}  // namespace
