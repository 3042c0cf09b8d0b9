// Image files the host's readers must refuse: headers that promise far more rows than the file
// holds, and a profile that is no profile.
#pragma once

#include <tiffio.h>

#include <cstdint>
#include <filesystem>
#include <vector>

#include "png_writer.h"

namespace hosttest {

/// Writes a TIFF of 8-bit RGB at `path` whose one strip holds `stripBytes` bytes of
/// `compression` data, whatever its size calls for.
inline void writeTiffWithOneStrip(const std::filesystem::path& path, std::uint32_t width,
                                  std::uint32_t height, std::uint16_t compression,
                                  std::size_t stripBytes) {
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, compression);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, height);
    std::vector<std::uint8_t> strip(stripBytes);
    TIFFWriteRawStrip(tiff, 0, strip.data(), static_cast<tmsize_t>(strip.size()));
    TIFFClose(tiff);
}

/// A PNG of 8-bit RGB whose image data are one row of zeros, whatever its size calls for.
inline std::vector<std::uint8_t> pngWithOneRow(std::uint32_t width, std::uint32_t height) {
    return assemblePng({width,
                        height,
                        8,
                        PNG_COLOR_TYPE_RGB,
                        std::vector<std::uint8_t>(1 + std::size_t{width} * 3),
                        {}});
}

/// Bytes that are no ICC profile, though as long as a small one.
inline std::vector<std::uint8_t> garbageProfile() {
    constexpr std::size_t kBytes = 600;
    constexpr unsigned kStep = 37;
    std::vector<std::uint8_t> bytes(kBytes);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * kStep);
    }
    return bytes;
}

/// A black 2 × 2 8-bit RGB PNG carrying `profile` in its iCCP chunk.
inline std::vector<std::uint8_t> pngWithProfile(const std::vector<std::uint8_t>& profile) {
    constexpr std::uint32_t kSide = 2;
    return assemblePng({kSide, kSide, 8, PNG_COLOR_TYPE_RGB,
                        std::vector<std::uint8_t>(kSide * (1 + kSide * 3)), profile});
}

}  // namespace hosttest
