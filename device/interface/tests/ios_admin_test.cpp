// Administration contexts on network printers, the registry's limits and the connection count.
#include <gtest/gtest.h>

#include "interface/tests/interface_fixture.h"
#include "interface/tests/recording_queue.h"
#include "interface/tests/scripted_printer_status.h"

namespace {

using namespace interfacetest;
using Calls = std::vector<std::string>;

class NetworkAdmin : public InterfaceTest {
  protected:
    ScriptedPrinterStatus status_;
    Address address_{"WQS_LPR", "192.0.2.7"};
};

TEST_F(NetworkAdmin, RequestsRunOnTheContextsSession) {
    void* admin = nullptr;
    ASSERT_EQ(IOS_AdminOpen(&admin, address_.get()), kIOS_NoErr);
    Ticket request;
    Ticket response;
    ASSERT_EQ(IOS_TicketSetAttribute(request.get(), kPrinterDetailCodeKey, 2), kIOS_NoErr);
    status_.script({StatusAnswer::onlineWith(4242), StatusAnswer::failing(13)});
    EXPECT_EQ(IOS_AdminGetInfo(admin, request.get(), response.get()), kIOS_NoErr);
    std::int32_t detail = 0;
    EXPECT_EQ(IOS_TicketGetSInt32(response.get(), kPrinterDetailCodeKey, &detail), kIOS_NoErr);
    EXPECT_EQ(detail, 4242);
    // A refusal is returned as it is.
    EXPECT_EQ(IOS_AdminSetInfo(admin, request.get(), response.get()), kIOS_ErrPrinterRefused);
    EXPECT_EQ(IOS_AdminControlInfo(admin, request.get(), response.get()), kIOS_ErrPrinterRefused);
    EXPECT_EQ(IOS_AdminClose(admin), kIOS_NoErr);
    EXPECT_EQ(status_.calls, (Calls{"open", "get", "set", "control", "close"}));
    EXPECT_EQ(status_.liveSessions, 0);
    EXPECT_FALSE(registryExists());
}

TEST_F(NetworkAdmin, FailedOpenLeavesNothing) {
    status_.openStatus = 4157;
    void* admin = reinterpret_cast<void*>(1);
    EXPECT_EQ(IOS_AdminOpen(&admin, address_.get()), 4157u);
    EXPECT_EQ(admin, nullptr);
    EXPECT_FALSE(registryExists());
}

TEST_F(NetworkAdmin, ArgumentsAndContextKinds) {
    void* admin = nullptr;
    EXPECT_EQ(IOS_AdminOpen(nullptr, address_.get()), kIOS_ErrParam);
    EXPECT_EQ(IOS_AdminOpen(&admin, nullptr), kIOS_ErrParam);
    EXPECT_EQ(IOS_AdminOpenOnSandbox(nullptr, nullptr), kIOS_ErrParam);

    status_.script({StatusAnswer::onlineWith(0)});
    ASSERT_EQ(IOS_AdminOpen(&admin, address_.get()), kIOS_NoErr);
    Ticket request;
    Ticket response;
    EXPECT_EQ(IOS_AdminGetInfo(nullptr, request.get(), response.get()), kIOS_ErrParam);
    EXPECT_EQ(IOS_AdminGetInfo(admin, nullptr, response.get()), kIOS_ErrParam);
    EXPECT_EQ(IOS_AdminSetInfo(admin, request.get(), nullptr), kIOS_ErrParam);
    EXPECT_EQ(IOS_AdminClose(nullptr), kIOS_ErrParam);
    EXPECT_EQ(IOS_AdminClose(admin), kIOS_NoErr);
}

TEST_F(NetworkAdmin, SeventeenthPrinterFindsNoRecord) {
    std::vector<std::unique_ptr<Address>> printers;
    std::vector<void*> contexts;
    for (int host = 1; host <= 17; ++host) {
        printers.push_back(std::make_unique<Address>("WQS_LPR", "192.0.2." + std::to_string(host)));
        void* admin = nullptr;
        const std::uint32_t status = IOS_AdminOpen(&admin, printers.back()->get());
        EXPECT_EQ(status, host <= 16 ? kIOS_NoErr : kIOS_ErrNoDeviceSlot) << host;
        if (admin != nullptr) {
            contexts.push_back(admin);
        }
    }
    EXPECT_EQ(LibProcessState().openCount, 16u);
    for (void* admin : contexts) {
        EXPECT_EQ(IOS_AdminClose(admin), kIOS_NoErr);
    }
}

class ConnectionCount : public InterfaceTest {
  protected:
    ScriptedPrinterStatus status_;
    RecordingQueue queue_;
};

TEST_F(ConnectionCount, CountsUSBRecordsOnly) {
    for (const char* kind : {"LPR", "WQS_LPR", "Rendezvous", "usb", ""}) {
        EXPECT_EQ(IOS_GetConnectionCount(kind), kIOS_UnlimitedConnections) << kind;
    }
    EXPECT_EQ(IOS_GetConnectionCount(nullptr), kIOS_UnlimitedConnections);
    EXPECT_EQ(IOS_GetConnectionCount("USB"), 0u);
    EXPECT_FALSE(registryExists());  // counted, then torn down again

    const char* uris[] = {"usb://O/X9?serial=1", "usb://O/X9?serial=2"};
    std::vector<void*> contexts;
    for (const char* uri : uris) {
        Address usb(CLibPrinterAddress::initWithConnectionType(0, "X9", uri).leak());
        void* admin = nullptr;
        ASSERT_EQ(IOS_AdminOpen(&admin, usb.get()), kIOS_NoErr);
        contexts.push_back(admin);
    }
    Address network("WQS_LPR", "192.0.2.7");
    void* admin = nullptr;
    ASSERT_EQ(IOS_AdminOpen(&admin, network.get()), kIOS_NoErr);
    contexts.push_back(admin);

    EXPECT_EQ(IOS_GetConnectionCount("USB"), 2u);
    EXPECT_TRUE(registryExists());  // contexts are open: nothing is torn down
    for (void* context : contexts) {
        EXPECT_EQ(IOS_AdminClose(context), kIOS_NoErr);
    }
}

}  // namespace
