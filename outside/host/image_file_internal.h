// What the image readers of the host stand-in share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "image_file.h"

namespace host {

/// The PNG signature's length; the PNG reader starts behind it.
inline constexpr std::size_t kPngSignatureBytes = 8;

/// The most bytes one byte of a zlib stream (PNG rows, deflated TIFF strips) can unpack into: a
/// match of 258 bytes coded in two bits.
inline constexpr std::uint64_t kDeflateLargestRatio = 1032;

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

/// True when `dataBytes` of the file, each unpacking into at most `largestRatio` bytes, can hold
/// the `promisedBytes` of rows the header calls for; else the reason. Checked before the samples
/// are allocated, so that a small file never makes the reader take the memory of a huge image.
inline bool dataCanHold(std::uint64_t promisedBytes, std::uint64_t dataBytes,
                        std::uint64_t largestRatio, std::string* error) {
    if (promisedBytes / largestRatio + (promisedBytes % largestRatio != 0 ? 1 : 0) > dataBytes) {
        fail(error, "the file is too short for the image size in its header");
        return false;
    }
    return true;
}

/// Reads exactly `count` bytes into `out`; false when fewer are there.
using ReadExactly = std::function<bool(std::uint8_t* out, std::size_t count)>;

/// The PNG image of `fileSize` bytes whose bytes after the signature `read` gives.
std::optional<Image> readPng(std::uintmax_t fileSize, const ReadExactly& read, std::string* error);

/// The TIFF image held in `bytes`.
std::optional<Image> decodeTiff(std::span<const std::uint8_t> bytes, std::string* error);

/// The TIFF image of the open regular file `descriptor` of `fileSize` bytes, which the reader
/// takes over and closes.
std::optional<Image> readTiff(int descriptor, std::uintmax_t fileSize, std::string* error);

}  // namespace host
