// The JobSenderAgent program itself: its job list read by an independent client, a queue that
// survives a SIGKILL in the middle of a job, a job whose writer died, and jobsender-ctl.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "agent_process.h"
#include "app/application.h"
#include "job/local_job.h"
#include "qdxa_model_printer.h"
#include "qdxa_stream/qdxa_stream.h"
#include "sender_fixture.h"
#include "support/python_oracle.h"
#include "unserved_display.h"
#include "writer_process.h"

namespace {

using namespace sendertest;

class JobSenderProgram : public ::testing::Test {
  protected:
    ~JobSenderProgram() override { endAnyAgent(); }

    /// Runs the independent client against the job sender with `expected` (JSON).
    int clientSees(const std::string& expected) {
        const auto file = environment_.folder() / "expected.json";
        std::ofstream(file) << expected;
        return testsupport::runPython(JOB_LIST_CLIENT, {agentSocket().string(), file.string()});
    }

    SenderEnvironment environment_;
};

TEST_F(JobSenderProgram, TheJobListAsAnIndependentClientReadsIt) {
    writeFile(environment_.spoolRoot() / "ApplicationState", {0, 0, 0, 1});
    PrinterAddress printer("192.0.2.9");
    const std::uint32_t first =
        spoolJob(printer, stream({10}), 2, false, "Caf\xC3\xA9.tif", "for the wall");
    SpooledJob second(printer, "second", 1, "", true);
    AgentProcess agent;
    EXPECT_EQ(clientSees(R"({"stopped": true, "jobs": [
        {"id": )" + std::to_string(first) +
                         R"(, "name": "Caf\u00e9.tif", "printer": "192.0.2.9",
         "copies": 2, "comment": "for the wall", "state": 1, "progress": 0},
        {"id": )" + std::to_string(second.id()) +
                         R"(, "name": "second", "printer": "192.0.2.9",
         "copies": 1, "comment": "", "state": 0, "progress": -1}]})"),
              0);

    // Deleted, both jobs leave; the writing one once its writer is done.
    ASSERT_TRUE(tellAgent(jobsender::deleteJobEvent(first)));
    ASSERT_TRUE(tellAgent(jobsender::deleteJobEvent(second.id())));
    second.close();
    ASSERT_TRUE(tellAgent(jobsender::jobEndEvent(second.id(), false)));
    EXPECT_EQ(clientSees(R"({"stopped": true, "jobs": []})"), 0);
    EXPECT_TRUE(waitFor([&] { return !std::filesystem::exists(second.folder()); }));

    // With nothing queued, a quit is not questioned.
    ASSERT_TRUE(tellAgent(jobsender::quitEvent()));
    EXPECT_EQ(agent.waitForExit(), jobsender::kExitDone);
}

// Told to quit with a job in the queue where no display can show the question, the program keeps
// running, which loses nothing, and still ends on SIGTERM.
TEST_F(JobSenderProgram, WithoutADisplayAQuitWithJobsKeepsItRunning) {
    struct Case {
        const char* name;
        const char* display;  // null: none named
    };
    const std::string unserved = unservedXDisplay();
    for (const Case& c : {Case{"no display named", nullptr}, Case{"unserved", unserved.c_str()}}) {
        SCOPED_TRACE(c.name);
        const SenderEnvironment environment;  // a queue of its own
        const testsupport::ScopedVariable display("DISPLAY", c.display);
        const testsupport::ScopedVariable wayland("WAYLAND_DISPLAY", nullptr);
        const testsupport::ScopedVariable platform("QT_QPA_PLATFORM", nullptr);
        writeFile(environment.spoolRoot() / "ApplicationState", {0, 0, 0, 1});
        PrinterAddress printer;
        const std::uint32_t id = spoolJob(printer, stream({10}), 1, false, "kept.tif", "");
        AgentProcess agent;
        ASSERT_TRUE(tellAgent(jobsender::quitEvent()));
        const auto list = agentJobList();  // served after the quit was declined
        ASSERT_TRUE(list);
        ASSERT_EQ(list->jobs.size(), 1u);
        EXPECT_EQ(list->jobs[0].jobID, id);
        EXPECT_EQ(agent.terminate(), jobsender::kExitDone);
    }
}

// Killed in the middle of a job, the job sender finds the same queue when it starts again and
// sends the job from its start.
TEST_F(JobSenderProgram, TheQueueSurvivesAKillMidJob) {
    qdxa_test::ModelPrinter model;
    ASSERT_TRUE(model.printer->start()) << model.printer->error();
    PrinterAddress printer(model.printer->address().c_str());
    const Bytes data = stream({3000, 60000, 70, 0, 65535, 12});
    const std::size_t half = 63100;  // the first two packets and part of the third
    SpooledJob job(printer, "kill.tif", 1, "again");
    job.append(Bytes(data.begin(), data.begin() + half));
    auto agent = std::make_unique<AgentProcess>();
    ASSERT_TRUE(waitFor([] {
        const auto list = agentJobList();
        return list && !list->jobs.empty() &&
               list->jobs[0].state == jobsender::kStateSendingWritten;
    }));
    // The device job opens after the printer was asked whether it is online.
    ASSERT_TRUE(model.printer->waitForControlMessages(1, std::chrono::seconds(20)));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const auto before = agentJobList();
    agent->kill();
    agent.reset();

    AgentProcess restarted;
    const auto after = agentJobList();
    ASSERT_TRUE(after);
    ASSERT_EQ(after->jobs.size(), 1u);
    EXPECT_EQ(after->jobs[0].jobID, before->jobs[0].jobID);
    EXPECT_EQ(after->jobs[0].jobName, "kill.tif");
    EXPECT_EQ(after->jobs[0].comment, "again");

    job.append(Bytes(data.begin() + half, data.end()));
    job.close();  // the spooling framework tells the running job sender
    ASSERT_TRUE(waitFor([&] {
        const auto jobs = model.printer->jobs();
        return !jobs.empty() && jobs.back().data == text(data);
    })) << model.printer->jobs().size()
        << " jobs";
    // What the killed job sender had sent is the stream's beginning, whole packets only.
    for (const auto& received : model.printer->jobs()) {
        EXPECT_EQ(received.data, text(data).substr(0, received.data.size()));
        EXPECT_TRUE(
            qdxastream::splitPackets(Bytes(received.data.begin(), received.data.end())).ok());
    }
    EXPECT_TRUE(waitFor([] {
        const auto list = agentJobList();
        return list && list->jobs.empty();
    }));
    EXPECT_TRUE(spool::readJobList(environment_.spoolRoot()).empty());
}

// A print that died while it wrote its job left a fragment marked as being written. The job
// sender started later never sends it, and the complete job behind it goes out at once.
TEST_F(JobSenderProgram, AJobWhoseWriterDiedNeverReachesThePrinter) {
    qdxa_test::ModelPrinter model;
    ASSERT_TRUE(model.printer->start()) << model.printer->error();
    PrinterAddress printer(model.printer->address().c_str());
    const Bytes data = stream({3000, 60000, 70});
    std::uint32_t dead = 0;
    {
        spooltest::WriterProcess writer(printer.get(), Bytes(data.begin(), data.begin() + 63100));
        dead = writer.id();
        ASSERT_NE(dead, 0u);
    }  // killed in the middle of its job
    spoolJob(printer, data, 1, false, "behind.tif", "");

    AgentProcess agent;
    ASSERT_TRUE(model.printer->waitForJobs(1, std::chrono::seconds(20)));
    EXPECT_TRUE(waitFor([] {
        const auto list = agentJobList();
        return list && list->jobs.empty();
    }));
    const auto jobs = model.printer->jobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].data, text(data));
    EXPECT_FALSE(std::filesystem::exists(spool::jobFolder(environment_.spoolRoot(), dead)));
}

// A pipe at the name of "JobList" or of a job's "JobData" never holds the program: it answers,
// and ends on SIGTERM. The list is read as none; the data cannot be read, which stops the queue.
TEST_F(JobSenderProgram, PipesInTheSpoolFolderNeverHoldIt) {
    {
        const SenderEnvironment environment;
        ASSERT_EQ(::mkfifo((environment.spoolRoot() / "JobList").c_str(), 0600), 0);
        AgentProcess agent;
        const auto list = agentJobList();
        ASSERT_TRUE(list);
        EXPECT_TRUE(list->jobs.empty());
        EXPECT_EQ(agent.terminate(), jobsender::kExitDone);
    }
    PrinterAddress printer;
    const std::uint32_t id = spoolJob(printer, stream({10}));
    const auto data = spool::jobFolder(environment_.spoolRoot(), id) / "JobData";
    std::filesystem::remove(data);
    ASSERT_EQ(::mkfifo(data.c_str(), 0600), 0);
    AgentProcess agent;
    ASSERT_TRUE(waitFor([] {
        const auto list = agentJobList();
        return list && list->stopped;
    }));
    EXPECT_EQ(agentJobList()->jobs.at(0).jobID, id);
    EXPECT_EQ(agent.terminate(), jobsender::kExitDone);
}

/// Runs jobsender-ctl with `arguments`; its exit status, and its output in `output`.
int control(const std::string& arguments, std::string* output = nullptr) {
    const testsupport::TemporaryFolder folder;
    const auto file = folder / "output";
    const int status = std::system(
        (std::string("'") + JOBSENDER_CTL + "' " + arguments + " > '" + file.string() + "' 2>&1")
            .c_str());
    if (output != nullptr) {
        std::ifstream in(file);
        std::stringstream text;
        text << in.rdbuf();
        *output = text.str();
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(JobSenderProgram, TheCommandLineClientListsStopsRestartsAndDeletes) {
    const testsupport::ScopedVariable program("STRATOLINE_JOBSENDER", JOBSENDER_AGENT);
    std::string output;
    EXPECT_EQ(control("list", &output), 3);
    EXPECT_NE(output.find("not running"), std::string::npos) << output;

    // Stopping a job sender that does not run starts it stopped.
    EXPECT_EQ(control("stop"), 0);
    PrinterAddress printer;
    const std::uint32_t id = spoolJob(printer, stream({5}), 3, false, "ctl.tif", "c");
    ASSERT_TRUE(waitFor([] {
        const auto list = agentJobList();
        return list && list->jobs.size() == 1;
    }));
    EXPECT_EQ(control("list", &output), 0);
    EXPECT_NE(output.find("queue: stopped"), std::string::npos) << output;
    EXPECT_NE(output.find(std::to_string(id) + "\twaiting\t0%\t3\tctl.tif\t192.0.2.7\tc"),
              std::string::npos)
        << output;

    EXPECT_EQ(control("delete " + std::to_string(id)), 0);
    EXPECT_TRUE(waitFor([] {
        const auto list = agentJobList();
        return list && list->jobs.empty();
    }));
    EXPECT_EQ(control("restart"), 0);
    EXPECT_FALSE(agentJobList()->stopped);
    EXPECT_EQ(control("delete x"), 1);
    EXPECT_EQ(control("frobnicate"), 1);

    ASSERT_TRUE(tellAgent(jobsender::quitEvent()));
    EXPECT_TRUE(waitForAgentEnd());
}

}  // namespace
