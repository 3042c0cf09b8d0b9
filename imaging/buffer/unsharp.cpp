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

/// Luminance values reach 65535 at most; the arithmetic on them is done in 64 bits.
using Luma = std::int32_t;

/// The luminance plane of a buffer, one value a pixel, computed before any pixel changes.
class Luminance {
  public:
    /// Fills the plane; its memory is kept and grown only when a larger buffer comes.
    template <typename T>
    bool compute(const _vif& buffer) {
        const std::size_t count = std::size_t{buffer.width} * buffer.height;
        if (count > capacity_) {
            values_.reset(new (std::nothrow) Luma[count]);
            capacity_ = values_ ? count : 0;
            if (!values_) {
                return false;
            }
        }
        width_ = buffer.width;
        const int red = isRedFirst(buffer.type) ? 0 : 2;
        const int shift = sizeof(T) == 1 ? kNarrowLuminanceShift : kWideLuminanceShift;
        for (std::uint32_t y = 0; y < buffer.height; ++y) {
            const std::uint8_t* row = rowAt(buffer, y);
            Luma* out = values_.get() + std::size_t{y} * width_;
            for (std::size_t x = 0; x < buffer.width; ++x) {
                const std::int64_t r = loadSample<T>(row, x * kChannels + red);
                const std::int64_t g = loadSample<T>(row, x * kChannels + 1);
                const std::int64_t b = loadSample<T>(row, x * kChannels + 2 - red);
                out[x] = static_cast<Luma>((kRedWeight * r + kGreenWeight * g + kBlueWeight * b) >>
                                           shift);
            }
        }
        return true;
    }
    const Luma* row(std::uint32_t y) const { return values_.get() + std::size_t{y} * width_; }

  private:
    std::unique_ptr<Luma[]> values_;
    std::size_t capacity_ = 0;
    std::size_t width_ = 0;
};

/// What the 3 x 3 neighbourhood of a pixel says about it.
struct Neighbourhood {
    std::int64_t sum = 0;  // of the neighbours' luminance
    std::int64_t count = 0;
    std::int64_t largest = 0;  // largest |difference|
    std::int64_t smallest = kMinimumSearchStart;
    bool allAbove = true;  // the pixel is brighter than every neighbour
    bool allBelow = true;

    void add(std::int64_t centre, std::int64_t neighbour) {
        const std::int64_t difference = centre - neighbour;
        const std::int64_t magnitude = std::abs(difference);
        sum += neighbour;
        ++count;
        allAbove &= difference > 0;
        allBelow &= difference < 0;
        largest = std::max(largest, magnitude);
        smallest = std::min(smallest, magnitude);
    }
};

/// Neighbours of pixel x, which has all eight, in the rows above, at and below it.
Neighbourhood interiorNeighbourhood(const Luma* const rows[3], std::size_t x) {
    const std::int64_t centre = rows[1][x];
    const std::int64_t neighbours[kInteriorNeighbours] = {
        rows[0][x - 1], rows[0][x],     rows[0][x + 1], rows[1][x - 1],
        rows[1][x + 1], rows[2][x - 1], rows[2][x],     rows[2][x + 1]};
    Neighbourhood around;
    for (const std::int64_t neighbour : neighbours) {
        around.add(centre, neighbour);
    }
    return around;
}

/// Neighbours of pixel x cut by the image edges: a missing row is null.
Neighbourhood edgeNeighbourhood(const Luma* const rows[3], std::size_t x, std::size_t width) {
    const std::int64_t centre = rows[1][x];
    Neighbourhood around;
    for (int r = 0; r < 3; ++r) {
        for (std::size_t column = x == 0 ? 0 : x - 1; column <= x + 1 && column < width; ++column) {
            if (rows[r] != nullptr && (r != 1 || column != x)) {
                around.add(centre, rows[r][column]);
            }
        }
    }
    return around;
}

/// The change of the pixel's samples.
std::int64_t correction(std::int64_t centre, const Neighbourhood& around, const Settings& settings,
                        std::int64_t divisor) {
    // Inside the image the divisor is the constant 9, which the compiler turns into a multiply.
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
    const std::int64_t damping =
        around.allAbove || around.allBelow
            ? (around.largest - around.smallest) / kExtremumSpreadDivisor + kExtremumFactor
            : kUndampedFactor;
    if (magnitude < settings.threshold) {
        detail /= kNoiseDivisor;
    }
    return ((gain * damping) / kUndampedFactor) * detail / divisor;
}

template <typename T>
void applyCorrection(std::uint8_t* row, std::size_t x, std::int64_t change) {
    constexpr std::int64_t kMax = std::numeric_limits<T>::max();
    for (int channel = 0; channel < kChannels; ++channel) {
        const std::size_t i = x * kChannels + channel;
        storeSample<T>(
            row, i,
            static_cast<T>(std::clamp<std::int64_t>(loadSample<T>(row, i) + change, 0, kMax)));
    }
}

template <typename T>
void sharpenRow(_vif& buffer, const Luminance& luminance, std::uint32_t y,
                const Settings& settings) {
    constexpr std::int64_t divisor =
        sizeof(T) == 1 ? kNarrowCorrectionDivisor : kWideCorrectionDivisor;
    const Luma* rows[3] = {y > 0 ? luminance.row(y - 1) : nullptr, luminance.row(y),
                           y + 1 < buffer.height ? luminance.row(y + 1) : nullptr};
    const bool interiorRow = rows[0] != nullptr && rows[2] != nullptr;
    const std::size_t width = buffer.width;
    std::uint8_t* out = rowAt(buffer, y);
    for (std::size_t x = 0; x < width; ++x) {
        const bool interior = interiorRow && x > 0 && x + 1 < width;
        const Neighbourhood around =
            interior ? interiorNeighbourhood(rows, x) : edgeNeighbourhood(rows, x, width);
        applyCorrection<T>(out, x, correction(rows[1][x], around, settings, divisor));
    }
}

/// Sharpens rows first ... last of the buffer, all measured on the luminance before any change.
bool sharpenRows(_vif& buffer, Luminance& luminance, const Settings& settings, std::uint32_t first,
                 std::uint32_t last) {
    return withSampleType(buffer.type, [&](auto sample) {
        using T = decltype(sample);
        if (!luminance.compute<T>(buffer)) {
            return false;
        }
        for (std::uint32_t y = first; y <= last; ++y) {
            sharpenRow<T>(buffer, luminance, y, settings);
        }
        return true;
    });
}

// What UnsharpL keeps between calls on one thread, so that sharpening a page line by line
// allocates only when the row width or type changes.
struct RowScratch {
    VifPtr window;
    Luminance luminance;

    _vif* windowFor(std::uint16_t type, std::uint32_t width) {
        if (!window || window->type != type || window->width != width) {
            window.reset(PrepareVifP(type, width, kWindowRows));
        }
        return window.get();
    }
};

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
    return sharpenRows(*buffer, luminance, {threshold, strength}, 0, buffer->height - 1) ? 1 : 0;
}

int UnsharpL(std::int32_t strength, void* destinationRow, const void* previousRow,
             const void* currentRow, const void* nextRow, std::uint32_t width, std::uint16_t type) {
    if (destinationRow == nullptr || currentRow == nullptr || !isColourType(type) ||
        (previousRow == nullptr && nextRow == nullptr)) {
        return 0;
    }
    const std::size_t rowBytes = std::size_t{pixelSize(type)} * width;
    if (width < kMinimumSize) {
        std::memmove(destinationRow, currentRow, rowBytes);
        return 1;
    }
    thread_local RowScratch scratch;
    _vif* window = scratch.windowFor(type, width);
    if (window == nullptr) {
        return 0;
    }
    std::memcpy(rowAt(*window, 0), previousRow != nullptr ? previousRow : nextRow, rowBytes);
    std::memcpy(rowAt(*window, 1), currentRow, rowBytes);
    std::memcpy(rowAt(*window, 2), nextRow != nullptr ? nextRow : previousRow, rowBytes);
    // Only the middle row is kept, so only the middle row is sharpened.
    if (!sharpenRows(*window, scratch.luminance, {0, strength}, 1, 1)) {
        return 0;
    }
    std::memcpy(destinationRow, rowAt(*window, 1), rowBytes);
    return 1;
}

}  // namespace imaging
