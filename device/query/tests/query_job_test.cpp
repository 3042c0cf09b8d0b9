// Job media queries and the binary resource download against the test printer.
#include <gtest/gtest.h>

#include <chrono>

#include "glue/glue_error.h"
#include "query/query_job.h"
#include "query/query_resource.h"
#include "query_printer.h"

namespace querytest {
namespace {

using namespace std::chrono_literals;

constexpr std::uint32_t kJob = 0x1001;
constexpr std::uint32_t kDocument = 0x2001;

class JobMedia : public QueryPrinter {
  protected:
    void SetUp() override {
        QueryPrinter::SetUp();
        addJobWithDocument(kJob, kDocument);
    }
};

TEST_F(JobMedia, MismatchReadsTheAttributesOfTheMask) {
    openSession();
    Handle values;
    MismatchRecord record;
    record.jobValues = values.handle;
    ASSERT_EQ(glue_qdxaGetWVTJobMediumMismatch(session, kJob, kDocument, &record, 0xFF), 0);
    EXPECT_EQ(record.mediumKind, 9);
    EXPECT_EQ(record.mediumWord, 0x1234);
    EXPECT_EQ(record.documentKind, 3);
    EXPECT_EQ(record.documentWord, 4);
    EXPECT_EQ(record.documentValues[0], 5u);
    EXPECT_EQ(record.word2410, 0x2410);
    ASSERT_EQ(record.jobValueCount, 2);
    EXPECT_EQ(values.value(1), 8u);
    EXPECT_EQ(requestsOf(qdxa::kOpGet2).size(), 4u);
}

TEST_F(JobMedia, MismatchSkipsARefusedAttributeAndAsksOnlyForTheMask) {
    information.refusedAttributes = {2214};
    openSession();
    MismatchRecord record;
    ASSERT_EQ(glue_qdxaGetWVTJobMediumMismatch(session, kJob, kDocument, &record, 1 | 0x80), 0);
    EXPECT_EQ(record.mediumWord, 0);
    EXPECT_EQ(record.word2410, 0x2410);
    EXPECT_EQ(record.documentKind, 0);
    EXPECT_EQ(record.jobValueCount, 0);
}

TEST_F(JobMedia, DocumentListAndExtendedMediumID) {
    openSession();
    Handle documents;
    std::uint16_t count = 0;
    ASSERT_EQ(glue_qdxaGetWVTDocumentList(session, kJob, documents.handle, &count), 0);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(documents.value(1), kDocument + 1);
    ExtendedMediumIDRecord extended;
    ASSERT_EQ(glue_qdxaGetExtendedMediumID(session, kDocument, &extended), 0);
    EXPECT_EQ(extended.value, 0x102u);
    EXPECT_EQ(extended.words[0], 3);
    EXPECT_EQ(extended.words[1], 4);
    EXPECT_EQ(extended.byte, 5);
    information.refusedAttributes = {2027};
    ASSERT_EQ(glue_qdxaGetWVTDocumentList(session, kJob, documents.handle, &count), 0);
    EXPECT_EQ(count, 0);
}

class Resource : public QueryPrinter {};

TEST_F(Resource, PartsAreAppendedThenTheChannelIsReleased) {
    for (int index = 0; index < 2500; ++index) {
        responder.resource.push_back(static_cast<std::uint8_t>(index * 13));
    }
    responder.resourcePacketSize = 1000;  // three packets: 29, 29, then 1
    openSession();
    Handle resource;
    std::uint32_t size = 0;
    ASSERT_EQ(glue_qdxaBinaryAquireResource(session, 0x700303, resource.handle, &size), 0);
    ASSERT_EQ(size, 2500u);
    EXPECT_EQ(Bytes(resource.handle->data, resource.handle->data + resource.handle->size),
              responder.resource);

    const auto reserve = requestsOf(qdxa::kOpReserve);
    ASSERT_EQ(reserve.size(), 1u);
    const Bytes parameter = gluetest::parameterOf(reserve[0]);
    EXPECT_EQ(parameter, (Bytes{0x07, 0xDC, 0, 0, 0x01, 0xF5, 0, 1}));
    ASSERT_EQ(requestsOf(qdxa::kOpUnreserve).size(), 1u);
    EXPECT_EQ(gluetest::operationOf(responder.requests.back()), qdxa::kOpUnreserve);
    EXPECT_EQ(session->bindRecord->binaryTransport, nullptr);
    EXPECT_TRUE(printer->waitForIdle(2s));
}

TEST_F(Resource, APrinterThatGoesOnWithoutDeliveringHasTheDownloadEnded) {
    responder.resource = Bytes(2500, 0x5A);
    responder.resourcePacketSize = 1000;
    responder.resourceStalledParts = 3;
    openSession();
    Handle resource;
    std::uint32_t size = 0;
    EXPECT_EQ(glue_qdxaBinaryAquireResource(session, 0x700303, resource.handle, &size),
              kGlueListStalled);
    EXPECT_EQ(size, 1000u);
    // The channel is still given back.
    ASSERT_EQ(requestsOf(qdxa::kOpUnreserve).size(), 1u);
    EXPECT_EQ(session->bindRecord->binaryTransport, nullptr);
    EXPECT_TRUE(printer->waitForIdle(2s));
}

TEST_F(Resource, AFailedReservationIsReturnedAndNothingIsReleased) {
    openSession();
    responder.script({qdxa_test::ReplyFault::None, true, 21});
    Handle resource;
    std::uint32_t size = 0;
    EXPECT_EQ(glue_qdxaBinaryAquireResource(session, 0x700303, resource.handle, &size), 21);
    EXPECT_EQ(size, 0u);
    EXPECT_TRUE(requestsOf(qdxa::kOpUnreserve).empty());
    EXPECT_EQ(session->bindRecord->binaryTransport, nullptr);
}

}  // namespace
}  // namespace querytest
