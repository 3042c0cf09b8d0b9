// USB printers through the library interface: the queue (a recording double) decides who serves
// the printer, a recording channel stands for the printer.
#include <gtest/gtest.h>

#include "interface/tests/interface_fixture.h"
#include "interface/tests/recording_queue.h"
#include "transport/tests/recording_transport.h"

namespace {

using namespace interfacetest;
using Calls = std::vector<std::string>;

constexpr const char* kURI = "usb://Orvane/Stratoline X9?serial=00A1";

class USBPrinter : public InterfaceTest {
  protected:
    static Address* makeAddress() {
        auto made = CLibPrinterAddress::initWithConnectionType(0, "Stratoline X9", kURI);
        return new Address(made.leak());
    }

    void* openJob() {
        void* job = nullptr;
        EXPECT_EQ(IOS_JobOpen(&job, address_->get(), nullptr, nullptr), kIOS_NoErr);
        queue_.calls.clear();
        channel_.calls.clear();
        return job;
    }

    devicetest::RecordingTransport channel_{CaioTransportKind::usb};
    RecordingQueue queue_;
    std::unique_ptr<Address> address_{makeAddress()};
};

TEST_F(USBPrinter, JobOpenBecomesQueueOwnerAndChecksTheStatusThroughTheQueue) {
    void* job = nullptr;
    std::uint32_t subCode = 77;
    ASSERT_EQ(IOS_JobOpen(&job, address_->get(), nullptr, &subCode), kIOS_NoErr);
    EXPECT_EQ(subCode, 0u);
    EXPECT_EQ(queue_.takeCalls(), (Calls{"start 1", "enqueue 1", "wait"}));
    EXPECT_EQ(channel_.calls,
              (Calls{"create Orvane/Stratoline X9?serial=00A1", "open 0 -1 0 500"}));
    EXPECT_EQ(record(kURI)->queueOwner, static_cast<std::uint32_t>(::getpid()));
    EXPECT_EQ(IOS_JobClose(job, 0, nullptr), kIOS_NoErr);
    EXPECT_EQ(queue_.takeCalls(), (Calls{"pause", "resume", "stop"}));

    ASSERT_EQ(IOS_JobOpen2(&job, address_->get(), nullptr, nullptr, 9100, 0x20), kIOS_NoErr);
    EXPECT_EQ(channel_.calls.back(), "open 0 32 1 500");
    EXPECT_EQ(IOS_JobClose(job, 0, nullptr), kIOS_NoErr);
}

TEST_F(USBPrinter, JobOpenWhileTheQueueHasAnOwnerIsBusy) {
    void* admin = nullptr;
    ASSERT_EQ(IOS_AdminOpen(&admin, address_->get()), kIOS_NoErr);  // this process owns it now
    queue_.calls.clear();
    void* job = nullptr;
    EXPECT_EQ(IOS_JobOpen(&job, address_->get(), nullptr, nullptr), kIOS_ErrBusy);
    EXPECT_EQ(job, nullptr);
    EXPECT_TRUE(queue_.calls.empty());
    EXPECT_EQ(record(kURI)->attachCount, 1u);
    EXPECT_EQ(IOS_AdminClose(admin), kIOS_NoErr);
}

TEST_F(USBPrinter, FailedOpenStopsQueuingAndUndoesTheAttach) {
    const struct {
        const char* what;
        std::uint32_t startStatus;
        std::optional<bool> online;
        std::int32_t channelOpen;
        std::uint32_t status;
        Calls queueCalls;
    } cases[] = {
        {"queue cannot start", kIOS_ErrInternal, true, 0, kIOS_ErrInternal, {"start 1"}},
        {"offline", 0, false, 0, kIOS_ErrOffline, {"start 1", "enqueue 1", "wait", "stop"}},
        {"channel busy",
         0,
         true,
         caioStatusFromCode(kCaioCodeNotReady),
         4112,
         {"start 1", "enqueue 1", "wait", "stop"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        queue_.startStatus = c.startStatus;
        queue_.answer.online = c.online;
        channel_.openStatus = c.channelOpen;
        void* job = nullptr;
        EXPECT_EQ(IOS_JobOpen(&job, address_->get(), nullptr, nullptr), c.status);
        EXPECT_EQ(queue_.takeCalls(), c.queueCalls);
        EXPECT_FALSE(registryExists());
        EXPECT_EQ(channel_.liveHandles, 0);
    }
}

TEST_F(USBPrinter, SendsPauseTheAdministrationThread) {
    void* job = openJob();
    std::uint32_t length = 4;
    EXPECT_EQ(IOS_JobSend(job, "data", &length, 0, nullptr), kIOS_NoErr);
    EXPECT_EQ(length, 4u);
    EXPECT_EQ(queue_.takeCalls(), (Calls{"pause", "resume"}));
    EXPECT_EQ(channel_.calls, (Calls{"write 0 data 500"}));

    queue_.pauseWorks = false;
    EXPECT_EQ(IOS_JobSend(job, "more", &length, 0, nullptr), kIOS_ErrInternal);
    EXPECT_EQ(length, 0u);  // nothing was sent
    EXPECT_EQ(channel_.calls.size(), 1u);

    // A close whose pause fails ends the job all the same: no channel outlives its context.
    EXPECT_EQ(IOS_JobClose(job, 0, nullptr), kIOS_ErrInternal);
    EXPECT_EQ(channel_.liveHandles, 0);
    EXPECT_EQ(LibProcessState().openCount, 0u);
    queue_.pauseWorks = true;
}

TEST_F(USBPrinter, CloseThatReportsBusyKeepsTheJobForARetry) {
    void* job = openJob();
    queue_.stopStatuses = {kIOS_ErrBusy};
    EXPECT_EQ(IOS_JobClose(job, 0, nullptr), kIOS_ErrBusy);
    EXPECT_EQ(LibProcessState().openCount, 1u);
    EXPECT_EQ(record(kURI)->attachCount, 1u);
    EXPECT_EQ(queue_.takeCalls(), (Calls{"pause", "resume", "stop"}));

    EXPECT_EQ(IOS_JobClose(job, 0, nullptr), kIOS_NoErr);
    EXPECT_EQ(queue_.takeCalls(), (Calls{"pause", "resume", "stop"}));
    EXPECT_EQ(std::count(channel_.calls.begin(), channel_.calls.end(), "close 0"), 1);
    EXPECT_FALSE(registryExists());
}

TEST_F(USBPrinter, RefusedCloseAsksTheQueueForTheStatus) {
    void* job = openJob();
    channel_.closeStatus = caioStatusFromCode(kCaioCodeNotConnected);
    queue_.answer = StatusAnswer::offlineWith(0x2000042);
    std::uint32_t subCode = 0;
    EXPECT_EQ(IOS_JobClose(job, 0, &subCode), kIOS_ErrOffline);
    EXPECT_EQ(subCode, 0x2000042u);
    // The status is asked once the administration thread serves the queue again.
    EXPECT_EQ(queue_.takeCalls(), (Calls{"pause", "resume", "enqueue 1", "wait"}));
    EXPECT_EQ(IOS_JobClose(job, 0, &subCode), kIOS_NoErr);
    EXPECT_EQ(queue_.takeCalls(), (Calls{"pause", "resume", "stop"}));
}

TEST_F(USBPrinter, AdministrationRequestsAreQueued) {
    void* admin = nullptr;
    ASSERT_EQ(IOS_AdminOpen(&admin, address_->get()), kIOS_NoErr);
    EXPECT_EQ(queue_.takeCalls(), Calls{"start 1"});
    EXPECT_TRUE(channel_.calls.empty());  // the queue owner's thread holds the connection

    Ticket request;
    Ticket response;
    ASSERT_EQ(IOS_TicketSetAttribute(request.get(), kPrinterOnlineKey, 4), kIOS_NoErr);
    queue_.answer = StatusAnswer::onlineWith(0);
    EXPECT_EQ(IOS_AdminGetInfo(admin, request.get(), response.get()), kIOS_NoErr);
    std::uint8_t online = 0;
    EXPECT_EQ(IOS_TicketGetBoolean(response.get(), kPrinterOnlineKey, &online), kIOS_NoErr);
    EXPECT_EQ(online, 1);
    EXPECT_EQ(IOS_AdminSetInfo(admin, request.get(), response.get()), kIOS_NoErr);
    EXPECT_EQ(IOS_AdminControlInfo(admin, request.get(), response.get()), kIOS_NoErr);
    EXPECT_EQ(queue_.takeCalls(), (Calls{"start 0", "enqueue 1", "wait", "start 0", "enqueue 2",
                                         "wait", "start 0", "enqueue 3", "wait"}));

    queue_.enqueueStatus = kIOS_ErrInternal;
    EXPECT_EQ(IOS_AdminGetInfo(admin, request.get(), response.get()), kIOS_ErrInternal);
    queue_.enqueueStatus = 0;
    queue_.waitStatus = kIOS_ErrBusy;
    EXPECT_EQ(IOS_AdminGetInfo(admin, request.get(), response.get()), kIOS_ErrBusy);
    EXPECT_EQ(queue_.takeCalls(), (Calls{"start 0", "enqueue 1", "start 0", "enqueue 1", "wait"}));

    // The context is released whatever the stop reports.
    queue_.stopStatuses = {kIOS_ErrBusy};
    EXPECT_EQ(IOS_AdminClose(admin), kIOS_ErrBusy);
    EXPECT_EQ(queue_.takeCalls(), Calls{"stop"});
}

}  // namespace
