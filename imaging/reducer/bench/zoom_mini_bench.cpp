// Reducer throughput: a whole 4000 x 3000 image reduced by whole and by uneven factors.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "imaging/reducer/zoom_mini.h"

namespace {

constexpr std::int64_t kSourceWidth = 4000;
constexpr std::int64_t kSourceHeight = 3000;

/// Arguments: bits per pixel, destination width, destination height.
void BM_ZoomMini(benchmark::State& state) {
    const std::int64_t bits = state.range(0);
    const std::int64_t width = state.range(1);
    const std::int64_t height = state.range(2);
    // Eight rows of random samples, cycled, keep the source small without making it constant.
    constexpr int kDistinctRows = 8;
    std::mt19937 random(5);
    std::vector<std::vector<std::uint8_t>> rows(kDistinctRows,
                                                std::vector<std::uint8_t>(kSourceWidth * bits / 8));
    for (auto& row : rows) {
        for (auto& byte : row) {
            byte = static_cast<std::uint8_t>(random());
        }
    }
    std::vector<std::uint8_t> out((width * bits + 7) / 8);
    for (auto _ : state) {
        ComZoomMini* reducer = nullptr;
        if (comZoomMini_Open(&reducer, width, height, kSourceWidth, kSourceHeight, bits) != 0) {
            state.SkipWithError("open failed");
            break;
        }
        std::int32_t ready = 0;
        for (std::int64_t y = 0; y < kSourceHeight; ++y) {
            comZoomMini_Exec(reducer, out.data(), rows[y % kDistinctRows].data(), &ready);
            benchmark::DoNotOptimize(out.data());
        }
        comZoomMini_Close(reducer);
    }
    const double sourcePixels = static_cast<double>(kSourceWidth * kSourceHeight);
    state.SetItemsProcessed(state.iterations() * kSourceWidth * kSourceHeight);
    state.counters["source Mpixel/s"] =
        benchmark::Counter(sourcePixels * 1e-6, benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(BM_ZoomMini)
    ->ArgNames({"bpp", "dw", "dh"})
    ->Args({24, 2000, 1500})
    ->Args({24, 1333, 1000})
    ->Args({24, 3001, 2251})
    ->Args({48, 2000, 1500})
    ->Args({48, 1333, 1000})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
