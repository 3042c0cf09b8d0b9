// The core's allocator pair, the older memory helpers and the pattern fill.
#include "util/memory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <vector>

#include "rastercore/result_codes.h"

namespace {

TEST(Memory, GetMemoryClearZeroesAndDisposeClearsThePointer) {
    std::uint8_t* block = nullptr;
    ASSERT_EQ(Get_MemoryClear(3, 5, kUnusedKind, &block), 0);
    ASSERT_NE(block, nullptr);
    for (int i = 0; i < 15; ++i) {
        EXPECT_EQ(block[i], 0);
    }
    Dispose_MemoryClear(&block, kUnusedKind);
    EXPECT_EQ(block, nullptr);
    Dispose_MemoryClear(&block, kUnusedKind);  // a null pointer: nothing happens
    EXPECT_EQ(block, nullptr);
}

TEST(Memory, GetMemoryClearEdgeCounts) {
    void* block = reinterpret_cast<void*>(1);
    const std::size_t huge = std::numeric_limits<std::size_t>::max() / 2;
    EXPECT_EQ(Get_MemoryClear(huge, 4, kUnusedKind, &block), rastercore::kCommandNoMemory);
    EXPECT_EQ(block, nullptr);
    // A zero count behaves as the system allocator does: here a unique block, so success.
    ASSERT_EQ(Get_MemoryClear(0, 8, kUnusedKind, &block), 0);
    Dispose_MemoryClear(&block, kUnusedKind);
}

TEST(Memory, ZupHelpers) {
    void* refused = reinterpret_cast<void*>(1);
    EXPECT_EQ(Zup_GetNewMemory(-1, &refused), 2000);
    EXPECT_EQ(refused, nullptr);
    void* block = nullptr;
    ASSERT_EQ(Zup_GetNewMemory(16, &block), 0);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(static_cast<std::uint8_t*>(block)[15], 0);
    char text[] = "abcdefgh";
    EXPECT_EQ(Zup_CopyMemory(text, text + 2, 5), 0);  // overlapping
    EXPECT_STREQ(text, "ababcdeh");
    EXPECT_EQ(Zup_DisposeMemory(&block), 0);
    EXPECT_EQ(block, nullptr);
}

TEST(Memory, ClearMemFillsWordsThenTopBytes) {
    const struct {
        std::size_t length;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {0, {}},
        {1, {0x11}},
        {3, {0x11, 0x22, 0x33}},
        {4, {0x44, 0x33, 0x22, 0x11}},
        {6, {0x44, 0x33, 0x22, 0x11, 0x11, 0x22}},
        {9, {0x44, 0x33, 0x22, 0x11, 0x44, 0x33, 0x22, 0x11, 0x11}},
    };
    for (const auto& c : cases) {
        std::vector<std::uint8_t> block(c.length + 1, 0xEE);
        EXPECT_TRUE(ClearMem(block.data(), c.length, 0x11223344));
        EXPECT_EQ(std::vector<std::uint8_t>(block.begin(), block.end() - 1), c.bytes) << c.length;
        EXPECT_EQ(block.back(), 0xEE) << "wrote past the block";
        EXPECT_TRUE(CheckMem(block.data(), c.length, 0x11223344));
        if (c.length > 0) {
            block[c.length - 1] ^= 1;
            EXPECT_FALSE(CheckMem(block.data(), c.length, 0x11223344)) << c.length;
        }
    }
    std::uint8_t small[5] = {};
    EXPECT_EQ(Zup_ClearMemory(small, 5, 0xA1B2C3D4), 0);
    EXPECT_TRUE(CheckMem(small, 5, 0xA1B2C3D4));
    EXPECT_FALSE(ClearMem(nullptr, 4, 1));
    EXPECT_FALSE(CheckMem(nullptr, 4, 1));
    EXPECT_EQ(Zup_ClearMemory(nullptr, 4, 1), 0);
}

}  // namespace
