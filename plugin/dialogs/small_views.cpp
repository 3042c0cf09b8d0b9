#include "dialogs/small_views.h"

#include <algorithm>
#include <cmath>

#include "cf/notification_center.h"

namespace dialogs {
namespace {

constexpr double kThumbnailInset = 6.0;  // 3 points at each edge
constexpr int kGreySamples = 1;
constexpr int kRgbSamples = 3;
constexpr int kCmykSamples = 4;
constexpr int kRgbaSamples = 4;
constexpr std::uint8_t kFull = 255;

// Device CMYK shown on screen: each ink takes its share of the light, black takes it from all.
std::uint8_t cmykChannel(std::uint8_t ink, std::uint8_t black) {
    return static_cast<std::uint8_t>((kFull - ink) * (kFull - black) / kFull);
}

}  // namespace

ui::Rect ThumbnailRect(ui::Rect bounds, double width, double height) {
    double drawnWidth = 0;
    double drawnHeight = 0;
    if (height < width) {
        drawnWidth = bounds.width - kThumbnailInset;
        drawnHeight = height / (width / drawnWidth);
    } else {
        drawnHeight = bounds.height - kThumbnailInset;
        drawnWidth = width / (height / drawnHeight);
    }
    return {bounds.x + (bounds.width - drawnWidth) / 2,
            bounds.y + (bounds.height - drawnHeight) / 2, drawnWidth, drawnHeight};
}

std::optional<ui::RgbImage> ThumbnailPixels(const std::vector<std::uint8_t>& bytes,
                                            std::uint64_t width, std::uint64_t height) {
    constexpr std::uint64_t kMaxSide = 1u << 16;
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide) {
        return std::nullopt;
    }
    const std::uint64_t pixels = width * height;
    const std::uint64_t samples = bytes.size() / pixels;
    if (samples != kGreySamples && samples != kRgbSamples && samples != kCmykSamples) {
        return std::nullopt;
    }
    ui::RgbImage image{static_cast<int>(width), static_cast<int>(height), {}};
    image.pixels.resize(pixels * kRgbSamples);
    const std::uint8_t* in = bytes.data();
    std::uint8_t* out = image.pixels.data();
    for (std::uint64_t i = 0; i < pixels; ++i, in += samples, out += kRgbSamples) {
        if (samples == kGreySamples) {
            out[0] = out[1] = out[2] = in[0];
        } else if (samples == kRgbSamples) {
            std::copy_n(in, kRgbSamples, out);
        } else {
            for (int c = 0; c < kRgbSamples; ++c) {
                out[c] = cmykChannel(in[c], in[3]);
            }
        }
    }
    return image;
}

ui::RgbaImage MarkerMask(const ui::RgbaImage& marker) {
    ui::RgbaImage mask = marker;
    for (std::size_t i = 0; i + kRgbaSamples <= mask.pixels.size(); i += kRgbaSamples) {
        std::uint8_t* p = &mask.pixels[i];
        if (p[0] == kFull && p[1] == 0 && p[2] == kFull) {
            p[0] = p[1] = p[2] = kFull;
            p[3] = 0;
        }
    }
    return mask;
}

ui::RgbImage ToneBuffer(const ui::RgbaImage& picture, int viewWidth, int viewHeight) {
    ui::RgbImage buffer{std::max(viewWidth, 0), std::max(viewHeight, 0), {}};
    buffer.pixels.assign(static_cast<std::size_t>(buffer.width) * buffer.height * kRgbSamples, 0);
    const int rows = std::min(buffer.height, picture.height);
    const int columns = std::min(buffer.width, picture.width);
    if (picture.pixels.size() < static_cast<std::size_t>(std::max(picture.width, 0)) *
                                    std::max(picture.height, 0) * kRgbaSamples) {
        return buffer;
    }
    for (int row = 0; row < rows; ++row) {
        const std::uint8_t* in =
            &picture.pixels[static_cast<std::size_t>(row) * picture.width * kRgbaSamples];
        std::uint8_t* out =
            &buffer.pixels[static_cast<std::size_t>(row) * buffer.width * kRgbSamples];
        for (int column = 0; column < columns; ++column) {
            std::copy_n(in + column * kRgbaSamples, kRgbSamples, out + column * kRgbSamples);
        }
    }
    return buffer;
}

MarkerPlace PlaceMarker(int px, int py, ui::Size markerSize, ui::Size viewSize) {
    const int halfWidth = static_cast<int>(markerSize.width) / 2;
    const int halfHeight = static_cast<int>(markerSize.height) / 2;
    int x = std::max(px - halfWidth, -halfWidth);
    int y = std::max(py - halfHeight, -halfHeight);
    x = std::min(x, static_cast<int>(std::trunc(viewSize.width - 1)) - halfWidth);
    y = std::min(y, static_cast<int>(std::trunc(viewSize.height - 1)) - halfHeight);
    return {{static_cast<double>(x), static_cast<double>(y)}, x + halfWidth, y + halfHeight};
}

}  // namespace dialogs

// kSmallImageView

kSmallImageView::kSmallImageView(ui::Port& port, std::string window, std::string control)
    : port_(port), window_(std::move(window)), control_(std::move(control)) {}

void kSmallImageView::setPreviewImageData(const std::uint8_t* bytes, std::uint64_t byteCount,
                                          std::uint64_t width, std::uint64_t height) {
    m_imageData.assign(bytes, bytes == nullptr ? bytes : bytes + byteCount);
    m_image_width = width;
    m_image_height = height;
    drawRect();
}

ui::Rect kSmallImageView::getImageRect() const {
    const ui::Size size = port_.viewSize(window_, control_);
    return dialogs::ThumbnailRect({0, 0, size.width, size.height},
                                  static_cast<double>(m_image_width),
                                  static_cast<double>(m_image_height));
}

void kSmallImageView::drawRect() {
    const auto pixels = dialogs::ThumbnailPixels(m_imageData, m_image_width, m_image_height);
    if (!pixels) {
        port_.setPicture(window_, control_, {}, {});
        return;
    }
    m_imageRect = getImageRect();
    port_.setPicture(window_, control_, *pixels, m_imageRect);
}

// MyQuartzView

MyQuartzView::MyQuartzView(ui::Port& port, std::string window, std::string control)
    : port_(port), window_(std::move(window)), control_(std::move(control)) {}

void MyQuartzView::setColor(double red, double green, double blue) {
    m_fRed = red;
    m_fGreen = green;
    m_fBlue = blue;
    port_.setSwatchColor(window_, control_, m_fRed, m_fGreen, m_fBlue);
}

// MyMonoImageView

MyMonoImageView::MyMonoImageView(ui::Port& port, std::string window, std::string control)
    : port_(port), window_(std::move(window)), control_(std::move(control)) {}

MyMonoImageView::~MyMonoImageView() {
    port_.onMouse(window_, control_, nullptr);
    terminate();
}

void MyMonoImageView::awakeFromNib(std::function<void()> action) {
    action_ = std::move(action);
    m_baseImage = port_.loadPicture(kTonePicture);
    if (m_baseImage) {
        const ui::Size size = port_.viewSize(window_, control_);
        m_grayImgBuf = dialogs::ToneBuffer(*m_baseImage, static_cast<int>(size.width),
                                           static_cast<int>(size.height));
    }
    m_image = port_.loadPicture(kMarkerPicture);
    if (m_image) {
        m_maskImage = dialogs::MarkerMask(*m_image);
    }
    m_offset_x = m_offset_y = 0;
    port_.onMouse(window_, control_,
                  [this](ui::MousePhase phase, ui::Point point) { onMouse(phase, point); });
}

void MyMonoImageView::setValue(std::int32_t x, std::int32_t y) {
    place(x + kCentreX, y + kCentreY);
}

void MyMonoImageView::getValue(std::int32_t* x, std::int32_t* y) const {
    if (x != nullptr) {
        *x = std::clamp(m_x_Value - kCentreX, -kCentreX, kCentreX);
    }
    if (y != nullptr) {
        *y = std::clamp(m_y_Value - kCentreY, -kCentreY, kCentreY);
    }
}

std::int32_t MyMonoImageView::getPixelRGB(std::int32_t x, std::int32_t y, std::int32_t width,
                                          std::int32_t height, std::int32_t* value) const {
    if (!m_grayImgBuf || value == nullptr) {
        return kErrNoToneBuffer;
    }
    *value = -1;
    // The caller's size limits the lookup, and so does the buffer's own: a size larger than the
    // buffer never reads past it.
    const ui::RgbImage& buffer = *m_grayImgBuf;
    if (x < 0 || y < 0 || x >= std::min(width, buffer.width) ||
        y >= std::min(height, buffer.height)) {
        return 0;
    }
    const std::uint8_t* pixel =
        &buffer.pixels[(static_cast<std::size_t>(buffer.width) * y + x) * 3];
    *value = pixel[0] * 65536 + pixel[1] * 256 + pixel[2];
    return 0;
}

void MyMonoImageView::getRGB(std::int32_t value, std::int16_t* red, std::int16_t* green,
                             std::int16_t* blue) {
    constexpr std::int32_t kByte = 0xFF;
    *red = static_cast<std::int16_t>((value >> 16) & kByte);
    *green = static_cast<std::int16_t>((value >> 8) & kByte);
    *blue = static_cast<std::int16_t>(value & kByte);
}

void MyMonoImageView::terminate() {
    m_baseImage.reset();
    m_image.reset();
    m_maskImage.reset();
    m_grayImgBuf.reset();
}

void MyMonoImageView::place(int px, int py) {
    if (!m_baseImage || !m_image || !m_maskImage || !m_grayImgBuf) {
        return;
    }
    const auto place = dialogs::PlaceMarker(
        px, py, {static_cast<double>(m_image->width), static_cast<double>(m_image->height)},
        port_.viewSize(window_, control_));
    m_offset_x = static_cast<std::int32_t>(place.origin.x);
    m_offset_y = static_cast<std::int32_t>(place.origin.y);
    m_x_Value = place.x;
    m_y_Value = place.y;
    port_.setMarkedPicture(window_, control_, *m_grayImgBuf, *m_maskImage, place.origin);
}

void MyMonoImageView::onMouse(ui::MousePhase phase, ui::Point point) {
    place(static_cast<int>(std::trunc(point.x)), static_cast<int>(std::trunc(point.y)));
    if (phase == ui::MousePhase::up) {
        if (action_) {
            action_();
        }
        return;
    }
    cf::NotificationCenter::defaultCenter().post(kCursorChangeNotification);
}
