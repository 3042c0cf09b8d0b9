// Where a grey bitmap drawn on a white ground holds ink.
#pragma once

#include <algorithm>

#include "graphics/bitmap.h"

namespace graphicstest {

/// The smallest box of memory columns and rows holding a sample below `threshold`.
struct InkBox {
    int left = -1;  ///< -1: no ink
    int top = -1;
    int right = -1;  ///< last inked column
    int bottom = -1;
    bool empty() const { return left < 0; }
};

inline InkBox inkOf(const gfx::Bitmap& bitmap, int threshold = 255) {
    InkBox box;
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x) {
            if (bitmap.row(y)[x] < threshold) {
                box.left = box.empty() ? x : std::min(box.left, x);
                box.top = box.top < 0 ? y : box.top;
                box.right = std::max(box.right, x);
                box.bottom = y;
            }
        }
    }
    return box;
}

}  // namespace graphicstest
