// Row colour processing of the MXXXR family: the stages run in their order on the current cell's
// objects, at both sample depths; rows without pre-processing are copied; captions are copied;
// a framework that lacks a stage fails the row instead of skipping it. The jobs here drop their
// folded lattice so that rows run the stages, as jobs whose chain is not folded do.
#include "color/mxxxr_color_processing.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "color/color_frameworks.h"
#include "color/color_path_lattice.h"
#include "color/color_sync.h"
#include "color/standard_profiles.h"
#include "color_job.h"
#include "record/tarn_rect.h"
#include "tonara2/tonara2.h"

namespace {

using colortest::ColorJob;

constexpr std::int32_t kPixels = 40;
const std::filesystem::path kWideSource = "/usr/share/color/icc/colord/ProPhotoRGB.icc";

std::size_t bytesPerPixel(std::uint8_t depth) {
    return depth == kOutput8Bit ? 3 : 6;
}

// A row of varied colours in the output depth's samples.
std::vector<std::uint8_t> testRow(std::uint8_t depth) {
    std::vector<std::uint8_t> row(kPixels * bytesPerPixel(depth));
    for (std::size_t i = 0; i < row.size(); ++i) {
        row[i] = static_cast<std::uint8_t>(i * 37 + i / 3 * 11);
    }
    return row;
}

TARNRect rectOf(std::int32_t left) {
    return {0, left, 1, left + kPixels};
}

// The job's own stages, one at a time, on a copy of `source`.
std::vector<std::uint8_t> stageByStage(Color_Info& info, const std::vector<std::uint8_t>& source,
                                       bool monochrome) {
    std::vector<std::uint8_t> row = source;
    if (monochrome) {
        EXPECT_EQ(ColorMatchProcessing(&info, kPixels, row.data()), 0);
        const auto mono = BIND_FRAMEWORK_FUNCTION(info.colorBundle, tnr2_xform_monochrome);
        EXPECT_EQ(mono(info.monochromeObject, row.data(), kPixels, row.data()), 0);
    } else {
        const auto preproc = BIND_FRAMEWORK_FUNCTION(info.colorBundle, tnr2_xform_preproc);
        EXPECT_EQ(preproc(info.preprocObject, source.data(), 0, kPixels, row.data()), 0);
        EXPECT_EQ(ColorMatchProcessing(&info, kPixels, row.data()), 0);
    }
    const auto csc1 = BIND_FRAMEWORK_FUNCTION(info.colorBundle, tnr2_xform_csc1);
    EXPECT_EQ(csc1(info.csc1Object, row.data(), 0, kPixels, row.data()), 0);
    return row;
}

TEST(MxxxrRows, WithoutPreprocessingOrConversionTheRowIsCopied) {
    for (const std::uint8_t depth : {kOutput8Bit, kOutput10Bit}) {
        ColorJob job;
        job.info->colorMode = kColorModeFixedRgb;  // no conversion of its own
        job.info->outputDepth = depth;
        ASSERT_EQ(job.initialize(), 0);
        ASSERT_EQ(job.info->preprocNeeded, 0);
        ASSERT_EQ(job.info->csc1Object, nullptr);
        const std::vector<std::uint8_t> source = testRow(depth);
        std::vector<std::uint8_t> destination(source.size() + 6, 0xEE);
        TARNRect rect = rectOf(7);
        ASSERT_EQ(
            tarn_MXXXR_Color_ColorProcessing(job.info, const_cast<std::uint8_t*>(source.data()),
                                             &rect, destination.data()),
            0);
        EXPECT_TRUE(std::equal(source.begin(), source.end(), destination.begin())) << +depth;
        EXPECT_EQ(destination[source.size()], 0xEE) << "nothing past the row";
    }
}

TEST(MxxxrRows, ColourRowsArePreprocessedMatchedThenConverted) {
    for (const std::uint8_t depth : {kOutput8Bit, kOutput12Bit}) {
        ColorJob job;
        job.embedProfile(kWideSource);
        job.info->outputDepth = depth;
        job.info->matching = 1;
        job.info->currentAdjust.brightness = 12;
        job.info->currentAdjust.saturation = -6;
        ASSERT_EQ(job.initialize(), 0);
        releaseColorPathLattice(*job.info);
        const std::vector<std::uint8_t> source = testRow(depth);
        std::vector<std::uint8_t> destination(source.size());
        TARNRect rect = rectOf(0);
        ASSERT_EQ(
            tarn_MXXXR_Color_ColorProcessing(job.info, const_cast<std::uint8_t*>(source.data()),
                                             &rect, destination.data()),
            0);
        EXPECT_EQ(destination, stageByStage(*job.info, source, false)) << +depth;
        EXPECT_NE(destination, source);
    }
}

TEST(MxxxrRows, MonochromeRowsFromAnRgbImageAreMatchedFirst) {
    for (const std::uint8_t depth : {kOutput8Bit, kOutput10Bit}) {
        ColorJob job;
        job.embedProfile(kWideSource);
        job.info->colorMode = kColorModeMonochromePhoto;
        job.info->outputDepth = depth;
        job.info->currentAdjust.tonePointX = 40;
        ASSERT_EQ(job.initialize(), 0);
        releaseColorPathLattice(*job.info);
        const std::vector<std::uint8_t> source = testRow(depth);
        std::vector<std::uint8_t> row = source;
        TARNRect rect = rectOf(3);
        // In place, as the band loop may call it.
        ASSERT_EQ(tarn_MXXXR_Color_ColorProcessing(job.info, row.data(), &rect, row.data()), 0);
        EXPECT_EQ(row, stageByStage(*job.info, source, true)) << +depth;

        // From a grey host image (already matched by the bit conversion) there is no matching.
        job.info->imageMode = 1;
        std::vector<std::uint8_t> unmatched(source.size());
        ASSERT_EQ(tarn_MXXXR_Color_ColorProcessing(
                      job.info, const_cast<std::uint8_t*>(source.data()), &rect, unmatched.data()),
                  0);
        EXPECT_NE(unmatched, row) << +depth;
    }
}

TEST(MxxxrRows, PatternCellsUseTheirOwnObjects) {
    ColorJob job;
    job.info->colorMode = kColorModeFixedRgb;
    job.patternCells(2, 1);
    job.entries[0].brightness = -20;
    job.entries[1].brightness = 20;
    ASSERT_EQ(job.initialize(), 0);
    const std::vector<std::uint8_t> source = testRow(kOutput8Bit);
    std::vector<std::vector<std::uint8_t>> results;
    TARNRect rect = rectOf(0);
    for (const std::uint16_t cell : {0, 1}) {
        job.info->currentTableIndex = cell;
        std::vector<std::uint8_t> destination(source.size());
        ASSERT_EQ(
            tarn_MXXXR_Color_ColorProcessing(job.info, const_cast<std::uint8_t*>(source.data()),
                                             &rect, destination.data()),
            0);
        results.push_back(destination);
    }
    EXPECT_LT(results[0][30], source[30]);
    EXPECT_GT(results[1][30], source[30]);
    job.info->currentTableIndex = 2;  // no such cell
    std::vector<std::uint8_t> destination(source.size());
    EXPECT_EQ(tarn_MXXXR_Color_ColorProcessing(job.info, const_cast<std::uint8_t*>(source.data()),
                                               &rect, destination.data()),
              -1);
}

// A monochrome pattern's caption entry (table index 0, after the cells) goes through the job's
// neutral object: the sheet's texts and background are printed without any cell's adjustment.
TEST(MxxxrRows, MonochromePatternCaptionEntryIsNeutral) {
    ColorJob job;
    job.embedProfile(kWideSource);
    job.info->colorMode = kColorModeMonochromePhoto;
    job.patternCells(2, 1);
    job.entries[0].tableIndex = 1;
    job.entries[0].brightness = 30;
    job.entries[1].tableIndex = 0;  // the caption entry
    job.entries[1].gamma = 2.2;
    job.info->patternXCount = 1;  // one cell, then the caption entry
    ASSERT_EQ(job.initialize(), 0);
    job.info->imageMode = 1;  // grey rows: no matching, only the monochrome stages
    const std::vector<std::uint8_t> source = testRow(kOutput8Bit);
    TARNRect rect = rectOf(0);
    const auto process = [&](std::uint16_t entry) {
        job.info->currentTableIndex = entry;
        std::vector<std::uint8_t> row(source.size());
        EXPECT_EQ(tarn_MXXXR_Color_ColorProcessing(
                      job.info, const_cast<std::uint8_t*>(source.data()), &rect, row.data()),
                  0)
            << entry;
        return row;
    };
    const std::vector<std::uint8_t> caption = process(1);
    EXPECT_NE(caption, process(0));
    const auto mono = BIND_FRAMEWORK_FUNCTION(job.info->colorBundle, tnr2_xform_monochrome);
    std::vector<std::uint8_t> neutral(source.size());
    ASSERT_EQ(mono(job.info->monochromeObject, source.data(), kPixels, neutral.data()), 0);
    std::vector<std::uint8_t> expected = neutral;
    if (job.info->csc1Object != nullptr) {
        const auto csc1 = BIND_FRAMEWORK_FUNCTION(job.info->colorBundle, tnr2_xform_csc1);
        ASSERT_EQ(csc1(job.info->csc1Object, expected.data(), 0, kPixels, expected.data()), 0);
    }
    EXPECT_EQ(caption, expected);
}

TEST(MxxxrRows, CaptionsAreCopiedByTheirDepth) {
    ColorJob job;
    const std::vector<std::uint8_t> source = testRow(kOutput10Bit);
    TARNRect rect = rectOf(2);
    for (const std::uint8_t depth : {kOutput8Bit, kOutput10Bit, kOutput12Bit, std::uint8_t{3}}) {
        job.info->outputDepth = depth;
        std::vector<std::uint8_t> destination(source.size(), 0);
        EXPECT_EQ(
            tarn_MXXXR_Color_ColorProcessing_For_Caption(
                job.info, const_cast<std::uint8_t*>(source.data()), &rect, destination.data()),
            0);
        const std::size_t copied = depth > kOutput12Bit ? 0 : kPixels * bytesPerPixel(depth);
        EXPECT_TRUE(std::equal(source.begin(), source.begin() + copied, destination.begin()));
        EXPECT_TRUE(std::all_of(destination.begin() + copied, destination.end(),
                                [](std::uint8_t b) { return b == 0; }))
            << +depth;
    }
    // Image rows at an output depth above 12 bits are left alone too.
    std::vector<std::uint8_t> untouched(source.size(), 0);
    EXPECT_EQ(tarn_MXXXR_Color_ColorProcessing(job.info, const_cast<std::uint8_t*>(source.data()),
                                               &rect, untouched.data()),
              0);
    EXPECT_EQ(untouched, std::vector<std::uint8_t>(source.size(), 0));
}

TEST(MxxxrRows, AFrameworkLackingAStageFailsTheRow) {
    ColorJob job;
    ASSERT_EQ(job.initialize(), 0);
    ASSERT_NE(job.info->csc1Object, nullptr);
    delete job.info->colorBundle;
    job.info->colorBundle =
        cf::Bundle::open(std::string(COLOR_LACKING_ROOT) +
                         "/tnr2_xform_csc1/Orvane/TARN/Frameworks/tonara2.framework")
            .release();
    ASSERT_NE(job.info->colorBundle, nullptr);
    std::vector<std::uint8_t> row = testRow(kOutput8Bit);
    TARNRect rect = rectOf(0);
    EXPECT_EQ(tarn_MXXXR_Color_ColorProcessing(job.info, row.data(), &rect, row.data()), -1);
}

}  // namespace
