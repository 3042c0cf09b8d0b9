// Small picture views of the dialogs: the host image's thumbnail, a colour swatch, and the
// monochrome panel's tone picker, where the user places a marker on a picture of tones and the
// panel reads the marker's place as a pair of tone values and the colour under it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/port.h"

namespace dialogs {

/// Where a w × h thumbnail is drawn in a view of `bounds`: 3 points inside the longer side's
/// edges, the other side in proportion, centred; small images are scaled up as well.
ui::Rect ThumbnailRect(ui::Rect bounds, double width, double height);

/// Interleaved 8-bit grey (1 sample), RGB (3) or CMYK (4) rows as RGB; none for another sample
/// count, an empty size, or fewer bytes than width × height × samples.
std::optional<ui::RgbImage> ThumbnailPixels(const std::vector<std::uint8_t>& bytes,
                                            std::uint64_t width, std::uint64_t height);

/// The marker made transparent (white, alpha 0) where it is exactly magenta.
ui::RgbaImage MarkerMask(const ui::RgbaImage& marker);

/// RGB rows of the view's size from a picture of any size: the overlap copied, the rest black.
ui::RgbImage ToneBuffer(const ui::RgbaImage& picture, int viewWidth, int viewHeight);

struct MarkerPlace {
    ui::Point origin;  ///< the marker's lower-left corner
    int x = 0;         ///< the marker's centre, inside 0 … view width − 1
    int y = 0;         ///< and 0 … view height − 1
};
/// The marker of `markerSize` centred on (px, py), kept inside a view of `viewSize`.
MarkerPlace PlaceMarker(int px, int py, ui::Size markerSize, ui::Size viewSize);

}  // namespace dialogs

/// The thumbnail of the host image.
class kSmallImageView {
  public:
    kSmallImageView(ui::Port& port, std::string window, std::string control);

    /// Keeps a copy of the rows and redraws.
    void setPreviewImageData(const std::uint8_t* bytes, std::uint64_t byteCount,
                             std::uint64_t width, std::uint64_t height);
    /// The rectangle the thumbnail is drawn in (empty without data).
    ui::Rect getImageRect() const;
    void drawRect();

  private:
    ui::Port& port_;
    const std::string window_;
    const std::string control_;
    std::vector<std::uint8_t> m_imageData;
    std::uint64_t m_image_width = 0;
    std::uint64_t m_image_height = 0;
    ui::Rect m_imageRect;
};

/// A colour swatch.
class MyQuartzView {
  public:
    MyQuartzView(ui::Port& port, std::string window, std::string control);
    /// Red, green and blue from 0 to 1; shown at once.
    void setColor(double red, double green, double blue);

  private:
    ui::Port& port_;
    const std::string window_;
    const std::string control_;
    double m_fRed = 0;
    double m_fGreen = 0;
    double m_fBlue = 0;
};

/// The tone picker. Values run −100 … 100 across and −40 … 40 up, the view's point (100, 40)
/// being (0, 0).
class MyMonoImageView {
  public:
    static constexpr const char* kTonePicture = "gray_Bitmap.tiff";
    static constexpr const char* kMarkerPicture = "-7758.tiff";
    static constexpr const char* kCursorChangeNotification = "kMonoPhotoCursorChangeNotification";
    static constexpr int kCentreX = 100;
    static constexpr int kCentreY = 40;
    static constexpr std::int32_t kErrNoToneBuffer = -108;

    MyMonoImageView(ui::Port& port, std::string window, std::string control);
    ~MyMonoImageView();
    MyMonoImageView(const MyMonoImageView&) = delete;
    MyMonoImageView& operator=(const MyMonoImageView&) = delete;

    /// Loads the pictures, builds the tone buffer and the mask, and listens to the mouse; a
    /// release then runs `action`.
    void awakeFromNib(std::function<void()> action);
    void setValue(std::int32_t x, std::int32_t y);
    void getValue(std::int32_t* x, std::int32_t* y) const;
    /// The colour at (x, y) of the tone buffer (row 0 at the top) as red × 65536 + green × 256 +
    /// blue, or −1 outside the given size or the buffer; −108 without buffer or output.
    std::int32_t getPixelRGB(std::int32_t x, std::int32_t y, std::int32_t width,
                             std::int32_t height, std::int32_t* value) const;
    static void getRGB(std::int32_t value, std::int16_t* red, std::int16_t* green,
                       std::int16_t* blue);
    void terminate();

  private:
    void place(int px, int py);
    void onMouse(ui::MousePhase phase, ui::Point point);

    ui::Port& port_;
    const std::string window_;
    const std::string control_;
    std::function<void()> action_;
    std::optional<ui::RgbaImage> m_baseImage;
    std::optional<ui::RgbaImage> m_image;
    std::optional<ui::RgbaImage> m_maskImage;
    std::optional<ui::RgbImage> m_grayImgBuf;
    std::int32_t m_offset_x = 0;
    std::int32_t m_offset_y = 0;
    std::int32_t m_x_Value = 0;
    std::int32_t m_y_Value = 0;
};
