// Control requests through tickets against the test printer: every action present runs, and
// the result array holds the control result of the last one.
#include <gtest/gtest.h>

#include "admin/admin_requests.h"
#include "admin_printer.h"
#include "control/control_operations.h"
#include "core/core_error.h"
#include "query/query_method.h"

namespace admintest {
namespace {

/// The marker attribute: a byte, two bytes, a name, a byte, and the colour codes.
Bytes marker(const Bytes& colours) {
    Bytes value{1, 0, 0, 2, 'M', 'K', 0, static_cast<std::uint8_t>(colours.size())};
    value.insert(value.end(), colours.begin(), colours.end());
    return value;
}

class AdminControl : public AdminPrinter {
  protected:
    std::uint32_t control_() { return AdminControlInfo(session, request, result); }
};

TEST_F(AdminControl, CancelAndPauseBothRunAndTheArrayHoldsThePauseResult) {
    responder.jobs = {{41, {}}};
    openSession();
    control.operationResults[qdxa::kOpPauseJob] = 50;
    put("CancelJob", 41);
    put("PauseJob", 41);
    ASSERT_EQ(control_(), kCoreNoErr);
    EXPECT_EQ(requestsOf(qdxa::kOpCancelJob).size(), 1u);
    EXPECT_EQ(requestsOf(qdxa::kOpPauseJob).size(), 1u);
    EXPECT_EQ(controlResults(), std::vector<std::int32_t>{50});
    EXPECT_TRUE(responder.jobs.empty());
}

TEST_F(AdminControl, ARefusalIsReportedInTheArrayAndTheCallSucceeds) {
    struct Case {
        std::uint16_t printerResult;
        std::int32_t reported;
    };
    const Case cases[] = {{1, 0}, {8, 8}, {4203, 16001}, {4156, 4156}};
    responder.jobs = {{41, {}}};
    openSession();
    put("PauseJob", 41);
    for (const Case& c : cases) {
        control.operationResults[qdxa::kOpPauseJob] = c.printerResult;
        ASSERT_EQ(control_(), kCoreNoErr);
        EXPECT_EQ(controlResults(), std::vector<std::int32_t>{c.reported}) << c.printerResult;
    }
}

TEST_F(AdminControl, CancellingAnUnknownJobReturnsZeroWithTheRefusal) {
    openSession();
    put("CancelJob", 999);
    ASSERT_EQ(control_(), kCoreNoErr);
    EXPECT_EQ(controlResults(), std::vector<std::int32_t>{8});
}

TEST_F(AdminControl, HeadCleaningNamesOnlyTheColoursACleaningMayName) {
    struct Case {
        Bytes printerColours;
        Bytes input;
    };
    const Case cases[] = {
        {{5, 6}, {3, 0}},
        {{1, 5, 12, 30, 22, 2}, {3, 4, 1, 12, 22, 2}},
        {{}, {3, 0}},
    };
    for (const Case& c : cases) {
        setAttribute(601, 2132, marker(c.printerColours));
        openSession();
        put("HeadCleaningNumber", 0x103);  // the low byte is sent
        ASSERT_EQ(control_(), kCoreNoErr);
        const auto inputs = methodInputs(kMethodHeadCleaning);
        ASSERT_EQ(inputs.size(), 1u);
        EXPECT_EQ(inputs.front(), c.input);
        ASSERT_EQ(glue_qdxaClose(&session, 0), 0);
    }
}

TEST_F(AdminControl, AFailingColourListIsReportedAndNoCleaningIsSent) {
    openSession();
    information.refusedAttributes = {2132};
    information.refusal = 50;
    put("HeadCleaningNumber", 1);
    ASSERT_EQ(control_(), kCoreNoErr);
    EXPECT_TRUE(methodInputs(kMethodHeadCleaning).empty());
    EXPECT_EQ(controlResults(), std::vector<std::int32_t>{50});
}

TEST_F(AdminControl, ServiceTestPrintsGoOutUnderTheServiceUser) {
    openSession();
    put("TestPrintEx", 131);
    ASSERT_EQ(control_(), kCoreNoErr);
    const auto requests = methodRequests(kMethodTestPrint);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(gluetest::firstIdOf(requests.front()), kTestPrintServiceUserId);
    EXPECT_EQ(querytest::methodInputOf(requests.front()), Bytes{131});
}

TEST_F(AdminControl, ASuspendedJobMarkNeedsBothItsKeys) {
    openSession();
    put("IndicateSuspendedJob", 1);
    ASSERT_EQ(control_(), kCoreNoErr);
    EXPECT_TRUE(responder.requests.empty());
    EXPECT_FALSE(answer("ReultListOfControl"));

    put("JobHandle", 0x0A0B0C0D);
    ASSERT_EQ(control_(), kCoreNoErr);
    EXPECT_EQ(methodInputs(16414), (std::vector<Bytes>{{1, 1, 0x0A, 0x0B, 0x0C, 0x0D, 0}}));
}

TEST_F(AdminControl, ASecondGenerationTestPrintCancelWinsOverItsStart) {
    openSession();
    put("WVTTestPrint2Ex", 4);
    put("WVTTestPrint2ExCancel", 6);
    ASSERT_EQ(control_(), kCoreNoErr);
    const auto requests = methodRequests(kMethodTestPrint2);
    ASSERT_EQ(requests.size(), 1u);
    const Bytes input = querytest::methodInputOf(requests.front());
    EXPECT_NE(std::find(input.begin(), input.end(), 6), input.end());
    EXPECT_EQ(std::find(input.begin(), input.end(), 4), input.end());
}

TEST_F(AdminControl, PasswordChangesSendThreeValuesWithFlagsOrZeros) {
    openSession();
    put("ChangeFileBoxPassword", 900);
    putArray("FileBoxPassword", {7, 8});
    ASSERT_EQ(control_(), kCoreNoErr);
    putArray("FileBoxPassword", {7, 8, 9});
    ASSERT_EQ(control_(), kCoreNoErr);
    const auto requests = requestsOf(qdxa::kOpChangeFileBoxPassword);
    ASSERT_EQ(requests.size(), 2u);
    Bytes withoutValues = controltest::be32({900, 0, 0, 0});
    withoutValues.push_back(0);
    Bytes withValues = controltest::be32({900, 7, 8, 9});
    withValues.push_back(15);
    EXPECT_EQ(gluetest::parameterOf(requests[0]), withoutValues);
    EXPECT_EQ(gluetest::parameterOf(requests[1]), withValues);
}

TEST_F(AdminControl, ReplacingFilesNeedsTheFileBox) {
    openSession();
    putArray("ReplaceFiles", {5, 6});
    putArray("FileBoxPassword", {1, 2});
    ASSERT_EQ(control_(), kCoreNoErr);
    EXPECT_TRUE(responder.requests.empty());

    putArray("FileBoxHandle", {900});
    ASSERT_EQ(control_(), kCoreNoErr);
    Bytes expected = {0, 2};
    const Bytes values = controltest::be32({5, 6, 1, 900, 2});
    expected.insert(expected.end(), values.begin(), values.end());
    EXPECT_EQ(gluetest::parameterOf(onlyRequest(qdxa::kOpReplaceFiles)), expected);
}

TEST_F(AdminControl, MissingArgumentsGiveOne) {
    openSession();
    put("CancelJob", 1);
    EXPECT_EQ(AdminControlInfo(nullptr, request, result), kCoreParamErr);
    EXPECT_EQ(AdminControlInfo(session, nullptr, result), kCoreParamErr);
    EXPECT_EQ(AdminSetInfo(session, request, nullptr), kCoreParamErr);
    EXPECT_TRUE(responder.requests.empty());
}

}  // namespace
}  // namespace admintest
