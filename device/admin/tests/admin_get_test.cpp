// Get requests through tickets against the test printer: what is asked is answered, what is
// not asked is neither sent nor written, and failures answer the placeholders.
#include <gtest/gtest.h>

#include "admin/admin_requests.h"
#include "admin_printer.h"
#include "core/core_error.h"

namespace admintest {
namespace {

using gluetest::stateValue;
using qdxa_test::codedString;

constexpr std::uint16_t kAttrModel = 1056;
constexpr std::uint16_t kAttrState = 282;

class AdminGet : public AdminPrinter {
  protected:
    std::uint32_t get() { return AdminGetInfo(session, request, result); }
};

TEST_F(AdminGet, TheProtocolNameIsAnsweredWithoutAskingThePrinter) {
    openSession();
    ask("ProtocolName", kTktLibTypeCString);
    ASSERT_EQ(get(), kCoreNoErr);
    EXPECT_EQ(textAnswer("ProtocolName"), "QDXAv2.0");
    EXPECT_EQ(answeredKeys(), std::vector<std::string>{"ProtocolName"});
    EXPECT_TRUE(responder.requests.empty());
}

TEST_F(AdminGet, AnEmptyRequestSendsNothingAndAnswersNothing) {
    openSession();
    ASSERT_EQ(get(), kCoreNoErr);
    EXPECT_TRUE(answeredKeys().empty());
    EXPECT_TRUE(responder.requests.empty());
}

TEST_F(AdminGet, MissingArgumentsGiveOneBeforeAnythingIsSent) {
    openSession();
    ask("ComponentModel", kTktLibTypeCString);
    EXPECT_EQ(AdminGetInfo(nullptr, request, result), kCoreParamErr);
    EXPECT_EQ(AdminGetInfo(session, nullptr, result), kCoreParamErr);
    EXPECT_EQ(AdminGetInfo(session, request, nullptr), kCoreParamErr);
    EXPECT_TRUE(responder.requests.empty());
}

TEST_F(AdminGet, PrinterStateAnswersTheFlagTheDetailAndTheStateWithReason) {
    setAttribute(601, kAttrState, stateValue(3, 2, {0x1000, 0x2000}, 0x2000, 0));
    openSession();
    ask("PrinterOnline", kTktLibTypeBoolean);
    ask("PrinterDetailCode");
    ask("PrinterStateAndReason");
    ASSERT_EQ(get(), kCoreNoErr);
    EXPECT_EQ(booleanAnswer("PrinterOnline"), "true");
    EXPECT_EQ(intAnswer("PrinterDetailCode"), 0x2000);
    EXPECT_EQ(intAnswer("PrinterStateAndReason"), (3 << 16) | 2);
}

TEST_F(AdminGet, OnlyTheRequestedStateKeysAreWritten) {
    openSession();
    ask("PrinterDetailCode");
    ASSERT_EQ(get(), kCoreNoErr);
    EXPECT_EQ(answeredKeys(), std::vector<std::string>{"PrinterDetailCode"});
}

TEST_F(AdminGet, AStateQueryRefusedWith4203AnswersTheCachedStateAndGoesOn) {
    setAttribute(601, kAttrState, stateValue(4, 7, {0x3000}, 0x3000, 3));  // not printable
    openSession();
    // The printer changes, but its answer is refused with the transport's own code.
    setAttribute(601, kAttrState, stateValue(1, 0, {}, 0, 0));
    information.refusedAttributes = {kAttrState};
    information.refusal = 4203;
    ask("PrinterOnline", kTktLibTypeBoolean);
    ask("PrinterDetailCode");
    ask("PrinterStateAndReason");
    ask("ProtocolName", kTktLibTypeCString);
    setAttribute(101, 1071, querytest::pascal("SN-1"));
    ask("DeviceNumber", kTktLibTypeCString);
    ASSERT_EQ(get(), kCoreNoErr);
    EXPECT_EQ(booleanAnswer("PrinterOnline"), "false");
    EXPECT_EQ(intAnswer("PrinterDetailCode"), 0x3000);
    EXPECT_EQ(intAnswer("PrinterStateAndReason"), (4 << 16) | 7);
    EXPECT_EQ(textAnswer("DeviceNumber"), "SN-1");
}

TEST_F(AdminGet, AFailedStateQueryWritesTheFailurePlaceholdersAndEndsTheCall) {
    openSession();
    information.refusedAttributes = {kAttrState};
    information.refusal = 50;
    ask("PrinterOnline", kTktLibTypeBoolean);
    ask("PrinterDetailCode");
    ask("PrinterStateAndReason");
    ask("DeviceNumber", kTktLibTypeCString);
    EXPECT_EQ(get(), kCoreUnknownErr);
    EXPECT_EQ(booleanAnswer("PrinterOnline"), "FAILURE");
    EXPECT_EQ(intAnswer("PrinterDetailCode"), 1003);
    EXPECT_EQ(intAnswer("PrinterStateAndReason"), static_cast<std::int32_t>(0x80000001));
    EXPECT_FALSE(answer("DeviceNumber"));
}

TEST_F(AdminGet, AFailedModelQueryAnswersNeitherModelNorLaterTexts) {
    setAttribute(101, 1017, codedString(1, "Ada"));
    openSession();
    information.refusedAttributes = {kAttrModel};
    information.refusal = 50;
    ask("ComponentModel", kTktLibTypeCString);
    ask("ManagerName", kTktLibTypeCString);
    EXPECT_EQ(get(), kCoreUnknownErr);
    EXPECT_TRUE(answeredKeys().empty());
}

TEST_F(AdminGet, ModelAndTextsLoseAByteOrderMarkAndEmptyModelsReadUnknown) {
    setAttribute(101, 1017,
                 codedString(106,
                             "\xEF\xBB\xBF"
                             "Ada"));
    setAttribute(101, 1039, codedString(3, "Room 4"));
    openSession();
    ask("ManagerName", kTktLibTypeCString);
    ask("ManagerNameByData", kTktLibTypeData);
    ask("DeviceLocations", kTktLibTypeCString);
    ask("ComponentModel", kTktLibTypeCString);
    ASSERT_EQ(get(), kCoreNoErr);
    EXPECT_EQ(textAnswer("ManagerName"), "Ada");
    EXPECT_EQ(textAnswer("ManagerNameByData"),
              "\xEF\xBB\xBF"
              "Ada");
    EXPECT_EQ(intAnswer("ManagerNameCode"), 106);
    EXPECT_EQ(textAnswer("DeviceLocations"), "Room 4");
    EXPECT_EQ(intAnswer("DeviceLocationsCode"), 3);
    EXPECT_EQ(textAnswer("ComponentModel"), gluetest::kModelName);

    setAttribute(101, kAttrModel, codedString(1, ""));
    TktLibTicket* second = nullptr;
    ASSERT_EQ(TktLibCreateTicket(&second), kTktLibNoErr);
    ASSERT_EQ(AdminGetInfo(session, request, second), kCoreNoErr);
    EXPECT_EQ(textAnswer("ComponentModel", second), "UNKNOWN");
    TktLibDisposeTicket(second);
}

/// The colorant attribute: a count, then per colorant its code, its level and a byte.
Bytes colorants(const std::vector<std::pair<std::uint8_t, std::uint8_t>>& levels) {
    Bytes value{static_cast<std::uint8_t>(levels.size())};
    for (const auto& [code, level] : levels) {
        value.insert(value.end(), {code, level, 0});
    }
    return value;
}

TEST_F(AdminGet, MarkerLevelsAreAnsweredOnlyForColoursThePrinterReports) {
    setAttribute(601, 2157, colorants({{1, 80}, {9, 40}}));  // black and yellow
    openSession();
    for (const char* colour : {"BlackMarkerLinger", "CyanMarkerLinger", "YellowMarkerLinger",
                               "MattBlackMarkerLinger", "AllMarkerLingerList"}) {
        ask(colour);
    }
    ASSERT_EQ(get(), kCoreNoErr);
    EXPECT_EQ(intAnswer("BlackMarkerLinger"), 80);
    EXPECT_EQ(intAnswer("YellowMarkerLinger"), 40);
    EXPECT_FALSE(answer("CyanMarkerLinger"));
    EXPECT_FALSE(answer("MattBlackMarkerLinger"));
    EXPECT_EQ(intArray("AllMarkerLingerList"), (std::vector<std::int32_t>{80, 40}));
}

TEST_F(AdminGet, ARefusedMediaRecordIsLeftOutAndTheRequestGoesOn) {
    setAttribute(101, 1071, querytest::pascal("SN-9"));
    openSession();
    control.operationResults[qdxa::kOpListEx] = 50;
    ask("MediaEditorInfo", kTktLibTypeData);
    ask("DeviceNumber", kTktLibTypeCString);
    ASSERT_EQ(get(), kCoreNoErr);
    EXPECT_FALSE(answer("MediaEditorInfo"));
    EXPECT_EQ(textAnswer("DeviceNumber"), "SN-9");

    // The same refusal of a list that is not optional ends the request.
    ask("MultiSensorInfo", kTktLibTypeData);
    EXPECT_EQ(get(), kCoreUnknownErr);
}

TEST_F(AdminGet, StringListsAnswerTheirElementsOnlyForTheirElementType) {
    // List kind 1 answers strings (element type 25), kind 6 a record (element type 24).
    paged.extendedLists[{101, 1}] = {25, {Bytes{3, 'a', 'b', 'c'}, Bytes{2, 'x', 'y'}}};
    paged.extendedLists[{101, 6}] = {24, {Bytes{9, 8, 7}}};
    paged.extendedLists[{101, 5}] = {24, {Bytes{1, 'q'}}};
    openSession();
    ask("StatusPrintStrings", kTktLibTypeCStringArray);
    ask("MediaEditorInfo", kTktLibTypeData);
    ask("JobLogStrings", kTktLibTypeCStringArray);
    ASSERT_EQ(get(), kCoreNoErr);
    EXPECT_EQ(textArray("StatusPrintStrings"), (std::vector<std::string>{"abc", "xy"}));
    EXPECT_EQ(textAnswer("MediaEditorInfo"), std::string("\x09\x08\x07"));
    EXPECT_FALSE(answer("JobLogStrings"));  // a record where strings were expected
}

TEST_F(AdminGet, MonitorFunctionsAreNamedInOrderAndAbsentWhenNoneIsReported) {
    setAttribute(501, 212, gluetest::supportValue({{34, 1}, {32, 1}, {33, 1}}));
    openSession();
    ask("FuncForMonitor", kTktLibTypeCStringArray);
    ASSERT_EQ(get(), kCoreNoErr);
    EXPECT_EQ(textArray("FuncForMonitor"), (std::vector<std::string>{"promote", "pauseResume"}));
}

TEST_F(AdminGet, NoMonitorFunctionMeansNoKey) {
    openSession();
    ask("FuncForMonitor", kTktLibTypeCStringArray);
    ASSERT_EQ(get(), kCoreNoErr);
    EXPECT_FALSE(answer("FuncForMonitor"));
}

}  // namespace
}  // namespace admintest
