// The codec over real sockets: the test printer on a loopback address answers with the QDXA
// printer model, over UDP datagrams (control channel) and a TCP stream (binary channel).
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "job_fetch.h"
#include "printer/test_printer.h"
#include "qdxa/qdxa_error.h"
#include "qdxa/qdxa_job_list.h"
#include "qdxa/qdxa_operations.h"
#include "qdxa/qdxa_session.h"
#include "qdxa_printer_hook.h"
#include "time_zone.h"
#include "transport/caio_channel.h"

namespace qdxa_test {
namespace {

using namespace std::chrono_literals;

using Channel = CaioChannelPtr;

class PrinterSockets : public ::testing::Test {
  protected:
    void SetUp() override {
        testsupport::TestPrinterOptions options;
        options.responder = hook.controlResponder();
        printer = std::make_unique<testsupport::TestPrinter>(std::move(options));
        ASSERT_TRUE(printer->start()) << printer->error();
        address = "net:" + printer->address();
        control.reset(caioCreate(address.c_str()));
        binary.reset(caioCreate(address.c_str()));
        ASSERT_NE(control, nullptr);
        ASSERT_NE(binary, nullptr);
    }
    void TearDown() override { EXPECT_EQ(QDXA_Unbind(session), kQDXASuccess); }

    std::int32_t bind(std::uint8_t channelKind) {
        QDXABindRecord record;
        record.deviceURI = address.c_str();
        record.transport = control.get();
        record.binaryTransport = binary.get();
        record.channelKind = channelKind;
        QDXAEndpointAddress endpoint;
        endpoint.kind = 2;
        return QDXA_Bind(&record, &endpoint, &session);
    }

    Responder responder;
    PrinterHook hook{responder};
    std::unique_ptr<testsupport::TestPrinter> printer;
    std::string address;
    Channel control;
    Channel binary;
    PacketSession* session = nullptr;
};

TEST_F(PrinterSockets, DatagramSessionChecksTheVersionAndReadsTheJobList) {
    TimeZone zone("UTC");
    responder.jobs = {
        {0x1001, {{4, codedString(1, "poster")}, {2007, u16Value(2)}}},
        {0x1002, {{6, codedString(1, "studio")}, {9, wireDate(2026, 12, 10, 4, 9, 30, 0)}}}};
    ASSERT_EQ(bind(qdxa::kChannelKindControl), kQDXASuccess);

    QDXAEchoReply version;
    ASSERT_EQ(QDXA_Echo(session, nullptr, nullptr, &version), kQDXASuccess);
    EXPECT_EQ(version.value, 0x10);
    const std::string question = "Support QDXA v2 Operations?";
    QDXAEchoRequest ask{reinterpret_cast<const std::uint8_t*>(question.data()),
                        static_cast<std::uint16_t>(question.size())};
    QDXAEchoReply answer;
    ASSERT_EQ(QDXA_Echo(session, nullptr, &ask, &answer), kQDXASuccess);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(answer.bytes.copy.get()), answer.bytes.length),
              "yes");

    const FetchedJobs fetched = fetchJobs(session, {4, 6, 9, 2007});
    ASSERT_EQ(fetched.objectCount, 2);
    WqsMemHandle* data = Wqs_Mem_NewHandle(static_cast<std::uint32_t>(fetched.data.size()));
    std::copy(fetched.data.begin(), fetched.data.end(), data->data);
    JobAttrRecord* jobs = nullptr;
    ASSERT_EQ(get_JobAttrList_FromGet2(data, fetched.objectCount, &jobs), kQDXANoErr);
    ASSERT_NE(jobs, nullptr);
    ASSERT_NE(jobs->next, nullptr);
    EXPECT_EQ(jobs->jobName[0], 6);
    EXPECT_EQ(jobs->attr2007, 2);
    EXPECT_EQ(jobs->next->jobOwner[0], 6);
    EXPECT_EQ(jobs->next->jobTime.minute, 30);
    dispose_JobAttrList(jobs);
    Wqs_Mem_DisposeHandle(data);
}

TEST_F(PrinterSockets, ADatagramTimeOutSendsTheSameRequestAgain) {
    ASSERT_EQ(bind(qdxa::kChannelKindControl), kQDXASuccess);
    responder.script({ReplyFault::Silent});
    const auto start = std::chrono::steady_clock::now();
    QDXAEchoReply reply;
    ASSERT_EQ(QDXA_Echo(session, nullptr, nullptr, &reply), kQDXASuccess);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 2900ms);  // one read's wait of 3 s
    const auto messages = printer->controlMessages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].bytes, messages[1].bytes);
}

TEST_F(PrinterSockets, StreamSessionAcquiresAResourceInSeveralPackets) {
    for (int index = 0; index < 10000; ++index) {
        responder.resource.push_back(static_cast<std::uint8_t>(index * 7));
    }
    responder.resourcePacketSize = 3000;
    ASSERT_EQ(bind(qdxa::kChannelKindBinary), kQDXASuccess);
    std::uint16_t sequence = 0;
    QDXAAcquireResourceReply reply;
    std::vector<std::uint8_t> assembled;
    std::int32_t status = QDXA_AcquireResource(session, nullptr, 0x700303, &reply, &sequence);
    for (int packets = 1; packets <= 10; ++packets) {
        assembled.insert(assembled.end(), reply.data.copy.get(),
                         reply.data.copy.get() + reply.data.length);
        if (status != kQDXAMoreToFetch) {
            break;
        }
        status = QDXA_AcquireResource(session, nullptr, 0, &reply, &sequence);
    }
    EXPECT_EQ(status, kQDXASuccess);
    EXPECT_EQ(assembled, responder.resource);
}

}  // namespace
}  // namespace qdxa_test
