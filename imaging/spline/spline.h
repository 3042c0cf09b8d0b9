// Natural cubic spline through integer control points, solved into a table of second derivatives.
#pragma once

#include <cstdint>

/// Most control points a curve holds; every array below has this many entries.
inline constexpr int kSplineMaxPoints = 16;

/// Solves the natural cubic spline through the n points (x strictly increasing, 3 <= n <= 16):
/// z receives one sixth of the second derivative at each point (0 at both ends), h the interval
/// widths; d is work space (slopes, then the elimination's diagonal). With fewer than three points
/// only h and the slopes are filled, as a straight line needs no table.
void maketable(std::int32_t n, const std::int32_t* x, const std::int32_t* y, double* z, double* h,
               double* d);

/// The spline made by maketable, evaluated at t: on the interval whose right end is the first
/// point with x >= t (the first interval for t <= x[0]).
double spline(std::int32_t t, std::int32_t n, const std::int32_t* x, const std::int32_t* y,
              const double* z);
