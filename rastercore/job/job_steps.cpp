// The core's job steps. Set-up and tear-down, the job transport, job start and end and the
// test-pattern print loop are not built yet: each answers -1 until it is.
#include "job/job_steps.h"

#include "band/band_loop.h"
#include "caption/pattern_caption.h"

#include "rastercore/result_codes.h"
#include "record/job_context.h"
#include "util/memory.h"

namespace {

std::int32_t notBuilt(PLGContext*) {
    return rastercore::kResultFailure;
}

}  // namespace

const JobSteps& coreJobSteps() {
    static const JobSteps steps{
        .initialize = [](void*, CoreCommonInfoTbl**,
                         PLGContext*) { return rastercore::kResultFailure; },
        .jobOpen = [](QDXA_Info*) { return rastercore::kResultFailure; },
        .startJob = notBuilt,
        .bandLoop = mainloop_for_LFP,
        .patternCreateCaption = PLG_PatternCreateCaption,
        .patternPrintLoop = notBuilt,
        .endJob = notBuilt,
        .jobCancel = [](QDXA_Info*, bool* closeAsCancelled) { *closeAsCancelled = true; },
        .jobClose = [](QDXA_Info*, bool) {},
        .terminate =
            [](PLGContext* context) {
                Dispose_MemoryClear(&context, kUnusedKind);
                return rastercore::kResultFailure;
            },
    };
    return steps;
}

seam::Seam<JobSteps>& jobSteps() {
    static seam::Seam<JobSteps> seam(coreJobSteps());
    return seam;
}
