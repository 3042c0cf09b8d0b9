// Tone curves through random control points against scipy's natural CubicSpline.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <random>
#include <set>
#include <string>

#include "support/python_oracle.h"
#include "support/temporary_folder.h"
#include "tone_curve_fixture.h"

namespace {

using tone_curve_test::curveOf;
using tone_curve_test::makeCurve;
using tone_curve_test::Points;

constexpr int kScipyMissing = 77;
/// A spline value this close to a rounding boundary may round either way in the two programs.
constexpr double kBoundaryTolerance = 1e-6;

Points randomPoints(std::mt19937& random, std::int32_t inputRange, std::int32_t outputRange) {
    std::uniform_int_distribution<std::int32_t> countOf(3, kSplineMaxPoints);
    std::uniform_int_distribution<std::int32_t> output(0, outputRange - 1);
    std::uniform_int_distribution<std::int32_t> input(0, inputRange - 1);
    std::set<std::int32_t> inputs;
    const std::int32_t count = countOf(random);
    while (static_cast<std::int32_t>(inputs.size()) < count) {
        inputs.insert(input(random));
    }
    Points points;
    for (std::int32_t x : inputs) {
        points.emplace_back(x, output(random));
    }
    return points;
}

/// The oracle's spline values at x[0] ... x[n-1] - 1, or an empty list (skip code in `status`).
std::vector<double> scipyValues(const Points& points, int& status) {
    testsupport::TemporaryFolder folder;
    {
        std::ofstream out(folder / "points.txt");
        for (const auto& [x, y] : points) {
            out << x << ' ' << y << '\n';
        }
    }
    status = testsupport::runPython(
        SPLINE_ORACLE, {(folder / "points.txt").string(), (folder / "values.txt").string()});
    std::vector<double> values;
    std::ifstream in(folder / "values.txt");
    for (double v; in >> v;) {
        values.push_back(v);
    }
    return values;
}

bool matchesRounded(std::int32_t entry, double value, std::int32_t outputRange) {
    const auto rounded = [&](double v) {
        return static_cast<std::int32_t>(std::clamp(std::trunc(v + 0.5), 0.0, outputRange - 1.0));
    };
    const double fraction = value - std::floor(value);
    if (std::fabs(fraction - 0.5) < kBoundaryTolerance) {
        return entry == rounded(value - kBoundaryTolerance) ||
               entry == rounded(value + kBoundaryTolerance);
    }
    return entry == rounded(value);
}

class ToneCurveScipy : public testing::TestWithParam<std::pair<std::int32_t, std::int32_t>> {};

TEST_P(ToneCurveScipy, RandomPointsGiveTheNaturalSplineRoundedAndClamped) {
    const auto [inputRange, outputRange] = GetParam();
    std::mt19937 random(static_cast<unsigned>(inputRange + outputRange));
    for (int round = 0; round < 12; ++round) {
        const Points points = randomPoints(random, inputRange, outputRange);
        SsplContext context{};
        ASSERT_EQ(makeCurve(context, inputRange, outputRange, points), kSsplOk);
        const auto table = curveOf(context);
        ASSERT_EQ(table.size(), static_cast<std::size_t>(inputRange));

        int status = 0;
        const auto values = scipyValues(points, status);
        if (status == kScipyMissing) {
            GTEST_SKIP() << "python3-scipy is not installed for /usr/bin/python3";
        }
        ASSERT_EQ(status, 0);
        const std::int32_t first = points.front().first;
        const std::int32_t last = points.back().first;
        ASSERT_EQ(values.size(), static_cast<std::size_t>(last - first));
        for (std::int32_t t = 0; t < inputRange; ++t) {
            if (t < first) {
                ASSERT_EQ(table[t], points.front().second) << t;
            } else if (t >= last) {
                ASSERT_EQ(table[t], points.back().second) << t;
            } else {
                ASSERT_TRUE(matchesRounded(table[t], values[t - first], outputRange))
                    << "round " << round << " t " << t << ": " << table[t] << " vs "
                    << values[t - first];
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Ranges, ToneCurveScipy,
                         testing::Values(std::pair{256, 256}, std::pair{4096, 0x10000},
                                         std::pair{40, 10}),
                         [](const auto& info) {
                             return std::to_string(info.param.first) + "_to_" +
                                    std::to_string(info.param.second);
                         });

}  // namespace
