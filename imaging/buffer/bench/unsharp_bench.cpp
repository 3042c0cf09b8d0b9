// Unsharp mask throughput: UnsharpL over whole rows of 10,000 RGB pixels.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "imaging/buffer/unsharp.h"
#include "imaging/buffer/vif.h"

using namespace imaging;

namespace {

constexpr std::uint32_t kWidth = 10000;
constexpr std::int32_t kStrength = 100;

template <typename T>
void unsharpRow(benchmark::State& state, std::uint16_t type) {
    std::mt19937 random(7);
    std::uniform_int_distribution<unsigned> sample(0, 0xFFFF);
    std::vector<std::vector<T>> rows(3, std::vector<T>(kWidth * 3));
    for (auto& row : rows) {
        for (auto& value : row) {
            value = static_cast<T>(sample(random));
        }
    }
    std::vector<T> out(kWidth * 3);
    for (auto _ : state) {
        benchmark::DoNotOptimize(UnsharpL(kStrength, out.data(), rows[0].data(), rows[1].data(),
                                          rows[2].data(), kWidth, type));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kWidth);
    state.counters["Mpixel/s"] = benchmark::Counter(static_cast<double>(kWidth) * 1e-6,
                                                    benchmark::Counter::kIsIterationInvariantRate);
}

void BM_UnsharpL_Rgb16(benchmark::State& state) {
    unsharpRow<std::uint16_t>(state, kVifRgb16);
}
void BM_UnsharpL_Rgb8(benchmark::State& state) {
    unsharpRow<std::uint8_t>(state, kVifRgb8);
}

BENCHMARK(BM_UnsharpL_Rgb16);
BENCHMARK(BM_UnsharpL_Rgb8);

}  // namespace

BENCHMARK_MAIN();
