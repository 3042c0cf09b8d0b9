// The core's job steps, in the order the job driver runs them.
#include "job/job_steps.h"

#include "band/band_loop.h"
#include "caption/pattern_caption.h"
#include "jobstart/job_start.h"
#include "pattern/pattern_print_loop.h"
#include "rastercore/result_codes.h"
#include "setup/job_setup.h"
#include "transport/job_transport.h"

const JobSteps& coreJobSteps() {
    static const JobSteps steps{
        .initialize = PLG_Initialize,
        .jobOpen = PLG_IOS_JobOpen,
        .startJob = PLG_StartJob,
        .bandLoop = mainloop_for_LFP,
        .patternCreateCaption = PLG_PatternCreateCaption,
        .patternPrintLoop = PLG_PatternPrintLoop,
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
