// A host that serves a generated RGB image through the host table's callbacks, as the photo
// application (line callback, lines in the working format) or the image editor (advance-state
// callback, the requested rectangle in the host's format), recording what the core asks for.
#pragma once

#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

#include "bytes/byte_order.h"
#include "rastercore/common_info_table.h"

namespace bandtest {

using Bytes = std::vector<std::uint8_t>;

/// An RGB image of 8- or 16-bit samples, rows top to bottom, samples in machine order.
struct TestImage {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    bool wide = false;  ///< 16-bit samples
    std::vector<std::uint16_t> samples;

    std::size_t pixelBytes() const { return wide ? 6 : 3; }
    std::uint16_t at(std::uint32_t x, std::uint32_t y, int k) const {
        return samples[(std::size_t{y} * width + x) * 3 + static_cast<std::size_t>(k)];
    }
    /// Appends pixel (x, y) in its byte form.
    void appendPixel(Bytes& out, std::uint32_t x, std::uint32_t y) const {
        for (int k = 0; k < 3; ++k) {
            const std::uint16_t s = at(x, y, k);
            if (wide) {
                out.push_back(0);
                out.push_back(0);
                bytes::storeLE16(&out[out.size() - 2], s);
            } else {
                out.push_back(static_cast<std::uint8_t>(s));
            }
        }
    }
};

/// A gradient with a sharp edge: every pixel differs from its neighbours in some sample.
inline TestImage makeImage(std::uint32_t width, std::uint32_t height, bool wide) {
    TestImage image{width, height, wide, {}};
    const std::uint32_t top = wide ? 0xFFFF : 0xFF;
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            image.samples.push_back(static_cast<std::uint16_t>((x * 37 + y * 11) % (top + 1)));
            image.samples.push_back(static_cast<std::uint16_t>((x * 5 + y * 91 + 17) % (top + 1)));
            image.samples.push_back(static_cast<std::uint16_t>(x < width / 2 ? top : 0));
        }
    }
    return image;
}

/// A rectangle as the image editor was asked for it.
struct Request {
    std::int32_t top, left, bottom, right;
    bool operator==(const Request&) const = default;
};

class InMemoryHost {
  public:
    TestImage image;
    CommonInfoTable table{};
    bool columns = false;          ///< photo application: line i is column i (turned image)
    std::size_t rowPadding = 0;    ///< image editor: bytes after each delivered row
    int askAgain = 0;              ///< image editor: answer -128 this many times first
    std::int32_t failAtCall = -1;  ///< this callback call (from 0) answers failCode
    std::int32_t failCode = -43;
    /// Photo application: replaces the byte count the host reports for a call.
    std::function<std::int32_t(std::int32_t delivered)> byteCountOf;
    /// Runs at every callback call, with its number (from 0).
    std::function<void(int call)> onCall;

    std::vector<std::int32_t> lineIndices;  ///< photo application
    std::vector<Request> requests;          ///< image editor
    int calls = 0;

    InMemoryHost(TestImage served, std::uint8_t hostType) : image(std::move(served)) {
        table.hostType = hostType;
        table.hostReference = this;
        table.lineProc = &InMemoryHost::line;
        table.advanceStateProc = &InMemoryHost::advance;
    }
    InMemoryHost(const InMemoryHost&) = delete;
    InMemoryHost& operator=(const InMemoryHost&) = delete;

  private:
    static InMemoryHost& self(void* reference) { return *static_cast<InMemoryHost*>(reference); }

    bool failing() {
        const int call = calls++;
        if (onCall) {
            onCall(call);
        }
        return call == failAtCall;
    }

    static std::int32_t line(CommonInfoTable*, void*, std::int32_t index, void* buffer,
                             std::int32_t* byteCount, void* reference) {
        InMemoryHost& host = self(reference);
        host.lineIndices.push_back(index);
        if (host.failing()) {
            return host.failCode;
        }
        Bytes out;
        const std::uint32_t count = host.columns ? host.image.height : host.image.width;
        for (std::uint32_t i = 0; i < count; ++i) {
            host.columns ? host.image.appendPixel(out, static_cast<std::uint32_t>(index), i)
                         : host.image.appendPixel(out, i, static_cast<std::uint32_t>(index));
        }
        if (out.size() > static_cast<std::size_t>(*byteCount)) {
            return -1;  // the core's line is too short for this host's line
        }
        std::memcpy(buffer, out.data(), out.size());
        *byteCount = host.byteCountOf ? host.byteCountOf(static_cast<std::int32_t>(out.size()))
                                      : static_cast<std::int32_t>(out.size());
        return 0;
    }

    static std::int32_t advance(CommonInfoTable* table, std::int32_t state, void* reference) {
        InMemoryHost& host = self(reference);
        const Request request{
            static_cast<std::int32_t>(table->print.rect[1]),
            static_cast<std::int32_t>(table->print.rect[0]),
            static_cast<std::int32_t>(table->print.rect[1] + table->print.rect[3]),
            static_cast<std::int32_t>(table->print.rect[0] + table->print.rect[2])};
        host.requests.push_back(request);
        if (host.askAgain > 0) {
            --host.askAgain;
            return -128;
        }
        if (host.failing() || state != 2) {
            return host.failCode;
        }
        host.delivered_.clear();
        for (std::int32_t y = request.top; y < request.bottom; ++y) {
            for (std::int32_t x = request.left; x < request.right; ++x) {
                host.image.appendPixel(host.delivered_, static_cast<std::uint32_t>(x),
                                       static_cast<std::uint32_t>(y));
            }
            host.delivered_.insert(host.delivered_.end(), host.rowPadding, 0xEE);
        }
        table->print.data = host.delivered_.data();
        table->print.rowBytes = static_cast<std::uint32_t>(
            static_cast<std::size_t>(request.right - request.left) * host.image.pixelBytes() +
            host.rowPadding);
        return 0;
    }

    Bytes delivered_;
};

}  // namespace bandtest
