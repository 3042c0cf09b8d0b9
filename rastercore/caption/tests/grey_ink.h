// Where a rendered caption holds ink: helpers over grey rows and working pixels.
#pragma once

#include <cstddef>
#include <cstdint>

#include "graphics/bitmap.h"

namespace captiontest {

/// Bounds of the pixels darker than white, in rows and columns; `left` -1 when there are none.
struct InkBox {
    int left = -1;
    int top = -1;
    int right = -1;
    int bottom = -1;
    bool empty() const { return left < 0; }
};

/// The ink of a bitmap of `width` × `height` pixels of `pixelBytes` bytes whose first byte
/// tells its level (255 white).
inline InkBox inkOf(const std::uint8_t* pixels, int width, int height, std::size_t pixelBytes,
                    int threshold = 255) {
    InkBox box;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint8_t level =
                pixels[(static_cast<std::size_t>(y) * width + x) * pixelBytes + pixelBytes - 1];
            if (level < threshold) {
                box.left = box.left < 0 ? x : (x < box.left ? x : box.left);
                box.top = box.top < 0 ? y : box.top;
                box.right = x > box.right ? x : box.right;
                box.bottom = y;
            }
        }
    }
    return box;
}

inline InkBox inkOf(const gfx::Bitmap& grey, int threshold = 255) {
    return inkOf(grey.row(0), grey.width(), grey.height(), 1, threshold);
}

}  // namespace captiontest
