// A decoded page as one picture: every raster placed at its cursor position on white, its samples
// reduced to 8 bits (one plane as grey, three as RGB).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "stream_decoder/stream_decoder.h"

namespace streamdecoder {

struct PageImage {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> rgb;  ///< three bytes a pixel, rows top first
};

/// The page of `stream`'s rasters, from the top-left corner of the first one they cover; an
/// empty page when no raster has a row or a raster has other than one or three planes.
PageImage composePage(const DecodedStream& stream);

/// Writes the page as an 8-bit RGB PNG; false with the reason in `*error`.
bool writePagePng(const PageImage& page, const std::filesystem::path& path, std::string* error);

}  // namespace streamdecoder
