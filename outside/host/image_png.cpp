// PNG images through libpng, read from memory: grey and RGB at 8 or 16 bits (palettes and low
// depths expanded, alpha dropped), with their ICC profile and physical resolution.
#include <png.h>

#include <csetjmp>
#include <cstring>

#include "image_file_internal.h"

namespace host {

namespace {

constexpr double kMetresPerInch = 0.0254;

struct MemoryReader {
    std::span<const std::uint8_t> bytes;
    std::size_t position = 0;
    bool shortRead = false;
};

void readBytes(png_structp png, png_bytep out, png_size_t count) {
    auto& reader = *static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (reader.bytes.size() - reader.position < count) {
        reader.shortRead = true;
        png_error(png, "short file");
    }
    std::memcpy(out, reader.bytes.data() + reader.position, count);
    reader.position += count;
}

void quietWarning(png_structp, png_const_charp) {}

// Ends the read at the setjmp of `readHeaderAndRows` without a word on the console.
[[noreturn]] void quietError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

// The reader's state lives outside the function that calls setjmp, so that a jump back leaves
// nothing half-built on its stack.
struct PngRead {
    png_structp png = nullptr;
    png_infop info = nullptr;
    Image image;
    std::vector<std::uint8_t> rows;
    std::vector<png_bytep> rowPointers;

    ~PngRead() { png_destroy_read_struct(&png, info != nullptr ? &info : nullptr, nullptr); }
};

bool readHeaderAndRows(PngRead& read, MemoryReader& reader, std::string* error) {
    if (setjmp(png_jmpbuf(read.png)) != 0) {
        return failed(error, reader.shortRead ? "PNG file cut short" : "damaged PNG file");
    }
    png_set_read_fn(read.png, &reader, readBytes);
    png_read_info(read.png, read.info);
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int depth = 0;
    int colorType = 0;
    png_get_IHDR(read.png, read.info, &width, &height, &depth, &colorType, nullptr, nullptr,
                 nullptr);
    if (!sizeAllowed(width, height, error)) {
        return false;
    }
    png_set_expand(read.png);  // palettes to RGB, low grey depths to 8 bits, tRNS to alpha
    png_set_strip_alpha(read.png);
    if (depth == 16) {
        png_set_swap(read.png);  // host order
    }
    png_read_update_info(read.png, read.info);
    Image& image = read.image;
    image.width = width;
    image.height = height;
    image.bits = png_get_bit_depth(read.png, read.info);
    image.channels = png_get_channels(read.png, read.info);
    if ((image.bits != 8 && image.bits != 16) || (image.channels != 1 && image.channels != 3)) {
        return failed(error, "PNG of a kind not printed");
    }
    png_charp name = nullptr;
    int compression = 0;
    png_bytep profile = nullptr;
    png_uint_32 profileSize = 0;
    if (png_get_iCCP(read.png, read.info, &name, &compression, &profile, &profileSize) != 0 &&
        profile != nullptr) {
        image.iccProfile.assign(profile, profile + profileSize);
    }
    png_uint_32 xPerMetre = 0;
    png_uint_32 yPerMetre = 0;
    int unit = 0;
    if (png_get_pHYs(read.png, read.info, &xPerMetre, &yPerMetre, &unit) != 0 &&
        unit == PNG_RESOLUTION_METER) {
        image.resolutionX = xPerMetre * kMetresPerInch;
        image.resolutionY = yPerMetre * kMetresPerInch;
    }
    const png_size_t rowBytes = png_get_rowbytes(read.png, read.info);
    read.rows.resize(rowBytes * height);
    read.rowPointers.resize(height);
    for (png_uint_32 y = 0; y < height; ++y) {
        read.rowPointers[y] = read.rows.data() + rowBytes * y;
    }
    png_read_image(read.png, read.rowPointers.data());
    return true;
}

}  // namespace

std::optional<Image> decodePng(std::span<const std::uint8_t> bytes, std::string* error) {
    PngRead read;
    read.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, quietError, quietWarning);
    read.info = read.png != nullptr ? png_create_info_struct(read.png) : nullptr;
    if (read.info == nullptr) {
        return fail(error, "out of memory for the PNG reader");
    }
    png_set_user_limits(read.png, kLargestSide, kLargestSide);
    MemoryReader reader{bytes};
    if (!readHeaderAndRows(read, reader, error)) {
        return std::nullopt;
    }
    Image& image = read.image;
    const std::size_t count =
        std::size_t{image.width} * image.height * static_cast<std::size_t>(image.channels);
    image.samples.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (image.bits == 16) {
            std::memcpy(&image.samples[i], &read.rows[i * 2], 2);
        } else {
            image.samples[i] = read.rows[i];
        }
    }
    return std::move(image);
}

}  // namespace host
