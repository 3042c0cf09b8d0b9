// Byte-order helpers and the bounded reader.
#include "bytes/byte_order.h"

#include <gtest/gtest.h>

namespace {

TEST(ByteOrder, WriterAndLoadsAgreeOnBothOrders) {
    std::vector<std::uint8_t> out;
    bytes::ByteWriter writer(out);
    writer.u16be(0xCDCA);
    writer.u32be(0x01020304);
    writer.u16le(0xCDCA);
    writer.u32le(0x01020304);
    writer.u8(0xFF);
    EXPECT_EQ(out,
              (std::vector<std::uint8_t>{0xCD, 0xCA, 1, 2, 3, 4, 0xCA, 0xCD, 4, 3, 2, 1, 0xFF}));
    EXPECT_EQ(bytes::loadBE16(out.data()), 0xCDCA);
    EXPECT_EQ(bytes::loadBE32(out.data() + 2), 0x01020304u);
    EXPECT_EQ(bytes::loadLE16(out.data() + 6), 0xCDCA);
    EXPECT_EQ(bytes::loadLE32(out.data() + 8), 0x01020304u);
}

TEST(ByteReader, NeverReadsPastTheEnd) {
    const std::uint8_t data[] = {0x12, 0x34, 0x56};
    bytes::ByteReader reader(data);
    EXPECT_FALSE(reader.u32be().has_value());
    EXPECT_EQ(reader.position(), 0u);
    EXPECT_EQ(reader.u16be(), 0x1234);
    EXPECT_FALSE(reader.u16be().has_value());
    EXPECT_FALSE(reader.take(2).has_value());
    EXPECT_EQ(reader.u8(), 0x56);
    EXPECT_FALSE(reader.u8().has_value());
    EXPECT_EQ(reader.remaining(), 0u);
    EXPECT_TRUE(reader.take(0).has_value());
}

}  // namespace
