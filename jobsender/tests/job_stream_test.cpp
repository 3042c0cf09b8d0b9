// Sending a job's packet stream: whole packets only, blocks of at most 128 KiB, one device job
// per copy, waits while the printer is offline or busy, broken streams, and the closes of
// device jobs that the printer puts off.
#include <gtest/gtest.h>

#include <numeric>

#include "app_harness.h"
#include "qdxa_stream/qdxa_stream.h"
#include "send/job_send_qdxa.h"

namespace {

using namespace sendertest;
using jobsender::kStateError;
using jobsender::kStatePrinterStatus;

/// True when every block is a run of whole packets.
::testing::AssertionResult wholePackets(const std::vector<Bytes>& blocks) {
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const auto split = qdxastream::splitPackets(blocks[i]);
        if (!split.ok() || blocks[i].size() > jobsender::kPacketBufferBytes) {
            return ::testing::AssertionFailure()
                   << "block " << i << " of " << blocks[i].size() << " bytes: " << split.error;
        }
    }
    return ::testing::AssertionSuccess();
}

Bytes joined(const std::vector<Bytes>& blocks) {
    Bytes all;
    for (const Bytes& block : blocks) {
        all.insert(all.end(), block.begin(), block.end());
    }
    return all;
}

class JobStream : public ::testing::Test {
  protected:
    SenderEnvironment environment_;
    PrinterAddress printer_;
    ScriptedDevice device_;
};

// The writer appends 7 bytes at a time while the sender runs a cycle after each piece: packets go
// out only once whole, a header whose payload is still coming waits, and the job ends when the
// writer's end arrives.
TEST_F(JobStream, AGrowingStreamIsSentInWholePacketsAndEndsWithItsWriting) {
    const Bytes data = stream({13, 0, 300, 1, 64});
    SpooledJob job(printer_);
    AppHarness app;
    app.send(jobsender::newJobEvent(job.id()));
    for (std::size_t offset = 0; offset < data.size(); offset += 7) {
        job.append(
            Bytes(data.begin() + static_cast<std::ptrdiff_t>(offset),
                  data.begin() + static_cast<std::ptrdiff_t>(std::min(offset + 7, data.size()))));
        app.cycle();
        app.cycle();
        EXPECT_EQ(app.list().jobs.at(0).progress, -1);
    }
    EXPECT_TRUE(wholePackets(device_.blocks));
    EXPECT_EQ(joined(device_.blocks), data);
    EXPECT_EQ(device_.count("close"), 0);  // still being written
    EXPECT_EQ(app.list().jobs.at(0).state, jobsender::kStateSendingWritten);

    job.close();
    app.send(jobsender::jobEndEvent(job.id(), false));
    ASSERT_TRUE(app.runToEmpty());
    EXPECT_EQ(device_.log.back(), "close");
    EXPECT_EQ(device_.jobs, std::vector<Bytes>{data});
    EXPECT_FALSE(std::filesystem::exists(job.folder()));
    EXPECT_TRUE(spool::readJobList(environment_.spoolRoot()).empty());
}

struct BlockCase {
    const char* what;
    std::vector<std::size_t> payloads;
    std::vector<std::size_t> blockSizes;
};

TEST_F(JobStream, BlocksHoldWholePacketsUpTo128KiB) {
    const BlockCase cases[] = {
        {"two packets fill one block exactly", {65516, 65516}, {131072}},
        {"one byte more leaves the last packet for the next block", {65516, 65517}, {65536, 65537}},
        {"a packet without payload is 20 bytes", {0, 0, 5}, {65}},
        {"largest packets, one per block", {65535, 65535, 65535}, {65555, 65555, 65555}},
    };
    for (const BlockCase& c : cases) {
        SCOPED_TRACE(c.what);
        device_.blocks.clear();
        const Bytes data = stream(c.payloads);
        spoolJob(printer_, data);
        AppHarness app;
        ASSERT_TRUE(app.runToEmpty());
        std::vector<std::size_t> sizes;
        for (const Bytes& block : device_.blocks) {
            sizes.push_back(block.size());
        }
        EXPECT_EQ(sizes, c.blockSizes);
        EXPECT_EQ(joined(device_.blocks), data);
    }
}

struct CopyCase {
    const char* what;
    std::uint16_t copies;
    bool single;
    std::size_t deviceJobs;
};

TEST_F(JobStream, EachCopyIsADeviceJobUnlessThePrinterMakesTheCopies) {
    const CopyCase cases[] = {
        {"three copies", 3, false, 3},
        {"three copies made by the printer", 3, true, 1},
        {"no copies is sent once", 0, false, 1},
    };
    const Bytes data = stream({100, 7000});
    for (const CopyCase& c : cases) {
        SCOPED_TRACE(c.what);
        device_.jobs.clear();
        spoolJob(printer_, data, c.copies, c.single);
        AppHarness app;
        std::vector<std::int32_t> progress;
        ASSERT_TRUE(app.runUntil([&] {
            const auto list = app.list();
            if (!list.jobs.empty()) {
                progress.push_back(list.jobs[0].progress);
            }
            return list.jobs.empty();
        }));
        EXPECT_EQ(device_.jobs, std::vector<Bytes>(c.deviceJobs, data));
        EXPECT_EQ(device_.openJobs, 0);
        EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
        EXPECT_LE(progress.back(), 100);
    }
}

// Offline shows the printer's status in the job (state 4) and busy shows nothing; either way
// the same operation is tried again in later cycles, which then need not follow at once.
TEST_F(JobStream, OfflineAndBusyAreWaitedOutStepByStep) {
    const Bytes data = stream({500});
    device_.openAnswers = {offline(0x2000005), offline(0x2000005), busy(), {}};
    device_.sendAnswers = {busy(), offline(), {}};
    device_.closeAnswers = {offline(), {}};
    const std::uint32_t id = spoolJob(printer_, data);
    AppHarness app;
    EXPECT_EQ(app.cycle(), jobsender::kIdleCycle);
    EXPECT_EQ(app.list().jobs.at(0).state, kStatePrinterStatus);
    ASSERT_TRUE(app.runToEmpty());
    EXPECT_EQ(device_.count("open"), 4);
    EXPECT_EQ(device_.count("send"), 3);
    EXPECT_EQ(device_.count("close"), 2);
    EXPECT_EQ(device_.jobs, std::vector<Bytes>{data});
    EXPECT_EQ(app.jobs().GetObjectFromID(id), nullptr);
}

TEST_F(JobStream, AFailingDeviceCallStopsTheQueueWithTheJobAtItsHead) {
    device_.openAnswers = {{10553}};
    const std::uint32_t id = spoolJob(printer_, stream({10}));
    AppHarness app;
    app.cycle();
    const auto list = app.list();
    EXPECT_TRUE(list.stopped);
    EXPECT_EQ(list.jobs.at(0).jobID, id);
    EXPECT_EQ(fileBytes(environment_.spoolRoot() / "ApplicationState"), (Bytes{0, 0, 0, 1}));
    app.runUntil([] { return false; }, 5);
    EXPECT_EQ(device_.count("open"), 1);  // stopped: never tried again by itself

    // Restarted, it is sent from its first copy.
    device_.openAnswers = {{}};
    app.send(jobsender::restartEvent());
    EXPECT_EQ(fileBytes(environment_.spoolRoot() / "ApplicationState"), (Bytes{0, 0, 0, 0}));
    ASSERT_TRUE(app.runToEmpty());
    EXPECT_EQ(device_.jobs.size(), 1u);
}

struct BrokenCase {
    const char* what;
    Bytes data;
    std::size_t sentBeforeBreak;
};

// A packet without the magic, or a finished stream that ends inside a packet, make the job broken:
// it stops the queue (saved) instead of waiting for ever for bytes that cannot come.
TEST_F(JobStream, ABrokenStreamMarksTheJobAndStopsTheQueue) {
    Bytes badMagic = stream({30});
    Bytes second = packet(0x1A, 8);
    second[0] = 0xCC;
    badMagic.insert(badMagic.end(), second.begin(), second.end());
    Bytes cutPayload = stream({30, 40});
    cutPayload.resize(cutPayload.size() - 1);
    Bytes cutHeader = stream({30});
    cutHeader.resize(cutHeader.size() + 12, 0xCD);
    Bytes headerOnly = stream({30});
    const Bytes lonely = packet(0x1A, 0);
    headerOnly.insert(headerOnly.end(), lonely.begin(), lonely.begin() + 10);
    headerOnly[50 + 8] = 1;  // announces a payload of 256 bytes that is not there
    headerOnly.resize(headerOnly.size() + 10);
    const BrokenCase cases[] = {
        {"a packet without the magic", badMagic, 0},
        {"a payload cut short", cutPayload, 0},
        {"less than a header left", cutHeader, 0},
        {"a header whose payload is missing", headerOnly, 0},
    };
    for (const BrokenCase& c : cases) {
        SCOPED_TRACE(c.what);
        const SenderEnvironment environment;
        device_.log.clear();
        spoolJob(printer_, c.data);
        AppHarness app;
        ASSERT_TRUE(app.runUntil([&] { return app.list().stopped; }, 20));
        EXPECT_EQ(app.list().jobs.at(0).state, kStateError);
        EXPECT_EQ(fileBytes(environment.spoolRoot() / "ApplicationState"), (Bytes{0, 0, 0, 1}));
        EXPECT_EQ(device_.count("send"), 0);
        // The broken job stops the queue again each time it is taken, until it is deleted.
        app.send(jobsender::restartEvent());
        app.runUntil([&] { return app.list().stopped; }, 20);
        EXPECT_TRUE(app.list().stopped);
        app.send(jobsender::deleteJobEvent(app.list().jobs.at(0).jobID));
        app.runUntil([&] { return app.list().jobs.empty(); }, 20);
        EXPECT_TRUE(app.list().jobs.empty());
        EXPECT_EQ(device_.openJobs, 0);
    }
}

// An empty stream opens no device job, so it closes none either, and the job is done.
TEST_F(JobStream, AnEmptyStreamIsDoneWithoutADeviceJob) {
    spoolJob(printer_, {}, 2);
    AppHarness app;
    ASSERT_TRUE(app.runToEmpty(50));
    EXPECT_TRUE(device_.log.empty());
    EXPECT_FALSE(app.list().stopped);
}

// A close that the library fails has released the device job: it is never closed again.
TEST_F(JobStream, AFailedCloseReleasesTheDeviceJob) {
    device_.closeAnswers = {{22998}};
    spoolJob(printer_, stream({10}));
    AppHarness app;
    ASSERT_TRUE(app.runUntil([&] { return app.list().stopped; }, 20));
    app.destroy();
    EXPECT_EQ(device_.count("close") + device_.count("close(cancel)"), 1);
}

// Stopping closes the device job as cancelled. An offline or busy printer keeps the device job
// open (a USB printer's queue stays owned until the close), so the close is tried again, a
// bounded number of times.
TEST_F(JobStream, ACancelledCloseThatThePrinterPutsOffIsTriedAgain) {
    struct Case {
        const char* what;
        std::deque<Answer> closes;
        int expectedCloses;
    };
    const Case cases[] = {
        {"busy twice", {busy(), busy(), {}}, 3},
        {"offline for ever", {offline()}, jobsender::kCancelCloseAttempts},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const SenderEnvironment environment;  // each case starts with a running queue
        device_.log.clear();
        device_.closeAnswers = c.closes;
        device_.sendAnswers = {{0, 0, 0}};  // the printer takes nothing: the job stays open
        const std::uint32_t id = spoolJob(printer_, stream({10}));
        AppHarness app;
        app.runUntil([&] { return device_.count("send") > 0; }, 20);
        app.send(jobsender::stopEvent());
        app.runUntil([&] { return app.list().jobs.at(0).state == jobsender::kStateWaiting; }, 200);
        EXPECT_EQ(device_.count("close(cancel)"), c.expectedCloses);
        app.send(jobsender::deleteJobEvent(id));
        app.cycle();
    }
}

// A stopped queue restarts the job from the start of its first copy.
TEST_F(JobStream, AStoppedJobIsSentAgainFromItsFirstCopy) {
    const Bytes data = stream({1000, 2000});
    device_.sendAnswers = {{0, 0, 500}};
    spoolJob(printer_, data, 2);
    AppHarness app;
    app.runUntil([&] { return device_.count("send") == 3; });
    app.send(jobsender::stopEvent());
    app.runUntil([&] { return app.jobs().GetSendJob()->GetIsJobSend() == 0; }, 10);
    EXPECT_EQ(app.list().jobs.at(0).state, jobsender::kStateWaiting);
    EXPECT_EQ(device_.log.back(), "close(cancel)");
    device_.sendAnswers = {{}};
    app.send(jobsender::restartEvent());
    ASSERT_TRUE(app.runToEmpty());
    ASSERT_EQ(device_.jobs.size(), 3u);
    EXPECT_EQ(device_.jobs[1], data);
    EXPECT_EQ(device_.jobs[2], data);
}

}  // namespace
