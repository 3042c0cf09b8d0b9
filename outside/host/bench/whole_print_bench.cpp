// The whole print on one core: a synthetic 16-bit RGB image of 5760 × 8640 pixels at 600 ppi,
// with an sRGB profile, printed on the large-format model at 250 % (14400 × 21600 printed pixels,
// 24 × 36 inches at 600 dpi) with sharpening, Lanczos-3 enlargement, colour matching into the
// medium's printer profile, a caption, 12-bit planes and seed-row compression, through the host
// stand-in's records and callbacks, the job set-up and the job driver; the job's packets go to a
// sink that counts them. Beside it, in the same run, the libvips chain on the same pixels: sharpen,
// `resize` with the lanczos3 kernel, `icc_transform` into the same printer profile, its result
// consumed by `avg`, on one thread.
//
// Each case runs once and reports CPU seconds of the process ("cpu_s"), printed megapixels per
// CPU second ("Mpx/s") and the peak resident memory it added above what the process held before
// ("peak_MB"); the print also reports the bytes it sent.
#include <benchmark/benchmark.h>
#include <vips/vips.h>

#include <cmath>
#include <cstdint>
#include <ctime>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "cf/folders.h"
#include "host_shell.h"
#include "host_shell_bundle.h"
#include "job_record.h"
#include "rastercore/progress.h"
#include "rastercore/raster_core.h"
#include "rastercore/result_codes.h"
#include "seam/seam.h"
#include "support/quiet_progress.h"
#include "transport/transport_calls.h"

namespace {

constexpr std::uint32_t kWidth = 5760;
constexpr std::uint32_t kHeight = 8640;
constexpr double kResolution = 600;
constexpr double kPercent = 250;
constexpr double kEnlargement = kPercent / 100;
constexpr std::int32_t kPrintResolution600 = 2;
constexpr std::int32_t kOutput12Bits = 2;
constexpr std::int32_t kSharpness = 2;
constexpr std::int32_t kLanczos3 = 3;  // the command record's filter code
// The large-format model's glossy photo medium, which prints 12-bit planes at 600 dpi.
constexpr std::int16_t kGlossyMedium = 103;
// A user paper size of 26 × 38 inches, in tenths of a millimetre: the print and its margins.
constexpr std::int32_t kUserPaperSize = 30001;
constexpr std::int32_t kPaperWidth = 6604;
constexpr std::int32_t kPaperHeight = 9652;
constexpr char kSrgbProfile[] = "/usr/share/color/icc/colord/sRGB.icc";
constexpr double kMegabyte = 1024.0 * 1024.0;
constexpr double kMegapixel = 1e6;

double cpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// A field of /proc/self/status in kB.
double statusKilobytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) == 0) {
            return std::stod(line.substr(field.size() + 1));
        }
    }
    return 0;
}

// Measures the CPU time and the peak resident memory `run` adds.
class Measure {
  public:
    Measure() {
        std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts again from here
        residentBefore_ = statusKilobytes("VmRSS");
        start_ = cpuSeconds();
    }
    void report(benchmark::State& state, double printedPixels) const {
        const double seconds = cpuSeconds() - start_;
        state.counters["cpu_s"] = seconds;
        state.counters["Mpx/s"] = printedPixels / kMegapixel / seconds;
        state.counters["peak_MB"] = (statusKilobytes("VmHWM") - residentBefore_) * 1024 / kMegabyte;
    }

  private:
    double residentBefore_ = 0;
    double start_ = 0;
};

// Gradients, a fine texture and sharp edges, the same for every run.
const host::Image& sourceImage() {
    static const host::Image image = [] {
        host::Image made;
        made.width = kWidth;
        made.height = kHeight;
        made.channels = 3;
        made.bits = 16;
        made.resolutionX = made.resolutionY = kResolution;
        std::ifstream profile(kSrgbProfile, std::ios::binary);
        made.iccProfile.assign(std::istreambuf_iterator<char>(profile), {});
        made.samples.resize(std::size_t{kWidth} * kHeight * 3);
        std::uint32_t noise = 12345;
        std::size_t index = 0;
        for (std::uint32_t y = 0; y < kHeight; ++y) {
            for (std::uint32_t x = 0; x < kWidth; ++x) {
                const bool edge = (x / 96 + y / 96) % 7 == 0;
                for (std::uint32_t c = 0; c < 3; ++c) {
                    noise = noise * 1664525u + 1013904223u;
                    const double base = (c == 0 ? x : c == 1 ? y : (x + y) / 2) * 0.85 / kWidth;
                    const double value = edge ? 0.1 : std::min(base + (noise >> 26) / 400.0, 1.0);
                    made.samples[index++] = static_cast<std::uint16_t>(value * 65535);
                }
            }
        }
        return made;
    }();
    return image;
}

// The device library's job calls replaced by a sink that counts the bytes.
struct CountingSink {
    std::uint64_t bytes = 0;
    TransportCalls calls() {
        TransportCalls c = transportCalls().production();
        static char job = 0;
        static char address = 0;
        c.printerAddressCreate = [](const char*, const char*, const char*, const char*,
                                    void** made) {
            *made = &address;
            return 0u;
        };
        c.printerAddressDispose = [](void*) { return 0u; };
        c.adminOpen = [](void**, void*) { return 1u; };
        c.jobOpen = [](void** opened, void*, void*, std::uint32_t*) {
            *opened = &job;
            return 0u;
        };
        c.jobSend = [this](void*, const void*, std::uint32_t* length, std::uint8_t,
                           std::uint32_t*) {
            bytes += *length;
            return 0u;
        };
        c.jobClose = [](void*, std::uint8_t, std::uint32_t*) { return 0u; };
        return c;
    }
};

std::string printerProfilePath(const std::string& name) {
    return (cf::Folders::driverRoot() / "Orvane/TARN/Profiles" / name).string();
}

// The host's shell over the source image and the job record filled for `choices`; `job` is
// null, with `error` saying why, when either cannot be made.
struct BenchJob {
    explicit BenchJob(const host::JobChoices& choices) {
        shell = host::HostShell::create(sourceImage(), host::HostType::ImageEditor, "bench.tif",
                                        &error);
        if (bundle.ready() && shell != nullptr) {
            job = host::JobRecord::fill(choices, shell->table(), &error);
        }
    }

    const host::ShellBundle bundle;
    std::string error;
    std::unique_ptr<host::HostShell> shell;
    std::unique_ptr<host::JobRecord> job;
};

void WholePrint(benchmark::State& state) {
    host::JobChoices choices;
    choices.medium = kGlossyMedium;
    choices.inputResolution = kPrintResolution600;
    choices.inputBit = kOutput12Bits;
    choices.magnification = kPercent;
    choices.sharpness = kSharpness;
    choices.caption = "No. 1  bench.tif  large-format print";
    const BenchJob bench(choices);
    if (bench.job == nullptr) {
        state.SkipWithError(("the job cannot be made: " + bench.error).c_str());
        return;
    }
    CoreCommonInfoTbl& record = *bench.job->record();
    record.expandMethod = kLanczos3;
    record.paperSizeID = kUserPaperSize;
    record.paperWidth = kPaperWidth;
    record.paperHeight = kPaperHeight;
    CountingSink sink;
    const TransportCalls calls = sink.calls();
    const seam::ScopedOverride override(transportCalls(), calls);
    testsupport::QuietProgress progress;
    for (auto _ : state) {
        const Measure measure;
        const std::uint32_t result = RasterCore_Process(&record, &progress);
        measure.report(state, kWidth * kEnlargement * kHeight * kEnlargement);
        if (result != rastercore::kPlgSuccess) {
            state.SkipWithError(("the print failed: " + std::to_string(result)).c_str());
        }
    }
    state.counters["bytes_sent"] = static_cast<double>(sink.bytes);
}

// The libvips chain on the same pixels, into the same printer profile.
void LibvipsChain(benchmark::State& state) {
    const host::Image& image = sourceImage();
    host::JobChoices choices;
    choices.medium = kGlossyMedium;
    const BenchJob bench(choices);
    if (bench.job == nullptr || VIPS_INIT("whole_print_bench") != 0) {
        state.SkipWithError(("libvips or the job cannot be made: " + bench.error).c_str());
        return;
    }
    vips_concurrency_set(1);
    vips_cache_set_max(0);
    const std::string profile = printerProfilePath(bench.job->printerProfile());
    for (auto _ : state) {
        const Measure measure;
        VipsImage* source = vips_image_new_from_memory(
            image.samples.data(), image.samples.size() * sizeof(std::uint16_t),
            static_cast<int>(kWidth), static_cast<int>(kHeight), 3, VIPS_FORMAT_USHORT);
        VipsImage* tagged = nullptr;
        VipsImage* sharpened = nullptr;
        VipsImage* enlarged = nullptr;
        VipsImage* matched = nullptr;
        double average = 0;
        const bool done =
            source != nullptr &&
            vips_copy(source, &tagged, "interpretation", VIPS_INTERPRETATION_RGB16, nullptr) == 0 &&
            vips_sharpen(tagged, &sharpened, nullptr) == 0 &&
            vips_resize(sharpened, &enlarged, kEnlargement, "kernel", VIPS_KERNEL_LANCZOS3,
                        nullptr) == 0 &&
            vips_icc_transform(enlarged, &matched, profile.c_str(), "input_profile", kSrgbProfile,
                               "depth", 16, nullptr) == 0 &&
            vips_avg(matched, &average, nullptr) == 0;
        measure.report(state, kWidth * kEnlargement * kHeight * kEnlargement);
        for (VipsImage* made : {matched, enlarged, sharpened, tagged, source}) {
            if (made != nullptr) {
                g_object_unref(made);
            }
        }
        if (!done) {
            state.SkipWithError(vips_error_buffer());
        }
        benchmark::DoNotOptimize(average);
    }
}

BENCHMARK(WholePrint)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(LibvipsChain)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
