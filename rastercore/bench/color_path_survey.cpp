// Survey of the folded colour path over every medium of the SL7000 media database, with each
// source profile (sRGB, Adobe RGB (1998), ProPhoto RGB), rendering intent and working space of a
// colour print and the monochrome print: whether the job's rows fold into one lattice, the
// time its set-up takes and the lattice's memory, the fold's departure from the 16-bit stages at
// the centres of its cells, and how far 8-bit rows land from the references (largest
// difference and 99.9th percentile, in 8-bit steps):
//   exact     the job's 16-bit adjustment object, then lcms2 with no table for matching and the
//             first conversion (see chain_reference.h);
//   lcms2     the same with lcms2's own transforms as it makes them by default;
//   stages8   the job's stages on 8-bit rows (what rows go through when the job does not fold);
//   stages16  the job's stages on 16-bit rows, rounded to 8 bits (what the fold samples).
// Rows are every colour of an 8-bit grid with step kGridStep.
//
// Usage: rastercore_color_path_survey [medium ...]   (default: every medium)
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "chain_reference.h"
#include "color/color_path_lattice.h"
#include "color/installed_profiles.h"
#include "color/standard_profiles.h"
#include "color_job.h"
#include "record/tarn_rect.h"

namespace {

using namespace colortest;

constexpr int kGridStep = 3;

const std::filesystem::path kSources[] = {
    color::standardProfilePath(color::StandardProfile::Srgb),
    color::standardProfilePath(color::StandardProfile::AdobeRgb1998),
    "/usr/share/color/icc/colord/ProPhotoRGB.icc"};
const char* const kSourceNames[] = {"srgb", "argb", "prophoto"};

struct Medium {
    std::int16_t id;
    const char* profile;
};
const Medium kMedia[] = {
    {101, "SL7K_PLAIN.icc"},  {102, "SL7K_COATED.icc"},  {103, "SL7K_GLOSSY.icc"},
    {104, "SL7K_PROOF.icc"},  {105, "SL7K_ART.icc"},     {106, "SL7K_CLOTH.icc"},
    {107, "SL7K_CUSTOM.icc"}, {108, "SL7K_OTHER.icc"},   {109, "SL7K_CAD.icc"},
    {110, "SL7K_WASHI.icc"},  {111, "SL7K_SERVICE.icc"}, {112, "SL7K_TRACE.icc"}};

// A job with colour balance, contrast, saturation and a tone curve, as the tests make it.
struct SurveyJob {
    SurveyJob(std::int16_t medium, const ChainReferenceJob& reference, std::uint8_t depth,
              const std::uint16_t* curve)
        : job(medium) {
        job.embedProfile(reference.source);
        job.info->colorMode = reference.colorMode;
        job.info->renderingIntent = reference.intent;
        job.info->workingSpace = reference.workingSpace;
        job.info->outputDepth = depth;
        job.info->matching = 1;
        job.info->currentAdjust.cyanRed = -3;
        job.info->currentAdjust.contrast = 6;
        job.info->currentAdjust.saturation = 4;
        job.info->toneCurveTables[0] = const_cast<std::uint16_t*>(curve);
        const auto start = std::chrono::steady_clock::now();
        result = job.initialize();
        milliseconds =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
    }
    ~SurveyJob() { job.info->toneCurveTables[0] = nullptr; }
    SurveyJob(const SurveyJob&) = delete;
    SurveyJob& operator=(const SurveyJob&) = delete;

    ColorJob job;
    std::int32_t result = -1;
    double milliseconds = 0;
};

std::vector<std::uint8_t> gridColours() {
    std::vector<std::uint8_t> pixels;
    for (int r = 0; r < 256; r += kGridStep) {
        for (int g = 0; g < 256; g += kGridStep) {
            for (int b = 0; b < 256; b += kGridStep) {
                pixels.insert(pixels.end(),
                              {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                               static_cast<std::uint8_t>(b)});
            }
        }
    }
    return pixels;
}

void print(const RowDifferences& d) {
    std::printf(" %d %d |", d.largest, d.tail);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::uint16_t> curve(kToneCurveEntries);
    for (int i = 0; i < kToneCurveEntries; ++i) {
        curve[i] = static_cast<std::uint16_t>(65535.0 * std::pow(i / 4095.0, 0.9));
    }
    std::vector<std::int16_t> chosen;
    for (int i = 1; i < argc; ++i) {
        chosen.push_back(static_cast<std::int16_t>(std::atoi(argv[i])));
    }
    const std::vector<std::uint8_t> colours = gridColours();
    std::vector<std::uint16_t> wide(colours.size());
    std::transform(colours.begin(), colours.end(), wide.begin(), [](std::uint8_t v) {
        return static_cast<std::uint16_t>(v * kEightBitStepIn16);
    });
    const auto pixels = static_cast<std::uint32_t>(colours.size() / kSamplesPerPixel);
    const auto to8 = [](std::uint16_t v) {
        return static_cast<std::uint8_t>(std::lround(v / double{kEightBitStepIn16}));
    };
    int jobs = 0, folded = 0;
    std::printf(
        "medium source intent space mode | folded set-up-ms fold16-ms fold8-ms lattice-KiB | "
        "departure largest tail (16-bit "
        "steps) | fold-exact largest p99.9 | stages8-exact | lcms2-exact | fold-lcms2 | "
        "stages8-lcms2 | fold-stages16 | worst colour\n");
    for (const Medium& medium : kMedia) {
        if (!chosen.empty() && std::find(chosen.begin(), chosen.end(), medium.id) == chosen.end()) {
            continue;
        }
        for (int source = 0; source < 3; ++source) {
            std::vector<ChainReferenceJob> list;
            const auto printer = color::driverProfileFolder() / medium.profile;
            for (std::int32_t intent = 1; intent <= 5; ++intent) {
                for (std::uint8_t space = 1; space <= 2; ++space) {
                    list.push_back({kSources[source], printer, intent, space, kColorModeColor});
                }
            }
            list.push_back({kSources[source], printer, 1, 1, kColorModeMonochromePhoto});
            for (const ChainReferenceJob& reference : list) {
                SurveyJob eight(medium.id, reference, kOutput8Bit, curve.data());
                SurveyJob sixteen(medium.id, reference, kOutput12Bit, curve.data());
                std::printf("%d %s %d %d %d |", medium.id, kSourceNames[source], reference.intent,
                            reference.workingSpace, reference.colorMode);
                if (eight.result != 0 || sixteen.result != 0) {
                    std::printf(" init failed %d %d\n", eight.result, sixteen.result);
                    continue;
                }
                ++jobs;
                Color_Info& info8 = *eight.job.info;
                Color_Info& info16 = *sixteen.job.info;
                // The fold alone, again: 16-bit objects, and 8-bit ones with their 16-bit twins.
                const auto timed = [](Color_Info& info) {
                    const auto start = std::chrono::steady_clock::now();
                    foldColorPath(info);
                    return std::chrono::duration<double, std::milli>(
                               std::chrono::steady_clock::now() - start)
                        .count();
                };
                const double fold16 = timed(info16);
                const double fold8 = timed(info8);
                const ColorPathLattice* lattice = info16.pathLattice;
                folded += info8.pathLattice != nullptr ? 1 : 0;

                std::vector<std::uint8_t> fold = colours;
                TARNRect rect{0, 0, 1, static_cast<std::int32_t>(pixels)};
                tarn_Color_ColorProcessing(&info8, fold.data(), &rect, fold.data());
                std::vector<std::uint8_t> stages8(colours.size());
                runColorPath(info8, colorPathStages(info8), currentObjects(info8),
                             color::Depth::Eight, colours.data(), stages8.data(), pixels);
                const std::vector<std::uint16_t> full =
                    stagesAt16(info16, colorPathStages(info16), wide);
                std::vector<std::uint8_t> stages16(full.size());
                std::transform(full.begin(), full.end(), stages16.begin(), to8);
                const std::vector<std::uint8_t> exact =
                    chainThroughLcms2(info16, reference, wide, ChainReference::Exact);
                const std::vector<std::uint8_t> lcms2 =
                    chainThroughLcms2(info16, reference, wide, ChainReference::Lcms2Default);

                std::printf(" %d %.0f %.0f %.0f %zu | %d %d |",
                            info8.pathLattice != nullptr ? 1 : 0, sixteen.milliseconds, fold16,
                            fold8,
                            lattice != nullptr ? sizeof(ColorPathLattice) / 1024 : std::size_t{0},
                            lattice != nullptr ? lattice->departure.largest : -1,
                            lattice != nullptr ? lattice->departure.tail : -1);
                print(differencesOf(fold, exact));
                print(differencesOf(stages8, exact));
                print(differencesOf(lcms2, exact));
                print(differencesOf(fold, lcms2));
                print(differencesOf(stages8, lcms2));
                const RowDifferences worst = differencesOf(fold, stages16);
                print(worst);
                const std::size_t w = worst.where * kSamplesPerPixel;
                std::printf(" %d,%d,%d\n", colours[w], colours[w + 1], colours[w + 2]);
                std::fflush(stdout);
            }
        }
    }
    std::printf("folded %d of %d\n", folded, jobs);
    return 0;
}
