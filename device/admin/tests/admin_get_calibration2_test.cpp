// The second calibration query through tickets against the test printer.
#include <gtest/gtest.h>

#include "admin/admin_requests.h"
#include "admin_printer.h"
#include "core/core_error.h"
#include "query/query_method.h"

namespace admintest {
namespace {

constexpr std::size_t kAnswerSize = 83;

/// An answer marked valid whose every byte from 5 on differs, with `name` in the 40 bytes from
/// byte 10, padded with zeros.
Bytes calibrationAnswer(const std::string& name) {
    Bytes answer(kAnswerSize);
    for (std::size_t index = 0; index < answer.size(); ++index) {
        answer[index] = std::uint8_t(index);
    }
    answer[1] = 0x12;
    answer[2] = 0x34;
    answer[3] = 0x56;
    answer[4] = 1;  // one result
    std::fill(answer.begin() + 10, answer.begin() + 50, 0);
    std::copy(name.begin(), name.end(), answer.begin() + 10);
    return answer;
}

class AdminCalibration2 : public AdminPrinter {
  protected:
    std::uint32_t get() { return AdminGetInfo(session, request, result); }
    void askAll() {
        put("WVTCalibrationInfo2Mode", 3);
        put("WVTCalibrationInfo2MediumTypeEx", 0x0102);
        put("WVTCalibrationInfo2LcdLanguage", 7);
    }
};

TEST_F(AdminCalibration2, TheRecordAnswersEveryKeyAndTheInputsGoIntoTheMethod) {
    responder.methodAnswers[kMethodCalibrationInfo2] = calibrationAnswer("Glossy 260");
    openSession();
    askAll();
    ASSERT_EQ(get(), kCoreNoErr);

    Bytes input(84);
    input[0] = 3;
    input[4] = 1;
    input[5] = 0x01;
    input[6] = 0x02;
    input[7] = 7;
    const auto requests = methodRequests(kMethodCalibrationInfo2);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(querytest::methodInputOf(requests.front()), input);

    EXPECT_EQ(textAnswer("WVTCalibrationInfo2MediaLcdName"), "Glossy 260");
    EXPECT_EQ(textAnswer("WVTCalibrationInfo2MediaLcdNameByData"), "Glossy 260");
    const std::pair<std::string, std::int32_t> expected[] = {
        {"CalibrationType", 50},
        {"CalibrationDate", 0x33343536},
        {"CalibrationTime", 0x3738393A},
        {"CalibrationTemperature", 59},
        {"CalibrationHumidity", 60},
        {"CalibrationBacking", 61},
        {"ColorCheckType", 63},
        {"ColorCheckDate", 0x40414243},
        {"ColorCheckTime", 0x44454647},
        {"ColorCheckTemperature", 72},
        {"ColorCheckHumidity", 73},
        {"ColorCheckBacking", 74},
        {"DeltaEType", 75},
        {"DeltaEValue", 0x4C4D},
        {"ColorCheckExecGuidance", 0x4E4F},
        {"CommonCalibrationMedia", 80},
        {"DotCountNotification", 81},
        {"LcdNameCode", 0x0809},
        {"DeltaEThreshold", 0x1234},
        {"ColorCheckResult", 0x56},
        {"DotCountState", 82},
    };
    for (const auto& [name, value] : expected) {
        EXPECT_EQ(intAnswer("WVTCalibrationInfo2" + name), value) << name;
    }
}

TEST_F(AdminCalibration2, AnAnswerWithoutResultsOrNameLeavesThoseKeysOut) {
    Bytes reply = calibrationAnswer("");
    responder.methodAnswers[kMethodCalibrationInfo2] = reply;
    openSession();
    askAll();
    ASSERT_EQ(get(), kCoreNoErr);
    EXPECT_FALSE(answer("WVTCalibrationInfo2MediaLcdName"));
    EXPECT_FALSE(answer("WVTCalibrationInfo2MediaLcdNameByData"));
    EXPECT_EQ(intAnswer("WVTCalibrationInfo2CalibrationType"), 50);

    reply[4] = 0;
    responder.methodAnswers[kMethodCalibrationInfo2] = reply;
    TktLibDisposeTicket(result);
    ASSERT_EQ(TktLibCreateTicket(&result), kTktLibNoErr);
    ASSERT_EQ(get(), kCoreNoErr);
    EXPECT_TRUE(answeredKeys().empty());
}

TEST_F(AdminCalibration2, OneOrTwoOfTheInputsEndTheRequestBeforeAnythingIsSent) {
    openSession();
    put("WVTCalibrationInfo2Mode", 3);
    put("WVTCalibrationInfo2LcdLanguage", 7);
    ask("WVTGetAdministratorPassword");
    EXPECT_EQ(get(), kCoreParamErr);
    EXPECT_TRUE(responder.requests.empty());
}

}  // namespace
}  // namespace admintest
