// Small helpers for the buffer tests: pixels by coordinates and buffers filled with one colour.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>

#include "imaging/buffer/vif.h"
#include "imaging/buffer/vif_internal.h"

namespace vif_test {

using namespace imaging;

/// The three samples of a pixel in memory order, widened.
using Pixel = std::array<std::uint32_t, 3>;

inline Pixel pixelAt(const _vif& buffer, std::uint32_t x, std::uint32_t y) {
    Pixel pixel{};
    for (int c = 0; c < 3; ++c) {
        const std::uint8_t* row = vif_internal::rowAt(buffer, y);
        pixel[c] = vif_internal::isWideType(buffer.type)
                       ? vif_internal::loadSample<std::uint16_t>(row, x * 3 + c)
                       : vif_internal::loadSample<std::uint8_t>(row, x * 3 + c);
    }
    return pixel;
}

inline void setPixel(_vif& buffer, std::uint32_t x, std::uint32_t y, const Pixel& pixel) {
    std::uint8_t* row = vif_internal::rowAt(buffer, y);
    for (int c = 0; c < 3; ++c) {
        if (vif_internal::isWideType(buffer.type)) {
            vif_internal::storeSample<std::uint16_t>(row, x * 3 + c,
                                                     static_cast<std::uint16_t>(pixel[c]));
        } else {
            vif_internal::storeSample<std::uint8_t>(row, x * 3 + c,
                                                    static_cast<std::uint8_t>(pixel[c]));
        }
    }
}

inline void setGrey(_vif& buffer, std::uint32_t x, std::uint32_t y, std::uint32_t value) {
    setPixel(buffer, x, y, {value, value, value});
}

/// A new buffer of the type with every pixel set to `pixel`.
inline VifPtr filled(std::uint16_t type, std::uint32_t width, std::uint32_t height,
                     const Pixel& pixel) {
    VifPtr buffer(PrepareVifP(type, width, height));
    for (std::uint32_t y = 0; buffer && y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            setPixel(*buffer, x, y, pixel);
        }
    }
    return buffer;
}

/// True when the two buffers hold the same pixels (ignoring row padding).
inline bool samePixels(const _vif& a, const _vif& b) {
    if (a.width != b.width || a.height != b.height || a.type != b.type) {
        return false;
    }
    const std::size_t bytes = std::size_t{VifGetPixelSize(&a)} * a.width;
    for (std::uint32_t y = 0; y < a.height; ++y) {
        if (std::memcmp(vif_internal::rowAt(a, y), vif_internal::rowAt(b, y), bytes) != 0) {
            return false;
        }
    }
    return true;
}

}  // namespace vif_test
