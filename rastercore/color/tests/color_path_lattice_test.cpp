// The folded colour path: a job's rows through its one lattice stay within the fold's tolerance
// of its stages at full precision, on a dense spread of colours with the gamut's corners and
// every grey, at both output depths; over a table of media, source profiles, intents, working
// spaces and colour modes, the folded 8-bit rows land at least as close to the exact chain as
// lcms2's own transform of it and as the stages on 8-bit rows; jobs that cannot be folded,
// chains that break too sharply for the lattice and rows whose stages have changed since the
// fold go through the stages themselves.
#include "color/color_path_lattice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "chain_reference.h"
#include "color/installed_profiles.h"
#include "color/standard_profiles.h"
#include "color_job.h"
#include "record/tarn_rect.h"

namespace {

using colortest::ColorJob;
using colortest::kErrorDiffusionMedium;

constexpr std::size_t kSamples = 3;
constexpr int kPer8 = 257;
constexpr int kFoldLargest8 = kFoldLargest / kPer8;
// Nearly every sample lands within one 8-bit step of the stages; the largest departure allowed is
// for the few where the chain clips at a gamut's edge.
constexpr double kWithinOneStep = 0.99;
const std::filesystem::path kWideSource = "/usr/share/color/icc/colord/ProPhotoRGB.icc";

// 8-bit pixels: a grid through the whole cube, every grey, and the corners with their
// neighbours one step inside.
std::vector<std::uint8_t> testColours() {
    constexpr int kGridStep = 15;
    std::vector<std::uint8_t> pixels;
    const auto add = [&](int r, int g, int b) {
        pixels.insert(pixels.end(), {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                                     static_cast<std::uint8_t>(b)});
    };
    for (int r = 0; r < 256; r += kGridStep) {
        for (int g = 0; g < 256; g += kGridStep) {
            for (int b = 0; b < 256; b += kGridStep) {
                add(r, g, b);
            }
        }
    }
    for (int v = 0; v < 256; ++v) {
        add(v, v, v);
    }
    for (const int r : {0, 1, 254, 255}) {
        for (const int g : {0, 1, 254, 255}) {
            for (const int b : {0, 1, 254, 255}) {
                add(r, g, b);
            }
        }
    }
    return pixels;
}

std::vector<std::uint16_t> widened(const std::vector<std::uint8_t>& pixels) {
    std::vector<std::uint16_t> wide(pixels.size());
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        wide[i] = static_cast<std::uint16_t>(pixels[i] * kPer8);
    }
    return wide;
}

// A colour job matching an sRGB image into its working space, with colour balance, contrast,
// saturation and a tone curve: every stage of the path, as a print usually has.
struct AdjustedJob {
    explicit AdjustedJob(std::uint8_t depth,
                         const std::filesystem::path& source =
                             color::standardProfilePath(color::StandardProfile::Srgb),
                         std::int32_t intent = 1, std::int16_t medium = kErrorDiffusionMedium,
                         std::uint8_t workingSpace = 1)
        : job(medium) {
        for (int i = 0; i < kToneCurveEntries; ++i) {
            curve[i] = static_cast<std::uint16_t>(65535.0 * std::pow(i / 4095.0, 0.9));
        }
        job.embedProfile(source);
        job.info->workingSpace = workingSpace;
        job.info->outputDepth = depth;
        job.info->matching = 1;
        job.info->renderingIntent = intent;
        job.info->currentAdjust.cyanRed = -3;
        job.info->currentAdjust.contrast = 6;
        job.info->currentAdjust.saturation = 4;
        job.info->toneCurveTables[0] = curve;
    }
    ~AdjustedJob() { job.info->toneCurveTables[0] = nullptr; }
    AdjustedJob(const AdjustedJob&) = delete;
    AdjustedJob& operator=(const AdjustedJob&) = delete;

    std::uint16_t curve[kToneCurveEntries]{};
    ColorJob job;
};

// The row through the band loop's entry, at the job's output depth.
template <typename Sample>
std::vector<Sample> processed(Color_Info& info, std::vector<Sample> row) {
    TARNRect rect{0, 0, 1, static_cast<std::int32_t>(row.size() / kSamples)};
    auto* bytes = reinterpret_cast<std::uint8_t*>(row.data());
    EXPECT_EQ(tarn_Color_ColorProcessing(&info, bytes, &rect, bytes), 0);
    return row;
}

// The row through the record's stages one after another.
template <typename Sample>
std::vector<Sample> staged(Color_Info& info, const std::vector<Sample>& row) {
    std::vector<Sample> out(row.size());
    const color::Depth depth = sizeof(Sample) == 1 ? color::Depth::Eight : color::Depth::Sixteen;
    EXPECT_EQ(runColorPath(info, colorPathStages(info), currentObjects(info), depth,
                           reinterpret_cast<const std::uint8_t*>(row.data()),
                           reinterpret_cast<std::uint8_t*>(out.data()),
                           static_cast<std::uint32_t>(row.size() / kSamples)),
              0);
    return out;
}

TEST(FoldedColorPath, StaysWithinToleranceOfTheStagesAtFullPrecision) {
    const std::vector<std::uint8_t> colours = testColours();
    const std::vector<std::uint16_t> wide = widened(colours);

    // 16-bit rows against the same job's stages.
    AdjustedJob twelve(kOutput12Bit);
    ASSERT_EQ(twelve.job.initialize(), 0);
    ASSERT_NE(twelve.job.info->pathLattice, nullptr) << "a perceptual job with every stage folds";
    const std::vector<std::uint16_t> reference = staged(*twelve.job.info, wide);
    const std::vector<std::uint16_t> folded = processed(*twelve.job.info, wide);
    std::size_t withinOneStep = 0;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const int difference = std::abs(folded[i] - reference[i]);
        ASSERT_LE(difference, kFoldLargest)
            << "sample " << i % kSamples << " of colour " << +colours[i - i % kSamples] << ","
            << +colours[i - i % kSamples + 1] << "," << +colours[i - i % kSamples + 2];
        withinOneStep += difference <= kPer8 ? 1 : 0;
    }
    EXPECT_GE(static_cast<double>(withinOneStep),
              kWithinOneStep * static_cast<double>(wide.size()));

    // 8-bit rows are folded from the full-precision chain, not from the 8-bit stages that round
    // between steps: they follow the 16-bit stages.
    AdjustedJob eight(kOutput8Bit);
    ASSERT_EQ(eight.job.initialize(), 0);
    ASSERT_NE(eight.job.info->pathLattice, nullptr);
    const std::vector<std::uint8_t> folded8 = processed(*eight.job.info, colours);
    withinOneStep = 0;
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const double difference = std::abs(folded8[i] - reference[i] / double{kPer8});
        ASSERT_LE(difference, kFoldLargest8 + 0.5) << "8-bit sample " << i;
        withinOneStep += difference <= 1 ? 1 : 0;
    }
    EXPECT_GE(static_cast<double>(withinOneStep),
              kWithinOneStep * static_cast<double>(colours.size()));
}

// Jobs of every kind: perceptual, saturation, colorimetric and absolute prints from narrow and
// wide sources into both working spaces, and a monochrome print, on several media. Each folds;
// against the exact chain its 8-bit rows are no further off than lcms2's own transform of the
// chain (a sampled table, as lcms2 makes them) nor than the stages on 8-bit rows, by the largest
// difference and by the 99.9th percentile; against the 16-bit stages all but a thousandth of the
// samples are within the fold's tolerance.
TEST(FoldedColorPath, FollowsTheExactChainAtLeastAsCloselyAsLcms2AndTheEightBitStages) {
    struct Case {
        std::int16_t medium;
        const char* printer;
        std::filesystem::path source;
        std::int32_t intent;
        std::uint8_t workingSpace;
        std::uint8_t colorMode;
    };
    const std::filesystem::path srgb = color::standardProfilePath(color::StandardProfile::Srgb);
    const std::filesystem::path adobe =
        color::standardProfilePath(color::StandardProfile::AdobeRgb1998);
    const Case cases[] = {
        {103, "SL7K_GLOSSY.icc", srgb, 1, 1, kColorModeColor},
        {101, "SL7K_PLAIN.icc", kWideSource, 2, 2, kColorModeColor},
        {105, "SL7K_ART.icc", adobe, 3, 1, kColorModeColor},
        {110, "SL7K_WASHI.icc", srgb, 5, 2, kColorModeColor},
        {112, "SL7K_TRACE.icc", kWideSource, 4, 1, kColorModeColor},
        {107, "SL7K_CUSTOM.icc", adobe, 1, 1, kColorModeMonochromePhoto},
    };
    const std::vector<std::uint8_t> colours = testColours();
    const std::vector<std::uint16_t> wide = widened(colours);
    for (const Case& c : cases) {
        const colortest::ChainReferenceJob reference = {c.source,
                                                        color::driverProfileFolder() / c.printer,
                                                        c.intent, c.workingSpace, c.colorMode};
        SCOPED_TRACE(testing::Message()
                     << "medium " << c.medium << " from " << c.source << " intent " << c.intent
                     << " working space " << +c.workingSpace << " mode " << +c.colorMode);
        AdjustedJob eight(kOutput8Bit, c.source, c.intent, c.medium, c.workingSpace);
        AdjustedJob sixteen(kOutput12Bit, c.source, c.intent, c.medium, c.workingSpace);
        eight.job.info->colorMode = c.colorMode;
        sixteen.job.info->colorMode = c.colorMode;
        ASSERT_EQ(eight.job.initialize(), 0);
        ASSERT_EQ(sixteen.job.initialize(), 0);
        EXPECT_NE(eight.job.info->pathLattice, nullptr);
        EXPECT_NE(sixteen.job.info->pathLattice, nullptr);

        const std::vector<std::uint8_t> folded = processed(*eight.job.info, colours);
        const std::vector<std::uint8_t> stages8 = staged(*eight.job.info, colours);
        const std::vector<std::uint8_t> exact = colortest::chainThroughLcms2(
            *sixteen.job.info, reference, wide, colortest::ChainReference::Exact);
        const std::vector<std::uint8_t> lcms2 = colortest::chainThroughLcms2(
            *sixteen.job.info, reference, wide, colortest::ChainReference::Lcms2Default);
        const colortest::RowDifferences fold = colortest::differencesOf(folded, exact);
        const colortest::RowDifferences own = colortest::differencesOf(lcms2, exact);
        const colortest::RowDifferences eightBit = colortest::differencesOf(stages8, exact);
        EXPECT_LE(fold.largest, own.largest);
        EXPECT_LE(fold.tail, own.tail);
        EXPECT_LE(fold.largest, eightBit.largest);
        EXPECT_LE(fold.tail, eightBit.tail);

        const std::vector<std::uint16_t> full = staged(*sixteen.job.info, wide);
        std::vector<std::uint8_t> full8(full.size());
        std::transform(full.begin(), full.end(), full8.begin(), [](std::uint16_t v) {
            return static_cast<std::uint8_t>(std::lround(v / double{kPer8}));
        });
        EXPECT_LE(colortest::differencesOf(folded, full8).tail, kFoldTail / kPer8);
    }
}

TEST(FoldedColorPath, RowsGoThroughTheStagesWhenTheJobCannotBeFolded) {
    const std::vector<std::uint16_t> row = widened(testColours());
    // A tone curve that jumps from black to white in the middle breaks the chain: no lattice
    // follows a jump.
    AdjustedJob broken(kOutput12Bit);
    constexpr std::size_t kJump = kToneCurveEntries / 2;
    std::fill(std::begin(broken.curve), std::begin(broken.curve) + kJump, std::uint16_t{0});
    std::fill(std::begin(broken.curve) + kJump, std::end(broken.curve), std::uint16_t{0xFFFF});
    // Conversion alone: one stage, nothing to fold.
    AdjustedJob single(kOutput12Bit);
    single.job.info->matching = 0;
    single.job.info->currentAdjust = {};
    single.job.info->toneCurveTables[0] = nullptr;
    // A test pattern's cells each have objects of their own.
    AdjustedJob pattern(kOutput12Bit);
    pattern.job.patternCells(2, 1);
    for (ColorJob* job : {&broken.job, &single.job, &pattern.job}) {
        ASSERT_EQ(job->initialize(), 0);
        EXPECT_EQ(job->info->pathLattice, nullptr);
        EXPECT_EQ(processed(*job->info, row), staged(*job->info, row));
    }
    EXPECT_NE(staged(*single.job.info, row), row) << "the conversion runs";
}

TEST(FoldedColorPath, RowsWhoseStagesChangedSinceTheFoldGoThroughTheStages) {
    const std::vector<std::uint16_t> row = widened(testColours());
    AdjustedJob job(kOutput12Bit);
    ASSERT_EQ(job.job.initialize(), 0);
    ASSERT_NE(job.job.info->pathLattice, nullptr);
    // A grey host image is matched by the bit conversion, not here.
    job.job.info->imageMode = 1;
    const std::vector<std::uint16_t> unmatched = processed(*job.job.info, row);
    EXPECT_EQ(unmatched, staged(*job.job.info, row));
    job.job.info->imageMode = 3;
    EXPECT_NE(processed(*job.job.info, row), unmatched);
}

}  // namespace
