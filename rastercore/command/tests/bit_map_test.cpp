// Bit packing: samples of every size read back as written, the neighbours untouched, and the
// fill after a row's last sample.
#include "command/bit_map.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

TEST(BitMap, EverySampleSizeReadsBackWithoutTouchingNeighbours) {
    std::mt19937 random(7);
    for (std::uint32_t bits = 1; bits <= kMapMaxBits; ++bits) {
        const std::uint32_t width = 13;
        const std::uint32_t height = 3;
        std::vector<std::uint8_t> buffer(64 * height + 8, 0);
        Map map{};
        ASSERT_EQ(initMapStructure(buffer.data(), width, height, bits, &map), 0);
        EXPECT_EQ(map.stride, (width * bits + 7) / 8);
        std::vector<std::uint32_t> values(width * height);
        for (std::uint32_t r = 0; r < height; ++r) {
            for (std::uint32_t i = 0; i < width; ++i) {
                values[r * width + i] = static_cast<std::uint32_t>(random()) & map.mask;
                setMapData(map, i, r, values[r * width + i] | ~map.mask);  // high bits ignored
            }
        }
        for (std::uint32_t r = 0; r < height; ++r) {
            for (std::uint32_t i = 0; i < width; ++i) {
                ASSERT_EQ(getMapData(map, i, r), values[r * width + i]) << bits << " bits";
            }
        }
    }
}

TEST(BitMap, SamplesAreMostSignificantBitFirst) {
    std::uint8_t row[5] = {};
    Map map{};
    ASSERT_EQ(initMapStructure(row, 3, 1, 10, &map), 0);
    setMapData(map, 0, 0, 0x3FF);
    setMapData(map, 2, 0, 0x200);
    EXPECT_EQ(row[0], 0xFF);
    EXPECT_EQ(row[1], 0xC0);
    EXPECT_EQ(row[2], 0x08);
    EXPECT_EQ(row[3], 0x00);
}

TEST(BitMap, RemainBitSetFillsToTheStrideAndNoFurther) {
    // Three 10-bit samples in a 5-byte stride, two rows: row 0's fill must not reach row 1.
    std::uint8_t rows[10] = {};
    Map map{};
    ASSERT_EQ(initMapStructure_ByteBound(rows, 3, 2, 10, 5, &map), 0);
    EXPECT_EQ(map.stride, 5u);
    remainBitSet(map, 2, 0, 1);
    EXPECT_EQ(rows[3], 0x03);  // bits 30-31
    EXPECT_EQ(rows[4], 0xFF);
    EXPECT_EQ(rows[5], 0x00);
    remainBitSet(map, 2, 0, 0);
    EXPECT_EQ(rows[3], 0x00);
    EXPECT_EQ(rows[4], 0x00);
}

TEST(BitMap, InitRefusesBadArguments) {
    std::uint8_t buffer[8];
    Map map{};
    EXPECT_EQ(initMapStructure(nullptr, 1, 1, 8, &map), -1);
    EXPECT_EQ(initMapStructure(buffer, 0, 1, 8, &map), -1);
    EXPECT_EQ(initMapStructure(buffer, 1, 0, 8, &map), -1);
    EXPECT_EQ(initMapStructure(buffer, 1, 1, 33, &map), -1);
    EXPECT_EQ(initMapStructure(buffer, 1, 1, 8, nullptr), -1);
    EXPECT_EQ(initMapStructure_ByteBound(buffer, 1, 1, 12, 0, &map), -1);
    EXPECT_EQ(initMapStructure_ByteBound(buffer, 1, 1, 12, 3, &map), 0);
    EXPECT_EQ(map.stride, 3u);
}

}  // namespace
