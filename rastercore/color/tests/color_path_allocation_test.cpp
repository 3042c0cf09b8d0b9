// The whole colour path of a 16-bit row (pre-processing with tone curves, matching, the first
// colour-space conversion) through the band loop's entry allocates nothing and gives the same
// row every time.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "color/standard_profiles.h"
#include "color_job.h"
#include "record/tarn_rect.h"
#include "support/allocation_counter.h"

namespace {

constexpr std::int32_t kWidth = 2000;
constexpr int kRows = 25;

TEST(ColorPath, TheCounterSeesAllocations) {
    testsupport::AllocationCounter counter;
    auto block = std::make_unique<std::vector<int>>(100);
    EXPECT_GE(counter.count(), 2);
}

TEST(ColorPath, SixteenBitRowsAllocateNothingAndRepeatExactly) {
    std::vector<std::uint16_t> curve(kToneCurveEntries);
    for (int i = 0; i < kToneCurveEntries; ++i) {
        curve[i] = static_cast<std::uint16_t>(i * 65535 / 4095 * 9 / 10);
    }
    colortest::ColorJob job;
    job.embedProfile(color::standardProfilePath(color::StandardProfile::Srgb));
    job.context.bandLineWidth = kWidth;
    job.info->outputDepth = kOutput12Bit;
    job.info->matching = 1;
    job.info->currentAdjust.contrast = 8;
    job.info->currentAdjust.cyanRed = -4;
    job.info->currentAdjust.saturation = 6;
    job.info->toneCurveTables[0] = curve.data();
    ASSERT_EQ(job.initialize(), 0);
    ASSERT_NE(job.info->preprocObject, nullptr);
    ASSERT_NE(job.info->csc1Object, nullptr);
    ASSERT_EQ(job.info->colorSyncReady, 1);

    std::vector<std::uint16_t> source(3 * kWidth);
    for (std::size_t i = 0; i < source.size(); ++i) {
        source[i] = static_cast<std::uint16_t>(i * 977 + (i % 3) * 20011);
    }
    auto* in = reinterpret_cast<std::uint8_t*>(source.data());
    std::vector<std::uint16_t> first(source.size()), again(source.size());
    TARNRect rect{0, 0, 1, kWidth};
    // The first row binds the framework's functions, which the dynamic linker may set up once.
    ASSERT_EQ(tarn_Color_ColorProcessing(job.info, in, &rect,
                                         reinterpret_cast<std::uint8_t*>(first.data())),
              0);
    testsupport::AllocationCounter counter;
    for (int row = 0; row < kRows; ++row) {
        ASSERT_EQ(tarn_Color_ColorProcessing(job.info, in, &rect,
                                             reinterpret_cast<std::uint8_t*>(again.data())),
                  0);
    }
    EXPECT_EQ(counter.count(), 0);
    EXPECT_EQ(again, first);
    EXPECT_NE(first, source);
    job.info->toneCurveTables[0] = nullptr;
}

}  // namespace
