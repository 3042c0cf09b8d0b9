// Decoding job lists from Get2 answers of the printer model.
#include <gtest/gtest.h>

#include <string>

#include "bound_session.h"
#include "job_fetch.h"
#include "qdxa/qdxa_job_list.h"
#include "qdxa/qdxa_operations.h"
#include "time_zone.h"

namespace qdxa_test {
namespace {

std::string pstring(const std::uint8_t* string) {
    return {reinterpret_cast<const char*>(string + 1), string[0]};
}

Bytes block280(const std::string& name) {
    Bytes block(64, 0x11);
    std::fill(block.begin() + 48, block.end(), 0);
    std::copy(name.begin(), name.end(), block.begin() + 48);
    return block;
}

Job fullJob(std::uint32_t handle) {
    std::vector<std::uint32_t> fifteen;
    for (std::uint32_t value = 1; value <= 15; ++value) {
        fifteen.push_back(value * 100);
    }
    return {handle,
            {{4, codedString(0x6A, std::string(40, 'N'))},
             {279, codedString(0x6B, std::string(255, 'D'))},
             {6, codedString(0x6C, "owner")},
             {283, {3, 9, 1, 0xEE}},
             {275, u32Value(0x01020304)},
             {277, u32Value(277)},
             {2006, u32Value(123456)},
             {9, wireDate(2026, 12, 10, 4, 14, 5, 30000)},
             {280, block280("BOXNAME")},
             {2018, idList(fifteen)},
             {2027, idList(std::vector<std::uint32_t>(16, 7))},
             {2007, u16Value(3)},
             {9999, {1, 2, 3}}}};
}

class JobList : public BoundSession {
  protected:
    void TearDown() override {
        dispose_JobAttrList(chain);
        Wqs_Mem_DisposeHandle(data);
        BoundSession::TearDown();
    }

    /// Lists the jobs and reads all their attributes into the data handle.
    std::uint16_t fetch() {
        const FetchedJobs fetched =
            fetchJobs(session, {4, 279, 6, 283, 275, 277, 2006, 9, 280, 2018, 2027, 2007, 9999});
        setData(fetched.data);
        return fetched.objectCount;
    }

    void setData(const Bytes& bytes) {
        Wqs_Mem_DisposeHandle(data);
        data = Wqs_Mem_NewHandle(static_cast<std::uint32_t>(bytes.size()));
        std::copy(bytes.begin(), bytes.end(), data->data);
        data->size = static_cast<std::uint32_t>(bytes.size());
    }

    TimeZone zone{"UTC"};
    WqsMemHandle* data = nullptr;
    JobAttrRecord* chain = nullptr;
};

TEST_F(JobList, EveryAttributeOfTheRecordIsDecoded) {
    responder.jobs = {fullJob(0x501001)};
    ASSERT_EQ(get_JobAttrList_FromGet2(data = nullptr, 1, &chain), kQDXAMissingArgument);
    const std::uint16_t count = fetch();
    ASSERT_EQ(count, 1);
    ASSERT_EQ(get_JobAttrList_FromGet2(data, count, &chain), kQDXANoErr);
    ASSERT_NE(chain, nullptr);
    const JobAttrRecord& job = *chain;
    EXPECT_EQ(job.jobHandle, 0x501001u);
    EXPECT_EQ(pstring(job.jobName), std::string(32, 'N'));
    EXPECT_EQ(job.jobNameCode, 0x6Au);
    EXPECT_EQ(pstring(job.jobDetailName), std::string(255, 'D'));
    EXPECT_EQ(job.jobDetailNameCode, 0x6Bu);
    EXPECT_EQ(pstring(job.jobOwner), "owner");
    EXPECT_EQ(job.jobOwnerCode, 0x6Cu);
    EXPECT_EQ(job.attr283[0], 3);
    EXPECT_EQ(job.attr283[2], 1);
    EXPECT_EQ(job.attr275, 0x01020304u);
    EXPECT_EQ(job.attr277, 277u);
    EXPECT_EQ(job.attr2006, 123456u);
    EXPECT_EQ(job.attr2007, 3);
    EXPECT_EQ(job.jobTime.year, 2026);
    EXPECT_EQ(job.jobTime.day, 10);
    EXPECT_EQ(job.jobTime.hour, 14);
    EXPECT_EQ(job.jobTime.second, 30);
    EXPECT_EQ(job.jobTime.dayOfWeek, 5);
    EXPECT_EQ(pstring(job.attr280Name), "BOXNAME");
    EXPECT_EQ(job.attr280Block[0], 0x11);
    EXPECT_EQ(job.list2018[0], 100u);
    EXPECT_EQ(job.list2018[14], 1500u);
    EXPECT_EQ(job.list2018[15], 0u);
    EXPECT_EQ(job.list2027[0], 0u);  // a count of 16 leaves the list empty
    EXPECT_EQ(job.next, nullptr);
}

TEST_F(JobList, ChainsJobsInReplyOrderAndListsTheirHandles) {
    responder.jobs = {fullJob(31), {32, {{6, codedString(1, "b")}}}, {33, {}}};
    const std::uint16_t count = fetch();
    ASSERT_EQ(count, 3);
    JobAttrRecord* existing = new JobAttrRecord;
    existing->jobHandle = 0;  // a record without a handle is left out of the handle list
    chain = existing;
    ASSERT_EQ(get_JobAttrList_FromGet2(data, count, &chain), kQDXANoErr);
    EXPECT_EQ(chain, existing);

    std::uint32_t handles[3] = {};
    std::uint16_t listed = 0;
    EXPECT_EQ(get_ObjectHandleListFromBuf(chain, handles, &listed, sizeof handles), kQDXANoErr);
    EXPECT_EQ(listed, 3);
    EXPECT_EQ(handles[2], 33u);
    EXPECT_EQ(get_ObjectHandleListFromBuf(chain, handles, &listed, 8), kQDXAOutOfMemory);
    EXPECT_EQ(get_ObjectHandleListFromBuf(chain, nullptr, &listed, 8), kQDXAMissingArgument);

    ASSERT_NE(search_JobAttrDataFromBuf(chain, 32), nullptr);
    EXPECT_EQ(pstring(search_JobAttrDataFromBuf(chain, 32)->jobOwner), "b");
    EXPECT_EQ(search_JobAttrDataFromBuf(chain, 99), nullptr);
}

TEST_F(JobList, NameOf280IsBoundedBySixteenBytesWithoutATerminator) {
    responder.jobs = {{1, {{280, block280(std::string(16, 'Z'))}}}};
    ASSERT_EQ(get_JobAttrList_FromGet2((fetch(), data), 1, &chain), kQDXANoErr);
    EXPECT_EQ(pstring(chain->attr280Name), std::string(16, 'Z'));
}

TEST_F(JobList, DecodingStopsAtTheFirstEntryThatDoesNotFitAndKeepsTheRest) {
    responder.jobs = {fullJob(1), fullJob(2)};
    fetch();
    const Bytes whole(data->data, data->data + data->size);
    const std::size_t firstJobSize = whole.size() / 2;
    // Cut inside the second job's first attribute: the first job is whole, the second has its
    // handle and nothing else.
    setData(
        Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(firstJobSize + 6 + 10)));
    ASSERT_EQ(get_JobAttrList_FromGet2(data, 5, &chain), kQDXANoErr);
    ASSERT_NE(chain->next, nullptr);
    EXPECT_EQ(chain->attr2007, 3);
    EXPECT_EQ(chain->next->jobHandle, 2u);
    EXPECT_EQ(chain->next->jobName[0], 0);
    EXPECT_EQ(chain->next->next, nullptr);
}

TEST_F(JobList, AValueShorterThanItsFieldsEndsTheDecoding) {
    const struct {
        const char* name;
        Attribute attribute;
    } cases[] = {
        {"u32 in two bytes", {275, {1, 2}}},
        {"string longer than its value", {4, {0, 1, 9, 'a'}}},
        {"date cut short", {9, {1, 2, 3}}},
        {"280 block cut short", {280, Bytes(63, 0)}},
        {"list count beyond its value", {2018, {0, 2, 0, 0, 0, 1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dispose_JobAttrList(chain);
        chain = nullptr;
        setData(encodeJobList({{5, {c.attribute, {2007, u16Value(9)}}}, {6, {}}}));
        ASSERT_EQ(get_JobAttrList_FromGet2(data, 2, &chain), kQDXANoErr);
        ASSERT_NE(chain, nullptr);
        EXPECT_EQ(chain->jobHandle, 5u);
        EXPECT_EQ(chain->attr2007, 0);  // never reached
        EXPECT_EQ(chain->next, nullptr);
    }
}

}  // namespace
}  // namespace qdxa_test
