// The core's job steps. The test-pattern print loop is not built yet: it answers -1 until it is.
#include "job/job_steps.h"

#include "band/band_loop.h"
#include "caption/pattern_caption.h"
#include "jobstart/job_start.h"
#include "rastercore/result_codes.h"
#include "setup/job_setup.h"
#include "transport/job_transport.h"

namespace {

std::int32_t notBuilt(PLGContext*) {
    return rastercore::kResultFailure;
}

}  // namespace

const JobSteps& coreJobSteps() {
    static const JobSteps steps{
        .initialize = PLG_Initialize,
        .jobOpen = PLG_IOS_JobOpen,
        .startJob = PLG_StartJob,
        .bandLoop = mainloop_for_LFP,
        .patternCreateCaption = PLG_PatternCreateCaption,
        .patternPrintLoop = notBuilt,
        .endJob = PLG_EndJob,
        .jobCancel = PLG_IOS_JobCancel,
        .jobClose = PLG_IOS_JobClose,
        .terminate = PLG_Terminate,
    };
    return steps;
}

seam::Seam<JobSteps>& jobSteps() {
    static seam::Seam<JobSteps> seam(coreJobSteps());
    return seam;
}
