// Head cleaning, test prints and the suspended-job mark: their method inputs byte for byte and
// the user ids they go out under, against the test printer.
#include <gtest/gtest.h>

#include "control/control_operations.h"
#include "control_printer.h"
#include "glue/glue_error.h"

namespace controltest {
namespace {

class ControlMethods : public ControlPrinterTest {};

TEST_F(ControlMethods, EachControlSendsItsMethodInputByteForByte) {
    openSession();
    const std::uint8_t colours[] = {1, 12, 22};
    ASSERT_EQ(glue_qdxaHeadCleaning(session, 5, 3, colours), 0);
    ASSERT_EQ(glue_qdxaHeadCleaning(session, 2, 0, nullptr), 0);
    ASSERT_EQ(glue_qdxaTestPrint(session, 7), 0);
    ASSERT_EQ(glue_qdxaTestPrint2(session, 0x35), 0);
    ASSERT_EQ(glue_qdxaIndicateSuspendedJob(session, 0x01020304, 0xA5), 0);

    EXPECT_EQ(methodInputs(kMethodHeadCleaning), (std::vector<Bytes>{{5, 3, 1, 12, 22}, {2, 0}}));
    EXPECT_EQ(methodInputs(kMethodTestPrint), (std::vector<Bytes>{{7}}));
    EXPECT_EQ(methodInputs(16419), (std::vector<Bytes>{{142, 0x35, 0, 0}}));
    EXPECT_EQ(methodInputs(16414), (std::vector<Bytes>{{0xA5, 1, 1, 2, 3, 4, 0}}));
    for (const Bytes& request : responder.requests) {
        EXPECT_EQ(gluetest::firstIdOf(request), session->userId1);
        EXPECT_EQ(gluetest::secondIdOf(request), session->userId2);
    }
}

TEST_F(ControlMethods, ServiceTestPatternsGoOutUnderTheServiceUser) {
    openSession();
    const std::uint8_t patterns[] = {1, 131, 2, 130};
    for (std::uint8_t pattern : patterns) {
        ASSERT_EQ(glue_qdxaTestPrintEx(session, pattern), 0);
    }
    const auto requests = methodRequests(kMethodTestPrint);
    ASSERT_EQ(requests.size(), 4u);
    const std::uint32_t expectedFirst[] = {kTestPrintServiceUserId, kTestPrintServiceUserId,
                                           session->userId1, session->userId1};
    for (std::size_t index = 0; index < requests.size(); ++index) {
        EXPECT_EQ(querytest::methodInputOf(requests[index]), Bytes{patterns[index]});
        EXPECT_EQ(gluetest::firstIdOf(requests[index]), expectedFirst[index]) << index;
        EXPECT_EQ(gluetest::secondIdOf(requests[index]), session->userId2);
    }
}

TEST_F(ControlMethods, PrinterStatusesComeBackAndMissingArgumentsSendNothing) {
    openSession();
    information.methodResults[kMethodTestPrint] = 11;
    information.methodResults[kMethodHeadCleaning] = 1;
    EXPECT_EQ(glue_qdxaTestPrint(session, 1), 11);
    EXPECT_EQ(glue_qdxaHeadCleaning(session, 1, 0, nullptr), 0);

    responder.requests.clear();
    EXPECT_EQ(glue_qdxaTestPrint(nullptr, 1), kGlueParamErr);
    EXPECT_EQ(glue_qdxaTestPrintEx(nullptr, 1), kGlueParamErr);
    EXPECT_EQ(glue_qdxaTestPrint2(nullptr, 1), kGlueParamErr);
    EXPECT_EQ(glue_qdxaIndicateSuspendedJob(nullptr, 1, 1), kGlueParamErr);
    EXPECT_EQ(glue_qdxaHeadCleaning(nullptr, 1, 0, nullptr), kGlueParamErr);
    EXPECT_EQ(glue_qdxaHeadCleaning(session, 1, 2, nullptr), kGlueParamErr);
    EXPECT_TRUE(responder.requests.empty());
}

}  // namespace
}  // namespace controltest
