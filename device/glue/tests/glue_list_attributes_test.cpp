// The three stages of reading the attributes of one object, each reached by a scripted refusal
// of the test printer.
#include <gtest/gtest.h>

#include <vector>

#include "glue/glue_error.h"
#include "glue/glue_internal.h"
#include "glue/glue_operations.h"
#include "glue_printer.h"

namespace gluetest {
namespace {

constexpr std::uint32_t kDevice = 101;
const std::vector<std::uint16_t> kAttributes = {1017, 1071, 1050};

class GlueListAttributes : public GluePrinter {
  protected:
    void SetUp() override {
        GluePrinter::SetUp();
        auto& device = responder.objects[kDevice];
        device.push_back({1071, {7, 'S', 'N', '-', '0', '0', '4', '2'}});
        device.push_back({1017, {0, 1, 2, 'h', 'i'}});
        device.push_back({1050, {0, 3}});
        openSession();
    }

    std::int32_t listAttributes() {
        return glue_qdxaListAttributesOpen2(
            session, kDevice, static_cast<std::uint16_t>(kAttributes.size()), kAttributes.data(),
            handle.get(), &size, &count, &flags);
    }
    void refuseNext(std::uint16_t status) {
        responder.script({qdxa_test::ReplyFault::None, true, status});
    }
    void answerNext() { responder.script({}); }

    Bytes assembled() const { return {handle->data, handle->data + size}; }

    device::GlueHandle handle{Wqs_Mem_NewHandle(1)};
    std::uint32_t size = 0;
    std::uint16_t count = 99;
    std::uint8_t flags = 0;
};

// Get2 shape: per attribute the id, then the value, in the order asked.
const Bytes kGet2Shape = {0x03, 0xF9, 0, 1,   2,   'h', 'i',                 // 1017
                          0x04, 0x2F, 7, 'S', 'N', '-', '0', '0', '4', '2',  // 1071
                          0x04, 0x1A, 0, 3};                                 // 1050

TEST_F(GlueListAttributes, OneGet2ReadsEveryAttribute) {
    ASSERT_EQ(listAttributes(), 0);
    EXPECT_EQ(assembled(), kGet2Shape);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(flags, kGlueReadByGet2);
    EXPECT_EQ(requestsOf(qdxa::kOpGet2).size(), 1u);
}

TEST_F(GlueListAttributes, ARefusedGet2IsReadAttributeByAttribute) {
    refuseNext(33);
    ASSERT_EQ(listAttributes(), 0);
    EXPECT_EQ(assembled(), kGet2Shape);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(flags, kGlueReadByGet2);
    const auto requests = requestsOf(qdxa::kOpGet2);
    ASSERT_EQ(requests.size(), 4u);
    for (std::size_t index = 0; index < kAttributes.size(); ++index) {
        EXPECT_EQ(get2NamesOf(requests[index + 1]).attributes,
                  std::vector<std::uint16_t>{kAttributes[index]});
    }
}

TEST_F(GlueListAttributes, ARefusedSingleReadFallsBackToListElements) {
    refuseNext(33);
    answerNext();
    refuseNext(11);  // the second single read
    paged.listElements[{kDevice, 1050}] = {{0, 3}, {0, 4}, {0, 5}};
    ASSERT_EQ(listAttributes(), 0);
    // Per attribute: id, element count, elements; the model gives other values as one element.
    const Bytes expected = {0x03, 0xF9, 0, 1,   0,   1,   2,   'h', 'i', 0x04, 0x2F,
                            0,    1,    7, 'S', 'N', '-', '0', '0', '4', '2',  0x04,
                            0x1A, 0,    3, 0,   3,   0,   4,   0,   5};
    EXPECT_EQ(assembled(), expected);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(flags, kGlueReadByListElement);
    EXPECT_EQ(requestsOf(qdxa::kOpGet2).size(), 3u);
    EXPECT_EQ(requestsOf(qdxa::kOpGetListElement).size(), 4u);
}

TEST_F(GlueListAttributes, OnlyPerRequestStatusesFallBack) {
    refuseNext(12);  // no matching reply: not a refusal of this request
    EXPECT_EQ(listAttributes(), 12);
    EXPECT_EQ(responder.requests.size(), 1u);

    responder.requests.clear();
    refuseNext(33);
    refuseNext(33);
    refuseNext(40);  // the list-element read fails: its status is returned
    EXPECT_EQ(listAttributes(), 40);
    EXPECT_EQ(size, 0u);
}

TEST_F(GlueListAttributes, TheListElementStageRunsAlone) {
    ASSERT_EQ(glue_qdxaListAttributesOpenGetListElement(session, kDevice, 1, &kAttributes[2],
                                                        handle.get(), &size, &count),
              0);
    EXPECT_EQ(assembled(), (Bytes{0x04, 0x1A, 0, 1, 0, 3}));
    EXPECT_EQ(count, 1);
    EXPECT_TRUE(requestsOf(qdxa::kOpGet2).empty());
    EXPECT_EQ(glue_qdxaListAttributesOpen(session, kDevice, 0, kAttributes.data(), handle.get(),
                                          &size, &count),
              kGlueParamErr);
}

TEST_F(GlueListAttributes, ACutAnswerKeepsTheWholeAttributesBeforeTheCut) {
    // The model's answer claims more attributes than it holds: the last is cut short.
    responder.filters.push_back([](std::uint16_t operation, std::span<const std::uint8_t>,
                                   std::uint16_t&, Bytes& parameter) {
        if (operation == qdxa::kOpGet2) {
            parameter.resize(parameter.size() - 1);
        }
    });
    ASSERT_EQ(listAttributes(), 0);
    EXPECT_EQ(assembled(), Bytes(kGet2Shape.begin(), kGet2Shape.end() - 4));
    EXPECT_EQ(count, 2);
}

}  // namespace
}  // namespace gluetest
