// TIFF images through libtiff, read from memory or from files, and written to files. The image's
// strips must hold its rows before their memory is taken.
#include <tiffio.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "image_file_internal.h"
#include "image_file_memory.h"

namespace host {

namespace {

constexpr double kCentimetresPerInch = 2.54;

// The most bytes one byte of a PackBits strip unpacks into: a run of 128 in two bytes.
constexpr std::uint64_t kPackBitsLargestRatio = 64;
// The same for LZW: each code, of at least 9 bits, stands for at most one byte more than the code
// before it, and at most 5120 codes (libtiff's table with its slack) come between two clear
// codes, so n codes of at least 9n bits unpack into at most n (n + 1) / 2 bytes.
constexpr std::uint64_t kLzwLargestRatio = 2276;

constexpr const char* kNotReadable = "not a readable TIFF file";

// libtiff's view of a byte span: a read-only, seekable stream.
struct MemoryStream {
    std::span<const std::uint8_t> bytes;
    toff_t position = 0;
};

tsize_t readStream(thandle_t handle, tdata_t buffer, tsize_t size) {
    auto& stream = *static_cast<MemoryStream*>(handle);
    const std::size_t left =
        stream.position < stream.bytes.size() ? stream.bytes.size() - stream.position : 0;
    const std::size_t count = std::min<std::size_t>(left, static_cast<std::size_t>(size));
    std::memcpy(buffer, stream.bytes.data() + stream.position, count);
    stream.position += count;
    return static_cast<tsize_t>(count);
}

tsize_t writeStream(thandle_t, tdata_t, tsize_t) {
    return 0;
}

toff_t seekStream(thandle_t handle, toff_t offset, int whence) {
    auto& stream = *static_cast<MemoryStream*>(handle);
    const toff_t base = whence == SEEK_SET   ? 0
                        : whence == SEEK_CUR ? stream.position
                                             : stream.bytes.size();
    stream.position = base + offset;
    return stream.position;
}

int closeStream(thandle_t) {
    return 0;
}

toff_t sizeStream(thandle_t handle) {
    return static_cast<MemoryStream*>(handle)->bytes.size();
}

int mapStream(thandle_t, tdata_t*, toff_t*) {
    return 0;
}

void unmapStream(thandle_t, tdata_t, toff_t) {}

// libtiff reports through process-wide handlers; the stand-in reports through its results.
void quietHandler(const char*, const char*, va_list) {}

struct TiffCloser {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
using TiffFile = std::unique_ptr<TIFF, TiffCloser>;

double resolutionOf(TIFF* tiff, ttag_t tag, std::uint16_t unit) {
    float value = 0;
    if (TIFFGetField(tiff, tag, &value) != 1 || !(value > 0)) {
        return 0;
    }
    return unit == RESUNIT_CENTIMETER ? value * kCentimetresPerInch : value;
}

// The channel count a photometric interpretation and sample count give; 0 when not printed.
int channelsOf(std::uint16_t photometric, std::uint16_t samples, std::uint16_t inkSet) {
    switch (photometric) {
        case PHOTOMETRIC_MINISBLACK:
        case PHOTOMETRIC_MINISWHITE:
            return samples >= 1 ? 1 : 0;
        case PHOTOMETRIC_RGB:
            return samples >= 3 ? 3 : 0;
        case PHOTOMETRIC_SEPARATED:
            return samples >= 4 && inkSet == INKSET_CMYK ? 4 : 0;
        default:
            return 0;
    }
}

// The most bytes one byte of a strip of `compression` unpacks into; 0 for a compression the
// stand-in does not read.
std::uint64_t largestRatioOf(std::uint16_t compression) {
    switch (compression) {
        case COMPRESSION_NONE:
            return 1;
        case COMPRESSION_PACKBITS:
            return kPackBitsLargestRatio;
        case COMPRESSION_LZW:
            return kLzwLargestRatio;
        case COMPRESSION_ADOBE_DEFLATE:
        case COMPRESSION_DEFLATE:
            return kDeflateLargestRatio;
        default:
            return 0;
    }
}

// The bytes of the image's strips that lie inside the file of `fileSize` bytes.
std::uint64_t stripBytesInFile(TIFF* tiff, std::uint64_t fileSize) {
    std::uint64_t total = 0;
    const std::uint32_t strips = TIFFNumberOfStrips(tiff);
    for (std::uint32_t strip = 0; strip < strips && total < fileSize; ++strip) {
        const std::uint64_t offset = TIFFGetStrileOffset(tiff, strip);
        if (offset < fileSize) {
            total += std::min(TIFFGetStrileByteCount(tiff, strip), fileSize - offset);
        }
    }
    return std::min(total, fileSize);
}

// True when the strips in the file can hold `height` rows of `lineBytes` each; else the reason.
bool stripsHoldRows(TIFF* tiff, std::uint64_t lineBytes, std::uint32_t height,
                    std::uint64_t fileSize, std::string* error) {
    std::uint16_t compression = COMPRESSION_NONE;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_COMPRESSION, &compression);
    const std::uint64_t largestRatio = largestRatioOf(compression);
    if (largestRatio == 0) {
        return failed(error, "TIFF of a compression not read (none, LZW, Deflate or PackBits)");
    }
    return dataCanHold(lineBytes * height, stripBytesInFile(tiff, fileSize), largestRatio, error);
}

// Reads every row of `lineBytes` into `image`, whose samples are allocated: `fileSamples` samples
// a pixel, the first `image.channels` of them kept, grey turned round when white is 0.
bool readRows(TIFF* tiff, std::size_t lineBytes, Image& image, std::uint16_t fileSamples,
              std::uint16_t photometric, std::string* error) {
    const std::size_t bytesPerSample = static_cast<std::size_t>(image.bits) / 8;
    std::vector<std::uint8_t> line(lineBytes);
    const auto channels = static_cast<std::size_t>(image.channels);
    const std::uint16_t top = image.bits == 8 ? 0xFF : 0xFFFF;
    for (std::uint32_t y = 0; y < image.height; ++y) {
        if (TIFFReadScanline(tiff, line.data(), y, 0) != 1) {
            return failed(error, "TIFF rows cannot be read");
        }
        std::uint16_t* out = image.samples.data() + std::size_t{y} * image.width * channels;
        for (std::uint32_t x = 0; x < image.width; ++x) {
            for (std::size_t c = 0; c < channels; ++c) {
                const std::size_t at = (std::size_t{x} * fileSamples + c) * bytesPerSample;
                std::uint16_t value = line[at];
                if (image.bits == 16) {
                    std::memcpy(&value, &line[at], sizeof value);  // libtiff gives host order
                }
                out[x * channels + c] = photometric == PHOTOMETRIC_MINISWHITE
                                            ? static_cast<std::uint16_t>(top - value)
                                            : value;
            }
        }
    }
    return true;
}

// The image of an open TIFF whose source holds `fileSize` bytes.
std::optional<Image> imageOf(TIFF* tiff, std::uint64_t fileSize, std::string* error) {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint16_t bits = 0;
    std::uint16_t samples = 0;
    std::uint16_t photometric = 0;
    std::uint16_t planar = PLANARCONFIG_CONTIG;
    std::uint16_t inkSet = INKSET_CMYK;
    std::uint16_t unit = RESUNIT_INCH;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &planar);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_INKSET, &inkSet);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_RESOLUTIONUNIT, &unit);
    if (TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric) != 1) {
        return fail(error, "TIFF without a photometric interpretation");
    }
    Image image;
    image.channels = channelsOf(photometric, samples, inkSet);
    image.bits = bits;
    if (image.channels == 0 || (bits != 8 && bits != 16)) {
        return fail(error, "TIFF of a kind not printed (8- or 16-bit grey, RGB or CMYK)");
    }
    if (TIFFIsTiled(tiff) != 0 || planar != PLANARCONFIG_CONTIG) {
        return fail(error, "tiled TIFF or TIFF of separate planes");
    }
    if (!sizeAllowed(width, height, error)) {
        return std::nullopt;
    }
    const tmsize_t lineBytes = TIFFScanlineSize(tiff);
    if (lineBytes <= 0 ||
        static_cast<std::uint64_t>(lineBytes) < std::uint64_t{width} * samples * (bits / 8)) {
        return fail(error, "TIFF rows shorter than their pixels");
    }
    if (!stripsHoldRows(tiff, static_cast<std::uint64_t>(lineBytes), height, fileSize, error)) {
        return std::nullopt;
    }
    image.width = width;
    image.height = height;
    image.resolutionX = resolutionOf(tiff, TIFFTAG_XRESOLUTION, unit);
    image.resolutionY = resolutionOf(tiff, TIFFTAG_YRESOLUTION, unit);
    std::uint32_t profileSize = 0;
    void* profile = nullptr;
    if (TIFFGetField(tiff, TIFFTAG_ICCPROFILE, &profileSize, &profile) == 1 && profile != nullptr) {
        const auto* first = static_cast<const std::uint8_t*>(profile);
        image.iccProfile.assign(first, first + profileSize);
    }
    allocateSamples(image);
    if (!readRows(tiff, static_cast<std::size_t>(lineBytes), image, samples, photometric, error)) {
        return std::nullopt;
    }
    return image;
}

void quietLibrary() {
    TIFFSetErrorHandler(quietHandler);
    TIFFSetWarningHandler(quietHandler);
}

}  // namespace

std::optional<Image> decodeTiff(std::span<const std::uint8_t> bytes, std::string* error) {
    quietLibrary();
    MemoryStream stream{bytes};
    const TiffFile tiff(TIFFClientOpen("image", "rm", &stream, readStream, writeStream, seekStream,
                                       closeStream, sizeStream, mapStream, unmapStream));
    if (tiff == nullptr) {
        return fail(error, kNotReadable);
    }
    return imageOf(tiff.get(), bytes.size(), error);
}

std::optional<Image> readTiff(int descriptor, std::uintmax_t fileSize, std::string* error) {
    quietLibrary();
    // "m": read, never map, so that a file cut short while it is read gives an error, not a signal.
    const TiffFile tiff(TIFFFdOpen(descriptor, "image", "rm"));
    if (tiff == nullptr) {
        ::close(descriptor);  // libtiff closes it only once it is open
        return fail(error, kNotReadable);
    }
    return imageOf(tiff.get(), fileSize, error);
}

bool writeTiff(const Image& image, const std::filesystem::path& path, std::string* error) {
    quietLibrary();
    const TiffFile tiff(TIFFOpen(path.c_str(), "w"));
    if (tiff == nullptr) {
        return failed(error, "TIFF file cannot be written");
    }
    const std::uint16_t photometric = image.channels == 1   ? PHOTOMETRIC_MINISBLACK
                                      : image.channels == 3 ? PHOTOMETRIC_RGB
                                                            : PHOTOMETRIC_SEPARATED;
    TIFFSetField(tiff.get(), TIFFTAG_IMAGEWIDTH, image.width);
    TIFFSetField(tiff.get(), TIFFTAG_IMAGELENGTH, image.height);
    TIFFSetField(tiff.get(), TIFFTAG_BITSPERSAMPLE, static_cast<std::uint16_t>(image.bits));
    TIFFSetField(tiff.get(), TIFFTAG_SAMPLESPERPIXEL, static_cast<std::uint16_t>(image.channels));
    TIFFSetField(tiff.get(), TIFFTAG_PHOTOMETRIC, photometric);
    TIFFSetField(tiff.get(), TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff.get(), TIFFTAG_COMPRESSION, COMPRESSION_NONE);
    TIFFSetField(tiff.get(), TIFFTAG_ROWSPERSTRIP, 1u);
    if (image.channels == 4) {
        TIFFSetField(tiff.get(), TIFFTAG_INKSET, INKSET_CMYK);
    }
    if (image.resolutionX > 0 && image.resolutionY > 0) {
        TIFFSetField(tiff.get(), TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
        TIFFSetField(tiff.get(), TIFFTAG_XRESOLUTION, static_cast<float>(image.resolutionX));
        TIFFSetField(tiff.get(), TIFFTAG_YRESOLUTION, static_cast<float>(image.resolutionY));
    }
    if (!image.iccProfile.empty()) {
        TIFFSetField(tiff.get(), TIFFTAG_ICCPROFILE,
                     static_cast<std::uint32_t>(image.iccProfile.size()), image.iccProfile.data());
    }
    const std::size_t rowSamples =
        std::size_t{image.width} * static_cast<std::size_t>(image.channels);
    std::vector<std::uint8_t> line(rowSamples * static_cast<std::size_t>(image.bits / 8));
    for (std::uint32_t y = 0; y < image.height; ++y) {
        const std::uint16_t* in = image.samples.data() + std::size_t{y} * rowSamples;
        for (std::size_t i = 0; i < rowSamples; ++i) {
            if (image.bits == 16) {
                std::memcpy(&line[i * 2], &in[i], 2);
            } else {
                line[i] = static_cast<std::uint8_t>(in[i]);
            }
        }
        if (TIFFWriteScanline(tiff.get(), line.data(), y, 0) != 1) {
            return failed(error, "TIFF rows cannot be written");
        }
    }
    return true;
}

}  // namespace host
