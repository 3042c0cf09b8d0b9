// Conversion and compression of one band through the command generator: a 16-bit RGB band of
// 10,000 pixels × 64 rows, photograph-like (flat paper white, gradients and noise), at each
// output depth and compression. Reports pixels per second; the median of the repetitions is
// the figure to quote.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "command/cmd_info.h"
#include "command/tarn_cmd.h"
#include "record/job_context.h"
#include "util/memory.h"

namespace {

constexpr std::uint32_t kBandWidth = 10000;
constexpr std::uint32_t kBandRows = 64;
constexpr int kComponents = 3;
// Room for the worst case: every plane row PackBits-coded at 4/3 plus the commands.
constexpr std::size_t kCommandBufferBytes = kBandWidth * kBandRows * kComponents * 2 * 2;

std::vector<std::uint8_t> photographBand() {
    std::mt19937 random(1);
    std::vector<std::uint8_t> band(static_cast<std::size_t>(kBandWidth) * kBandRows * kComponents *
                                   2);
    std::size_t i = 0;
    for (std::uint32_t y = 0; y < kBandRows; ++y) {
        for (std::uint32_t x = 0; x < kBandWidth; ++x) {
            for (int k = 0; k < kComponents; ++k) {
                std::uint32_t v = 0xFFFF;
                if (x >= kBandWidth / 3 && x < 2 * kBandWidth / 3) {
                    v = (x * 7 + y * 13 + static_cast<std::uint32_t>(k) * 1000) & 0xFFFF;
                } else if (x >= 2 * kBandWidth / 3) {
                    v = random() & 0xFFFF;
                }
                band[i++] = static_cast<std::uint8_t>(v);
                band[i++] = static_cast<std::uint8_t>(v >> 8);
            }
        }
    }
    return band;
}

void BandEncoding(benchmark::State& state) {
    const auto depth = static_cast<std::int32_t>(state.range(0));
    const auto compressionChoice = static_cast<std::int32_t>(state.range(1));
    auto context = std::make_unique<PLGContext>();
    context->modelTable.PrinterSize = 1;
    Cmd_Info* info = nullptr;
    Get_MemoryClear(1, sizeof(Cmd_Info), kUnusedKind, &info);
    info->context = context.get();
    info->inputColorSpace = TARNColorSpace{18, kComponents, {16, 16, 16}};
    info->outputDepth = depth;
    info->compression = compressionChoice;
    info->imageWidth = kBandWidth;
    info->bandHeight = kBandRows;
    if (tarn_Cmd_Initialize(info) != 0) {
        state.SkipWithError("initialize failed");
        tarn_Cmd_Terminate(info);
        return;
    }
    const std::vector<std::uint8_t> band = photographBand();
    std::vector<std::uint8_t> commands(kCommandBufferBytes);
    const TARNRect rect{0, 0, static_cast<std::int32_t>(kBandRows),
                        static_cast<std::int32_t>(kBandWidth)};
    std::uint64_t bytesOut = 0;
    for (auto _ : state) {
        std::uint32_t length = 0;
        if (tarn_Cmd_ImageBand(info, commands.data(), static_cast<std::uint32_t>(commands.size()),
                               &length, band.data(), &rect) != 0) {
            state.SkipWithError("band failed");
            break;
        }
        bytesOut += length;
        benchmark::DoNotOptimize(commands.data());
    }
    state.SetItemsProcessed(state.iterations() * kBandWidth * kBandRows);
    state.counters["MPixel/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kBandWidth * kBandRows / 1e6,
                           benchmark::Counter::kIsRate);
    state.counters["out/in"] =
        static_cast<double>(bytesOut) / (static_cast<double>(state.iterations()) * band.size());
    tarn_Cmd_Terminate(info);
}

// Output depth code (0 = 8, 1 = 10, 2 = 12 bits) × compression choice (5 none, 1 PackBits,
// 2 seed row).
BENCHMARK(BandEncoding)
    ->ArgsProduct({{0, 1, 2}, {5, 1, 2}})
    ->ArgNames({"depth", "choice"})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
