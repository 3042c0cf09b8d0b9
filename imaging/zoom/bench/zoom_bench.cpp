// Resampling benchmark: each filter enlarges a 4000 × 3000 RGB image (8 and 16 bits a sample)
// to 2.5 times and reduces it to 0.4 times its size through the front, one row buffer each way.
// The references resample the same image single-threaded with `vips resize` and ImageMagick's
// `convert -filter Lanczos -resize`, timed around the whole command: vips reads and writes
// memory-backed files in its own format, ImageMagick reads a memory-backed PPM and writes to its
// null output.
// Rates are megapixels of output per second ("Mpx/s"); each case runs three times.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "imaging/zoom/fg_zoom.h"
#include "imaging/zoom/zoom_format.h"

namespace {

using namespace imaging;

constexpr int kSourceWidth = 4000;
constexpr int kSourceHeight = 3000;
constexpr int kEnlarge = 0;
constexpr int kReduce = 1;
constexpr int kRepetitions = 3;

struct Geometry {
    int width;
    int height;
    const char* factor;  // for the reference tools
    const char* percent;
};

// 2.5 times and 0.4 times the source.
constexpr Geometry kGeometry[2] = {{10000, 7500, "2.5", "250%"}, {1600, 1200, "0.4", "40%"}};

// A smooth colour field with a fine texture, the same for every run.
const std::vector<std::uint8_t>& sourceImage(int bitsPerPixel) {
    static std::vector<std::uint8_t> images[2];
    const bool wide = bitsPerPixel == 48;
    std::vector<std::uint8_t>& image = images[wide ? 1 : 0];
    if (!image.empty()) {
        return image;
    }
    image.resize(zoomRowBytes(kSourceWidth, bitsPerPixel) * kSourceHeight);
    std::uint32_t noise = 12345;
    std::size_t index = 0;
    for (int y = 0; y < kSourceHeight; ++y) {
        for (int x = 0; x < kSourceWidth; ++x) {
            for (int c = 0; c < 3; ++c) {
                noise = noise * 1664525u + 1013904223u;
                const double base = (c == 0 ? x : c == 1 ? y : x + y) * 0.8 / kSourceWidth;
                const double value = base + ((noise >> 24) & 0x1F) / 255.0;
                if (wide) {
                    const auto sample = static_cast<std::uint16_t>(value * 60000);
                    std::memcpy(&image[index], &sample, 2);
                    index += 2;
                } else {
                    image[index++] = static_cast<std::uint8_t>(value * 230);
                }
            }
        }
    }
    return image;
}

void BM_Zoom(benchmark::State& state) {
    const auto type = static_cast<int>(state.range(0));
    const auto bitsPerPixel = static_cast<int>(state.range(1));
    const Geometry& target = kGeometry[state.range(2)];
    const std::vector<std::uint8_t>& source = sourceImage(bitsPerPixel);
    const std::size_t sourceRow = zoomRowBytes(kSourceWidth, bitsPerPixel);
    std::vector<std::uint8_t> row(zoomRowBytes(target.width, bitsPerPixel));
    for (auto _ : state) {
        FG_Zoom zoom;
        if (zoom.Open(target.width, target.height, kSourceWidth, kSourceHeight, bitsPerPixel,
                      type) != kZoomDone) {
            state.SkipWithError("Open failed");
            return;
        }
        int sent = 0;
        int read = 0;
        while (read < target.height) {
            if (zoom.CheckData() != 0) {
                zoom.Read(row.data());
                benchmark::DoNotOptimize(row.data());
                ++read;
            } else if (sent < kSourceHeight) {
                zoom.Send(source.data() + sourceRow * sent++);
            } else {
                state.SkipWithError("the filter stalled");
                return;
            }
        }
        benchmark::ClobberMemory();
        state.SetLabel(std::string("filter type ") + std::to_string(zoom.type()));
    }
    state.counters["Mpx/s"] =
        benchmark::Counter(static_cast<double>(target.width) * target.height / 1e6,
                           benchmark::Counter::kIsIterationInvariantRate);
}

// Reference images on a memory-backed folder: a PPM for ImageMagick and its copy in vips's
// format, so that vips spends next to nothing on reading and writing.
class ReferenceFiles {
  public:
    static const ReferenceFiles& get() {
        static ReferenceFiles files;
        return files;
    }
    std::string ppm(int bitsPerPixel) const {
        return (folder_ / name(bitsPerPixel, ".ppm")).string();
    }
    std::string vips(int bitsPerPixel) const {
        return (folder_ / name(bitsPerPixel, ".v")).string();
    }
    std::string output() const { return (folder_ / "out.v").string(); }
    std::string folder() const { return folder_.string(); }
    bool ok() const { return ok_; }

    ~ReferenceFiles() { std::filesystem::remove_all(folder_); }

  private:
    ReferenceFiles() {
        const std::filesystem::path base = std::filesystem::exists("/dev/shm")
                                               ? "/dev/shm"
                                               : std::filesystem::temp_directory_path();
        std::string pattern = (base / "zoom-bench-XXXXXX").string();
        ok_ = mkdtemp(pattern.data()) != nullptr;
        folder_ = pattern;
        ok_ = ok_ && writeMagickPolicy();
        for (int bitsPerPixel : {24, 48}) {
            ok_ = ok_ && writePpm(bitsPerPixel) &&
                  std::system(("vips copy '" + ppm(bitsPerPixel) + "' '" + vips(bitsPerPixel) +
                               "' >/dev/null 2>&1")
                                  .c_str()) == 0;
        }
    }

    static std::string name(int bitsPerPixel, const char* extension) {
        return "source" + std::to_string(bitsPerPixel) + extension;
    }

    // Debian's ImageMagick policy caps the pixel cache at 256 MiB in memory, which sends an
    // enlarged image of 75 megapixels to disk; this policy, read through MAGICK_CONFIGURE_PATH,
    // lets the runs keep it in memory as the other contenders do.
    bool writeMagickPolicy() const {
        std::ofstream out(folder_ / "policy.xml");
        out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<policymap>\n"
               "  <policy domain=\"resource\" name=\"memory\" value=\"8GiB\"/>\n"
               "  <policy domain=\"resource\" name=\"map\" value=\"8GiB\"/>\n"
               "  <policy domain=\"resource\" name=\"area\" value=\"1GP\"/>\n"
               "</policymap>\n";
        return static_cast<bool>(out);
    }

    bool writePpm(int bitsPerPixel) const {
        const bool wide = bitsPerPixel == 48;
        std::vector<std::uint8_t> bytes = sourceImage(bitsPerPixel);
        if (wide) {  // PPM samples of 16 bits are big-endian
            for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
                std::swap(bytes[i], bytes[i + 1]);
            }
        }
        std::ofstream out(ppm(bitsPerPixel), std::ios::binary);
        out << "P6\n"
            << kSourceWidth << ' ' << kSourceHeight << '\n'
            << (wide ? 65535 : 255) << '\n';
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        return static_cast<bool>(out);
    }

    std::filesystem::path folder_;
    bool ok_ = false;
};

void runCommand(benchmark::State& state, const std::string& tool, const std::string& command) {
    if (std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) != 0) {
        state.SkipWithError((tool + " is missing (scripts/setup --bench installs it)").c_str());
        return;
    }
    if (!ReferenceFiles::get().ok()) {
        state.SkipWithError("the reference images could not be written");
        return;
    }
    const Geometry& target = kGeometry[state.range(1)];
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const int status = std::system(command.c_str());
        const auto stop = std::chrono::steady_clock::now();
        if (status != 0) {
            state.SkipWithError((tool + " failed: " + command).c_str());
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
    }
    state.counters["Mpx/s"] =
        benchmark::Counter(static_cast<double>(target.width) * target.height / 1e6,
                           benchmark::Counter::kIsIterationInvariantRate);
}

// vips enlarges with its bicubic interpolator whatever kernel is asked for and reduces with
// Lanczos-3.
void BM_VipsResize(benchmark::State& state) {
    const ReferenceFiles& files = ReferenceFiles::get();
    const auto bitsPerPixel = static_cast<int>(state.range(0));
    runCommand(state, "vips",
               "VIPS_CONCURRENCY=1 vips resize '" + files.vips(bitsPerPixel) + "' '" +
                   files.output() + "' " + kGeometry[state.range(1)].factor + " --kernel lanczos3");
}

// ImageMagick's Lanczos (three lobes) in both directions: the true Lanczos-3 reference.
void BM_ImageMagickLanczos(benchmark::State& state) {
    const ReferenceFiles& files = ReferenceFiles::get();
    const auto bitsPerPixel = static_cast<int>(state.range(0));
    runCommand(
        state, "convert",
        "MAGICK_CONFIGURE_PATH='" + files.folder() +
            "' convert -limit thread 1 -limit memory 8GiB -limit map 8GiB -limit area 1GP '" +
            files.ppm(bitsPerPixel) + "' -filter Lanczos -resize " +
            kGeometry[state.range(1)].percent + " null:");
}

void filterCases(benchmark::internal::Benchmark* bench) {
    bench->ArgNames({"type", "bpp", "reduce"});
    for (int direction : {kEnlarge, kReduce}) {
        for (int bitsPerPixel : {24, 48}) {
            for (int type = kZoomTypeNearestNeighbor; type <= kZoomTypeBicubic; ++type) {
                bench->Args({type, bitsPerPixel, direction});
            }
        }
    }
}

void referenceCases(benchmark::internal::Benchmark* bench) {
    bench->ArgNames({"bpp", "reduce"});
    for (int direction : {kEnlarge, kReduce}) {
        for (int bitsPerPixel : {24, 48}) {
            bench->Args({bitsPerPixel, direction});
        }
    }
}

// One pass of a whole image per run, the median of kRepetitions runs reported.
void wholeImageRuns(benchmark::internal::Benchmark* bench) {
    bench->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->Repetitions(kRepetitions)
        ->ReportAggregatesOnly(true);
}

BENCHMARK(BM_Zoom)->Apply(filterCases)->Apply(wholeImageRuns)->UseRealTime();
BENCHMARK(BM_VipsResize)->Apply(referenceCases)->Apply(wholeImageRuns)->UseManualTime();
BENCHMARK(BM_ImageMagickLanczos)->Apply(referenceCases)->Apply(wholeImageRuns)->UseManualTime();

}  // namespace

BENCHMARK_MAIN();
