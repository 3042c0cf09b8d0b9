// The reducer's column table, horizontal pass and row output.
#include <cstring>

#include "imaging/reducer/zoom_mini_internal.h"

namespace zoom_mini_internal {
namespace {

constexpr int kBitsPerByte = 8;

template <typename T>
T sampleAt(const std::uint8_t* row, std::int64_t index) {
    T value;
    std::memcpy(&value, row + index * static_cast<std::int64_t>(sizeof(T)), sizeof(T));
    return value;
}

/// The horizontal pass for pixels of kSamples samples of type T: each column's weighted sum,
/// divided by its total weight, times the row weight, into the column's accumulators.
template <typename T, int kSamples>
void addPixels(ComZoomMini& reducer, const std::uint8_t* row, std::int64_t weight) {
    const std::int64_t full = reducer.destinationWidth;
    std::uint64_t* accumulator = reducer.accumulation.get();
    std::int64_t pixel = 0;
    for (std::int64_t i = 0; i < reducer.destinationWidth; ++i) {
        const Column& column = reducer.columns[i];
        std::int64_t sums[kSamples];
        for (int s = 0; s < kSamples; ++s) {
            sums[s] = column.firstWeight * sampleAt<T>(row, pixel * kSamples + s);
        }
        for (std::int64_t k = 1; k <= column.fullPixels; ++k) {
            for (int s = 0; s < kSamples; ++s) {
                sums[s] += full * sampleAt<T>(row, (pixel + k) * kSamples + s);
            }
        }
        // The pixel after the full ones: partly this column's when there is a remainder, and in
        // either case the first pixel of the next column.
        pixel += column.fullPixels + 1;
        if (column.remainder != 0) {
            for (int s = 0; s < kSamples; ++s) {
                sums[s] += column.lastWeight * sampleAt<T>(row, pixel * kSamples + s);
            }
        }
        for (int s = 0; s < kSamples; ++s) {
            accumulator[i * kSamples + s] +=
                static_cast<std::uint64_t>(weight * (sums[s] / column.totalWeight));
        }
    }
}

bool hasByteSamples(std::int64_t bitsPerPixel) {
    return bitsPerPixel == 8 || bitsPerPixel == 24 || bitsPerPixel == 32;
}

}  // namespace

std::int64_t bentWeight(std::int64_t part, std::int64_t whole) {
    const double half = static_cast<double>(whole) / 2;
    const auto a = static_cast<double>(part);
    if (a < half) {
        return static_cast<std::int64_t>(a * a / half);
    }
    if (a > half) {
        const double rest = static_cast<double>(whole) - a;
        return static_cast<std::int64_t>(static_cast<double>(whole) - rest * rest / half);
    }
    return static_cast<std::int64_t>(a);
}

void buildColumns(Column* columns, std::int64_t destinationWidth, std::int64_t sourceWidth) {
    std::int64_t remainder = 0;
    for (std::int64_t i = 0; i < destinationWidth; ++i) {
        Column& column = columns[i];
        column = Column{};
        column.firstWeight = bentWeight(destinationWidth - remainder, destinationWidth);
        remainder += sourceWidth - destinationWidth;
        column.fullPixels = remainder / destinationWidth;
        remainder -= column.fullPixels * destinationWidth;
        column.remainder = remainder;
        column.lastWeight = bentWeight(remainder, destinationWidth);
        column.totalWeight =
            column.firstWeight + column.fullPixels * destinationWidth + column.lastWeight;
    }
}

void addRow(ComZoomMini& reducer, const std::uint8_t* sourceRow, std::int64_t weight) {
    switch (reducer.bitsPerPixel) {
        case 8:
            return addPixels<std::uint8_t, 1>(reducer, sourceRow, weight);
        case 24:
            return addPixels<std::uint8_t, 3>(reducer, sourceRow, weight);
        case 32:
            return addPixels<std::uint8_t, 4>(reducer, sourceRow, weight);
        case 16:
            return addPixels<std::uint16_t, 1>(reducer, sourceRow, weight);
        case 48:
            return addPixels<std::uint16_t, 3>(reducer, sourceRow, weight);
        case 64:
            return addPixels<std::uint16_t, 4>(reducer, sourceRow, weight);
        default:
            return;  // other formats add nothing
    }
}

void writeRow(const ComZoomMini& reducer, std::uint8_t* destinationRow) {
    const std::int64_t bits = reducer.destinationWidth * reducer.bitsPerPixel;
    const std::int64_t weight = reducer.accumulatedWeight;
    const std::uint64_t* accumulator = reducer.accumulation.get();
    const auto divide = [&](std::int64_t i) {
        return weight == 0 ? 0 : accumulator[i] / static_cast<std::uint64_t>(weight);
    };
    if (hasByteSamples(reducer.bitsPerPixel)) {
        for (std::int64_t i = 0; i < bits / kBitsPerByte; ++i) {
            destinationRow[i] = static_cast<std::uint8_t>(divide(i));
        }
        return;
    }
    for (std::int64_t i = 0; i < bits / (2 * kBitsPerByte); ++i) {
        const auto value = static_cast<std::uint16_t>(divide(i));
        std::memcpy(destinationRow + 2 * i, &value, sizeof value);
    }
}

}  // namespace zoom_mini_internal
