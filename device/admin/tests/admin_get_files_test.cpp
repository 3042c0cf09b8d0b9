// The stored files of a file box through tickets against the test printer.
#include <gtest/gtest.h>

#include "admin/admin_requests.h"
#include "admin_printer.h"
#include "core/core_error.h"

namespace admintest {
namespace {

using qdxa_test::codedString;
using qdxa_test::u32Value;

constexpr std::uint32_t kBox = 900;

class AdminFiles : public AdminPrinter {
protected:
    void SetUp() override {
        AdminPrinter::SetUp();
        information.boxFiles[kBox] = {5001, 5002};
        Bytes size = u32Value(2048);
        const Bytes unit = u32Value(1);
        size.insert(size.end(), unit.begin(), unit.end());
        responder.objects[5001] = {{4, codedString(2, "Scan")}, {283, {3, 0, 0}}, {263, size}};
        responder.objects[5002] = {{4, codedString(2, "")}, {283, {4, 0, 0}}, {263, size}};
    }
    std::uint32_t get() { return AdminGetInfo(session, request, result); }
};

TEST_F(AdminFiles, TheFilesOfABoxAnswerOneEntryPerFileForTheRequestedFields) {
    openSession();
    putArray("FileBoxHandle", {kBox});
    putArray("FileBoxPassword", {0x51});
    askList("FileList", {"JobHandle", "JobName", "JobStatus", "JobDataSize"});
    ASSERT_EQ(get(), kCoreNoErr);
    const TktLibTicket* list = answer("FileList");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(intAnswer("JobHandleCount", list), 2);
    EXPECT_EQ(intAnswer("FileBoxHandle", list), static_cast<std::int32_t>(kBox));
    EXPECT_EQ(intArray("JobHandle", list), (std::vector<std::int32_t>{5001, 5002}));
    EXPECT_EQ(textArray("JobName", list), (std::vector<std::string>{"Scan", "UNKNOWN"}));
    EXPECT_EQ(intArray("JobNameCode", list), (std::vector<std::int32_t>{2, 2}));
    EXPECT_EQ(intArray("JobStatus", list), (std::vector<std::int32_t>{3, 4}));
    EXPECT_EQ(intArray("JobDataSize", list), (std::vector<std::int32_t>{2048, 2048}));
    EXPECT_EQ(intArray("JobDataSizeUnit", list), (std::vector<std::int32_t>{1, 1}));
    EXPECT_FALSE(answer("JobOwner", list));

    // The listing names the box as parent and the password as its filter.
    const auto listings = requestsOf(gluetest::kOpListObjects2);
    ASSERT_FALSE(listings.empty());
    const Bytes parameter = gluetest::parameterOf(listings.front());
    EXPECT_EQ(bytes::loadBE32(parameter.data() + 8), kBox);
    EXPECT_EQ(bytes::loadBE32(parameter.data() + 12), 0x51u);
}

TEST_F(AdminFiles, AnEmptyBoxEndsTheCallWithItsOwnCode) {
    information.emptyBoxes = {kBox};
    openSession();
    putArray("FileBoxHandle", {kBox});
    askList("FileList", {"JobHandle"});
    EXPECT_EQ(get(), kCoreFileListStatus30Err);
    EXPECT_FALSE(answer("FileList"));
}

TEST_F(AdminFiles, AnEmptyBoxArrayIsATicketFailureAndAMissingOneSkipsTheList) {
    openSession();
    askList("FileList", {"JobHandle"});
    ASSERT_EQ(get(), kCoreNoErr);
    EXPECT_TRUE(responder.requests.empty());
    putArray("FileBoxHandle", {});
    EXPECT_EQ(get(), kCoreTicketErr);
    EXPECT_TRUE(responder.requests.empty());
}

}  // namespace
}  // namespace admintest
