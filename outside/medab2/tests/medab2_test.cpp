#include "medab2/medab2.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "medab2/table_parts.h"
#include "medab2_test_support.h"

namespace {

constexpr std::int16_t kHiddenMedium = 109;
constexpr std::int16_t kInkTwoMedium = 104;
constexpr std::int16_t kVgmMedium = 103;  // resolution hint 0x3040, own record in mode 1
constexpr std::int16_t kDitherMedium = 101;
constexpr std::int16_t kDiffusionMedium = 102;
constexpr std::int16_t kNamelessMedium = 112;

class Medab2Test : public ::testing::Test {
  protected:
    void SetUp() override {
        image_ = medab2test::load(medab2test::kSL7000);
        ASSERT_FALSE(image_.empty());
        db_ = image_.data();
    }
    std::vector<std::uint8_t> image_;
    std::uint8_t* db_ = nullptr;
};

TEST_F(Medab2Test, HeaderPartCarriesVersionAndMediumType) {
    DEF_HEADERPART header{};
    ASSERT_EQ(mdb3GetHeaderPart(db_, &header), 1);
    EXPECT_STREQ(reinterpret_cast<const char*>(header.bytes + kMdbHeaderVersionOffset), "3.0");
    EXPECT_STREQ(reinterpret_cast<const char*>(header.bytes + 14), "1.2");
    EXPECT_STREQ(reinterpret_cast<const char*>(header.bytes + 18), "2026.03.01");
    EXPECT_STREQ(reinterpret_cast<const char*>(header.bytes + 30), "A01");
    EXPECT_EQ(header.bytes[kMdbHeaderMediumTypeOffset], 7);
}

TEST_F(Medab2Test, FiltersChangeWhichMediaTheImageShows) {
    EXPECT_EQ(mdb3MediumCount(db_), 12);
    ASSERT_EQ(mdb3FilterMediumHint(db_, 16, 1), 1);
    EXPECT_EQ(mdb3MediumCount(db_), 11);
    std::uint32_t hint = 7;
    EXPECT_EQ(mdb3MediumHint(db_, kHiddenMedium, &hint), 0) << "a filtered medium is unknown";
    EXPECT_EQ(hint, 0u);
    ASSERT_EQ(mdb3FilterInkSystem(db_, 2, 2), 1);
    ASSERT_EQ(mdb3MediumCount(db_), 2) << "ink system 2, and the medium of systems 1 and 2";
    std::int16_t id = 0;
    EXPECT_EQ(mdb3MediumID(db_, 1, &id), 1);
    EXPECT_EQ(id, kInkTwoMedium);
    ASSERT_EQ(mdb3FilterInkSystem(db_, 0, 0), 1);
    ASSERT_EQ(mdb3FilterMediumHint(db_, 16, 0), 1);
    EXPECT_EQ(mdb3MediumCount(db_), 12);
    std::uint32_t systems = 0;
    EXPECT_EQ(mdb3SupportedInkSystem(db_, &systems), 1);
    EXPECT_EQ(systems, 3u);
}

TEST_F(Medab2Test, OptimiseModeOneSelectsTheOtherResolutionRecord) {
    DEF_RESOLUTION record{};
    std::uint16_t hint = 0;
    EXPECT_EQ(mdb3SupportedPrintMethod(db_, kVgmMedium), 6);
    EXPECT_EQ(mdb3SupportedResolution(db_, kVgmMedium, 4), 2);
    EXPECT_EQ(mdb3ResolutionHint(db_, kVgmMedium, 4, 2, &hint), 0x3040);
    EXPECT_EQ(mdb3SupportedHalfTone(db_, kVgmMedium, 4, 2), 1);
    ASSERT_EQ(mdb3DBFilterOptimizeMode(db_, 4), 1);
    ASSERT_EQ(mdb3SupportedResoParam(db_, kVgmMedium, 4, 2, &record), 1);
    EXPECT_EQ(record.words[0], 2);
    EXPECT_EQ(record.words[1], 2);
    EXPECT_EQ(record.words[2], 1440);
    ASSERT_EQ(mdb3FilterOptimizeMode(db_, kVgmMedium, 1), 1);
    ASSERT_EQ(mdb3SupportedResoParam(db_, kVgmMedium, 4, 2, &record), 1);
    EXPECT_EQ(record.words[2], 2880);
    ASSERT_EQ(mdb3FilterOptimizeMode(db_, kVgmMedium, 4), 1);
    ASSERT_EQ(mdb3SupportedResoParam(db_, kVgmMedium, 4, 2, &record), 1);
    EXPECT_EQ(record.words[2], 1440);
    DEF_QUALITY quality{};
    ASSERT_EQ(mdb3OptimizeModeDefParam(db_, kVgmMedium, 4, &quality), 1);
    EXPECT_EQ(quality.printMethod, 4);
    EXPECT_EQ(quality.resolutionID, 2);
}

TEST_F(Medab2Test, NamesAreWindowsBytesByLocaleWithEnglishFallback) {
    char name[kMdbNameBytes];
    EXPECT_EQ(mdb3MediumString(db_, kDiffusionMedium, "fr", name), 13);
    EXPECT_STREQ(name, "Papier couch\xE9");
    EXPECT_GT(mdb3MediumString(db_, kDiffusionMedium, "ja", name), 0);
    EXPECT_STREQ(name, "Coated Paper");
    EXPECT_EQ(mdb3MediumString(db_, kNamelessMedium, "en", name), -1);
    EXPECT_STREQ(name, "");
    EXPECT_EQ(mdb3MediumString(db_, 999, "en", name), 0);
    std::uint32_t model = 0;
    const DEF_QUALITY quality{1, 1};
    EXPECT_EQ(mdb3OutputICC(db_, kDiffusionMedium, &quality, &model, name), 7002);
    EXPECT_EQ(model, 7002u);
    EXPECT_STREQ(name, "SL7K_COATED.icc");
}

TEST_F(Medab2Test, ColourTablesBySizeThenFillWithNamedParts) {
    const DEF_QUALITY quality{1, 1};
    const std::uint32_t size = mdb3TableCSC1(db_, kDiffusionMedium, &quality, nullptr);
    ASSERT_GT(size, 0u);
    std::vector<std::uint8_t> table(size);
    ASSERT_EQ(mdb3TableCSC1(db_, kDiffusionMedium, &quality, table.data()), size);
    const auto part = medab2::findPart(table, "h_srgb_per");
    ASSERT_GE(part.size(), 9u);
    EXPECT_STREQ(reinterpret_cast<const char*>(part.data() + 8), "SL7K_COATED.icc");
    EXPECT_TRUE(medab2::findPart(table, "h_unknown").empty());

    std::vector<std::uint8_t> gamma(mdb3InputGamma(db_, kDiffusionMedium, &quality, nullptr));
    mdb3InputGamma(db_, kDiffusionMedium, &quality, gamma.data());
    for (const char* name : {"x_08", "x_10", "x_12"}) {
        EXPECT_EQ(medab2::findPart(gamma, name).size(), 2u + 2 * 256) << name;
    }
    std::uint32_t method = 0;
    ASSERT_EQ(mdb3HalftoneHint(db_, kDiffusionMedium, &quality, &method), 1);
    EXPECT_EQ(method, 1u);
    EXPECT_GT(mdb3EDTable(db_, kDiffusionMedium, &quality, nullptr), 0u);
    EXPECT_GT(mdb3ResolutionConv(db_, kDiffusionMedium, &quality, nullptr), 0u);
    EXPECT_EQ(mdb3DitherParam(db_, kDiffusionMedium, &quality, nullptr), 0u);
    ASSERT_EQ(mdb3HalftoneHint(db_, kDitherMedium, &quality, &method), 1);
    EXPECT_EQ(method, 16u);
    EXPECT_EQ(mdb3EDTable(db_, kDitherMedium, &quality, nullptr), 0u);
    EXPECT_GT(mdb3DitherParam(db_, kDitherMedium, &quality, nullptr), 0u);
    EXPECT_GT(mdb3TableIndexData(db_, kDitherMedium, &quality, nullptr), 0u);
    EXPECT_GT(mdb3TableCSC2(db_, kDitherMedium, &quality, nullptr), 0u);
    EXPECT_GT(mdb3TableOutputGamma(db_, kDitherMedium, &quality, nullptr), 0u);
}

TEST_F(Medab2Test, BadArgumentsAndBoundsGiveFailures) {
    std::int16_t id = 5;
    std::uint32_t hint = 5;
    DEF_QDXAID qdxa{1, 1};
    DEF_RESOLUTION record{};
    EXPECT_EQ(mdb3MediumCount(nullptr), 0);
    EXPECT_EQ(mdb3MediumID(db_, 0, &id), 0);
    EXPECT_EQ(id, 0);
    EXPECT_EQ(mdb3MediumID(db_, 13, &id), 0);
    EXPECT_EQ(mdb3MediumID(db_, 1, nullptr), 0);
    EXPECT_EQ(mdb3MediumHint(nullptr, kDitherMedium, &hint), 0);
    EXPECT_EQ(mdb3QdxaID(db_, -1, &qdxa), 0);
    EXPECT_EQ(qdxa.qdxaID1, 0);
    EXPECT_EQ(mdb3SupportedResoParam(db_, kDitherMedium, 2, 1, &record), 0) << "no method 2";
    EXPECT_EQ(mdb3SupportedResoParam(db_, kDitherMedium, 1, 4, &record), 0) << "no resolution 4";
    EXPECT_EQ(mdb3SupportedResoParam(db_, kDitherMedium, 1, 1, nullptr), 0);
    EXPECT_EQ(mdb3TableCSC1(db_, kDitherMedium, nullptr, nullptr), 0u);
    EXPECT_EQ(mdb3GetHeaderPart(db_, nullptr), 0);
    EXPECT_EQ(mdb3GetMediaData(nullptr, nullptr), 0);
    EXPECT_EQ(mdb3GetMediaData("/nonexistent/file.mdb", nullptr), 0);
    std::vector<std::uint8_t> notAnImage(128, 0);
    EXPECT_EQ(mdb3MediumCount(notAnImage.data()), 0);
    EXPECT_EQ(mdb3FilterMediumHint(notAnImage.data(), 16, 1), 0);
    EXPECT_EQ(notAnImage, std::vector<std::uint8_t>(128, 0)) << "a filter never writes into it";
}

}  // namespace
