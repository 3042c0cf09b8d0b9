// The row buffer of the host line converter, sized for the working depth.
#include <algorithm>

#include "band/host_fetch.h"
#include "command/cmd_info.h"
#include "rastercore/result_codes.h"
#include "record/job_context.h"
#include "setup/setup_rules.h"
#include "setup/setup_steps_internal.h"
#include "util/memory.h"

namespace setup {

namespace {

constexpr std::uint8_t kFirstWideDepthCode = 2;
constexpr std::uint64_t kRgbBytes8 = 3;
constexpr std::uint64_t kRgbBytes16 = 6;

bool wideWork(std::uint8_t depthCode) {
    return depthCode == kFirstWideDepthCode || depthCode == 4;
}

}  // namespace

std::int32_t allocateRowBuffers(PLGContext& context, const CoreCommonInfoTbl& table) {
    context.depthCode = workingDepthCode(context.hostImage->depth, table.inputBit);
    context.cmdInfo->outputDepth = outputDepthOfChoice(table.inputBit);
    const std::uint64_t bytes = (wideWork(context.depthCode) ? kRgbBytes16 : kRgbBytes8) *
                                std::max<std::uint32_t>(sourceLinePixels(context), 1);
    if (bytes > UINT32_MAX ||
        Get_MemoryClear(1, bytes, kUnusedKind, &context.rgbRow) != rastercore::kResultOk) {
        return rastercore::kRowNoMemory;
    }
    context.rgbRowSize = static_cast<std::uint32_t>(bytes);
    return rastercore::kResultOk;
}

}  // namespace setup
