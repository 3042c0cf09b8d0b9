// Size limits and margins of the shipped models, of the paper-rule fixture model and of a model
// the bundle does not answer for; sizes of paper-size and roll-width ids.
#include "paper/paper_size.h"

#include <gtest/gtest.h>

#include <array>

#include "foundation_test_support.h"
#include "support/model_atlas_host.h"

namespace {

using Four = std::array<std::uint32_t, 4>;
constexpr std::uint32_t kUntouched = 7777;
constexpr std::int32_t kLargeFormat = 7440;
constexpr std::int32_t kLegacy = 2400;
constexpr std::int32_t kMediumFormat = 5170;
constexpr std::int32_t kPaperFixture = 21;

struct MarginCase {
    std::int32_t source;
    std::uint16_t type;
    Four margins;  // top, left, bottom, right
};

void expectMargins(std::int32_t model, const MarginCase& c) {
    Four m{kUntouched, kUntouched, kUntouched, kUntouched};
    EXPECT_EQ(GetPrinterMarginSize(model, c.source, &m[0], &m[1], &m[2], &m[3]), c.type)
        << "model " << model << " source " << c.source;
    EXPECT_EQ(m, c.margins) << "model " << model << " source " << c.source;
}

// The limits of a source, starting from untouched outputs.
Four supportSize(std::int32_t model, std::uint16_t source) {
    Four l{kUntouched, kUntouched, kUntouched, kUntouched};
    GetSupportSize(model, source, &l[0], &l[1], &l[2], &l[3]);
    return l;
}

TEST(PaperSizeWithoutBundle, MarginsAreThreeMillimetresWithTheManualFeedsLongerAtTheBottom) {
    foundationtest::NoModelAtlas none;
    const MarginCase cases[] = {
        {128, 30, {30, 30, 230, 30}}, {8192, 30, {30, 30, 230, 30}}, {512, 30, {30, 30, 30, 30}},
        {16, 30, {30, 30, 30, 30}},   {2, 30, {30, 30, 30, 30}},     {0, 30, {30, 30, 30, 30}},
    };
    for (const auto& c : cases) expectMargins(kLargeFormat, c);
}

TEST(PaperSizeWithoutBundle, LimitsAreTheDefaultsAndTheSizeLookupsGiveZero) {
    foundationtest::NoModelAtlas none;
    PaperSizeLimits l{};
    l.hCasetteMax = 1;
    GetSupportPaperSize(kLargeFormat, 512, &l);
    const std::array<std::int32_t, 13> all{
        l.hBannerRollMax, l.hRollMax,    l.hRollMin,   l.wRollMax, l.wRollMin,
        l.hCutMax,        l.hCutMin,     l.wCutMax,    l.wCutMin,  l.hCasetteMax,
        l.hCasetteMin,    l.wCasetteMax, l.wCasetteMin};
    EXPECT_EQ(all, (std::array<std::int32_t, 13>{1800000, 1800000, 20320, 152400, 20320, 160000,
                                                 20320, 152400, 20320, 0, 0, 0, 0}));

    const Four roll{1800000, 20320, 152400, 20320};
    const Four cut{160000, 20320, 152400, 20320};
    const Four untouched{kUntouched, kUntouched, kUntouched, kUntouched};
    const std::pair<std::uint16_t, Four> sources[] = {
        {2, {0, 0, 0, 0}}, {16, cut},      {128, cut},     {8192, cut},
        {256, roll},       {512, roll},    {1024, roll},   {2048, roll},
        {1, untouched},    {4, untouched}, {0, untouched}, {4096, untouched},
    };
    for (const auto& [source, expected] : sources)
        EXPECT_EQ(supportSize(kLargeFormat, source), expected) << "source " << source;

    Four custom{kUntouched, kUntouched, kUntouched, kUntouched};
    EXPECT_EQ(
        GetSupportCustomPaperSize(kLargeFormat, &custom[0], &custom[1], &custom[2], &custom[3]), 0);
    EXPECT_EQ(custom, (Four{0, 0, 0, 0}));
    EXPECT_EQ(GetQDXAMediaWidthValue(119), 0);
    EXPECT_EQ(GetQDXAMediaLengthValue(119), 0);
}

TEST(PaperSize, BorderlessMarginsAreMinusThreeMillimetresForEveryModel) {
    foundationtest::NoModelAtlas none;
    for (const std::int32_t model : {kLargeFormat, kMediumFormat, 0}) {
        std::array<std::int32_t, 4> m{};
        GetBorderlessMarginSize(model, &m[0], &m[1], &m[2], &m[3]);
        EXPECT_EQ(m, (std::array<std::int32_t, 4>{-30, -30, -30, -30}));
    }
}

class ShippedPaperSize : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(host_.ready()); }
    testsupport::ModelAtlasHost host_{ATLAS_SHIPPED_SHELL};
};

TEST_F(ShippedPaperSize, MarginsOfTheModelsTablesByPaperSource) {
    const std::pair<std::int32_t, MarginCase> cases[] = {
        {kLargeFormat, {512, 3, {50, 50, 50, 50}}},  {kLargeFormat, {128, 3, {50, 50, 230, 50}}},
        {kLegacy, {512, 2, {200, 50, 230, 50}}},     {kLegacy, {8192, 2, {200, 50, 230, 50}}},
        {kMediumFormat, {512, 4, {30, 30, 30, 30}}}, {kMediumFormat, {8192, 4, {30, 30, 230, 30}}},
        {kMediumFormat, {16, 4, {30, 30, 30, 30}}},  {kMediumFormat, {2, 4, {30, 30, 30, 30}}},
    };
    for (const auto& [model, c] : cases) expectMargins(model, c);
}

TEST_F(ShippedPaperSize, LimitsOfEachSourceComeFromTheModelsTable) {
    EXPECT_EQ(supportSize(kMediumFormat, 2), (Four{59400, 25400, 43200, 20320}));
    EXPECT_EQ(supportSize(kMediumFormat, 128), (Four{160000, 27900, 43200, 20320}));
    EXPECT_EQ(supportSize(kMediumFormat, 512), (Four{1800000, 20320, 43200, 20320}));
    EXPECT_EQ(supportSize(kLargeFormat, 8192), (Four{160000, 20320, 111760, 20320}));
    EXPECT_EQ(supportSize(kLegacy, 2048), (Four{1800000, 20320, 61000, 20320}));

    Four custom{};
    EXPECT_EQ(
        GetSupportCustomPaperSize(kMediumFormat, &custom[0], &custom[1], &custom[2], &custom[3]),
        1);
    EXPECT_EQ(custom, (Four{1800000, 20320, 43200, 20320}));
}

TEST_F(ShippedPaperSize, WidthAndLengthOfPaperSizeAndRollWidthIDs) {
    const std::array<std::int32_t, 3> cases[] = {
        {119, 11176, 15748}, {103, 4318, 5588}, {2, 2100, 2970}, {4711, 0, 0}};
    for (const auto& [id, width, length] : cases) {
        EXPECT_EQ(GetQDXAMediaWidthValue(id), width) << id;
        EXPECT_EQ(GetQDXAMediaLengthValue(id), length) << id;
    }
}

TEST(FixturePaperSize, OnlyTheManualFeedsTakeTheManualMargins) {
    testsupport::ModelAtlasHost host(ATLAS_PAPER_SHELL);
    ASSERT_TRUE(host.ready());
    const MarginCase cases[] = {
        {128, 50, {51, 41, 231, 71}},
        {8192, 50, {51, 41, 231, 71}},
        {16, 50, {50, 40, 60, 70}},
        {512, 50, {50, 40, 60, 70}},
    };
    for (const auto& c : cases) expectMargins(kPaperFixture, c);
}

}  // namespace
