// Progress steps of the test-pattern print loop.
#include "pattern/pattern_progress.h"

#include <chrono>

#include "rastercore/result_codes.h"
#include "record/job_context.h"
#include "record/progress_channel.h"

namespace {

constexpr std::int16_t kPercentDone = 100;

double secondsNow() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

std::int32_t PLG_PPL_Progress(PLGContext* context, PatternProgress* progress) {
    const std::int64_t step = progress->done + 1;
    const auto percent = step == progress->total
                             ? kPercentDone
                             : static_cast<std::int16_t>(step * 100 / (progress->total + 1));
    progressSetValue(context, percent, &progress->lastPercent);
    progress->done = step;
    const std::uint8_t hostType = hostTypeOf(context->jobRecord);
    if (hostType == kHostTypeImageEditor) {
        const double now = secondsNow();
        if (now <= progress->lastCheck) {
            return rastercore::kResultOk;
        }
        progress->lastCheck = now;
    } else if (hostType != kHostTypePhotoApplication) {
        return rastercore::kResultOk;
    }
    return checkProgressCancel(context) ? rastercore::kResultCancelled : rastercore::kResultOk;
}
