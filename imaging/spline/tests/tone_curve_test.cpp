// Tone-curve contexts: the straight line, knots, clamping, error codes and their order, and the
// modified ranges.
#include "imaging/spline/tone_curve.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tone_curve_fixture.h"

namespace {

using tone_curve_test::curveOf;
using tone_curve_test::makeCurve;
using tone_curve_test::Points;

std::pair<std::int32_t, std::int32_t> modifiedRange(const SsplContext& context) {
    std::pair<std::int32_t, std::int32_t> range{-1, -1};
    EXPECT_EQ(sspl_get_modrange(&context, &range.first, &range.second), kSsplOk);
    return range;
}

/// A context with `count` points evenly spread over (256, 256).
SsplContext evenCurve(std::int32_t count) {
    Points points;
    for (std::int32_t i = 0; i < count; ++i) {
        points.emplace_back(i * 255 / (count - 1), (i * 37) % 256);
    }
    SsplContext context{};
    EXPECT_EQ(makeCurve(context, 256, 256, points), kSsplOk);
    return context;
}

TEST(ToneCurve, FreshContextIsTheIdentityWithTheWholeRangeModified) {
    SsplContext context{};
    ASSERT_EQ(sspl_init(&context, 256, 256), kSsplOk);
    const auto table = curveOf(context);
    ASSERT_EQ(table.size(), 256u);
    for (std::int32_t t = 0; t < 256; ++t) {
        EXPECT_EQ(table[t], t);
    }
    EXPECT_EQ(modifiedRange(context), std::make_pair(0, 255));

    std::int32_t count = 0;
    std::int32_t x[kSplineMaxPoints] = {};
    std::int32_t y[kSplineMaxPoints] = {};
    ASSERT_EQ(sspl_get_points(&context, &count, x, y), kSsplOk);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(x[1], 255);
    EXPECT_EQ(y[1], 255);
    EXPECT_EQ(sspl_get_points(&context, nullptr, nullptr, nullptr), kSsplOk);
}

TEST(ToneCurve, WideRangesMapLinearlyBetweenTheEnds) {
    SsplContext context{};
    ASSERT_EQ(sspl_init(&context, 4096, 0x10000), kSsplOk);
    const auto table = curveOf(context);
    ASSERT_EQ(table.size(), 4096u);
    EXPECT_EQ(table[0], 0);
    EXPECT_EQ(table[1], 16);        // 65535 / 4095 = 16.004
    EXPECT_EQ(table[2048], 32776);  // 2048 x 16.0037 = 32775.5 + 0.5
    EXPECT_EQ(table[4095], 65535);
}

TEST(ToneCurve, TwoPointsDrawAStraightLineAndHoldTheEnds) {
    SsplContext context{};
    ASSERT_EQ(makeCurve(context, 256, 256, {{10, 0}, {200, 255}}), kSsplOk);
    const auto table = curveOf(context);
    ASSERT_EQ(table.size(), 256u);
    for (std::int32_t t = 0; t < 256; ++t) {
        const std::int32_t expected = t < 10 ? 0
                                      : t >= 200
                                          ? 255
                                          : static_cast<std::int32_t>(255.0 / 190 * (t - 10) + 0.5);
        EXPECT_EQ(table[t], expected) << t;
    }
    EXPECT_EQ(table[105], 128);
}

TEST(ToneCurve, SplinePassesThroughEveryKnot) {
    const Points points{{0, 30},    {20, 80},   {64, 70},  {100, 200},
                        {101, 201}, {180, 120}, {255, 250}};
    SsplContext context{};
    ASSERT_EQ(makeCurve(context, 256, 256, points), kSsplOk);
    const auto table = curveOf(context);
    ASSERT_EQ(table.size(), 256u);
    for (const auto& [x, y] : points) {
        EXPECT_EQ(table[x], y) << x;
    }
}

TEST(ToneCurve, OvershootIsClampedToTheOutputRange) {
    SsplContext context{};
    ASSERT_EQ(makeCurve(context, 256, 256, {{0, 0}, {100, 255}, {110, 0}, {255, 255}}), kSsplOk);
    const auto table = curveOf(context);
    ASSERT_EQ(table.size(), 256u);
    int above = 0;
    int below = 0;
    for (std::int32_t t = 0; t < 255; ++t) {
        const double raw = spline(t, context.count, context.x, context.y, context.z);
        if (raw >= 255.5) {
            EXPECT_EQ(table[t], 255) << t;
            ++above;
        }
        if (raw < -0.5) {
            EXPECT_EQ(table[t], 0) << t;
            ++below;
        }
    }
    EXPECT_GT(above, 0);
    EXPECT_GT(below, 0);
}

TEST(ToneCurve, AddReturnsTheIndexAndDeleteFreesTheLastSlot) {
    SsplContext context{};
    ASSERT_EQ(makeCurve(context, 256, 256, {{0, 0}, {50, 60}, {200, 180}, {255, 255}}), kSsplOk);
    std::int32_t index = -1;
    ASSERT_EQ(sspl_add_point(&context, 100, 90, &index), kSsplOk);
    EXPECT_EQ(index, 2);
    ASSERT_EQ(sspl_del_point(&context, 1), kSsplOk);
    std::int32_t count = 0;
    std::int32_t x[kSplineMaxPoints] = {};
    std::int32_t y[kSplineMaxPoints] = {};
    ASSERT_EQ(sspl_get_points(&context, &count, x, y), kSsplOk);
    ASSERT_EQ(count, 4);
    EXPECT_EQ(std::vector<std::int32_t>(x, x + 4), (std::vector<std::int32_t>{0, 100, 200, 255}));
    EXPECT_EQ(std::vector<std::int32_t>(y, y + 4), (std::vector<std::int32_t>{0, 90, 180, 255}));
    EXPECT_EQ(context.x[4], 0);
    EXPECT_EQ(context.y[4], 0);
}

TEST(ToneCurve, ModifiedRangesOfAddDeleteAndMove) {
    // Add at index 5, new count 8: 2 ... min(9, 7).
    SsplContext context = evenCurve(7);
    std::int32_t index = -1;
    ASSERT_EQ(sspl_add_point(&context, 5 * 255 / 6 - 3, 10, &index), kSsplOk);
    ASSERT_EQ(index, 5);
    EXPECT_EQ(modifiedRange(context), std::make_pair(2, 7));
    // Add at index 1: 0 ... 5.
    ASSERT_EQ(sspl_add_point(&context, 1, 10, &index), kSsplOk);
    ASSERT_EQ(index, 1);
    EXPECT_EQ(modifiedRange(context), std::make_pair(0, 5));

    // Move point 5 of 10: 2 ... 8 (three on the right).
    context = evenCurve(10);
    ASSERT_EQ(sspl_move_point(&context, 5, context.x[5] + 1, 0), kSsplOk);
    EXPECT_EQ(modifiedRange(context), std::make_pair(2, 8));
    ASSERT_EQ(sspl_move_point(&context, 9, 254, 0), kSsplOk);
    EXPECT_EQ(modifiedRange(context), std::make_pair(6, 9));

    // Delete point 5 of 10, new count 9: 2 ... 8; point 4 of the 9 left: 1 ... 7.
    ASSERT_EQ(sspl_del_point(&context, 5), kSsplOk);
    EXPECT_EQ(modifiedRange(context), std::make_pair(2, 8));
    ASSERT_EQ(sspl_del_point(&context, 4), kSsplOk);
    EXPECT_EQ(modifiedRange(context), std::make_pair(1, 7));
}

using Step = std::int32_t (*)(SsplContext&);

struct Refusal {
    const char* what;
    void (*prepare)(SsplContext&);  // brings the four-point curve into the state to test, or null
    Step operation;
    std::int32_t code;
};

class ToneCurveRefusal : public testing::TestWithParam<Refusal> {};

// Every refusal gives its code and leaves the context byte for byte as it was.
TEST_P(ToneCurveRefusal, GivesItsCodeAndChangesNothing) {
    SsplContext context{};
    ASSERT_EQ(makeCurve(context, 256, 256, {{0, 0}, {64, 80}, {128, 120}, {255, 255}}), kSsplOk);
    if (GetParam().prepare != nullptr) {
        GetParam().prepare(context);
    }
    const SsplContext before = context;
    EXPECT_EQ(GetParam().operation(context), GetParam().code);
    EXPECT_EQ(std::memcmp(&context, &before, sizeof context), 0);
}

/// Fills the four-point curve up to 16 points (inputs 1, 2, ... besides 64 and 128).
void fill(SsplContext& context) {
    for (std::int32_t x = 1; context.count < kSplineMaxPoints; ++x) {
        sspl_add_point(&context, x, 1, nullptr);
    }
}

/// Reduces the four-point curve to its two end points.
void strip(SsplContext& context) {
    sspl_del_point(&context, 1);
    sspl_del_point(&context, 1);
}

void forget(SsplContext& context) {
    context = SsplContext{};
}

void shiftFirst(SsplContext& context) {
    sspl_move_point(&context, 0, 5, 0);
}

std::int32_t tableOf(SsplContext& context) {
    std::int32_t table[256];
    return sspl_get_curve(&context, table);
}

INSTANTIATE_TEST_SUITE_P(
    CodesInCheckOrder, ToneCurveRefusal,
    testing::Values(
        // Add: context, valid, output, count, input span, order.
        Refusal{"add_output_below", nullptr,
                [](SsplContext& c) { return sspl_add_point(&c, 10, -1, nullptr); }, 2},
        Refusal{"add_output_above", nullptr,
                [](SsplContext& c) { return sspl_add_point(&c, 10, 256, nullptr); }, 2},
        Refusal{"add_17th", fill,
                [](SsplContext& c) { return sspl_add_point(&c, 200, 10, nullptr); }, 11},
        Refusal{"add_17th_output_checked_first", fill,
                [](SsplContext& c) { return sspl_add_point(&c, 200, 256, nullptr); }, 2},
        Refusal{"add_17th_count_before_span", fill,
                [](SsplContext& c) { return sspl_add_point(&c, 0, 10, nullptr); }, 11},
        Refusal{"add_at_zero", nullptr,
                [](SsplContext& c) { return sspl_add_point(&c, 0, 10, nullptr); }, 2},
        Refusal{"add_at_last_input", nullptr,
                [](SsplContext& c) { return sspl_add_point(&c, 255, 10, nullptr); }, 2},
        Refusal{"add_on_existing", nullptr,
                [](SsplContext& c) { return sspl_add_point(&c, 64, 10, nullptr); }, 12},
        Refusal{"add_left_of_first", shiftFirst,
                [](SsplContext& c) { return sspl_add_point(&c, 3, 10, nullptr); }, 12},
        Refusal{"add_on_first", shiftFirst,
                [](SsplContext& c) { return sspl_add_point(&c, 5, 10, nullptr); }, 12},
        // Delete: context, valid, two points, index, end point.
        Refusal{"delete_first", nullptr, [](SsplContext& c) { return sspl_del_point(&c, 0); }, 14},
        Refusal{"delete_last", nullptr, [](SsplContext& c) { return sspl_del_point(&c, 3); }, 14},
        Refusal{"delete_index_beyond", nullptr,
                [](SsplContext& c) { return sspl_del_point(&c, 4); }, 2},
        Refusal{"delete_index_below", nullptr,
                [](SsplContext& c) { return sspl_del_point(&c, -1); }, 2},
        Refusal{"delete_from_two_points", strip,
                [](SsplContext& c) { return sspl_del_point(&c, 1); }, 13},
        Refusal{"delete_end_from_two_points", strip,
                [](SsplContext& c) { return sspl_del_point(&c, 0); }, 13},
        Refusal{"delete_beyond_from_two_points", strip,
                [](SsplContext& c) { return sspl_del_point(&c, 7); }, 13},
        // Move: context, valid, index below 0, index / input / output, order.
        Refusal{"move_index_below", nullptr,
                [](SsplContext& c) { return sspl_move_point(&c, -1, 10, 10); }, 2},
        Refusal{"move_index_beyond", nullptr,
                [](SsplContext& c) { return sspl_move_point(&c, 4, 10, 10); }, 2},
        Refusal{"move_input_beyond", nullptr,
                [](SsplContext& c) { return sspl_move_point(&c, 3, 256, 10); }, 2},
        Refusal{"move_input_below", nullptr,
                [](SsplContext& c) { return sspl_move_point(&c, 0, -1, 10); }, 2},
        Refusal{"move_output_above", nullptr,
                [](SsplContext& c) { return sspl_move_point(&c, 1, 65, 256); }, 2},
        Refusal{"move_first_onto_second", nullptr,
                [](SsplContext& c) { return sspl_move_point(&c, 0, 64, 0); }, 15},
        Refusal{"move_inner_onto_left", nullptr,
                [](SsplContext& c) { return sspl_move_point(&c, 2, 64, 0); }, 15},
        Refusal{"move_inner_past_right", nullptr,
                [](SsplContext& c) { return sspl_move_point(&c, 1, 200, 0); }, 15},
        Refusal{"move_last_onto_previous", nullptr,
                [](SsplContext& c) { return sspl_move_point(&c, 3, 128, 0); }, 15},
        // An uninitialised context is refused before any argument is looked at.
        Refusal{"add_uninitialised", forget,
                [](SsplContext& c) { return sspl_add_point(&c, 0, -1, nullptr); }, 3},
        Refusal{"delete_uninitialised", forget,
                [](SsplContext& c) { return sspl_del_point(&c, -1); }, 3},
        Refusal{"move_uninitialised", forget,
                [](SsplContext& c) { return sspl_move_point(&c, -1, -1, -1); }, 3},
        Refusal{"curve_uninitialised", forget, tableOf, 3},
        Refusal{"points_uninitialised", forget,
                [](SsplContext& c) { return sspl_get_points(&c, nullptr, nullptr, nullptr); }, 3},
        Refusal{"modrange_uninitialised", forget,
                [](SsplContext& c) { return sspl_get_modrange(&c, nullptr, nullptr); }, 3},
        // A null context before anything else.
        Refusal{"add_null", nullptr,
                [](SsplContext&) { return sspl_add_point(nullptr, 0, -1, nullptr); }, 1},
        Refusal{"delete_null", nullptr, [](SsplContext&) { return sspl_del_point(nullptr, 0); }, 1},
        Refusal{"move_null", nullptr,
                [](SsplContext&) { return sspl_move_point(nullptr, -1, 0, 0); }, 1},
        Refusal{"init_null", nullptr, [](SsplContext&) { return sspl_init(nullptr, 1, 1); }, 1},
        Refusal{"init_range", nullptr, [](SsplContext& c) { return sspl_init(&c, 1, 256); }, 2},
        Refusal{"init_output_range", nullptr, [](SsplContext& c) { return sspl_init(&c, 256, 1); },
                2},
        Refusal{"curve_null_table", nullptr,
                [](SsplContext& c) { return sspl_get_curve(&c, nullptr); }, 1},
        Refusal{"points_null", nullptr,
                [](SsplContext&) { return sspl_get_points(nullptr, nullptr, nullptr, nullptr); },
                1},
        Refusal{"modrange_null", nullptr,
                [](SsplContext&) { return sspl_get_modrange(nullptr, nullptr, nullptr); }, 1}),
    [](const testing::TestParamInfo<Refusal>& info) { return std::string(info.param.what); });

}  // namespace
