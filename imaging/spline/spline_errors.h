// Result codes of the tone-curve spline functions (sspl_*); 0 is success.
#pragma once

#include <cstdint>

inline constexpr std::int32_t kSsplOk = 0;
/// A null context (or a null table for sspl_get_curve): pass a context.
inline constexpr std::int32_t kSsplErrNull = 1;
/// A range below 2, an output or input outside its range, or an index outside the points.
inline constexpr std::int32_t kSsplErrRange = 2;
/// The context was never initialised: call sspl_init first.
inline constexpr std::int32_t kSsplErrNotInitialised = 3;
/// The curve already holds 16 points: delete one before adding.
inline constexpr std::int32_t kSsplErrFull = 11;
/// The new input is not strictly between the end points or equals an existing input.
inline constexpr std::int32_t kSsplErrInputTaken = 12;
/// Only the two end points are left: nothing can be deleted.
inline constexpr std::int32_t kSsplErrTwoPointsLeft = 13;
/// The first and last points cannot be deleted.
inline constexpr std::int32_t kSsplErrEndPoint = 14;
/// The moved point would reach or pass a neighbour's input.
inline constexpr std::int32_t kSsplErrOrder = 15;
/// The context holds fewer than two points and describes no curve.
inline constexpr std::int32_t kSsplErrNoCurve = 101;
