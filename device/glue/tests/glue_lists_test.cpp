// Element-wise list reads, object listings and extended lists on the test printer: pages under
// a list handle, the stop request after a failed append, the pause of the service-print strings.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <vector>

#include "glue/glue_error.h"
#include "glue/glue_internal.h"
#include "glue/glue_operations.h"
#include "glue_printer.h"
#include "qdxa/qdxa_error.h"

namespace gluetest {
namespace {

using namespace std::chrono_literals;
using Step = std::uint8_t;

constexpr std::uint32_t kObject = 601;
constexpr std::uint16_t kListAttribute = 2150;

class GlueLists : public GlueSessionTest {
  protected:
    /// The steps of the list requests with the given operation (1 start, 3 continue, 4 end).
    std::vector<Step> steps(std::uint16_t operation) const {
        std::vector<Step> found;
        for (const auto& request : paged.listRequests) {
            if (request.operation == operation) {
                found.push_back(request.step);
            }
        }
        return found;
    }

    Bytes assembled() const { return {handle->data, handle->data + size}; }

    device::GlueHandle handle{Wqs_Mem_NewHandle(1)};
    std::uint32_t size = 0;
    std::uint16_t count = 0;
};

Bytes element(std::uint8_t fill, std::size_t length) {
    return Bytes(length, fill);
}

TEST_F(GlueLists, GetListElementAssemblesEveryPage) {
    paged.listElements[{kObject, kListAttribute}] = {element(1, 3), element(2, 3), element(3, 3),
                                                     element(4, 3), element(5, 3)};
    ASSERT_EQ(
        glue_qdxaGetListElement(session, kObject, kListAttribute, handle.get(), &size, &count), 0);
    EXPECT_EQ(count, 5);
    EXPECT_EQ(assembled(), (Bytes{1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5}));
    EXPECT_EQ(steps(qdxa::kOpGetListElement), (std::vector<Step>{1, 3, 3}));

    // A continuation names the list handle of the previous reply and the elements it delivered.
    const auto requests = requestsOf(qdxa::kOpGetListElement);
    ASSERT_EQ(requests.size(), 3u);
    const Bytes start = parameterOf(requests[0]);
    const Bytes next = parameterOf(requests[1]);
    EXPECT_EQ(bytes::loadBE16(start.data()), 0);
    EXPECT_EQ(bytes::loadBE16(start.data() + 2), 492);
    EXPECT_EQ(bytes::loadBE16(next.data()), paged.listRequests[1].listHandle);
    EXPECT_NE(paged.listRequests[1].listHandle, 0);
    EXPECT_EQ(bytes::loadBE16(next.data() + next.size() - 2), 2);
}

TEST_F(GlueLists, GetListElementStopsAbove65535BytesInsteadOfWrapping) {
    // Pages of 10,000 bytes: each fits one datagram of the control channel.
    paged.pageSize = 1;
    auto& elements = paged.listElements[{kObject, kListAttribute}];
    for (std::uint8_t fill = 1; fill <= 8; ++fill) {
        elements.push_back(element(fill, 10000));
    }
    EXPECT_EQ(
        glue_qdxaGetListElement(session, kObject, kListAttribute, handle.get(), &size, &count),
        kGlueGrowErr);
    // Six pages fit; the seventh would pass 65,535 bytes: the list is ended on the printer.
    EXPECT_EQ(steps(qdxa::kOpGetListElement), (std::vector<Step>{1, 3, 3, 3, 3, 3, 3, 4}));
    EXPECT_EQ(size, 0u);

    // When the page that passes the limit is the last one, there is no list left to end.
    paged.listRequests.clear();
    elements.resize(7);
    EXPECT_EQ(
        glue_qdxaGetListElement(session, kObject, kListAttribute, handle.get(), &size, &count),
        kGlueGrowErr);
    EXPECT_EQ(steps(qdxa::kOpGetListElement), (std::vector<Step>{1, 3, 3, 3, 3, 3, 3}));

    // Exactly 65,535 bytes still fit.
    elements.resize(6);
    elements.push_back(element(7, 5535));
    ASSERT_EQ(
        glue_qdxaGetListElement(session, kObject, kListAttribute, handle.get(), &size, &count), 0);
    EXPECT_EQ(size, 65535u);
    EXPECT_EQ(count, 7);
    EXPECT_EQ(handle->data[65534], 7);
}

TEST_F(GlueLists, AFailedAppendEndsTheListOnlyWhileThePrinterHasMore) {
    WqsMemHandle withoutData;  // cannot grow
    paged.listElements[{kObject, kListAttribute}] = {element(1, 4), element(2, 4), element(3, 4)};
    EXPECT_EQ(
        glue_qdxaGetListElement(session, kObject, kListAttribute, &withoutData, &size, &count),
        kGlueGrowErr);
    EXPECT_EQ(steps(qdxa::kOpGetListElement), (std::vector<Step>{1, 4}));

    paged.listRequests.clear();
    paged.listElements[{kObject, kListAttribute}] = {element(1, 4)};
    EXPECT_EQ(
        glue_qdxaGetListElement(session, kObject, kListAttribute, &withoutData, &size, &count),
        kGlueMemErr);
    EXPECT_EQ(steps(qdxa::kOpGetListElement), (std::vector<Step>{1}));
}

TEST_F(GlueLists, GetListElementReturnsARefusal) {
    responder.script({qdxa_test::ReplyFault::None, true, 33});
    EXPECT_EQ(
        glue_qdxaGetListElement(session, kObject, kListAttribute, handle.get(), &size, &count), 33);
    EXPECT_EQ(
        glue_qdxaGetListElement(nullptr, kObject, kListAttribute, handle.get(), &size, &count),
        kGlueParamErr);
}

TEST_F(GlueLists, ListObjectsCollectsEveryPageWhateverItsContinuationStatus) {
    const std::vector<std::uint32_t> boxes = {11, 12, 13, 14, 15};
    paged.classObjects[1002] = boxes;
    for (const std::uint16_t more : {std::uint16_t{29}, std::uint16_t{4}}) {
        SCOPED_TRACE(more);
        paged.objectsMoreResult = more;
        paged.listRequests.clear();
        ASSERT_EQ(glue_qdxaListObjects2(session, 1002, 23, 4033, 0, handle.get(), &size, &count),
                  0);
        EXPECT_EQ(count, 5);
        ASSERT_EQ(size, 5 * sizeof(std::uint32_t));
        std::vector<std::uint32_t> listed(5);
        std::memcpy(listed.data(), handle->data, size);
        EXPECT_EQ(listed, boxes);
        EXPECT_EQ(steps(qdxa::kOpListObjects2), (std::vector<Step>{1, 3, 3}));
    }
    const Bytes start = parameterOf(requestsOf(qdxa::kOpListObjects2).front());
    EXPECT_EQ(start,
              (Bytes{0, 0, 0x01, 0xEC, 1, 0x03, 0xEA, 23, 0, 0, 0x0F, 0xC1, 0, 0, 0, 0, 0, 0}));
}

TEST_F(GlueLists, ListObjectsEndsTheListAfterAFailedAppend) {
    paged.classObjects[201] = {1, 2, 3};
    WqsMemHandle withoutData;
    EXPECT_EQ(glue_qdxaListObjects2(session, 201, 22, 501, 0, &withoutData, &size, &count),
              kGlueGrowErr);
    EXPECT_EQ(steps(qdxa::kOpListObjects2), (std::vector<Step>{1, 4}));

    paged.listRequests.clear();
    paged.classObjects[201] = {1};
    EXPECT_EQ(glue_qdxaListObjects2(session, 201, 22, 501, 0, &withoutData, &size, &count),
              kGlueMemErr);
    EXPECT_EQ(steps(qdxa::kOpListObjects2), (std::vector<Step>{1}));
}

TEST_F(GlueLists, ServicePrintStringsWaitBetweenReplies) {
    paged.extendedLists[{101, 9}] = {0x0B, {element(1, 2), element(2, 2), element(3, 2)}};
    std::uint16_t type = 0;
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(glue_qdxaListEx_ushort(session, 101, 9, &type, handle.get(), &size, &count), 0);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 100ms);
    EXPECT_EQ(type, 0x0B);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(assembled(), (Bytes{1, 1, 2, 2, 3, 3}));
    ASSERT_EQ(steps(qdxa::kOpListEx), (std::vector<Step>{1, 3}));
    EXPECT_GE(paged.listRequests[1].arrival - paged.listRequests[0].arrival, 100ms);

    // The request names the object, the 16-bit list kind and the reply room of 512.
    const Bytes request = parameterOf(requestsOf(qdxa::kOpListEx).front());
    EXPECT_EQ(request, (Bytes{0, 0, 0x02, 0x00, 1, 0, 0, 0, 101, 0, 4, 0, 9, 0, 0}));
}

TEST_F(GlueLists, OtherExtendedListsDoNotWait) {
    paged.extendedLists[{101, 3}] = {0x02, {element(1, 1), element(2, 1), element(3, 1)}};
    std::uint16_t type = 0;
    ASSERT_EQ(glue_qdxaListEx_ushort(session, 101, 3, &type, handle.get(), &size, &count), 0);
    EXPECT_EQ(count, 3);
    ASSERT_EQ(paged.listRequests.size(), 2u);
    EXPECT_LT(paged.listRequests[1].arrival - paged.listRequests[0].arrival, 100ms);
}

TEST_F(GlueLists, AnExtendedListEndsAfterAFailedAppendWithTheHandleError) {
    paged.extendedLists[{101, 3}] = {0x02, {element(1, 1), element(2, 1), element(3, 1)}};
    WqsMemHandle withoutData;
    std::uint16_t type = 0;
    EXPECT_EQ(glue_qdxaListEx_ushort(session, 101, 3, &type, &withoutData, &size, &count),
              kGlueMemErr);
    EXPECT_EQ(steps(qdxa::kOpListEx), (std::vector<Step>{1, 4}));
}

TEST_F(GlueLists, APrinterThatGoesOnWithoutDeliveringHasItsListEnded) {
    // Pages of no elements: the printer asks to continue for ever without moving on.
    paged.pageSize = 0;
    paged.listElements[{kObject, kListAttribute}] = {element(1, 3)};
    paged.classObjects[201] = {1, 2};
    paged.extendedLists[{101, 3}] = {0x02, {element(1, 1)}};
    std::uint16_t type = 0;
    struct Case {
        const char* name;
        std::uint16_t operation;
        std::function<std::int32_t()> read;
    };
    const Case cases[] = {
        {"GetListElement", qdxa::kOpGetListElement,
         [&] {
             return glue_qdxaGetListElement(session, kObject, kListAttribute, handle.get(), &size,
                                            &count);
         }},
        {"ListObjects2", qdxa::kOpListObjects2,
         [&] {
             return glue_qdxaListObjects2(session, 201, 22, 501, 0, handle.get(), &size, &count);
         }},
        {"ListEx", qdxa::kOpListEx,
         [&] {
             return glue_qdxaListEx_ushort(session, 101, 3, &type, handle.get(), &size, &count);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        paged.listRequests.clear();
        size = 77;
        EXPECT_EQ(c.read(), kGlueListStalled);
        EXPECT_EQ(steps(c.operation), (std::vector<Step>{1, 3, 4}));
        EXPECT_EQ(size, 0u);
    }
}

}  // namespace
}  // namespace gluetest
