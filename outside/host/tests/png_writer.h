// Writes PNG files for the host's tests: grey or RGB, with or without alpha, 8 or 16 bits, with an
// optional ICC profile and resolution; and PNG files put together chunk by chunk, for what
// libpng's writer refuses to write (a profile that is no profile, rows that do not fit).
#pragma once

#include <png.h>
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <span>
#include <string_view>
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
    bool interlaced = false;  ///< Adam7
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
                 picture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
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
    const std::size_t rowBytes = std::size_t{picture.width} * channels * (picture.bits / 8);
    std::vector<std::uint8_t> rows(rowBytes * picture.height);
    std::vector<png_bytep> rowPointers;
    for (std::uint32_t y = 0; y < picture.height; ++y) {
        std::uint8_t* row = rows.data() + rowBytes * y;
        rowPointers.push_back(row);
        for (std::size_t i = 0; i < std::size_t{picture.width} * channels; ++i) {
            const std::uint16_t value = picture.samples[y * picture.width * channels + i];
            if (picture.bits == 16) {
                row[2 * i] = static_cast<std::uint8_t>(value >> 8);  // PNG is big-endian
                row[2 * i + 1] = static_cast<std::uint8_t>(value);
            } else {
                row[i] = static_cast<std::uint8_t>(value);
            }
        }
    }
    png_write_image(png, rowPointers.data());  // every pass of an interlaced image
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

/// The parts of a PNG put together by hand: its header, the raw rows of its image data (filter
/// byte first) and the profile bytes of its iCCP chunk (none when empty), each compressed here.
struct PngParts {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint8_t bits = 8;
    std::uint8_t colorType = PNG_COLOR_TYPE_RGB;
    std::vector<std::uint8_t> rows;
    std::vector<std::uint8_t> icc;
};

inline void appendBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

inline void appendChunk(std::vector<std::uint8_t>& out, std::string_view type,
                        std::span<const std::uint8_t> data) {
    appendBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    appendBigEndian(out, static_cast<std::uint32_t>(::crc32(
                             0, out.data() + typeAt, static_cast<uInt>(out.size() - typeAt))));
}

inline std::vector<std::uint8_t> zlibCompressed(std::span<const std::uint8_t> bytes) {
    uLongf size = ::compressBound(bytes.size());
    std::vector<std::uint8_t> out(size);
    ::compress2(out.data(), &size, bytes.data(), bytes.size(), Z_BEST_COMPRESSION);
    out.resize(size);
    return out;
}

inline std::vector<std::uint8_t> assemblePng(const PngParts& parts) {
    std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    appendBigEndian(header, parts.width);
    appendBigEndian(header, parts.height);
    header.insert(header.end(), {parts.bits, parts.colorType, 0, 0, 0});
    appendChunk(out, "IHDR", header);
    if (!parts.icc.empty()) {
        std::vector<std::uint8_t> iccp = {'p', 'r', 'o', 'f', 'i', 'l', 'e', 0, 0};
        const std::vector<std::uint8_t> profile = zlibCompressed(parts.icc);
        iccp.insert(iccp.end(), profile.begin(), profile.end());
        appendChunk(out, "iCCP", iccp);
    }
    appendChunk(out, "IDAT", zlibCompressed(parts.rows));
    appendChunk(out, "IEND", {});
    return out;
}

}  // namespace hosttest
