// Decoded pages as pictures.
#include "stream_decoder/page_image.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <limits>

namespace streamdecoder {

namespace {

constexpr std::uint8_t kWhite = 0xFF;

// The samples a raster's row holds in each plane.
std::uint32_t rasterWidth(const Raster& raster) {
    const int depth = raster.depths.empty() ? 0 : raster.depths[0];
    if (depth <= 0 || raster.rows.empty() || raster.rows[0].empty()) {
        return 0;
    }
    return static_cast<std::uint32_t>(raster.rows[0][0].size() * 8 / static_cast<unsigned>(depth));
}

bool printable(const Raster& raster) {
    return (raster.depths.size() == 1 || raster.depths.size() == 3) && rasterWidth(raster) > 0 &&
           std::all_of(raster.depths.begin(), raster.depths.end(),
                       [&](int d) { return d == raster.depths[0] && d <= 16; });
}

}  // namespace

PageImage composePage(const DecodedStream& stream) {
    std::int64_t left = std::numeric_limits<std::int64_t>::max();
    std::int64_t top = left;
    std::int64_t right = std::numeric_limits<std::int64_t>::min();
    std::int64_t bottom = right;
    for (const Raster& raster : stream.rasters) {
        if (raster.rows.empty()) {
            continue;
        }
        if (!printable(raster)) {
            return {};
        }
        left = std::min(left, raster.x);
        top = std::min(top, raster.y);
        right = std::max(right, raster.x + rasterWidth(raster));
        bottom = std::max<std::int64_t>(bottom,
                                        raster.y + static_cast<std::int64_t>(raster.rows.size()));
    }
    if (right <= left || bottom <= top) {
        return {};
    }
    PageImage page;
    page.width = static_cast<std::uint32_t>(right - left);
    page.height = static_cast<std::uint32_t>(bottom - top);
    page.rgb.assign(std::size_t{page.width} * page.height * 3, kWhite);
    for (const Raster& raster : stream.rasters) {
        const std::uint32_t width = rasterWidth(raster);
        const int depth = raster.depths.empty() ? 0 : raster.depths[0];
        const std::uint32_t top8 = (1u << depth) - 1;
        for (std::size_t r = 0; r < raster.rows.size(); ++r) {
            const std::int64_t y = raster.y + static_cast<std::int64_t>(r) - top;
            std::vector<std::vector<std::uint16_t>> planes;
            for (const auto& plane : raster.rows[r]) {
                planes.push_back(unpackSamples(plane, depth, width));
            }
            if (planes.size() != raster.depths.size()) {
                continue;  // a row cut off inside its planes
            }
            for (std::uint32_t x = 0; x < width; ++x) {
                std::uint8_t* pixel = &page.rgb[(static_cast<std::size_t>(y) * page.width +
                                                 static_cast<std::size_t>(raster.x - left + x)) *
                                                3];
                for (int k = 0; k < 3; ++k) {
                    const auto& plane =
                        planes[planes.size() == 1 ? 0 : static_cast<std::size_t>(k)];
                    const std::uint32_t value = x < plane.size() ? plane[x] : top8;
                    pixel[k] = static_cast<std::uint8_t>((value * 255 + top8 / 2) / top8);
                }
            }
        }
    }
    return page;
}

namespace {

// The libpng part of the writer; nothing on its stack needs destroying when libpng jumps back.
bool writeRows(FILE* file, const PageImage& page) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_compression_level(png, 1);
    png_set_IHDR(png, info, page.width, page.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (std::uint32_t y = 0; y < page.height; ++y) {
        png_write_row(png, page.rgb.data() + std::size_t{y} * page.width * 3);
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool writePagePng(const PageImage& page, const std::filesystem::path& path, std::string* error) {
    if (page.width == 0 || page.height == 0) {
        *error = "the page is empty";
        return false;
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    const bool written = file != nullptr && writeRows(file, page);
    if (file == nullptr || std::fclose(file) != 0 || !written) {
        *error = "cannot write " + path.string();
        return false;
    }
    return true;
}

}  // namespace streamdecoder
