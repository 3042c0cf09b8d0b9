// What the whole-print tests of the settings model and the host print and read back: a small RGB
// gradient whose red rises from left to right, and the page the printer received.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host_shell.h"
#include "qdxa_stream/qdxa_stream.h"
#include "stream_decoder/page_image.h"
#include "stream_decoder/stream_decoder.h"

namespace modeltest {

/// Pixels per inch of the gradient: printed at 100 %, it keeps its size at 300 dpi.
inline constexpr std::uint32_t kGradientPpi = 300;

/// An 8-bit RGB gradient: red rises from left to right, green from top to bottom.
inline host::Image gradientImage(std::uint32_t width, std::uint32_t height) {
    host::Image image;
    image.width = width;
    image.height = height;
    image.channels = 3;
    image.bits = 8;
    image.resolutionX = kGradientPpi;
    image.resolutionY = kGradientPpi;
    for (std::uint32_t y = 0; y < image.height; ++y) {
        for (std::uint32_t x = 0; x < image.width; ++x) {
            image.samples.push_back(static_cast<std::uint16_t>(x * 255 / image.width));
            image.samples.push_back(static_cast<std::uint16_t>(y * 255 / image.height));
            image.samples.push_back(128);
        }
    }
    return image;
}

/// The command stream inside the QDXA packets a printer received, decoded; `error` says what
/// could not be read.
inline streamdecoder::DecodedStream decodedJob(const std::vector<std::uint8_t>& bytes,
                                               std::string* error) {
    const qdxastream::Stream packets = qdxastream::splitPackets(bytes);
    if (!packets.ok()) {
        *error = packets.error;
        return {};
    }
    streamdecoder::DecodedStream stream =
        streamdecoder::decodeStream(qdxastream::joinedData(packets.packets));
    if (!stream.ok) {
        *error = stream.error;
    }
    return stream;
}

/// The red sample of the page's middle row at `x`.
inline std::uint8_t middleRed(const streamdecoder::PageImage& page, std::uint32_t x) {
    return page.rgb[(std::size_t{page.height / 2} * page.width + x) * 3];
}

}  // namespace modeltest
