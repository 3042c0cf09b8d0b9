// The LPR search on loopback addresses: the echo and its answers, a search directed to one
// printer, and the LPR list builder that asks each printer found for its model.
#include <gtest/gtest.h>

#include <chrono>

#include "discovery/lpr_search.h"
#include "discovery/search_status.h"
#include "discovery_printers.h"
#include "qdxa_protocol/codes.h"

namespace {

using namespace discoverytest;
using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

Bytes echoAnswer(std::uint16_t sequence, std::uint8_t magic0 = 0xCD, std::size_t size = 21) {
    Bytes answer = qdxa_test::buildPacket(1, sequence, 0x01, 0, Bytes{0x10});
    answer[0] = magic0;
    answer.resize(size);
    return answer;
}

std::vector<std::uint32_t> entryAddresses(const cf::Value& entries) {
    std::vector<std::uint32_t> addresses;
    for (const cf::Value& entry : *entries.array()) {
        addresses.push_back(
            static_cast<std::uint32_t>(*device::Int32Value(entry.find("PrinterAddress"))));
    }
    return addresses;
}

TEST(LprEcho, TheRequestIsTheTwentyByteEchoAndAnswersAreCheckedByMagicAndSequence) {
    const EchoRequest request = LocalEchoRequest();
    EXPECT_EQ(Bytes(request.begin(), request.end()),
              (Bytes{0xCD, 0xCA, 0x10, 0x04, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00,
                     0,    0,    0,    0,    0,    0,    0,    0,    0,    0}));
    const struct {
        const char* what;
        Bytes datagram;
        bool accepted;
    } cases[] = {
        {"an answer", echoAnswer(1), true},
        {"the bare header", echoAnswer(1, 0xCD, 20), true},
        {"sequence 2", echoAnswer(2), false},
        {"another magic", echoAnswer(1, 0xCE), false},
        {"cut to 19 bytes", echoAnswer(1, 0xCD, 19), false},
        {"empty", Bytes{}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LocalIsEchoAnswer(c.datagram), c.accepted) << c.what;
    }
}

TEST(LprEcho, EndpointsTakeTheFirstFreePortOfTheirRange) {
    LocalUDPEndpoint first;
    LocalUDPEndpoint second;
    ASSERT_EQ(first.open(), kSearchNoErr);
    ASSERT_EQ(second.open(), kSearchNoErr);
    for (const LocalUDPEndpoint* endpoint : {&first, &second}) {
        EXPECT_GE(endpoint->port(), kFirstSearchPort);
        EXPECT_LE(endpoint->port(), kLastSearchPort);
    }
    EXPECT_NE(first.port(), second.port());
}

class LprSearch : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(printer.start()) << printer.printer->error(); }

    PrivateRegistry registry;
    ModelPrinter printer{"Stratoline SL-7440"};
};

TEST_F(LprSearch, ADirectedHostIsConfirmedByOneEchoOnly) {
    cf::Value entries = cf::Value::emptyArray();
    const auto context = lprContext(printer.number(), 200);
    ASSERT_EQ(SearchLPRPrinterAddressList(context, entries), kSearchNoErr);
    EXPECT_EQ(entryAddresses(entries), std::vector<std::uint32_t>{printer.number()});
    EXPECT_EQ(printer.echoes(), 1u);
    const auto sender = printer.printer->lastDatagramPeer();
    ASSERT_TRUE(sender);
    EXPECT_GE(ntohs(sender->sin_port), kFirstSearchPort);
    EXPECT_LE(ntohs(sender->sin_port), kLastSearchPort);
}

TEST_F(LprSearch, AHostThatDoesNotAnswerProperlyIsLeftOut) {
    const struct {
        const char* what;
        Bytes answer;
    } cases[] = {
        {"silent", {}},
        {"sequence 2", echoAnswer(2)},
        {"cut", echoAnswer(1, 0xCD, 12)},
        {"another magic", echoAnswer(1, 0xCE)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        testsupport::TestPrinterOptions options;
        options.responder = [&c](const testsupport::ControlMessage&) {
            return testsupport::ControlReply{c.answer};
        };
        testsupport::TestPrinter odd(std::move(options));
        ASSERT_TRUE(odd.start()) << odd.error();
        in_addr address{};
        ::inet_pton(AF_INET, odd.address().c_str(), &address);
        cf::Value entries = cf::Value::emptyArray();
        const auto start = std::chrono::steady_clock::now();
        ASSERT_EQ(SearchLPRPrinterAddressList(lprContext(ntohl(address.s_addr), 100), entries),
                  kSearchNoErr);
        EXPECT_TRUE(entries.array()->empty());
        EXPECT_TRUE(odd.waitForControlMessages(1, 1s));
        // A wrong answer ends the wait for the host as a right one would; silence takes 3 s.
        if (!c.answer.empty()) {
            EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
        }
    }
}

TEST_F(LprSearch, TheListNamesEachPrinterByModelAndAddressWhenAKeyMatches) {
    const std::string address = printer.printer->address();
    const auto context = lprContext(printer.number(), 200);
    EXPECT_EQ(
        findPrinters("WQS_LPR", &context, Keys{"SL-5170", "SL-7440"}),
        (std::vector<Found>{{"Stratoline SL-7440 (" + address + ")", "lpd://" + address + "/"}}));
    std::uint32_t status = 1;
    EXPECT_TRUE(findPrinters("WQS_LPR", &context, Keys{"SL-5170"}, &status).empty());
    EXPECT_EQ(status, kIOS_NoErr);
    EXPECT_TRUE(findPrinters("WQS_LPR", &context, Keys{}).empty());
}

TEST_F(LprSearch, APrinterThatAnswersTheEchoButNotTheModelQueryIsLeftOut) {
    printer.responder.objects.erase(101);
    printer.responder.filters.push_back(
        [](std::uint16_t operation, auto, std::uint16_t& result, Bytes&) {
            if (operation == qdxa::kOpGet2) {
                result = 50;  // refused
            }
        });
    const auto context = lprContext(printer.number(), 200);
    std::uint32_t status = 1;
    EXPECT_TRUE(findPrinters("WQS_LPR", &context, Keys{"Stratoline", "UNKNOWN"}, &status).empty());
    EXPECT_EQ(status, kIOS_NoErr);
}

}  // namespace
