// Support sets, support lists, the string setter, the method setters and pre-information,
// against the test printer.
#include <gtest/gtest.h>

#include "glue/glue_error.h"
#include "query/query_setters.h"
#include "query/query_support.h"
#include "query_printer.h"

namespace querytest {
namespace {

using gluetest::supportValue;

class Support : public QueryPrinter {};

TEST_F(Support, MaskZeroAnswersSupportedWithoutAsking) {
    openSession();
    EXPECT_EQ(glue_qdxaSupportPrinterAttribute(session, 0), 1);
    EXPECT_EQ(glue_qdxaSupportJobAttribute(nullptr, 0), 0);
    EXPECT_EQ(glue_qdxaSupportPrinterAttribute(nullptr, 1), 0);
}

TEST_F(Support, EachKindReadsItsListOnceAndSetsTheBitsOfSupportedItems) {
    setAttribute(501, 63, supportValue({{2018, 1}, {279, 1}, {2027, 0}}));
    setAttribute(501, 212, supportValue({{11, 1}, {34, 1}, {3, 1}, {99, 1}}));
    setAttribute(601, 111, supportValue({{2150, 1}, {342, 1}, {2436, 0}, {2396, 1}}));
    setAttribute(2002, 169, supportValue({{10911, 1}}));
    openSession();
    struct Case {
        std::uint8_t (*test)(GlueSession*, std::uint64_t);
        std::uint64_t mask;
        std::uint8_t expected;
    };
    const Case cases[] = {
        {glue_qdxaSupportJobAttribute, kGlueJobAttr2018, 1},
        {glue_qdxaSupportJobAttribute, kGlueJobAttr279, 1},
        {glue_qdxaSupportJobAttribute, kGlueJobAttr2027, 0},  // listed with flag 0
        {glue_qdxaSupportExecJobOperation, kSupportJobOpDelete | kSupportJobOpPause, 1},
        {glue_qdxaSupportExecJobOperation, kSupportJobOpPause, 0},
        {glue_qdxaSupportExecJobOperation, kSupportJobOpPromote, 1},
        {glue_qdxaSupportExecJobOperation, kSupportJobOp3, 1},
        {glue_qdxaSupportPrinterAttribute, kSupportPrinterAttr2150, 1},
        {glue_qdxaSupportPrinterAttribute, kSupportPrinterAttr341, 1},  // from item 342
        {glue_qdxaSupportPrinterAttribute, kSupportPrinterAttr2436, 0},
        {glue_qdxaSupportPrinterAttribute, kSupportPrinterAttr2396, 1},
        {glue_qdxaSupportPrinterAttribute, kSupportPrinterAttr2152, 0},
        {glue_qdxaSupportFileBoxAttribute, kSupportFileBoxAttr10911, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.test(session, c.mask), c.expected) << "mask " << c.mask;
    }
    // One read per kind, whatever the number of tests.
    EXPECT_EQ(requestsOf(qdxa::kOpGet2).size(), 4u);
    EXPECT_EQ(session->supportCacheFlags,
              kGlueSupportCacheJobAttributes | kSupportCacheJobOperations |
                  kSupportCachePrinterAttributes | kSupportCacheFileBoxAttributes);
}

TEST_F(Support, GroupedAttributesShareOneBit) {
    for (std::uint16_t item : {341, 342, 343}) {
        setAttribute(601, 111, supportValue({{item, 1}}));
        ASSERT_NO_FATAL_FAILURE(openSession());
        EXPECT_EQ(glue_qdxaSupportPrinterAttribute(session, kSupportPrinterAttr341), 1);
        EXPECT_EQ(session->printerAttributeSupport, kSupportPrinterAttr341) << item;
        EXPECT_EQ(glue_qdxaClose(&session, 0), 0);
    }
}

TEST_F(Support, ARefusedListIsNotAskedAgainInTheSession) {
    information.refusedAttributes = {111};
    openSession();
    EXPECT_EQ(glue_qdxaSupportPrinterAttribute(session, kSupportPrinterAttr2150), 0);
    const std::size_t afterFirst = responder.requests.size();
    EXPECT_GT(afterFirst, 0u);
    EXPECT_EQ(glue_qdxaSupportPrinterAttribute(session, kSupportPrinterAttr2152), 0);
    EXPECT_EQ(glue_qdxaSupportPrinterAttribute(session, 0), 1);
    EXPECT_EQ(responder.requests.size(), afterFirst);
}

TEST_F(Support, ACutListKeepsTheEntriesItHolds) {
    // The list claims 40 items but holds two and a half.
    Bytes value = supportValue({{2150, 1}, {2152, 1}});
    value[1] = 40;
    value.push_back(0x08);
    setAttribute(601, 111, value);
    openSession();
    EXPECT_EQ(glue_qdxaSupportPrinterAttribute(session, kSupportPrinterAttr2152), 1);
    EXPECT_EQ(session->printerAttributeSupport, kSupportPrinterAttr2150 | kSupportPrinterAttr2152);
}

TEST_F(Support, ListsHoldTheSupportedIdsInOrder) {
    setAttribute(501, 63, supportValue({{279, 1}, {4, 0}, {2018, 1}, {9, 1}}));
    setAttribute(501, 116, supportValue({{16391, 1}, {16402, 1}}));
    openSession();
    Handle attributes;
    std::uint16_t count = 0;
    ASSERT_EQ(glue_qdxaSupportJobAttributeList(session, attributes.handle, &count), 0);
    ASSERT_EQ(count, 3);
    EXPECT_EQ(attributes.handle->size, 12u);
    EXPECT_EQ(attributes.value(0), 279u);
    EXPECT_EQ(attributes.value(1), 2018u);
    EXPECT_EQ(attributes.value(2), 9u);
    Handle methods;
    ASSERT_EQ(glue_qdxaSupportMethodList(session, methods.handle, &count), 0);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(methods.value(1), 16402u);

    std::uint16_t ids[2] = {};
    std::uint16_t capacity = 2;
    ASSERT_EQ(z_GetSupportJobAttr(session, &capacity, ids), 0);
    EXPECT_EQ(capacity, 2);
    EXPECT_EQ(ids[1], 2018);
    EXPECT_EQ(glue_qdxaSupportMethodList(nullptr, methods.handle, &count), kGlueParamErr);
}

TEST_F(Support, ARefusedListIsReturnedByTheListFunctions) {
    information.refusedAttributes = {63};
    openSession();
    Handle attributes;
    std::uint16_t count = 7;
    EXPECT_EQ(glue_qdxaSupportJobAttributeList(session, attributes.handle, &count), 33);
    EXPECT_EQ(count, 0);
}

class Setters : public QueryPrinter {};

TEST_F(Setters, MethodSettersSendTheirInputToThePrinter) {
    openSession();
    struct Case {
        std::int32_t status;
        std::uint16_t method;
        Bytes input;
    };
    const Case cases[] = {
        {glue_qdxaSetMediaListNumber(session, 7), 16400, {7}},
        {glue_qdxaSetFixCustomMedia(session, 0x9999), 16420, {0x99, 0x99}},
        {glue_qdxaSetWVTCustomMediaInfo(session, 39321, 6, 40), 16421, {0x99, 0x99, 1, 6, 40}},
        {glue_qdxaSetAppointMediaTypeEx(session, 0x0102), 16422, {1, 2}},
        {glue_qdxaSetMediaType(session, 12, 3), 16423, {12, 0x99, 0x99, 3, 0}},
    };
    const auto requests = requestsOf(qdxa::kOpExecuteMethod);
    ASSERT_EQ(requests.size(), std::size(cases));
    for (std::size_t index = 0; index < std::size(cases); ++index) {
        EXPECT_EQ(cases[index].status, 0);
        EXPECT_EQ(methodOf(requests[index]), cases[index].method);
        EXPECT_EQ(methodInputOf(requests[index]), cases[index].input) << cases[index].method;
        EXPECT_EQ(bytes::loadBE32(requests[index].data() + qdxa::kHeaderSize), 601u);
    }
}

TEST_F(Setters, APrinterRefusalIsNoErrorForAMethodSetter) {
    information.methodResults[16400] = 9;
    openSession();
    EXPECT_EQ(glue_qdxaSetMediaListNumber(session, 1), 0);
    EXPECT_EQ(glue_qdxaSetMediaListNumber(nullptr, 1), kGlueParamErr);
}

TEST_F(Setters, PreInformationNeedsTwelveValuesAndNarrowsEachToItsField) {
    openSession();
    const std::uint32_t values[12] = {0x01020304, 0x105, 6,    7,      0x10809, 0x0A0B0C0D,
                                      0x0E0F1011, 0x12,  0x13, 0x1415, 0x16,    0x17};
    EXPECT_EQ(glue_qdxaSetPreInfo(session, 11, values), 0);
    EXPECT_TRUE(requestsOf(qdxa::kOpExecuteMethod).empty());
    ASSERT_EQ(glue_qdxaSetPreInfo(session, 12, values), 0);
    const auto requests = requestsOf(qdxa::kOpExecuteMethod);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(bytes::loadBE32(requests[0].data() + qdxa::kHeaderSize), 72001u);
    EXPECT_EQ(methodOf(requests[0]), 16394);
    Bytes expected = {1,  2,  3,  4,  5,  6,    7,    8,    9,    10,   11,  12,
                      13, 14, 15, 16, 17, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17};
    expected.resize(55, 0);
    EXPECT_EQ(methodInputOf(requests[0]), expected);
}

TEST_F(Setters, PreInformationRefusedWithElevenIsAParameterError) {
    information.methodResults[16394] = 11;
    openSession();
    const std::uint32_t values[12] = {};
    EXPECT_EQ(glue_qdxaSetPreInfo(session, 12, values), kGlueParamErr);
    information.methodResults[16394] = 10;
    EXPECT_EQ(glue_qdxaSetPreInfo(session, 12, values), 0);
}

TEST_F(Setters, StringAttributeGoesOutAsCodeAndString) {
    openSession();
    const Bytes name = pascal("Studio B");
    ASSERT_EQ(glue_qdxaSetStringAttribute(session, 101, 1017, 106, name.data(), nullptr), 0);
    Bytes expected = {0, 106};
    expected.insert(expected.end(), name.begin(), name.end());
    const auto& stored = responder.objects[101];
    const auto found = std::find_if(stored.begin(), stored.end(),
                                    [](const qdxa_test::Attribute& a) { return a.id == 1017; });
    ASSERT_NE(found, stored.end());
    EXPECT_EQ(found->value, expected);
    EXPECT_EQ(glue_qdxaSetStringAttribute(session, 101, 1017, 106, nullptr, nullptr),
              kGlueParamErr);
}

}  // namespace
}  // namespace querytest
