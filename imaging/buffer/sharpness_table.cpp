// The unsharp mask's gain curve: a monotone cubic through fixed anchor points.
//
// Between the anchors the curve is a piecewise cubic Hermite interpolant whose slopes are the
// weighted harmonic means of the neighbouring secants (zero at a flat stretch or a turn), which
// keeps it nondecreasing; the values are rounded to whole 1/1024 units.
#include "imaging/buffer/sharpness_table.h"

namespace imaging {

namespace {

struct Anchor {
    double detail;
    double gain;
};

constexpr Anchor kAnchors[] = {{0, 41},     {19, 41},     {20, 42},     {128, 64},   {256, 133},
                               {384, 247},  {512, 408},   {640, 614},   {768, 762},  {896, 877},
                               {1024, 958}, {1152, 1008}, {1258, 1024}, {1279, 1024}};
constexpr std::size_t kAnchorCount = sizeof(kAnchors) / sizeof(kAnchors[0]);

constexpr double secant(std::size_t k) {
    return (kAnchors[k + 1].gain - kAnchors[k].gain) /
           (kAnchors[k + 1].detail - kAnchors[k].detail);
}

/// Slope of the curve at anchor k: monotone (Fritsch-Butland) weighting of the two secants.
constexpr double slopeAt(std::size_t k) {
    if (k == 0) {
        return secant(0);
    }
    if (k == kAnchorCount - 1) {
        return secant(k - 1);
    }
    const double before = secant(k - 1);
    const double after = secant(k);
    if (before * after <= 0.0) {
        return 0.0;
    }
    const double widthBefore = kAnchors[k].detail - kAnchors[k - 1].detail;
    const double widthAfter = kAnchors[k + 1].detail - kAnchors[k].detail;
    const double w1 = 2 * widthAfter + widthBefore;
    const double w2 = widthAfter + 2 * widthBefore;
    return (w1 + w2) / (w1 / before + w2 / after);
}

constexpr double hermite(std::size_t k, double detail) {
    const double width = kAnchors[k + 1].detail - kAnchors[k].detail;
    const double t = (detail - kAnchors[k].detail) / width;
    const double t2 = t * t;
    const double t3 = t2 * t;
    return (2 * t3 - 3 * t2 + 1) * kAnchors[k].gain + (t3 - 2 * t2 + t) * width * slopeAt(k) +
           (-2 * t3 + 3 * t2) * kAnchors[k + 1].gain + (t3 - t2) * width * slopeAt(k + 1);
}

constexpr std::array<std::int64_t, kSharpnessTableSize> makeTable() {
    std::array<std::int64_t, kSharpnessTableSize> table{};
    std::size_t k = 0;
    for (std::size_t detail = 0; detail < kSharpnessTableSize; ++detail) {
        while (k + 2 < kAnchorCount && kAnchors[k + 1].detail <= static_cast<double>(detail)) {
            ++k;
        }
        table[detail] = static_cast<std::int64_t>(hermite(k, static_cast<double>(detail)) + 0.5);
    }
    return table;
}

}  // namespace

constinit const std::array<std::int64_t, kSharpnessTableSize> sharpnessTable = makeTable();

}  // namespace imaging
