// The job path: print data through a recording network transport.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/core_context.h"
#include "core/core_error.h"
#include "core/core_job.h"
#include "core/tests/core_context_ptr.h"
#include "transport/tests/recording_transport.h"

namespace {

using devicetest::RecordingTransport;
using Calls = std::vector<std::string>;

using ContextPtr = devicetest::CoreContextPtr;

class CoreJob : public ::testing::Test {
  protected:
    ContextPtr makeContext(const char* uri = "lpd://192.0.2.7/queue") {
        return devicetest::makeInitialisedContext(uri, CoreJobInitialize);
    }

    RecordingTransport network{CaioTransportKind::network};
};

TEST_F(CoreJob, LprJobOpensWritesAndCloses) {
    ContextPtr context = makeContext();
    // The default job channel: no port, not raw.
    ASSERT_EQ(CoreJobStart(context.get(), 0xFFFFFFFFu, 0), kCoreNoErr);
    std::uint32_t length = 5;
    EXPECT_EQ(CoreJobWrite(context.get(), "hello", &length), kCoreNoErr);
    EXPECT_EQ(length, 5u);
    EXPECT_EQ(CoreJobEnd(context.get()), kCoreNoErr);
    CoreJobTerminate(context.get());
    EXPECT_EQ(network.calls, (Calls{"create 192.0.2.7", "open 0 -1 0 500", "write 0 hello 500",
                                    "close 0", "destroy"}));
    EXPECT_EQ(network.liveHandles, 0);
}

TEST_F(CoreJob, RawJobOpensTheGivenPort) {
    ContextPtr context = makeContext("socket://192.0.2.7:9100");
    ASSERT_EQ(CoreJobStart(context.get(), 9100, 7), kCoreNoErr);
    EXPECT_EQ(network.calls, (Calls{"create 192.0.2.7", "open 0 9100 1 500"}));
}

TEST_F(CoreJob, FailedOpenLeavesNoChannel) {
    const struct {
        std::int32_t status;
        std::uint32_t core;
    } cases[] = {{4150, 5}, {4157, 6}, {4112, 7}, {4156, 8}, {4131, 9}, {4203, 13}, {-1, 12}};
    for (const auto& c : cases) {
        network.calls.clear();
        network.openStatus = c.status;
        ContextPtr context = makeContext();
        EXPECT_EQ(CoreJobStart(context.get(), 515, 0), c.core) << c.status;
        EXPECT_EQ(context->transport, nullptr);
        EXPECT_EQ(network.calls.back(), "destroy");
        EXPECT_EQ(network.liveHandles, 0);
        std::uint32_t length = 1;
        EXPECT_EQ(CoreJobWrite(context.get(), "x", &length), kCoreParamErr);
    }
}

TEST_F(CoreJob, ChannelThatCannotBeMadeIsAMemoryFailure) {
    network.failCreate = true;
    EXPECT_EQ(CoreJobStart(makeContext().get(), 515, 0), kCoreMemErr);
    network.failCreate = false;
    network.calls.clear();
    // No transport knows these signatures.
    EXPECT_EQ(CoreJobStart(makeContext("file:///tmp/x").get(), 515, 0), kCoreMemErr);
    EXPECT_EQ(
        CoreJobStart(makeContext("dnssd://Printer._pdl-datastream._tcp.local./").get(), 515, 0),
        kCoreMemErr);
    EXPECT_TRUE(network.calls.empty());
}

TEST_F(CoreJob, WriteReportsWhatTheChannelTook) {
    ContextPtr context = makeContext();
    ASSERT_EQ(CoreJobStart(context.get(), 515, 0), kCoreNoErr);
    network.writeAccepted = 3;
    std::uint32_t length = 5;
    EXPECT_EQ(CoreJobWrite(context.get(), "hello", &length), kCoreNoErr);
    EXPECT_EQ(length, 3u);
    // A stream write that times out takes nothing and is no failure.
    network.writeAccepted = 0;
    length = 5;
    EXPECT_EQ(CoreJobWrite(context.get(), "hello", &length), kCoreNoErr);
    EXPECT_EQ(length, 0u);
    network.writeAccepted.reset();
    network.writeStatus = 4156;
    EXPECT_EQ(CoreJobWrite(context.get(), "hello", &length), kCoreTimedOutErr);
}

TEST_F(CoreJob, EndDestroysTheChannelEvenWhenTheCloseFails) {
    ContextPtr context = makeContext();
    ASSERT_EQ(CoreJobStart(context.get(), 515, 0), kCoreNoErr);
    network.closeStatus = 4203;
    EXPECT_EQ(CoreJobEnd(context.get()), kCorePrinterRefusedErr);
    EXPECT_EQ(context->transport, nullptr);
    EXPECT_EQ(network.calls, (Calls{"create 192.0.2.7", "open 0 515 0 500", "close 0", "destroy"}));
    EXPECT_EQ(network.liveHandles, 0);
}

TEST_F(CoreJob, DeletingAnUnendedJobReleasesItsChannel) {
    ContextPtr context = makeContext();
    ASSERT_EQ(CoreJobStart(context.get(), 515, 0), kCoreNoErr);
    context.reset();
    EXPECT_EQ(network.liveHandles, 0);
    EXPECT_EQ(network.calls.back(), "destroy");
}

TEST_F(CoreJob, MissingPiecesAreBadArguments) {
    std::uint32_t length = 1;
    EXPECT_EQ(CoreJobInitialize(nullptr), kCoreParamErr);
    EXPECT_EQ(CoreJobStart(nullptr, 515, 0), kCoreParamErr);
    EXPECT_EQ(CoreJobWrite(nullptr, "x", &length), kCoreParamErr);
    EXPECT_EQ(CoreJobEnd(nullptr), kCoreParamErr);
    ContextPtr context = makeContext();
    ASSERT_EQ(CoreJobStart(context.get(), 515, 0), kCoreNoErr);
    EXPECT_EQ(CoreJobWrite(context.get(), nullptr, &length), kCoreParamErr);
    EXPECT_EQ(CoreJobWrite(context.get(), "x", nullptr), kCoreParamErr);
    EXPECT_EQ(network.calls, (Calls{"create 192.0.2.7", "open 0 515 0 500"}));
}

}  // namespace
