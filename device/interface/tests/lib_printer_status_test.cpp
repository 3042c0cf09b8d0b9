// The offline decision before a job opens and the status sub-codes of refused jobs, on network
// printers: the test printer takes (or refuses) the jobs, the printer's status comes from a
// scripted administration layer.
#include <gtest/gtest.h>

#include "interface/lib_printer_status.h"
#include "interface/tests/interface_fixture.h"
#include "interface/tests/scripted_printer_status.h"
#include "printer/test_printer.h"
#include "transport/tests/recording_transport.h"

namespace {

using namespace interfacetest;
using namespace std::chrono_literals;

constexpr std::uint32_t kUnset = 0xDEADu;

struct Case {
    const char* what;
    std::vector<StatusAnswer> answers;
    std::uint32_t status;
    std::uint32_t subCode;
};

class OfflineDecision : public InterfaceTest {
  protected:
    void SetUp() override { ASSERT_TRUE(printer_.start()) << printer_.error(); }

    // Opens a job with the scripted status; closes it again when it opens.
    std::pair<std::uint32_t, std::uint32_t> openJob(void* options = nullptr) {
        Address address("WQS_LPR", printer_.address());
        void* job = nullptr;
        std::uint32_t subCode = kUnset;
        const std::uint32_t status = IOS_JobOpen(&job, address.get(), options, &subCode);
        EXPECT_EQ(job != nullptr, status == kIOS_NoErr);
        if (job != nullptr) {
            EXPECT_EQ(IOS_JobClose(job, 0, nullptr), kIOS_NoErr);
        }
        // A failed open leaves no record and no registry behind.
        EXPECT_FALSE(registryExists());
        return {status, subCode};
    }

    testsupport::TestPrinter printer_;
    ScriptedPrinterStatus status_;
};

TEST_F(OfflineDecision, StatusDecidesWhetherTheJobOpens) {
    const Case cases[] = {
        {"online", {StatusAnswer::onlineWith(0)}, kIOS_NoErr, 0},
        {"offline", {StatusAnswer::offlineWith(0x2000001)}, kIOS_ErrOffline, kIOS_SubCodeOffline},
        {"no online flag in the answer",
         {{0, std::nullopt, 5}},
         kIOS_ErrOffline,
         kIOS_SubCodeOffline},
        {"query times out", {StatusAnswer::failing(8)}, 4156, 0},
        {"printer refuses the query", {StatusAnswer::failing(13)}, kIOS_ErrPrinterRefused, 0},
    };
    std::size_t jobsOpened = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        status_.script(c.answers);
        EXPECT_EQ(openJob(), std::make_pair(c.status, c.subCode));
        jobsOpened += c.status == kIOS_NoErr ? 1 : 0;
    }
    ASSERT_TRUE(printer_.waitForJobs(jobsOpened, 10s));
    EXPECT_EQ(printer_.jobs().size(), jobsOpened);
    EXPECT_EQ(status_.liveSessions, 0);
}

TEST_F(OfflineDecision, SessionThatCannotOpenFailsTheOpen) {
    status_.openStatus = 4157;
    EXPECT_EQ(openJob(), std::make_pair(std::uint32_t{4157}, 0u));
    EXPECT_EQ(status_.count("get"), 0);
}

TEST_F(OfflineDecision, IgnoreOffLineSkipsTheStatusQuery) {
    status_.script({StatusAnswer::offlineWith(std::nullopt)});
    Ticket options;
    ASSERT_EQ(IOS_TicketSetBoolean(options.get(), kIgnoreOffLineKey, 1), kIOS_NoErr);
    EXPECT_EQ(openJob(options.get()), std::make_pair(kIOS_NoErr, 0u));
    EXPECT_TRUE(status_.calls.empty());

    ASSERT_EQ(IOS_TicketSetBoolean(options.get(), kIgnoreOffLineKey, 0), kIOS_NoErr);
    EXPECT_EQ(openJob(options.get()), std::make_pair(kIOS_ErrOffline, kIOS_SubCodeOffline));
    EXPECT_EQ(status_.count("get"), 1);
}

class RefusedJobOpen : public OfflineDecision {
  protected:
    // The printer closes the connection at the first LPR command: the job open reports 16001.
    static testsupport::TestPrinterOptions refusingEveryCommand() {
        testsupport::TestPrinterOptions options;
        options.lprCloseAfterReceiveJob = true;
        return options;
    }

    testsupport::TestPrinter refusing_{refusingEveryCommand()};
};

TEST_F(RefusedJobOpen, RefusalBecomesOfflineWithTheStatusSubCode) {
    ASSERT_TRUE(refusing_.start()) << refusing_.error();
    const StatusAnswer online = StatusAnswer::onlineWith(0);  // the decision before the open
    const Case cases[] = {
        {"query fails", {online, StatusAnswer::failing(8)}, kIOS_ErrOffline, 0},
        {"online, lowest detail",
         {online, StatusAnswer::onlineWith(10001)},
         kIOS_ErrOffline,
         10001},
        {"online, highest detail",
         {online, StatusAnswer::onlineWith(0xFFFFFF)},
         kIOS_ErrOffline,
         0xFFFFFF},
        {"online, detail too small",
         {online, StatusAnswer::onlineWith(10000)},
         kIOS_ErrOffline,
         kIOS_SubCodeRefused},
        {"online, detail too large",
         {online, StatusAnswer::onlineWith(0x1000000)},
         kIOS_ErrOffline,
         kIOS_SubCodeRefused},
        {"online, negative detail",
         {online, StatusAnswer::onlineWith(-5)},
         kIOS_ErrOffline,
         kIOS_SubCodeRefused},
        {"offline, printer detail",
         {online, StatusAnswer::offlineWith(0x2000000)},
         kIOS_ErrOffline,
         0x2000000},
        {"offline, small detail",
         {online, StatusAnswer::offlineWith(0x1FFFFFF)},
         kIOS_ErrOffline,
         kIOS_SubCodeRefused},
        {"offline, no detail",
         {online, StatusAnswer::offlineWith(std::nullopt)},
         kIOS_ErrOffline,
         kIOS_SubCodeRefused},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        status_.script(c.answers);
        Address address("WQS_LPR", refusing_.address());
        void* job = nullptr;
        std::uint32_t subCode = kUnset;
        EXPECT_EQ(IOS_JobOpen(&job, address.get(), nullptr, &subCode), c.status);
        EXPECT_EQ(subCode, c.subCode);
        EXPECT_EQ(job, nullptr);
        EXPECT_FALSE(registryExists());
    }
}

// Sends and closes on a recording channel, whose answers the test scripts.
class JobSubCodes : public InterfaceTest {
  protected:
    void* openJob() {
        void* job = nullptr;
        EXPECT_EQ(IOS_JobOpen(&job, address_.get(), nullptr, nullptr), kIOS_NoErr);
        return job;
    }

    devicetest::RecordingTransport channel_{CaioTransportKind::network};
    ScriptedPrinterStatus status_;
    Address address_{"WQS_LPR", "192.0.2.7"};
};

TEST_F(JobSubCodes, SendThatTookNothingAsksForTheStatus) {
    const struct {
        const char* what;
        std::int32_t channelStatus;
        StatusAnswer answer;
        std::uint32_t status;
        std::uint32_t subCode;
    } cases[] = {
        {"stalled, online", 0, StatusAnswer::onlineWith(0x3000000), kIOS_NoErr, 0},
        {"stalled, offline with detail", 0, StatusAnswer::offlineWith(0x3000000), kIOS_ErrOffline,
         0x3000000},
        {"stalled, offline", 0, StatusAnswer::offlineWith(12), kIOS_ErrOffline,
         kIOS_SubCodeOffline},
        {"refused, online", 4203, StatusAnswer::onlineWith(0), kIOS_NoErr, 0},
        {"refused, query fails", 4203, StatusAnswer::failing(8), kIOS_ErrOffline, 0},
        {"timed out", 4156, StatusAnswer::offlineWith(0), 4156, kUnset},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        status_.script({StatusAnswer::onlineWith(0)});
        void* job = openJob();
        status_.script({c.answer});
        channel_.writeStatus = c.channelStatus;
        channel_.writeAccepted = 0;
        std::uint32_t length = 4;
        std::uint32_t subCode = kUnset;
        EXPECT_EQ(IOS_JobSend(job, "data", &length, 0, &subCode), c.status);
        EXPECT_EQ(subCode, c.subCode);
        EXPECT_EQ(length, 0u);
        channel_.writeStatus = 0;
        EXPECT_EQ(IOS_JobClose(job, 0, nullptr), kIOS_NoErr);
    }
}

TEST_F(JobSubCodes, SendThatTookSomethingReturnsItsOwnStatus) {
    status_.script({StatusAnswer::onlineWith(0)});
    void* job = openJob();
    const int queriesAfterOpen = status_.count("get");
    channel_.writeStatus = caioStatusFromCode(kCaioCodeTimedOut);
    channel_.writeAccepted = 3;
    std::uint32_t length = 4;
    std::uint32_t subCode = kUnset;
    EXPECT_EQ(IOS_JobSend(job, "data", &length, 0, &subCode), 4156u);
    EXPECT_EQ(length, 3u);
    EXPECT_EQ(subCode, kUnset);
    EXPECT_EQ(status_.count("get"), queriesAfterOpen);
    EXPECT_EQ(IOS_JobClose(job, 0, nullptr), kIOS_NoErr);
}

TEST_F(JobSubCodes, RefusedCloseKeepsTheJobUntilAClosePasses) {
    status_.script({StatusAnswer::onlineWith(0)});
    void* job = openJob();
    status_.script({StatusAnswer::offlineWith(0x2000123)});
    channel_.closeStatus = 4203;
    std::uint32_t subCode = kUnset;
    EXPECT_EQ(IOS_JobClose(job, 0, &subCode), kIOS_ErrOffline);
    EXPECT_EQ(subCode, 0x2000123u);
    EXPECT_EQ(LibProcessState().openCount, 1u);
    EXPECT_EQ(channel_.liveHandles, 0);  // the channel is gone with the refused close

    // The retry finds the job ended and completes the close.
    EXPECT_EQ(IOS_JobClose(job, 0, &subCode), kIOS_NoErr);
    EXPECT_EQ(std::count(channel_.calls.begin(), channel_.calls.end(), "close 0"), 1);
    EXPECT_FALSE(registryExists());
}

TEST_F(JobSubCodes, CloseSubCodeTable) {
    const struct {
        const char* what;
        StatusAnswer answer;
        std::uint32_t subCode;
    } cases[] = {
        {"query fails", StatusAnswer::failing(8), 0},
        {"online", StatusAnswer::onlineWith(0x2000123), 0},
        {"offline", StatusAnswer::offlineWith(7), kIOS_SubCodeOffline},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        status_.script({StatusAnswer::onlineWith(0)});
        channel_.closeStatus = 4203;
        void* job = openJob();
        status_.script({c.answer});
        std::uint32_t subCode = kUnset;
        EXPECT_EQ(IOS_JobClose(job, 0, &subCode), kIOS_ErrOffline);
        EXPECT_EQ(subCode, c.subCode);
        EXPECT_EQ(IOS_JobClose(job, 0, nullptr), kIOS_NoErr);
    }
}

}  // namespace
