// The file boxes and their stored files through tickets against the test printer.
#include <gtest/gtest.h>

#include "admin/admin_requests.h"
#include "admin_printer.h"
#include "core/core_error.h"

namespace admintest {
namespace {

using qdxa_test::codedString;
using qdxa_test::u16Value;
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
    const auto listings = requestsOf(qdxa::kOpListObjects2);
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

class AdminFileBoxes : public AdminPrinter {
  protected:
    void SetUp() override {
        AdminPrinter::SetUp();
        paged.classObjects[1002] = {9001, 9002};
        setAttribute(2002, 169, gluetest::supportValue({{10911, 1}}));
        responder.objects[9001] = {
            {10617, u16Value(1)}, {10601, codedString(106, "Proofs")}, {10911, {4}}};
        responder.objects[9002] = {
            {10617, u16Value(2)}, {10601, codedString(106, "")}, {10911, {0}}};
        information.boxFiles[9001] = {1, 2, 3};
        information.emptyBoxes = {9002};
    }
    std::uint32_t get() { return AdminGetInfo(session, request, result); }
    /// The file listings of boxes (class 201) sent since the session opened.
    std::size_t fileListings() const {
        std::size_t listings = 0;
        for (const Bytes& request : requestsOf(qdxa::kOpListObjects2)) {
            const Bytes parameter = gluetest::parameterOf(request);
            listings += bytes::loadBE32(parameter.data() + 8) != 4033 ? 1 : 0;
        }
        return listings;
    }
};

TEST_F(AdminFileBoxes, EachRequestedFieldAnswersOneEntryPerBox) {
    openSession();
    askList("FileBoxList",
            {"FileBoxNumber", "FileBoxHandle", "FileBoxName", "FileBoxNameByData",
             "FileBoxNameCode", "FileBoxExecutePrint", "FileBoxHasFiles", "FileBoxHasPassword"});
    ASSERT_EQ(get(), kCoreNoErr);
    const TktLibTicket* list = answer("FileBoxList");
    ASSERT_NE(list, nullptr);
    using Ints = std::vector<std::int32_t>;
    EXPECT_EQ(intAnswer("FileBoxListCount", list), 2);
    EXPECT_EQ(intArray("FileBoxNumber", list), (Ints{1, 2}));
    EXPECT_EQ(intArray("FileBoxHandle", list), (Ints{9001, 9002}));
    EXPECT_EQ(textArray("FileBoxName", list), (std::vector<std::string>{"Proofs", ""}));
    EXPECT_EQ(textArray("FileBoxNameByData", list), (std::vector<std::string>{"Proofs", ""}));
    EXPECT_EQ(intArray("FileBoxNameCode", list), (Ints{106, 106}));
    EXPECT_EQ(intArray("FileBoxExecutePrint", list), (Ints{4, 0}));
    EXPECT_EQ(intArray("FileBoxHasFiles", list), (Ints{3, 0}));
    EXPECT_EQ(intArray("FileBoxHasPassword", list), (Ints{0, 1}));
    EXPECT_EQ(fileListings(), 2u);
}

TEST_F(AdminFileBoxes, WithoutTheFileFieldsNoBoxIsListedAndOnlyTheAskedFieldsAreAnswered) {
    openSession();
    askList("FileBoxList", {"FileBoxName"});
    ASSERT_EQ(get(), kCoreNoErr);
    const TktLibTicket* list = answer("FileBoxList");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(answeredKeys(list), (std::vector<std::string>{"FileBoxListCount", "FileBoxName"}));
    EXPECT_EQ(fileListings(), 0u);
}

TEST_F(AdminFileBoxes, AFailedFileListingEndsTheRequest) {
    information.emptyResult = 12;
    openSession();
    askList("FileBoxList", {"FileBoxHasFiles"});
    ask("WVTGetAdministratorPassword");
    EXPECT_NE(get(), kCoreNoErr);
    EXPECT_FALSE(answer("FileBoxList"));
    EXPECT_TRUE(methodRequests(16445).empty());
}

}  // namespace
}  // namespace admintest
