// Vendor-method queries of the printer: the inputs they send and the answer positions they
// read, against the test printer.
#include <gtest/gtest.h>

#include <functional>

#include "glue/glue_error.h"
#include "query/query_method.h"
#include "query_printer.h"

namespace querytest {
namespace {

class Methods : public QueryPrinter {
  protected:
    /// Runs `query` with `answer` as the printer's answer to `method`; the input it sent.
    Bytes run(std::uint16_t method, Bytes answer, const std::function<std::int32_t()>& query) {
        responder.methodAnswers[method] = std::move(answer);
        responder.requests.clear();
        EXPECT_EQ(query(), 0) << method;
        const auto sent = methodRequests(method);
        EXPECT_EQ(sent.size(), 1u) << method;
        return sent.empty() ? Bytes() : methodInputOf(sent[0]);
    }
};

TEST_F(Methods, PaperAmountSendsTheSelectorAndReadsAmountValuesAndSelector) {
    openSession();
    std::uint32_t amount = 0, selector = 0x102;
    std::uint16_t a = 0, b = 0;
    const Bytes input = run(16391, {0, 0, 1, 0, 0, 2, 0, 3, 9}, [&] {
        return glue_qdxaGetWVTPaperAmount(session, &amount, &a, &b, &selector);
    });
    EXPECT_EQ(input, (Bytes{0, 0, 0, 0, 0, 0, 0, 0, 2}));
    EXPECT_EQ(amount, 256u);
    EXPECT_EQ(a, 2);
    EXPECT_EQ(b, 3);
    EXPECT_EQ(selector, 9u);
    information.methodResults[16391] = 8;
    EXPECT_EQ(glue_qdxaGetWVTPaperAmount(session, &amount, &a, &b, &selector), 0);
    EXPECT_EQ(amount, 0u);
}

TEST_F(Methods, SingleByteAnswersAndTheirInputs) {
    openSession();
    struct Case {
        std::uint16_t method;
        Bytes input;
        Bytes answer;
        std::uint8_t expected;
        std::function<std::int32_t(std::uint8_t*)> query;
    };
    GlueSession* s = session;
    const Case cases[] = {
        {16410, {}, {5}, 5, [s](std::uint8_t* v) { return glue_qdxaGetWVTLoadedMediaInfo(s, v); }},
        {16419,
         {142, 0, 0, 0},
         {0, 0, 6},
         6,
         [s](std::uint8_t* v) { return glue_qdxaGetWVTTestPrint2Status(s, v); }},
        {16445,
         {},
         {1},
         1,
         [s](std::uint8_t* v) { return glue_qdxaAdministratorPasswordState(s, v); }},
        {16448,
         {0, 0, 0, 0},
         {0, 2},
         2,
         [s](std::uint8_t* v) { return glue_qdxaUpdateAvailableState(s, v); }},
        {16451,
         {1, 4, 0},
         {0, 0, 8},
         8,
         [s](std::uint8_t* v) { return glue_qdxaSupplementalInfo(s, 4, v); }},
        {16447,
         {2, 0, 0},
         {2, 1},
         1,
         [s](std::uint8_t* v) {
             *v = 0;
             return glue_qdxaJobLogPrintSetting(s, 2, v);
         }},
    };
    for (const Case& c : cases) {
        std::uint8_t value = 99;
        EXPECT_EQ(run(c.method, c.answer, [&] { return c.query(&value); }), c.input) << c.method;
        EXPECT_EQ(value, c.expected) << c.method;
    }
}

TEST_F(Methods, ShortAnswersLeaveTheOutputsCleared) {
    openSession();
    PrintRemainTime remain;
    remain.times[3] = 5;
    run(16412, {0, 7, 1, 0, 0, 0, 9},
        [&] { return glue_qdxaGetWVTPrintRemainTime(session, &remain); });
    EXPECT_EQ(remain.value, 7);
    EXPECT_EQ(remain.byte, 1);
    EXPECT_EQ(remain.times[0], 9u);
    EXPECT_EQ(remain.times[3], 0u);
    std::uint8_t state = 4;
    run(16419, {0}, [&] { return glue_qdxaGetWVTTestPrint2Status(session, &state); });
    EXPECT_EQ(state, 0);
}

TEST_F(Methods, ListsOfInkTanksLoadedMediaAndCustomMedia) {
    openSession();
    Handle tanks;
    std::uint16_t count = 0;
    run(16402, {2, 1, 0, 200, 2, 1, 44},
        [&] { return glue_qdxaGetInktankMaxAmount(session, tanks.handle, &count); });
    ASSERT_EQ(count, 4);
    EXPECT_EQ(tanks.value(1), 200u);
    EXPECT_EQ(tanks.value(3), 300u);

    Handle aliases, states, media;
    run(16424, {2, 1, 2, 0, 9, 0, 5, 6, 1, 0, 0}, [&] {
        return glue_qdxaGetWVTLoadedMediaInfo2(session, aliases.handle, states.handle, media.handle,
                                               &count);
    });
    ASSERT_EQ(count, 2);
    EXPECT_EQ(aliases.value(1), 5u);
    EXPECT_EQ(states.value(1), 6u);
    EXPECT_EQ(media.value(0), 9u);
    EXPECT_EQ(media.value(1), 256u);

    Handle first, second, third;
    const Bytes input = run(16421, {0, 0, 9, 1, 10, 0, 2, 20, 0}, [&] {
        return glue_qdxaGetWVTCustomMediaInfo(session, 39321, first.handle, second.handle,
                                              third.handle, &count);
    });
    EXPECT_EQ(input, (Bytes{0x99, 0x99, 0}));
    EXPECT_EQ(count, 2);  // nine announced, two arrived
    EXPECT_EQ(second.value(1), 20u);
}

TEST_F(Methods, CalibrationListEntriesAndTheSecondCalibrationRecord) {
    openSession();
    Bytes answer = {3, 2};
    for (std::uint8_t entry = 1; entry <= 2; ++entry) {
        const Bytes date = qdxa_test::wireDate(2026, 5, 17, 2, 8, 30, 15000);
        answer.insert(answer.end(), {entry, 2, 0, 77, 4});
        answer.insert(answer.end(), date.begin(), date.end());
        answer.push_back(9);
    }
    Handle entries;
    CalibrationList list;
    list.entries = entries.handle;
    const Bytes input =
        run(16403, answer, [&] { return glue_qdxaGetWVTCalibrationInfo(session, &list); });
    EXPECT_EQ(input, (Bytes{1, 0}));
    EXPECT_EQ(list.value, 3);
    ASSERT_EQ(list.count, 2);
    CalibrationEntry second;
    std::memcpy(&second, entries.handle->data + kCalibrationEntrySize, sizeof second);
    EXPECT_EQ(second.bytes[0], 2);
    EXPECT_EQ(second.value, 77);
    EXPECT_EQ(second.date.year, 2026);
    EXPECT_EQ(second.date.hour, 8);  // no time-zone conversion
    EXPECT_EQ(second.date.second, 15);
    EXPECT_EQ(second.last, 9);

    Bytes info(83, 0);
    info[1] = 0x01;
    info[2] = 0x02;
    info[4] = 1;
    const std::string name = "Glossy calibration";
    std::copy(name.begin(), name.end(), info.begin() + 10);
    info[51] = 0xAA;
    info[82] = 0x55;
    CalibrationInfo2 record;
    const Bytes input2 = run(16439, info, [&] {
        return glue_qdxaGetWVTCalibrationInfo2(session, 5, 0x0304, 6, &record);
    });
    ASSERT_EQ(input2.size(), 84u);
    EXPECT_EQ(Bytes(input2.begin(), input2.begin() + 9), (Bytes{5, 0, 0, 0, 1, 3, 4, 6, 0}));
    EXPECT_EQ(record.value, 0x0102);
    EXPECT_EQ(record.resultCount, 1);
    EXPECT_EQ(record.name[0], 40);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(record.name + 1), name.size()), name);
    EXPECT_EQ(record.values51[0], 0xAA000000u);
    EXPECT_EQ(record.bytes80[2], 0x55);
}

TEST_F(Methods, ReadAndWriteSettingMethods) {
    openSession();
    std::uint8_t result = 0, state = 0, channel = 0;
    std::uint16_t port = 0;
    EXPECT_EQ(run(16418, {0, 0, 0, 1, 2, 0x23, 0x28, 4},
                  [&] {
                      return glue_qdxaGetWVTChangeMode(session, 1, 2, &result, &state, &port,
                                                       &channel);
                  }),
              (Bytes{1, 1, 2, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(result, 1);
    EXPECT_EQ(state, 2);
    EXPECT_EQ(port, 9000);
    EXPECT_EQ(channel, 4);

    std::uint8_t adjust = 12;
    EXPECT_EQ(run(16438, {0, 0, 0, 0, 13, 1},
                  [&] { return glue_qdxaWVTCalibrationAdjust(session, 1, &adjust, &result); }),
              (Bytes{1, 1, 0, 0, 12, 0, 0}));
    EXPECT_EQ(adjust, 13);
    EXPECT_EQ(result, 1);

    std::uint8_t type = 2;
    std::uint16_t threshold = 0x0150;
    EXPECT_EQ(
        run(16440, {2, 3, 0x02, 0x00, 1},
            [&] { return glue_qdxaColorCheckThreshold(session, 1, &type, &threshold, &result); }),
        (Bytes{1, 2, 0x01, 0x50, 0, 0}));
    EXPECT_EQ(type, 3);
    EXPECT_EQ(threshold, 0x200);

    std::uint8_t timing = 1, mode = 2, automatic = 1;
    std::uint32_t date = 20261210, time = 1530;
    const Bytes scheduleInput = run(16441, {2, 4, 0, 0, 0, 1, 0, 0, 0, 2, 3, 0}, [&] {
        return glue_qdxaColorCheckSchedule(session, 1, &timing, &date, &time, &mode, &automatic);
    });
    EXPECT_EQ(scheduleInput.size(), 13u);
    EXPECT_EQ(bytes::loadBE32(scheduleInput.data() + 2), 20261210u);
    EXPECT_EQ(timing, 4);
    EXPECT_EQ(date, 1u);
    EXPECT_EQ(time, 2u);
    EXPECT_EQ(mode, 3);
    EXPECT_EQ(automatic, 0);

    std::uint8_t testType = 7, b2 = 0, b3 = 0;
    EXPECT_EQ(run(16419, {8, 0, 1, 2},
                  [&] { return glue_qdxaWVTTestPrint2Ex(session, &testType, 255, &b2, &b3); }),
              (Bytes{7, 255, 0, 0}));
    EXPECT_EQ(testType, 8);
    EXPECT_EQ(b3, 2);
}

TEST_F(Methods, JobCompleteInfoReadsBothNames) {
    openSession();
    Bytes answer = {3, 0, 5, 0, 0, 0x10, 0x01, 0, 106};
    const Bytes name = pascal("poster");
    answer.insert(answer.end(), name.begin(), name.end());
    answer.insert(answer.end(), {0, 4});
    const Bytes detail = pascal("poster final");
    answer.insert(answer.end(), detail.begin(), detail.end());
    std::uint8_t state = 0, jobName[256] = {}, detailName[256] = {};
    std::uint16_t value = 0, nameCode = 0, detailCode = 0;
    std::uint32_t handle = 0;
    run(16435, answer, [&] {
        return glue_qdxaGetWVTJobCompleteInfo(session, &state, &value, &handle, &nameCode, jobName,
                                              &detailCode, detailName);
    });
    EXPECT_EQ(state, 3);
    EXPECT_EQ(value, 5);
    EXPECT_EQ(handle, 0x1001u);
    EXPECT_EQ(nameCode, 106);
    EXPECT_EQ(textOf(jobName), "poster");
    EXPECT_EQ(detailCode, 4);
    EXPECT_EQ(textOf(detailName), "poster final");
}

TEST_F(Methods, PasswordSendsOnlyItsOwnCharactersZeroFilled) {
    openSession();
    // A short password in a buffer whose bytes after the string are not zero: none of them
    // may reach the printer.
    std::uint8_t password[32];
    std::memset(password, 0xEE, sizeof password);
    password[0] = 3;
    std::memcpy(password + 1, "abc", 3);
    Bytes answer(17, 0);
    answer[16] = 1;
    std::uint8_t result = 0;
    Bytes expected(18, 0);
    std::memcpy(expected.data(), "abc", 3);
    EXPECT_EQ(run(16446, answer,
                  [&] { return glue_qdxaAdminAuthenticationPassword(session, password, &result); }),
              expected);
    EXPECT_EQ(result, 1);
    // A long password is cut to 16 characters.
    const Bytes longPassword = pascal("0123456789abcdefXYZ");
    const Bytes sent = run(16446, answer, [&] {
        return glue_qdxaAdminAuthenticationPassword(session, longPassword.data(), &result);
    });
    EXPECT_EQ(std::string(sent.begin(), sent.begin() + 16), "0123456789abcdef");
    EXPECT_EQ(sent[16], 0);
}

TEST_F(Methods, QueriesRefuseAMissingSession) {
    std::uint8_t value = 0;
    EXPECT_EQ(glue_qdxaGetWVTLoadedMediaInfo(nullptr, &value), kGlueParamErr);
    EXPECT_EQ(glue_qdxaSupplementalInfo(nullptr, 1, &value), kGlueParamErr);
    CalibrationList list;
    EXPECT_EQ(glue_qdxaGetWVTCalibrationInfo(nullptr, &list), kGlueParamErr);
}

}  // namespace
}  // namespace querytest
