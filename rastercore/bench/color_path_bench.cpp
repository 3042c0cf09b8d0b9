// The print colour path of one 10,000-pixel band row through the band loop's entry
// (`tarn_Color_ColorProcessing`): pre-processing with colour balance, contrast, saturation and a
// tone curve, matching from the image's sRGB profile into the Adobe RGB (1998) working space, and
// the first colour-space conversion into a medium's printer profile; at 8 and 16 bits. Beside it,
// lcms2's own transform of the same pixels from the working space into the printer profile, the
// one step of the path that lcms2 alone would do.
//
// The row is photograph-like, as rows are after enlargement: smooth gradients with a little
// grain. Reports megapixels per second (Mpx/s); the median of the repetitions is the figure to
// quote.
#include <benchmark/benchmark.h>
#include <lcms2.h>

#include <cmath>
#include <string>
#include <vector>

#include "cf/folders.h"
#include "color/installed_profiles.h"
#include "color/standard_profiles.h"
#include "color/tarn_color.h"
#include "medab2/medab2.h"
#include "record/color_info.h"
#include "record/job_context.h"
#include "record/tarn_rect.h"
#include "util/memory.h"

namespace {

constexpr std::int32_t kPixels = 10000;
constexpr std::int16_t kMedium = 103;  // its printer profile is SL7K_GLOSSY.icc
constexpr char kPrinterProfile[] = "SL7K_GLOSSY.icc";
constexpr std::uint32_t kGrainSeed = 12345;

std::vector<std::uint8_t> readFile(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        for (int c; (c = std::fgetc(file)) != EOF;) {
            bytes.push_back(static_cast<std::uint8_t>(c));
        }
        std::fclose(file);
    }
    return bytes;
}

// The row's samples on a 0 ... 1 scale: three slow waves with grain.
std::vector<double> photographRow() {
    std::vector<double> samples(3 * kPixels);
    std::uint32_t grain = kGrainSeed;
    for (std::int32_t i = 0; i < kPixels; ++i) {
        const double t = static_cast<double>(i) / kPixels;
        const double base[3] = {0.5 + 0.4 * std::sin(6.0 * t), 0.45 + 0.35 * std::sin(9.0 * t + 1),
                                0.4 + 0.3 * std::cos(4.0 * t)};
        for (int c = 0; c < 3; ++c) {
            grain = grain * 1664525U + 1013904223U;
            const double noise = ((grain >> 16) & 0xFF) / 255.0 * 0.02 - 0.01;
            samples[3 * i + c] = std::clamp(base[c] + noise, 0.0, 1.0);
        }
    }
    return samples;
}

template <typename Sample>
std::vector<Sample> rowOf(const std::vector<double>& samples) {
    constexpr double kLargest = static_cast<double>(static_cast<Sample>(~Sample{0}));
    std::vector<Sample> row(samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i) {
        row[i] = static_cast<Sample>(std::lround(samples[i] * kLargest));
    }
    return row;
}

// One colour job as the job set-up leaves it.
class ColorJob {
  public:
    explicit ColorJob(std::uint8_t outputDepth) {
        Get_MemoryClear(1, sizeof(Color_Info), kUnusedKind, &info_);
        context_.colorInfo = info_;
        context_.bandLineWidth = kPixels;
        context_.modelTable.OutputColorSpace = 2;
        context_.modelTable.Tonara = 3;
        context_.modelTable.Medab = 2;
        const std::string database =
            (cf::Folders::driverRoot() / "Orvane/TARN/Frameworks/MDB_SL7000.mdb").string();
        database_.resize(
            static_cast<std::size_t>(std::max(0, mdb3GetMediaData(database.c_str(), nullptr))));
        mdb3GetMediaData(database.c_str(), database_.data());
        profile_ = readFile(color::standardProfilePath(color::StandardProfile::Srgb).string());
        for (int i = 0; i < kToneCurveEntries; ++i) {
            curve_[i] = static_cast<std::uint16_t>(65535.0 * std::pow(i / 4095.0, 0.9));
        }
        info_->context = &context_;
        info_->colorMode = kColorModeColor;
        info_->imageMode = 3;
        info_->renderingIntent = 1;
        info_->workingSpace = 1;  // Adobe RGB (1998)
        info_->outputDepth = outputDepth;
        info_->matching = 1;
        info_->mediumID = kMedium;
        mdb3OptimizeModeDefParam(database_.data(), kMedium, 0, &info_->quality);
        info_->sourceProfileBytes = profile_.data();
        info_->sourceProfileSize = static_cast<std::uint32_t>(profile_.size());
        info_->currentAdjust.cyanRed = -3;
        info_->currentAdjust.contrast = 6;
        info_->currentAdjust.saturation = 4;
        info_->toneCurveTables[0] = curve_;
        result_ = tarn_Color_Initialize_ForMXXXR(info_, database_.data());
    }
    ~ColorJob() {
        info_->toneCurveTables[0] = nullptr;
        tarn_Color_Terminate(info_);
    }
    ColorJob(const ColorJob&) = delete;
    ColorJob& operator=(const ColorJob&) = delete;

    bool ready() const { return result_ == 0; }
    std::int32_t process(std::uint8_t* source, std::uint8_t* destination) {
        TARNRect rect{0, 0, 1, kPixels};
        return tarn_Color_ColorProcessing(info_, source, &rect, destination);
    }

  private:
    PLGContext context_{};
    Color_Info* info_ = nullptr;
    std::vector<std::uint8_t> database_;
    std::vector<std::uint8_t> profile_;
    std::uint16_t curve_[kToneCurveEntries]{};
    std::int32_t result_ = -1;
};

template <typename Sample>
void colorPath(benchmark::State& state) {
    ColorJob job(sizeof(Sample) == 1 ? kOutput8Bit : kOutput12Bit);
    if (!job.ready()) {
        state.SkipWithError("the colour job could not be set up");
        return;
    }
    std::vector<Sample> source = rowOf<Sample>(photographRow());
    std::vector<Sample> destination(source.size());
    for (auto _ : state) {
        const std::int32_t result =
            job.process(reinterpret_cast<std::uint8_t*>(source.data()),
                        reinterpret_cast<std::uint8_t*>(destination.data()));
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(destination.data());
    }
    state.counters["Mpx/s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kPixels / 1e6, benchmark::Counter::kIsRate);
}

template <typename Sample>
void lcms2Transform(benchmark::State& state) {
    cmsHPROFILE working = cmsOpenProfileFromFile(
        color::standardProfilePath(color::StandardProfile::AdobeRgb1998).c_str(), "r");
    cmsHPROFILE printer =
        cmsOpenProfileFromFile((color::driverProfileFolder() / kPrinterProfile).c_str(), "r");
    const cmsUInt32Number format = sizeof(Sample) == 1 ? TYPE_RGB_8 : TYPE_RGB_16;
    cmsHTRANSFORM transform =
        working != nullptr && printer != nullptr
            ? cmsCreateTransform(working, format, printer, format, INTENT_PERCEPTUAL, 0)
            : nullptr;
    if (transform == nullptr) {
        state.SkipWithError("lcms2 could not link the profiles");
    } else {
        std::vector<Sample> source = rowOf<Sample>(photographRow());
        std::vector<Sample> destination(source.size());
        for (auto _ : state) {
            cmsDoTransform(transform, source.data(), destination.data(), kPixels);
            benchmark::DoNotOptimize(destination.data());
        }
        state.counters["Mpx/s"] = benchmark::Counter(
            static_cast<double>(state.iterations()) * kPixels / 1e6, benchmark::Counter::kIsRate);
        cmsDeleteTransform(transform);
    }
    cmsCloseProfile(working);
    cmsCloseProfile(printer);
}

BENCHMARK(colorPath<std::uint8_t>)->Name("ColorPath/8bit")->Unit(benchmark::kMicrosecond);
BENCHMARK(colorPath<std::uint16_t>)->Name("ColorPath/16bit")->Unit(benchmark::kMicrosecond);
BENCHMARK(lcms2Transform<std::uint8_t>)->Name("Lcms2Transform/8bit")->Unit(benchmark::kMicrosecond);
BENCHMARK(lcms2Transform<std::uint16_t>)
    ->Name("Lcms2Transform/16bit")
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
