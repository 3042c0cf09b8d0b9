// Job start: the packets that announce the job, its buffers and the printer's begin-job commands.
#include <algorithm>

#include "command/tarn_cmd.h"
#include "jobstart/job_buffers.h"
#include "jobstart/job_start.h"
#include "jobstart/job_start_services.h"
#include "qdxa/job_packet_order.h"
#include "qdxa/tarn_qdxa.h"
#include "rastercore/result_codes.h"
#include "record/job_context.h"
#include "util/memory.h"

namespace {

using namespace rastercore;

constexpr std::int32_t kLargeFormat = 1;
constexpr std::int32_t kTablesRefused = 1;
constexpr std::int32_t kTablesBuilt = 2;
constexpr std::uint32_t kBitsPerByte = 8;

// Replaces a context buffer by `bytes` zeroed bytes.
std::int32_t allocateBuffer(std::uint8_t** buffer, std::uint32_t* size, std::uint64_t bytes) {
    Dispose_MemoryClear(buffer, kUnusedKind);
    *size = 0;
    if (bytes > UINT32_MAX || Get_MemoryClear(1, bytes, kUnusedKind, buffer) != kResultOk) {
        return kResultNoMemory;
    }
    *size = static_cast<std::uint32_t>(bytes);
    return kResultOk;
}

// The colour-processed row: as the output colour space asks, and never shorter than the band
// loop's working line, which the colour module writes into it.
std::int32_t allocateRowBuffer(PLGContext& context, std::uint32_t rowBytes) {
    if (rowBytes == 0) {
        return kResultOk;
    }
    const std::uint64_t workingLine =
        (std::uint64_t{static_cast<std::uint32_t>(context.bitsPerPixel)} * context.bandLineWidth +
         kBitsPerByte - 1) /
        kBitsPerByte;
    return allocateBuffer(&context.colorOutputLine, &context.colorOutputLineSize,
                          std::max<std::uint64_t>(rowBytes, workingLine));
}

std::int32_t prepareColor(PLGContext& context) {
    const JobStartServices& services = jobStartServices().current();
    if (services.colorInitialize(context.colorInfo, context.mediaDatabase) != kResultOk ||
        services.colorOutputColorSpace(context.colorInfo, &context.cmdInfo->inputColorSpace) !=
            kResultOk) {
        return kResultFailure;
    }
    return kResultOk;
}

std::int32_t prepareCommands(PLGContext& context, std::uint32_t rowBytes) {
    Cmd_Info& command = *context.cmdInfo;
    if (tarn_Cmd_Initialize(&command) != kResultOk) {
        return kResultFailure;
    }
    const std::int32_t tables = context.modelTable.CreateTable;
    if (tables == kTablesRefused ||
        (tables == kTablesBuilt && jobStartServices().current().colorCreateTable(
                                       context.colorInfo, command.generalData) != kResultOk)) {
        return kResultFailure;
    }
    return allocateBuffer(
        &context.commandBuffer, &context.commandBufferSize,
        commandBufferBytes(command, rowBytes, context.modelTable.PrinterSize == kLargeFormat));
}

std::int32_t sendBeginJob(PLGContext& context) {
    std::uint32_t length = 0;
    if (tarn_Cmd_BeginJob(context.cmdInfo, context.commandBuffer, context.commandBufferSize,
                          &length) != kResultOk) {
        return kResultFailure;
    }
    return stepResult(
        tarn_QDXA_SendData(context.qdxaInfo, context.commandBuffer, length, 0, nullptr));
}

}  // namespace

std::int32_t PLG_StartJob(PLGContext* context) {
    if (context == nullptr || context->qdxaInfo == nullptr || context->colorInfo == nullptr ||
        context->cmdInfo == nullptr) {
        return kResultFailure;
    }
    if (tarn_QDXA_Initialize(context, context->qdxaInfo) != kResultOk ||
        prepareColor(*context) != kResultOk) {
        return kResultFailure;
    }
    std::int32_t result = stepResult(tarn_QDXA_SendJobStartPackets(context->qdxaInfo));
    if (result != kResultOk) {
        return result;
    }
    const std::optional<std::uint32_t> rowBytes =
        colorRowBytes(context->cmdInfo->inputColorSpace, context->bandLineWidth);
    if (!rowBytes) {
        return kResultFailure;
    }
    if ((result = allocateRowBuffer(*context, *rowBytes)) != kResultOk ||
        (result = prepareCommands(*context, *rowBytes)) != kResultOk) {
        return result;
    }
    return sendBeginJob(*context);
}
