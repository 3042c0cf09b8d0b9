// The job driver: step order, result mapping, the cancel channel and the observer's lifetime,
// driven through a table of recording steps.
#include "job/main_process.h"
#include "run_job.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "cf/notification_center.h"
#include "rastercore/progress.h"
#include "rastercore/result_codes.h"
#include "record/job_context.h"
#include "record/result_table.h"
#include "util/memory.h"

namespace {

using jobtest::runJob;
using namespace rastercore;
using Calls = std::vector<std::string>;

// Records every step the driver calls and answers with the configured results.
struct RecordingJob {
    Calls calls;
    std::map<std::string, std::int32_t> results;  // step name -> result; 0 when absent
    bool printerAcceptsCancel = false;            // jobCancel leaves the close flag clear
    QDXA_Info packet{};
    std::int32_t bitsPerPixel = 24;
    std::uint32_t imageLineWidth = 10;
    std::uint32_t bandLineWidth = 12;
    double scale = 1.0;
    std::function<void(PLGContext*)> duringStart;  // runs inside startJob
    std::function<void(PLGContext*)> duringPages;  // runs inside the band or pattern loop
    std::uint16_t copiesMade = 1;
    std::uint16_t currentCopyAtEnd = 0;

    std::int32_t answer(const std::string& step) {
        calls.push_back(step);
        const auto found = results.find(step);
        return found != results.end() ? found->second : kResultOk;
    }

    std::int32_t pages(const std::string& step, PLGContext* context) {
        if (duringPages) {
            duringPages(context);
        }
        context->currentCopy = static_cast<std::uint16_t>(copiesMade + 1);
        return answer(step);
    }

    JobSteps steps() {
        JobSteps steps;
        steps.initialize = [this](void*, CoreCommonInfoTbl** table, PLGContext* context) {
            context->jobRecord = *table;
            context->modelTable = (*table)->modelAtlas;
            context->qdxaInfo = &packet;
            context->bitsPerPixel = bitsPerPixel;
            context->imageLineWidth = imageLineWidth;
            context->bandLineWidth = bandLineWidth;
            context->scale[0] = scale;
            return answer("initialize");
        };
        steps.jobOpen = [this](QDXA_Info* info) {
            EXPECT_EQ(info, &packet);
            return answer("jobOpen");
        };
        steps.startJob = [this](PLGContext* context) {
            if (duringStart) {
                duringStart(context);
            }
            return answer("startJob");
        };
        steps.bandLoop = [this](PLGContext* context) { return pages("bandLoop", context); };
        steps.patternCreateCaption = [this](PLGContext*) { return answer("patternCreateCaption"); };
        steps.patternPrintLoop = [this](PLGContext* context) {
            return pages("patternPrintLoop", context);
        };
        steps.endJob = [this](PLGContext* context) {
            currentCopyAtEnd = context->currentCopy;
            return answer("endJob");
        };
        steps.jobCancel = [this](QDXA_Info*, bool* closeAsCancelled) {
            calls.push_back("jobCancel");
            *closeAsCancelled = !printerAcceptsCancel;
        };
        steps.jobClose = [this](QDXA_Info*, bool closeAsCancelled) {
            calls.push_back(closeAsCancelled ? "jobClose(cancelled)" : "jobClose");
        };
        steps.terminate = [this](PLGContext* context) {
            calls.push_back("terminate");
            Dispose_MemoryClear(&context->bandLine, kUnusedKind);
            Dispose_MemoryClear(&context->colorCopy, kUnusedKind);
            Dispose_MemoryClear(&context, kUnusedKind);
            return kResultOk;
        };
        return steps;
    }
};

// A zeroed job record of a large-format printer, linked to a host record of `hostType`.
struct JobRecord {
    CommonInfoTable host{};
    CoreCommonInfoTbl table{};
    explicit JobRecord(std::uint8_t hostType) {
        host.hostType = hostType;
        table.commonInfo = &host;
        table.modelAtlas.PrinterSize = 1;
    }
};

class ScriptedProgress : public ProgressObject {
  public:
    explicit ScriptedProgress(bool cancel) : cancel_(cancel) {}
    bool idleProgress() override {
        ++idleCalls;
        return cancel_;
    }
    bool idleProgressJobOpen() override { return cancel_; }
    void setProgressValue(int) override {}
    void setStatusMessage(int) override {}
    int idleCalls = 0;

  private:
    bool cancel_;
};

const Calls kWholeJob{"initialize", "jobOpen",  "startJob", "bandLoop",
                      "endJob",     "jobClose", "terminate"};

TEST(MainProcess, NullRecordCallsNothing) {
    RecordingJob job;
    EXPECT_EQ(runJob(job.steps(), nullptr, nullptr, nullptr), 0xFFFFFFFFu);
    EXPECT_TRUE(job.calls.empty());
}

TEST(MainProcess, ResultCodesMapToPluginErrors) {
    const struct {
        std::int32_t internal;
        std::uint32_t plugin;
    } cases[] = {
        {0, 0},
        {-1300, 0},
        {1100, 0x50104},
        {-1000, 0x40103},
        {10020, 0x40103},
        {11020, 0x40103},
        {12020, 0x40103},
        {13020, 0x40103},
        {14020, 0x40103},
        {-1200, 0x10100},
        {-1210, 0x350134},
        {-1400, 0x290128},
        {12040, 0x1A0119},
        {14000, 0x1A0119},
        {-1, 0x1A0119},
        {12010, 0x1A0119},
        {0x40103, 0x1A0119},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(pluginErrorFromResult(c.internal), c.plugin) << c.internal;
    }
}

TEST(MainProcess, PrintJobRunsEveryStepInOrder) {
    RecordingJob job;
    job.copiesMade = 3;
    JobRecord record(0);
    EXPECT_EQ(runJob(job.steps(), nullptr, &record.table, nullptr), 0u);
    EXPECT_EQ(job.calls, kWholeJob);
    EXPECT_EQ(job.currentCopyAtEnd, 3);  // one past the last copy, taken back before the end
}

TEST(MainProcess, PatternJobPrintsThroughThePatternSteps) {
    RecordingJob job;
    JobRecord record(0);
    record.table.patternPrint = 1;
    job.duringPages = [](PLGContext* context) { EXPECT_EQ(context->bandLine, nullptr); };
    EXPECT_EQ(runJob(job.steps(), nullptr, &record.table, nullptr), 0u);
    EXPECT_EQ(job.calls, (Calls{"initialize", "jobOpen", "startJob", "patternCreateCaption",
                                "patternPrintLoop", "endJob", "jobClose", "terminate"}));
}

TEST(MainProcess, BandBuffersAreSizedAndCopyFlagFollowsTheScale) {
    for (const double scale : {1.0, 1.5}) {
        RecordingJob job;
        job.bitsPerPixel = 48;
        job.imageLineWidth = 7;
        job.bandLineWidth = 9;
        job.scale = scale;
        job.duringPages = [scale](PLGContext* context) {
            ASSERT_NE(context->bandLine, nullptr);
            ASSERT_NE(context->colorCopy, nullptr);
            // Writing the whole lines is clean under AddressSanitizer only when sized right.
            std::memset(context->bandLine, 1, 6 * 7);
            std::memset(context->colorCopy, 1, 6 * 9);
            EXPECT_EQ(context->colorOnCopy, scale > 1.0 ? 1 : 0);
        };
        JobRecord record(0);
        EXPECT_EQ(runJob(job.steps(), nullptr, &record.table, nullptr), 0u);
    }
}

TEST(MainProcess, FailingStepsEndTheJobWithTheirCode) {
    const Calls cancelled{"jobCancel", "jobClose(cancelled)", "terminate"};
    const auto join = [](Calls head, const Calls& tail) {
        head.insert(head.end(), tail.begin(), tail.end());
        return head;
    };
    const struct {
        const char* step;
        std::int32_t result;
        std::int32_t printerClass;
        std::uint32_t expected;
        Calls calls;
    } cases[] = {
        {"initialize", -1, 1, 0x1A0119, {"initialize", "terminate"}},
        {"initialize", -1300, 1, 0, {"initialize", "terminate"}},
        {"initialize", 12040, 1, 0x1A0119, {"initialize", "terminate"}},
        {"initialize", -1000, 1, 0x40103, {"initialize", "terminate"}},
        {"jobOpen", -1200, 1, 0x10100, {"initialize", "jobOpen", "terminate"}},
        {"jobOpen", 1100, 1, 0x50104, {"initialize", "jobOpen", "terminate"}},
        {"jobOpen", -1210, 1, 0x350134, {"initialize", "jobOpen", "terminate"}},
        {"startJob", 1100, 1, 0x50104, join({"initialize", "jobOpen", "startJob"}, cancelled)},
        {"startJob", -1000, 1, 0x1A0119, join({"initialize", "jobOpen", "startJob"}, cancelled)},
        {"bandLoop", -1400, 1, 0x290128,
         join({"initialize", "jobOpen", "startJob", "bandLoop"}, cancelled)},
        {"bandLoop", 12020, 1, 0x40103,
         join({"initialize", "jobOpen", "startJob", "bandLoop"}, cancelled)},
        {"bandLoop", 1100, 1, 0x50104,
         join({"initialize", "jobOpen", "startJob", "bandLoop"}, cancelled)},
        {"endJob", 1100, 1, 0x50104,
         join({"initialize", "jobOpen", "startJob", "bandLoop", "endJob"}, cancelled)},
        {"endJob", 11020, 1, 0x1A0119,
         join({"initialize", "jobOpen", "startJob", "bandLoop", "endJob"}, cancelled)},
        {"startJob", -1210, 1, 0x350134, join({"initialize", "jobOpen", "startJob"}, cancelled)},
        {"endJob", -1210, 1, 0x350134,
         join({"initialize", "jobOpen", "startJob", "bandLoop", "endJob"}, cancelled)},
        {"none", 0, 2, 0x1A0119, join({"initialize", "jobOpen", "startJob"}, cancelled)},
        {"none", 0, 0, 0, {"initialize", "jobOpen", "startJob", "endJob", "jobClose", "terminate"}},
    };
    for (const std::uint8_t hostType : {0, 2}) {
        for (const auto& c : cases) {
            RecordingJob job;
            job.results[c.step] = c.result;
            JobRecord record(hostType);
            record.table.modelAtlas.PrinterSize = c.printerClass;
            EXPECT_EQ(runJob(job.steps(), nullptr, &record.table, nullptr), c.expected)
                << c.step << " " << c.result;
            EXPECT_EQ(job.calls, c.calls) << c.step << " " << c.result;
            EXPECT_EQ(cf::NotificationCenter::localCenter().observerCount(), 0u);
        }
    }
}

TEST(MainProcess, PatternCaptionFailureSkipsThePatternLoop) {
    RecordingJob job;
    job.results["patternCreateCaption"] = 13020;
    JobRecord record(0);
    record.table.patternPrint = 1;
    EXPECT_EQ(runJob(job.steps(), nullptr, &record.table, nullptr), 0x40103u);
    EXPECT_EQ(job.calls, (Calls{"initialize", "jobOpen", "startJob", "patternCreateCaption",
                                "jobCancel", "jobClose(cancelled)", "terminate"}));
}

// The printer may not list the job yet (its cancel search finds nothing): the partial job must
// still be closed as cancelled, whatever the search answered and over every connection.
TEST(MainProcess, FailedOrCancelledJobClosesCancelledWhateverThePrinterSideSearchFound) {
    for (const char* connection : {"WQS_LPR", "AppleTalk"}) {
        for (const std::int32_t result : {-1, 1100}) {
            RecordingJob job;
            job.printerAcceptsCancel = true;
            job.results["bandLoop"] = result;
            JobRecord record(0);
            std::strcpy(record.table.connectionTypeName, connection);
            runJob(job.steps(), nullptr, &record.table, nullptr);
            EXPECT_EQ(job.calls.at(job.calls.size() - 2), "jobClose(cancelled)")
                << connection << " " << result;
        }
    }
}

TEST(MainProcess, ImageEditorCancelBeforeOpenOpensNothing) {
    RecordingJob job;
    ScriptedProgress progress(true);
    JobRecord record(1);
    EXPECT_EQ(runJob(job.steps(), nullptr, &record.table, &progress), 0x50104u);
    EXPECT_EQ(job.calls, (Calls{"initialize", "terminate"}));
    EXPECT_EQ(progress.idleCalls, 1);
}

TEST(MainProcess, ImageEditorProgressObjectReachesContextAndPacketRecord) {
    RecordingJob job;
    ScriptedProgress progress(false);
    JobRecord record(1);
    job.duringStart = [&](PLGContext* context) {
        EXPECT_EQ(context->progress, &progress);
        EXPECT_EQ(context->qdxaInfo->progress, &progress);
    };
    EXPECT_EQ(runJob(job.steps(), nullptr, &record.table, &progress), 0u);
    EXPECT_EQ(job.calls, kWholeJob);
    EXPECT_EQ(progress.idleCalls, 1);
}

TEST(MainProcess, PhotoApplicationCancelByteAlreadySetOpensNothing) {
    RecordingJob job;
    JobRecord record(2);
    record.table.cancelRequest = 1;
    EXPECT_EQ(runJob(job.steps(), nullptr, &record.table, nullptr), 0x50104u);
    EXPECT_EQ(job.calls, (Calls{"initialize", "terminate"}));
    EXPECT_EQ(cf::NotificationCenter::localCenter().observerCount(), 0u);
}

TEST(MainProcess, CancelNotificationDuringTheJobSetsTheCancelByte) {
    RecordingJob job;
    JobRecord record(2);
    job.duringStart = [&](PLGContext*) {
        EXPECT_EQ(cf::NotificationCenter::localCenter().observerCount(), 1u);
        cf::NotificationCenter::localCenter().post(kRasterCoreCancelNotification);
        EXPECT_EQ(record.table.cancelRequest, 1);
    };
    job.results["startJob"] = kResultCancelled;
    EXPECT_EQ(runJob(job.steps(), nullptr, &record.table, nullptr), 0x50104u);
    EXPECT_EQ(cf::NotificationCenter::localCenter().observerCount(), 0u);
    // After the job no observer is left to write into the caller's record.
    record.table.cancelRequest = 0;
    cf::NotificationCenter::localCenter().post(kRasterCoreCancelNotification);
    EXPECT_EQ(record.table.cancelRequest, 0);
}

TEST(MainProcess, ColorSpaceSuiteIsTakenForTheImageEditorOnly) {
    static int acquired;
    static std::int32_t answer;
    static HostBasicSuite suite{[](const char* name, std::int32_t version, const void** out) {
        EXPECT_STREQ(name, kColorSpaceSuiteName);
        EXPECT_EQ(version, 1);
        *out = &suite;
        ++acquired;
        return answer;
    }};
    const struct {
        std::uint8_t hostType;
        std::int32_t answer;
        int acquired;
        std::uint32_t expected;
    } cases[] = {{0, 0, 1, 0}, {1, 0, 1, 0}, {1, -5, 1, 0x1A0119}, {2, -5, 0, 0}};
    for (const auto& c : cases) {
        acquired = 0;
        answer = c.answer;
        HostImageRecord image{};
        image.basicSuite = &suite;
        RecordingJob job;
        JobRecord record(c.hostType);
        auto steps = job.steps();
        auto initialize = steps.initialize;
        steps.initialize = [&](void* reserved, CoreCommonInfoTbl** table, PLGContext* context) {
            context->hostImage = &image;
            return initialize(reserved, table, context);
        };
        EXPECT_EQ(runJob(steps, nullptr, &record.table, nullptr), c.expected);
        EXPECT_EQ(acquired, c.acquired);
    }
}

TEST(MainProcess, CoreStepsNotBuiltYetFailTheJob) {
    JobRecord record(2);
    EXPECT_EQ(PLG_CCC_Main_Process(nullptr, &record.table, nullptr), 0x1A0119u);
    EXPECT_EQ(cf::NotificationCenter::localCenter().observerCount(), 0u);
}

}  // namespace
