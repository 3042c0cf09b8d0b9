// The core's job steps. Set-up and tear-down are not built yet: each answers -1 until it is.
#include "job/job_steps.h"

#include "band/band_loop.h"
#include "caption/pattern_caption.h"
#include "jobstart/job_start.h"
#include "pattern/pattern_print_loop.h"
#include "rastercore/result_codes.h"
#include "record/job_context.h"
#include "transport/job_transport.h"
#include "util/memory.h"

const JobSteps& coreJobSteps() {
    static const JobSteps steps{
        .initialize = [](void*, CoreCommonInfoTbl**,
                         PLGContext*) { return rastercore::kResultFailure; },
        .jobOpen = PLG_IOS_JobOpen,
        .startJob = PLG_StartJob,
        .bandLoop = mainloop_for_LFP,
        .patternCreateCaption = PLG_PatternCreateCaption,
        .patternPrintLoop = PLG_PatternPrintLoop,
        .endJob = PLG_EndJob,
        .jobCancel = PLG_IOS_JobCancel,
        .jobClose = PLG_IOS_JobClose,
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
