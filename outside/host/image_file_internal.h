// What the image readers of the host stand-in share.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "image_file.h"

namespace host {

/// Notes `what` in `*error` (when given); for readers, which return no image.
inline std::nullopt_t fail(std::string* error, const char* what) {
    if (error != nullptr) {
        *error = what;
    }
    return std::nullopt;
}

/// The same for writers: false.
inline bool failed(std::string* error, const char* what) {
    fail(error, what);
    return false;
}

/// True when an image of `width` × `height` is within the stand-in's limits; else the reason.
inline bool sizeAllowed(std::uint32_t width, std::uint32_t height, std::string* error) {
    if (width == 0 || height == 0 || width > kLargestSide || height > kLargestSide ||
        std::uint64_t{width} * height > kLargestPixelCount) {
        fail(error, "image size outside the limits");
        return false;
    }
    return true;
}

std::optional<Image> decodeTiff(std::span<const std::uint8_t> bytes, std::string* error);
std::optional<Image> decodePng(std::span<const std::uint8_t> bytes, std::string* error);

}  // namespace host
