// The job driver around the real band loop, over the band tests' in-memory job.
#include <gtest/gtest.h>

#include "band/band_loop.h"
#include "band/tests/band_fixture.h"
#include "job/main_process.h"
#include "rastercore/result_codes.h"
#include "run_job.h"
#include "util/memory.h"

namespace {

using bandtest::BandJob;
using bandtest::JobSetup;
using jobtest::runJob;
using namespace rastercore;

// The job driver around the band loop: the job end sees the copies made as its impressions.
TEST(JobBandLoop, JobEndReportsTheCopiesMade) {
    for (const std::int32_t sendOnce : {0, 1}) {
        JobSetup setup;
        setup.copies = 3;
        setup.sendOnce = sendOnce;
        BandJob job(setup);
        std::uint16_t impressions = 0;
        JobSteps steps{
            .initialize = [&](void*, CoreCommonInfoTbl**,
                              PLGContext* context) { return *context = job.context(), 0; },
            .jobOpen = [](QDXA_Info*) { return 0; },
            .startJob = [](PLGContext*) { return 0; },
            .bandLoop =
                [&](PLGContext* context) { return bandtest::runBandLoop(context, job.services); },
            .patternCreateCaption = [](PLGContext*) { return -1; },
            .patternPrintLoop = [](PLGContext*) { return -1; },
            .endJob = [&](PLGContext* context) { return impressions = context->currentCopy, 0; },
            .jobCancel = [](QDXA_Info*, bool*) {},
            .jobClose = [](QDXA_Info*, bool) {},
            .terminate =
                [](PLGContext* context) {
                    // The driver's band buffers; the rest belongs to the test job.
                    Dispose_MemoryClear(&context->bandLine, kUnusedKind);
                    Dispose_MemoryClear(&context->colorCopy, kUnusedKind);
                    Dispose_MemoryClear(&context, kUnusedKind);
                    return 0;
                },
        };
        EXPECT_EQ(runJob(steps, nullptr, &job.jobRecord(), nullptr), kPlgSuccess);
        EXPECT_EQ(impressions, sendOnce == 1 ? 1 : 3);
    }
}

}  // namespace
