// PNG images through libpng, read row by row from a source of bytes: grey and RGB at 8 or 16 bits
// (palettes and low depths expanded, alpha dropped), with their ICC profile and physical
// resolution. The image's rows must fit the file before their memory is taken.
#include <png.h>

#include <algorithm>
#include <bit>
#include <csetjmp>
#include <string_view>

#include "image_file_internal.h"
#include "image_file_memory.h"

namespace host {

namespace {

constexpr double kMetresPerInch = 0.0254;
constexpr png_uint_32 kIccpChunk = 0x69434350;  // "iCCP"
// libpng's words for a profile of grey on an RGB image, or of RGB on a grey one.
constexpr std::string_view kOtherColourSpace = "color space not permitted on";

// The reader's state lives outside the function that calls setjmp, so that a jump back leaves
// nothing half-built on its stack.
struct PngRead {
    explicit PngRead(const ReadExactly& source) : read(source) {}
    PngRead(const PngRead&) = delete;
    PngRead& operator=(const PngRead&) = delete;
    ~PngRead() { png_destroy_read_struct(&png, info != nullptr ? &info : nullptr, nullptr); }

    const ReadExactly& read;
    png_structp png = nullptr;
    png_infop info = nullptr;
    bool shortRead = false;
    bool profileRefused = false;  ///< libpng refused the iCCP chunk's profile as no profile
    Image image;
    std::vector<std::uint8_t> row;  ///< one 8-bit row as libpng gives it
};

void readBytes(png_structp png, png_bytep out, png_size_t count) {
    auto& read = *static_cast<PngRead*>(png_get_io_ptr(png));
    if (!read.read(out, count)) {
        read.shortRead = true;
        png_error(png, "short file");
    }
}

// libpng drops an ICC profile it finds fault with, and warns. A profile that is no profile is
// noted, so that such a file is refused as a TIFF with a profile that cannot be read is; a sound
// profile of the other kind of image (an RGB profile on grey, which some writers carry over when
// they convert an image) is left dropped, and the image is read as one without a profile.
void noteWarning(png_structp png, png_const_charp message) {
    if (png_get_io_chunk_type(png) == kIccpChunk &&
        std::string_view(message).find(kOtherColourSpace) == std::string_view::npos) {
        static_cast<PngRead*>(png_get_error_ptr(png))->profileRefused = true;
    }
}

// Ends the read at the setjmp of `readHeaderAndRows` without a word on the console.
[[noreturn]] void quietError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

bool readProfile(PngRead& read, std::string* error) {
    png_charp name = nullptr;
    int compression = 0;
    png_bytep profile = nullptr;
    png_uint_32 profileSize = 0;
    if (png_get_iCCP(read.png, read.info, &name, &compression, &profile, &profileSize) != 0 &&
        profile != nullptr) {
        read.image.iccProfile.assign(profile, profile + profileSize);
    } else if (read.profileRefused) {
        return failed(error, "the image's embedded profile cannot be read");
    }
    return true;
}

void readResolution(PngRead& read) {
    png_uint_32 xPerMetre = 0;
    png_uint_32 yPerMetre = 0;
    int unit = 0;
    if (png_get_pHYs(read.png, read.info, &xPerMetre, &yPerMetre, &unit) != 0 &&
        unit == PNG_RESOLUTION_METER) {
        read.image.resolutionX = xPerMetre * kMetresPerInch;
        read.image.resolutionY = yPerMetre * kMetresPerInch;
    }
}

// Reads row `y` of one pass into the samples. libpng fills in an interlaced row pass by pass, so
// an 8-bit row of a later pass starts from the samples of the earlier ones; 16-bit rows, in host
// order, go straight into the samples.
void readRow(PngRead& read, std::uint32_t y, bool interlaced) {
    Image& image = read.image;
    const std::size_t rowSamples =
        std::size_t{image.width} * static_cast<std::size_t>(image.channels);
    std::uint16_t* samples = image.samples.data() + std::size_t{y} * rowSamples;
    if (image.bits == 16) {
        png_read_row(read.png, reinterpret_cast<png_bytep>(samples), nullptr);
        return;
    }
    if (interlaced) {
        std::transform(samples, samples + rowSamples, read.row.begin(),
                       [](std::uint16_t sample) { return static_cast<std::uint8_t>(sample); });
    }
    png_read_row(read.png, read.row.data(), nullptr);
    std::copy(read.row.begin(), read.row.end(), samples);
}

bool readHeaderAndRows(PngRead& read, std::uintmax_t fileSize, std::string* error) {
    if (setjmp(png_jmpbuf(read.png)) != 0) {
        return failed(error, read.shortRead ? "PNG file cut short" : "damaged PNG file");
    }
    png_set_read_fn(read.png, &read, readBytes);
    png_set_sig_bytes(read.png, kPngSignatureBytes);
    png_read_info(read.png, read.info);
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int depth = 0;
    int colorType = 0;
    png_get_IHDR(read.png, read.info, &width, &height, &depth, &colorType, nullptr, nullptr,
                 nullptr);
    if (!sizeAllowed(width, height, error) ||
        !dataCanHold(std::uint64_t{png_get_rowbytes(read.png, read.info)} * height, fileSize,
                     kDeflateLargestRatio, error)) {
        return false;
    }
    png_set_expand(read.png);  // palettes to RGB, low grey depths to 8 bits, tRNS to alpha
    png_set_strip_alpha(read.png);
    if (depth == 16 && std::endian::native == std::endian::little) {
        png_set_swap(read.png);  // host order
    }
    const int passes = png_set_interlace_handling(read.png);
    png_read_update_info(read.png, read.info);
    Image& image = read.image;
    image.width = width;
    image.height = height;
    image.bits = png_get_bit_depth(read.png, read.info);
    image.channels = png_get_channels(read.png, read.info);
    if ((image.bits != 8 && image.bits != 16) || (image.channels != 1 && image.channels != 3)) {
        return failed(error, "PNG of a kind not printed");
    }
    if (!readProfile(read, error)) {
        return false;
    }
    readResolution(read);
    allocateSamples(image);
    read.row.resize(image.bits == 8 ? png_get_rowbytes(read.png, read.info) : 0);
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y) {
            readRow(read, y, passes > 1);
        }
    }
    return true;
}

}  // namespace

std::optional<Image> readPng(std::uintmax_t fileSize, const ReadExactly& read, std::string* error) {
    PngRead reader(read);
    reader.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &reader, quietError, noteWarning);
    reader.info = reader.png != nullptr ? png_create_info_struct(reader.png) : nullptr;
    if (reader.info == nullptr) {
        return fail(error, "out of memory for the PNG reader");
    }
    png_set_user_limits(reader.png, kLargestSide, kLargestSide);
    if (!readHeaderAndRows(reader, fileSize, error)) {
        return std::nullopt;
    }
    return std::move(reader.image);
}

}  // namespace host
