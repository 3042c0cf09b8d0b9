// Job end and the page commands.
#include "command/tarn_cmd.h"
#include "jobstart/job_start.h"
#include "qdxa/job_packet_order.h"
#include "qdxa/tarn_qdxa.h"
#include "rastercore/result_codes.h"
#include "record/job_context.h"
#include "util/memory.h"

namespace {

using namespace rastercore;
using Generate = std::int32_t (*)(Cmd_Info*, std::uint8_t*, std::uint32_t, std::uint32_t*);

constexpr std::uint32_t kPatternImpressions = 1;

// Generates commands into the command buffer and sends them.
std::int32_t sendCommands(PLGContext* context, Generate generate) {
    if (context == nullptr || context->cmdInfo == nullptr || context->commandBuffer == nullptr) {
        return kResultFailure;
    }
    std::uint32_t length = 0;
    const std::int32_t result =
        generate(context->cmdInfo, context->commandBuffer, context->commandBufferSize, &length);
    if (result != kResultOk || length == 0) {
        return result;
    }
    return tarn_QDXA_SendData(context->qdxaInfo, context->commandBuffer, length, 0, nullptr);
}

}  // namespace

std::int32_t PLG_EndJob(PLGContext* context) {
    if (context == nullptr || context->qdxaInfo == nullptr) {
        return kResultFailure;
    }
    sendCommands(context, tarn_Cmd_EndJob);
    Dispose_MemoryClear(&context->colorOutputLine, kUnusedKind);
    context->colorOutputLineSize = 0;
    const std::uint32_t impressions =
        context->patternPrint != 0 ? kPatternImpressions : context->currentCopy;
    return tarn_QDXA_SendJobEndPackets(context->qdxaInfo, impressions);
}

std::int32_t PLG_StartPage(PLGContext* context) {
    return sendCommands(context, tarn_Cmd_BeginPage);
}

std::int32_t PLG_EndPage(PLGContext* context) {
    return stepResult(sendCommands(context, tarn_Cmd_EndPage));
}
