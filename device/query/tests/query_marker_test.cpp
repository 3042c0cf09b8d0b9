// Ink levels, the marker and the waste-ink counter, from the test printer.
#include <gtest/gtest.h>

#include "glue/glue_error.h"
#include "query/query_marker.h"
#include "query_printer.h"

namespace querytest {
namespace {

class Marker : public QueryPrinter {};

TEST_F(Marker, EachColorantFillsItsLevelAndFlagBit) {
    struct Case {
        std::uint8_t code;
        std::size_t level;  // 1 to 10
        std::size_t flagByte;
        std::uint8_t flagBit;
    };
    const Case cases[] = {
        {1, 1, 0, 1},   {21, 2, 0, 64}, {7, 3, 0, 2},  {8, 4, 0, 4},   {9, 5, 0, 8},
        {12, 6, 0, 16}, {13, 7, 0, 32}, {2, 8, 1, 64}, {3, 9, 1, 128}, {22, 10, 2, 1},
    };
    openSession();
    for (const Case& c : cases) {
        setAttribute(601, 2157, {1, c.code, 40, 0});
        MarkerColorantInfo info;
        ASSERT_EQ(glue_qdxaGetMarkerColorantInfo(session, &info), 0);
        for (std::size_t level = 1; level <= kMarkerLevelCount; ++level) {
            EXPECT_EQ(info.levels[level - 1], level == c.level ? 40 : 0) << int(c.code);
        }
        std::uint8_t flags[4] = {0, 0, 0, 128};
        flags[c.flagByte] |= c.flagBit;
        EXPECT_EQ(Bytes(info.flags, info.flags + 4), Bytes(flags, flags + 4)) << int(c.code);
    }
}

TEST_F(Marker, ListColorantsAndPairsGoIntoTheCallersHandles) {
    setAttribute(601, 2157, {5, 15, 10, 0, 16, 20, 0, 15, 30, 0, 99, 50, 0, 1, 60, 0});
    openSession();
    Handle list15, list16, pairs;
    MarkerColorantInfo info;
    info.lists[0] = list15.handle;
    info.lists[1] = list16.handle;
    info.pairs = pairs.handle;
    ASSERT_EQ(glue_qdxaGetMarkerColorantInfo(session, &info), 0);
    EXPECT_EQ(info.listCounts[0], 2);
    EXPECT_EQ(list15.handle->size, 8u);
    EXPECT_EQ(list15.value(1), 30u);
    EXPECT_EQ(info.listCounts[1], 1);
    EXPECT_EQ(info.flags[1], 1 | 2);
    EXPECT_EQ(info.levels[0], 60);
    ASSERT_EQ(info.pairCount, 5);
    EXPECT_EQ(pairs.value(6), 99u);  // the unknown code enters only the pairs
    EXPECT_EQ(pairs.value(7), 50u);
}

TEST_F(Marker, MarkerInfoAndColoursWithinTheCallersBuffer) {
    Bytes value = {9, 0, 0};
    const Bytes name = pascal("Ink set A");
    value.insert(value.end(), name.begin(), name.end());
    value.insert(value.end(), {6, 4, 1, 7, 8, 9});
    setAttribute(601, 2132, value);
    openSession();
    std::uint32_t first = 0;
    std::uint8_t text[33] = {}, after = 0, count = 0;
    std::uint8_t colours[3] = {};
    ASSERT_EQ(glue_qdxaGetMarkerInfo(session, &first, text, &after, &count, colours, 3), 0);
    EXPECT_EQ(first, 9u);
    EXPECT_EQ(textOf(text), "Ink set A");
    EXPECT_EQ(after, 6);
    EXPECT_EQ(count, 3);  // four listed, three fit the buffer
    EXPECT_EQ(Bytes(colours, colours + 3), (Bytes{1, 7, 8}));
}

TEST_F(Marker, WasteInkCounterSetsItsFlag) {
    setAttribute(601, 2205, {2, 1, 5, 0, 3, 77, 0});
    openSession();
    std::uint32_t waste = 0;
    std::uint8_t flags[4] = {};
    ASSERT_EQ(glue_qdxaGetMarkerSupplyCounterInfo(session, &waste, flags), 0);
    EXPECT_EQ(waste, 77u);
    EXPECT_EQ(flags[1], 32);
    information.refusedAttributes = {2205};
    EXPECT_EQ(glue_qdxaGetMarkerSupplyCounterInfo(session, &waste, flags), 0);
    EXPECT_EQ(waste, 0u);
}

}  // namespace
}  // namespace querytest
