// The printer state and its detail codes, read from the test printer.
#include <gtest/gtest.h>

#include "glue/glue_component.h"
#include "glue/glue_error.h"
#include "query/query_device.h"
#include "query_printer.h"

namespace querytest {
namespace {

using gluetest::stateValue;

class State : public QueryPrinter {};

TEST_F(State, DetailAndPrintableFollowTheListedCodes) {
    struct Case {
        const char* name;
        Bytes value;
        std::uint8_t state, reason, printable;
        std::uint32_t detail;
    };
    Bytes noCodes = stateValue(4, 5, {}, 0x2000, 3);
    const Case cases[] = {
        {"no codes: printable from byte 9", noCodes, 4, 5, 0, 0},
        {"the current code", stateValue(3, 1, {0x100, 0x6000000, 0x300}, 0x6000000, 0), 3, 1, 1,
         0x6000000},
        {"the largest code below the limit",
         stateValue(3, 1, {0x100, 0x4FFFFFE, 0x5000000}, 0x7000000, 0), 3, 1, 1, 0x4FFFFFE},
        {"one below, one above the limit", stateValue(2, 0, {0x200, 0x8000000}, 0x9, 1), 2, 0, 1,
         0x200},
        {"the ignored code is never taken", stateValue(3, 0, {0x100, 0x01060100}, 0x01060100, 3), 3,
         0, 0, 0x100},
        {"the limit itself is not below the limit", stateValue(3, 0, {0x4FFFFFF}, 0, 0), 3, 0, 1,
         0},
    };
    ASSERT_EQ(noCodes.size(), 8u);  // the printable byte is byte 9 of the assembled buffer
    openSession();
    for (const Case& c : cases) {
        setAttribute(601, 282, c.value);
        std::uint8_t state = 0, reason = 9, printable = 9;
        std::uint32_t detail = 9;
        ASSERT_EQ(glue_qdxaGetComponentState2(session, &state, &reason, &printable, &detail), 0)
            << c.name;
        EXPECT_EQ(state, c.state) << c.name;
        EXPECT_EQ(reason, c.reason) << c.name;
        EXPECT_EQ(printable, c.printable) << c.name;
        EXPECT_EQ(detail, c.detail) << c.name;
    }
}

TEST_F(State, CodeListHoldsEveryListedCode) {
    openSession();
    setAttribute(601, 282, stateValue(3, 0, {0x100, 0x01060100, 0x9000000}, 0, 0));
    Handle codes;
    std::uint16_t count = 0;
    ASSERT_EQ(glue_qdxaGetComponentStatus2CodeList(session, codes.handle, &count), 0);
    ASSERT_EQ(count, 3);
    EXPECT_EQ(codes.value(0), 0x100u);
    EXPECT_EQ(codes.value(1), 0x01060100u);
    EXPECT_EQ(codes.value(2), 0x9000000u);
    EXPECT_EQ(glue_qdxaGetComponentStatus2CodeList(session, nullptr, &count), 0);
    EXPECT_EQ(count, 0);
}

TEST_F(State, ACountLargerThanTheCodesKeepsTheCodesThatArrived) {
    openSession();
    Bytes value = stateValue(3, 0, {0x100, 0x200}, 0x200, 0);
    value[2] = 200;           // 200 codes announced
    value.resize(3 + 2 * 4);  // two arrived, no current code
    setAttribute(601, 282, value);
    Handle codes;
    std::uint16_t count = 0;
    ASSERT_EQ(glue_qdxaGetComponentStatus2CodeList(session, codes.handle, &count), 0);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(codes.value(1), 0x200u);
}

}  // namespace
}  // namespace querytest
