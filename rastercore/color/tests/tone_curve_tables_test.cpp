// Tone-curve tables: which slots get tables, where the spline's points land, and that hostile
// point counts and overshooting curves stay inside the table's range.
#include "color/tone_curve_tables.h"

#include <gtest/gtest.h>

#include <vector>

#include "record/color_info.h"
#include "record/job_context.h"

namespace {

// Where an 8-bit control input lands in the 12-bit table.
int scaledAt(int x) {
    return x * 16 + x / 16;
}

struct Point {
    std::int32_t x, y;
};

class ToneCurveTables : public testing::Test {
  protected:
    ToneCurveTables() {
        context_.colorInfo = &color_;
        context_.jobRecord = &record_;
        color_.colorMode = 1;
        for (int curve = 0; curve < kToneCurveChannels; ++curve) {
            setCurve(curve, {{0, 0}, {255, 255}});
        }
    }
    ~ToneCurveTables() override { PLG_Release_Tonara2Curve(&context_); }

    void setCurve(int curve, const std::vector<Point>& points) {
        record_.curvePointCount[curve] = static_cast<std::int32_t>(points.size());
        for (std::size_t i = 0; i < points.size(); ++i) {
            record_.curveX[curve][i] = points[i].x;
            record_.curveY[curve][i] = points[i].y;
        }
    }

    int tableCount() const {
        int count = 0;
        for (const std::uint16_t* table : color_.toneCurveTables) {
            count += table != nullptr;
        }
        return count;
    }

    static void expectStraightLine(const std::uint16_t* table) {
        ASSERT_NE(table, nullptr);
        for (int i = 0; i < kToneCurveEntries; i += 273) {
            EXPECT_NEAR(table[i], i * 65535.0 / 4095.0, 1.0) << i;
        }
        EXPECT_EQ(table[kToneCurveEntries - 1], 65535);
    }

    CoreCommonInfoTbl record_{};
    Color_Info color_{};
    PLGContext context_{};
};

TEST_F(ToneCurveTables, IdentityCurvesMakeNoTables) {
    for (int mode : {1, 3}) {
        color_.colorMode = mode;
        // The curve the other mode uses differs, and must not matter.
        setCurve(mode == 3 ? 0 : 4, {{0, 0}, {128, 30}, {255, 255}});
        EXPECT_EQ(PLG_Make_Tonara2Curve(&context_), 0);
        EXPECT_EQ(tableCount(), 0) << "mode " << mode;
        setCurve(mode == 3 ? 0 : 4, {{0, 0}, {255, 255}});
    }
}

TEST_F(ToneCurveTables, OneChangedColourCurveGivesFourTables) {
    setCurve(1, {{0, 0}, {128, 200}, {255, 255}});
    ASSERT_EQ(PLG_Make_Tonara2Curve(&context_), 0);
    EXPECT_EQ(tableCount(), 4);
    for (int slot : {0, 2, 3}) {
        expectStraightLine(color_.toneCurveTables[slot]);
    }
    // The spline gets the ends (0, 0) and (4095, 65535) and the inner point (2056, 51400), and
    // passes through each.
    const std::uint16_t* red = color_.toneCurveTables[1];
    EXPECT_EQ(red[0], 0);
    EXPECT_EQ(red[2056], 51400);
    EXPECT_EQ(red[4095], 65535);
    EXPECT_GT(red[1028], 1028 * 16);  // bowed upwards towards the raised middle

    PLG_Release_Tonara2Curve(&context_);
    EXPECT_EQ(tableCount(), 0);
}

TEST_F(ToneCurveTables, MonochromeUsesCurveFourInSlotZero) {
    color_.colorMode = 3;
    setCurve(4, {{0, 255}, {255, 0}});
    ASSERT_EQ(PLG_Make_Tonara2Curve(&context_), 0);
    EXPECT_EQ(tableCount(), 1);
    const std::uint16_t* grey = color_.toneCurveTables[0];
    ASSERT_NE(grey, nullptr);
    EXPECT_EQ(grey[0], 65535);
    EXPECT_EQ(grey[4095], 0);
}

TEST_F(ToneCurveTables, OvershootIsClampedNotWrapped) {
    // A steep rise to the top and back: the natural spline overshoots above 65535 and below 0.
    setCurve(0, {{0, 0}, {40, 255}, {60, 255}, {100, 0}, {255, 0}});
    ASSERT_EQ(PLG_Make_Tonara2Curve(&context_), 0);
    const std::uint16_t* master = color_.toneCurveTables[0];
    ASSERT_NE(master, nullptr);
    // Around the top plateau every value is high; a wrapped overshoot would fall near 0 there.
    for (int i = scaledAt(40); i <= scaledAt(60); ++i) {
        EXPECT_GT(master[i], 60000) << i;
    }
    // Past the fall, nothing wraps up to the top.
    for (int i = scaledAt(100); i < kToneCurveEntries; ++i) {
        EXPECT_LT(master[i], 5000) << i;
    }
}

TEST_F(ToneCurveTables, HostilePointCountsMeanTheIdentity) {
    for (std::int32_t count : {-1, 0, 1, 17, 1 << 30}) {
        setCurve(0, {{0, 0}, {255, 255}});
        record_.curvePointCount[0] = count;
        setCurve(1, {{0, 0}, {128, 200}, {255, 255}});
        ASSERT_EQ(PLG_Make_Tonara2Curve(&context_), 0) << count;
        expectStraightLine(color_.toneCurveTables[0]);
        PLG_Release_Tonara2Curve(&context_);

        setCurve(1, {{0, 0}, {255, 255}});
        ASSERT_EQ(PLG_Make_Tonara2Curve(&context_), 0) << count;
        EXPECT_EQ(tableCount(), 0) << count;
    }
}

}  // namespace
