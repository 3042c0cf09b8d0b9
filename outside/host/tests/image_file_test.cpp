// The host's image files: TIFF written and read back in every mode and depth with profile and
// resolution, PNG of every colour type, and the files it refuses: no regular file, a header that
// promises more rows than the file holds (refused before their memory is taken), a profile that
// is no profile, and memory that is not there.
#include "image_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <tiffio.h>

#include <fstream>
#include <new>
#include <string>

#include "image_file_memory.h"
#include "image_fixtures.h"
#include "png_writer.h"
#include "support/temporary_folder.h"
#include "test_profiles.h"

namespace {

using host::Image;

constexpr const char* kTooShort = "the file is too short for the image size in its header";

std::vector<std::uint8_t> fileBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

Image gradient(std::uint32_t width, std::uint32_t height, int channels, int bits) {
    Image image;
    image.width = width;
    image.height = height;
    image.channels = channels;
    image.bits = bits;
    const std::uint32_t top = bits == 16 ? 65535 : 255;
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            for (int c = 0; c < channels; ++c) {
                image.samples.push_back(
                    static_cast<std::uint16_t>((x * 977 + y * 331 + c * 5003) % (top + 1)));
            }
        }
    }
    return image;
}

TEST(HostImageFile, TiffOfEveryModeAndDepthComesBackWithProfileAndResolution) {
    testsupport::TemporaryFolder folder;
    for (const int channels : {1, 3, 4}) {
        for (const int bits : {8, 16}) {
            Image image = gradient(7, 5, channels, bits);
            image.iccProfile = {1, 2, 3, 4, 5};
            image.resolutionX = 150;
            image.resolutionY = 300;
            const auto path = folder.path() / "image.tif";
            std::string error;
            ASSERT_TRUE(host::writeTiff(image, path, &error)) << error;
            const auto read = host::readImage(path, &error);
            ASSERT_TRUE(read) << error;
            EXPECT_EQ(read->width, 7u);
            EXPECT_EQ(read->height, 5u);
            EXPECT_EQ(read->channels, channels);
            EXPECT_EQ(read->bits, bits);
            EXPECT_EQ(read->samples, image.samples) << channels << " " << bits;
            EXPECT_EQ(read->iccProfile, image.iccProfile);
            EXPECT_DOUBLE_EQ(read->resolutionX, 150);
            EXPECT_DOUBLE_EQ(read->resolutionY, 300);
        }
    }
}

TEST(HostImageFile, PngOfEveryColourTypeDropsAlphaAndKeepsProfileAndResolution) {
    testsupport::TemporaryFolder folder;
    // Larger than an interlaced pass's 8 × 8 block, so that every pass brings pixels of its own.
    constexpr std::uint32_t kPngWidth = 19;
    constexpr std::uint32_t kPngHeight = 13;
    const struct {
        int colorType;
        int bits;
        int fileChannels;
        int channels;
        bool interlaced;
    } cases[] = {
        {PNG_COLOR_TYPE_GRAY, 8, 1, 1, false},       {PNG_COLOR_TYPE_GRAY, 16, 1, 1, false},
        {PNG_COLOR_TYPE_RGB, 8, 3, 3, false},        {PNG_COLOR_TYPE_RGB, 16, 3, 3, false},
        {PNG_COLOR_TYPE_RGB_ALPHA, 16, 4, 3, false}, {PNG_COLOR_TYPE_GRAY_ALPHA, 8, 2, 1, false},
        {PNG_COLOR_TYPE_RGB, 8, 3, 3, true},         {PNG_COLOR_TYPE_GRAY, 16, 1, 1, true},
    };
    // libpng keeps only profiles of the image's colour space.
    const auto greyFile = folder.path() / "grey.icc";
    color_test::writeGreyProfile(greyFile, "grey");
    const std::vector<std::uint8_t> rgbProfile = fileBytes(color_test::kSrgb);
    const std::vector<std::uint8_t> greyProfile = fileBytes(greyFile);
    for (const auto& c : cases) {
        const Image source = gradient(kPngWidth, kPngHeight, c.fileChannels, c.bits);
        const std::vector<std::uint8_t>& profile =
            c.colorType & PNG_COLOR_MASK_COLOR ? rgbProfile : greyProfile;
        hosttest::PngPicture picture{kPngWidth,      kPngHeight, c.colorType, c.bits,
                                     source.samples, profile,    11811,       c.interlaced};
        const auto path = folder.path() / "image.png";
        ASSERT_TRUE(hosttest::writePng(picture, path));
        std::string error;
        const auto read = host::readImage(path, &error);
        ASSERT_TRUE(read) << error;
        EXPECT_EQ(read->channels, c.channels);
        EXPECT_EQ(read->bits, c.bits);
        for (std::uint32_t p = 0; p < kPngWidth * kPngHeight; ++p) {
            for (int k = 0; k < c.channels; ++k) {
                ASSERT_EQ(read->samples[p * c.channels + k], source.samples[p * c.fileChannels + k])
                    << c.colorType << " pixel " << p;
            }
        }
        EXPECT_EQ(read->iccProfile, profile);
        EXPECT_NEAR(read->resolutionX, 300, 0.01);
    }
}

TEST(HostImageFile, RefusesWhatItCannotPrint) {
    testsupport::TemporaryFolder folder;
    std::string error;
    EXPECT_FALSE(host::readImage(folder.path() / "missing.tif", &error));
    EXPECT_EQ(error, "no such file");
    const std::vector<std::uint8_t> text = {'h', 'e', 'l', 'l', 'o'};
    EXPECT_FALSE(host::decodeImage(text, &error));
    EXPECT_EQ(error, "neither a TIFF nor a PNG file");

    // A PNG cut in its image data, and a TIFF cut after its header.
    const Image image = gradient(40, 30, 3, 8);
    hosttest::PngPicture picture{40, 30, PNG_COLOR_TYPE_RGB, 8, image.samples, {}, 0};
    ASSERT_TRUE(hosttest::writePng(picture, folder.path() / "cut.png"));
    std::ifstream png(folder.path() / "cut.png", std::ios::binary);
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(png), {}};
    bytes.resize(bytes.size() / 2);
    EXPECT_FALSE(host::decodeImage(bytes, &error));
    ASSERT_TRUE(host::writeTiff(image, folder.path() / "cut.tif", &error));
    std::ifstream tif(folder.path() / "cut.tif", std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(tif), {});
    bytes.resize(bytes.size() / 3);
    EXPECT_FALSE(host::decodeImage(bytes, &error));

    // A one-bit TIFF is of no depth the stand-in prints.
    TIFF* bilevel = TIFFOpen((folder.path() / "bilevel.tif").c_str(), "w");
    ASSERT_NE(bilevel, nullptr);
    TIFFSetField(bilevel, TIFFTAG_IMAGEWIDTH, 8u);
    TIFFSetField(bilevel, TIFFTAG_IMAGELENGTH, 1u);
    TIFFSetField(bilevel, TIFFTAG_BITSPERSAMPLE, 1);
    TIFFSetField(bilevel, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(bilevel, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
    std::uint8_t row = 0xA5;
    TIFFWriteScanline(bilevel, &row, 0, 0);
    TIFFClose(bilevel);
    EXPECT_FALSE(host::readImage(folder.path() / "bilevel.tif", &error));
    EXPECT_EQ(error, "TIFF of a kind not printed (8- or 16-bit grey, RGB or CMYK)");

    // Strips of a compression whose unpacked size has no known bound.
    hosttest::writeTiffWithOneStrip(folder.path() / "jpeg.tif", 8, 8, COMPRESSION_JPEG, 64);
    EXPECT_FALSE(host::readImage(folder.path() / "jpeg.tif", &error));
    EXPECT_EQ(error, "TIFF of a compression not read (none, LZW, Deflate or PackBits)");
}

// Only regular files are read: whatever else stands at the name is refused at once, without
// waiting for a writer or reading without end.
TEST(HostImageFile, RefusesWhatIsNoRegularFileWithoutWaiting) {
    testsupport::TemporaryFolder folder;
    const auto fifo = folder / "fifo.png";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_directory(folder / "folder.tif");
    std::filesystem::create_directory_symlink(folder / "folder.tif", folder / "link.tif");
    for (const std::filesystem::path& path :
         {folder / "folder.tif", folder / "link.tif", fifo, std::filesystem::path("/dev/zero")}) {
        std::string error;
        EXPECT_FALSE(host::readImage(path, &error)) << path;
        EXPECT_EQ(error, "not a regular file") << path;
    }
}

// Asks for nothing from the heap: a reader that asks for the samples' memory is noted, and refused
// so that a faulty one never takes the memory of a huge image.
class SampleRequests {
  public:
    int count() const { return count_; }

  private:
    int count_ = 0;
    host::SampleMemory memory_{[this](std::vector<std::uint16_t>&, std::size_t) {
        ++count_;
        throw std::bad_alloc();
    }};
    seam::ScopedOverride<host::SampleMemory> override_{host::sampleMemory(), memory_};
};

// Writes `bytes` at `path`.
void writeBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// A TIFF whose one strip holds `stripBytes` bytes of `compression` data, as bytes.
std::vector<std::uint8_t> tiffWithOneStrip(const std::filesystem::path& path, std::uint32_t width,
                                           std::uint32_t height, std::uint16_t compression,
                                           std::size_t stripBytes) {
    hosttest::writeTiffWithOneStrip(path, width, height, compression, stripBytes);
    return fileBytes(path);
}

// The images of these files would take gigabytes; the files hold a few bytes of their rows. Each
// is refused, from a file and from memory, before the memory of its samples is asked for.
TEST(HostImageFile, RefusesAHeaderPromisingMoreRowsThanTheFileHoldsBeforeTakingTheirMemory) {
    testsupport::TemporaryFolder folder;
    const struct {
        const char* name;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {"32768 x 32768 PNG", hosttest::pngWithOneRow(32768, 32768)},
        {"100000 x 10000 PNG", hosttest::pngWithOneRow(100000, 10000)},
        {"32768 x 32768 TIFF",
         tiffWithOneStrip(folder / "a.tif", 32768, 32768, COMPRESSION_NONE, 16)},
        {"100000 x 10000 TIFF",
         tiffWithOneStrip(folder / "b.tif", 100000, 10000, COMPRESSION_NONE, 16)},
        {"Deflate TIFF",
         tiffWithOneStrip(folder / "c.tif", 32768, 32768, COMPRESSION_ADOBE_DEFLATE, 4096)},
        {"LZW TIFF", tiffWithOneStrip(folder / "d.tif", 32768, 32768, COMPRESSION_LZW, 4096)},
        {"PackBits TIFF",
         tiffWithOneStrip(folder / "e.tif", 32768, 32768, COMPRESSION_PACKBITS, 4096)},
        // The fuzzer's finding: a 156-byte TIFF whose rows the reader took 2.4 GB for.
        {"fuzz finding", fileBytes(HOST_IMAGE_CORPUS "/rows-past-the-file.tif")},
    };
    for (const auto& c : cases) {
        const auto path = folder / "image";
        writeBytes(path, c.bytes);
        const SampleRequests requests;
        std::string error;
        EXPECT_FALSE(host::readImage(path, &error)) << c.name;
        EXPECT_EQ(error, kTooShort) << c.name;
        error.clear();
        EXPECT_FALSE(host::decodeImage(c.bytes, &error)) << c.name;
        EXPECT_EQ(error, kTooShort) << c.name;
        EXPECT_EQ(requests.count(), 0) << c.name;
    }
}

// What the bound lets through: images that their compression packs as tightly as it can are read.
TEST(HostImageFile, ReadsImagesPackedAsTightlyAsTheirCompressionAllows) {
    testsupport::TemporaryFolder folder;
    constexpr std::uint32_t kSide = 2000;
    for (const std::uint16_t compression :
         {COMPRESSION_NONE, COMPRESSION_PACKBITS, COMPRESSION_LZW, COMPRESSION_ADOBE_DEFLATE}) {
        const auto path = folder / "white.tif";
        TIFF* tiff = TIFFOpen(path.c_str(), "w");
        TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, kSide);
        TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, kSide);
        TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
        TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 1);
        TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
        TIFFSetField(tiff, TIFFTAG_COMPRESSION, compression);
        TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, kSide);
        if (compression == COMPRESSION_ADOBE_DEFLATE) {
            TIFFSetField(tiff, TIFFTAG_ZIPQUALITY, 9);
        }
        const std::vector<std::uint8_t> row(kSide, 0xFF);
        for (std::uint32_t y = 0; y < kSide; ++y) {
            TIFFWriteScanline(tiff, const_cast<std::uint8_t*>(row.data()), y, 0);
        }
        TIFFClose(tiff);
        std::string error;
        const auto read = host::readImage(path, &error);
        ASSERT_TRUE(read) << compression << ": " << error;
        EXPECT_EQ(read->samples, std::vector<std::uint16_t>(std::size_t{kSide} * kSide, 0xFF));
    }
    const auto png =
        hosttest::assemblePng({kSide * 2,
                               kSide * 2,
                               8,
                               PNG_COLOR_TYPE_GRAY,
                               std::vector<std::uint8_t>(std::size_t{kSide * 2} * (1 + kSide * 2)),
                               {}});
    std::string error;
    const auto read = host::decodeImage(png, &error);
    ASSERT_TRUE(read) << png.size() << " bytes: " << error;
    EXPECT_EQ(read->samples, std::vector<std::uint16_t>(std::size_t{kSide} * kSide * 4, 0));
}

// A profile that is no profile is refused in a PNG as in a TIFF (where the host's shell refuses
// it): libpng would drop it and the image would print in a colour space it does not have. A sound
// profile of the other kind of image is dropped, as libpng does, and the image read without it.
TEST(HostImageFile, RefusesAPngWhoseProfileIsNoProfile) {
    std::string error;
    EXPECT_FALSE(host::decodeImage(hosttest::pngWithProfile(hosttest::garbageProfile()), &error));
    EXPECT_EQ(error, "the image's embedded profile cannot be read");

    const std::vector<std::uint8_t> srgb = fileBytes(color_test::kSrgb);
    const auto read = host::decodeImage(hosttest::pngWithProfile(srgb), &error);
    ASSERT_TRUE(read) << error;
    EXPECT_EQ(read->iccProfile, srgb);

    const auto grey = host::decodeImage(
        hosttest::assemblePng({2, 2, 8, PNG_COLOR_TYPE_GRAY, std::vector<std::uint8_t>(6), srgb}),
        &error);
    ASSERT_TRUE(grey) << error;
    EXPECT_EQ(grey->channels, 1);
    EXPECT_TRUE(grey->iccProfile.empty());
}

// Memory that cannot be had for the samples is reported as such, from files and from memory.
TEST(HostImageFile, ReportsSamplesWithoutMemoryAsOutOfMemory) {
    testsupport::TemporaryFolder folder;
    const Image image = gradient(8, 6, 3, 16);
    ASSERT_TRUE(host::writeTiff(image, folder / "image.tif", nullptr));
    ASSERT_TRUE(hosttest::writePng({8, 6, PNG_COLOR_TYPE_RGB, 16, image.samples, {}, 0},
                                   folder / "image.png"));
    for (const char* name : {"image.tif", "image.png"}) {
        const SampleRequests requests;
        std::string error;
        EXPECT_FALSE(host::readImage(folder / name, &error)) << name;
        EXPECT_EQ(error, "out of memory for the image") << name;
        error.clear();
        EXPECT_FALSE(host::decodeImage(fileBytes(folder / name), &error)) << name;
        EXPECT_EQ(error, "out of memory for the image") << name;
        EXPECT_EQ(requests.count(), 2) << name;
    }
}

}  // namespace
