// Test images for the resampling filters and a driver that runs the front's row protocol.
#pragma once

#include <cstdint>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "imaging/zoom/fg_zoom.h"
#include "imaging/zoom/zoom_format.h"

namespace zoomtest {

/// A packed image of 8 or 16 bits a sample (or 1 bit a pixel), rows without padding.
struct Image {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    std::vector<std::uint8_t> bytes;

    Image() = default;
    Image(int w, int h, int bpp) : width(w), height(h), bitsPerPixel(bpp), bytes(rowBytes() * h) {}

    std::size_t rowBytes() const { return imaging::zoomRowBytes(width, bitsPerPixel); }
    int channels() const { return imaging::FG_Zoom_SamplePerPixel(bitsPerPixel); }
    bool wide() const { return imaging::FG_Zoom_BitsPerSample(bitsPerPixel) == 16; }
    std::uint8_t* row(int y) { return bytes.data() + rowBytes() * y; }
    const std::uint8_t* row(int y) const { return bytes.data() + rowBytes() * y; }

    int sample(int x, int y, int c) const {
        const std::size_t index = static_cast<std::size_t>(x) * channels() + c;
        if (wide()) {
            std::uint16_t value;
            std::memcpy(&value, row(y) + 2 * index, 2);
            return value;
        }
        return row(y)[index];
    }
    void setSample(int x, int y, int c, int value) {
        const std::size_t index = static_cast<std::size_t>(x) * channels() + c;
        if (wide()) {
            const auto wideValue = static_cast<std::uint16_t>(value);
            std::memcpy(row(y) + 2 * index, &wideValue, 2);
        } else {
            row(y)[index] = static_cast<std::uint8_t>(value);
        }
    }
    int maxSample() const { return wide() ? 65535 : 255; }

    /// Sets every sample to f(x, y, c).
    void fill(const std::function<int(int, int, int)>& f) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                for (int c = 0; c < channels(); ++c) {
                    setSample(x, y, c, f(x, y, c));
                }
            }
        }
    }
};

inline Image randomImage(int w, int h, int bpp, unsigned seed) {
    Image image(w, h, bpp);
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> value(0, image.maxSample());
    image.fill([&](int, int, int) { return value(random); });
    return image;
}

/// The outcome of one run of the row protocol.
struct Run {
    std::uint32_t openResult = 0;
    std::uint32_t failure = 0;  // first failing Send or Read code, 0 when all went well
    int type = 0;               // filter type chosen by the front
    bool enabled = false;       // IsEnable() after Open: false when the caller copies rows
    Image image;                // destination rows read
    int sent = 0;
    int read = 0;
};

/// Runs Open on `zoom` (a front or a filter), then Read while rows are pending, else Send.
inline Run resampleWith(imaging::FG_Zoom& zoom, const Image& source, int width, int height,
                        int type) {
    Run run;
    run.image = Image(width, height, source.bitsPerPixel);
    run.openResult =
        zoom.Open(width, height, source.width, source.height, source.bitsPerPixel, type);
    run.type = zoom.type();
    run.enabled = zoom.IsEnable() != 0;
    if (run.openResult != imaging::kZoomDone || !run.enabled) {
        return run;
    }
    // Bounded: every step sends or reads a row, or fails.
    while (run.read < height && run.failure == 0) {
        if (zoom.CheckData() != 0) {
            run.failure = zoom.Read(run.image.row(run.read));
            run.read += run.failure == 0 ? 1 : 0;
        } else if (run.sent < source.height) {
            run.failure = zoom.Send(source.row(run.sent));
            run.sent += run.failure == 0 ? 1 : 0;
        } else {
            run.failure = imaging::kZoomBadState;  // stalled: nothing pending, nothing to send
        }
    }
    return run;
}

/// A test name for one resampling: "bpp24_7x9_to_23x17".
inline std::string resamplingName(int bpp, int sourceWidth, int sourceHeight, int width,
                                  int height) {
    return "bpp" + std::to_string(bpp) + "_" + std::to_string(sourceWidth) + "x" +
           std::to_string(sourceHeight) + "_to_" + std::to_string(width) + "x" +
           std::to_string(height);
}

/// A test name for a filter type: "type3".
inline std::string typeName(int type) {
    return "type" + std::to_string(type);
}

/// The same through a new front, closed at the end.
inline Run resample(const Image& source, int width, int height, int type) {
    imaging::FG_Zoom zoom;
    return resampleWith(zoom, source, width, height, type);
}

}  // namespace zoomtest
