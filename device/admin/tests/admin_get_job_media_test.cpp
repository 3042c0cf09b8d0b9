// The media of a job's documents through tickets against the test printer: the medium of a
// document against its job, and the extended medium id of a document.
#include <gtest/gtest.h>

#include <cstring>

#include "admin/admin_requests.h"
#include "admin_printer.h"
#include "core/core_error.h"

namespace admintest {
namespace {

constexpr std::uint32_t kJob = 0x1001;
constexpr std::uint32_t kDocument = 0x2001;

class AdminJobMedia : public AdminPrinter {
  protected:
    void SetUp() override {
        AdminPrinter::SetUp();
        addJobWithDocument(kJob, kDocument);
    }
    std::uint32_t get() { return AdminGetInfo(session, request, result); }
};

TEST_F(AdminJobMedia, EachRequestedMismatchValueIsAnsweredFromItsAttribute) {
    openSession();
    put("JobHandle", kJob);
    put("DocumentHandle", kDocument);
    for (const char* name :
         {"JobMediumExCodeStr", "JobRollWidth", "JobMediumExCodeType", "JobMediumType",
          "JobMediumSizeID", "JobMediumSizeWidth", "JobMediumSizeHeight"}) {
        ask(name);
    }
    ask("JobStatusCodeList", kTktLibTypeSInt32Array);
    ASSERT_EQ(get(), kCoreNoErr);
    EXPECT_EQ(intAnswer("JobMediumExCodeType"), 9);
    EXPECT_EQ(intAnswer("JobMediumExCodeStr"), 0x1234);
    EXPECT_EQ(intAnswer("JobMediumType"), 3);
    EXPECT_EQ(intAnswer("JobMediumSizeID"), 4);
    EXPECT_EQ(intAnswer("JobMediumSizeWidth"), 5);
    EXPECT_EQ(intAnswer("JobMediumSizeHeight"), 6);
    EXPECT_EQ(intAnswer("JobRollWidth"), 0x2410);
    EXPECT_EQ(intArray("JobStatusCodeList"), (std::vector<std::int32_t>{7, 8}));
}

TEST_F(AdminJobMedia, OnlyTheAttributesOfTheRequestedKeysAreRead) {
    openSession();
    put("JobHandle", kJob);
    put("DocumentHandle", kDocument);
    ask("JobRollWidth");
    ASSERT_EQ(get(), kCoreNoErr);
    EXPECT_EQ(intAnswer("JobRollWidth"), 0x2410);
    std::vector<std::uint16_t> attributes;
    for (const Bytes& read : requestsOf(qdxa::kOpGet2)) {
        const auto names = gluetest::get2NamesOf(read);
        attributes.insert(attributes.end(), names.attributes.begin(), names.attributes.end());
    }
    // The mismatch reads the roll width; the document handle then asks for its medium id.
    EXPECT_EQ(attributes, (std::vector<std::uint16_t>{2410, 2435}));
    EXPECT_EQ(answeredKeys(), (std::vector<std::string>{"ExtendedMediumID", "JobRollWidth"}));
}

TEST_F(AdminJobMedia, WithoutAJobOrAnyMismatchKeyNothingIsRead) {
    openSession();
    ask("JobMediumType");  // no job
    ASSERT_EQ(get(), kCoreNoErr);
    TktLibDisposeTicket(request);
    ASSERT_EQ(TktLibCreateTicket(&request), kTktLibNoErr);
    put("JobHandle", kJob);  // no mismatch key
    ASSERT_EQ(get(), kCoreNoErr);
    EXPECT_TRUE(responder.requests.empty());
    EXPECT_TRUE(answeredKeys().empty());
}

TEST_F(AdminJobMedia, TheExtendedMediumIdIsItsValueWordsAndByteAsHeld) {
    openSession();
    put("DocumentHandle", kDocument);
    ASSERT_EQ(get(), kCoreNoErr);
    const auto id = textAnswer("ExtendedMediumID");
    ASSERT_TRUE(id);
    ASSERT_EQ(id->size(), 9u);
    std::uint32_t value = 0;
    std::uint16_t words[2] = {};
    std::memcpy(&value, id->data(), sizeof value);
    std::memcpy(words, id->data() + 4, sizeof words);
    EXPECT_EQ(value, 0x102u);
    EXPECT_EQ(words[0], 3);
    EXPECT_EQ(words[1], 4);
    EXPECT_EQ((*id)[8], 5);
    const auto reads = requestsOf(qdxa::kOpGet2);
    ASSERT_EQ(reads.size(), 1u);
    const auto names = gluetest::get2NamesOf(reads.front());
    EXPECT_EQ(names.objects, std::vector<std::uint32_t>{kDocument});
    EXPECT_EQ(names.attributes, std::vector<std::uint16_t>{2435});
}

TEST_F(AdminJobMedia, ADocumentWithoutTheAttributeAnswersZerosAndAFailedReadEndsTheRequest) {
    openSession();
    put("DocumentHandle", kDocument + 1);
    ASSERT_EQ(get(), kCoreNoErr);
    EXPECT_EQ(textAnswer("ExtendedMediumID"), std::string(9, '\0'));

    TktLibDisposeTicket(result);
    ASSERT_EQ(TktLibCreateTicket(&result), kTktLibNoErr);
    information.refusedAttributes = {2435};
    information.refusal = 12;
    ask("WVTGetSupplementalInfoType");
    EXPECT_NE(get(), kCoreNoErr);
    EXPECT_TRUE(answeredKeys().empty());
}

}  // namespace
}  // namespace admintest
