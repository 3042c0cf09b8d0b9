// Builds tone-curve contexts from a list of points for the spline tests.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "imaging/spline/spline_errors.h"
#include "imaging/spline/tone_curve.h"

namespace tone_curve_test {

using Points = std::vector<std::pair<std::int32_t, std::int32_t>>;

/// A context through `points` (inputs increasing, at least two): the end points are moved into
/// place and the inner ones added. Returns the first failing code, or 0.
inline std::int32_t makeCurve(SsplContext& context, std::int32_t inputRange,
                              std::int32_t outputRange, const Points& points) {
    std::int32_t code = sspl_init(&context, inputRange, outputRange);
    const auto last = static_cast<std::int32_t>(points.size()) - 1;
    if (code == kSsplOk) {
        code = sspl_move_point(&context, 1, points[last].first, points[last].second);
    }
    if (code == kSsplOk) {
        code = sspl_move_point(&context, 0, points[0].first, points[0].second);
    }
    for (std::int32_t i = 1; i < last && code == kSsplOk; ++i) {
        code = sspl_add_point(&context, points[i].first, points[i].second, nullptr);
    }
    return code;
}

inline std::vector<std::int32_t> curveOf(const SsplContext& context) {
    std::vector<std::int32_t> table(static_cast<std::size_t>(context.inputRange));
    if (sspl_get_curve(&context, table.data()) != kSsplOk) {
        return {};
    }
    return table;
}

}  // namespace tone_curve_test
