#include "helpers/unit_conversion.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "helpers/kcom.h"

namespace {

struct Conversion {
    const char* name;
    std::int32_t (*convert)(std::int32_t);
    std::int32_t input;
    std::int32_t expected;
};

TEST(UnitConversion, RoundsHalfAwayFromZeroAndKeepsTheSign) {
    const Conversion cases[] = {
        {"inch2mm", inch2mm, 1000, 2540},
        {"inch2mm", inch2mm, 2, 10},  // 0.508 mm is 1 mm
        {"inch2mm", inch2mm, 1, 0},   // 0.254 mm is 0 mm
        {"inch2mm", inch2mm, -2, -10},
        {"inch2mm_tailRound", inch2mm_tailRound, 1000, 2540},
        {"inch2mm_tailRound", inch2mm_tailRound, 2, 5},
        {"inch2mm_tailRound", inch2mm_tailRound, -2, -5},
        {"mm2inch", mm2inch, -254, -100},
        {"mm2inch", mm2inch, 254, 100},
        {"mm2inch", mm2inch, 127, 50},
        {"mm2inch", mm2inch, 0, 0},
        // Sizes from settings files may be anything; results stop at the 32-bit limits.
        {"inch2mm", inch2mm, INT32_MAX, INT32_MAX},
        {"inch2mm", inch2mm, INT32_MIN, -INT32_MAX},
        {"inch2mm_tailRound", inch2mm_tailRound, INT32_MAX, INT32_MAX},
        {"mm2inch", mm2inch, INT32_MIN, -845466003},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.convert(c.input), c.expected) << c.name << "(" << c.input << ")";
    }
}

TEST(UnitConversion, PixelsAtAResolution) {
    EXPECT_EQ(pixel2mm(300, 300), 254);
    EXPECT_EQ(pixel2mm(1, 600), 0);  // 0.42
    EXPECT_EQ(pixel2mm(3, 600), 1);  // 1.27
    EXPECT_EQ(pixel2mm(-300, 300), -254);
    EXPECT_EQ(pixel2mm(-1, 508), 0);  // -0.5 truncates toward zero
    EXPECT_EQ(pixel2inch(150, 300), 50);
    EXPECT_EQ(pixel2inch(1, 200), 1);  // 0.5 rounds up
    EXPECT_EQ(pixel2inch(-150, 300), -50);
    EXPECT_EQ(pixel2mm(300, 0), 0) << "a zero resolution divides by nothing";
    EXPECT_EQ(pixel2mm(INT32_MAX, 1), INT32_MAX);
    EXPECT_EQ(pixel2mm(INT32_MIN, 1), INT32_MIN);
    EXPECT_EQ(pixel2inch(INT32_MAX, 1), INT32_MAX);
}

TEST(KCom, WaitTicksAreSixtiethsOfASecondCapped) {
    EXPECT_EQ(KCom::microsecondsOf(60), 1000000u);
    EXPECT_EQ(KCom::microsecondsOf(1), 16666u);
    EXPECT_EQ(KCom::microsecondsOf(0xFFFFFFFFu), 0xFFFFFFFFu);
}

}  // namespace
