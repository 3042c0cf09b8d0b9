// Method execution and attribute setting on the test printer.
#include <gtest/gtest.h>

#include <vector>

#include "glue/glue_error.h"
#include "glue/glue_operations.h"
#include "glue_printer.h"

namespace gluetest {
namespace {

constexpr std::uint16_t kMethod = 16391;

using GlueRequests = GlueSessionTest;

TEST_F(GlueRequests, AMethodAnswerLargerThanTheBufferLeavesItUntouched) {
    responder.methodAnswers[kMethod] = Bytes(600, 0x5A);
    std::vector<std::uint8_t> answer(512, 0xAA);
    std::uint32_t length = 512;
    EXPECT_EQ(
        glue_qdxaExecuteMethod(session, 601, kMethod, nullptr, nullptr, answer.data(), &length),
        kGlueMemErr);
    EXPECT_EQ(answer, std::vector<std::uint8_t>(512, 0xAA));
    EXPECT_EQ(length, 600u);

    responder.methodAnswers[kMethod] = Bytes(9, 0x5A);
    length = 512;
    ASSERT_EQ(
        glue_qdxaExecuteMethod(session, 601, kMethod, nullptr, nullptr, answer.data(), &length), 0);
    EXPECT_EQ(length, 9u);
    EXPECT_EQ(answer[8], 0x5A);
    EXPECT_EQ(answer[9], 0xAA);
}

TEST_F(GlueRequests, AMethodSendsItsInputAndTakesStatusFourAsSuccess) {
    const std::uint8_t input[] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    const std::uint16_t inputLength = sizeof input;
    responder.script({qdxa_test::ReplyFault::None, true, 4});
    EXPECT_EQ(glue_qdxaExecuteMethod(session, 601, kMethod, input, &inputLength, nullptr, nullptr),
              0);
    const Bytes sent = parameterOf(requestsOf(qdxa::kOpExecuteMethod).front());
    EXPECT_EQ(sent, (Bytes{0, 0, 0x02, 0x59, 0x40, 0x07, 1, 2, 3, 4, 5, 6, 7, 8, 9}));

    // Without a length no input goes out, whatever the pointer says.
    responder.requests.clear();
    EXPECT_EQ(glue_qdxaExecuteMethod(session, 601, kMethod, input, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(parameterOf(requestsOf(qdxa::kOpExecuteMethod).front()).size(), 6u);

    responder.script({qdxa_test::ReplyFault::None, true, 11});
    EXPECT_EQ(glue_qdxaExecuteMethod(session, 601, kMethod, nullptr, nullptr, nullptr, nullptr),
              11);
}

TEST_F(GlueRequests, RequestsCarryTheSessionsUserIds) {
    session->userId1 = 0x01020304;
    session->userId2 = 0x0A0B0C0D;
    EXPECT_EQ(glue_qdxaExecuteMethod(session, 601, kMethod, nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(glue_qdxaExecuteMethodbyUserID(session, 601, kMethod, nullptr, nullptr, nullptr,
                                             nullptr, 0xFFFF0001),
              0);
    const std::uint8_t value[] = {0, 1};
    EXPECT_EQ(glue_qdxaSet2(session, 101, 1017, value, 2, nullptr), 0);
    const auto& requests = responder.requests;
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(firstIdOf(requests[0]), 0x01020304u);
    EXPECT_EQ(firstIdOf(requests[1]), 0xFFFF0001u);
    EXPECT_EQ(firstIdOf(requests[2]), 0x01020304u);
    for (const Bytes& request : requests) {
        EXPECT_EQ(secondIdOf(request), 0x0A0B0C0Du);
    }
}

TEST_F(GlueRequests, Set2StoresTheValueOnThePrinter) {
    const std::uint8_t value[] = {0, 1, 4, 'r', 'o', 'o', 'm'};
    ASSERT_EQ(glue_qdxaSet2(session, 101, 1017, value, sizeof value, nullptr), 0);
    const auto& attributes = responder.objects[101];
    const auto stored = std::find_if(attributes.begin(), attributes.end(),
                                     [](const qdxa_test::Attribute& a) { return a.id == 1017; });
    ASSERT_NE(stored, attributes.end());
    EXPECT_EQ(stored->value, Bytes(value, value + sizeof value));
    EXPECT_EQ(parameterOf(requestsOf(qdxa::kOpSet2).front()),
              (Bytes{0, 0, 0, 0, 0, 101, 0x03, 0xF9, 0, 1, 4, 'r', 'o', 'o', 'm'}));

    // An access value travels in the access block, big-endian.
    responder.requests.clear();
    const std::uint32_t access = 0x11223344;
    ASSERT_EQ(glue_qdxaSet2(session, 101, 1017, value, 2, &access), 0);
    EXPECT_EQ(parameterOf(requestsOf(qdxa::kOpSet2).front()),
              (Bytes{1, 4, 0x11, 0x22, 0x33, 0x44, 0, 0, 0, 101, 0x03, 0xF9, 0, 1}));

    responder.script({qdxa_test::ReplyFault::None, true, 33});
    EXPECT_EQ(glue_qdxaSet2(session, 101, 1017, value, 2, nullptr), 33);
    EXPECT_EQ(glue_qdxaSet2(session, 101, 1017, nullptr, 2, nullptr), kGlueParamErr);
    EXPECT_EQ(glue_qdxaSet2(nullptr, 101, 1017, value, 2, nullptr), kGlueParamErr);
}

}  // namespace
}  // namespace gluetest
