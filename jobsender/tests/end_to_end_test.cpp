// A job spooled by the print core with background printing reaches its printer through the job
// sender that the spooling framework starts, copy by copy, byte for byte as the core's direct
// print of the same job.
#include <gtest/gtest.h>

#include <cstring>

#include "agent_process.h"
#include "qdxa_model_printer.h"
#include "rastercore/progress.h"
#include "record/job_context.h"
#include "sender_fixture.h"
#include "support/quiet_progress.h"
#include "transport/job_transport.h"
#include "transport/print_monitor.h"
#include "transport/printer_address.h"

namespace {

using namespace sendertest;

/// Sends `data` as one job through the core's transport, in pieces as the band loop would.
void printThroughTheCore(QDXA_Info& info, const Bytes& data) {
    ASSERT_EQ(PLG_IOS_JobOpen(&info), 0);
    constexpr std::size_t kPiece = 5000;
    for (std::size_t offset = 0; offset < data.size(); offset += kPiece) {
        auto length = static_cast<std::uint32_t>(std::min(kPiece, data.size() - offset));
        ASSERT_EQ(PLG_IOS_JobSend(&info, data.data() + offset, &length, false), 0);
        ASSERT_EQ(length, 0u);
    }
    PLG_IOS_JobClose(&info, false);
    EXPECT_EQ(info.jobHandle, nullptr);
}

TEST(EndToEnd, ASpooledJobIsPrintedAsTheDirectPrintOfTheSameJob) {
    const SenderEnvironment environment(JOBSENDER_AGENT);
    qdxa_test::ModelPrinter model;
    ASSERT_TRUE(model.printer->start()) << model.printer->error();
    PrintMonitorLauncher monitor = printMonitorLauncher().production();
    monitor.runningProcessPaths = [] { return std::vector<std::string>{}; };
    monitor.launch = [](const std::string&) { return 0; };
    const seam::ScopedOverride<PrintMonitorLauncher> noMonitor(printMonitorLauncher(), monitor);

    const Bytes data = stream({13, 300, 65535, 0, 40000, 65535, 65535, 7, 1});
    testsupport::QuietProgress progress;
    PLGContext context{};
    QDXA_Info spooled{};
    spooled.hostType = 1;
    spooled.progress = &progress;
    spooled.context = &context;
    spooled.spool = 1;
    spooled.spoolCopies = 2;
    std::strcpy(spooled.spoolDocumentName, "photo.tif");
    std::strcpy(spooled.spoolComment, "in the background");
    ASSERT_EQ(PLG_Get_PrinterAddress("WQS_LPR", model.printer->address().c_str(), nullptr,
                                     &spooled.printerAddress),
              0);
    printThroughTheCore(spooled, data);
    ASSERT_TRUE(model.printer->waitForJobs(2, std::chrono::seconds(30)));

    QDXA_Info direct = spooled;
    direct.spool = 0;
    printThroughTheCore(direct, data);
    ASSERT_TRUE(model.printer->waitForJobs(3, std::chrono::seconds(30)));
    const auto jobs = model.printer->jobs();
    ASSERT_EQ(jobs.size(), 3u);
    EXPECT_EQ(jobs[2].data, text(data));
    EXPECT_EQ(jobs[0].data, jobs[2].data);
    EXPECT_EQ(jobs[1].data, jobs[2].data);
    PLG_Dispose_PrinterAddress(spooled.printerAddress);

    // Its queue empty, the job sender has thrown the job away and quits when told to.
    EXPECT_TRUE(waitFor([] {
        const auto list = agentJobList();
        return list && list->jobs.empty();
    }));
    EXPECT_TRUE(waitFor([&] { return !std::filesystem::exists(environment.spoolRoot() / "1"); }));
    ASSERT_TRUE(tellAgent(jobsender::quitEvent()));
    EXPECT_TRUE(waitForAgentEnd());
}

}  // namespace
