// Image files the host stand-in prints: 8- and 16-bit grey, RGB and CMYK TIFF, 8- and 16-bit grey
// and RGB PNG, with their embedded ICC profile and resolution.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace host {

/// Largest side and largest pixel count the stand-in reads.
inline constexpr std::uint32_t kLargestSide = 1u << 18;
inline constexpr std::uint64_t kLargestPixelCount = 1ull << 30;

struct Image {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int channels = 0;  ///< 1 grey, 3 RGB, 4 CMYK
    int bits = 0;      ///< 8 or 16
    /// Interleaved samples, rows top first, each 0 ... 255 or 0 ... 65535 (white is the top of
    /// grey and RGB, the bottom of CMYK).
    std::vector<std::uint16_t> samples;
    std::vector<std::uint8_t> iccProfile;  ///< empty without an embedded profile
    double resolutionX = 0;                ///< pixels per inch; 0 when the file gives none
    double resolutionY = 0;

    std::uint16_t sample(std::uint32_t x, std::uint32_t y, int channel) const {
        return samples[(std::size_t{y} * width + x) * static_cast<std::size_t>(channels) +
                       static_cast<std::size_t>(channel)];
    }
};

/// Reads a TIFF or PNG image held in `bytes`; none with the reason in `*error` for any other
/// format, a layout the stand-in does not print (palette-less alpha is dropped, tiles, separate
/// planes and TIFF compressions other than none, LZW, Deflate and PackBits are refused), a size
/// past the limits, a header whose rows the file cannot hold (refused before their memory is
/// taken), a PNG profile that is no profile, samples whose memory cannot be had, or a damaged file.
std::optional<Image> decodeImage(std::span<const std::uint8_t> bytes, std::string* error);

/// Reads the image file at `path`, which must be a regular file: it is opened without waiting, so
/// that a pipe or a device at the name never holds the reader.
std::optional<Image> readImage(const std::filesystem::path& path, std::string* error);

/// Writes `image` as a TIFF file (strips, no compression), with its profile and resolution.
bool writeTiff(const Image& image, const std::filesystem::path& path, std::string* error);

}  // namespace host
