// Geometry and picture buffers exchanged between dialog controllers and the port.
#pragma once

#include <cstdint>
#include <vector>

namespace ui {

struct Point {
    double x = 0;
    double y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    double width = 0;
    double height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    bool empty() const { return width <= 0 || height <= 0; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct Range {
    double minimum = 0;
    double maximum = 0;
};

/// 8-bit RGB, rows of width × 3 bytes from the top row down.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
    bool empty() const { return width <= 0 || height <= 0; }
};

/// 8-bit RGBA, not premultiplied, rows of width × 4 bytes from the top row down.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
    bool empty() const { return width <= 0 || height <= 0; }
};

}  // namespace ui
