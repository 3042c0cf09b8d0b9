// The job list on the test printer: read into the session, single jobs out of it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "glue/glue_error.h"
#include "glue/glue_job_list.h"
#include "glue/glue_support.h"
#include "glue_printer.h"

namespace gluetest {
namespace {

using qdxa_test::codedString;
using qdxa_test::u32Value;

/// Dates of the job list are converted to local time: run in Greenwich time.
class GreenwichTime {
  public:
    GreenwichTime() {
        if (const char* zone = std::getenv("TZ")) {
            saved_ = zone;
        }
        ::setenv("TZ", "UTC", 1);
        ::tzset();
    }
    ~GreenwichTime() {
        saved_.empty() ? ::unsetenv("TZ") : ::setenv("TZ", saved_.c_str(), 1);
        ::tzset();
    }

  private:
    std::string saved_;
};

Bytes block280(const std::string& name) {
    Bytes block(64, 0xEE);
    std::fill(block.end() - 16, block.end(), 0);
    std::copy(name.begin(), name.end(), block.end() - 16);
    return block;
}

qdxa_test::Job job(std::uint32_t handle, const std::string& name) {
    return {handle,
            {{4, codedString(1, name)},
             {279, codedString(2, name + " on gloss")},
             {6, codedString(1, "studio")},
             {283, {5, 6, 7, 8}},
             {275, u32Value(handle + 275)},
             {277, u32Value(handle + 277)},
             {2006, u32Value(handle + 2006)},
             {9, qdxa_test::wireDate(2026, 12, 10, 4, 9, 30, 15000)},
             {280, block280("Lab")},
             {2007, qdxa_test::u16Value(3)}}};
}

class GlueJobList : public GluePrinter {
  protected:
    void SetUp() override {
        GluePrinter::SetUp();
        responder.objects[501] = {{63, supportValue({{279, 1}, {2018, 0}, {2007, 1}})}};
        openSession();
    }

    std::int32_t readJobList(std::uint32_t capacity = sizeof(ids)) {
        return glue_qdxaGetJobListToBuf(session, ids, capacity, &count);
    }
    std::vector<std::uint32_t> listedIds() const { return {ids, ids + count}; }
    /// The Get2 requests that named object 501 (the supported job attributes).
    std::size_t supportReads() const {
        std::size_t reads = 0;
        for (const Bytes& request : requestsOf(qdxa::kOpGet2)) {
            if (get2NamesOf(request).objects == std::vector<std::uint32_t>{501}) {
                ++reads;
            }
        }
        return reads;
    }

    GreenwichTime greenwich;
    std::uint32_t ids[16] = {};
    std::uint16_t count = 99;
};

TEST_F(GlueJobList, AnEmptyJobListSucceedsWithCountZero) {
    ASSERT_EQ(readJobList(), 0);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(requestsOf(qdxa::kOpListObjects2).size(), 1u);
    EXPECT_EQ(requestsOf(qdxa::kOpGet2).size(), 1u);  // only the supported attributes
    EXPECT_EQ(glue_qdxaGetJobAttrFromBuf(session, 1, nullptr, nullptr, nullptr, nullptr, nullptr,
                                         nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                         nullptr, nullptr, nullptr, nullptr),
              kGlueJobNotFound);
}

TEST_F(GlueJobList, ReadsTheJobsAndHandsOutOneJobWithoutTraffic) {
    responder.jobs = {job(0x1001, "poster"), job(0x1002, "portrait"), job(0x1003, "panorama")};
    ASSERT_EQ(readJobList(), 0);
    EXPECT_EQ(listedIds(), (std::vector<std::uint32_t>{0x1001, 0x1002, 0x1003}));
    // The supported optional attributes only, in the fixed order.
    const auto get2 = requestsOf(qdxa::kOpGet2);
    ASSERT_EQ(get2.size(), 2u);
    EXPECT_EQ(get2NamesOf(get2[1]).attributes,
              (std::vector<std::uint16_t>{4, 279, 6, 283, 275, 277, 2006, 9, 280, 2007}));

    const std::size_t requests = responder.requests.size();
    std::uint8_t name[33], detail[256], owner[33], name280[33], block[64];
    std::uint32_t nameCode = 0, detailCode = 0, ownerCode = 0, v275 = 0, v277 = 0, v2006 = 0;
    std::uint8_t state[3] = {};
    QDXADateTime time;
    ASSERT_EQ(glue_qdxaGetJobAttrFromBuf(session, 0x1002, name, &nameCode, detail, &detailCode,
                                         owner, &ownerCode, &state[0], &state[1], &state[2], &v275,
                                         &v277, &v2006, &time, name280, block),
              0);
    EXPECT_EQ(std::string(name + 1, name + 1 + name[0]), "portrait");
    EXPECT_EQ(nameCode, 1u);
    EXPECT_EQ(std::string(detail + 1, detail + 1 + detail[0]), "portrait on gloss");
    EXPECT_EQ(detailCode, 2u);
    EXPECT_EQ(std::string(owner + 1, owner + 1 + owner[0]), "studio");
    EXPECT_EQ(ownerCode, 1u);
    EXPECT_EQ((std::vector<std::uint8_t>{state[0], state[1], state[2]}),
              (std::vector<std::uint8_t>{5, 6, 7}));
    EXPECT_EQ(v275, 0x1002u + 275);
    EXPECT_EQ(v277, 0x1002u + 277);
    EXPECT_EQ(v2006, 0x1002u + 2006);
    EXPECT_EQ(time.year, 2026);
    EXPECT_EQ(time.day, 10);
    EXPECT_EQ(time.hour, 9);
    EXPECT_EQ(time.minute, 30);
    EXPECT_EQ(time.second, 15);
    EXPECT_EQ(std::string(name280 + 1, name280 + 1 + name280[0]), "Lab");
    EXPECT_EQ(Bytes(block, block + 64), block280("Lab"));
    EXPECT_EQ(glue_qdxaGetJobAttrFromBuf(session, 0x2000, name, nullptr, nullptr, nullptr, nullptr,
                                         nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                         nullptr, nullptr, nullptr, nullptr),
              kGlueJobNotFound);

    std::uint32_t again[4] = {};
    std::uint16_t againCount = 0;
    ASSERT_EQ(glue_qdxaGetJobListToBuf_NotComm(session, again, sizeof again, &againCount), 0);
    EXPECT_EQ(std::vector<std::uint32_t>(again, again + againCount), listedIds());
    EXPECT_EQ(responder.requests.size(), requests);
}

TEST_F(GlueJobList, JobsOverSeveralPagesAndCutRepliesAreAllRead) {
    for (std::uint32_t handle = 0x3001; handle <= 0x3007; ++handle) {
        responder.jobs.push_back(job(handle, "job " + std::to_string(handle)));
    }
    paged.pageSize = 3;
    paged.get2ReplyRoom = 300;
    ASSERT_EQ(readJobList(), 0);
    EXPECT_EQ(listedIds(),
              (std::vector<std::uint32_t>{0x3001, 0x3002, 0x3003, 0x3004, 0x3005, 0x3006, 0x3007}));
    EXPECT_GT(requestsOf(qdxa::kOpGet2).size(), 2u);
    EXPECT_EQ(requestsOf(qdxa::kOpListObjects2).size(), 3u);
}

TEST_F(GlueJobList, IdsThatDoNotFitDropTheList) {
    responder.jobs = {job(0x1001, "a"), job(0x1002, "b"), job(0x1003, "c")};
    EXPECT_EQ(readJobList(2 * sizeof(std::uint32_t)), kGlueMemErr);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(session->jobList, nullptr);
    EXPECT_EQ(glue_qdxaGetJobListToBuf_NotComm(session, ids, sizeof ids, &count), 0);
    EXPECT_EQ(count, 0);
}

TEST_F(GlueJobList, AFailedReadLeavesNoList) {
    responder.jobs = {job(0x1001, "a")};
    ASSERT_EQ(readJobList(), 0);
    ASSERT_NE(session->jobList, nullptr);
    paged.refusal = 8;
    paged.refusedObjects = {0x1001};
    EXPECT_EQ(readJobList(), 8);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(session->jobList, nullptr);
}

TEST_F(GlueJobList, SupportIsAskedOncePerSessionEvenWhenTheReadFails) {
    responder.jobs = {job(0x1001, "a")};
    responder.script({qdxa_test::ReplyFault::None, true, 12});  // the supported attributes
    ASSERT_EQ(readJobList(), 0);
    ASSERT_EQ(readJobList(), 0);
    EXPECT_EQ(supportReads(), 1u);
    for (const Bytes& request : requestsOf(qdxa::kOpGet2)) {
        if (get2NamesOf(request).objects != std::vector<std::uint32_t>{501}) {
            EXPECT_EQ(get2NamesOf(request).attributes,
                      (std::vector<std::uint16_t>{4, 6, 283, 275, 277, 2006, 9, 280}));
        }
    }
    EXPECT_EQ(glue_qdxaSupportJobAttribute(session, 0), 1);
    EXPECT_EQ(glue_qdxaSupportJobAttribute(session, kGlueJobAttr279), 0);
    EXPECT_EQ(glue_qdxaSupportJobAttribute(nullptr, 0), 0);
}

TEST_F(GlueJobList, SupportBitsFollowTheFlags) {
    responder.objects[501] = {
        {63, supportValue({{2018, 1}, {2027, 0}, {12, 1}, {7, 1}, {277, 1}, {9999, 1}})}};
    EXPECT_EQ(glue_qdxaSupportJobAttribute(session, kGlueJobAttr2018), 1);
    EXPECT_EQ(glue_qdxaSupportJobAttribute(session, kGlueJobAttr2027), 0);
    EXPECT_EQ(glue_qdxaSupportJobAttribute(session, kGlueJobAttr2027 | kGlueJobAttr12), 1);
    EXPECT_EQ(session->jobAttributeSupport,
              kGlueJobAttr2018 | kGlueJobAttr12 | kGlueJobAttr7 | kGlueJobAttr277);
    EXPECT_EQ(supportReads(), 1u);
}

TEST_F(GlueJobList, MissingArgumentsAreRefused) {
    EXPECT_EQ(glue_qdxaGetJobListToBuf(nullptr, ids, sizeof ids, &count), kGlueParamErr);
    EXPECT_EQ(glue_qdxaGetJobListToBuf(session, nullptr, sizeof ids, &count), kGlueParamErr);
    EXPECT_EQ(glue_qdxaGetJobListToBuf(session, ids, sizeof ids, nullptr), kGlueParamErr);
    EXPECT_EQ(glue_qdxaGetJobListToBuf_NotComm(nullptr, ids, sizeof ids, &count), kGlueParamErr);
    EXPECT_EQ(glue_qdxaGetJobAttrFromBuf(nullptr, 1, nullptr, nullptr, nullptr, nullptr, nullptr,
                                         nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                         nullptr, nullptr, nullptr, nullptr),
              kGlueParamErr);
    EXPECT_TRUE(responder.requests.empty());
}

}  // namespace
}  // namespace gluetest
