// Unsharp masking of the luminance contrast of a buffer or of one row.
#include "imaging/buffer/unsharp.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <new>

#include "imaging/buffer/sharpness_table.h"
#include "imaging/buffer/vif_internal.h"

namespace imaging {

namespace {

using namespace vif_internal;

// Luminance on a 16-bit scale: (306 R + 601 G + 117 B) / 1024 x 256 for 8-bit samples.
constexpr std::int64_t kRedWeight = 306;
constexpr std::int64_t kGreenWeight = 601;
constexpr std::int64_t kBlueWeight = 117;
constexpr int kNarrowLuminanceShift = 2;
constexpr int kWideLuminanceShift = 10;

constexpr std::int64_t kGainShift = 10;  // sharpnessTable is in units of 1/1024
constexpr std::int64_t kUndampedFactor = 3840;
constexpr std::int64_t kExtremumFactor = 3072;
constexpr std::int64_t kExtremumSpreadDivisor = 85;
constexpr std::int64_t kMinimumSearchStart = 65280;  // the largest 8-bit luminance
constexpr std::int64_t kNoiseDivisor = 10;
// Strength is a percentage; 8-bit samples also leave the 16-bit luminance scale.
constexpr std::int64_t kWideCorrectionDivisor = 100;
constexpr std::int64_t kNarrowCorrectionDivisor = 100 * 256;

constexpr std::uint32_t kMinimumSize = 3;
constexpr std::int64_t kInteriorNeighbours = 8;
constexpr std::uint32_t kWindowRows = 3;

struct Settings {
    std::int64_t threshold;
    std::int64_t strength;
};

/// Luminance values reach 65535 at most; the corrections are worked out in 64 bits.
using Luma = std::int32_t;

/// Luminance of one row of `width` pixels. The weighted sum stays below 1024 x 65535, so it is
/// formed in 32 bits, which lets the loop vectorise.
template <typename T>
void computeLuminance(const std::uint8_t* row, std::size_t width, bool redFirst, Luma* out) {
    const int red = redFirst ? 0 : 2;
    const int shift = sizeof(T) == 1 ? kNarrowLuminanceShift : kWideLuminanceShift;
    for (std::size_t x = 0; x < width; ++x) {
        const Luma r = loadSample<T>(row, x * kChannels + red);
        const Luma g = loadSample<T>(row, x * kChannels + 1);
        const Luma b = loadSample<T>(row, x * kChannels + 2 - red);
        out[x] = (static_cast<Luma>(kRedWeight) * r + static_cast<Luma>(kGreenWeight) * g +
                  static_cast<Luma>(kBlueWeight) * b) >>
                 shift;
    }
}

/// Rows of luminance values, one value a pixel; the memory is kept and grown only when more
/// values are needed.
class Luminance {
  public:
    bool reserve(std::size_t width, std::size_t height) {
        const std::size_t count = width * height;
        if (count > capacity_) {
            values_.reset(new (std::nothrow) Luma[count]);
            capacity_ = values_ ? count : 0;
            if (!values_) {
                return false;
            }
        }
        width_ = width;
        return true;
    }
    Luma* row(std::size_t y) { return values_.get() + y * width_; }
    const Luma* row(std::size_t y) const { return values_.get() + y * width_; }

  private:
    std::unique_ptr<Luma[]> values_;
    std::size_t capacity_ = 0;
    std::size_t width_ = 0;
};

/// What the 3 x 3 neighbourhood of a pixel says about it: the sum, the number and the extremes
/// of its neighbours' luminance.
struct Neighbourhood {
    std::int64_t sum = 0;
    std::int64_t count = 0;
    std::int64_t lowest = std::numeric_limits<Luma>::max();
    std::int64_t highest = std::numeric_limits<Luma>::min();

    void add(std::int64_t neighbour) {
        sum += neighbour;
        ++count;
        lowest = std::min(lowest, neighbour);
        highest = std::max(highest, neighbour);
    }
};

/// Neighbours of pixel x, which has all eight, in the rows above, at and below it.
inline Neighbourhood interiorNeighbourhood(const Luma* const rows[3], std::size_t x) {
    const Luma above = rows[0][x];
    const Luma below = rows[2][x];
    Neighbourhood around;
    around.count = kInteriorNeighbours;
    around.sum = std::int64_t{above} + below;
    Luma lowest = std::min(above, below);
    Luma highest = std::max(above, below);
    for (const std::size_t column : {x - 1, x + 1}) {
        for (int r = 0; r < 3; ++r) {
            const Luma neighbour = rows[r][column];
            around.sum += neighbour;
            lowest = std::min(lowest, neighbour);
            highest = std::max(highest, neighbour);
        }
    }
    around.lowest = lowest;
    around.highest = highest;
    return around;
}

/// Neighbours of pixel x cut by the image edges: a missing row is null.
Neighbourhood edgeNeighbourhood(const Luma* const rows[3], std::size_t x, std::size_t width) {
    Neighbourhood around;
    for (int r = 0; r < 3; ++r) {
        for (std::size_t column = x == 0 ? 0 : x - 1; column <= x + 1 && column < width; ++column) {
            if (rows[r] != nullptr && (r != 1 || column != x)) {
                around.add(rows[r][column]);
            }
        }
    }
    return around;
}

/// The damping of a pixel's gain: stronger at a strict local extremum, less so the more unequal
/// its differences to the neighbours. Only the neighbours' extremes are needed: at a strict
/// maximum the largest difference is to the lowest neighbour and the smallest to the highest,
/// at a strict minimum the other way round.
inline std::int64_t damping(std::int64_t centre, const Neighbourhood& around) {
    std::int64_t largest;
    std::int64_t smallest;
    if (centre > around.highest) {
        largest = centre - around.lowest;
        smallest = centre - around.highest;
    } else if (centre < around.lowest) {
        largest = around.highest - centre;
        smallest = around.lowest - centre;
    } else {
        return kUndampedFactor;
    }
    smallest = std::min(smallest, kMinimumSearchStart);
    return (largest - smallest) / kExtremumSpreadDivisor + kExtremumFactor;
}

/// The change of the pixel's samples, of T. The divisor is a constant of the sample type, so
/// that the compiler turns every division by a constant into a multiply.
template <typename T>
inline std::int64_t correction(std::int64_t centre, const Neighbourhood& around,
                               const Settings& settings) {
    constexpr std::int64_t divisor =
        sizeof(T) == 1 ? kNarrowCorrectionDivisor : kWideCorrectionDivisor;
    // Inside the image the mean's divisor is the constant 9.
    const std::int64_t mean = around.count == kInteriorNeighbours
                                  ? (centre + around.sum) / (kInteriorNeighbours + 1)
                                  : (centre + around.sum) / (around.count + 1);
    std::int64_t detail = centre - mean;
    const std::int64_t magnitude = std::abs(detail);
    const std::int64_t gain =
        magnitude >= static_cast<std::int64_t>(kSharpnessTableSize)
            ? settings.strength
            : (settings.strength * sharpnessTable[static_cast<std::size_t>(magnitude)]) >>
                  kGainShift;
    if (magnitude < settings.threshold) {
        detail /= kNoiseDivisor;
    }
    return ((gain * damping(centre, around)) / kUndampedFactor) * detail / divisor;
}

/// Writes pixel x of `in`, moved by `change` and clamped, to pixel x of `out` (which may be
/// `in`).
template <typename T>
void applyCorrection(const std::uint8_t* in, std::uint8_t* out, std::size_t x,
                     std::int64_t change) {
    constexpr std::int64_t kMax = std::numeric_limits<T>::max();
    for (int channel = 0; channel < kChannels; ++channel) {
        const std::size_t i = x * kChannels + channel;
        storeSample<T>(
            out, i,
            static_cast<T>(std::clamp<std::int64_t>(loadSample<T>(in, i) + change, 0, kMax)));
    }
}

/// Sharpens one row of `width` pixels from `in` into `out`, measured on the luminance of the
/// rows above, at and below it (a missing row is null).
template <typename T>
void sharpenRow(const Luma* const rows[3], std::size_t width, const std::uint8_t* in,
                std::uint8_t* out, const Settings& settings) {
    const auto edgePixel = [&](std::size_t x) {
        applyCorrection<T>(in, out, x,
                           correction<T>(rows[1][x], edgeNeighbourhood(rows, x, width), settings));
    };
    if (rows[0] == nullptr || rows[2] == nullptr) {
        for (std::size_t x = 0; x < width; ++x) {
            edgePixel(x);
        }
        return;
    }
    edgePixel(0);
    for (std::size_t x = 1; x + 1 < width; ++x) {
        applyCorrection<T>(in, out, x,
                           correction<T>(rows[1][x], interiorNeighbourhood(rows, x), settings));
    }
    edgePixel(width - 1);
}

/// Sharpens every row of the buffer, all measured on the luminance before any change.
bool sharpenBuffer(_vif& buffer, Luminance& luminance, const Settings& settings) {
    return withSampleType(buffer.type, [&](auto sample) {
        using T = decltype(sample);
        if (!luminance.reserve(buffer.width, buffer.height)) {
            return false;
        }
        for (std::uint32_t y = 0; y < buffer.height; ++y) {
            computeLuminance<T>(rowAt(buffer, y), buffer.width, isRedFirst(buffer.type),
                                luminance.row(y));
        }
        for (std::uint32_t y = 0; y < buffer.height; ++y) {
            const Luma* rows[3] = {y > 0 ? luminance.row(y - 1) : nullptr, luminance.row(y),
                                   y + 1 < buffer.height ? luminance.row(y + 1) : nullptr};
            std::uint8_t* row = rowAt(buffer, y);
            sharpenRow<T>(rows, buffer.width, row, row, settings);
        }
        return true;
    });
}

bool canSharpen(const _vif* buffer) {
    return buffer != nullptr && isColourType(buffer->type) && buffer->width >= kMinimumSize &&
           buffer->height >= kMinimumSize;
}

}  // namespace

int UnsharpST(_vif* buffer, std::int32_t threshold, std::int32_t strength) {
    if (!canSharpen(buffer)) {
        return 0;
    }
    Luminance luminance;
    return sharpenBuffer(*buffer, luminance, {threshold, strength}) ? 1 : 0;
}

int UnsharpL(std::int32_t strength, void* destinationRow, const void* previousRow,
             const void* currentRow, const void* nextRow, std::uint32_t width, std::uint16_t type) {
    if (destinationRow == nullptr || currentRow == nullptr || !isColourType(type) ||
        (previousRow == nullptr && nextRow == nullptr)) {
        return 0;
    }
    if (width < kMinimumSize) {
        std::memmove(destinationRow, currentRow, std::size_t{pixelSize(type)} * width);
        return 1;
    }
    // The luminance of the three rows is taken before any sample is written, so the destination
    // may be any of them.
    thread_local Luminance luminance;
    if (!luminance.reserve(width, kWindowRows)) {
        return 0;
    }
    const void* window[kWindowRows] = {previousRow != nullptr ? previousRow : nextRow, currentRow,
                                       nextRow != nullptr ? nextRow : previousRow};
    withSampleType(type, [&](auto sample) {
        using T = decltype(sample);
        for (std::uint32_t r = 0; r < kWindowRows; ++r) {
            computeLuminance<T>(static_cast<const std::uint8_t*>(window[r]), width,
                                isRedFirst(type), luminance.row(r));
        }
        const Luma* rows[kWindowRows] = {luminance.row(0), luminance.row(1), luminance.row(2)};
        sharpenRow<T>(rows, width, static_cast<const std::uint8_t*>(currentRow),
                      static_cast<std::uint8_t*>(destinationRow), {0, strength});
    });
    return 1;
}

}  // namespace imaging
