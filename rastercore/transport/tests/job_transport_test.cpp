// The job transport against scripted device-library and spooling answers: the waits for an
// offline or busy printer with their status messages, cancel, failures, and the bounds on sends
// and closes that make no progress.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "IOSProxyKit/ios_agency.h"
#include "job/main_process.h"
#include "rastercore/result_codes.h"
#include "record/job_context.h"
#include "scripted_transport.h"
#include "transport/job_transport.h"
#include "util/memory.h"

namespace {

using namespace transporttest;
using Statuses = std::vector<int>;

struct OpenCase {
    const char* what;
    std::deque<Answer> answers;
    Statuses statuses;
    int pauses;
};

TEST(JobTransportOpen, WaitsWhileOfflineOrBusyShowingTheStatusOfTheDetail) {
    const OpenCase cases[] = {
        {"offline three times", {offline(0), offline(0), offline(0), {}}, {3, 3, 3, 2}, 3},
        {"offline without detail", {offline(1001), {}}, {3, 2}, 1},
        {"used by another user", {offline(1011), {}}, {4, 2}, 1},
        {"printer error", {offline(0x2000001), {}}, {5, 2}, 1},
        {"busy shows nothing", {busy(), busy(), {}}, {2}, 2},
        {"open at once", {{}}, {2}, 0},
    };
    for (const OpenCase& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedTransport transport;
        transport.openAnswers = c.answers;
        RecordingProgress progress;
        QDXA_Info info = transportRecord(progress);
        EXPECT_EQ(PLG_IOS_JobOpen(&info), 0);
        EXPECT_NE(info.jobHandle, nullptr);
        EXPECT_EQ(progress.statuses, c.statuses);
        EXPECT_EQ(transport.pauses, c.pauses);  // never a busy loop
        EXPECT_EQ(progress.jobOpenPolls, static_cast<int>(c.answers.size()) - 1);
    }
}

TEST(JobTransportOpen, HardFailureIsAnOpenFailureUnlessTheUserCancelled) {
    for (const bool cancel : {false, true}) {
        ScriptedTransport transport;
        transport.openAnswers = {{22998, 0}};
        RecordingProgress progress;
        progress.cancelAtPoll = cancel ? 1 : 0;
        QDXA_Info info = transportRecord(progress);
        EXPECT_EQ(PLG_IOS_JobOpen(&info), cancel ? 1100 : -1200);
        EXPECT_EQ(info.jobHandle, nullptr);
        EXPECT_EQ(transport.count("open"), 1);
        EXPECT_TRUE(progress.statuses.empty());
    }
}

// A printer that stays offline keeps the job waiting until the user cancels; the job driver then
// sends nothing and closes nothing.
TEST(JobTransportOpen, OfflineUntilCancelledSendsNoData) {
    ScriptedTransport transport;
    transport.openAnswers = {offline(0)};
    RecordingProgress progress;
    progress.cancelAtPoll = 5;  // the first poll is the driver's own, before the open
    QDXA_Info* info = nullptr;
    ASSERT_EQ(Get_MemoryClear(1, sizeof(QDXA_Info), kUnusedKind, &info), 0);
    *info = transportRecord(progress);
    CommonInfoTable host{};
    host.hostType = 1;
    CoreCommonInfoTbl table{};
    table.commonInfo = &host;

    JobSteps steps = jobSteps().production();
    steps.initialize = [info](void*, CoreCommonInfoTbl**, PLGContext* context) {
        context->qdxaInfo = info;
        return 0;
    };
    steps.terminate = [](PLGContext* context) {
        Dispose_MemoryClear(&context->qdxaInfo, kUnusedKind);
        Dispose_MemoryClear(&context, kUnusedKind);
        return 0;
    };
    const seam::ScopedOverride override(jobSteps(), steps);
    EXPECT_EQ(PLG_CCC_Main_Process(nullptr, &table, &progress), rastercore::kPlgCancelled);
    EXPECT_EQ(transport.count("open"), 4);
    EXPECT_EQ(transport.count("send"), 0);
    EXPECT_EQ(transport.count("close"), 0);
    EXPECT_EQ(progress.statuses, (Statuses{3, 3, 3, 3}));
}

// A spool disk without room is told apart from any other failure to open.
TEST(JobTransportOpen, SpooledOpenShowsSpoolingAndStartsTheMonitorOnlyOnSuccess) {
    const struct {
        std::uint32_t status;
        std::int32_t result;
    } cases[] = {{0, 0}, {36, -1200}, {static_cast<std::uint32_t>(kIOSAgencyErrDiskFull), -1210}};
    for (const auto& c : cases) {
        const bool fails = c.status != 0;
        ScriptedTransport transport;
        transport.openAnswers = {{c.status, 0}};
        RecordingProgress progress;
        QDXA_Info info = transportRecord(progress, true);
        std::strcpy(info.spoolDocumentName, "photo.tif");
        std::strcpy(info.spoolComment, "caption");
        info.spoolCopies = 3;
        PLGContext context{};
        context.modelTable.HDD = 1;
        info.context = &context;
        EXPECT_EQ(PLG_IOS_JobOpen(&info), c.result);
        EXPECT_EQ(progress.statuses, Statuses{6});
        const std::vector<std::string> expected =
            fails ? std::vector<std::string>{"agencyOpen photo.tif/3/caption/1"}
                  : std::vector<std::string>{"agencyOpen photo.tif/3/caption/1", "monitorPrinter",
                                             "launch"};
        EXPECT_EQ(transport.log, expected);
    }
}

TEST(JobTransportSend, ShowsPrintingAgainAfterAWait) {
    ScriptedTransport transport;
    transport.sendAnswers = {busy(), busy(), {}};
    RecordingProgress progress;
    QDXA_Info info = transportRecord(progress);
    info.jobHandle = &info;
    std::uint32_t length = 5;
    EXPECT_EQ(
        PLG_IOS_JobSend(&info, reinterpret_cast<const std::uint8_t*>("bytes"), &length, false), 0);
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(progress.statuses, Statuses{2});
    EXPECT_EQ(transport.count("send"), 3);
}

TEST(JobTransportSend, PartialTakesArriveWholeAndInOrder) {
    ScriptedTransport transport;
    transport.sendAnswers = {{0, 0, 3}, {0, 0, 0}, {0, 0, 4}, {}};
    RecordingProgress progress;
    QDXA_Info info = transportRecord(progress);
    info.jobHandle = &info;
    const std::string data = "0123456789AB";
    std::uint32_t length = static_cast<std::uint32_t>(data.size());
    EXPECT_EQ(
        PLG_IOS_JobSend(&info, reinterpret_cast<const std::uint8_t*>(data.data()), &length, true),
        0);
    EXPECT_EQ(transport.sent, data);
    EXPECT_EQ(length, 0u);
    EXPECT_TRUE(progress.statuses.empty());
}

struct SendFailure {
    const char* what;
    bool spooled;
    std::deque<Answer> answers;
    std::int32_t result;
    int sends;
};

TEST(JobTransportSend, FailuresAndSendsThatMakeNoProgress) {
    const SendFailure cases[] = {
        {"direct hard failure", false, {{0, 0, 3}, {10550, 0, 0}}, 14000, 2},
        {"spooled failure", true, {{36, 0, 0}}, -1200, 1},
        {"spooled, no room on the spool disk",
         true,
         {{0, 0, 2}, {static_cast<std::uint32_t>(kIOSAgencyErrDiskFull), 0, 0}},
         -1210,
         2},
        {"direct, nothing taken", false, {{0, 0, 0}}, 14000, kSendPassesWithoutProgress},
        {"spooled, nothing taken", true, {{0, 0, 0}}, -1200, kSendPassesWithoutProgress},
    };
    for (const SendFailure& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedTransport transport;
        transport.sendAnswers = c.answers;
        RecordingProgress progress;
        QDXA_Info info = transportRecord(progress, c.spooled);
        info.jobHandle = &info;
        std::uint32_t length = 6;
        EXPECT_EQ(
            PLG_IOS_JobSend(&info, reinterpret_cast<const std::uint8_t*>("packet"), &length, false),
            c.result);
        EXPECT_EQ(length, 6u - transport.sent.size());
        EXPECT_EQ(static_cast<int>(transport.log.size()), c.sends);
    }
}

TEST(JobTransportSend, CancelWhileOfflineLeavesTheRestUnsent) {
    ScriptedTransport transport;
    transport.sendAnswers = {{0, 0, 2}, offline(0)};
    RecordingProgress progress;
    progress.cancelAtPoll = 3;  // after the first pass's poll, the offline pass's poll
    QDXA_Info info = transportRecord(progress);
    info.jobHandle = &info;
    std::uint32_t length = 6;
    EXPECT_EQ(
        PLG_IOS_JobSend(&info, reinterpret_cast<const std::uint8_t*>("packet"), &length, false),
        1100);
    EXPECT_EQ(transport.sent, "pa");
    EXPECT_EQ(length, 4u);
    EXPECT_EQ(progress.statuses, Statuses{3});
}

TEST(JobTransportSend, EmptySendCallsNothing) {
    ScriptedTransport transport;
    RecordingProgress progress;
    for (const bool spooled : {false, true}) {
        QDXA_Info info = transportRecord(progress, spooled);
        info.jobHandle = &info;
        std::uint32_t length = 0;
        EXPECT_EQ(PLG_IOS_JobSend(&info, nullptr, &length, false), 0);
    }
    EXPECT_TRUE(transport.log.empty());
}

TEST(JobTransportClose, WaitsWhileOfflineAndNeverClosesAReleasedJobTwice) {
    struct CloseCase {
        const char* what;
        std::deque<Answer> answers;
        bool cancelled;
        std::vector<std::string> log;
        Statuses statuses;
    };
    const CloseCase cases[] = {
        {"offline, then closed", {offline(0), {}}, false, {"close", "close"}, {3, 2}},
        {"refused with a detail", {{16001, 5}}, false, {"close"}, {}},
        {"cancelled, refused", {{22998, 0}}, true, {"close(cancelled)"}, {}},
    };
    for (const CloseCase& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedTransport transport;
        transport.closeAnswers = c.answers;
        RecordingProgress progress;
        QDXA_Info info = transportRecord(progress);
        info.jobHandle = &info;
        PLG_IOS_JobClose(&info, c.cancelled);
        EXPECT_EQ(transport.log, c.log);
        EXPECT_EQ(progress.statuses, c.statuses);
        EXPECT_EQ(info.jobHandle, nullptr);
    }
}

TEST(JobTransportClose, CancelEndsTheWaitAndSpooledJobsCloseInTheFramework) {
    ScriptedTransport transport;
    transport.closeAnswers = {busy()};
    RecordingProgress progress;
    progress.cancelAtPoll = 2;
    QDXA_Info direct = transportRecord(progress);
    direct.jobHandle = &direct;
    PLG_IOS_JobClose(&direct, false);
    EXPECT_EQ(transport.count("close"), 2);

    QDXA_Info spooled = transportRecord(progress, true);
    spooled.jobHandle = &spooled;
    PLG_IOS_JobClose(&spooled, true);
    EXPECT_EQ(transport.log.back(), "agencyClose(cancelled)");
    EXPECT_EQ(spooled.jobHandle, nullptr);
    PLG_IOS_JobClose(&spooled, true);  // nothing open: nothing called
    EXPECT_EQ(transport.count("agencyClose(cancelled)"), 1);
}

}  // namespace
