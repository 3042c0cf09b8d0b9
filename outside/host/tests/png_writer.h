// Writes PNG files for the host's tests: grey or RGB, with or without alpha, 8 or 16 bits, with an
// optional ICC profile and resolution.
#pragma once

#include <png.h>

#include <cstdio>
#include <filesystem>
#include <vector>

namespace hosttest {

struct PngPicture {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int colorType = PNG_COLOR_TYPE_RGB;  ///< also PNG_COLOR_TYPE_GRAY, _RGB_ALPHA, _GRAY_ALPHA
    int bits = 8;
    std::vector<std::uint16_t> samples;  ///< interleaved, all channels of the colour type
    std::vector<std::uint8_t> icc;
    std::uint32_t pixelsPerMetre = 0;
};

inline bool writePng(const PngPicture& picture, const std::filesystem::path& path) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, picture.width, picture.height, picture.bits, picture.colorType,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!picture.icc.empty()) {
        png_set_iCCP(png, info, "profile", PNG_COMPRESSION_TYPE_BASE, picture.icc.data(),
                     static_cast<png_uint_32>(picture.icc.size()));
    }
    if (picture.pixelsPerMetre != 0) {
        png_set_pHYs(png, info, picture.pixelsPerMetre, picture.pixelsPerMetre,
                     PNG_RESOLUTION_METER);
    }
    png_write_info(png, info);
    const int channels = png_get_channels(png, info);
    std::vector<std::uint8_t> row(std::size_t{picture.width} * channels * (picture.bits / 8));
    for (std::uint32_t y = 0; y < picture.height; ++y) {
        for (std::size_t i = 0; i < std::size_t{picture.width} * channels; ++i) {
            const std::uint16_t value = picture.samples[y * picture.width * channels + i];
            if (picture.bits == 16) {
                row[2 * i] = static_cast<std::uint8_t>(value >> 8);  // PNG is big-endian
                row[2 * i + 1] = static_cast<std::uint8_t>(value);
            } else {
                row[i] = static_cast<std::uint8_t>(value);
            }
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

}  // namespace hosttest
