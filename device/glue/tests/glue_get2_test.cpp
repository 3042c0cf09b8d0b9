// Reading many objects with Get2 on the test printer: batches, refusals, cut replies.
#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "glue/glue_error.h"
#include "glue/glue_internal.h"
#include "glue/glue_operations.h"
#include "glue_printer.h"
#include "qdxa/qdxa_error.h"

namespace gluetest {
namespace {

constexpr std::uint16_t kAttribute = 7;

class GlueGet2 : public GluePrinter {
  protected:
    /// Objects first, first + 1, ... each with attribute 7 holding its own id.
    std::vector<std::uint32_t> makeObjects(std::uint32_t first, std::size_t count) {
        std::vector<std::uint32_t> ids(count);
        std::iota(ids.begin(), ids.end(), first);
        for (std::uint32_t id : ids) {
            responder.objects[id] = {{kAttribute, qdxa_test::u32Value(id)}};
        }
        return ids;
    }

    std::int32_t get2(const std::vector<std::uint32_t>& ids, std::uint16_t largestBatch = 0) {
        const std::uint16_t count = static_cast<std::uint16_t>(ids.size());
        return glue_qdxaGet2_ForObjCount(session, count, largestBatch ? largestBatch : count,
                                         ids.data(), 1, &kAttribute, handle.get(), &size, &replied);
    }

    /// The objects named by each Get2 request, in order.
    std::vector<std::vector<std::uint32_t>> batches() const {
        std::vector<std::vector<std::uint32_t>> sent;
        for (const Bytes& request : requestsOf(qdxa::kOpGet2)) {
            sent.push_back(get2NamesOf(request).objects);
        }
        return sent;
    }

    /// The object ids in the assembled answer.
    std::vector<std::uint32_t> answeredIds() const {
        std::vector<std::uint32_t> ids;
        bytes::ByteReader in({handle->data, size});
        while (in.remaining() > 0) {
            ids.push_back(in.u32be().value_or(0));
            const std::uint16_t attributes = in.u16be().value_or(0);
            for (std::uint16_t index = 0; index < attributes; ++index) {
                in.skip(2);
                in.skip(in.u16be().value_or(0));
            }
        }
        return ids;
    }

    device::GlueHandle handle{Wqs_Mem_NewHandle(1)};
    std::uint32_t size = 0;
    std::uint16_t replied = 0;
};

TEST_F(GlueGet2, RefusedBatchesAreHalvedAndRefusedSingleObjectsSkipped) {
    openSession();
    const auto ids = makeObjects(1001, 5);
    paged.refusedObjects = {1002, 1004};
    ASSERT_EQ(get2(ids), 0);
    const std::vector<std::vector<std::uint32_t>> expected = {
        {1001, 1002, 1003, 1004, 1005}, {1001, 1002}, {1001}, {1002}, {1003}, {1004}, {1005}};
    EXPECT_EQ(batches(), expected);
    EXPECT_EQ(replied, 3);
    EXPECT_EQ(answeredIds(), (std::vector<std::uint32_t>{1001, 1003, 1005}));
    EXPECT_EQ(size, handle->size);
}

TEST_F(GlueGet2, ASingleObjectRefusedWithFiveOrThirtyFourEndsTheRead) {
    openSession();
    const auto ids = makeObjects(2001, 3);
    struct Case {
        std::uint16_t refusal;
        std::int32_t status;
        std::uint16_t replied;
    };
    for (const Case test : {Case{33, 0, 2}, Case{11, 0, 2}, Case{5, 5, 0}, Case{34, 34, 0}}) {
        SCOPED_TRACE(test.refusal);
        paged.refusal = test.refusal;
        paged.refusedObjects = {2002};
        replied = 0;
        EXPECT_EQ(get2(ids), test.status);
        EXPECT_EQ(replied, test.replied);
    }
}

TEST_F(GlueGet2, OtherStatusesEndTheReadAtOnce) {
    openSession();
    const auto ids = makeObjects(3001, 4);
    paged.refusal = 8;
    paged.refusedObjects = {3003};
    EXPECT_EQ(get2(ids), 8);
    EXPECT_EQ(batches().size(), 1u);

    // A printer result of 0 is no success.
    responder.script({qdxa_test::ReplyFault::None, true, 0});
    paged.refusedObjects.clear();
    EXPECT_EQ(get2(ids), kQDXANoValidResult);
}

TEST_F(GlueGet2, ObjectsLeftOutOfACutReplyAreAskedAgain) {
    openSession();
    const auto ids = makeObjects(4001, 5);
    paged.get2ReplyRoom = 25;  // two objects of 14 bytes do not fit: one per reply
    ASSERT_EQ(get2(ids), 0);
    EXPECT_EQ(replied, 5);
    EXPECT_EQ(answeredIds(), ids);
    EXPECT_EQ(batches().size(), 5u);
    EXPECT_EQ(batches()[1], (std::vector<std::uint32_t>{4002, 4003, 4004, 4005}));
}

TEST_F(GlueGet2, BatchesNeverPassTheLargestBatchOrTheSendHandle) {
    openSession();
    const auto few = makeObjects(5001, 5);
    ASSERT_EQ(get2(few, 2), 0);
    EXPECT_EQ(batches(),
              (std::vector<std::vector<std::uint32_t>>{{5001, 5002}, {5003, 5004}, {5005}}));
    EXPECT_EQ(replied, 5);

    // 200 objects do not fit one 512-byte request.
    responder.requests.clear();
    const auto many = makeObjects(6001, 200);
    ASSERT_EQ(get2(many), 0);
    EXPECT_EQ(replied, 200);
    EXPECT_EQ(answeredIds(), many);
    for (const auto& batch : batches()) {
        EXPECT_LE(qdxa::kHeaderSize + 8 + 4 * batch.size() + 2, 512u);
    }
}

TEST_F(GlueGet2, AnAnswerThatCannotBeAppendedGives27) {
    openSession();
    const auto ids = makeObjects(7001, 2);
    WqsMemHandle withoutData;  // cannot grow
    EXPECT_EQ(glue_qdxaGet2(session, 2, ids.data(), 1, &kAttribute, &withoutData, &size, nullptr),
              kGlueGrowErr);
}

TEST_F(GlueGet2, MissingArgumentsAndZeroCountsAreRefused) {
    openSession();
    const auto ids = makeObjects(8001, 1);
    WqsMemHandle* h = handle.get();
    EXPECT_EQ(glue_qdxaGet2(nullptr, 1, ids.data(), 1, &kAttribute, h, &size, nullptr),
              kGlueParamErr);
    EXPECT_EQ(glue_qdxaGet2(session, 0, ids.data(), 1, &kAttribute, h, &size, nullptr),
              kGlueParamErr);
    EXPECT_EQ(glue_qdxaGet2(session, 1, ids.data(), 0, &kAttribute, h, &size, nullptr),
              kGlueParamErr);
    EXPECT_EQ(glue_qdxaGet2(session, 1, nullptr, 1, &kAttribute, h, &size, nullptr), kGlueParamErr);
    EXPECT_EQ(glue_qdxaGet2(session, 1, ids.data(), 1, &kAttribute, nullptr, &size, nullptr),
              kGlueParamErr);
    EXPECT_EQ(
        glue_qdxaGet2_ForObjCount(session, 1, 0, ids.data(), 1, &kAttribute, h, &size, nullptr),
        kGlueParamErr);
    EXPECT_TRUE(responder.requests.empty());
}

}  // namespace
}  // namespace gluetest
