// The band loop over a synthetic RGB image of 8- and 16-bit samples, from a host's line callback
// to the command generator, with the print data recorded in memory: 7,200 pixels (12 inches at
// 600 dpi) × 256 lines, printed at its own size (the accumulator) and enlarged 1.5 times through
// the bilinear resampler. Colour processing is a copy, standing in for the colour module.
// Reports lines and megapixels (printed pixels) per second; the median of the repetitions is
// the figure to quote.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "band/band_loop.h"
#include "band/band_services.h"
#include "command/cmd_info.h"
#include "command/tarn_cmd.h"
#include "qdxa/qdxa_services.h"
#include "qdxa/tarn_qdxa.h"
#include "record/color_info.h"
#include "record/job_context.h"
#include "util/memory.h"

namespace {

constexpr std::uint32_t kSourceWidth = 7200;
constexpr std::uint32_t kSourceLines = 256;
// Appends every packet to one buffer reserved up front.
class MemoryTransport {
  public:
    MemoryTransport() { bytes.reserve(std::size_t{1} << 28); }
    MemoryTransport(const MemoryTransport&) = delete;
    MemoryTransport& operator=(const MemoryTransport&) = delete;
    std::vector<std::uint8_t> bytes;

  private:
    const QDXA_Services table_{
        .jobSend =
            [this](QDXA_Info*, std::span<const std::uint8_t> header,
                   std::span<const std::uint8_t> payload, bool, std::uint32_t* untaken) {
                bytes.insert(bytes.end(), header.begin(), header.end());
                bytes.insert(bytes.end(), payload.begin(), payload.end());
                *untaken = 0;
                return 0;
            },
        .getMedium = nullptr,
    };
    seam::ScopedOverride<QDXA_Services> override_{qdxaServices(), table_};
};

// Source line `index` of a photograph-like image in the working format: paper white, a
// gradient and a busy third.
std::int32_t photographLine(CommonInfoTable*, void*, std::int32_t index, void* buffer,
                            std::int32_t* byteCount, void*) {
    auto* bytes = static_cast<std::uint8_t*>(buffer);
    const auto count = static_cast<std::size_t>(*byteCount);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t third = i * 3 / count;
        bytes[i] = third == 0   ? 0xFF
                   : third == 1 ? static_cast<std::uint8_t>(i / 7 + static_cast<std::size_t>(index))
                                : static_cast<std::uint8_t>(i * 2654435761u >> 13);
    }
    return 0;
}

std::int32_t sendCommands(PLGContext* context,
                          std::int32_t (*generate)(Cmd_Info*, std::uint8_t*, std::uint32_t,
                                                   std::uint32_t*)) {
    std::uint32_t length = 0;
    const std::int32_t result =
        generate(context->cmdInfo, context->commandBuffer, context->commandBufferSize, &length);
    return result != 0 || length == 0
               ? result
               : tarn_QDXA_SendData(context->qdxaInfo, context->commandBuffer, length, 0, nullptr);
}

// One job of the core's records, made as the job set-up makes them.
struct BenchJob {
    std::unique_ptr<PLGContext> context = std::make_unique<PLGContext>();
    CoreCommonInfoTbl jobRecord{};
    CommonInfoTable host{};
    Color_Info color{};
    MemoryTransport transport;
    Cmd_Info* info = nullptr;
    QDXA_Info* packet = nullptr;
    BandServices services;

    BenchJob(bool wide, std::uint32_t printedWidth, std::uint32_t printedLines) {
        PLGContext& c = *context;
        const std::size_t pixelBytes = wide ? 6 : 3;
        c.modelTable.PrinterSize = 1;
        c.jobRecord = &jobRecord;
        jobRecord.commonInfo = &host;
        host.lineProc = photographLine;
        c.hostFetchMode = 1;
        c.outputResolution[0] = c.outputResolution[1] = 600;
        c.bitsPerPixel = wide ? 48 : 24;
        c.copies = 1;
        c.imageRect = {0, 0, static_cast<std::int32_t>(printedLines),
                       static_cast<std::int32_t>(printedWidth)};
        c.sourceRect[2] = kSourceLines;
        c.sourceRect[3] = kSourceWidth;
        c.imageLineWidth = c.bandLineWidth = printedWidth;
        Get_MemoryClear(1, sizeof(Cmd_Info), kUnusedKind, &info);
        info->context = &c;
        const std::uint8_t bits = wide ? 16 : 8;
        info->inputColorSpace = TARNColorSpace{18, 3, {bits, bits, bits}};
        info->outputDepth = kDepth8;
        info->compression = 2;  // seed row
        info->imageWidth = printedWidth;
        info->bandHeight = 1;
        info->resampleFilter = 2;
        tarn_Cmd_Initialize(info);
        c.cmdInfo = info;
        Get_MemoryClear(1, sizeof(QDXA_Info), kUnusedKind, &packet);
        packet->context = &c;
        c.qdxaInfo = packet;
        color.context = &c;
        c.colorInfo = &color;
        c.commandBufferSize = info->bandCommandSize;
        c.bandLineSize = c.colorOutputLineSize =
            static_cast<std::uint32_t>(pixelBytes * printedWidth);
        Get_MemoryClear(1, c.commandBufferSize, kUnusedKind, &c.commandBuffer);
        Get_MemoryClear(1, c.bandLineSize, kUnusedKind, &c.bandLine);
        Get_MemoryClear(1, c.colorOutputLineSize, kUnusedKind, &c.colorOutputLine);
        services = BandServices{
            .captionMakeData = [](PLGContext*, std::int16_t) { return -1; },
            .captionSetBuff = [](auto...) { return -1; },
            .colorProcessing =
                [pixelBytes](Color_Info*, std::uint8_t* source, TARNRect* rect,
                             std::uint8_t* destination) {
                    std::memcpy(destination, source,
                                pixelBytes * static_cast<std::size_t>(rect->right - rect->left));
                    return 0;
                },
            .bitConvert = [](auto...) { return -1; },
            .startPage = [](PLGContext* job) { return sendCommands(job, tarn_Cmd_BeginPage); },
            .endPage = [](PLGContext* job) { return sendCommands(job, tarn_Cmd_EndPage); },
        };
    }

    ~BenchJob() {
        Dispose_MemoryClear(&context->commandBuffer, kUnusedKind);
        Dispose_MemoryClear(&context->bandLine, kUnusedKind);
        Dispose_MemoryClear(&context->colorOutputLine, kUnusedKind);
        tarn_QDXA_Terminate(packet);
        tarn_Cmd_Terminate(info);
    }
    BenchJob(const BenchJob&) = delete;
    BenchJob& operator=(const BenchJob&) = delete;
};

// range(0): 16-bit samples; range(1): enlargement in percent.
void BandLoop(benchmark::State& state) {
    const bool wide = state.range(0) != 0;
    const auto percent = static_cast<std::uint32_t>(state.range(1));
    const std::uint32_t width = kSourceWidth * percent / 100;
    const std::uint32_t lines = kSourceLines * percent / 100;
    BenchJob job(wide, width, lines);
    const seam::ScopedOverride services(bandServices(), job.services);
    for (auto _ : state) {
        job.transport.bytes.clear();
        if (mainloop_for_LFP(job.context.get()) != 0) {
            state.SkipWithError("the band loop failed");
            break;
        }
        benchmark::DoNotOptimize(job.transport.bytes.data());
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["lines/s"] = benchmark::Counter(iterations * lines, benchmark::Counter::kIsRate);
    state.counters["MP/s"] =
        benchmark::Counter(iterations * lines * width / 1e6, benchmark::Counter::kIsRate);
    state.counters["bytes/line"] =
        static_cast<double>(job.transport.bytes.size()) / static_cast<double>(lines);
}

BENCHMARK(BandLoop)
    ->ArgNames({"wide", "percent"})
    ->Args({0, 100})
    ->Args({1, 100})
    ->Args({0, 150})
    ->Args({1, 150})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
