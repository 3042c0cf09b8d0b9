// Tone-curve contexts: control points kept in input order, the spline rebuilt after each change.
#include "imaging/spline/tone_curve.h"

#include <algorithm>
#include <cmath>

#include "imaging/spline/spline_errors.h"

namespace {

constexpr std::int32_t kFewestPoints = 2;
constexpr std::int32_t kSmallestRange = 2;
// Points around a changed one whose curve segments move with it.
constexpr std::int32_t kReachLeft = 3;
constexpr std::int32_t kReachRightOfInsert = 4;
constexpr std::int32_t kReachRightOfMove = 3;

/// The checks every operation starts with.
std::int32_t checkContext(const SsplContext* context) {
    if (context == nullptr) {
        return kSsplErrNull;
    }
    return context->valid == 1 ? kSsplOk : kSsplErrNotInitialised;
}

bool outputInRange(const SsplContext& context, std::int32_t y) {
    return y >= 0 && y < context.outputRange;
}

/// Re-solves the spline after the points changed and records the modified span around `index`.
void rebuild(SsplContext& context, std::int32_t index, std::int32_t reachRight) {
    maketable(context.count, context.x, context.y, context.z, context.h, context.d);
    context.modifiedFirst = std::max(index - kReachLeft, 0);
    context.modifiedLast = std::min(index + reachRight, context.count - 1);
    context.valid = 1;
}

/// The curve's value at t between the first and the last point, before rounding.
double valueBetweenEnds(const SsplContext& context, std::int32_t t) {
    if (context.count > kFewestPoints) {
        return spline(t, context.count, context.x, context.y, context.z);
    }
    const double run = context.x[1] - context.x[0];
    const double slope = run == 0.0 ? 0.0 : (context.y[1] - context.y[0]) / run;
    return context.y[0] + slope * (t - context.x[0]);
}

}  // namespace

std::int32_t sspl_init(SsplContext* context, std::int32_t inputRange, std::int32_t outputRange) {
    if (context == nullptr) {
        return kSsplErrNull;
    }
    if (inputRange < kSmallestRange || outputRange < kSmallestRange) {
        return kSsplErrRange;
    }
    *context = SsplContext{};
    context->inputRange = inputRange;
    context->outputRange = outputRange;
    context->count = kFewestPoints;
    context->x[1] = inputRange - 1;
    context->y[1] = outputRange - 1;
    maketable(context->count, context->x, context->y, context->z, context->h, context->d);
    context->modifiedFirst = 0;
    context->modifiedLast = inputRange - 1;
    context->valid = 1;
    return kSsplOk;
}

std::int32_t sspl_get_points(const SsplContext* context, std::int32_t* count, std::int32_t* x,
                             std::int32_t* y) {
    if (const std::int32_t code = checkContext(context); code != kSsplOk) {
        return code;
    }
    if (count != nullptr) {
        *count = context->count;
    }
    if (x != nullptr) {
        std::copy_n(context->x, context->count, x);
    }
    if (y != nullptr) {
        std::copy_n(context->y, context->count, y);
    }
    return kSsplOk;
}

std::int32_t sspl_get_curve(const SsplContext* context, std::int32_t* table) {
    if (table == nullptr) {
        return kSsplErrNull;
    }
    if (const std::int32_t code = checkContext(context); code != kSsplOk) {
        return code;
    }
    if (context->count < kFewestPoints) {
        return kSsplErrNoCurve;
    }
    const std::int32_t first = context->x[0];
    const std::int32_t last = context->x[context->count - 1];
    const double top = context->outputRange - 1;
    for (std::int32_t t = 0; t < context->inputRange; ++t) {
        if (t < first) {
            table[t] = context->y[0];
        } else if (t >= last) {
            table[t] = context->y[context->count - 1];
        } else {
            const double rounded = std::trunc(valueBetweenEnds(*context, t) + 0.5);
            table[t] = static_cast<std::int32_t>(std::clamp(rounded, 0.0, top));
        }
    }
    return kSsplOk;
}

std::int32_t sspl_add_point(SsplContext* context, std::int32_t x, std::int32_t y,
                            std::int32_t* index) {
    if (const std::int32_t code = checkContext(context); code != kSsplOk) {
        return code;
    }
    if (!outputInRange(*context, y)) {
        return kSsplErrRange;
    }
    if (context->count >= kSplineMaxPoints) {
        return kSsplErrFull;
    }
    if (x < 1 || x > context->inputRange - 2) {
        return kSsplErrRange;
    }
    const std::int32_t* begin = context->x;
    const std::int32_t* end = begin + context->count;
    if (x <= begin[0] || x >= end[-1] || std::find(begin, end, x) != end) {
        return kSsplErrInputTaken;
    }
    const auto at = static_cast<std::int32_t>(std::upper_bound(begin, end, x) - begin);
    context->valid = 0;
    std::copy_backward(context->x + at, context->x + context->count,
                       context->x + context->count + 1);
    std::copy_backward(context->y + at, context->y + context->count,
                       context->y + context->count + 1);
    context->x[at] = x;
    context->y[at] = y;
    ++context->count;
    rebuild(*context, at, kReachRightOfInsert);
    if (index != nullptr) {
        *index = at;
    }
    return kSsplOk;
}

std::int32_t sspl_del_point(SsplContext* context, std::int32_t index) {
    if (const std::int32_t code = checkContext(context); code != kSsplOk) {
        return code;
    }
    if (context->count <= kFewestPoints) {
        return kSsplErrTwoPointsLeft;
    }
    if (index < 0 || index >= context->count) {
        return kSsplErrRange;
    }
    if (index == 0 || index == context->count - 1) {
        return kSsplErrEndPoint;
    }
    context->valid = 0;
    std::copy(context->x + index + 1, context->x + context->count, context->x + index);
    std::copy(context->y + index + 1, context->y + context->count, context->y + index);
    --context->count;
    context->x[context->count] = 0;
    context->y[context->count] = 0;
    rebuild(*context, index, kReachRightOfInsert);
    return kSsplOk;
}

std::int32_t sspl_move_point(SsplContext* context, std::int32_t index, std::int32_t x,
                             std::int32_t y) {
    if (const std::int32_t code = checkContext(context); code != kSsplOk) {
        return code;
    }
    if (index < 0 || index >= context->count || x < 0 || x >= context->inputRange ||
        !outputInRange(*context, y)) {
        return kSsplErrRange;
    }
    const bool afterLeft = index == 0 || x > context->x[index - 1];
    const bool beforeRight = index == context->count - 1 || x < context->x[index + 1];
    if (!afterLeft || !beforeRight) {
        return kSsplErrOrder;
    }
    context->valid = 0;
    context->x[index] = x;
    context->y[index] = y;
    rebuild(*context, index, kReachRightOfMove);
    return kSsplOk;
}

std::int32_t sspl_get_modrange(const SsplContext* context, std::int32_t* first,
                               std::int32_t* last) {
    if (const std::int32_t code = checkContext(context); code != kSsplOk) {
        return code;
    }
    if (first != nullptr) {
        *first = context->modifiedFirst;
    }
    if (last != nullptr) {
        *last = context->modifiedLast;
    }
    return kSsplOk;
}
