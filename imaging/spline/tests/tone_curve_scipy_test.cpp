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
/// Random point sets per range.
constexpr int kRounds = 12;
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

/// The oracle's spline values at x[0] ... x[n-1] - 1 of each point set, from one start of the
/// oracle; empty lists when it fails (its exit code in `status`).
std::vector<std::vector<double>> scipyValues(const std::vector<Points>& sets, int& status) {
    testsupport::TemporaryFolder folder;
    std::vector<std::string> arguments;
    for (std::size_t i = 0; i < sets.size(); ++i) {
        const auto pointsPath = folder / ("points" + std::to_string(i) + ".txt");
        std::ofstream out(pointsPath);
        for (const auto& [x, y] : sets[i]) {
            out << x << ' ' << y << '\n';
        }
        arguments.push_back(pointsPath.string());
        arguments.push_back((folder / ("values" + std::to_string(i) + ".txt")).string());
    }
    status = testsupport::runPython(SPLINE_ORACLE, arguments);
    std::vector<std::vector<double>> values(sets.size());
    for (std::size_t i = 0; i < sets.size(); ++i) {
        std::ifstream in(arguments[2 * i + 1]);
        for (double v; in >> v;) {
            values[i].push_back(v);
        }
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
    std::vector<Points> sets;
    for (int round = 0; round < kRounds; ++round) {
        sets.push_back(randomPoints(random, inputRange, outputRange));
    }
    int status = 0;
    const auto oracle = scipyValues(sets, status);
    if (status == kScipyMissing) {
        GTEST_SKIP() << "python3-scipy is not installed for /usr/bin/python3";
    }
    ASSERT_EQ(status, 0);

    for (int round = 0; round < kRounds; ++round) {
        const Points& points = sets[round];
        SsplContext context{};
        ASSERT_EQ(makeCurve(context, inputRange, outputRange, points), kSsplOk);
        const auto table = curveOf(context);
        ASSERT_EQ(table.size(), static_cast<std::size_t>(inputRange));

        const auto& values = oracle[round];
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
