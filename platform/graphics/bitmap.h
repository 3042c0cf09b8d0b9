// Bitmap drawing contexts: a block of pixels in one of the formats the print core draws into.
//
// Coordinates of everything drawn into a bitmap are in user space: the origin is the bottom-left
// corner of the bitmap, x grows to the right and y upwards, one unit per pixel. The pixel memory
// is kept top row first, so memory row r covers user space from y = height - r - 1 to
// height - r.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace gfx {

/// The layout of one pixel. 16-bit samples are stored in the machine's byte order.
enum class PixelFormat : std::uint8_t {
    Grey8,   ///< one 8-bit sample, 0 black, 255 white
    Grey16,  ///< one 16-bit sample, 0 black, 65535 white
    Rgb8,    ///< red, green, blue, 8 bits each
    Rgb16,   ///< red, green, blue, 16 bits each
    Rgba8,   ///< red, green, blue, alpha, 8 bits each; colours premultiplied by the alpha
};

/// Bytes of one pixel of `format`.
std::size_t bytesPerPixel(PixelFormat format);

/// A colour with components from 0 to 1; a grey bitmap takes the mean of the three.
struct Color {
    double red;
    double green;
    double blue;
};
inline constexpr Color kBlack{0.0, 0.0, 0.0};
inline constexpr Color kWhite{1.0, 1.0, 1.0};

/// A point and a rectangle in user space.
struct Point {
    double x;
    double y;
};
struct Rect {
    double x;
    double y;
    double width;
    double height;
};

/// A bitmap of its own pixels, rows packed without padding.
class Bitmap {
  public:
    /// Largest side accepted, in pixels.
    static constexpr int kMaxSide = 1 << 15;

    /// A `width` × `height` bitmap whose every byte is `fill`; null when a side is not from 1 to
    /// `kMaxSide` or the memory cannot be had.
    static std::unique_ptr<Bitmap> create(int width, int height, PixelFormat format,
                                          std::uint8_t fill);

    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    PixelFormat format() const { return format_; }
    /// Bytes from one row to the next: width × bytes per pixel.
    std::size_t rowBytes() const { return rowBytes_; }

    /// Memory row `row` (0 is the top row); no bounds check beyond an assertion.
    std::uint8_t* row(int row);
    const std::uint8_t* row(int row) const;

    /// Paints `color` over the pixels with the coverage `alpha` (0 to 255, one byte a pixel,
    /// rows top first, `alphaRowBytes` apart, the bitmap's size): each sample moves from its
    /// value towards the colour in proportion to its pixel's coverage.
    void paint(const std::uint8_t* alpha, std::size_t alphaRowBytes, const Color& color);

  private:
    Bitmap(int width, int height, PixelFormat format, std::unique_ptr<std::uint8_t[]> pixels);

    int width_;
    int height_;
    PixelFormat format_;
    std::size_t rowBytes_;
    std::unique_ptr<std::uint8_t[]> pixels_;
};

}  // namespace gfx
