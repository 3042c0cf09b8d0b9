// The administration path: one protocol session per context, over a recording transport.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/core_admin.h"
#include "core/core_error.h"
#include "core/tests/core_context_ptr.h"
#include "core/tests/recording_protocol.h"
#include "transport/tests/recording_transport.h"

namespace {

using devicetest::CoreContextPtr;
using devicetest::RecordingProtocol;
using devicetest::RecordingTransport;
using Calls = std::vector<std::string>;

class CoreAdmin : public ::testing::Test {
  protected:
    CoreContextPtr makeContext(const char* uri = "lpd://192.0.2.7/") {
        return devicetest::makeInitialisedContext(uri, CoreAdminInitialize);
    }

    RecordingTransport network{CaioTransportKind::network};
    RecordingProtocol protocol;
    TktLibTicket request = TktLibTicket::emptyDictionary();
    TktLibTicket result = TktLibTicket::emptyDictionary();
};

TEST_F(CoreAdmin, SecondStartOpensNothingMore) {
    CoreContextPtr context = makeContext();
    EXPECT_EQ(CoreAdminStart(context.get()), kCoreNoErr);
    EXPECT_EQ(CoreAdminStart(context.get()), kCoreNoErr);
    EXPECT_EQ(protocol.calls, Calls{"open net:192.0.2.7 2"});
    EXPECT_EQ(network.calls, Calls{"create 192.0.2.7"});
    EXPECT_EQ(protocol.openTransport, context->admin->link->transport.get());
}

TEST_F(CoreAdmin, PerRequestOpeningStatusesCountAsSuccess) {
    const struct {
        std::int32_t status;
        std::uint32_t core;
    } cases[] = {
        {0, 0},   {1, 0},     {5, 0},     {36, 0},    {37, 12},  {50, 12},
        {-1, 12}, {15831, 3}, {15832, 4}, {15851, 2}, {4157, 6}, {4203, 13},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.status);
        protocol.openStatus = c.status;
        protocol.calls.clear();
        CoreContextPtr context = makeContext();
        EXPECT_EQ(CoreAdminStart(context.get()), c.core);
        const bool opened = c.core == kCoreNoErr;
        EXPECT_EQ(context->admin->link->transport != nullptr, opened);
        EXPECT_EQ(network.liveHandles, opened ? 1 : 0);
        EXPECT_EQ(CoreAdminOperate(context.get(), kCoreAdminGet, &request, &result),
                  opened ? kCoreNoErr : kCoreNoSessionErr);
        EXPECT_EQ(CoreAdminEnd(context.get()), kCoreNoErr);
        CoreAdminTerminate(context.get());
        EXPECT_EQ(network.liveHandles, 0);
    }
}

TEST_F(CoreAdmin, StartAfterAFailedStartOpensAgain) {
    CoreContextPtr context = makeContext();
    protocol.openStatus = 4156;
    EXPECT_EQ(CoreAdminStart(context.get()), kCoreTimedOutErr);
    protocol.openStatus = 0;
    EXPECT_EQ(CoreAdminStart(context.get()), kCoreNoErr);
    EXPECT_EQ(protocol.calls, (Calls{"open net:192.0.2.7 2", "open net:192.0.2.7 2"}));
    EXPECT_EQ(network.calls, (Calls{"create 192.0.2.7", "destroy", "create 192.0.2.7"}));
}

TEST_F(CoreAdmin, ChannelThatCannotBeMadeSendsNothing) {
    network.failCreate = true;
    EXPECT_EQ(CoreAdminStart(makeContext().get()), kCoreMemErr);
    // Bonjour URIs translate to an address that no transport knows.
    EXPECT_EQ(CoreAdminStart(makeContext("mdns://printer.local").get()), kCoreMemErr);
    EXPECT_TRUE(protocol.calls.empty());
}

TEST_F(CoreAdmin, RequestsRunOnTheSessionByKind) {
    CoreContextPtr context = makeContext();
    ASSERT_EQ(CoreAdminStart(context.get()), kCoreNoErr);
    protocol.calls.clear();
    protocol.requestResult = kCoreStatus12Err;
    EXPECT_EQ(CoreAdminOperate(context.get(), kCoreAdminGet, &request, &result), kCoreStatus12Err);
    EXPECT_EQ(protocol.requestSession, protocol.session());
    EXPECT_EQ(protocol.requestTicket, &request);
    EXPECT_EQ(protocol.resultTicket, &result);
    EXPECT_EQ(CoreAdminOperate(context.get(), kCoreAdminSet, &request, &result), kCoreStatus12Err);
    EXPECT_EQ(CoreAdminOperate(context.get(), kCoreAdminControl, &request, &result),
              kCoreStatus12Err);
    EXPECT_EQ(protocol.calls, (Calls{"get", "set", "control"}));
}

TEST_F(CoreAdmin, BadRequestsSendNothing) {
    CoreContextPtr context = makeContext();
    EXPECT_EQ(CoreAdminOperate(context.get(), kCoreAdminGet, &request, &result), kCoreNoSessionErr);
    ASSERT_EQ(CoreAdminStart(context.get()), kCoreNoErr);
    protocol.calls.clear();
    EXPECT_EQ(CoreAdminOperate(context.get(), 3, &request, &result), kCoreParamErr);
    EXPECT_EQ(CoreAdminOperate(context.get(), kCoreAdminGet, nullptr, &result), kCoreParamErr);
    EXPECT_EQ(CoreAdminOperate(context.get(), kCoreAdminGet, &request, nullptr), kCoreParamErr);
    EXPECT_EQ(CoreAdminOperate(nullptr, kCoreAdminGet, &request, &result), kCoreParamErr);
    // A job context has no administration state.
    CoreContextPtr job(CoreCreateContext("lpd://192.0.2.7/"));
    EXPECT_EQ(CoreAdminOperate(job.get(), kCoreAdminGet, &request, &result), kCoreParamErr);
    EXPECT_EQ(CoreAdminStart(job.get()), kCoreParamErr);
    EXPECT_EQ(CoreAdminEnd(job.get()), kCoreParamErr);
    EXPECT_TRUE(protocol.calls.empty());
}

TEST_F(CoreAdmin, OpeningStatusWithoutASessionAllowsNoRequest) {
    protocol.openStatus = 5;
    protocol.openHandsOutSession = false;
    CoreContextPtr context = makeContext();
    EXPECT_EQ(CoreAdminStart(context.get()), kCoreNoErr);
    EXPECT_EQ(CoreAdminOperate(context.get(), kCoreAdminGet, &request, &result), kCoreNoSessionErr);
}

TEST_F(CoreAdmin, EndClosesTheSessionOnceAndDestroysTheChannel) {
    CoreContextPtr context = makeContext();
    ASSERT_EQ(CoreAdminStart(context.get()), kCoreNoErr);
    EXPECT_EQ(CoreAdminEnd(context.get()), kCoreNoErr);
    EXPECT_EQ(CoreAdminEnd(context.get()), kCoreNoErr);
    EXPECT_EQ(protocol.calls, (Calls{"open net:192.0.2.7 2", "close 0"}));
    EXPECT_EQ(network.calls, (Calls{"create 192.0.2.7", "destroy"}));
    EXPECT_EQ(context->admin->link->session, nullptr);
    EXPECT_EQ(CoreAdminOperate(context.get(), kCoreAdminGet, &request, &result), kCoreNoSessionErr);
    CoreAdminTerminate(context.get());
    EXPECT_EQ(context->admin, nullptr);
}

TEST_F(CoreAdmin, InitialiseNeedsAContextAndHappensOnce) {
    EXPECT_EQ(CoreAdminInitialize(nullptr), kCoreParamErr);
    CoreContextPtr context = makeContext();
    ASSERT_EQ(CoreAdminStart(context.get()), kCoreNoErr);
    EXPECT_EQ(CoreAdminInitialize(context.get()), kCoreParamErr);
    EXPECT_EQ(CoreAdminOperate(context.get(), kCoreAdminGet, &request, &result), kCoreNoErr);
    EXPECT_EQ(CoreAdminStart(nullptr), kCoreParamErr);
    EXPECT_EQ(CoreAdminEnd(nullptr), kCoreParamErr);
    CoreAdminTerminate(nullptr);
}

TEST(CoreAdminLibraryLayer, PrinterThatAnswersNothingOpensNoSession) {
    RecordingTransport network(CaioTransportKind::network);
    CoreContextPtr context(CoreCreateContext("lpd://192.0.2.7/"));
    ASSERT_EQ(CoreAdminInitialize(context.get()), kCoreNoErr);
    EXPECT_NE(CoreAdminStart(context.get()), kCoreNoErr);
    EXPECT_EQ(context->admin->link->transport, nullptr);
    EXPECT_EQ(network.liveHandles, 0);
    CoreAdminTerminate(context.get());
}

}  // namespace
