// Byte-order change of wire integers.
#include "util/change_endian.h"

#include <gtest/gtest.h>

namespace {

TEST(ChangeEndian, ReversesTheLowBytesOnlyForBigEndianShortsAndLongs) {
    const struct {
        std::int32_t value;
        std::int16_t mode;
        std::int16_t size;
        std::int32_t result;
    } cases[] = {
        {0x1234, 1, 2, 0x3412},
        {0x7FFF1234, 1, 2, 0x3412},  // bytes above a short are dropped
        {0x12345678, 1, 4, 0x78563412},
        {static_cast<std::int32_t>(0x80000001u), 1, 4, 0x01000080},
        {0x12345678, 0, 4, 0x12345678},
        {0x12345678, 2, 2, 0x12345678},
        {0x12345678, 1, 1, 0x12345678},
        {0x12345678, 1, 3, 0x12345678},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Plg_Change_Endian(c.value, c.mode, c.size), c.result)
            << std::hex << c.value << " " << c.mode << " " << c.size;
    }
}

}  // namespace
