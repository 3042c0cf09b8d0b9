// Natural cubic spline: tridiagonal solve for z = y'' / 6 and evaluation in Horner form.
#include "imaging/spline/spline.h"

namespace {

constexpr int kFewestSplinePoints = 3;

}  // namespace

void maketable(std::int32_t n, const std::int32_t* x, const std::int32_t* y, double* z, double* h,
               double* d) {
    z[0] = 0.0;
    z[n - 1] = 0.0;
    for (int i = 0; i < n - 1; ++i) {
        h[i] = x[i + 1] - x[i];
        d[i + 1] = (y[i + 1] - y[i]) / h[i];
    }
    if (n < kFewestSplinePoints) {
        return;
    }
    // Forward elimination of the tridiagonal system
    //   h[i-1] z[i-1] + 2 (x[i+1] - x[i-1]) z[i] + h[i] z[i+1] = slope[i] - slope[i-1];
    // z holds the right-hand sides, d the diagonal once its slope has been used.
    z[1] = d[2] - d[1] - h[0] * z[0];
    d[1] = 2.0 * (x[2] - x[0]);
    for (int i = 1; i <= n - 3; ++i) {
        const double t = h[i] / d[i];
        z[i + 1] = d[i + 2] - d[i + 1] - z[i] * t;
        d[i + 1] = 2.0 * (x[i + 2] - x[i]) - h[i] * t;
    }
    z[n - 2] = z[n - 2] - h[n - 2] * z[n - 1];
    for (int i = n - 2; i >= 1; --i) {
        z[i] = (z[i] - h[i] * z[i + 1]) / d[i];
    }
}

double spline(std::int32_t t, std::int32_t n, const std::int32_t* x, const std::int32_t* y,
              const double* z) {
    int lo = 0;
    int hi = n - 1;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (x[mid] < t) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    const int i = lo == 0 ? 0 : lo - 1;
    const double w = x[i + 1] - x[i];
    const double s = t - x[i];
    const double b = (y[i + 1] - y[i]) / w - (2.0 * z[i] + z[i + 1]) * w;
    return (((z[i + 1] - z[i]) * s / w + 3.0 * z[i]) * s + b) * s + y[i];
}
