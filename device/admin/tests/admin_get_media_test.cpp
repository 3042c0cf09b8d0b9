// Get requests for media and operations through tickets against the test printer: custom media,
// loaded media, a job's documents, the calibration list, the change mode, the last completed
// job, a running test print and the remaining print time.
#include <gtest/gtest.h>

#include "admin/admin_requests.h"
#include "admin_printer.h"
#include "core/core_error.h"
#include "query/query_method.h"

namespace admintest {
namespace {

class AdminGetMedia : public AdminPrinter {
  protected:
    std::uint32_t get() { return AdminGetInfo(session, request, result); }
};

TEST_F(AdminGetMedia, CustomMediaItemsAnswerTheirValueAndAutomaticFlag) {
    // Two bytes, the entry count, then per entry the item, its value and its automatic flag.
    responder.methodAnswers[kMethodCustomMediaInfoQuery] = {0x99, 0x99, 3, 1, 12, 0,
                                                            2,    5,    1, 6, 30, 1};
    openSession();
    ask("WVTcMediaHeadHeightValue");
    ask("WVTcMediaAdsorptionPowerAuto");
    ask("WVTcMediaInkDryingTimeValue");
    ask("WVTcMediaRollPaperCutValue");  // not reported
    ASSERT_EQ(get(), kCoreNoErr);
    EXPECT_EQ(intAnswer("WVTcMediaHeadHeightValue"), 12);
    EXPECT_EQ(intAnswer("WVTcMediaAdsorptionPowerAuto"), 1);
    EXPECT_EQ(intAnswer("WVTcMediaInkDryingTimeValue"), 30);
    EXPECT_FALSE(answer("WVTcMediaRollPaperCutValue"));
    EXPECT_FALSE(answer("WVTcMediaHeadHeightAuto"));
    const auto requests = methodRequests(kMethodCustomMediaInfoQuery);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(querytest::methodInputOf(requests.front()), (Bytes{0x99, 0x99, 0}));
}

TEST_F(AdminGetMedia, LoadedMediaAnswersOneEntryPerTrayForTheRequestedKeys) {
    // The tray count, then per tray its alias, load status, 16-bit medium code and a byte.
    responder.methodAnswers[kMethodLoadedMediaInfo2] = {2, 1, 3,    0x01, 0x02, 0,
                                                        4, 0, 0x7F, 0xFF, 0};
    openSession();
    ask("WVTLoadedMediaTrayAlias", kTktLibTypeSInt32Array);
    ask("WVTLoadedMediaExMediumCode", kTktLibTypeSInt32Array);
    ASSERT_EQ(get(), kCoreNoErr);
    EXPECT_EQ(intArray("WVTLoadedMediaTrayAlias"), (std::vector<std::int32_t>{1, 4}));
    EXPECT_EQ(intArray("WVTLoadedMediaExMediumCode"), (std::vector<std::int32_t>{0x0102, 0x7FFF}));
    EXPECT_FALSE(answer("WVTLoadedMediaLoadStatus"));
}

TEST_F(AdminGetMedia, TheDocumentsOfAJobNeedTheJobHandle) {
    responder.jobs = {{41, {{2027, qdxa_test::idList({501, 502})}}}};
    openSession();
    ask("DocumentHandleList", kTktLibTypeSInt32Array);
    ASSERT_EQ(get(), kCoreNoErr);
    EXPECT_FALSE(answer("DocumentHandleList"));
    EXPECT_TRUE(responder.requests.empty());

    put("JobHandle", 41);
    ASSERT_EQ(get(), kCoreNoErr);
    EXPECT_EQ(intArray("DocumentHandleList"), (std::vector<std::int32_t>{501, 502}));
}

TEST_F(AdminGetMedia, TheCalibrationListIsANestedTicketWithOneEntryPerCalibration) {
    // The mode byte, the count, then entries: two bytes, a 16-bit value, a byte, a wire date and
    // a last byte.
    Bytes answerBytes = {7, 2};
    for (std::uint8_t index = 1; index <= 2; ++index) {
        const Bytes date = qdxa_test::wireDate(2026, 12, index, 4, 10, 30, 0);
        answerBytes.insert(answerBytes.end(), {index, static_cast<std::uint8_t>(10 + index), 0x01,
                                               static_cast<std::uint8_t>(index), index == 1});
        answerBytes.insert(answerBytes.end(), date.begin(), date.end());
        answerBytes.push_back(static_cast<std::uint8_t>(20 + index));
    }
    responder.methodAnswers[kMethodCalibrationInfo] = answerBytes;
    openSession();
    ask("CalibrationInfo");
    ASSERT_EQ(get(), kCoreNoErr);
    const TktLibTicket* list = answer("CalibrationInfo");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(intAnswer("CalibrationInfoMode", list), 7);
    EXPECT_EQ(intAnswer("CalibrationInfoCount", list), 2);
    EXPECT_EQ(intArray("CalibrationInfoListID", list), (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(intArray("CalibrationInfoType", list), (std::vector<std::int32_t>{11, 12}));
    EXPECT_EQ(intArray("CalibrationInfoMediumTypeEx", list),
              (std::vector<std::int32_t>{0x0101, 0x0102}));
    EXPECT_EQ(intArray("CalibrationInfoModeEx", list), (std::vector<std::int32_t>{21, 22}));
    EXPECT_EQ(textArray("CalibrationInfoDateTimes", list).size(), 2u);
}

TEST_F(AdminGetMedia, ChangeModeOnOverTheNetworkAnswersThePortAndClearsTheRequestKeys) {
    // Result at byte 3, state at 4, the port at 5 and 6, the channel at 7.
    information.methodAnswersByInput[{kMethodChangeMode, Bytes{1, 1, 1, 0, 0, 0, 0, 0, 0}}] =
        Bytes{0, 0, 0, 1, 5, 0x1F, 0x90, 3, 0};
    openSession();
    ask("WVTChangeModeOn");
    ask("WVTChangeModeState");  // the first present key decides: on
    ASSERT_EQ(get(), kCoreNoErr);
    EXPECT_EQ(intAnswer("WVTChangeModeResult"), 1);
    EXPECT_EQ(intAnswer("WVTChangeModePortNumber"), 0x1F90);
    EXPECT_EQ(intAnswer("WVTChangeModeChannelNumber"), 0);
    EXPECT_EQ(intAnswer("WVTChangeModeOn"), 0);
    EXPECT_EQ(intAnswer("WVTChangeModeOff"), 0);
    EXPECT_FALSE(answer("WVTChangeModeState"));
}

TEST_F(AdminGetMedia, ChangeModeStateAnswersTheState) {
    information.methodAnswersByInput[{kMethodChangeMode, Bytes{1, 0, 1, 0, 0, 0, 0, 0, 0}}] =
        Bytes{0, 0, 0, 1, 5, 0, 0, 0, 0};
    openSession();
    ask("WVTChangeModeState");
    ASSERT_EQ(get(), kCoreNoErr);
    EXPECT_EQ(intAnswer("WVTChangeModeState"), 5);
    EXPECT_FALSE(answer("WVTChangeModePortNumber"));
}

TEST_F(AdminGetMedia, TheLastCompletedJobAnswersItsNamesAndValues) {
    Bytes completed = {3, 0x01, 0x02, 0, 0, 0, 41, 0, 106};
    const Bytes name = querytest::pascal(
        "\xEF\xBB\xBF"
        "Poster");
    completed.insert(completed.end(), name.begin(), name.end());
    completed.insert(completed.end(), {0, 2});
    const Bytes detail = querytest::pascal("A0");
    completed.insert(completed.end(), detail.begin(), detail.end());
    responder.methodAnswers[kMethodJobCompleteInfo] = completed;
    openSession();
    for (const char* name : {"WVTJobCompleteInfoState", "WVTJobCompleteInfoDetailedReason",
                             "WVTJobCompleteInfoJobHandle", "WVTJobCompleteInfoJobName",
                             "WVTJobCompleteInfoJobNameCode", "WVTJobCompleteInfoJobNameByData",
                             "WVTJobCompleteInfoJobDetailName"}) {
        ask(name);
    }
    ASSERT_EQ(get(), kCoreNoErr);
    EXPECT_EQ(intAnswer("WVTJobCompleteInfoState"), 3);
    EXPECT_EQ(intAnswer("WVTJobCompleteInfoDetailedReason"), 0x0102);
    EXPECT_EQ(intAnswer("WVTJobCompleteInfoJobHandle"), 41);
    EXPECT_EQ(textAnswer("WVTJobCompleteInfoJobName"), "Poster");
    EXPECT_EQ(intAnswer("WVTJobCompleteInfoJobNameCode"), 106);
    EXPECT_EQ(textAnswer("WVTJobCompleteInfoJobNameByData"),
              "\xEF\xBB\xBF"
              "Poster");
    EXPECT_EQ(textAnswer("WVTJobCompleteInfoJobDetailName"), "A0");
    EXPECT_FALSE(answer("WVTJobCompleteInfoJobDetailNameCode"));
}

TEST_F(AdminGetMedia, RemainingTimesAnswerTheRequestedKeysFromTheFirstThreeTimes) {
    Bytes reply{0, 1, 2};
    for (std::uint32_t time : {100u, 200u, 300u, 400u}) {
        const Bytes value = qdxa_test::u32Value(time);
        reply.insert(reply.end(), value.begin(), value.end());
    }
    reply.push_back(9);
    responder.methodAnswers[kMethodPrintRemainTime] = reply;
    openSession();
    ask("PrintRemainTimePage");
    ask("PrintRemainTimeJob");
    ASSERT_EQ(get(), kCoreNoErr);
    EXPECT_EQ(intAnswer("PrintRemainTimePage"), 100);
    EXPECT_EQ(intAnswer("PrintRemainTimeJob"), 300);
    EXPECT_FALSE(answer("PrintRemainTimeCurrentPageTime"));
    EXPECT_EQ(methodRequests(kMethodPrintRemainTime).size(), 1u);

    ask("PrintRemainTimeCurrentPageTime");
    ASSERT_EQ(get(), kCoreNoErr);
    EXPECT_EQ(intAnswer("PrintRemainTimeCurrentPageTime"), 200);
}

TEST_F(AdminGetMedia, ARefusedRemainingTimeEndsTheRequestWithoutAnswer) {
    information.methodResults[kMethodPrintRemainTime] = 12;
    openSession();
    ask("PrintRemainTimeJob");
    ask("WVTTestPrint2Status");
    EXPECT_NE(get(), kCoreNoErr);
    EXPECT_FALSE(answer("PrintRemainTimeJob"));
    EXPECT_TRUE(methodRequests(kMethodTestPrint2).empty());
}

}  // namespace
}  // namespace admintest
