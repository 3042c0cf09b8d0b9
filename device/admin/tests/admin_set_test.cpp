// Set requests through tickets against the test printer: texts with their codes, the media
// steps and their partial groups, and the file-box and job texts.
#include <gtest/gtest.h>

#include "admin/admin_requests.h"
#include "admin_printer.h"
#include "core/core_error.h"
#include "query/query_setters.h"

namespace admintest {
namespace {

class AdminSet : public AdminPrinter {
  protected:
    std::uint32_t set() { return AdminSetInfo(session, request, result); }
    /// The value that a Set2 stored on the printer: 16-bit code, length byte, characters.
    Bytes stored(std::uint32_t object, std::uint16_t attribute) const {
        for (const auto& entry : responder.objects.at(object)) {
            if (entry.id == attribute) {
                return entry.value;
            }
        }
        return {};
    }
    static Bytes codedValue(std::uint16_t code, const std::string& text) {
        Bytes value{static_cast<std::uint8_t>(code >> 8), static_cast<std::uint8_t>(code),
                    static_cast<std::uint8_t>(text.size())};
        value.insert(value.end(), text.begin(), text.end());
        return value;
    }
};

TEST_F(AdminSet, ALongManagerNameSendsItsFirst255CharactersWithTheDefaultCode) {
    openSession();
    const std::string name(300, 'm');
    putText("ManagerName", name);
    ASSERT_EQ(set(), kCoreNoErr);
    EXPECT_EQ(stored(101, 1017), codedValue(3, name.substr(0, 255)));
    EXPECT_TRUE(answeredKeys().empty());
}

TEST_F(AdminSet, TextsGoOutInOrderWithTheirCodeKeysAndByDataCutTo255) {
    openSession();
    putText("DeviceName", "Front");
    put("DeviceNameCode", 106);
    putData("DeviceLocationsByData", Bytes(260, 'x'));
    ASSERT_EQ(set(), kCoreNoErr);
    EXPECT_EQ(stored(101, 1035), codedValue(106, "Front"));
    EXPECT_EQ(stored(101, 1039), codedValue(3, std::string(255, 'x')));
    EXPECT_EQ(requestsOf(qdxa::kOpSet2).size(), 2u);
}

TEST_F(AdminSet, AFailingTextSettingEndsTheCallBeforeLaterSettings) {
    openSession();
    control.operationResults[qdxa::kOpSet2] = 50;
    putText("ManagerName", "Ada");
    putText("DeviceName", "Front");
    put("WVTMediaListNumber", 4);
    EXPECT_EQ(set(), kCoreUnknownErr);
    EXPECT_EQ(requestsOf(qdxa::kOpSet2).size(), 1u);
    EXPECT_TRUE(methodRequests(kMethodSetMediaListNumber).empty());
}

TEST_F(AdminSet, PartialGroupsEndTheCallWithOneAndSendNothingOfThem) {
    struct Case {
        const char* key;
    };
    const Case cases[] = {{"WVTSetMediaType"},
                          {"WVTSetTrayAlias"},
                          {"WVTColorCheckThresholdValue"},
                          {"WVTColorCheckScheduleDate"}};
    openSession();
    for (const Case& c : cases) {
        TktLibDisposeTicket(request);
        ASSERT_EQ(TktLibCreateTicket(&request), kTktLibNoErr);
        put(c.key, 1);
        put("WVTPreInfo", 0);  // a later step that must not run
        putText("JobName", "late");
        put("JobHandle", 11);
        EXPECT_EQ(set(), kCoreParamErr) << c.key;
    }
    EXPECT_TRUE(responder.requests.empty());
}

TEST_F(AdminSet, MediaTypeWithTrayAliasGoesOutTogether) {
    openSession();
    put("WVTSetMediaType", 0x1207);  // the low byte is sent
    put("WVTSetTrayAlias", 3);
    ASSERT_EQ(set(), kCoreNoErr);
    const auto inputs = methodRequests(kMethodSetMediaType);
    ASSERT_EQ(inputs.size(), 1u);
    const Bytes input = querytest::methodInputOf(inputs.front());
    ASSERT_GE(input.size(), 1u);
    EXPECT_EQ(input[0], 0x07);
}

TEST_F(AdminSet, CustomMediaItemsStopAtTheFirstAbsentOne) {
    openSession();
    put("WVTSetcMediaAdsorptionPower", 5);  // without the head height nothing is set
    ASSERT_EQ(set(), kCoreNoErr);
    EXPECT_TRUE(responder.requests.empty());

    put("WVTSetcMediaHeadHeight", 2);
    put("WVTSetcMediaBoderlessPrint", 1);  // after the absent roll-paper cut: not applied
    ASSERT_EQ(set(), kCoreNoErr);
    const auto requests = methodRequests(kMethodCustomMediaInfo);
    ASSERT_EQ(requests.size(), 2u);
    // Media id 39321, the set flag, the item and the value.
    EXPECT_EQ(querytest::methodInputOf(requests[0]), (Bytes{0x99, 0x99, 1, 1, 2}));
    EXPECT_EQ(querytest::methodInputOf(requests[1]), (Bytes{0x99, 0x99, 1, 2, 5}));
}

TEST_F(AdminSet, AFileBoxNameReportsItsControlResult) {
    openSession();
    put("FileBoxHandle", 9001);
    putText("FileBoxName", "Proofs");
    putArray("FileBoxPassword", {0x1234});
    ASSERT_EQ(set(), kCoreNoErr);
    EXPECT_EQ(stored(9001, 10601), codedValue(3, "Proofs"));
    EXPECT_EQ(controlResults(), std::vector<std::int32_t>{0});

    control.operationResults[qdxa::kOpSet2] = 4203;
    EXPECT_EQ(set(), kCorePrinterRefusedErr);
    EXPECT_EQ(controlResults(), std::vector<std::int32_t>{16001});
}

TEST_F(AdminSet, JobTextsNeedTheJobHandle) {
    openSession();
    putText("JobName", "Poster");
    ASSERT_EQ(set(), kCoreNoErr);
    EXPECT_TRUE(responder.requests.empty());

    put("JobHandle", 77);
    putText("JobDetailName", "A0 proof");
    put("JobDetailNameCode", 2);
    ASSERT_EQ(set(), kCoreNoErr);
    EXPECT_EQ(stored(77, 4), codedValue(3, "Poster"));
    EXPECT_EQ(stored(77, 279), codedValue(2, "A0 proof"));
}

TEST_F(AdminSet, CalibrationAdjustAnswersThePrintersResult) {
    openSession();
    // Write mode 1 with the value in byte 4; the result is byte 5 of the answer.
    information.methodAnswersByInput[{16438, Bytes{1, 1, 0, 0, 9, 0, 0}}] =
        Bytes{1, 1, 0, 0, 9, 0x42, 0};
    put("WVTCalibrationAdjustValue", 0x109);  // the low byte is sent
    ASSERT_EQ(set(), kCoreNoErr);
    EXPECT_EQ(intAnswer("WVTCalibrationAdjustResult"), 0x42);
}

}  // namespace
}  // namespace admintest
