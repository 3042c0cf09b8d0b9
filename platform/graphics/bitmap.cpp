// Bitmap drawing contexts.
#include "graphics/bitmap.h"

#include <array>
#include <cassert>
#include <cmath>
#include <cstring>
#include <new>

namespace gfx {

namespace {

constexpr double kMax8 = 255.0;
constexpr double kMax16 = 65535.0;

struct FormatTraits {
    int samples;  // colour samples a pixel, then one alpha sample when `alpha`
    bool wide;    // 16-bit samples
    bool alpha;   // a last sample of coverage
    std::size_t bytes;
};

FormatTraits traitsOf(PixelFormat format) {
    switch (format) {
        case PixelFormat::Grey8:
            return {1, false, false, 1};
        case PixelFormat::Grey16:
            return {1, true, false, 2};
        case PixelFormat::Rgb8:
            return {3, false, false, 3};
        case PixelFormat::Rgb16:
            return {3, true, false, 6};
        case PixelFormat::Rgba8:
            return {3, false, true, 4};
    }
    return {1, false, false, 1};
}

// Moves `value` towards `target` by the coverage `alpha` / 255, rounded to the nearest level.
double blend(double value, double target, std::uint8_t alpha) {
    return value + (target - value) * alpha / kMax8;
}

}  // namespace

std::size_t bytesPerPixel(PixelFormat format) {
    return traitsOf(format).bytes;
}

std::unique_ptr<Bitmap> Bitmap::create(int width, int height, PixelFormat format,
                                       std::uint8_t fill) {
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) {
        return nullptr;
    }
    const std::size_t size =
        static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * bytesPerPixel(format);
    std::unique_ptr<std::uint8_t[]> pixels(new (std::nothrow) std::uint8_t[size]);
    if (pixels == nullptr) {
        return nullptr;
    }
    std::memset(pixels.get(), fill, size);
    return std::unique_ptr<Bitmap>(new (std::nothrow)
                                       Bitmap(width, height, format, std::move(pixels)));
}

Bitmap::Bitmap(int width, int height, PixelFormat format, std::unique_ptr<std::uint8_t[]> pixels)
    : width_(width),
      height_(height),
      format_(format),
      rowBytes_(static_cast<std::size_t>(width) * bytesPerPixel(format)),
      pixels_(std::move(pixels)) {}

std::uint8_t* Bitmap::row(int row) {
    assert(row >= 0 && row < height_);
    return pixels_.get() + static_cast<std::size_t>(row) * rowBytes_;
}

const std::uint8_t* Bitmap::row(int row) const {
    assert(row >= 0 && row < height_);
    return pixels_.get() + static_cast<std::size_t>(row) * rowBytes_;
}

void Bitmap::paint(const std::uint8_t* alpha, std::size_t alphaRowBytes, const Color& color) {
    const FormatTraits traits = traitsOf(format_);
    const double top = traits.wide ? kMax16 : kMax8;
    std::array<double, 4> targets{color.red * top, color.green * top, color.blue * top, top};
    if (traits.samples == 1) {
        targets[0] = (color.red + color.green + color.blue) / 3.0 * top;
    }
    const int samples = traits.samples + (traits.alpha ? 1 : 0);
    for (int y = 0; y < height_; ++y) {
        const std::uint8_t* coverage = alpha + static_cast<std::size_t>(y) * alphaRowBytes;
        std::uint8_t* pixel = row(y);
        for (int x = 0; x < width_; ++x, pixel += traits.bytes) {
            const std::uint8_t a = coverage[x];
            if (a == 0) {
                continue;
            }
            for (int s = 0; s < samples; ++s) {
                if (traits.wide) {
                    std::uint16_t value = 0;
                    std::memcpy(&value, pixel + 2 * s, sizeof value);
                    value = static_cast<std::uint16_t>(std::lround(blend(value, targets[s], a)));
                    std::memcpy(pixel + 2 * s, &value, sizeof value);
                } else {
                    pixel[s] =
                        static_cast<std::uint8_t>(std::lround(blend(pixel[s], targets[s], a)));
                }
            }
        }
    }
}

}  // namespace gfx
