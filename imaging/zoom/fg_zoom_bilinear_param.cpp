// Weight tables of the bilinear filter.
#include "imaging/zoom/fg_zoom_bilinear_param.h"

#include <algorithm>

#include "imaging/zoom/zoom_format.h"

namespace imaging {

void Calc_ExpandParam(FG_Zoom2_Param* table, int sourceSize, int destinationSize) {
    for (int j = 0; j < destinationSize; ++j) {
        FG_Zoom2_Param& param = table[j];
        param = FG_Zoom2_Param{0, 1, 0, 0, 0, 1, 0};
        if (sourceSize == destinationSize) {
            param.start = param.lastFull = j;
            param.runOrEnd = 1;
            continue;
        }
        if (sourceSize == 1) {
            param.runOrEnd = j == 0 ? destinationSize : 0;
            continue;
        }
        const ZoomSourcePosition position = zoomSourcePosition(j, sourceSize, destinationSize);
        const std::int32_t span = destinationSize - 1;
        const auto remainder = static_cast<std::int32_t>(position.remainder);
        if (remainder == 0 && j > 0) {
            param.start = position.index - 1;
            param.firstWeight = 0;
            param.secondWeight = span;
        } else {
            param.start = position.index;
            param.firstWeight = span - remainder;
            param.secondWeight = remainder;
        }
        param.lastFull = param.start;
        param.denominator = span;
    }
    // Count each run of equal start indices in its first record.
    for (int j = 0; j < destinationSize;) {
        int end = j + 1;
        while (end < destinationSize && table[end].start == table[j].start) {
            ++end;
        }
        if (sourceSize != 1) {
            table[j].runOrEnd = end - j;
        }
        j = end;
    }
}

std::int64_t Calc_ReducedParam(FG_Zoom2_Param* table, int sourceSize, int destinationSize) {
    const std::int64_t s = sourceSize;
    const std::int64_t d = destinationSize;
    std::int64_t carried = 0;
    std::int64_t largest = 0;
    for (std::int64_t i = 0; i < d; ++i) {
        FG_Zoom2_Param& param = table[i];
        const std::int64_t firstWeight = d - carried;
        const std::int64_t full = (s - firstWeight) / d;
        const std::int64_t left = s - firstWeight - full * d;
        param.start = static_cast<std::int32_t>(i * s / d);
        param.firstWeight = static_cast<std::int32_t>(firstWeight);
        param.lastFull = static_cast<std::int32_t>(param.start + full);
        param.secondWeight =
            left != 0 ? Shift_Coefficient(static_cast<std::int32_t>(left), destinationSize) : 0;
        param.remainder = static_cast<std::int32_t>(left);
        const std::int64_t denominator = firstWeight + full * d + param.secondWeight;
        param.denominator = static_cast<std::int32_t>(denominator);
        param.runOrEnd = param.lastFull + (left != 0 ? 1 : 0);
        largest = std::max(largest, denominator);
        carried = left;
    }
    return largest;
}

std::int32_t Shift_Coefficient(std::int32_t a, std::int32_t b) {
    const double half = b / 2.0;
    const double value = a < half   ? static_cast<double>(a) * a / half
                         : a > half ? b - static_cast<double>(b - a) * (b - a) / half
                                    : a;
    return static_cast<std::int32_t>(value);
}

}  // namespace imaging
