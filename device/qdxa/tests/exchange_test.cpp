// The exchange loop: reply matching, the deadline, resending after time-outs, handle growth.
#include <gtest/gtest.h>

#include "bound_session.h"
#include "bytes/byte_order.h"
#include "qdxa/qdxa_builders.h"
#include "qdxa/qdxa_exchange.h"
#include "qdxa/qdxa_header.h"
#include "qdxa/qdxa_operations.h"

namespace qdxa_test {
namespace {

class Exchange : public BoundSession {
  protected:
    std::int32_t echo(QDXAEchoReply& reply) { return QDXA_Echo(session, nullptr, nullptr, &reply); }
};

TEST_F(Exchange, EchoReportsTheProtocolVersion) {
    QDXAEchoReply reply;
    EXPECT_EQ(echo(reply), kQDXASuccess);
    EXPECT_EQ(reply.value, 0x10);
    EXPECT_EQ(channel.packetsWritten.size(), 1u);
}

TEST_F(Exchange, AnswersAreMatchedAfterTheCounterWraps) {
    session->sequence = 65535;
    std::vector<std::uint16_t> sequences;
    for (int request = 0; request < 3; ++request) {
        QDXAEchoReply reply;
        ASSERT_EQ(echo(reply), kQDXASuccess);
        sequences.push_back(bytes::loadBE16(channel.packetsWritten.back().data() + 6));
    }
    EXPECT_EQ(sequences, (std::vector<std::uint16_t>{65535, 1, 1}));
}

TEST_F(Exchange, ReplyWithResultFlagClearGivesSixWhateverItsResultField) {
    responder.script({ReplyFault::NoValidResult, true, 1});
    QDXAEchoReply reply;
    EXPECT_EQ(echo(reply), kQDXANoValidResult);
    EXPECT_EQ(reply.value, 0);
}

TEST_F(Exchange, RepliesToOtherRequestsAreSkippedUntilTheMatchingOne) {
    // A late answer to an earlier request sits in front of the real one.
    channel.queueReply(
        buildPacket(qdxa::kOpEcho, 77, qdxa::kFlagResultValid, 1, std::vector<std::uint8_t>{0x99}));
    QDXAEchoReply reply;
    EXPECT_EQ(echo(reply), kQDXASuccess);
    EXPECT_EQ(reply.value, 0x10);
    EXPECT_EQ(channel.packetsWritten.size(), 1u);
}

TEST_F(Exchange, StrayRepliesUntilTheDeadlineHandBackTheLastOneAndTheParserSaysTwelve) {
    struct Clocked {
        static std::int32_t read(CaioChannel* channel, std::int32_t mode, void* buffer,
                                 std::uint64_t* count, std::int32_t limit) {
            // Every read delivers a stray reply and takes a second.
            auto* self = ScriptedChannel::of(channel);
            if (self->pending.empty()) {
                self->queueReply(buildPacket(qdxa::kOpEcho, 500, qdxa::kFlagResultValid, 1, {}));
            }
            SteppedClock::advanceHundredths(50);
            return ScriptedChannel::ops().read(channel, mode, buffer, count, limit);
        }
    };
    QDXAChannelOps ops = ScriptedChannel::ops();
    ops.read = Clocked::read;
    const seam::ScopedOverride clocked(qdxaChannelSeam(), ops);
    responder.script({ReplyFault::Silent});
    QDXAEchoReply reply;
    EXPECT_EQ(echo(reply), kQDXASequenceMismatch);
    EXPECT_EQ(channel.packetsWritten.size(), 1u);
    EXPECT_EQ(session->receivedLength, 20u);
}

TEST_F(Exchange, ATimeOutResendsTheSameBytesUntilTheDeadlineThen4156) {
    for (int step = 0; step < 10; ++step) {
        responder.script({ReplyFault::Silent});
    }
    QDXAEchoReply reply;
    EXPECT_EQ(echo(reply), kQDXATransportTimedOut);
    // Reads of 3 s each: sends at 0, 3, 6 and 9 s; the read ending at 12 s passes the deadline.
    ASSERT_EQ(channel.packetsWritten.size(), 4u);
    for (const auto& packet : channel.packetsWritten) {
        EXPECT_EQ(packet, channel.packetsWritten.front());
    }
}

TEST_F(Exchange, AReplyToTheResentRequestIsTaken) {
    responder.script({ReplyFault::Silent});
    QDXAEchoReply reply;
    EXPECT_EQ(echo(reply), kQDXASuccess);
    EXPECT_EQ(channel.packetsWritten.size(), 2u);
}

TEST_F(Exchange, TryAgainAndOtherTransportErrorsEndTheExchangeAtOnce) {
    for (std::int32_t status : {kQDXATransportTryAgain, kCaioFailure, 4128}) {
        SCOPED_TRACE(status);
        channel.packetsWritten.clear();
        channel.readStatuses = {status};
        QDXAEchoReply reply;
        EXPECT_EQ(echo(reply), status);
        EXPECT_EQ(channel.packetsWritten.size(), 1u);
        channel.pending.clear();
    }
}

TEST_F(Exchange, AWriteTimeOutAlsoResends) {
    channel.writeStatuses = {kQDXATransportTimedOut};
    QDXAEchoReply reply;
    EXPECT_EQ(echo(reply), kQDXASuccess);
    EXPECT_EQ(channel.packetsWritten.size(), 1u);
}

TEST_F(Exchange, PartialReadsAreJoined) {
    channel.readChunk = 3;
    QDXAEchoRequest request{reinterpret_cast<const std::uint8_t*>("hello"), 5};
    QDXAEchoReply reply;
    ASSERT_EQ(QDXA_Echo(session, nullptr, &request, &reply), kQDXASuccess);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(reply.bytes.copy.get()), reply.bytes.length),
              "hello");
}

TEST_F(Exchange, AStreamReadThatDeliversNothingNeverPassesTheLastReplyOff) {
    // A stream read that times out reports success and leaves the buffer alone. With the
    // counter wrapped to the previous reply's sequence, stale header bytes would match.
    QDXAEchoReply reply;
    ASSERT_EQ(echo(reply), kQDXASuccess);
    session->sequence = 1;  // the next request carries 1 again, like the reply just read
    channel.streamTimeouts = true;
    responder.script({ReplyFault::Silent});
    // The cleared header carries sequence 0: the parser refuses it.
    EXPECT_EQ(echo(reply), kQDXASequenceMismatch);
    EXPECT_EQ(channel.packetsWritten.size(), 2u);
}

TEST_F(Exchange, ALargerReplyGrowsTheReceiveHandleWhileTheBindSizeStays) {
    const std::uint32_t bindSize = RecievePacketSize(session);
    ASSERT_EQ(bindSize, 4096u);
    Job job{42, {{9000, std::vector<std::uint8_t>(6000, 0x5A)}}};
    responder.jobs.push_back(job);
    const std::uint32_t ids[] = {42};
    const std::uint16_t attributes[] = {9000};
    QDXAGet2Request request;
    request.objectCount = 1;
    request.objectIds = ids;
    request.attributeCount = 1;
    request.attributeIds = attributes;
    QDXAGet2Reply reply;
    ASSERT_EQ(QDXA_Get2(session, nullptr, &request, &reply), kQDXASuccess);
    const std::uint32_t parameterLength = 2 + 4 + 2 + 4 + 6000;
    EXPECT_EQ(session->receiveHandle->size, 20 + parameterLength);
    EXPECT_EQ(RecievePacketSize(session), bindSize);
    EXPECT_EQ(reply.objectCount, 1);
    EXPECT_EQ(reply.data.length, parameterLength - 2);
}

TEST_F(Exchange, MissingArgumentsAreRefused) {
    std::uint32_t received = 0;
    std::uint32_t capacity = 0;
    std::uint16_t sequence = 0;
    EXPECT_EQ(z_GetStatus(channel.channel(), 1, nullptr, 20, session->receiveHandle, &received,
                          &capacity, &sequence),
              kQDXAExchangeFailure);
    EXPECT_EQ(z_PAPStatus(nullptr, 20, &received), kQDXAMissingArgument);
    EXPECT_EQ(z_PAPStatus(session, 20, nullptr), kQDXAMissingArgument);
}

TEST(ExchangeClock, TimeOutCountsHundredthsAfterTenSeconds) {
    ChannelScope scope;
    timeval start{};
    qdxaChannelSeam().current().now(&start);
    SteppedClock::advanceHundredths(999);
    EXPECT_FALSE(zCheckTimeOut(start.tv_sec, start.tv_usec));
    SteppedClock::advanceHundredths(1);
    EXPECT_TRUE(zCheckTimeOut(start.tv_sec, start.tv_usec));
}

TEST(ReplyCheck, ResultsFlagsAndSequence) {
    struct Case {
        std::uint8_t flags;
        std::uint16_t sequence;
        std::uint16_t result;
        std::int32_t expected;
        bool data;
        bool more;
    };
    const Case cases[] = {
        {0x01, 5, 1, 1, true, false},  {0x01, 5, 4, 4, true, false},
        {0x03, 5, 29, 29, true, true}, {0x00, 5, 1, 6, false, false},
        {0x02, 5, 1, 6, false, true},  {0x01, 6, 1, 12, false, false},
        {0x01, 5, 8, 8, false, false}, {0x01, 5, 0, 0, false, false},
    };
    for (const Case& c : cases) {
        const auto packet = buildPacket(qdxa::kOpEcho, c.sequence, c.flags, c.result,
                                        std::vector<std::uint8_t>{1, 2, 3});
        const std::uint8_t* data = nullptr;
        std::uint32_t length = 0;
        bool more = false;
        EXPECT_EQ(z_getReturnPacket(packet.data(), static_cast<std::uint32_t>(packet.size()), 5,
                                    &data, &length, &more),
                  c.expected);
        EXPECT_EQ(data != nullptr, c.data);
        EXPECT_EQ(length, c.data ? 3u : 0u);
        EXPECT_EQ(more, c.more);
    }
    // A parameter length beyond the bytes received is clipped to them; a short packet gives 6.
    auto packet = buildPacket(qdxa::kOpEcho, 5, 1, 1, std::vector<std::uint8_t>{1, 2, 3});
    const std::uint8_t* data = nullptr;
    std::uint32_t length = 0;
    bool more = false;
    EXPECT_EQ(z_getReturnPacket(packet.data(), 21, 5, &data, &length, &more), 1);
    EXPECT_EQ(length, 1u);
    EXPECT_EQ(z_getReturnPacket(packet.data(), 19, 5, &data, &length, &more), 6);
}

TEST(HeaderCheck, MagicLengthAndSequence) {
    const auto packet = buildPacket(qdxa::kOpEcho, 9, 1, 1, std::vector<std::uint8_t>{1, 2});
    std::uint16_t sequence = 0;
    std::uint16_t parameterLength = 0;
    const std::uint16_t nine = 9;
    const std::uint16_t ten = 10;
    EXPECT_TRUE(
        z_CheckQDXAHeader(packet.data(), packet.size(), &nine, &sequence, &parameterLength));
    EXPECT_EQ(sequence, 9);
    EXPECT_EQ(parameterLength, 2);
    EXPECT_TRUE(z_CheckQDXAHeader(packet.data(), packet.size(), nullptr, nullptr, nullptr));
    EXPECT_FALSE(z_CheckQDXAHeader(packet.data(), packet.size(), &ten, nullptr, nullptr));
    EXPECT_FALSE(z_CheckQDXAHeader(packet.data(), 19, nullptr, nullptr, nullptr));
    auto badMagic = packet;
    badMagic[1] = 0xCB;
    EXPECT_FALSE(z_CheckQDXAHeader(badMagic.data(), badMagic.size(), nullptr, nullptr, nullptr));
}

}  // namespace
}  // namespace qdxa_test
