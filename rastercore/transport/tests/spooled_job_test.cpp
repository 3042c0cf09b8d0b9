// A spooled job through the core's transport and the real spooling framework: the spool folder
// holds what the job sent, as an independent reader finds it, the status monitor is started
// through the injected launcher, and no printer is reached; a spool disk without room is told.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "cf/property_list.h"
#include "model_printer.h"
#include "rastercore/progress.h"
#include "rastercore/result_codes.h"
#include "record/job_context.h"
#include "scripted_transport.h"
#include "support/file_size_limit.h"
#include "support/python_oracle.h"
#include "transport/job_transport.h"
#include "transport/print_monitor.h"
#include "transport/printer_address.h"

namespace {

using namespace transporttest;

/// Records the monitor's start instead of running it.
class RecordingLauncher {
  public:
    RecordingLauncher() {
        launcher_.runningProcessPaths = [] { return std::vector<std::string>{}; };
        launcher_.launch = [this](const std::string& command) {
            commands.push_back(command);
            return 0;
        };
    }
    std::vector<std::string> commands;

  private:
    PrintMonitorLauncher launcher_ = printMonitorLauncher().production();
    seam::ScopedOverride<PrintMonitorLauncher> override_{printMonitorLauncher(), launcher_};
};

TEST(SpooledJob, TheSpoolFolderHoldsTheJobAsTheJobSenderWillReadIt) {
    DeviceEnvironment environment;
    ModelPrinter model;
    ASSERT_TRUE(model.printer->start()) << model.printer->error();
    RecordingLauncher launcher;
    RecordingProgress progress;
    QDXA_Info info = transportRecord(progress, true);
    ASSERT_EQ(PLG_Get_PrinterAddress("WQS_LPR", model.printer->address().c_str(), nullptr,
                                     &info.printerAddress),
              0);
    PLGContext context{};
    info.context = &context;
    std::strcpy(info.spoolDocumentName, "photo.tif");
    std::strcpy(info.spoolComment, "on the wall");
    info.spoolCopies = 2;

    ASSERT_EQ(PLG_IOS_JobOpen(&info), 0);
    EXPECT_EQ(progress.statuses, std::vector<int>{rastercore::kProgressStatusSpooling});
    EXPECT_EQ(launcher.commands, std::vector<std::string>{printMonitorCommand()});
    const std::string stream =
        std::string("\xCD\xCA\x10\x00\x00\x16\x00\x01\x00\x00", 10) + std::string(10, '\0');
    for (int i = 0; i < 2; ++i) {
        std::uint32_t length = static_cast<std::uint32_t>(stream.size());
        EXPECT_EQ(PLG_IOS_JobSend(&info, reinterpret_cast<const std::uint8_t*>(stream.data()),
                                  &length, false),
                  0);
        EXPECT_EQ(length, 0u);
    }
    PLG_IOS_JobClose(&info, false);
    EXPECT_EQ(info.jobHandle, nullptr);

    const testsupport::TemporaryFolder expectations;
    std::ofstream(expectations / "data", std::ios::binary) << stream << stream;
    std::ofstream(expectations / "expected.json")
        << R"({"jobList": [1], "jobs": [{"id": 1, "JobName": "photo.tif", "Copies": 2,
              "Comment": "on the wall", "SingleJob": false, "JobFileState": 1,
              "printerName": ")"
        << model.printer->address() << R"(", "printerURI": "lpd://)" << model.printer->address()
        << R"(/", "packets": [[22, 0], [22, 0]], "dataFile": ")" << (expectations / "data").string()
        << R"("}]})";
    EXPECT_EQ(testsupport::runPython(SPOOL_READER, {environment.spoolRoot().string(),
                                                    (expectations / "expected.json").string()}),
              0);
    EXPECT_TRUE(model.printer->jobs().empty());
    EXPECT_TRUE(model.responder.requests.empty());
    PLG_Dispose_PrinterAddress(info.printerAddress);
}

// The spool disk fills up while the job is written (here: the file-size limit that a full disk
// acts like): the send says so, and the job is closed as cancelled.
TEST(SpooledJob, ASpoolDiskWithoutRoomIsToldApart) {
    DeviceEnvironment environment;
    RecordingLauncher launcher;
    RecordingProgress progress;
    QDXA_Info info = transportRecord(progress, true);
    ASSERT_EQ(PLG_Get_PrinterAddress("WQS_LPR", "192.0.2.7", nullptr, &info.printerAddress), 0);
    ASSERT_EQ(PLG_IOS_JobOpen(&info), 0);
    const std::string data(4096, 'x');
    std::uint32_t length = static_cast<std::uint32_t>(data.size());
    {
        const testsupport::FileSizeLimit full(1000);
        EXPECT_EQ(PLG_IOS_JobSend(&info, reinterpret_cast<const std::uint8_t*>(data.data()),
                                  &length, false),
                  rastercore::kResultSpoolDiskFull);
    }
    PLG_IOS_JobClose(&info, true);
    cf::Value jobInfo;
    ASSERT_EQ(cf::readPropertyListFile(environment.spoolRoot() / "1/JobInfo", jobInfo),
              cf::PlistStatus::Ok);
    EXPECT_EQ(jobInfo.find("JobFileState")->integer(), 2);  // cancelled
    PLG_Dispose_PrinterAddress(info.printerAddress);
}

}  // namespace
