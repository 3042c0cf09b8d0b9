// The unsharp mask's gain curve passes through its anchors and never decreases.
#include "imaging/buffer/sharpness_table.h"

#include <gtest/gtest.h>

#include <utility>

using namespace imaging;

namespace {

TEST(SharpnessTable, PassesThroughEveryAnchor) {
    const std::pair<std::size_t, std::int64_t> anchors[] = {
        {0, 41},    {19, 41},   {20, 42},   {128, 64},   {256, 133},   {384, 247},   {512, 408},
        {640, 614}, {768, 762}, {896, 877}, {1024, 958}, {1152, 1008}, {1258, 1024}, {1279, 1024}};
    for (const auto& [detail, gain] : anchors) {
        EXPECT_EQ(sharpnessTable[detail], gain) << detail;
    }
}

TEST(SharpnessTable, NeverDecreasesAndStaysBetweenItsEnds) {
    for (std::size_t i = 1; i < kSharpnessTableSize; ++i) {
        EXPECT_LE(sharpnessTable[i - 1], sharpnessTable[i]) << i;
    }
    for (std::size_t i = 0; i < 20; ++i) {
        EXPECT_EQ(sharpnessTable[i], 41) << i;
    }
    for (std::size_t i = 1258; i < kSharpnessTableSize; ++i) {
        EXPECT_EQ(sharpnessTable[i], 1024) << i;
    }
}

}  // namespace
