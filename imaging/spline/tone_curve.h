// Tone curves: up to 16 control points turned into a lookup table by a straight line (two points)
// or a natural cubic spline (three or more).
//
// A context is a plain record owned by the caller and holds no resources; one context belongs to
// one caller. Every function returns a code of spline_errors.h (0 success); a refused operation
// leaves the context unchanged.
#pragma once

#include <cstdint>

#include "imaging/spline/spline.h"

/// The control points of one curve and the spline solved through them.
struct SsplContext {
    std::int32_t valid;                // 1 when the context holds a consistent curve
    std::int32_t inputRange;           // the curve is defined for x = 0 ... inputRange - 1
    std::int32_t outputRange;          // values are 0 ... outputRange - 1
    std::int32_t count;                // points, 2 ... 16
    std::int32_t x[kSplineMaxPoints];  // inputs, strictly increasing
    std::int32_t y[kSplineMaxPoints];  // outputs
    double h[kSplineMaxPoints];        // interval widths
    double d[kSplineMaxPoints];        // work values of the solve
    double z[kSplineMaxPoints];        // one sixth of the second derivative at each point
    std::int32_t modifiedFirst;  // span of points whose neighbourhood the last operation changed
    std::int32_t modifiedLast;
};

/// Clears the context and sets the ranges (each at least 2) and the end points (0, 0) and
/// (inputRange - 1, outputRange - 1); the modified range becomes 0 ... inputRange - 1.
std::int32_t sspl_init(SsplContext* context, std::int32_t inputRange, std::int32_t outputRange);

/// The point count and the inputs and outputs (arrays of 16); any out pointer may be null.
std::int32_t sspl_get_points(const SsplContext* context, std::int32_t* count, std::int32_t* x,
                             std::int32_t* y);

/// Fills table[0 ... inputRange - 1]: the first output left of the first point, the last output
/// from the last point on, the line or spline (rounded, clamped to the output range) between.
std::int32_t sspl_get_curve(const SsplContext* context, std::int32_t* table);

/// Inserts the point (x, y) in input order (1 <= x <= inputRange - 2, strictly between the end
/// points and on no existing input) and returns its index through the optional `index`.
std::int32_t sspl_add_point(SsplContext* context, std::int32_t x, std::int32_t y,
                            std::int32_t* index);

/// Removes an inner point.
std::int32_t sspl_del_point(SsplContext* context, std::int32_t index);

/// Replaces a point's input and output; the input stays strictly between the neighbours' inputs.
std::int32_t sspl_move_point(SsplContext* context, std::int32_t index, std::int32_t x,
                             std::int32_t y);

/// The span of control points whose neighbourhood the last operation changed (out pointers may be
/// null).
std::int32_t sspl_get_modrange(const SsplContext* context, std::int32_t* first, std::int32_t* last);
