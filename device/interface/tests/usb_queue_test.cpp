// The operation queue of a printer's record and the queue owner's administration thread, in one
// process; the thread's administration sessions run on a scripted protocol layer.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

#include "interface/lib_admin_thread.h"
#include "interface/lib_device_use.h"
#include "interface/lib_queue.h"
#include "interface/lib_state.h"
#include "interface/tests/interface_fixture.h"
#include "interface/tests/scripted_printer_status.h"
#include "registry/lib_settings.h"

namespace {

using namespace interfacetest;

constexpr const char* kURI = "usb://Orvane/Stratoline X9?serial=00A1";
constexpr const char* kKey = "orvane.wqs.Probe";

device::OwnedTicket ticketWith(std::int32_t value) {
    TktLibTicket* ticket = nullptr;
    TktLibCreateTicket(&ticket);
    TktLibSetSInt32(ticket, kKey, value);
    return device::OwnedTicket(ticket);
}

std::int32_t probe(const TktLibTicket* ticket) {
    std::int32_t value = -1;
    TktLibGetSInt32(ticket, kKey, &value);
    return value;
}

class OperationQueue : public InterfaceTest {
  protected:
    void SetUp() override {
        ASSERT_EQ(LocalSetUp(), kIOS_NoErr);
        ASSERT_EQ(LocalAttachDevice(*LibProcessState().sharedInfo, kURI, 0, device), kIOS_NoErr);
        device->unlock();
        address = CLibPrinterAddress::initWithConnectionType(0, "Stratoline X9", kURI);
    }
    void TearDown() override {
        LocalDetachDevice(*LibProcessState().sharedInfo, *device);
        device.reset();
        LocalTearDownIfIdle();
    }

    double enqueue(std::uint32_t type, std::int32_t value) {
        const device::OwnedTicket in = ticketWith(value);
        const device::OwnedTicket out = ticketWith(-value);
        double identifier = 0;
        EXPECT_EQ(device->enqueueOperationWithType(type, in.get(), out.get(), &identifier),
                  kCLibDeviceInfoNoErr);
        return identifier;
    }
    std::filesystem::path requests() const { return *device->ticketDirectoryURLForRequest(); }
    std::filesystem::path responses() const { return *device->ticketDirectoryURLForResponse(); }
    static std::size_t filesIn(const std::filesystem::path& folder) {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                      std::filesystem::directory_iterator()));
    }

    std::unique_ptr<CLibDeviceInfo> device;
    device::PrinterAddressRef address;
};

TEST_F(OperationQueue, HoldsSixteenOperationsAndRefusesBadArguments) {
    for (int i = 0; i < 16; ++i) {
        enqueue(kCLibOperationGet, i);
    }
    const device::OwnedTicket ticket = ticketWith(0);
    double identifier = 1;
    EXPECT_EQ(device->enqueueOperationWithType(kCLibOperationSet, ticket.get(), ticket.get(),
                                               &identifier),
              kCLibDeviceInfoQueueFull);
    EXPECT_EQ(identifier, 0.0);
    EXPECT_EQ(
        device->enqueueOperationWithType(kCLibOperationGet, ticket.get(), nullptr, &identifier),
        kCLibDeviceInfoParamErr);
    EXPECT_EQ(device->enqueueOperationWithType(kCLibOperationStop, nullptr, nullptr, nullptr),
              kCLibDeviceInfoParamErr);
    EXPECT_EQ(filesIn(requests()), 32u);
    // The conversions the library interface reports them with.
    EXPECT_EQ(LocalEnqueue(kLibQueueGet, device.get(), ticket.get(), ticket.get(), &identifier),
              kIOS_ErrInternal);
    EXPECT_EQ(LocalEnqueue(kLibQueueGet, nullptr, ticket.get(), ticket.get(), &identifier),
              kIOS_ErrParam);
}

TEST_F(OperationQueue, DequeueTakesTheHeadWithItsTicketsInOrder) {
    std::unique_ptr<CLibOperationTask> operation;
    EXPECT_EQ(device->dequeueOperation(operation), kCLibDeviceInfoQueueEmpty);
    const double first = enqueue(kCLibOperationGet, 1);
    double stop = 0;
    ASSERT_EQ(device->enqueueOperationWithType(kCLibOperationStop, nullptr, nullptr, &stop),
              kCLibDeviceInfoNoErr);
    EXPECT_GT(stop, first);

    ASSERT_EQ(device->dequeueOperation(operation), kCLibDeviceInfoNoErr);
    EXPECT_EQ(operation->identifier(), first);
    EXPECT_EQ(operation->type(), kCLibOperationGet);
    EXPECT_EQ(probe(operation->inputTicket()), 1);
    EXPECT_EQ(probe(operation->outputTicket()), -1);
    EXPECT_EQ(filesIn(requests()), 0u);
    ASSERT_EQ(device->dequeueOperation(operation), kCLibDeviceInfoNoErr);
    EXPECT_EQ(operation->type(), kCLibOperationStop);
    EXPECT_EQ(operation->inputTicket(), nullptr);
    EXPECT_EQ(device->dequeueOperation(operation), kCLibDeviceInfoQueueEmpty);
}

TEST_F(OperationQueue, LostTicketsAreTakenWithoutAndUnreadableOnesWaitBehindTheOthers) {
    const double lost = enqueue(kCLibOperationGet, 1);
    const double unreadable = enqueue(kCLibOperationSet, 2);
    const double good = enqueue(kCLibOperationControl, 3);
    std::filesystem::remove(requests() /
                            device::TicketFileName(device::TicketFileKind::Input, lost));
    std::ofstream(requests() / device::TicketFileName(device::TicketFileKind::Output, unreadable))
        << "garbage";

    std::unique_ptr<CLibOperationTask> operation;
    ASSERT_EQ(device->dequeueOperation(operation), kCLibDeviceInfoNoErr);
    EXPECT_EQ(operation->identifier(), lost);
    EXPECT_EQ(operation->inputTicket(), nullptr);
    EXPECT_EQ(operation->outputTicket(), nullptr);

    EXPECT_NE(device->dequeueOperation(operation), kCLibDeviceInfoNoErr);
    ASSERT_EQ(device->dequeueOperation(operation), kCLibDeviceInfoNoErr);
    EXPECT_EQ(operation->identifier(), good);
    EXPECT_NE(device->dequeueOperation(operation), kCLibDeviceInfoNoErr);  // still unreadable
    EXPECT_EQ(device->contents()->queue[0].taskIdentifier, unreadable);
    EXPECT_TRUE(device->removeOperationWithIdentifier(unreadable));
    EXPECT_EQ(device->dequeueOperation(operation), kCLibDeviceInfoQueueEmpty);
    EXPECT_EQ(filesIn(requests()), 0u);
}

TEST_F(OperationQueue, CompletionsGoToTheirRequesterAndAbandonedOnesAreReclaimed) {
    const auto complete = [&](double identifier, std::uint32_t error) {
        CLibCompleteTask task(std::make_unique<CLibOperationTask>(
            identifier, kCLibOperationGet, nullptr, ticketWith(static_cast<std::int32_t>(error))));
        task.setError(error);
        return device->addCompleteTask(task);
    };
    // Sixteen answers that came after their requesters had given up, long ago.
    for (std::size_t i = 0; i < kSharedCompleteSlotCount; ++i) {
        CompleteSlot& slot = device->contents()->completeList[i];
        slot.slot.taskIdentifier = static_cast<double>(i + 1);
        const std::string name =
            device::TicketFileName(device::TicketFileKind::Output, slot.slot.taskIdentifier);
        std::snprintf(slot.slot.outputTicketName, kSharedStringSize, "%s", name.c_str());
        std::ofstream(responses() / name) << "late";
    }
    EXPECT_EQ(filesIn(responses()), 16u);
    const double fresh = enqueue(kCLibOperationGet, 7);
    ASSERT_EQ(complete(fresh, 16001), kCLibDeviceInfoNoErr);
    EXPECT_EQ(filesIn(responses()), 1u);

    std::unique_ptr<CLibCompleteTask> task;
    ASSERT_EQ(device->waitForCompleteTaskWithIdentifier(fresh, task), kCLibDeviceInfoNoErr);
    EXPECT_EQ(task->error(), 16001u);
    EXPECT_EQ(probe(task->outputTicket()), 16001);
    EXPECT_EQ(filesIn(responses()), 0u);
    EXPECT_EQ(device->waitForCompleteTaskWithIdentifier(0.0, task), kCLibDeviceInfoParamErr);

    // Sixteen answers that requesters may still wait for fill the list.
    for (int i = 0; i < 16; ++i) {
        ASSERT_EQ(complete(fresh + i, 0), kCLibDeviceInfoNoErr);
    }
    EXPECT_EQ(complete(fresh + 16, 0), kCLibDeviceInfoCompleteListFull);
}

class OwnersThread : public OperationQueue {
  protected:
    ScriptedPrinterStatus printer;
};

TEST_F(OwnersThread, ServesQueuedRequestsAndStopsBehindThem) {
    ASSERT_EQ(LocalStartQueuing(device.get(), address.get(), true), kIOS_NoErr);
    EXPECT_TRUE(device->queueOwnerExists());
    EXPECT_EQ(printer.count("open"), 1);
    // A second start with a live owner only counts.
    ASSERT_EQ(LocalStartQueuing(device.get(), address.get(), true), kIOS_NoErr);
    EXPECT_EQ(LibProcessState().multiDeviceControlInfo[kURI].portCount, 2u);
    ASSERT_TRUE(LocalPauseAdminThread(kURI));  // requests wait while a job sends

    printer.script({StatusAnswer::onlineWith(10001), StatusAnswer::offlineWith(0x2000001)});
    Ticket request;
    ASSERT_EQ(IOS_TicketSetAttribute(request.get(), kPrinterOnlineKey, 4), kIOS_NoErr);
    std::vector<std::pair<double, std::unique_ptr<Ticket>>> gets;
    for (int i = 0; i < 2; ++i) {
        auto response = std::make_unique<Ticket>();
        double identifier = 0;
        ASSERT_EQ(
            LocalEnqueue(kLibQueueGet, device.get(), static_cast<TktLibTicket*>(request.get()),
                         static_cast<TktLibTicket*>(response->get()), &identifier),
            kIOS_NoErr);
        gets.emplace_back(identifier, std::move(response));
    }
    double unknown = 0;
    ASSERT_EQ(LocalEnqueue(9, device.get(), nullptr, nullptr, &unknown), kIOS_NoErr);
    EXPECT_EQ(printer.count("get"), 0);
    ASSERT_TRUE(LocalResumeAdminThread(kURI));

    // The last context's stop goes behind both: they are answered before the thread ends.
    EXPECT_EQ(LocalStopQueuing(device.get(), address.get()), kIOS_NoErr);  // 2 -> 1
    EXPECT_EQ(LocalStopQueuing(device.get(), address.get()), kIOS_NoErr);
    EXPECT_EQ(printer.count("get"), 2);
    EXPECT_EQ(printer.count("close"), 1);
    EXPECT_FALSE(device->queueOwnerExists());
    EXPECT_EQ(LibProcessState().multiDeviceControlInfo.count(kURI), 0u);
    for (const auto& [identifier, response] : gets) {
        EXPECT_EQ(LocalWaitForTaskComplete(device.get(),
                                           static_cast<TktLibTicket*>(response->get()), identifier),
                  kIOS_NoErr);
    }
    std::uint8_t online = 9;
    EXPECT_EQ(IOS_TicketGetBoolean(gets[0].second->get(), kPrinterOnlineKey, &online), kIOS_NoErr);
    EXPECT_EQ(online, 1);
    EXPECT_EQ(IOS_TicketGetBoolean(gets[1].second->get(), kPrinterOnlineKey, &online), kIOS_NoErr);
    EXPECT_EQ(online, 0);
    EXPECT_EQ(LocalWaitForTaskComplete(device.get(), nullptr, unknown), kIOS_ErrInternal);
}

TEST_F(OwnersThread, AConnectionThatDoesNotOpenMakesNoOwner) {
    printer.openStatus = -1;
    EXPECT_NE(LocalStartQueuing(device.get(), address.get(), true), kIOS_NoErr);
    EXPECT_FALSE(device->queueOwnerExists());
    EXPECT_EQ(LibProcessState().multiDeviceControlInfo.count(kURI), 0u);
    EXPECT_FALSE(LocalPauseAdminThread(kURI));
}

// A stop that gets no answer (here: the thread is paused for good) ends the thread all the
// same, takes its stop out of the queue and clears the owner, so that the next request starts a
// thread again instead of waiting for one that is gone.
TEST_F(OwnersThread, AStopWithoutAnAnswerStillEndsTheThreadAndFreesTheQueue) {
    ASSERT_EQ(LocalStartQueuing(device.get(), address.get(), true), kIOS_NoErr);
    ASSERT_TRUE(LocalPauseAdminThread(kURI));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(LocalStopQueuing(device.get(), address.get()), kIOS_ErrBusy);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
    EXPECT_EQ(device->contents()->queue[0].taskIdentifier, 0.0);
    EXPECT_FALSE(device->queueOwnerExists());
    EXPECT_EQ(printer.count("close"), 1);

    ASSERT_EQ(LocalStartQueuing(device.get(), address.get(), false), kIOS_NoErr);
    EXPECT_TRUE(device->queueOwnerExists());
    EXPECT_EQ(LocalStopQueuing(device.get(), address.get()), kIOS_NoErr);
    EXPECT_FALSE(device->queueOwnerExists());
}

}  // namespace
