// Model, firmware, units, plex, strings and sizes of the device and services, from the test
// printer.
#include <gtest/gtest.h>

#include "glue/glue_error.h"
#include "query/query_device.h"
#include "query_printer.h"

namespace querytest {
namespace {

class Device : public QueryPrinter {};

Bytes firmwareEntry(std::uint8_t kind, std::uint16_t number, const std::string& text,
                    std::uint16_t a, std::uint16_t b, std::uint16_t c) {
    Bytes entry{kind};
    bytes::ByteWriter out(entry);
    out.u16be(number);
    out.bytes(pascal(text));
    out.u16be(a);
    out.u16be(b);
    out.u16be(c);
    return entry;
}

Bytes unitEntry(std::uint8_t kind, const std::string& name, std::uint8_t unit,
                std::uint32_t value) {
    Bytes entry{kind, 0, 0};
    bytes::ByteWriter out(entry);
    out.bytes(pascal(name));
    out.bytes(Bytes(6, 0));
    out.u8(unit);
    out.u8(0);
    out.u32be(value);
    return entry;
}

Bytes counted16(const std::vector<Bytes>& entries) {
    Bytes value = u16Value(static_cast<std::uint16_t>(entries.size()));
    for (const Bytes& entry : entries) {
        value.insert(value.end(), entry.begin(), entry.end());
    }
    return value;
}

TEST_F(Device, FirmwareTakesTheFirstMainEntryAndNotesKind7) {
    setAttribute(
        101, 1050,
        counted16({firmwareEntry(2, 9, "boot", 1, 1, 1), firmwareEntry(4, 12, "MAIN 1.20", 1, 2, 3),
                   firmwareEntry(4, 13, "MAIN 9", 9, 9, 9), firmwareEntry(7, 0, "", 0, 0, 0)}));
    openSession();
    std::uint16_t number = 0, numbers[3] = {};
    std::uint8_t text[33] = {}, kind7 = 0;
    ASSERT_EQ(glue_qdxaGetFirmMainVersion(session, &number, text, numbers, &kind7), 0);
    EXPECT_EQ(number, 12);
    EXPECT_EQ(textOf(text), "MAIN 1.20");
    EXPECT_EQ(numbers[2], 3);
    EXPECT_EQ(kind7, 1);
}

TEST_F(Device, FirmwareWithoutMainEntryKeepsTheDefaults) {
    setAttribute(101, 1050, counted16({firmwareEntry(2, 9, "boot", 1, 1, 1)}));
    openSession();
    std::uint16_t number = 0, numbers[3] = {5, 5, 5};
    std::uint8_t text[33] = {3, 'x', 'y', 'z'}, kind7 = 1;
    ASSERT_EQ(glue_qdxaGetFirmMainVersion(session, &number, text, numbers, &kind7), 0);
    EXPECT_EQ(number, 3);
    EXPECT_EQ(text[0], 0);
    EXPECT_EQ(numbers[0], 0);
    EXPECT_EQ(kind7, 0);
}

TEST_F(Device, OptionalUnitsAndTheSpectrophotometer) {
    setAttribute(101, 1016,
                 counted16({unitEntry(1, "VELQ:Mincho", 0, 0), unitEntry(2, "RAM", 0, 512),
                            unitEntry(3, "HDD", 4, 0), unitEntry(4, "Card X", 0, 0),
                            unitEntry(11, "SP", 7, 0)}));
    openSession();
    std::uint8_t diskFlag = 0, diskState = 0, memoryFlag = 0, fontFlag = 0, cardFlag = 0;
    std::uint32_t memory = 0;
    std::uint8_t font[33] = {}, card[33] = {};
    ASSERT_EQ(glue_qdxaGetOptionalUnitsSupport(session, &diskFlag, &diskState, &memoryFlag, &memory,
                                               &fontFlag, font, &cardFlag, card),
              0);
    EXPECT_EQ(diskFlag, 1);
    EXPECT_EQ(diskState, 4);
    EXPECT_EQ(memoryFlag, 1);
    EXPECT_EQ(memory, 512u);
    EXPECT_EQ(fontFlag, 1);
    EXPECT_EQ(textOf(font), "Mincho");
    EXPECT_EQ(cardFlag, 1);
    EXPECT_EQ(textOf(card), "Card X");
    std::uint8_t unit = 0;
    ASSERT_EQ(glue_qdxaGetSpectrophotometer(session, &unit), 0);
    EXPECT_EQ(unit, 7);
}

TEST_F(Device, RefusedUnitsAreNoInformation) {
    information.refusedAttributes = {1016};
    openSession();
    std::uint8_t unit = 0;
    EXPECT_EQ(glue_qdxaGetSpectrophotometer(session, &unit), 0);
    EXPECT_EQ(unit, 2);
}

TEST_F(Device, PlexPairsSetTheSideFlags) {
    struct Case {
        Bytes value;
        std::uint8_t one, two;
    };
    const Case cases[] = {
        {{2, 1, 1, 2, 0}, 1, 0},
        {{1, 4, 1}, 0, 1},
        {{2, 2, 1, 1, 0}, 0, 1},
        {{9, 1, 1}, 1, 0},  // more pairs announced than sent
    };
    openSession();
    for (const Case& c : cases) {
        setAttribute(501, 2058, c.value);
        std::uint8_t one = 9, two = 9;
        ASSERT_EQ(glue_qdxaGetPlexSupport(session, &one, &two), 0);
        EXPECT_EQ(one, c.one);
        EXPECT_EQ(two, c.two);
    }
}

TEST_F(Device, StringsNumbersAndSizes) {
    setAttribute(101, 1071, pascal("SN-000123"));
    setAttribute(101, 1035, codedString(106, "Lab printer"));
    setAttribute(101, 132, {3, 0, 0, 0, 7, 0, 0, 0, 8, 0, 0, 1, 0});
    setAttribute(2002, 10650, {0, 1, 0, 0, 5});
    openSession();
    std::uint8_t text[256] = {};
    ASSERT_EQ(glue_qdxaGetDeviceNumber(session, text), 0);
    EXPECT_EQ(textOf(text), "SN-000123");
    std::uint16_t code = 0;
    ASSERT_EQ(glue_qdxaGetStringAttribute(session, 101, 1035, &code, text), 0);
    EXPECT_EQ(code, 106);
    EXPECT_EQ(textOf(text), "Lab printer");
    Handle values;
    std::uint16_t count = 0;
    ASSERT_EQ(glue_qdxaGetAccountResourceCount(session, values.handle, &count), 0);
    ASSERT_EQ(count, 3);
    EXPECT_EQ(values.value(0), 7u);
    EXPECT_EQ(values.value(2), 0x100u);
    std::uint32_t size = 0;
    std::uint8_t byte = 0;
    ASSERT_EQ(glue_qdxaGetFileBoxSize(session, 10650, &size, &byte), 0);
    EXPECT_EQ(size, 0x10000u);
    EXPECT_EQ(byte, 5);
    EXPECT_EQ(glue_qdxaGetDeviceNumber(nullptr, text), kGlueParamErr);
}

}  // namespace
}  // namespace querytest
