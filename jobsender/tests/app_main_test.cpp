// The application object: its events, the job list reply, the stopped state kept across runs,
// the idle quit, the quit confirmation, and jobs whose writer died.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "app_harness.h"
#include "cf/property_list.h"
#include "support/bounded_call.h"
#include "support/file_size_limit.h"
#include "writer_process.h"

namespace {

using namespace sendertest;
using jobsender::JobListReply;

class AppMain : public ::testing::Test {
  protected:
    std::filesystem::path stateFile() const {
        return environment_.spoolRoot() / jobsender::kApplicationStateFile;
    }

    SenderEnvironment environment_;
    PrinterAddress printer_;
    ScriptedDevice device_;
};

TEST_F(AppMain, TheJobListReplyShowsTheQueueHeadFirst) {
    writeFile(environment_.spoolRoot() / "ApplicationState", {0, 0, 0, 1});  // nothing is sent
    const std::uint32_t first = spoolJob(printer_, stream({100}), 2, false, "first.tif", "a");
    SpooledJob second(printer_, "second.tif", 1, "b");
    AppHarness app;
    const JobListReply list = app.list();
    EXPECT_TRUE(list.stopped);
    ASSERT_EQ(list.jobs.size(), 2u);
    EXPECT_EQ(list.jobs[0].jobID, first);
    EXPECT_EQ(list.jobs[0].jobName, "first.tif");
    EXPECT_EQ(list.jobs[0].printerName, "192.0.2.7");
    EXPECT_EQ(list.jobs[0].copies, 2u);
    EXPECT_EQ(list.jobs[0].comment, "a");
    EXPECT_EQ(list.jobs[0].state, jobsender::kStateWaiting);
    EXPECT_EQ(list.jobs[0].progress, 0);
    EXPECT_EQ(list.jobs[1].jobID, second.id());
    EXPECT_EQ(list.jobs[1].state, jobsender::kStateWritten);
    EXPECT_EQ(list.jobs[1].progress, -1);
}

TEST_F(AppMain, TheJobListReplyHoldsAtMost40Jobs) {
    AppHarness app;
    app.send(jobsender::stopEvent());
    const events::Event empty = app.send(jobsender::getInfoEvent());
    EXPECT_EQ(empty.parameter(events::kKeyDirectObject, jobsender::kTypeJobInfo)->size(), 8u);
    EXPECT_EQ(empty.attribute(events::kKeyDirectObject, jobsender::kTypeJobData)->size(), 0u);
    for (std::uint32_t id = 1; id <= 45; ++id) {
        app.send(jobsender::newJobEvent(id));
    }
    const events::Event full = app.send(jobsender::getInfoEvent());
    EXPECT_EQ(full.attribute(events::kKeyDirectObject, jobsender::kTypeJobData)->size(),
              40u * 784u);
    EXPECT_EQ(app.list().jobs.back().jobID, 40u);
    EXPECT_EQ(spool::readJobList(environment_.spoolRoot()).size(), 45u);
}

struct StateCase {
    const char* what;
    Bytes file;
    bool stopped;
};

TEST_F(AppMain, TheStoppedStateIsKeptAcrossRuns) {
    const StateCase cases[] = {
        {"stopped", {0, 0, 0, 1}, true},
        {"running", {0, 0, 0, 0}, false},
        {"a 1 in the wrong byte order", {1, 0, 0, 0}, false},
        {"cut short", {0, 0, 1}, false},
    };
    for (const StateCase& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile(stateFile(), c.file);
        AppHarness app;
        EXPECT_EQ(app.list().stopped, c.stopped);
    }
    std::filesystem::remove(stateFile());
    {
        AppHarness app;
        EXPECT_FALSE(app.list().stopped);
        app.send(jobsender::stopEvent());
        EXPECT_EQ(fileBytes(stateFile()), (Bytes{0, 0, 0, 1}));
    }
    AppHarness restarted;
    EXPECT_TRUE(restarted.list().stopped);
}

// A failed write leaves the state saved before: the file is replaced, never removed first.
TEST_F(AppMain, AFailedSaveKeepsTheEarlierState) {
    writeFile(stateFile(), {0, 0, 0, 1});
    AppHarness app;
    {
        const testsupport::FileSizeLimit limit(2);
        app.send(jobsender::restartEvent());
    }
    EXPECT_EQ(fileBytes(stateFile()), (Bytes{0, 0, 0, 1}));
}

// A state that is a pipe or a device is no state: the queue runs, and the program is not held.
TEST_F(AppMain, AStateThatIsNoRegularFileLeavesTheQueueRunning) {
    ASSERT_EQ(::mkfifo(stateFile().c_str(), 0600), 0);
    EXPECT_EQ(testsupport::runBounded(
                  [] {
                      AppHarness app;
                      return !app.list().stopped;
                  },
                  std::chrono::seconds(5)),
              testsupport::BoundedOutcome::kTrue);
}

struct LaunchCase {
    const char* what;
    std::optional<std::int32_t> flags;
    bool stoppedBefore;
    bool stoppedAfter;
    bool saved;
};

TEST_F(AppMain, LaunchFlagsStopOrRestartTheQueue) {
    const LaunchCase cases[] = {
        {"bit 0 stops", 1, false, true, true},
        {"bit 0 wins over bit 1", 3, false, true, true},
        {"bit 1 restarts", 2, true, false, true},
        {"no flag", 0, false, false, false},
        {"no parameter", std::nullopt, false, false, false},
    };
    for (const LaunchCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(stateFile());
        if (c.stoppedBefore) {
            writeFile(stateFile(), {0, 0, 0, 1});
        }
        AppHarness app;
        app.send(jobsender::openApplicationEvent(c.flags));
        EXPECT_EQ(app.list().stopped, c.stoppedAfter);
        EXPECT_EQ(std::filesystem::exists(stateFile()), c.saved || c.stoppedBefore);
    }
}

// Events whose direct parameter is missing, of another type or of another size change nothing,
// and still answer without an error.
TEST_F(AppMain, UnreadableParametersChangeNothing) {
    AppHarness app;
    events::Event wrongType = jobsender::newJobEvent(5);
    wrongType.parameters[0].type = jobsender::kTypeDeleteJob;
    events::Event wrongSize = jobsender::newJobEvent(6);
    wrongSize.parameters[0].bytes.push_back(0);
    events::Event none = jobsender::newJobEvent(7);
    none.parameters.clear();
    for (const events::Event& event : {wrongType, wrongSize, none}) {
        const events::Event reply = app.send(event);
        EXPECT_FALSE(reply.parameter(events::kKeyErrorNumber, events::kTypeLong));
    }
    EXPECT_TRUE(app.list().jobs.empty());
    EXPECT_FALSE(std::filesystem::exists(environment_.spoolRoot() / "JobList"));
}

// The announcement of a job already loaded from "JobList" (a job sender started by the writer
// finds the job there first) adds nothing.
TEST_F(AppMain, AJobIsQueuedOnce) {
    SpooledJob job(printer_);
    AppHarness app;
    app.send(jobsender::newJobEvent(job.id()));
    EXPECT_EQ(app.list().jobs.size(), 1u);
    EXPECT_EQ(spool::readJobList(environment_.spoolRoot()), std::vector<std::uint32_t>{job.id()});
}

// The end of a cancelled job's writing throws it away: at once when it waits, through the
// sender when it is being sent. Ends of unknown jobs are ignored.
TEST_F(AppMain, ACancelledWritingThrowsTheJobAway) {
    SpooledJob waiting(printer_);
    AppHarness app;
    app.send(jobsender::stopEvent());
    app.send(jobsender::newJobEvent(waiting.id()));
    app.send(jobsender::jobEndEvent(999, true));
    waiting.close(true);
    app.send(jobsender::jobEndEvent(waiting.id(), true));
    EXPECT_TRUE(app.list().jobs.empty());
    app.cycle();
    EXPECT_FALSE(std::filesystem::exists(waiting.folder()));

    SpooledJob sending(printer_);
    sending.append(stream({10}));
    app.send(jobsender::restartEvent());
    app.send(jobsender::newJobEvent(sending.id()));
    ASSERT_TRUE(app.runUntil([&] { return device_.count("send") == 1; }, 10));
    sending.close(true);
    app.send(jobsender::jobEndEvent(sending.id(), true));
    ASSERT_TRUE(app.runToEmpty(10));
    EXPECT_EQ(device_.log.back(), "close(cancel)");
    EXPECT_FALSE(app.list().stopped);
}

// Deleting the job being sent stops the queue and keeps the job; a second delete, once the
// sender has let the job go, removes it.
TEST_F(AppMain, DeletingTheJobBeingSentTakesTwoDeletes) {
    device_.sendAnswers = {{0, 0, 0}};
    const std::uint32_t id = spoolJob(printer_, stream({10}));
    AppHarness app;
    ASSERT_TRUE(app.runUntil([&] { return device_.count("send") > 0; }, 10));
    app.send(jobsender::deleteJobEvent(id));
    EXPECT_TRUE(app.list().stopped);
    EXPECT_EQ(fileBytes(stateFile()), (Bytes{0, 0, 0, 1}));
    app.cycle();
    app.cycle();
    EXPECT_EQ(app.list().jobs.at(0).state, jobsender::kStateWaiting);
    app.send(jobsender::deleteJobEvent(id));
    EXPECT_TRUE(app.list().jobs.empty());
    app.cycle();
    EXPECT_FALSE(app.jobs().IsNecessityWait());
    EXPECT_TRUE(spool::readJobList(environment_.spoolRoot()).empty());
}

struct IdleCase {
    const char* what;
    bool dialogOpen;
    double quietSeconds;
    bool quits;
};

TEST_F(AppMain, ItAsksToQuitAfterBeingIdle) {
    const IdleCase cases[] = {
        {"10 s without work", false, 10, false},
        {"just over 10 s", false, 10.5, true},
        {"while the dialog is open, 179 s", true, 179, false},
        {"while the dialog is open, just over 180 s", true, 180.5, true},
    };
    for (const IdleCase& c : cases) {
        SCOPED_TRACE(c.what);
        const auto marker = environment_.temporary() / jobsender::kPlugInStateFile;
        std::filesystem::remove(marker);
        if (c.dialogOpen) {
            writeFile(marker, {});
        }
        AppHarness app;
        app.cycle();
        app.services.clock += c.quietSeconds;
        app.cycle();
        EXPECT_EQ(app.services.terminationRequests > 0, c.quits);
    }
}

// Asking for the job list, and having jobs, both count as activity.
TEST_F(AppMain, PollingTheListOrHavingJobsKeepsItRunning) {
    AppHarness app;
    for (int i = 0; i < 10; ++i) {
        app.services.clock += 5;
        app.list();
        app.cycle();
    }
    EXPECT_EQ(app.services.terminationRequests, 0);

    app.send(jobsender::stopEvent());
    app.send(jobsender::newJobEvent(1));
    app.services.clock += 100;
    app.cycle();
    EXPECT_EQ(app.services.terminationRequests, 0);
    app.send(jobsender::deleteJobEvent(1));
    app.cycle();  // still being written: it stays in the trash
    app.services.clock += 11;
    app.cycle();
    EXPECT_EQ(app.services.terminationRequests, 0);
    app.send(jobsender::jobEndEvent(1, false));
    app.cycle();
    app.services.clock += 11;
    app.cycle();
    EXPECT_EQ(app.services.terminationRequests, 1);
}

TEST_F(AppMain, QuittingWithJobsAsksTheUser) {
    AppHarness app;
    app.send(jobsender::quitEvent());
    EXPECT_EQ(app.services.terminationRequests, 1);
    EXPECT_TRUE(app.app().shouldQuit());  // nothing queued: no question
    EXPECT_TRUE(app.services.alerts.empty());

    app.send(jobsender::stopEvent());
    app.send(jobsender::newJobEvent(1));
    EXPECT_FALSE(app.app().shouldQuit());  // the second button
    app.services.alertAnswer = true;
    EXPECT_TRUE(app.app().shouldQuit());
    EXPECT_EQ(app.services.alerts,
              std::vector<std::string>(2, "[Alert_Info]|[Alert_OK]|[Alert_Cancel]"));
}

// Jobs abandoned by their writer are found by the scan that runs once a minute.
TEST_F(AppMain, TheTimeOutScanRunsOnceAMinute) {
    SpooledJob job(printer_);
    AppHarness app;
    app.send(jobsender::stopEvent());
    app.send(jobsender::newJobEvent(job.id()));
    app.services.clock += 2000;  // past the writer's time-out, by the application's clock
    app.cycle();
    EXPECT_EQ(app.list().jobs.at(0).state, jobsender::kStateError);
}

// A writer that died in the middle of its job (killed, or stopped by a full disk or a file-size
// limit) leaves its job saying it is being written. The job sender knows at once that its writer
// is gone and ends the job as its "JobInfo" says: thrown away when it is still being written (a
// device job already opened for it closed as cancelled), sent when it was recorded complete. The
// job behind it never waits for it; a job whose writer keeps no lock is left to the time-out.
struct DeadWriterCase {
    const char* what;
    bool diesWhileSent;     ///< else it died before the job sender started
    bool recordedComplete;  ///< it died after recording the job complete, before unlocking
    bool keepsNoLock;       ///< a writer that keeps no lock, as other spooling frameworks
};

TEST_F(AppMain, AJobWhoseWriterDiedNeverHoldsTheQueue) {
    const DeadWriterCase cases[] = {
        {"died before the job sender started", false, false, false},
        {"died while its job was sent", true, false, false},
        {"died after recording its job complete", false, true, false},
        {"keeps no lock", false, false, true},
    };
    const Bytes whole = stream({300, 40});
    const Bytes fragment(whole.begin(), whole.begin() + 330);  // the first packet and a part
    const Bytes behind = stream({7});
    for (const DeadWriterCase& c : cases) {
        SCOPED_TRACE(c.what);
        const SenderEnvironment environment;
        ScriptedDevice device;
        spooltest::WriterProcess writer(printer_.get(), c.recordedComplete ? whole : fragment);
        ASSERT_NE(writer.id(), 0u);
        const auto folder = spool::jobFolder(environment.spoolRoot(), writer.id());
        if (c.keepsNoLock) {
            std::filesystem::remove(folder / spool::kJobWriterLockFile);
        }
        std::unique_ptr<AppHarness> app;
        if (c.diesWhileSent) {
            app = std::make_unique<AppHarness>();
            app->send(jobsender::newJobEvent(writer.id()));
            ASSERT_TRUE(app->runUntil([&] { return device.count("send") == 1; }, 10));
        }
        writer.kill();
        if (c.recordedComplete) {
            cf::Value info;
            ASSERT_EQ(cf::readPropertyListFile(folder / spool::kJobInfoFile, info),
                      cf::PlistStatus::Ok);
            info.set(spool::kJobFileStateKey, std::int64_t{spool::kJobComplete});
            ASSERT_EQ(cf::writePropertyListFile(folder / spool::kJobInfoFile, info),
                      cf::PlistStatus::Ok);
        }
        const std::uint32_t next = spoolJob(printer_, behind);
        if (!app) {
            app = std::make_unique<AppHarness>();
        } else {  // as the spooling framework tells a job sender that runs
            app->send(jobsender::newJobEvent(next));
            app->send(jobsender::jobEndEvent(next, false));
        }

        if (c.keepsNoLock) {
            app->cycle();
            const JobListReply list = app->list();
            ASSERT_EQ(list.jobs.size(), 2u);
            EXPECT_EQ(list.jobs[0].state, jobsender::kStateSendingWritten);
            continue;
        }
        ASSERT_TRUE(app->runToEmpty(20));
        const std::vector<Bytes> expected =
            c.diesWhileSent ? std::vector<Bytes>{Bytes(whole.begin(), whole.begin() + 320), behind}
            : c.recordedComplete ? std::vector<Bytes>{whole, behind}
                                 : std::vector<Bytes>{behind};
        EXPECT_EQ(device.jobs, expected);
        if (c.diesWhileSent) {
            EXPECT_EQ(device.log.at(2), "close(cancel)");
        }
        EXPECT_EQ(device.count("close"), static_cast<int>(expected.size()) - c.diesWhileSent);
        EXPECT_FALSE(app->list().stopped);
        EXPECT_FALSE(std::filesystem::exists(folder));
    }
}

}  // namespace
