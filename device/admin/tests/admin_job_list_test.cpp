// Job list answers through tickets against the test printer, and the detail code that the job
// list raises.
#include <gtest/gtest.h>

#include "admin/admin_job_list.h"
#include "admin/admin_requests.h"
#include "admin_printer.h"
#include "core/core_error.h"

namespace admintest {
namespace {

using qdxa_test::Attribute;
using qdxa_test::codedString;
using qdxa_test::Job;

/// Attribute 283: three state bytes, a count and that many 32-bit status codes.
Bytes jobState(std::uint8_t state, std::uint8_t reason, const std::vector<std::uint32_t>& codes) {
    Bytes value{state, reason, 0, static_cast<std::uint8_t>(codes.size())};
    bytes::ByteWriter out(value);
    for (std::uint32_t code : codes) {
        out.u32be(code);
    }
    return value;
}

class AdminJobList : public AdminPrinter {
  protected:
    void SetUp() override {
        AdminPrinter::SetUp();
        responder.jobs = {
            Job{11,
                {{4, codedString(2, "Alpha")},
                 {6, codedString(2, "ann")},
                 {283, jobState(5, 1, {0x1200})},
                 {275, qdxa_test::u32Value(7)}}},
            Job{12,
                {{4, codedString(2, "")},
                 {6, codedString(3, "")},
                 {283, jobState(6, 2, {0x5000, 0x2000})},
                 {275, qdxa_test::u32Value(9)}}},
        };
    }
    std::uint32_t get() { return AdminGetInfo(session, request, result); }
    const TktLibTicket* nested(const std::string& listKey) const { return answer(listKey); }
};

TEST_F(AdminJobList, OnlyTheJobNameAsksForNamesTheirCodesAndTheCount) {
    openSession();
    askList("JobList", {"JobName"});
    ASSERT_EQ(get(), kCoreNoErr);
    const TktLibTicket* list = nested("JobList");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(answeredKeys(list),
              (std::vector<std::string>{"JobHandleCount", "JobName", "JobNameCode"}));
    EXPECT_EQ(intAnswer("JobHandleCount", list), 2);
    EXPECT_EQ(textArray("JobName", list), (std::vector<std::string>{"Alpha", "UNKNOWN"}));
    EXPECT_EQ(intArray("JobNameCode", list), (std::vector<std::int32_t>{2, 2}));
}

TEST_F(AdminJobList, RequestedFieldsComeInJobOrder) {
    openSession();
    askList("JobList", {"JobHandle", "JobOwner", "JobStatus", "JobReason", "ImpressionCount"});
    ASSERT_EQ(get(), kCoreNoErr);
    const TktLibTicket* list = nested("JobList");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(intArray("JobHandle", list), (std::vector<std::int32_t>{11, 12}));
    EXPECT_EQ(textArray("JobOwner", list), (std::vector<std::string>{"ann", "UNKNOWN"}));
    EXPECT_EQ(intArray("JobOwnerCode", list), (std::vector<std::int32_t>{2, 3}));
    EXPECT_EQ(intArray("JobStatus", list), (std::vector<std::int32_t>{5, 6}));
    EXPECT_EQ(intArray("JobReason", list), (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(intArray("ImpressionCount", list), (std::vector<std::int32_t>{7, 9}));
}

TEST_F(AdminJobList, TheListWithoutCommunicationReadsTheListHeldWithoutRequests) {
    openSession();
    askList("JobList", {"JobHandle"});
    ASSERT_EQ(get(), kCoreNoErr);
    responder.jobs.clear();  // the printer's list changes, the held one does not
    responder.requests.clear();
    TktLibTicket* second = nullptr;
    ASSERT_EQ(TktLibCreateTicket(&second), kTktLibNoErr);
    TktLibTicket* secondResult = nullptr;
    ASSERT_EQ(TktLibCreateTicket(&secondResult), kTktLibNoErr);
    ASSERT_EQ(TktLibSet2ClassAttribute(second, key("JobListNotComm").c_str(),
                                       key("JobHandle").c_str(), kTktLibTypeSInt32),
              kTktLibNoErr);
    ASSERT_EQ(AdminGetInfo(session, second, secondResult), kCoreNoErr);
    const TktLibTicket* list = answer("JobListNotComm", secondResult);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(intArray("JobHandle", list), (std::vector<std::int32_t>{11, 12}));
    EXPECT_TRUE(responder.requests.empty());
    TktLibDisposeTicket(second);
    TktLibDisposeTicket(secondResult);
}

TEST_F(AdminJobList, AnEmptyNestedRequestSkipsTheList) {
    openSession();
    TktLibTicket empty = cf::Value::emptyDictionary();
    ASSERT_EQ(TktLibSetTicket(request, key("JobList").c_str(), &empty), kTktLibNoErr);
    ASSERT_EQ(get(), kCoreNoErr);
    EXPECT_TRUE(answeredKeys().empty());
    EXPECT_TRUE(responder.requests.empty());
}

TEST_F(AdminJobList, TheDetailCodeIsTheLargerOfThePrintersAndTheHeldJobs) {
    setAttribute(601, 282, gluetest::stateValue(3, 0, {0x3000}, 0x3000, 0));
    openSession();
    EXPECT_EQ(admin::LocalCompareAndGetStatusCode(session, 0x3000), 0x3000u);  // no list held
    askList("JobList", {"JobHandle"});
    ask("PrinterDetailCode");
    ask("PrinterDetailCodeNotComm");
    ASSERT_EQ(get(), kCoreNoErr);  // the state comes before the list: no list held yet
    EXPECT_EQ(intAnswer("PrinterDetailCode"), 0x3000);

    ASSERT_EQ(get(), kCoreNoErr);  // the list of the first request is held now
    EXPECT_EQ(intAnswer("PrinterDetailCode"), 0x5000);
    EXPECT_EQ(intAnswer("PrinterDetailCodeNotComm"), 0x5000);
    EXPECT_EQ(admin::LocalCompareAndGetStatusCode(session, 0x80000000u), 0x80000000u);
}

TEST_F(AdminJobList, AStatusCodeListCutShortCountsOnlyTheCodesThatArrived) {
    // The count says three codes; one and a half arrive.
    Bytes cut = jobState(5, 0, {0x6000});
    cut[3] = 3;
    cut.insert(cut.end(), {0x7F, 0xFF});
    responder.jobs = {Job{11, {{283, cut}}}};
    openSession();
    askList("JobList", {"JobHandle"});
    ASSERT_EQ(get(), kCoreNoErr);
    EXPECT_EQ(admin::LocalCompareAndGetStatusCode(session, 0x1000), 0x6000u);
}

TEST_F(AdminJobList, MasksFollowTheSubKeys) {
    openSession();
    askList("JobList", {"JobName", "JobDetailName", "BinderOutput", "DocumentCopy"});
    admin::JobListMasks masks;
    ASSERT_EQ(admin::LocalGetJobListAttrFromTicket(request, "JobList", &masks), kCoreNoErr);
    EXPECT_EQ(masks.job[0], 4);
    EXPECT_EQ(masks.job[1], 64);
    EXPECT_EQ(masks.job[2], 16 | 32);
    EXPECT_EQ(masks.job[3], 0);
    EXPECT_EQ(masks.binder, 16);
    EXPECT_EQ(masks.document, 2);
    ASSERT_EQ(admin::LocalGetJobListAttrFromTicket(request, "JobListNotComm", &masks), kCoreNoErr);
    EXPECT_TRUE(masks.empty());
    EXPECT_EQ(admin::LocalGetJobListAttrFromTicket(nullptr, "JobList", &masks), kCoreTicketErr);
}

}  // namespace
}  // namespace admintest
