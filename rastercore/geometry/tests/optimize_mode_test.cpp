// The optimisation values of every print mode, ink impact and print-mode kind.
#include "geometry/optimize_mode.h"

#include <gtest/gtest.h>

namespace {

constexpr int kUnchanged = 99;

TEST(OptimizeMode, WholeTable) {
    const struct {
        std::int32_t printMode;
        bool ink;
        std::int32_t kind;
        std::int32_t result;
        int flag, value, openMode;  // kUnchanged: not written
    } cases[] = {
        {1, false, 1, 0, 0, 2, 4},
        {2, false, 7, 0, 0, 2, 4},
        {4, false, 2, 0, 0, 2, 4},
        {1, true, 1, 0, 0, 3, 2},
        {4, true, 2, 0, 0, 3, 2},
        {2, true, 3, -1, kUnchanged, kUnchanged, kUnchanged},
        {8, false, 2, 0, 0, 2, 4},
        {8, false, 1, 0, 0, 1, 1},
        {8, true, 2, 0, 0, 3, 2},
        {8, true, 1, 0, 8, 1, 1},
        {8, false, 0, -1, 0, kUnchanged, kUnchanged},
        {8, true, 3, -1, kUnchanged, kUnchanged, kUnchanged},
        {16, false, 2, 0, 0, 1, 1},
        {16, true, 2, 0, 0, 1, 1},
        {16, false, 1, 0, 1, 1, 1},
        {16, true, 1, 0, 1, 1, 1},
        {16, true, 5, -1, kUnchanged, 1, 1},
        {0, false, 1, -1, kUnchanged, kUnchanged, kUnchanged},
        {3, true, 2, -1, kUnchanged, kUnchanged, kUnchanged},
        {32, false, 1, -1, kUnchanged, kUnchanged, kUnchanged},
    };
    for (const auto& c : cases) {
        std::uint8_t flag = kUnchanged;
        std::uint8_t value = kUnchanged;
        std::int32_t openMode = kUnchanged;
        EXPECT_EQ(getOptimizeMode(c.printMode, c.ink, &flag, &value, &openMode, c.kind), c.result)
            << c.printMode << " " << c.ink << " " << c.kind;
        EXPECT_EQ(flag, c.flag) << c.printMode << " " << c.ink << " " << c.kind;
        EXPECT_EQ(value, c.value) << c.printMode << " " << c.ink << " " << c.kind;
        EXPECT_EQ(openMode, c.openMode) << c.printMode << " " << c.ink << " " << c.kind;
    }
}

TEST(OptimizeMode, OutputsMayBeNull) {
    std::uint8_t value = 0;
    EXPECT_EQ(getOptimizeMode(8, true, nullptr, &value, nullptr, 1), 0);
    EXPECT_EQ(value, 1);
    EXPECT_EQ(getOptimizeMode(16, false, nullptr, nullptr, nullptr, 4), -1);
    EXPECT_EQ(getOptimizeMode(8, false, nullptr, nullptr, nullptr, 4), -1);
}

}  // namespace
